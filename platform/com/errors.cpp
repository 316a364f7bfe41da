#include "platform/com/errors.h"

namespace plat::com {

std::string error_text(int number) {
  switch (number) {
    case kErrInvalidCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrOutOfMemory: return "Out of memory";
    case kErrSubscript: return "Subscript out of range";
    case kErrTypeMismatch: return "Type mismatch";
    case kErrInternal: return "Internal error";
    case kErrNoObject: return "Object variable or With block variable not set";
    case kErrInvalidNull: return "Invalid use of Null";
    case kErrCantCreate: return "Can't create object";
    case kErrNoMember: return "Object doesn't support this property or method";
    case kErrNotOptional: return "Argument not optional";
    case kErrWrongArgs: return "Wrong number of arguments or invalid property assignment";
    default: return "Application-defined or object-defined error";
  }
}

RuntimeError::RuntimeError(int n, std::string d)
    : number(n), description(d.empty() ? error_text(n) : std::move(d)) {}

RuntimeError::~RuntimeError() = default;

}  // namespace plat::com
