#pragma once
// What the forms layer keeps for a hosted component (internal).
#include <memory>
#include <string>

#include "platform/com/control.h"

namespace plat {

struct HostedState {
  std::shared_ptr<com::Control> component;
  std::unique_ptr<com::Extender> extender;
  std::unique_ptr<com::Site> site;
  std::unique_ptr<com::ExtendedControl> extended;
  std::string error;
  int cookie = 0;
  ~HostedState() {
    extended.reset();
    if (component && cookie) component->disconnect(cookie);
    component.reset();  // before the site it points at
  }
};

}  // namespace plat
