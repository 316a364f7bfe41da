// Test entry point: a QApplication on the offscreen platform, so tests need no
// display, with the control libraries built beside the tests registered.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/com/registry.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  plat::com::register_libraries_in(QCoreApplication::applicationDirPath().toStdString(), true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
