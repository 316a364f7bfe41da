#include "platform/browser/browser.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

#include "platform/browser/browser_widget.h"

namespace plat {

namespace {
std::string& folder_override() {
  static std::string f;
  return f;
}

QTextBrowser* viewer(const Control& c) {
  return c.kind() == Kind::WebBrowser ? qobject_cast<QTextBrowser*>(c.widget()) : nullptr;
}
}  // namespace

std::string program_folder() {
  if (!folder_override().empty()) return folder_override();
  return QCoreApplication::applicationDirPath().toStdString();
}

void set_program_folder(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  folder_override() = std::move(folder);
}

QWidget* create_browser_widget(QWidget* parent) {
  auto* b = new QTextBrowser(parent);
  // Links stay inside the guide: nothing is handed to another program.
  b->setOpenExternalLinks(false);
  b->setOpenLinks(true);
  return b;
}

bool navigate(Control& browser, const std::string& path) {
  QTextBrowser* v = viewer(browser);
  const QFileInfo file(QString::fromStdString(path));
  const bool readable = v && file.isFile() && file.isReadable();
  if (v) {
    if (readable) {
      v->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    } else {
      v->clear();
    }
  }
  browser.set("LocationURL", readable ? file.absoluteFilePath().toStdString() : std::string());
  return readable;
}

std::string location(const Control& browser) { return browser.get("LocationURL").to_string(); }

std::string document_text(const Control& browser) {
  QTextBrowser* v = viewer(browser);
  return v ? v->toPlainText().toStdString() : std::string();
}

}  // namespace plat
