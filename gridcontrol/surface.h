#pragma once
// The grid's widget, which a container embeds in its window.
#include <QWidget>

namespace nadrel {

class Nadrel;

class GridSurface final : public QWidget {
 public:
  explicit GridSurface(Nadrel& grid);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Nadrel& grid_;
};

}  // namespace nadrel
