#include "platform/forms/pictures.h"

#include <map>

namespace plat {

namespace {
std::map<std::string, QImage>& pictures() {
  static std::map<std::string, QImage> p;
  return p;
}
}  // namespace

void register_picture(const std::string& name, const QImage& image) { pictures()[name] = image; }

QImage picture(const std::string& name) {
  if (name.empty()) return {};
  auto it = pictures().find(name);
  if (it != pictures().end()) return it->second;
  return QImage(QString::fromStdString(name));
}

}  // namespace plat
