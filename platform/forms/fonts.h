#pragma once
// Font names of the design-time layouts mapped to fonts that exist here.
#include <QFont>
#include <string>

namespace plat {

// The design font of every window.
inline constexpr const char* kDesignFontName = "MS Sans Serif";
inline constexpr double kDesignFontSize = 8.25;

// The installed family that stands in for `name` (the one place of the mapping).
QString font_family(const std::string& name);
// A font of `size_pt` points at 96 dots per inch, whatever the screen says,
// so captions keep the size they were designed with.
QFont make_font(const std::string& name, double size_pt, bool bold = false, bool italic = false,
                bool underline = false, bool strikeout = false);

}  // namespace plat
