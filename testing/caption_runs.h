#pragma once
// Where the words of a left-aligned label's caption stand when the label is
// drawn in its font, as the platform maps it: each run of non-blank
// characters with the first and one past the last pixel column of its ink,
// within the container.
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/fonts.h"

namespace brendalo {

struct CaptionRun {
  QString text;
  double left, right;
};

inline std::vector<CaptionRun> caption_runs(const plat::Control& label) {
  const QFont font = plat::make_font(label.get("FontName").to_string(), label.get("FontSize").to_double(),
                                     label.get("FontBold").to_bool());
  const QFontMetricsF fm(font);
  const QString s = QString::fromStdString(label.caption());
  const double x0 = label.get("Left").to_double() / 15;
  std::vector<CaptionRun> runs;
  for (qsizetype i = 0; i < s.size();) {
    if (s[i] == ' ') {
      ++i;
      continue;
    }
    qsizetype j = i;
    while (j < s.size() && s[j] != ' ') ++j;
    const QString word = s.mid(i, j - i);
    // The word drawn alone, its pen 8 pixels in: the columns that take ink.
    QImage img(int(fm.horizontalAdvance(word)) + 16, int(fm.height()) + 4, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    {
      QPainter p(&img);
      p.setFont(font);
      p.setPen(Qt::black);
      p.drawText(QPointF(8, fm.ascent() + 2), word);
    }
    int first = img.width(), last = -1;
    for (int x = 0; x < img.width(); ++x)
      for (int y = 0; y < img.height(); ++y)
        if (qAlpha(img.pixel(x, y)) > 0) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
    const double pen = x0 + fm.horizontalAdvance(s.left(i)) - 8;
    runs.push_back({word, pen + first, pen + last + 1});
    i = j;
  }
  return runs;
}

}  // namespace brendalo
