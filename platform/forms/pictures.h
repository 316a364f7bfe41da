#pragma once
// Pictures by name: a program registers the images its layouts name (toolbar
// icons, drawings); a name that is not registered is read as a file path.
#include <QImage>
#include <string>

namespace plat {
void register_picture(const std::string& name, const QImage& image);
QImage picture(const std::string& name);
}  // namespace plat
