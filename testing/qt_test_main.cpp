// Test entry point: a QApplication on the offscreen platform, so tests need no
// display, with the control libraries built beside the tests registered.
//
// CTest runs every test case in a process of its own, many side by side, so
// each process registers the libraries in a registry file of its own (in a
// temporary folder): no two processes ever write the same file.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/com/registry.h"

// Under the sanitizers every test process checks for leaks when it ends,
// however it is started; only leaks inside third-party libraries are
// suppressed (testing/lsan.supp). ASAN_OPTIONS and LSAN_OPTIONS still win.
extern "C" const char* __asan_default_options() { return "detect_leaks=1"; }
extern "C" const char* __lsan_default_options() {
  return "suppressions=" BRENDALO_SOURCE_DIR "/testing/lsan.supp:print_suppressions=0";
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (CTest does it after each build) needs no application.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QTemporaryDir registry_dir;
  if (!registry_dir.isValid()) {
    std::fprintf(stderr, "cannot create a temporary folder for the registry: %s\n",
                 registry_dir.errorString().toLocal8Bit().constData());
    return 1;
  }
  setenv("BRENDALO_REGISTRY", registry_dir.filePath("registry.ini").toLocal8Bit().constData(), 1);

  QApplication app(argc, argv);
  plat::com::register_libraries_in(QCoreApplication::applicationDirPath().toStdString(), true);
  return RUN_ALL_TESTS();
}
