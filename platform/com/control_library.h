#pragma once
// The three entry points of a control library that provides one class:
// registration under the class name with the library's own path,
// unregistration, and creation of `Type` (default-constructed) when asked
// for that class name, matched without regard to case.
//
//   BRENDALO_SINGLE_CLASS_LIBRARY("OmbrelisControl.Ombrelis", ombrelis::Ombrelis)
#include <QString>
#include <exception>

#include "platform/com/registry.h"

#define BRENDALO_SINGLE_CLASS_LIBRARY(class_name, Type)                                                       \
  BRENDALO_CONTROL_EXPORT int brendalo_register_server() {                                                   \
    try {                                                                                                    \
      plat::com::register_class(                                                                             \
          class_name, plat::com::library_path_of(reinterpret_cast<const void*>(&brendalo_register_server))); \
      return 0;                                                                                              \
    } catch (const std::exception&) {                                                                        \
      return 1;                                                                                              \
    }                                                                                                        \
  }                                                                                                          \
  BRENDALO_CONTROL_EXPORT int brendalo_unregister_server() {                                                 \
    try {                                                                                                    \
      plat::com::unregister_class(class_name);                                                               \
      return 0;                                                                                              \
    } catch (const std::exception&) {                                                                        \
      return 1;                                                                                              \
    }                                                                                                        \
  }                                                                                                          \
  BRENDALO_CONTROL_EXPORT plat::com::Control* brendalo_create_object(const char* requested) {                \
    if (!requested || QString(requested).compare(class_name, Qt::CaseInsensitive) != 0) return nullptr;     \
    return new Type();                                                                                       \
  }
