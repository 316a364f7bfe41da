#include "platform/forms/fonts.h"

#include <QString>
#include <cmath>

namespace plat {

QString font_family(const std::string& name) {
  const QString n = QString::fromStdString(name).trimmed();
  // Liberation Sans (fonts-liberation) stands in for the design's sans faces:
  // at the design size its hinted digits and blank have the design face's
  // advances (see make_font).
  if (n.isEmpty() || n.compare("MS Sans Serif", Qt::CaseInsensitive) == 0 ||
      n.compare("Arial", Qt::CaseInsensitive) == 0 || n.compare("Tahoma", Qt::CaseInsensitive) == 0 ||
      n.compare("Microsoft Sans Serif", Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Sans");
  if (n.compare("Courier New", Qt::CaseInsensitive) == 0 || n.compare("Courier", Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Mono");
  if (n.compare("Times New Roman", Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Serif");
  return n;
}

QFont make_font(const std::string& name, double size_pt, bool bold, bool italic, bool underline, bool strikeout) {
  QFont f(font_family(name));
  // Sized at 96 dpi, and fully hinted so that every advance is a whole pixel
  // as on the bitmap design face: at 8.25 points (11 px) a digit is 6 px and
  // a blank 3 px in both, so rulers and strips of digits that the layouts
  // line up with drawn cells stay lined up, and captions keep their width.
  f.setPixelSize(std::max(1, int(std::lround(size_pt * 96.0 / 72.0))));
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  f.setStrikeOut(strikeout);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace plat
