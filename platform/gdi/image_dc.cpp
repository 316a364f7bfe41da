#include "platform/gdi/image_dc.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>
#include <unordered_map>
#include <vector>

namespace plat::gdi {

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

// 0xAARRGGBB pixel of a packed (or system) colour.
std::uint32_t to_pixel(COLORREF color) {
  const std::uint32_t v = resolve_color(color);
  return 0xFF000000u | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

COLORREF to_packed(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
}

COLORREF sys(int index) { return kSystemColorFlag | std::uint32_t(index); }

Rect intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// The result of a binary raster operation: the operation's number less one
// is the truth table, bit (2 * pen + destination), applied bit by bit.
std::uint32_t apply_rop(int rop, std::uint32_t pen, std::uint32_t dst) {
  if (rop < R2_BLACK || rop > R2_WHITE) rop = R2_COPYPEN;
  const unsigned table = unsigned(rop - 1);
  std::uint32_t out = 0;
  if (table & 1) out |= ~pen & ~dst;
  if (table & 2) out |= ~pen & dst;
  if (table & 4) out |= pen & ~dst;
  if (table & 8) out |= pen & dst;
  return 0xFF000000u | (out & kRgbMask);
}

// On and off runs of the dashed pens.
std::span<const int> dash_pattern(int style) {
  static constexpr std::array<int, 2> dash = {18, 6};
  static constexpr std::array<int, 2> dot = {3, 3};
  static constexpr std::array<int, 4> dash_dot = {9, 6, 3, 6};
  static constexpr std::array<int, 6> dash_dot_dot = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dash_dot;
    case PS_DASHDOTDOT: return dash_dot_dot;
    default: return {};
  }
}

// A pen's pattern walked pixel by pixel from step `start` on: the on runs
// are the even ones.
class Dashes {
 public:
  Dashes(std::span<const int> pattern, long long start) : pattern_(pattern) {
    if (pattern_.empty()) return;
    long long total = 0;
    for (int n : pattern_) total += n;
    long long k = start % total;
    while (k >= pattern_[run_]) k -= pattern_[run_++];
    left_ = pattern_[run_] - int(k);
  }
  bool on() const { return pattern_.empty() || run_ % 2 == 0; }
  void next() {
    if (pattern_.empty() || --left_ > 0) return;
    run_ = (run_ + 1) % pattern_.size();
    left_ = pattern_[run_];
  }

 private:
  std::span<const int> pattern_;
  size_t run_ = 0;
  int left_ = 0;
};

// The pixels of an image, reached without a detach or a look-up per pixel.
class Pixels {
 public:
  explicit Pixels(QImage& im)
      : base_(im.isNull() ? nullptr : reinterpret_cast<std::uint32_t*>(im.bits())), stride_(im.bytesPerLine() / 4) {}
  std::uint32_t* row(int y) const { return base_ + qsizetype(y) * stride_; }
  qsizetype stride() const { return stride_; }

 private:
  std::uint32_t* base_;
  qsizetype stride_;
};

// Lines of text shaped once per text, font and resolution, for the next
// drawing of the same text: the grids draw the same texts again and again.
// Drawing the kept glyph runs gives the pixels drawing the text gives.
struct ShapedLine {
  QList<QGlyphRun> runs;
  qreal ascent = 0;  // of the runs' positions above their baseline
  int advance = -1;  // measured when an alignment first needs it
  int width(const QFontMetrics& fm, const QString& text) {
    if (advance < 0) advance = fm.horizontalAdvance(text);
    return advance;
  }
};

class ShapedLines {
 public:
  ShapedLine& get(const QFont& font, const QString& text, QPaintDevice* device) {
    Key key{font, text, device->logicalDpiY()};
    if (auto it = lines_.find(key); it != lines_.end()) return it->second;
    if (lines_.size() >= kMaxLines) lines_.clear();  // a bound, not a policy: texts repeat
    ShapedLine shaped;
    QTextLayout layout(text, font, device);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    shaped.runs = layout.glyphRuns();
    shaped.ascent = line.isValid() ? line.ascent() : 0;
    return lines_.emplace(std::move(key), std::move(shaped)).first->second;
  }

 private:
  struct Key {
    QFont font;
    QString text;
    int dpi = 0;
    bool operator==(const Key&) const = default;
  };
  struct Hash {
    size_t operator()(const Key& k) const { return qHash(k.text, qHash(k.font, size_t(k.dpi))); }
  };
  static constexpr size_t kMaxLines = 4096;
  std::unordered_map<Key, ShapedLine, Hash> lines_;
};

ShapedLines& shaped_lines() {
  // The user-interface thread's; never destroyed, as its glyph runs hold
  // font engines that must not outlive the application.
  static ShapedLines* lines = new ShapedLines;
  return *lines;
}

// Texts with control characters (a Tab) are drawn as they come: their
// decorations differ from the kept runs'.
bool shapes_alike(const QString& s) {
  return std::none_of(s.begin(), s.end(), [](QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u < 0xA0);
  });
}

// The classic 7 x 7 check mark.
constexpr std::array<const char*, 7> kCheckMark = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

}  // namespace

QImage MakeSurfaceImage(int width, int height, COLORREF fill) {
  QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  const int dpm = int(kLogicalDpi / 0.0254 + 0.5);
  image.setDotsPerMeterX(dpm);
  image.setDotsPerMeterY(dpm);
  image.setDevicePixelRatio(1.0);
  image.fill(to_pixel(fill));
  return image;
}

COLORREF PixelAt(const QImage& image, int x, int y) {
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return 0;
  return to_packed(image.pixel(x, y));
}

ImageDC::ImageDC(QImage* image) : image_(image) {
  if (image_->format() != QImage::Format_RGB32) *image_ = image_->convertToFormat(QImage::Format_RGB32);
}

QImage& ImageDC::target() { return *image_; }

Rect ImageDC::drawable() {
  const QImage& im = target();
  const Rect all{0, 0, im.width(), im.height()};
  return clip() ? intersect(all, *clip()) : all;
}

Rect ImageDC::clientRect() const {
  const QImage& im = target();
  return {0, 0, im.width(), im.height()};
}

void ImageDC::fill(const Rect& r, COLORREF color) {
  const Rect c = intersect(r, drawable());
  if (c.empty()) return;
  QImage& im = target();
  const std::uint32_t px = to_pixel(color);
  const Pixels pixels(im);
  for (int y = c.top; y < c.bottom; ++y) std::fill(pixels.row(y) + c.left, pixels.row(y) + c.right, px);
}

void ImageDC::clear(COLORREF color) {
  if (clip()) fill(*clip(), color);
  else target().fill(to_pixel(color));
  moveTo({0, 0});
}

bool ImageDC::fillRect(const Rect& r, HBRUSH brush) {
  const auto color = BrushColor(brush);
  if (!color) return false;
  fill(r, *color);
  return true;
}

bool ImageDC::drawEdge(Rect& r, unsigned edge, unsigned flags) {
  struct Ring {
    COLORREF top_left, bottom_right;
  };
  std::vector<Ring> rings;
  if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
    if (flags & BF_MONO) rings.push_back({sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME)});
    else if (flags & BF_FLAT) rings.push_back({sys(COLOR_BTNSHADOW), sys(COLOR_BTNSHADOW)});
    else if (edge & BDR_RAISEDOUTER) rings.push_back({sys(COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW)});
    else rings.push_back({sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT)});
  }
  if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
    if (flags & BF_MONO) rings.push_back({sys(COLOR_WINDOW), sys(COLOR_WINDOW)});
    else if (flags & BF_FLAT) rings.push_back({sys(COLOR_BTNFACE), sys(COLOR_BTNFACE)});
    else if (edge & BDR_RAISEDINNER) rings.push_back({sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW)});
    else rings.push_back({sys(COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT)});
  }

  // Rings go from the outside in; the bottom-right lines run the full length
  // of their side and so own the two corners they share with the others.
  Rect cur = r;
  for (const Ring& ring : rings) {
    if (cur.empty()) break;
    const int right_end = cur.right - ((flags & BF_RIGHT) ? 1 : 0);
    const int bottom_end = cur.bottom - ((flags & BF_BOTTOM) ? 1 : 0);
    if (flags & BF_TOP) fill({cur.left, cur.top, right_end, cur.top + 1}, ring.top_left);
    if (flags & BF_LEFT) fill({cur.left, cur.top, cur.left + 1, bottom_end}, ring.top_left);
    if (flags & BF_RIGHT) fill({cur.right - 1, cur.top, cur.right, cur.bottom}, ring.bottom_right);
    if (flags & BF_BOTTOM) fill({cur.left, cur.bottom - 1, cur.right, cur.bottom}, ring.bottom_right);
    if (flags & BF_LEFT) ++cur.left;
    if (flags & BF_TOP) ++cur.top;
    if (flags & BF_RIGHT) --cur.right;
    if (flags & BF_BOTTOM) --cur.bottom;
  }
  if (flags & BF_MIDDLE) fill(cur, sys((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
  if (flags & BF_ADJUST) r = cur;
  return true;
}

int ImageDC::drawText(std::string_view text, Rect& r, unsigned format) {
  QString s = QString::fromLatin1(text.data(), qsizetype(text.size()));

  // Mnemonic prefixes: "&x" underlines x, "&&" is a plain '&'.
  qsizetype mnemonic = -1;
  if (!(format & DT_NOPREFIX) && s.contains(u'&')) {
    QString plain;
    plain.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
      if (s[i] != u'&') {
        plain += s[i];
      } else if (i + 1 < s.size()) {
        if (s[i + 1] != u'&') mnemonic = plain.size();
        plain += s[++i];
      }
    }
    s = plain;
  }

  const bool single = format & DT_SINGLELINE;
  QStringList lines;
  if (single) {
    lines << s;
  } else {
    for (QString& line : s.split(u'\n')) {
      if (line.endsWith(u'\r')) line.chop(1);
      lines << line;
    }
  }

  QImage& im = target();
  const QFontMetrics fm(font(), &im);
  const int line_height = fm.height();
  const int total_height = line_height * int(lines.size());
  auto advance = [&](const QString& line) {
    return shapes_alike(line) ? shaped_lines().get(font(), line, &im).width(fm, line) : fm.horizontalAdvance(line);
  };
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, advance(line));
    r.right = r.left + widest;
    r.bottom = r.top + total_height;
    return total_height;
  }

  int y = r.top;
  if (single && (format & DT_VCENTER)) y = r.top + (r.height() - line_height) / 2;
  else if (single && (format & DT_BOTTOM)) y = r.bottom - line_height;
  const int result = single && (format & (DT_VCENTER | DT_BOTTOM)) ? y + line_height - r.top : total_height;

  if (!(format & DT_NOCLIP) && r.empty()) return result;
  if (s.isEmpty()) return result;  // nothing to draw
  QPainter painter(&im);
  if (!(format & DT_NOCLIP)) painter.setClipRect(ToQRect(r));
  if (clip()) painter.setClipRect(ToQRect(*clip()), (format & DT_NOCLIP) ? Qt::ReplaceClip : Qt::IntersectClip);
  const QColor color = to_qcolor(textColor());
  painter.setPen(color);
  qsizetype offset = 0;  // of the current line in the text, to place the mnemonic
  for (const QString& line : lines) {
    ShapedLine* shaped = shapes_alike(line) ? &shaped_lines().get(font(), line, &im) : nullptr;
    const int width = (format & (DT_CENTER | DT_RIGHT)) ? (shaped ? shaped->width(fm, line) : fm.horizontalAdvance(line)) : 0;
    int x = r.left;
    if (format & DT_CENTER) x = r.left + (r.width() - width) / 2;
    else if (format & DT_RIGHT) x = r.right - width;
    const int baseline = y + fm.ascent();
    if (shaped) {
      for (const QGlyphRun& run : shaped->runs) painter.drawGlyphRun(QPointF(x, baseline - shaped->ascent), run);
    } else if (!line.isEmpty()) {
      painter.setFont(font());
      painter.drawText(QPoint(x, baseline), line);
    }
    if (mnemonic >= offset && mnemonic < offset + line.size()) {
      const qsizetype k = mnemonic - offset;
      const int ux = x + fm.horizontalAdvance(line.left(k));
      const int uw = fm.horizontalAdvance(line.mid(k, 1));
      painter.fillRect(QRect(ux, y + fm.ascent() + std::max(1, fm.underlinePos()), uw,
                             std::max(1, fm.lineWidth())),
                       color);
    }
    offset += line.size() + 1;
    y += line_height;
  }
  return result;
}

bool ImageDC::drawFrameControl(const Rect& r, unsigned type, unsigned state) {
  if (type != DFC_BUTTON) return false;
  const unsigned kind = state & 0xFF;
  const unsigned style = ((state & DFCS_FLAT) ? BF_FLAT : 0) | ((state & DFCS_MONO) ? BF_MONO : 0);
  if (kind == DFCS_BUTTONPUSH) {
    Rect face = r;
    drawEdge(face, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | style);
    return true;
  }
  if (kind != DFCS_BUTTONCHECK) return false;
  if (r.empty()) return true;

  const int side = std::min(r.width(), r.height());
  Rect box{r.left + (r.width() - side) / 2, r.top + (r.height() - side) / 2, 0, 0};
  box.right = box.left + side;
  box.bottom = box.top + side;
  drawEdge(box, EDGE_SUNKEN, BF_RECT | BF_ADJUST | style);
  fill(box, sys((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW));
  if (state & DFCS_CHECKED) {
    const int inner = std::min(box.width(), box.height());
    const int scale = std::max(1, inner / 9);
    const int extent = 7 * scale;
    const int left = box.left + (box.width() - extent) / 2;
    const int top = box.top + (box.height() - extent) / 2;
    const COLORREF mark = sys((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 7; ++col)
        if (kCheckMark[size_t(row)][col] == '#') {
          const int x = left + col * scale, y = top + row * scale;
          fill(intersect({x, y, x + scale, y + scale}, box), mark);
        }
  }
  return true;
}

bool ImageDC::lineTo(Point p) {
  const Point a = currentPosition();
  setCurrentPosition(p);
  const Pen& pen = this->pen();
  if (pen.style == PS_NULL) return true;

  const long long dx = (long long)p.x - a.x, dy = (long long)p.y - a.y;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const long long major_len = x_major ? std::llabs(dx) : std::llabs(dy);
  const long long minor_len = x_major ? std::llabs(dy) : std::llabs(dx);
  if (major_len == 0) return true;
  const long long phase = dashPhase();
  setDashPhase(int((phase + major_len) % 7200));  // a multiple of every pattern's length
  const int width = std::max(1, pen.width);
  const std::span<const int> pattern = width > 1 ? std::span<const int>{} : dash_pattern(pen.style);

  QImage& im = target();
  const int w = im.width(), h = im.height();
  // Pixels that may change: inside the image and the clip.
  const Rect area = drawable();
  if (area.empty()) return true;
  const long long major_lo = x_major ? area.left : area.top, major_hi = x_major ? area.right : area.bottom;
  const long long minor_lo = x_major ? area.top : area.left, minor_hi = x_major ? area.bottom : area.right;
  const long long a_major = x_major ? a.x : a.y, a_minor = x_major ? a.y : a.x;
  const int s_major = (x_major ? dx : dy) < 0 ? -1 : 1;
  const int s_minor = (x_major ? dy : dx) < 0 ? -1 : 1;
  const long long extent = x_major ? w : h;

  // Only the steps whose major coordinate can touch the image (widened by
  // the pen) are walked, so a line far past the surface costs nothing.
  const long long reach = width;
  long long first = 0, last = major_len;  // [first, last)
  if (s_major > 0) {
    first = std::max(first, -a_major - reach);
    last = std::min(last, extent - a_major + reach);
  } else {
    first = std::max(first, a_major - extent - reach);
    last = std::min(last, a_major + 1 + reach);
  }
  if (first >= last) return true;

  const std::uint32_t pen_px = to_pixel(pen.color);
  const int rop = rop2();
  const Pixels pixels(im);
  auto mix = [rop, pen_px](std::uint32_t* px) { *px = rop == R2_COPYPEN ? pen_px : apply_rop(rop, pen_px, *px); };

  if (width == 1 && minor_len == 0) {
    // A straight line, the grid's every line: walked along its row or
    // column, only over the steps that land in the image.
    if (a_minor < minor_lo || a_minor >= minor_hi) return true;
    if (s_major > 0) {
      first = std::max(first, major_lo - a_major);
      last = std::min(last, major_hi - a_major);
    } else {
      first = std::max(first, a_major - major_hi + 1);
      last = std::min(last, a_major - major_lo + 1);
    }
    if (first >= last) return true;
    const long long start = a_major + first * s_major;
    std::uint32_t* px = x_major ? pixels.row(int(a_minor)) + start : pixels.row(int(start)) + a_minor;
    const qsizetype step = x_major ? s_major : s_major * pixels.stride();
    Dashes dashes(pattern, phase + first);
    for (long long i = first; i < last; ++i, px += step, dashes.next())
      if (dashes.on()) mix(px);
    return true;
  }

  auto point_at = [&](long long i, long long& x, long long& y) {
    const long long major = a_major + i * s_major;
    // Rounded to the nearest pixel; wide arithmetic, as both lengths may span
    // the int range.
    const __int128 step = (__int128(2) * i * minor_len + major_len) / (__int128(2) * major_len);
    const long long minor = a_minor + s_minor * (long long)step;
    x = x_major ? major : minor;
    y = x_major ? minor : major;
  };

  if (width == 1) {
    Dashes dashes(pattern, phase + first);
    for (long long i = first; i < last; ++i, dashes.next()) {
      if (!dashes.on()) continue;
      long long x, y;
      point_at(i, x, y);
      if (x < area.left || y < area.top || x >= area.right || y >= area.bottom) continue;
      mix(pixels.row(int(y)) + x);
    }
    return true;
  }

  // A wide pen: a square stamp at every point, each pixel mixed once.
  std::vector<std::uint8_t> mask(size_t(w) * size_t(h), 0);
  const int lo = -(width - 1) / 2, hi = width / 2;
  for (long long i = first; i < last; ++i) {
    long long x, y;
    point_at(i, x, y);
    for (long long yy = std::max(0LL, y + lo); yy <= std::min<long long>(h - 1, y + hi); ++yy)
      for (long long xx = std::max(0LL, x + lo); xx <= std::min<long long>(w - 1, x + hi); ++xx)
        mask[size_t(yy) * size_t(w) + size_t(xx)] = 1;
  }
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint32_t* line = pixels.row(y);
    for (int x = area.left; x < area.right; ++x)
      if (mask[size_t(y) * size_t(w) + size_t(x)]) mix(line + x);
  }
  return true;
}

bool ImageDC::drawFocusRect(const Rect& r) {
  QImage& im = target();
  if (r.empty()) return true;
  const Rect area = drawable();
  const Pixels pixels(im);
  for (int y = std::max(r.top, area.top); y < std::min(r.bottom, area.bottom); ++y) {
    std::uint32_t* line = pixels.row(y);
    auto dot = [&](int x) {
      if (x >= area.left && x < area.right && (x + y) % 2 == 0) line[x] ^= kRgbMask;
    };
    if (y == r.top || y == r.bottom - 1) {
      for (int x = std::max(r.left, area.left); x < std::min(r.right, area.right); ++x) dot(x);
    } else {
      dot(r.left);
      if (r.right - 1 != r.left) dot(r.right - 1);
    }
  }
  return true;
}

bool ImageDC::invertRect(const Rect& r) {
  QImage& im = target();
  const Rect c = intersect(r, drawable());
  if (c.empty()) return true;
  const Pixels pixels(im);
  for (int y = c.top; y < c.bottom; ++y) {
    std::uint32_t* line = pixels.row(y);
    for (int x = c.left; x < c.right; ++x) line[x] ^= kRgbMask;
  }
  return true;
}

bool ImageDC::scrollDC(int dx, int dy, const Rect* scroll, const Rect* clip, Rect* update) {
  QImage& im = target();
  const Rect all{0, 0, im.width(), im.height()};
  const Rect src = scroll ? intersect(*scroll, all) : all;
  const Rect area = intersect(clip ? intersect(*clip, all) : all, drawable());

  // Destination: the moved source, kept within the clip. Offsets are
  // clamped so that no sum overflows; a move that large leaves nothing.
  auto shift = [](int v, int d) { return int(std::clamp<long long>((long long)v + d, -(1LL << 30), 1LL << 30)); };
  Rect dst{shift(src.left, dx), shift(src.top, dy), shift(src.right, dx), shift(src.bottom, dy)};
  dst = intersect(dst, area);
  if (!src.empty() && !dst.empty()) {
    const QImage moved = im.copy(dst.left - dx, dst.top - dy, dst.width(), dst.height());
    for (int y = 0; y < moved.height(); ++y)
      std::copy_n(reinterpret_cast<const std::uint32_t*>(moved.constScanLine(y)), moved.width(),
                  reinterpret_cast<std::uint32_t*>(im.scanLine(dst.top + y)) + dst.left);
  }

  if (update) {
    // What of the visible scrolled area the move did not cover.
    const Rect visible = intersect(src, area);
    Rect u{};
    if (visible.empty()) {
      u = {};
    } else if (src.empty() || dst.empty()) {
      u = visible;
    } else if (dst.left <= visible.left && dst.right >= visible.right) {
      const Rect above{visible.left, visible.top, visible.right, std::min(dst.top, visible.bottom)};
      const Rect below{visible.left, std::max(dst.bottom, visible.top), visible.right, visible.bottom};
      if (!above.empty() && !below.empty()) u = visible;
      else u = !above.empty() ? above : (!below.empty() ? below : Rect{});
    } else if (dst.top <= visible.top && dst.bottom >= visible.bottom) {
      const Rect before{visible.left, visible.top, std::min(dst.left, visible.right), visible.bottom};
      const Rect after{std::max(dst.right, visible.left), visible.top, visible.right, visible.bottom};
      if (!before.empty() && !after.empty()) u = visible;
      else u = !before.empty() ? before : (!after.empty() ? after : Rect{});
    } else {
      u = visible;
    }
    *update = u;
  }
  return true;
}

}  // namespace plat::gdi
