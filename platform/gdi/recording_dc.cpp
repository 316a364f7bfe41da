#include "platform/gdi/recording_dc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plat::gdi {

namespace {

std::vector<long long> rect_args(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void append(std::vector<long long>& to, std::vector<long long> more) {
  to.insert(to.end(), more.begin(), more.end());
}

std::string hex_colour(long long v) {
  if (v < 0) return std::to_string(v);
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%06llX", v);
  return buf;
}

}  // namespace

void RecordingDC::record(std::string name, std::vector<long long> args, std::string text,
                         std::vector<size_t> colour_args) const {
  std::string s = name + "(";
  for (size_t i = 0; i < args.size(); ++i) {
    if (i) s += ",";
    const bool colour = std::find(colour_args.begin(), colour_args.end(), i) != colour_args.end();
    s += colour ? hex_colour(args[i]) : std::to_string(args[i]);
  }
  if (!text.empty() || name == "DrawTextA") s += (args.empty() ? "\"" : ",\"") + text + "\"";
  s += ")";
  calls_.push_back({std::move(name), std::move(args), std::move(text), std::move(s)});
}

std::vector<Call> RecordingDC::calls(std::string_view name) const {
  std::vector<Call> out;
  for (const Call& c : calls_)
    if (c.name == name) out.push_back(c);
  return out;
}

int RecordingDC::count(std::string_view name) const {
  return int(std::count_if(calls_.begin(), calls_.end(), [&](const Call& c) { return c.name == name; }));
}

std::vector<std::string> RecordingDC::log() const {
  std::vector<std::string> out;
  out.reserve(calls_.size());
  for (const Call& c : calls_) out.push_back(c.str);
  return out;
}

void RecordingDC::setPen(const Pen& pen) {
  record("SetPen", {pen.style, pen.width, pen.color}, {}, {2});
  DeviceContext::setPen(pen);
  if (forward_) forward_->setPen(pen);
}

void RecordingDC::setTextColor(COLORREF color) {
  record("SetTextColor", {color}, {}, {0});
  DeviceContext::setTextColor(color);
  if (forward_) forward_->setTextColor(color);
}

void RecordingDC::setFont(const QFont& font) {
  record("SetFont",
         {std::lround(font.pointSizeF() * 100), font.bold(), font.italic(), font.underline(), font.strikeOut()},
         font.family().toStdString());
  DeviceContext::setFont(font);
  if (forward_) forward_->setFont(font);
}

void RecordingDC::setRop2(int rop) {
  record("SetROP2", {rop});
  DeviceContext::setRop2(rop);
  if (forward_) forward_->setRop2(rop);
}

void RecordingDC::setClip(const Rect* clip) {
  std::vector<long long> args{clip ? 1 : 0};
  for (long long v : rect_args(clip ? *clip : Rect{})) args.push_back(v);
  record("SetClip", std::move(args));
  DeviceContext::setClip(clip);
  if (forward_) forward_->setClip(clip);
}

Rect RecordingDC::clientRect() const {
  const Rect r = forward_ ? forward_->clientRect() : client_;
  record("GetClientRect", rect_args(r));
  return r;
}

void RecordingDC::clear(COLORREF color) {
  record("Clear", {color}, {}, {0});
  DeviceContext::moveTo({0, 0});
  if (forward_) forward_->clear(color);
}

bool RecordingDC::fillRect(const Rect& r, HBRUSH brush) {
  const auto color = BrushColor(brush);
  auto args = rect_args(r);
  args.push_back(color ? (long long)*color : -1);
  record("FillRect", std::move(args), {}, {4});
  return forward_ ? forward_->fillRect(r, brush) : color.has_value();
}

bool RecordingDC::drawEdge(Rect& r, unsigned edge, unsigned flags) {
  auto args = rect_args(r);
  append(args, {edge, flags});
  record("DrawEdge", std::move(args));
  if (forward_) return forward_->drawEdge(r, edge, flags);
  if (flags & BF_ADJUST) {
    const int w = ((edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) ? 1 : 0) +
                  ((edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) ? 1 : 0);
    if (flags & BF_LEFT) r.left += w;
    if (flags & BF_TOP) r.top += w;
    if (flags & BF_RIGHT) r.right -= w;
    if (flags & BF_BOTTOM) r.bottom -= w;
  }
  return true;
}

int RecordingDC::drawText(std::string_view text, Rect& r, unsigned format) {
  auto args = rect_args(r);
  args.push_back(format);
  record("DrawTextA", std::move(args), std::string(text));
  if (forward_) return forward_->drawText(text, r, format);
  const Size size = textExtent(text);
  if (format & DT_CALCRECT) {
    r.right = r.left + size.cx;
    r.bottom = r.top + size.cy;
  }
  return size.cy;
}

bool RecordingDC::drawFrameControl(const Rect& r, unsigned type, unsigned state) {
  auto args = rect_args(r);
  append(args, {type, state});
  record("DrawFrameControl", std::move(args));
  return forward_ ? forward_->drawFrameControl(r, type, state) : type == DFC_BUTTON;
}

Point RecordingDC::moveTo(Point p) {
  record("MoveToEx", {p.x, p.y});
  const Point old = DeviceContext::moveTo(p);
  if (forward_) forward_->moveTo(p);
  return old;
}

bool RecordingDC::lineTo(Point p) {
  record("LineTo", {p.x, p.y});
  setCurrentPosition(p);
  return forward_ ? forward_->lineTo(p) : true;
}

bool RecordingDC::drawFocusRect(const Rect& r) {
  record("DrawFocusRect", rect_args(r));
  return forward_ ? forward_->drawFocusRect(r) : true;
}

bool RecordingDC::invertRect(const Rect& r) {
  record("InvertRect", rect_args(r));
  return forward_ ? forward_->invertRect(r) : true;
}

bool RecordingDC::scrollDC(int dx, int dy, const Rect* scroll, const Rect* clip, Rect* update) {
  std::vector<long long> args{dx, dy};
  for (const Rect* r : {scroll, clip}) {
    args.push_back(r != nullptr);
    append(args, rect_args(r ? *r : Rect{}));
  }
  record("ScrollDC", std::move(args));
  if (forward_) return forward_->scrollDC(dx, dy, scroll, clip, update);
  if (update) *update = {};
  return true;
}

}  // namespace plat::gdi
