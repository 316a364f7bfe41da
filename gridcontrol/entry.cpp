// The library's entry points: self-registration and object creation.
#include "gridcontrol/nadrel.h"
#include "platform/com/registry.h"

BRENDALO_CONTROL_EXPORT int brendalo_register_server() {
  try {
    plat::com::register_class(nadrel::kClassName,
                              plat::com::library_path_of(reinterpret_cast<const void*>(&brendalo_register_server)));
    return 0;
  } catch (const std::exception&) {
    return 1;
  }
}

BRENDALO_CONTROL_EXPORT int brendalo_unregister_server() {
  try {
    plat::com::unregister_class(nadrel::kClassName);
    return 0;
  } catch (const std::exception&) {
    return 1;
  }
}

BRENDALO_CONTROL_EXPORT plat::com::Control* brendalo_create_object(const char* class_name) {
  if (!class_name || QString(class_name).compare(nadrel::kClassName, Qt::CaseInsensitive) != 0) return nullptr;
  return new nadrel::Nadrel();
}
