#include <QApplication>
#include <QStyleFactory>

#include "platform/com/registry.h"
#include "platform/forms/form.h"
#include "platform/forms/services.h"
#include "simulator/dialogs/bereizmena.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Brendalo");
  // One look on every desktop: the layouts were drawn for a plain grey style.
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setQuitOnLastWindowClosed(false);  // the program ends by its own exit
  // The controls ship beside the program; register the classes the registry
  // lacks (held for this run only when the registry cannot be written).
  plat::com::register_libraries_in(QCoreApplication::applicationDirPath().toStdString(), true);
  // The start-up window checks the display and hands over to the splash
  // window. A control that cannot be created ends the program there, after
  // a message naming the registry.
  plat::form<brendalo::Bereizmena>();
  const int rc = plat::ending() ? plat::exit_code() : QApplication::exec();
  plat::unload_all_forms();
  return rc;
}
