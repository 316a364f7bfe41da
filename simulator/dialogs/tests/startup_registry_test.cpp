// The program's start against a class registry that lacks the grid's class,
// cannot be written (a full disk too), or leaves a control that cannot be
// created: the same registration the program makes before its first window,
// then the start-up through the splash window; and a registry changed under
// the running program.
#include <sys/stat.h>

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
#include "testing/full_disk.h"

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

// Beside the program's libraries, a copy cut short and a file that is not a
// library: the start goes on with the controls it has, naming what it
// passed over. A registry that names a FIFO for the grid is mended from the
// program's folder, never waited on.
TEST_F(StartUpRegistry, ALibraryCutShortOrAFifoNeverStopsTheStart) {
  const QString folder = dir_.filePath("bin");
  ASSERT_TRUE(QDir().mkpath(folder));
  for (const char* name : {"NadrelControl", "OmbrelisControl", "Pantalla", "brendalo_platform"})
    ASSERT_TRUE(QFile::link(QString::fromStdString(lib(name)), folder + "/lib" + name + ".so"));
  QFile whole(QString::fromStdString(lib("OmbrelisControl")));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  QFile cut(folder + "/libOmbrelisCopy.so"), text(folder + "/libnotes.so");
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && text.open(QIODevice::WriteOnly));
  cut.write(whole.read(5000));
  text.write("not a library");
  cut.close();
  text.close();
  const std::string fifo = dir_.filePath("fifo.so").toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string f = folder.toStdString();
  write_registry("[Classes]\nNadrelControl.Nadrel=" + fifo + "\n");
  for (const std::string& from : {f, bin()}) {
    SCOPED_TRACE(from);
    testing::internal::CaptureStderr();
    plat::com::register_libraries_in(from, true);
    start_up();
    const std::string said = testing::internal::GetCapturedStderr();
    if (from == f) {
      EXPECT_NE(said.find(f + "/libOmbrelisCopy.so is cut short\n"), std::string::npos) << said;
      EXPECT_NE(said.find(f + "/libnotes.so is not a library\n"), std::string::npos) << said;
    }
    expect_started();
    EXPECT_NE(plat::com::registered_library(nadrel::kClassName), fifo);
    plat::unload_all_forms();
    QApplication::processEvents();
    plat::reset_program_end();
    plat::com::forget_registrations();  // as a new process starts
    write_registry("[Classes]\nNadrelControl.Nadrel=" + fifo + "\n");
  }
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

namespace {

// Everything in a folder, lock files and hidden files included.
std::string all_entries(const std::string& dir) {
  return QDir(QString::fromStdString(dir))
      .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
      .join(" ")
      .toStdString();
}

struct FullDiskCase {
  const char* name;
  std::optional<std::string> registry;  // none: missing
};
void PrintTo(const FullDiskCase& c, std::ostream* os) { *os << c.name; }

class StartUpOnAFullDisk : public StartUpRegistry, public ::testing::WithParamInterface<FullDiskCase> {};

}  // namespace

TEST_P(StartUpOnAFullDisk, TheRegistryStaysAsItWasAndTheProgramStartsWithItsControls) {
  const std::string dir = dir_.filePath("disk").toStdString();
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir)));
  FullDisk disk;
  if (const std::string why = disk.mount(dir); !why.empty())
    GTEST_SKIP() << "a small tmpfs cannot be mounted here (" << why
                 << "); the full-disk cases need root or CAP_SYS_ADMIN";
  path_ = dir + "/registry.ini";
  setenv("BRENDALO_REGISTRY", path_.c_str(), 1);
  const std::optional<std::string>& registry = GetParam().registry;
  if (registry) write_registry(*registry);
  ASSERT_TRUE(disk.fill());
  const std::string before = all_entries(dir);
  testing::internal::CaptureStderr();
  start_program();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("Cannot write the class registry " + path_ + ": "), std::string::npos) << said;
  expect_started();
  Bereizmena& check = plat::form<Bereizmena>();
  EXPECT_NE(plat::component(check.ctl("Bereizmena1")), nullptr) << plat::hosted_error(check.ctl("Bereizmena1"));
  QFile f(QString::fromStdString(path_));
  if (registry) {
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), *registry);
  } else {
    EXPECT_FALSE(f.exists());
  }
  EXPECT_EQ(all_entries(dir), before);  // no temporary, lock or empty file left
}

INSTANTIATE_TEST_SUITE_P(
    Registries, StartUpOnAFullDisk,
    ::testing::Values(FullDiskCase{"UserLines", "; mine\n[Other]\nA=1\n[Classes]\nOther.Class=/opt/libother.so\n"},
                      FullDiskCase{"Missing", std::nullopt},
                      FullDiskCase{"Damaged", std::string("[Classes]\nNadrelControl.Nadrel=\0\xff\xfe", 34)}),
    [](const ::testing::TestParamInfo<FullDiskCase>& info) { return std::string(info.param.name); });

namespace {

// What becomes of the registry under the running program.
enum class Change { Emptied, Damaged, Deleted, UnregisteredByAnotherProgram };

class RegistryChangedUnderTheProgram : public StartUpRegistry, public ::testing::WithParamInterface<Change> {
 protected:
  // Every class named, as brendalo-register --all leaves it.
  std::string installed() const {
    return "[Classes]\nNadrelControl.Nadrel=" + lib("NadrelControl") +
           "\nOmbrelisControl.Ombrelis=" + lib("OmbrelisControl") + "\nPantalla.Resolucion=" + lib("Pantalla") +
           "\n";
  }
  void change() {
    switch (GetParam()) {
      case Change::Emptied: write_registry(""); break;
      case Change::Damaged: write_registry(std::string("[Classes]\nNadrelControl.Nadrel=\0\xff", 32)); break;
      case Change::Deleted: QFile::remove(QString::fromStdString(path_)); break;
      // What --unregister of the grid and of the resolution control leaves.
      case Change::UnregisteredByAnotherProgram:
        write_registry("[Classes]\nOmbrelisControl.Ombrelis=" + lib("OmbrelisControl") + "\n");
        break;
    }
  }
};

const char* const kChangeNames[] = {"Emptied", "Damaged", "Deleted", "UnregisteredByAnotherProgram"};
void PrintTo(Change c, std::ostream* os) { *os << kChangeNames[int(c)]; }
std::string change_name(const ::testing::TestParamInfo<Change>& info) { return kChangeNames[int(info.param)]; }

}  // namespace

TEST_P(RegistryChangedUnderTheProgram, EveryWindowStillCreatesEveryControl) {
  write_registry(installed());
  EXPECT_TRUE(plat::com::register_libraries_in(bin(), true).empty());  // nothing lacking, nothing written
  // Before the first control is created, and again once the main window's
  // are.
  change();
  start_up();
  expect_started();
  write_registry(installed());
  EXPECT_EQ(plat::com::registered_library(nadrel::kClassName), lib("NadrelControl"));
  change();
  Nagusia& n = plat::form<Nagusia>();
  n.click("CommandMikro", 1);
  n.click("CommandKM", 0);
  n.click("CommandMN", 1);
  for (const char* name : {"Bereizmena", "Nagusia", "Mikroprograma", "Kontrolmemoria", "MNetaEM"}) {
    SCOPED_TRACE(name);
    plat::Form* w = plat::loaded_form(name);
    ASSERT_NE(w, nullptr);
    int hosted = 0;
    for (const auto& c : w->controls()) {
      if (c->kind() != plat::Kind::Hosted) continue;
      ++hosted;
      EXPECT_NE(plat::component(*c), nullptr) << c->name() << ": " << plat::hosted_error(*c);
    }
    EXPECT_GT(hosted, 0);
  }
  EXPECT_TRUE(clock_.messages.empty()) << clock_.messages.front().text;
  EXPECT_FALSE(plat::ending());
}

INSTANTIATE_TEST_SUITE_P(Changes, RegistryChangedUnderTheProgram,
                         ::testing::Values(Change::Emptied, Change::Damaged, Change::Deleted,
                                           Change::UnregisteredByAnotherProgram),
                         change_name);
