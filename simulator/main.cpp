#include <QApplication>
#include <QStyleFactory>

#include "platform/com/registry.h"
#include "platform/forms/form.h"
#include "simulator/mainwindow/nagusia.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Brendalo");
  // One look on every desktop: the layouts were drawn for a plain grey style.
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  // The controls ship beside the program; register any that the registry does not know yet.
  plat::com::register_libraries_in(QCoreApplication::applicationDirPath().toStdString(), true);
  auto& main_window = plat::form<brendalo::Nagusia>();
  main_window.set_window_state(2);
  main_window.Show();
  const int rc = QApplication::exec();
  plat::unload_all_forms();
  return rc;
}
