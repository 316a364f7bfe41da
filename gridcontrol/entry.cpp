// The library's entry points: self-registration and object creation.
#include "gridcontrol/nadrel.h"
#include "platform/com/control_library.h"

BRENDALO_SINGLE_CLASS_LIBRARY(nadrel::kClassName, nadrel::Nadrel)
