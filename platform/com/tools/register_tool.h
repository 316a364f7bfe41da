#pragma once
// brendalo-register LIB...             registers each control library
// brendalo-register --unregister LIB...
// brendalo-register --all DIR          registers every control library in DIR
//                                      (a "*.so" that cannot be loaded is
//                                      named, with why, and fails the run;
//                                      one without the registration entry
//                                      is passed over)
//
// One line per class registered (per library unregistered) says what
// became of it: stored in the registry, or not, when the registry cannot be
// written. A change held at first and written by a later update of the same
// run is reported again, as stored, before the closing "registry: PATH"
// line: the last line naming a class (a library) tells what the file holds.
// Exit code 1 when anything failed or is not stored at the end; 2, with
// nothing done, for an unknown option.
#include <string>
#include <vector>

namespace plat::com {

// The tool's work, its arguments without the program name; gives the exit
// code.
int brendalo_register(const std::vector<std::string>& args);

}  // namespace plat::com
