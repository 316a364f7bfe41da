// Label, Line, Shape and Image: painted by their container in z-order,
// below every windowed control; a write repaints what they cover.
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "platform/forms/kinds.h"
#include "platform/forms/pictures.h"
#include "platform/forms/units.h"

namespace plat {

void Kinds::apply_windowless(Control& c, std::string_view prop) {
  QWidget* s = parent_surface(c);
  if (!s) return;
  auto is = [&](const char* n) { return is_prop(prop, n); };
  // A new colour or text repaints only the control's own area; a control
  // that moves, grows or changes its picture repaints its container.
  const bool same_place = is_windowless(c.kind()) && !is("Left") && !is("Top") && !is("Width") && !is("Height") &&
                          !is("X1") && !is("Y1") && !is("X2") && !is("Y2") && !is("BorderWidth") &&
                          !is("Picture") && !is("Stretch");
  if (same_place) {
    s->update(bounds(c));
  } else {
    c.bounds_known_ = false;
    s->update();
  }
}

QRect Kinds::bounds(const Control& c) {
  if (c.bounds_known_) return QRect(c.bounds_[0], c.bounds_[1], c.bounds_[2], c.bounds_[3]);
  QRect r;
  if (c.kind() == Kind::Line) {
    const int w = std::max(1, c.border_width());
    const QPoint a(px(c.get("X1").to_double()), px(c.get("Y1").to_double()));
    const QPoint b(px(c.get("X2").to_double()), px(c.get("Y2").to_double()));
    r = QRect(a, b).normalized().adjusted(-w, -w, w, w);
  } else {
    r = box_px(c);
    if (c.kind() == Kind::Image && !c.get("Stretch").to_bool()) {
      // An image that is not stretched shows at its own size.
      const QImage img = picture(c.get("Picture").to_string());
      r = r.united(QRect(r.topLeft(), img.size()));
    }
  }
  c.bounds_[0] = r.x();
  c.bounds_[1] = r.y();
  c.bounds_[2] = r.width();
  c.bounds_[3] = r.height();
  c.bounds_known_ = true;
  return r;
}

void Kinds::paint_label(QPainter& p, const Control& c) {
  const QRect r = box_px(c);
  p.setClipRect(r);
  if (c.get("BackStyle").to_int() != 0) p.fillRect(r, color_of(c, "BackColor"));
  if (c.get("BorderStyle").to_int() == 1) {
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  p.setFont(font_of(c));
  p.setPen(c.enabled() ? color_of(c, "ForeColor") : QColor(128, 128, 128));
  const int inset = c.get("BorderStyle").to_int() == 1 ? 1 : 0;
  p.drawText(r.adjusted(inset, inset, -inset, -inset),
             int(text_alignment(c)) | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
             QString::fromStdString(c.caption()));
}

void Kinds::paint_line(QPainter& p, const Control& c) {
  const int style = int(c.get("BorderStyle").to_int());
  if (style == 0) return;
  const int w = std::max(1, c.border_width());
  QPen pen(color_of(c, "BorderColor"), w);
  pen.setCapStyle(w > 1 ? Qt::RoundCap : Qt::SquareCap);
  if (style == 2) pen.setStyle(Qt::DashLine);
  if (style == 3) pen.setStyle(Qt::DotLine);
  p.setPen(pen);
  p.drawLine(QPoint(px(c.get("X1").to_double()), px(c.get("Y1").to_double())),
             QPoint(px(c.get("X2").to_double()), px(c.get("Y2").to_double())));
}

void Kinds::paint_shape(QPainter& p, const Control& c) {
  const QRect r = box_px(c);
  const int kind = int(c.get("Shape").to_int());
  QRect s = r;
  if (kind == 1 || kind == 3 || kind == 5) {  // square forms keep the smaller side, centred
    const int side = std::min(r.width(), r.height());
    s = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
  }
  const int bw = std::max(1, c.border_width());
  QBrush brush = Qt::NoBrush;
  if (c.get("FillStyle").to_int() == 0)
    brush = color_of(c, "FillColor");
  else if (c.get("BackStyle").to_int() == 1)
    brush = color_of(c, "BackColor");
  if (c.get("BorderStyle").to_int() == 0) {
    p.setPen(Qt::NoPen);
  } else {
    QPen pen(color_of(c, "BorderColor"), bw);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
  }
  p.setBrush(brush);
  // The border lies inside the box.
  const QRectF inner = QRectF(s).adjusted(bw / 2.0, bw / 2.0, -bw / 2.0, -bw / 2.0);
  if (kind == 2 || kind == 3) {
    p.setRenderHint(QPainter::Antialiasing);
    p.drawEllipse(inner);
  } else if (kind == 4 || kind == 5) {
    p.setRenderHint(QPainter::Antialiasing);
    const double rad = std::min(s.width(), s.height()) / 8.0;
    p.drawRoundedRect(inner, rad, rad);
  } else {
    p.drawRect(inner);
  }
}

void Kinds::paint_image(QPainter& p, const Control& c) {
  const QImage img = picture(c.get("Picture").to_string());
  if (img.isNull()) return;
  const QRect r = box_px(c);
  if (c.get("Stretch").to_bool())
    p.drawImage(r, img);
  else
    p.drawImage(r.topLeft(), img);
}

}  // namespace plat
