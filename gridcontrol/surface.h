#pragma once
// The grid's constituents: the control's own surface, which a container
// embeds and on which the border is drawn, and the cell surface `picGrid`
// inside it, on which the cells are drawn and which takes the input.
#include "platform/gdi/surface.h"

namespace nadrel {

class Nadrel;

class UserControl final : public plat::gdi::Surface {
 public:
  explicit UserControl(Nadrel& grid);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  Nadrel& grid_;
};

class PicGrid final : public plat::gdi::Surface {
 public:
  PicGrid(Nadrel& grid, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Nadrel& grid_;
};

}  // namespace nadrel
