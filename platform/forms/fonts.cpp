#include "platform/forms/fonts.h"

#include <QString>
#include <cmath>

namespace plat {

QString font_family(const std::string& name) {
  const QString n = QString::fromStdString(name).trimmed();
  // Liberation Sans (fonts-liberation) is metric-compatible with the sans
  // faces the layouts were drawn with, so captions stay inside their boxes.
  if (n.isEmpty() || n.compare("MS Sans Serif", Qt::CaseInsensitive) == 0 ||
      n.compare("Arial", Qt::CaseInsensitive) == 0 || n.compare("Tahoma", Qt::CaseInsensitive) == 0 ||
      n.compare("Microsoft Sans Serif", Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Sans");
  if (n.compare("Courier New", Qt::CaseInsensitive) == 0 || n.compare("Courier", Qt::CaseInsensitive) == 0)
    return QStringLiteral("Liberation Mono");
  if (n.compare("Times New Roman", Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Serif");
  return n;
}

namespace {
bool is_design_face(const std::string& name) {
  const QString n = QString::fromStdString(name).trimmed();
  return n.isEmpty() || n.compare("MS Sans Serif", Qt::CaseInsensitive) == 0;
}
}  // namespace

QFont make_font(const std::string& name, double size_pt, bool bold, bool italic, bool underline, bool strikeout) {
  QFont f(font_family(name));
  double px = size_pt * 96.0 / 72.0;
  // The design face is about a tenth narrower than Liberation Sans at the
  // same size; a tenth smaller keeps every caption inside its box.
  if (is_design_face(name)) px *= 10.0 / 11.0;
  f.setPixelSize(std::max(1, int(std::lround(px))));
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  f.setStrikeOut(strikeout);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace plat
