#pragma once
// A window that shows a persistent image. All drawing goes into the image
// through the surface's device context, at any time (not only while
// painting); the window only copies the image to the screen. The image is
// always the size of the window, at a device pixel ratio of 1, so drawing
// positions are exact pixels.
#include <QImage>
#include <QWidget>
#include <memory>

#include "platform/gdi/image_dc.h"

namespace plat::gdi {

class Surface : public QWidget {
 public:
  explicit Surface(QWidget* parent = nullptr);
  ~Surface() override;

  // The context to draw with: the installed recorder, else imageDC().
  HDC dc();
  // The context that draws on the image itself.
  ImageDC& imageDC();

  // Lets a recorder (usually a RecordingDC forwarding to imageDC()) stand
  // in for dc(); null goes back to the image. Not owned. Drawing that waits
  // (drawPending) is done first, so the recorder sees only what follows.
  void setRecorder(DeviceContext* recorder);

  // The image, sized to the window, with any drawing that waits done.
  const QImage& image();

  // The colour clear() fills with and a resize fills the new area with.
  COLORREF backColor() const { return back_color_; }
  void setBackColor(COLORREF color) { back_color_ = color; }

  // Fills the image with the back colour (through dc(), so it is recorded).
  void clear();

  // Shows the image's current content (at the next paint; nothing more to
  // do while the whole window is being painted from it).
  void refresh() {
    if (!painting_whole_) update();
  }

  // (0, 0) to the window's width and height.
  Rect clientRect() const { return {0, 0, width(), height()}; }

 protected:
  // Drawing a subclass leaves for later, done before the image is shown or
  // read: at every paint, image() and setRecorder.
  virtual void drawPending() {}

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  class SurfaceDC;
  // Grows or shrinks the image to the window, keeping what overlaps.
  QImage& sizedImage();

  QImage image_;
  std::unique_ptr<SurfaceDC> dc_;
  DeviceContext* recorder_ = nullptr;
  bool painting_whole_ = false;
  COLORREF back_color_ = kSystemColorFlag | COLOR_WINDOW;
};

// The packed colour of a pixel of the surface's image.
inline COLORREF PixelAt(Surface& surface, int x, int y) { return PixelAt(surface.image(), x, y); }

}  // namespace plat::gdi
