// brendalo-register LIB...             registers each control library
// brendalo-register --unregister LIB...
// brendalo-register --all DIR          registers every control library in DIR
//                                      (other files are skipped silently)
//
// One line per class registered (per library unregistered) says what
// became of it: stored in the registry, or not, when the registry cannot be
// written. Exit code 1 when anything failed or was not stored; 2, with
// nothing done, for an unknown option.
#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/com/registry.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: brendalo-register LIB...\n"
               "       brendalo-register --unregister LIB...\n"
               "       brendalo-register --all DIR\n");
  return 2;
}

constexpr const char* kNotStored = "the class registry cannot be written";

bool register_one(const std::string& lib) {
  try {
    const std::vector<std::string> classes = plat::com::register_library(lib);
    const std::vector<std::string> held = plat::com::held_classes();
    for (const std::string& cls : classes) {
      if (std::find(held.begin(), held.end(), cls) == held.end())
        std::printf("registered %s (%s)\n", cls.c_str(), lib.c_str());
      else
        std::printf("not registered %s (%s): %s\n", cls.c_str(), lib.c_str(), kNotStored);
    }
    return true;
  } catch (const plat::com::RuntimeError& e) {
    std::fprintf(stderr, "brendalo-register: %s\n", e.description.c_str());
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // the registry's default place comes from Qt's standard paths
  if (argc < 2) return usage();
  int failed = 0;
  if (std::strcmp(argv[1], "--all") == 0) {
    if (argc != 3) return usage();
    QDir dir(QString::fromLocal8Bit(argv[2]));
    if (!dir.exists()) {
      std::fprintf(stderr, "brendalo-register: no folder %s\n", argv[2]);
      return 1;
    }
    for (const QString& name : dir.entryList({"*.so"}, QDir::Files, QDir::Name)) {
      std::string lib = dir.absoluteFilePath(name).toStdString();
      if (plat::com::is_control_library(lib) && !register_one(lib)) ++failed;
    }
  } else if (std::strcmp(argv[1], "--unregister") == 0) {
    if (argc < 3) return usage();
    for (int i = 2; i < argc; ++i) {
      try {
        plat::com::unregister_library(argv[i]);
        if (plat::com::held_classes().empty())
          std::printf("unregistered %s\n", argv[i]);
        else
          std::printf("not unregistered %s: %s\n", argv[i], kNotStored);
      } catch (const plat::com::RuntimeError& e) {
        std::fprintf(stderr, "brendalo-register: %s\n", e.description.c_str());
        ++failed;
      }
    }
  } else {
    // An unknown option changes nothing: the usage says what is known.
    for (int i = 1; i < argc; ++i)
      if (argv[i][0] == '-') {
        std::fprintf(stderr, "brendalo-register: unknown option %s\n", argv[i]);
        return usage();
      }
    for (int i = 1; i < argc; ++i)
      if (!register_one(argv[i])) ++failed;
  }
  std::printf("registry: %s\n", plat::com::registry_path().c_str());
  if (!plat::com::registry_written()) ++failed;  // held for this process only: lost at its end
  return failed ? 1 : 0;
}
