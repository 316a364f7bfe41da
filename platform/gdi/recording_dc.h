#pragma once
// A device context for tests: logs every call with its arguments, in order,
// and optionally passes it on to another context (usually a surface's
// ImageDC) so a test can check both the log and the pixels.
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi.h"

namespace plat::gdi {

// One logged call. `name` is the classic call's name ("FillRect",
// "DrawTextA", ...) or the state change ("SetPen", "SetFont", "SetTextColor",
// "SetROP2", "Clear"). `args` holds its numbers in order; rectangles are
// four numbers left, top, right, bottom (the rectangle as passed in).
//   FillRect          l t r b colour        (colour of the brush, -1 if invalid)
//   DrawEdge          l t r b edge flags
//   DrawTextA         l t r b format        text = the Latin-1 text
//   DrawFrameControl  l t r b type state
//   MoveToEx / LineTo x y
//   DrawFocusRect / InvertRect  l t r b
//   ScrollDC          dx dy hasScroll l t r b hasClip l t r b
//   GetClientRect     l t r b               (the rectangle returned)
//   Clear / SetTextColor  colour;  SetROP2  rop;  SetPen  style width colour
//   SetClip           hasClip l t r b
//   SetFont           size*100 bold italic underline strikeout   text = family
struct Call {
  std::string name;
  std::vector<long long> args;
  std::string text;
  // A readable form, e.g. FillRect(0,0,10,10,0xC0C0C0) or DrawTextA(2,0,28,16,33,"A").
  std::string str;
};

class RecordingDC : public DeviceContext {
 public:
  explicit RecordingDC(DeviceContext* forward = nullptr) : forward_(forward) {}

  void setForward(DeviceContext* forward) { forward_ = forward; }
  DeviceContext* forward() const { return forward_; }

  // The client rectangle reported when nothing is forwarded to.
  void setClientRect(const Rect& r) { client_ = r; }

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Call> calls(std::string_view name) const;
  int count(std::string_view name) const;
  // The readable forms of all calls, in order.
  std::vector<std::string> log() const;
  void clearLog() { calls_.clear(); }

  void setPen(const Pen& pen) override;
  void setTextColor(COLORREF color) override;
  void setFont(const QFont& font) override;
  void setRop2(int rop) override;
  void setClip(const Rect* clip) override;
  Rect clientRect() const override;
  void clear(COLORREF color) override;
  bool fillRect(const Rect& r, HBRUSH brush) override;
  bool drawEdge(Rect& r, unsigned edge, unsigned flags) override;
  int drawText(std::string_view text, Rect& r, unsigned format) override;
  bool drawFrameControl(const Rect& r, unsigned type, unsigned state) override;
  Point moveTo(Point p) override;
  bool lineTo(Point p) override;
  bool drawFocusRect(const Rect& r) override;
  bool invertRect(const Rect& r) override;
  bool scrollDC(int dx, int dy, const Rect* scroll, const Rect* clip, Rect* update) override;

 private:
  void record(std::string name, std::vector<long long> args, std::string text = {},
              std::vector<size_t> colour_args = {}) const;

  DeviceContext* forward_;
  Rect client_{};
  mutable std::vector<Call> calls_;  // clientRect() is const yet logged
};

}  // namespace plat::gdi
