#include "gridcontrol/surface.h"

#include "gridcontrol/nadrel.h"

namespace nadrel {

UserControl::UserControl(Nadrel& grid) : grid_(grid) {
  setObjectName("Nadrel");
  setBackColor(plat::kSystemColorFlag | plat::COLOR_BTNFACE);
  resize(320, 200);
}

void UserControl::resizeEvent(QResizeEvent* event) {
  plat::gdi::Surface::resizeEvent(event);
  grid_.UserControl_Resize();
}

PicGrid::PicGrid(Nadrel& grid, QWidget* parent) : plat::gdi::Surface(parent), grid_(grid) {
  setObjectName("picGrid");
  setBackColor(plat::kSystemColorFlag | plat::COLOR_BTNFACE);
  setFocusPolicy(Qt::StrongFocus);
}

void PicGrid::paintEvent(QPaintEvent* event) {
  grid_.flush_pending();
  plat::gdi::Surface::paintEvent(event);
}

}  // namespace nadrel
