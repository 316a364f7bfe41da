#pragma once
// The class registry: which library provides which control class.
//
// The registry is a text file, BRENDALO_REGISTRY when that is set, else
// "brendalo/registry.ini" in the user's data folder. Each line under
// "[Classes]" reads "ClassName=/absolute/path/of/library.so"; class names
// match without regard to case.
//
// A control library exports three C entry points (see BRENDALO_CONTROL_EXPORT):
//   int brendalo_register_server(void)    writes its classes and its own path
//   int brendalo_unregister_server(void)  removes them             (0 = done)
//   plat::com::Control* brendalo_create_object(const char* class_name)
//                                          a new object, or null for a class
//                                          it does not provide
// Libraries, once loaded, stay loaded for the life of the process.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/com/control.h"

#define BRENDALO_CONTROL_EXPORT extern "C" __attribute__((visibility("default")))

namespace plat::com {

inline constexpr const char* kRegisterEntry = "brendalo_register_server";
inline constexpr const char* kUnregisterEntry = "brendalo_unregister_server";
inline constexpr const char* kCreateEntry = "brendalo_create_object";

using RegisterFn = int (*)();
using CreateFn = Control* (*)(const char*);

std::string registry_path();

void register_class(std::string_view class_name, std::string_view library_path);
// False when the class was not registered.
bool unregister_class(std::string_view class_name);
std::optional<std::string> registered_library(std::string_view class_name);
// (class name, library path) in file order.
std::vector<std::pair<std::string, std::string>> registered_classes();

// A new object of a registered class. Throws RuntimeError 429 naming the
// class when it is unknown, its library cannot be loaded or does not
// provide it.
std::shared_ptr<Control> create_object(std::string_view class_name);

// The absolute path of the loaded library that holds `address` (one of the
// library's own functions).
std::string library_path_of(const void* address);

// Whether a file is a loadable library exporting the registration entry.
bool is_control_library(const std::string& path);
// Loads a library and calls its registration (or unregistration) entry;
// returns the classes registered from it. Throws RuntimeError with the
// library's name when it cannot be loaded or has no entry point.
std::vector<std::string> register_library(const std::string& path);
void unregister_library(const std::string& path);
// Registers the control libraries found in `dir` (every one, or with
// `only_new` those no registered class points at yet); returns the classes
// registered. A library that fails is reported on stderr and skipped.
std::vector<std::string> register_libraries_in(const std::string& dir, bool only_new);

}  // namespace plat::com
