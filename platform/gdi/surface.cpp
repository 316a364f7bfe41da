#include "platform/gdi/surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>

namespace plat::gdi {

class Surface::SurfaceDC : public ImageDC {
 public:
  explicit SurfaceDC(Surface* s) : ImageDC(&s->image_), surface_(s) {}

 protected:
  QImage& target() override { return surface_->sizedImage(); }

 private:
  Surface* surface_;
};

Surface::Surface(QWidget* parent) : QWidget(parent), dc_(std::make_unique<SurfaceDC>(this)) {
  // The image covers every pixel, so Qt need not clear behind it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

Surface::~Surface() = default;

HDC Surface::dc() { return recorder_ ? recorder_ : dc_.get(); }

ImageDC& Surface::imageDC() { return *dc_; }

void Surface::setRecorder(DeviceContext* recorder) {
  if (recorder) drawPending();
  recorder_ = recorder;
}

const QImage& Surface::image() {
  drawPending();
  return sizedImage();
}

void Surface::clear() { dc()->clear(back_color_); }

QImage& Surface::sizedImage() {
  // Follows the window's size even while it is hidden (resize events are
  // only delivered when it is shown).
  const int w = std::max(width(), 0), h = std::max(height(), 0);
  if (image_.width() == w && image_.height() == h) return image_;
  QImage grown = MakeSurfaceImage(w, h, back_color_);
  const int cw = std::min(w, image_.width()), ch = std::min(h, image_.height());
  for (int y = 0; y < ch; ++y)
    std::copy_n(reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y)), cw,
                reinterpret_cast<std::uint32_t*>(grown.scanLine(y)));
  image_ = std::move(grown);
  return image_;
}

void Surface::paintEvent(QPaintEvent* event) {
  const QRect r = event->rect();
  painting_whole_ = (QRegion(rect()) - event->region()).isEmpty();
  drawPending();
  painting_whole_ = false;
  QPainter painter(this);
  painter.drawImage(r.topLeft(), sizedImage(), r);
}

void Surface::resizeEvent(QResizeEvent* event) {
  sizedImage();
  QWidget::resizeEvent(event);
}

}  // namespace plat::gdi
