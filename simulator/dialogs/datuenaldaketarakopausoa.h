#pragma once
// The step dialog of a data change `Datuenaldaketarakopausoa` ("Datuen
// aldaketarako pausoa"), opened from the File menu: the vector ("A", "B")
// and the component ("0".."15") of the word to change. "&Onartu" fills the
// editor Datuenaldaketa with that word and shows it; "&Deuseztatu" closes.
// This road disables no window.
#include "platform/forms/form.h"

namespace brendalo {

class Datuenaldaketarakopausoa : public plat::Form {
 public:
  static constexpr const char* kName = "Datuenaldaketarakopausoa";
  Datuenaldaketarakopausoa();

  void Command3_Click(int Index);

 protected:
  void Form_Load() override;
};

}  // namespace brendalo
