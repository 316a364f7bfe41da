#pragma once
// The help window's browser: a control of kind WebBrowser that shows one
// local HTML document at a time, with its links and pictures resolved from
// the document's own folder. It reaches no network.
#include <string>

#include "platform/forms/control.h"

namespace plat {

// The folder the program was started from, without a final separator.
// Tests may point it at another folder; an empty text gives the program's own back.
std::string program_folder();
void set_program_folder(std::string folder);

// Shows the HTML file at `path`. False, with an empty page and an empty
// LocationURL, when the file cannot be read.
bool navigate(Control& browser, const std::string& path);
// The file shown ("LocationURL"), empty when none.
std::string location(const Control& browser);
// The plain text of the page shown.
std::string document_text(const Control& browser);

}  // namespace plat
