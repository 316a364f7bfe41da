#include "gridcontrol/surface.h"

#include <QPainter>

#include "gridcontrol/nadrel.h"
#include "platform/gdi/colors.h"

namespace nadrel {

GridSurface::GridSurface(Nadrel& grid) : grid_(grid) {
  setObjectName("Nadrel");
  setFocusPolicy(Qt::StrongFocus);
  resize(320, 200);
}

void GridSurface::paintEvent(QPaintEvent*) {
  // Until the cell painter is in place the surface shows its background.
  QPainter p(this);
  p.fillRect(rect(), plat::to_qcolor(uint32_t(grid_.state().BkgColor)));
}

}  // namespace nadrel
