#pragma once
// The step dialog of reprogramming `Birprogramaziorakopausoa` ("Birprogamaziorako
// pausoa"), opened from the File menu: the micro-address to change ("3".."21",
// the fetch and decode microinstructions 0..2 cannot be changed). "&Onartu"
// asks the question Galdera for it; "&Deuseztatu" closes the dialog.
#include "platform/forms/form.h"

namespace brendalo {

class Birprogramaziorakopausoa : public plat::Form {
 public:
  static constexpr const char* kName = "Birprogramaziorakopausoa";
  Birprogramaziorakopausoa();

  void Command3_Click(int Index);

 protected:
  void Form_Load() override;
};

}  // namespace brendalo
