#pragma once
// The help window `Laguntza_edukia` ("Laguntza"): the user guide
// "ErabiltzaileGida.htm" from the program's folder in the browser
// WebBrowser1, and the shared status bar StatusBar1. Its load shows the
// guide; when the guide cannot be shown, the user who opens the window is
// told so in a message and the window opens empty. A load by a status-bar
// write (the window hidden) tells no one.
#include "platform/forms/form.h"

namespace brendalo {

inline constexpr const char* kUserGuideFile = "ErabiltzaileGida.htm";

class Laguntza_edukia : public plat::Form {
 public:
  static constexpr const char* kName = "Laguntza_edukia";
  Laguntza_edukia();

 protected:
  void Form_Load() override;

 private:
  friend void Open_help_window();
  // Navigates the browser to the guide; false when it cannot be shown.
  bool show_guide();
  bool guide_shown_ = false;
};

// The help commands of the main window: the window shown maximised, after
// the message when the guide cannot be shown (the guide is looked for again
// when an earlier load missed it).
void Open_help_window();

}  // namespace brendalo
