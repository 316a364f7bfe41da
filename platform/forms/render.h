#pragma once
// Renders a window, shown or not, to an image or a PNG file.
#include <QImage>
#include <string>

namespace plat {
class Form;
QImage render_form(Form& f);
bool save_form_png(Form& f, const std::string& path);
}  // namespace plat
