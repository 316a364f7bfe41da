#pragma once
#include <cstdint>

#include "platform/forms/form.h"

namespace brendalo {

// The splash window: waits for a click on a language label, then loads the
// machine tables and fills the grids in eight timed steps before it shows
// the main window. Closed while it waits, it ends the program as "Irten"
// does; while it loads, it refuses to close and the loading goes on.
class Abiarazi : public plat::Form {
 public:
  static constexpr const char* kName = "Abiarazi";
  Abiarazi();

  int16_t abiarazten = 0;  // the start-up loading is running
  int16_t Balioa = 0;      // the progress value
  int16_t abiarazin = 0;   // from the load until the loading ends

  void Aplikazioa_abiarazi();
  void Timer3_Timer();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;

 private:
  void Language_label_MouseMove(bool basque);
  double value() { return ctl("ProgressBar1").get("Value").to_double(); }
  void set_value(double v) { ctl("ProgressBar1").set_value(v); }
  int16_t step_ = 0;
};

}  // namespace brendalo
