#pragma once
// The drawing calls the controls make on their surfaces: a small GDI-like
// layer over a persistent image. Coordinates are pixels of the surface,
// origin top-left; rectangles exclude their right and bottom edges, as the
// classic calls do. Colours are packed blue-green-red values or system colour
// references (see platform/gdi/colors.h) and are resolved only when drawn.
//
// Two device-context backends implement DeviceContext: ImageDC draws into a
// QImage (platform/gdi/image_dc.h, shown by a Surface, platform/gdi/surface.h)
// and RecordingDC logs every call for tests (platform/gdi/recording_dc.h).
// The free functions below carry the classic names and forward to the
// device context they are given; a null device context makes them fail.
#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/gdi/colors.h"

namespace plat::gdi {

using COLORREF = std::uint32_t;

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are excluded. A rectangle with right <= left or
// bottom <= top is empty and draws nothing (it is never normalised).
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Handles of drawing objects (brushes). Handles are never reused, so a stale
// handle never reaches another object; 0 is no object.
enum class HGDIOBJ : std::uint32_t { none = 0 };
using HBRUSH = HGDIOBJ;

// --- Edges (DrawEdge) -------------------------------------------------------
// The inner and outer one-pixel rings of a 3-D border; an edge value is any
// combination of one outer and one inner kind.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;  // 5
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;  // 10
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;  // 6
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;    // 9

// Sides and options of DrawEdge.
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;          // 3
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;  // 12
constexpr unsigned BF_RECT = BF_TOPLEFT | BF_BOTTOMRIGHT;  // 15
constexpr unsigned BF_MIDDLE = 0x800;   // also fill the inside with the face colour
constexpr unsigned BF_ADJUST = 0x2000;  // shrink the rectangle by the border drawn
constexpr unsigned BF_FLAT = 0x4000;    // flat: shadow-coloured outer, face-coloured inner
constexpr unsigned BF_MONO = 0x8000;    // one-dimensional: frame-coloured outer, window-coloured inner

// --- Text (DrawTextA) --------------------------------------------------------
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;  // single line only
constexpr unsigned DT_BOTTOM = 0x8;   // single line only
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;  // measure into the rectangle, draw nothing
constexpr unsigned DT_NOPREFIX = 0x800;  // '&' is a plain character

// --- Frame controls (DrawFrameControl) ---------------------------------------
constexpr unsigned DFC_BUTTON = 4;
constexpr unsigned DFCS_BUTTONCHECK = 0x0;
constexpr unsigned DFCS_BUTTONPUSH = 0x10;
constexpr unsigned DFCS_INACTIVE = 0x100;  // grey mark
constexpr unsigned DFCS_PUSHED = 0x200;    // grey inside (box held down)
constexpr unsigned DFCS_CHECKED = 0x400;
constexpr unsigned DFCS_FLAT = 0x4000;
constexpr unsigned DFCS_MONO = 0x8000;

// --- Pens and raster operations ----------------------------------------------
// Pen styles; the values are also the picture-box DrawStyle values.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;        // 18 on, 6 off
constexpr int PS_DOT = 2;         // 3 on, 3 off
constexpr int PS_DASHDOT = 3;     // 9 on, 6 off, 3 on, 6 off
constexpr int PS_DASHDOTDOT = 4;  // 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
constexpr int PS_NULL = 5;        // draws nothing
constexpr int PS_INSIDEFRAME = 6; // drawn as solid

// Mixes of pen and destination for lines (SetROP2); the values are also the
// picture-box DrawMode values. All sixteen 1..16 are honoured.
constexpr int R2_BLACK = 1;
constexpr int R2_NOT = 6;  // invert the destination
constexpr int R2_XORPEN = 7;
constexpr int R2_NOP = 11;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

struct Pen {
  int style = PS_SOLID;
  int width = 1;  // a pen wider than 1 is always solid
  COLORREF color = 0;
  friend bool operator==(const Pen&, const Pen&) = default;
};

// The logical resolution of every surface: fonts given in points are sized
// for it, whatever the screen.
constexpr int kLogicalDpi = 96;

// --- Device context ------------------------------------------------------------
// Drawing state (pen, text colour, font, raster operation, current position)
// lives here; the backends implement the drawing. A DeviceContext is used on
// the user-interface thread only.
class DeviceContext {
 public:
  virtual ~DeviceContext() = default;
  DeviceContext() = default;
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  // State. The setters are virtual so the recording backend can log them.
  virtual void setPen(const Pen& pen) { pen_ = pen; }
  virtual void setTextColor(COLORREF color) { text_color_ = color; }
  virtual void setFont(const QFont& font) { font_ = font; }
  virtual void setRop2(int rop) { rop2_ = rop; }
  // Only pixels inside the clip rectangle change, for every call below
  // (null: the whole surface).
  virtual void setClip(const Rect* clip) { has_clip_ = clip != nullptr, clip_ = clip ? *clip : Rect{}; }
  const Pen& pen() const { return pen_; }
  const Rect* clip() const { return has_clip_ ? &clip_ : nullptr; }
  COLORREF textColor() const { return text_color_; }
  const QFont& font() const { return font_; }
  int rop2() const { return rop2_; }
  Point currentPosition() const { return position_; }

  // The whole surface: (0, 0) to its width and height.
  virtual Rect clientRect() const = 0;

  // Fills every pixel of the surface (within the clip) with the colour and
  // moves the current position to (0, 0).
  virtual void clear(COLORREF color) = 0;

  // Fills `r` with the brush's colour; false for an invalid brush. Ignores
  // the raster operation. (An empty rectangle draws nothing and succeeds,
  // here and in every call below.)
  virtual bool fillRect(const Rect& r, HBRUSH brush) = 0;

  // Draws the edge kinds (BDR_*) on the sides of `r` named by `flags` (BF_*);
  // with BF_ADJUST `r` is shrunk by the border drawn.
  virtual bool drawEdge(Rect& r, unsigned edge, unsigned flags) = 0;

  // Draws Latin-1 text in the current font and text colour with a
  // transparent background, clipped to `r` unless DT_NOCLIP. '&' marks the
  // next character as a mnemonic (underlined, "&&" is one '&') unless
  // DT_NOPREFIX. Without DT_SINGLELINE, line feeds break lines and vertical
  // alignment is ignored; words are never wrapped. Returns the height of the
  // text drawn (with DT_VCENTER or DT_BOTTOM: from r.top to its bottom).
  // DT_CALCRECT only sets r.right and r.bottom to the text's extent.
  virtual int drawText(std::string_view text, Rect& r, unsigned format) = 0;

  // A check box (or push button) of DFC_BUTTON in the largest square
  // centred in `r`; false for other types.
  virtual bool drawFrameControl(const Rect& r, unsigned type, unsigned state) = 0;

  // Sets the current position and returns the old one.
  virtual Point moveTo(Point p);

  // A line in the current pen and raster operation from the current position
  // up to, not including, `p`; then `p` is the current position. A dashed
  // pattern starts afresh at every moveTo and runs on across lineTo calls.
  virtual bool lineTo(Point p) = 0;

  // Inverts every other pixel of the one-pixel frame of `r` (a checkerboard
  // fixed to the surface), so drawing it twice restores the pixels exactly.
  virtual bool drawFocusRect(const Rect& r) = 0;

  // Inverts every pixel of `r` (bitwise XOR of the colour); twice restores.
  virtual bool invertRect(const Rect& r) = 0;

  // Moves the pixels of `scroll` (null: the whole surface) by (dx, dy);
  // only pixels inside `clip` (null: the whole surface) change. The
  // uncovered part of the scrolled area keeps its old pixels and its
  // bounding rectangle is returned in `update` when given.
  virtual bool scrollDC(int dx, int dy, const Rect* scroll, const Rect* clip, Rect* update) = 0;

  // The extent of a text in the current font.
  Size textExtent(std::string_view text) const;

 protected:
  // Lets a backend keep the position in step without going through moveTo.
  void setCurrentPosition(Point p) { position_ = p; }
  // The dash phase of the pen, reset by moveTo.
  int dashPhase() const { return dash_phase_; }
  void setDashPhase(int phase) { dash_phase_ = phase; }

 private:
  Pen pen_;
  COLORREF text_color_ = 0;
  QFont font_;
  int rop2_ = R2_COPYPEN;
  bool has_clip_ = false;
  Rect clip_{};
  Point position_;
  int dash_phase_ = 0;
};

using HDC = DeviceContext*;

// --- Objects -----------------------------------------------------------------
// A brush of one colour (or system colour reference, resolved when used).
HBRUSH CreateSolidBrush(COLORREF color);

// Stock brushes: never deleted, always valid.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
HGDIOBJ GetStockObject(int index);  // none for an unknown index

// Frees an object. Deleting a stock object is allowed and does nothing
// (true); deleting an unknown or already deleted handle does nothing (false).
bool DeleteObject(HGDIOBJ object);

// The colour of a live brush, as given when it was made.
std::optional<COLORREF> BrushColor(HBRUSH brush);

// Brushes made and not yet deleted (for leak checks).
int LiveObjectCount();

// --- Text helpers ---------------------------------------------------------------
// The single-byte (Latin-1) form of a text; characters outside it become '?'.
std::string ToAnsi(const QString& text);

// Metrics of a font at the surfaces' resolution.
Size TextExtent(const QFont& font, std::string_view text);
int TextWidth(const QFont& font, const QString& text);
int TextHeight(const QFont& font);

// --- The classic calls -------------------------------------------------------------
bool FillRect(HDC dc, const Rect* r, HBRUSH brush);
bool DrawEdge(HDC dc, Rect* r, unsigned edge, unsigned flags);
// `count` -1 takes the whole text.
int DrawTextA(HDC dc, std::string_view text, int count, Rect* r, unsigned format);
int DrawTextA(HDC dc, const QString& text, Rect* r, unsigned format);
bool DrawFrameControl(HDC dc, const Rect* r, unsigned type, unsigned state);
bool MoveToEx(HDC dc, int x, int y, Point* old);
bool LineTo(HDC dc, int x, int y);
bool DrawFocusRect(HDC dc, const Rect* r);
bool InvertRect(HDC dc, const Rect* r);
bool ScrollDC(HDC dc, int dx, int dy, const Rect* scroll, const Rect* clip, Rect* update);
bool GetClientRect(HDC dc, Rect* r);
COLORREF SetTextColor(HDC dc, COLORREF color);  // returns the old colour
int SetROP2(HDC dc, int rop);                   // returns the old mix; 0 on failure
bool GetTextExtentPoint32A(HDC dc, std::string_view text, Size* size);

// Conversions to Qt.
inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
inline Rect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace plat::gdi
