// The program's start against a class registry that lacks the grid's class,
// cannot be written, or leaves a control that cannot be created: the same
// registration the program makes before its first window, then the start-up
// through the splash window.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gridcontrol/nadrel_ids.h"
#include "platform/com/registry.h"
#include "platform/display/display_modes.h"
#include "platform/forms/form.h"
#include "platform/forms/hosted.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/dialogs/bereizmena.h"
#include "simulator/mainwindow/nagusia.h"

using namespace brendalo;

namespace {

class StartUpRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const char* old = std::getenv("BRENDALO_REGISTRY");
    saved_ = old ? old : "";
    path_ = dir_.filePath("registry.ini").toStdString();
    setenv("BRENDALO_REGISTRY", path_.c_str(), 1);
    plat::set_display(&screen_);
  }
  void TearDown() override {
    plat::set_display(nullptr);
    plat::unload_all_forms();
    QApplication::processEvents();
    plat::reset_program_end();
    if (saved_.empty()) unsetenv("BRENDALO_REGISTRY");
    else setenv("BRENDALO_REGISTRY", saved_.c_str(), 1);
  }
  void write_registry(const std::string& text) {
    QFile f(QString::fromStdString(path_));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.data(), qint64(text.size()));
  }
  static std::string bin() { return QCoreApplication::applicationDirPath().toStdString(); }
  static std::string lib(const char* name) { return bin() + "/lib" + name + ".so"; }
  // As the program starts: registration, then the start-up.
  void start_program() {
    plat::com::register_libraries_in(bin(), true);
    start_up();
  }
  // The display check, a click on the splash window and its nine ticks.
  void start_up() {
    plat::form<Bereizmena>();
    if (plat::ending()) return;
    Abiarazi& a = plat::form<Abiarazi>();
    a.fire(a.ctl("Label5", 1), plat::Event::Click);
    clock_.advance(9000);
  }
  // The main window is up and its control-memory grid answers.
  void expect_started() {
    EXPECT_TRUE(clock_.messages.empty()) << clock_.messages.front().text;
    EXPECT_FALSE(plat::ending());
    Nagusia& n = plat::form<Nagusia>();
    EXPECT_TRUE(n.visible());
    EXPECT_EQ(plat::object(n.ctl("Nadrel1")).get(nadrel::dispid::Rows).to_i4(), 22);  // one row a microinstruction
  }

  QTemporaryDir dir_;
  std::string saved_, path_;
  plat::ScriptedDisplay screen_{{{1024, 768, 16}}, {1024, 768, 16}};
  plat::VirtualServices clock_;
};

}  // namespace

TEST_F(StartUpRegistry, ARegistryLackingTheGridsClassIsMendedAndTheGridCreated) {
  // The grid's library under a class it does not offer; the grid's class
  // under a library that does not offer it; a library that is gone.
  const std::string cases[] = {
      "[Classes]\nNadrel.Old=" + lib("NadrelControl") + "\nPantalla.Resolucion=" + lib("Pantalla") + "\n",
      "[Classes]\nNadrelControl.Nadrel=" + lib("OmbrelisControl") + "\n",
      "; mine\n[Classes]\nNadrelControl.Nadrel=/nowhere/libNadrelControl.so\n",
  };
  for (const std::string& registry : cases) {
    SCOPED_TRACE(registry);
    write_registry(registry);
    plat::com::register_libraries_in(bin(), true);
    EXPECT_EQ(plat::com::registered_library(nadrel::kClassName), lib("NadrelControl"));
    EXPECT_NO_THROW(plat::com::create_object(nadrel::kClassName));
  }
  // The entries it did not need to change are still there.
  QFile f(QString::fromStdString(path_));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().startsWith("; mine\n[Classes]\n"));
  // The whole start, from the first case.
  write_registry(cases[0]);
  start_program();
  expect_started();
}

TEST_F(StartUpRegistry, ARegistryThatCannotBeWrittenStillStartsTheProgram) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path_)));  // the registry's path is a folder
  testing::internal::CaptureStderr();
  start_program();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(path_), std::string::npos) << said;
  expect_started();
}

TEST_F(StartUpRegistry, AControlThatCannotBeCreatedIsReportedNamingTheRegistryAndEndsTheProgram) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path_)));
  // No registration: the program's controls are nowhere to be found.
  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(start_up());
  testing::internal::GetCapturedStderr();
  ASSERT_EQ(clock_.messages.size(), 1u);
  EXPECT_EQ(clock_.messages[0].style, plat::vbCritical);
  EXPECT_NE(clock_.messages[0].text.find(path_), std::string::npos) << clock_.messages[0].text;
  EXPECT_TRUE(plat::ending());
  EXPECT_EQ(plat::exit_code(), 1);
}
