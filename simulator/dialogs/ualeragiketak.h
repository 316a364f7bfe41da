#pragma once
// The ALU table `UALeragiketak` ("UALaren eragiketak"): the thirteen
// operations of the ALU with their four-bit codes in the boxes Text1(0..27).
// Closing it gives the main window the focus.
#include <array>

#include "platform/forms/form.h"

namespace brendalo {

class UALeragiketak : public plat::Form {
 public:
  static constexpr const char* kName = "UALeragiketak";
  UALeragiketak();

  // Code and operation texts, boxes 2k and 2k + 1 for k = 1..13 (k = 0 the headings).
  struct Row {
    const char* code;
    const char* operation;
  };
  static const std::array<Row, 14> kRows;

 protected:
  void Form_Unload(int16_t& Cancel) override;
};

}  // namespace brendalo
