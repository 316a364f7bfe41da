#pragma once
// Runtime errors of the automation layer. A member that fails throws a
// RuntimeError; Dispatch::invoke turns it into a failed call that carries the
// number, so a late-bound caller never sees a C++ exception.
#include <exception>
#include <string>

namespace plat::com {

// Runtime error numbers used across the platform and the controls.
enum ErrorNumber : int {
  kErrInvalidCall = 5,        // "Invalid procedure call or argument"
  kErrOverflow = 6,           // "Overflow"
  kErrOutOfMemory = 7,        // "Out of memory"
  kErrSubscript = 9,          // "Subscript out of range"
  kErrTypeMismatch = 13,      // "Type mismatch"
  kErrInternal = 51,          // "Internal error"
  kErrNoObject = 91,          // "Object variable or With block variable not set"
  kErrInvalidNull = 94,       // "Invalid use of Null"
  kErrCantCreate = 429,       // "Can't create object"
  kErrNoMember = 438,         // "Object doesn't support this property or method"
  kErrNotOptional = 449,      // "Argument not optional"
  kErrWrongArgs = 450,        // "Wrong number of arguments or invalid property assignment"
};

// The standard text of a runtime error number ("Application-defined or
// object-defined error" for numbers without one of their own).
std::string error_text(int number);

class RuntimeError : public std::exception {
 public:
  // An empty description takes the standard text of the number.
  explicit RuntimeError(int number, std::string description = {});
  ~RuntimeError() override;
  const char* what() const noexcept override { return description.c_str(); }

  int number;
  std::string description;
};

}  // namespace plat::com
