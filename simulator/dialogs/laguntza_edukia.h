#pragma once
// The help window `Laguntza_edukia` ("Laguntza"): the user guide
// "ErabiltzaileGida.htm" from the program's folder in the browser
// WebBrowser1, and the shared status bar StatusBar1. When the guide cannot
// be shown the window says so in a message and stays open, empty.
#include "platform/forms/form.h"

namespace brendalo {

inline constexpr const char* kUserGuideFile = "ErabiltzaileGida.htm";

class Laguntza_edukia : public plat::Form {
 public:
  static constexpr const char* kName = "Laguntza_edukia";
  Laguntza_edukia();

 protected:
  void Form_Load() override;
};

}  // namespace brendalo
