// brendalo-register: see register_tool.h.
#include <QCoreApplication>

#include "platform/com/tools/register_tool.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return plat::com::brendalo_register(std::vector<std::string>(argv + 1, argv + argc));
}
