#include "platform/gdi/gdi.h"

#include "platform/gdi/image_dc.h"

#include <QFontMetrics>
#include <array>
#include <mutex>
#include <unordered_map>

namespace plat::gdi {

namespace {

// Stock objects take the lowest handles; made objects count up from above
// them and are never given out twice.
constexpr std::array<COLORREF, 5> kStockBrushes = {
    rgb(0xFF, 0xFF, 0xFF), rgb(0xC0, 0xC0, 0xC0), rgb(0x80, 0x80, 0x80),
    rgb(0x40, 0x40, 0x40), rgb(0x00, 0x00, 0x00),
};
constexpr std::uint32_t kFirstMadeHandle = 0x100;

struct ObjectTable {
  std::mutex mutex;
  std::unordered_map<std::uint32_t, COLORREF> brushes;
  std::uint32_t next = kFirstMadeHandle;
};

ObjectTable& objects() {
  static ObjectTable table;
  return table;
}

bool is_stock(HGDIOBJ h) {
  const auto v = std::uint32_t(h);
  return v >= 1 && v <= kStockBrushes.size();
}

// The paint device text is measured against, so metrics match drawing.
const QImage& metrics_device() {
  static const QImage image = MakeSurfaceImage(1, 1);
  return image;
}

}  // namespace

Point DeviceContext::moveTo(Point p) {
  const Point old = position_;
  position_ = p;
  dash_phase_ = 0;
  return old;
}

Size DeviceContext::textExtent(std::string_view text) const { return TextExtent(font_, text); }

HBRUSH CreateSolidBrush(COLORREF color) {
  auto& t = objects();
  std::lock_guard lock(t.mutex);
  if (t.next == 0) return HBRUSH::none;  // all handles spent; never wrap onto old ones
  const std::uint32_t h = t.next++;
  t.brushes.emplace(h, color);
  return HBRUSH(h);
}

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= int(kStockBrushes.size())) return HGDIOBJ::none;
  return HGDIOBJ(std::uint32_t(index) + 1);
}

bool DeleteObject(HGDIOBJ object) {
  if (is_stock(object)) return true;
  auto& t = objects();
  std::lock_guard lock(t.mutex);
  return t.brushes.erase(std::uint32_t(object)) == 1;
}

std::optional<COLORREF> BrushColor(HBRUSH brush) {
  if (is_stock(brush)) return kStockBrushes[std::uint32_t(brush) - 1];
  auto& t = objects();
  std::lock_guard lock(t.mutex);
  const auto it = t.brushes.find(std::uint32_t(brush));
  if (it == t.brushes.end()) return std::nullopt;
  return it->second;
}

int LiveObjectCount() {
  auto& t = objects();
  std::lock_guard lock(t.mutex);
  return int(t.brushes.size());
}

std::string ToAnsi(const QString& text) {
  std::string out;
  out.reserve(size_t(text.size()));
  for (const QChar c : text) out.push_back(c.unicode() <= 0xFF ? char(c.unicode()) : '?');
  return out;
}

Size TextExtent(const QFont& font, std::string_view text) {
  const QFontMetrics fm(font, &metrics_device());
  const QString s = QString::fromLatin1(text.data(), qsizetype(text.size()));
  return {fm.horizontalAdvance(s), fm.height()};
}

int TextWidth(const QFont& font, const QString& text) { return TextExtent(font, ToAnsi(text)).cx; }

int TextHeight(const QFont& font) { return QFontMetrics(font, &metrics_device()).height(); }

bool FillRect(HDC dc, const Rect* r, HBRUSH brush) { return dc && r && dc->fillRect(*r, brush); }

bool DrawEdge(HDC dc, Rect* r, unsigned edge, unsigned flags) { return dc && r && dc->drawEdge(*r, edge, flags); }

int DrawTextA(HDC dc, std::string_view text, int count, Rect* r, unsigned format) {
  if (!dc || !r) return 0;
  if (count >= 0 && size_t(count) < text.size()) text = text.substr(0, size_t(count));
  return dc->drawText(text, *r, format);
}

int DrawTextA(HDC dc, const QString& text, Rect* r, unsigned format) {
  return DrawTextA(dc, ToAnsi(text), -1, r, format);
}

bool DrawFrameControl(HDC dc, const Rect* r, unsigned type, unsigned state) {
  return dc && r && dc->drawFrameControl(*r, type, state);
}

bool MoveToEx(HDC dc, int x, int y, Point* old) {
  if (!dc) return false;
  const Point was = dc->moveTo({x, y});
  if (old) *old = was;
  return true;
}

bool LineTo(HDC dc, int x, int y) { return dc && dc->lineTo({x, y}); }

bool DrawFocusRect(HDC dc, const Rect* r) { return dc && r && dc->drawFocusRect(*r); }

bool InvertRect(HDC dc, const Rect* r) { return dc && r && dc->invertRect(*r); }

bool ScrollDC(HDC dc, int dx, int dy, const Rect* scroll, const Rect* clip, Rect* update) {
  return dc && dc->scrollDC(dx, dy, scroll, clip, update);
}

bool GetClientRect(HDC dc, Rect* r) {
  if (!dc || !r) return false;
  *r = dc->clientRect();
  return true;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (!dc) return 0xFFFFFFFFu;  // the classic "invalid colour"
  const COLORREF old = dc->textColor();
  dc->setTextColor(color);
  return old;
}

int SetROP2(HDC dc, int rop) {
  if (!dc || rop < R2_BLACK || rop > R2_WHITE) return 0;
  const int old = dc->rop2();
  dc->setRop2(rop);
  return old;
}

bool GetTextExtentPoint32A(HDC dc, std::string_view text, Size* size) {
  if (!dc || !size) return false;
  *size = dc->textExtent(text);
  return true;
}

}  // namespace plat::gdi
