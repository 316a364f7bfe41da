// The library's entry points: self-registration and object creation.
#include "listviewcolor/ombrelis.h"
#include "platform/com/control_library.h"

BRENDALO_SINGLE_CLASS_LIBRARY(ombrelis::kClassName, ombrelis::Ombrelis)
