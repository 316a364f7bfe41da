#include "platform/forms/render.h"

#include <QPixmap>
#include <QWidget>

#include "platform/forms/form.h"
#include "platform/forms/widgets.h"

namespace plat {

QImage render_form(Form& f) {
  QWidget* w = f.window();
  if (!w) return {};
  f.form_window()->relayout();
  return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool save_form_png(Form& f, const std::string& path) { return render_form(f).save(QString::fromStdString(path), "PNG"); }

}  // namespace plat
