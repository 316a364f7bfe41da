#include "platform/gdi/cursor.h"

#include <QCursor>
#include <optional>

namespace plat::gdi {

namespace {
struct CursorState {
  std::optional<Point> fixed;
  CursorPosHandler handler;
};

CursorState& state() {
  static CursorState s;
  return s;
}
}  // namespace

bool GetCursorPos(Point* p) {
  if (!p) return false;
  if (state().fixed) {
    *p = *state().fixed;
  } else {
    const QPoint q = QCursor::pos();
    *p = {q.x(), q.y()};
  }
  return true;
}

bool SetCursorPos(int x, int y) {
  if (state().fixed) state().fixed = Point{x, y};
  else QCursor::setPos(x, y);
  // A copy: the handler may replace itself.
  if (const CursorPosHandler handler = state().handler) handler({x, y});
  return true;
}

CursorPosHandler SetCursorPosHandler(CursorPosHandler handler) {
  std::swap(state().handler, handler);
  return handler;
}

void OverrideCursorPos(const Point* p) {
  if (p) state().fixed = *p;
  else state().fixed.reset();
}

}  // namespace plat::gdi
