#pragma once
// The raster backend: draws straight into a QImage, pixel-exact (no
// antialiasing except inside glyphs), so what the tests read back is what
// the window shows.
#include <QImage>

#include "platform/gdi/gdi.h"

namespace plat::gdi {

// An image the backend can draw on: 32-bit RGB at the surfaces' resolution,
// filled with `fill`.
QImage MakeSurfaceImage(int width, int height, COLORREF fill = 0xFFFFFF);

// The packed colour of a pixel (0 outside the image).
COLORREF PixelAt(const QImage& image, int x, int y);

class ImageDC : public DeviceContext {
 public:
  // Draws on `image` (not owned; it must outlive the context). An image of
  // another format is converted to 32-bit RGB first.
  explicit ImageDC(QImage* image);

  Rect clientRect() const override;
  void clear(COLORREF color) override;
  bool fillRect(const Rect& r, HBRUSH brush) override;
  bool drawEdge(Rect& r, unsigned edge, unsigned flags) override;
  int drawText(std::string_view text, Rect& r, unsigned format) override;
  bool drawFrameControl(const Rect& r, unsigned type, unsigned state) override;
  bool lineTo(Point p) override;
  bool drawFocusRect(const Rect& r) override;
  bool invertRect(const Rect& r) override;
  bool scrollDC(int dx, int dy, const Rect* scroll, const Rect* clip, Rect* update) override;

 protected:
  // The image to draw on; a subclass may adjust it first (the surface keeps
  // it the size of its window).
  virtual QImage& target();
  const QImage& target() const { return const_cast<ImageDC*>(this)->target(); }

 private:
  void fill(const Rect& r, COLORREF color);
  // The image's rectangle within the clip.
  Rect drawable();
  QImage* image_;
};

}  // namespace plat::gdi
