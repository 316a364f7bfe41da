#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Aginduenformatua`: the reference picture of the instruction
// formats, each instruction with its assembly form, operation and fields.
class Aginduenformatua : public plat::Form {
 public:
  static constexpr const char* kName = "Aginduenformatua";
  Aginduenformatua();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

}  // namespace brendalo
