// The class registry file: lookups, updates that keep every other line,
// damaged files kept aside (also without hard links and rename's flags),
// paths that cannot or must not be written, a full disk, a file system
// without file modes, a lock file another user made or that links to
// nothing, updates through a link and through its target, homes whose names
// are not text, leftovers of killed writers, classes that stay creatable
// when the file changes, libraries the loader must not be given, and the
// registration tool's report.
#include <dirent.h>
#include <elf.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/registry.h"
#include "platform/com/tools/register_tool.h"
#include "testing/full_disk.h"

using namespace plat::com;

namespace {
#if UINTPTR_MAX > 0xffffffffu
using ElfHeader = Elf64_Ehdr;
#else
using ElfHeader = Elf32_Ehdr;
#endif
// fchmod as a file system may answer it: errno `g_fchmod_error` for the
// next `g_fchmod_failures` calls (-1: every call), else the system's answer.
int g_fchmod_error = 0;
int g_fchmod_failures = 0;
}  // namespace

// Found before the C library's, by the registry's library too.
extern "C" int fchmod(int fd, mode_t mode) noexcept {
  if (g_fchmod_failures != 0) {
    if (g_fchmod_failures > 0) --g_fchmod_failures;
    errno = g_fchmod_error;
    return -1;
  }
  return int(::syscall(SYS_fchmod, fd, mode));
}

namespace {
// A file system that refuses hard links (EPERM) and rename's flags (EINVAL),
// as FAT or SMB through FUSE do; one rename of a writer's new file that
// fails, and one of a file kept aside, as it is put back.
bool g_no_links_nor_rename_flags = false;
bool g_fail_rename_of_new_file = false;
bool g_fail_put_back = false;
// Called before each exclusive flock (to change what stands meanwhile).
std::function<void()> g_before_lock;
}  // namespace

extern "C" int link(const char* from, const char* to) noexcept {
  if (g_no_links_nor_rename_flags) {
    errno = EPERM;
    return -1;
  }
  return int(::syscall(SYS_linkat, AT_FDCWD, from, AT_FDCWD, to, 0));
}

extern "C" int renameat2(int from_dir, const char* from, int to_dir, const char* to, unsigned flags) noexcept {
  if (g_no_links_nor_rename_flags && flags != 0) {
    errno = EINVAL;
    return -1;
  }
  return int(::syscall(SYS_renameat2, from_dir, from, to_dir, to, flags));
}

extern "C" int rename(const char* from, const char* to) noexcept {
  bool* fail = std::strstr(from, ".new.") ? &g_fail_rename_of_new_file
               : std::strstr(from, ".bak") ? &g_fail_put_back
                                           : nullptr;
  if (fail && *fail) {
    *fail = false;
    errno = EIO;
    return -1;
  }
  return int(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
}

extern "C" int flock(int fd, int operation) noexcept {
  if (g_before_lock && (operation & LOCK_EX)) g_before_lock();
  return int(::syscall(SYS_flock, fd, operation));
}

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const char* old = std::getenv("BRENDALO_REGISTRY");
    saved_ = old ? old : "";
    setenv("BRENDALO_REGISTRY", dir_.filePath("registry.ini").toLocal8Bit().constData(), 1);
  }
  void TearDown() override {
    g_fchmod_failures = 0;
    g_no_links_nor_rename_flags = g_fail_rename_of_new_file = g_fail_put_back = false;
    g_before_lock = nullptr;
    if (saved_.empty()) unsetenv("BRENDALO_REGISTRY");
    else setenv("BRENDALO_REGISTRY", saved_.c_str(), 1);
  }
  QTemporaryDir dir_;
  std::string saved_;
};

TEST_F(Registry, RegistersAndUnregistersClassesWithoutRegardToCase) {
  EXPECT_TRUE(registered_classes().empty());
  register_class("Lib.One", "/x/libone.so");
  register_class("Lib.Two", "/x/libtwo.so");
  register_class("lib.one", "/y/libone.so");  // the same class again: replaced
  auto all = registered_classes();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].second, "/y/libone.so");
  EXPECT_EQ(registered_library("LIB.TWO"), "/x/libtwo.so");
  EXPECT_TRUE(unregister_class("Lib.Two"));
  EXPECT_FALSE(unregister_class("Lib.Two"));
  EXPECT_FALSE(registered_library("Lib.Two"));
}

TEST_F(Registry, UnknownOrUnloadableClassGivesAnErrorNamingIt) {
  register_class("Broken.Class", dir_.filePath("missing.so").toStdString());
  QFile junk(dir_.filePath("junk.so"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("not a library");
  junk.close();
  register_class("Junk.Class", junk.fileName().toStdString());
  for (const char* cls : {"No.Such", "Broken.Class", "Junk.Class"}) {
    try {
      create_object(cls);
      ADD_FAILURE() << cls;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number, kErrCantCreate);
      EXPECT_NE(e.description.find(cls), std::string::npos) << e.description;
    }
  }
  EXPECT_FALSE(is_control_library(junk.fileName().toStdString()));
  EXPECT_THROW(register_library(junk.fileName().toStdString()), RuntimeError);
}

TEST_F(Registry, DefaultPlaceIsTheUsersDataFolder) {
  unsetenv("BRENDALO_REGISTRY");
  EXPECT_NE(registry_path().find("brendalo/registry.ini"), std::string::npos);
}

namespace {

std::string file_bytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "(unreadable)";
  return f.readAll().toStdString();
}

void write_bytes(const QString& path, const std::string& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes.data(), qint64(bytes.size()));
}

}  // namespace

TEST_F(Registry, AnUpdateKeepsEveryLineItDoesNotChangeByteForByte) {
  const QString path = dir_.filePath("registry.ini");
  // Comments, another program's section, a path that is not UTF-8, odd
  // spacing and a last line without its line end.
  const std::string head =
      "; written by hand\n"
      "[Other]\n"
      "Setting = 1\n"
      "\n"
      "[Classes]\n"
      "  Old.Class =  /opt/\xe9t\xe9/libold.so\n"
      "# kept\n";
  write_bytes(path, head + "Lib.One=/x/libone.so\n\n[Later]\nLib.Two=not a class");
  EXPECT_EQ(registered_library("old.class"), "/opt/\xe9t\xe9/libold.so");
  EXPECT_FALSE(registered_library("Lib.Two"));
  register_class("New.Class", "/x/libnew.so");
  register_class("LIB.ONE", "/y/libone.so");
  EXPECT_EQ(file_bytes(path), head + "LIB.ONE=/y/libone.so\nNew.Class=/x/libnew.so\n\n[Later]\nLib.Two=not a class\n");
  EXPECT_TRUE(unregister_class("old.CLASS"));
  EXPECT_EQ(file_bytes(path).find("Old.Class"), std::string::npos);
  EXPECT_NE(file_bytes(path).find("[Other]\nSetting = 1\n"), std::string::npos);
  EXPECT_EQ(registered_library("Old.Class"), std::nullopt);
  // A file without the section gets one; line ends in CR LF stay so.
  write_bytes(path, "[Other]\r\nA=1\r\n");
  register_class("Lib.One", "/x/libone.so");
  EXPECT_EQ(file_bytes(path), "[Other]\r\nA=1\r\n[Classes]\r\nLib.One=/x/libone.so\r\n");
  EXPECT_EQ(registered_library("Lib.One"), "/x/libone.so");
}

TEST_F(Registry, ADamagedFileIsKeptAsideBeforeItIsWrittenAnew) {
  const QString path = dir_.filePath("registry.ini");
  const std::string damaged("[Classes]\nLib.One=/x/lib\0\0\xff\xfe garbage", 36);
  write_bytes(path, damaged);
  testing::internal::CaptureStderr();
  register_class("Lib.Two", "/x/libtwo.so");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(file_bytes(path + ".bak"), damaged);
  EXPECT_NE(said.find((path + ".bak").toStdString()), std::string::npos) << said;
  EXPECT_EQ(file_bytes(path), "[Classes]\nLib.Two=/x/libtwo.so\n");
  // Damaged and closed to its owner: the new file is the owner's to read.
  QFile::remove(path + ".bak");
  write_bytes(path, damaged);
  ASSERT_EQ(::chmod(path.toStdString().c_str(), 0040), 0);
  testing::internal::CaptureStderr();
  register_class("Lib.Two", "/x/libtwo.so");
  testing::internal::GetCapturedStderr();
  struct stat st {};
  ASSERT_EQ(::stat(path.toStdString().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // A file that cannot be read at all, likewise.
  QFile::remove(path + ".bak");
  write_bytes(path, "[Classes]\nLib.Three=/x/libthree.so\n");
  QFile::setPermissions(path, QFileDevice::Permissions());
  if (!QFile(path).open(QIODevice::ReadOnly)) {  // (a user who reads any file cannot try this)
    testing::internal::CaptureStderr();
    register_class("Lib.Two", "/x/libtwo.so");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("registry.ini.bak"), std::string::npos);
    EXPECT_TRUE(QFile::exists(path + ".bak"));
    EXPECT_EQ(registered_library("Lib.Two"), "/x/libtwo.so");
  }
}

TEST_F(Registry, NamesAndPathsALineCannotHoldAreRefusedWithError5) {
  register_class("Lib.One", "/x/libone.so");
  const std::string before = file_bytes(dir_.filePath("registry.ini"));
  const std::pair<std::string, std::string> refused[] = {
      {"A=B", "/x/lib.so"},   {"Two\nLines", "/x/lib.so"}, {"Cr\rLf", "/x/lib.so"}, {"[Classes]", "/x/lib.so"},
      {";Comment", "/x/lib.so"}, {"#Comment", "/x/lib.so"}, {" Lead", "/x/lib.so"},   {"Trail\t", "/x/lib.so"},
      {"", "/x/lib.so"},      {std::string("N\0ul", 4), "/x/lib.so"}, {"Good.Name", "/x/a\nb.so"},
      {"Good.Name", ""},      {"Good.Name", "/x/lib.so "}};
  for (const auto& [cls, lib] : refused) {
    try {
      register_class(cls, lib);
      ADD_FAILURE() << "accepted '" << cls << "' -> '" << lib << "'";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number, kErrInvalidCall) << cls;
    }
  }
  EXPECT_EQ(file_bytes(dir_.filePath("registry.ini")), before);
  // Blanks and "=" inside a path, and odd characters inside a name, are fine.
  register_class("Lib.Odd;[x]", "/x/my lib=1.so");
  EXPECT_EQ(registered_library("lib.odd;[x]"), "/x/my lib=1.so");
}

TEST_F(Registry, ARegistryThatCannotBeWrittenHoldsForThisRun) {
  // The registry's path is a folder.
  const QString path = dir_.filePath("registry.ini");
  ASSERT_TRUE(QDir().mkpath(path));
  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(register_class("Lib.One", "/x/libone.so"));
  EXPECT_NO_THROW(register_class("Lib.Two", "/x/libtwo.so"));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(path.toStdString()), std::string::npos) << said;
  EXPECT_EQ(registered_library("lib.one"), "/x/libone.so");
  EXPECT_EQ(registered_classes().size(), 2u);
  EXPECT_TRUE(unregister_class("Lib.One"));
  EXPECT_FALSE(registered_library("Lib.One"));
  EXPECT_FALSE(registry_written());
  // Once the file can be written, what was held goes into it.
  ASSERT_TRUE(QDir(path).removeRecursively());
  register_class("Lib.Three", "/x/libthree.so");
  EXPECT_EQ(file_bytes(path), "[Classes]\nLib.Two=/x/libtwo.so\nLib.Three=/x/libthree.so\n");
}

TEST_F(Registry, ALookupSeesTheFileChangedAndALeftoverLockDelaysNothing) {
  const QString path = dir_.filePath("registry.ini");
  write_bytes(path, "[Classes]\nLib.One=/x/libone.so\n");
  EXPECT_EQ(registered_library("Lib.One"), "/x/libone.so");
  write_bytes(path, "[Classes]\nLib.One=/y/libone.so\nLib.Two=/y/libtwo.so\n");
  EXPECT_EQ(registered_library("Lib.One"), "/y/libone.so");
  EXPECT_EQ(registered_library("Lib.Two"), "/y/libtwo.so");
  // Lock files left by programs that ended, readable or not.
  for (const std::string lock : {"garbage \x01\x02", "4194303\nbrendalo\nsomehost\n", ""}) {
    write_bytes(path + ".lock", lock);
    QElapsedTimer t;
    t.start();
    register_class("Lib.Three", "/x/libthree.so");
    EXPECT_LT(t.elapsed(), 1000);
  }
  EXPECT_EQ(registered_library("Lib.Three"), "/x/libthree.so");
}

namespace {

// What stands at a path, its last link not followed: kind, identity, device
// number, and a link's target.
struct Stands {
  mode_t mode = 0;
  ino_t ino = 0;
  dev_t rdev = 0;
  std::string link;
  bool operator==(const Stands&) const = default;
};

Stands stands_at(const QString& path) {
  const std::string p = path.toStdString();
  Stands s;
  struct stat st {};
  if (::lstat(p.c_str(), &st) != 0) return s;
  s.mode = st.st_mode;
  s.ino = st.st_ino;
  s.rdev = st.st_rdev;
  char target[4096];
  if (const ssize_t n = ::readlink(p.c_str(), target, sizeof target); n > 0) s.link.assign(target, size_t(n));
  return s;
}

// The names in a folder but the registry's lock file.
QStringList entries_of(const QString& dir) {
  QStringList names =
      QDir(dir).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  names.removeAll("registry.ini.lock");
  return names;
}

}  // namespace

TEST_F(Registry, APathThatIsNotARegularFileStaysWhatItIsAndTheRegistrationHolds) {
  const QString path = dir_.filePath("registry.ini");
  const QString fifo = dir_.filePath("fifo"), folder = dir_.filePath("folder"), node = dir_.filePath("node");
  ASSERT_EQ(::mkfifo(fifo.toStdString().c_str(), 0600), 0);
  ASSERT_TRUE(QDir().mkpath(folder));
  // A device node of its own (the null device's numbers), never the system's:
  // only a privileged user can make one.
  const bool have_node = ::mknod(node.toStdString().c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
  struct Case {
    const char* what;
    std::function<bool()> make;  // puts it at the registry's path
    QString target;              // what a link points to
  };
  auto link_to = [&](const QString& target) { return [=] { return QFile::link(target, path); }; };
  std::vector<Case> cases = {
      {"a FIFO", [&] { return ::mkfifo(path.toStdString().c_str(), 0600) == 0; }, {}},
      {"a link to a FIFO", link_to(fifo), fifo},
      {"a link to a folder", link_to(folder), folder},
      {"a link to nothing", link_to(dir_.filePath("none")), dir_.filePath("none")},
  };
  if (have_node) {
    cases.push_back({"a device node", [&] {
                       return ::mknod(path.toStdString().c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
                     }, {}});
    cases.push_back({"a link to a device node", link_to(node), node});
  }
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ::unlink(path.toStdString().c_str());
    ASSERT_TRUE(c.make());
    const Stands before = stands_at(path), target_before = stands_at(c.target);
    const QStringList files_before = entries_of(dir_.path());
    const std::string cls = "Case.N" + std::to_string(++n);
    // Read as empty, without waiting on a FIFO for a writer.
    EXPECT_EQ(registered_library(cls), std::nullopt);
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(register_class(cls, "/x/lib.so"));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Cannot write the class registry " + path.toStdString() + ": it is not a regular file"),
              std::string::npos)
        << said;
    EXPECT_EQ(registered_library(cls), "/x/lib.so");  // held for this run
    EXPECT_EQ(stands_at(path), before);
    EXPECT_EQ(stands_at(c.target), target_before);
    EXPECT_EQ(entries_of(dir_.path()), files_before);  // nothing written beside it either
    EXPECT_EQ(entries_of(folder), QStringList());
  }
  EXPECT_FALSE(registry_written());
}

TEST_F(Registry, ALinkToARegularFileStaysALinkAndItsTargetIsWritten) {
  const QString path = dir_.filePath("registry.ini"), real = dir_.filePath("elsewhere/mine.ini");
  ASSERT_TRUE(QDir().mkpath(dir_.filePath("elsewhere")));
  write_bytes(real, "; mine\n[Classes]\nOld.Class=/x/libold.so\n");
  ASSERT_TRUE(QFile::link(real, path));
  register_class("New.Class", "/x/libnew.so");
  EXPECT_EQ(stands_at(path).link, real.toStdString());
  EXPECT_EQ(file_bytes(real), "; mine\n[Classes]\nOld.Class=/x/libold.so\nNew.Class=/x/libnew.so\n");
  EXPECT_EQ(registered_library("old.class"), "/x/libold.so");
  // Damaged behind the link: kept aside beside the target, the link stays.
  const std::string damaged("[Classes]\n\0\xff", 12);
  write_bytes(real, damaged);
  testing::internal::CaptureStderr();
  register_class("Lib.Two", "/x/libtwo.so");
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(file_bytes(real + ".bak"), damaged);
  EXPECT_EQ(stands_at(path).link, real.toStdString());
  EXPECT_EQ(file_bytes(real), "[Classes]\nLib.Two=/x/libtwo.so\n");
  EXPECT_TRUE(held_classes().empty());
}

TEST_F(Registry, EveryDamagedFileKeptAsideStaysOnDisk) {
  const QString path = dir_.filePath("registry.ini");
  auto damaged = [](int k) { return std::string("[Classes]\nLib.One=/x/lib\0", 25) + std::to_string(k); };
  // One damaged file after another, as at successive starts.
  for (int k = 0; k < 3; ++k) {
    write_bytes(path, damaged(k));
    testing::internal::CaptureStderr();
    register_class("Lib.Two", "/x/libtwo.so");
    const std::string said = testing::internal::GetCapturedStderr();
    const QString aside = path + ".bak" + (k ? "." + QString::number(k) : QString());
    EXPECT_NE(said.find("kept as " + aside.toStdString() + " "), std::string::npos) << said;
  }
  EXPECT_EQ(file_bytes(path + ".bak"), damaged(0));
  EXPECT_EQ(file_bytes(path + ".bak.1"), damaged(1));
  EXPECT_EQ(file_bytes(path + ".bak.2"), damaged(2));
  // A name the user freed is taken again; none is ever replaced.
  ASSERT_TRUE(QFile::remove(path + ".bak.1"));
  write_bytes(path, damaged(3));
  testing::internal::CaptureStderr();
  register_class("Lib.Two", "/x/libtwo.so");
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(file_bytes(path + ".bak"), damaged(0));
  EXPECT_EQ(file_bytes(path + ".bak.1"), damaged(3));
  EXPECT_EQ(file_bytes(path + ".bak.2"), damaged(2));
  EXPECT_EQ(file_bytes(path), "[Classes]\nLib.Two=/x/libtwo.so\n");
}

namespace {

// A library built beside the tests.
QString built(const char* name) { return QCoreApplication::applicationDirPath() + "/lib" + name + ".so"; }

struct ToolRun {
  int code = -1;
  std::string out, err;
};

// brendalo-register, built beside the tests, with the registry at `registry`.
ToolRun run_register_tool(const QString& registry, const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("BRENDALO_REGISTRY", registry);
  p.setProcessEnvironment(env);
  p.start(QCoreApplication::applicationDirPath() + "/brendalo-register", args);
  ToolRun r;
  if (!p.waitForFinished(120000)) return r;
  if (p.exitStatus() == QProcess::NormalExit) r.code = p.exitCode();
  r.out = p.readAllStandardOutput().toStdString();
  r.err = p.readAllStandardError().toStdString();
  return r;
}

}  // namespace

TEST_F(Registry, TheToolSaysOfEachClassWhetherItWasStored) {
  // The resolution control's library, built beside the tests: one class.
  const QString lib = QCoreApplication::applicationDirPath() + "/libPantalla.so";
  const std::string shown = "Pantalla.Resolucion (" + lib.toStdString() + ")";
  const ToolRun stored = run_register_tool(dir_.filePath("registry.ini"), {lib});
  EXPECT_EQ(stored.code, 0) << stored.err;
  EXPECT_EQ(stored.out, "registered " + shown + "\nregistry: " + dir_.filePath("registry.ini").toStdString() + "\n");
  EXPECT_EQ(run_register_tool(dir_.filePath("registry.ini"), {"--unregister", lib}).out.find("unregistered "), 0u);
  // An unknown option: the usage, and nothing registered.
  const ToolRun unknown = run_register_tool(dir_.filePath("other.ini"), {lib, "--help"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find("unknown option --help"), std::string::npos) << unknown.err;
  EXPECT_EQ(unknown.out, "");
  EXPECT_FALSE(QFile::exists(dir_.filePath("other.ini")));

  // A registry that cannot be written (a folder) or must not be (a FIFO).
  const QString fifo = dir_.filePath("fifo.ini"), folder = dir_.filePath("folder.ini");
  ASSERT_EQ(::mkfifo(fifo.toStdString().c_str(), 0600), 0);
  ASSERT_TRUE(QDir().mkpath(folder));
  for (const QString& registry : {fifo, folder}) {
    SCOPED_TRACE(registry.toStdString());
    const ToolRun r = run_register_tool(registry, {lib});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "not registered " + shown + ": the class registry cannot be written\nregistry: " +
                         registry.toStdString() + "\n");
    EXPECT_NE(r.err.find("Cannot write the class registry " + registry.toStdString()), std::string::npos) << r.err;
    // Every library of a folder: no class is said to be registered.
    const ToolRun all = run_register_tool(registry, {"--all", QCoreApplication::applicationDirPath()});
    EXPECT_EQ(all.code, 1);
    EXPECT_NE(all.out.find("not registered " + shown), std::string::npos) << all.out;
    EXPECT_FALSE(all.out.starts_with("registered ")) << all.out;
    EXPECT_EQ(all.out.find("\nregistered "), std::string::npos) << all.out;
  }
  EXPECT_EQ(stands_at(fifo).mode & S_IFMT, S_IFIFO);

  // A removal the file cannot take: a registry in a folder that cannot be
  // written (a user who writes anywhere cannot try this).
  const QString locked = dir_.filePath("locked"), in_locked = locked + "/registry.ini";
  ASSERT_TRUE(QDir().mkpath(locked));
  ASSERT_EQ(run_register_tool(in_locked, {lib}).code, 0);
  QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  if (!QFile(locked + "/probe").open(QIODevice::WriteOnly)) {
    const ToolRun un = run_register_tool(in_locked, {"--unregister", lib});
    EXPECT_EQ(un.code, 1);
    EXPECT_TRUE(un.out.starts_with("not unregistered " + lib.toStdString() + ": the class registry cannot be written\n"))
        << un.out;
    // What the file already holds needs no write: it is registered.
    const ToolRun again = run_register_tool(in_locked, {lib});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_TRUE(again.out.starts_with("registered " + shown + "\n")) << again.out;
  }
  QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

namespace {

// Everything in a folder, lock files and hidden files included.
std::string all_entries(const QString& dir) {
  return QDir(dir)
      .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
      .join(" ")
      .toStdString();
}

// A registry of the user's own lines, past two pages of the disk.
std::string users_registry() {
  std::string s = "; kept by hand\n[Other]\n";
  for (int i = 0; s.size() < 8200; ++i) s += "Setting" + std::to_string(i) + " = a value of the user's own\n";
  return s + "[Classes]\nOther.Class=/opt/other/libother.so\n";
}

const char* const kClasses[] = {"NadrelControl.Nadrel", "OmbrelisControl.Ombrelis", "Pantalla.Resolucion"};

}  // namespace

TEST_F(Registry, OnAFullDiskNothingChangesAndNothingIsSaidToBeRegistered) {
  const QString bin = QCoreApplication::applicationDirPath(), pantalla = bin + "/libPantalla.so";
  const std::string damaged("[Classes]\nLib.One=/x/lib\0\0\xff", 27);
  const struct {
    const char* what;
    const char* name;                     // the registry's, within the disk
    std::optional<std::string> registry;  // none: missing
    size_t spare_pages;                   // left free: the write is cut short first
  } cases[] = {{"user lines", "registry.ini", users_registry(), 1},
               {"missing", "registry.ini", std::nullopt, 0},
               {"missing, in a folder not made yet", "brendalo/registry.ini", std::nullopt, 0},
               {"damaged", "registry.ini", damaged, 0}};
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString dir = dir_.filePath("disk" + QString::number(++n)), path = dir + "/" + c.name;
    ASSERT_TRUE(QDir().mkpath(dir));
    brendalo::FullDisk disk;
    if (const std::string why = disk.mount(dir.toStdString()); !why.empty())
      GTEST_SKIP() << "a small tmpfs cannot be mounted here (" << why
                   << "); the full-disk cases need root or CAP_SYS_ADMIN";
    if (c.registry) write_bytes(path, *c.registry);
    ASSERT_TRUE(disk.fill(c.spare_pages));
    const std::string before = all_entries(dir);
    auto unchanged = [&] {
      if (c.registry) EXPECT_EQ(file_bytes(path), *c.registry);
      else EXPECT_FALSE(QFile::exists(path));
      EXPECT_EQ(all_entries(dir), before);  // no temporary, lock or empty file left
    };

    // The tool, as an installer runs it.
    const ToolRun tool = run_register_tool(path, {"--all", bin});
    EXPECT_EQ(tool.code, 1);
    for (const char* cls : kClasses)
      EXPECT_NE(tool.out.find("not registered " + std::string(cls) + " ("), std::string::npos) << tool.out;
    EXPECT_FALSE(tool.out.starts_with("registered ")) << tool.out;
    EXPECT_EQ(tool.out.find("\nregistered "), std::string::npos) << tool.out;
    EXPECT_NE(tool.err.find("Cannot write the class registry " + path.toStdString() + ": "), std::string::npos)
        << tool.err;
    EXPECT_NE(tool.err.find("No space left on device"), std::string::npos) << tool.err;
    unchanged();

    // In this process: the registration holds, with the warning.
    setenv("BRENDALO_REGISTRY", path.toLocal8Bit().constData(), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(register_library(pantalla.toStdString()), std::vector<std::string>{"Pantalla.Resolucion"});
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Cannot write the class registry " + path.toStdString()), std::string::npos) << said;
    EXPECT_EQ(held_classes(), std::vector<std::string>{"Pantalla.Resolucion"});
    EXPECT_NO_THROW(create_object("Pantalla.Resolucion"));
    unchanged();

    // With room again the file is written, a damaged one kept aside first.
    disk.empty();
    const ToolRun again = run_register_tool(path, {pantalla});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_TRUE(again.out.starts_with("registered Pantalla.Resolucion (")) << again.out;
    const std::string line = "Pantalla.Resolucion=" + pantalla.toStdString() + "\n";
    if (c.registry == damaged) {
      EXPECT_EQ(file_bytes(path + ".bak"), damaged);
    }
    EXPECT_EQ(file_bytes(path), (c.registry == damaged || !c.registry ? "[Classes]\n" : *c.registry) + line);
  }
}

TEST_F(Registry, AClassResolvedOnceStaysCreatableWhateverBecomesOfTheFile) {
  const QString path = dir_.filePath("registry.ini");
  const std::string lib = (QCoreApplication::applicationDirPath() + "/libPantalla.so").toStdString();
  const std::string installed = "[Classes]\nPantalla.Resolucion=" + lib + "\n";
  write_bytes(path, installed);
  ASSERT_NO_THROW(create_object("Pantalla.Resolucion"));  // found in the file
  register_class("Lib.Mine", "/x/libmine.so");             // registered by this process
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"emptied", [&] { write_bytes(path, ""); }},
      {"damaged", [&] { write_bytes(path, std::string("[Classes]\n\0\xff", 12)); }},
      {"deleted", [&] { QFile::remove(path); }},
      {"unregistered by another program",
       [&] { EXPECT_EQ(run_register_tool(path, {"--unregister", QString::fromStdString(lib)}).code, 0); }},
      {"naming a library that fails",
       [&] { write_bytes(path, "[Classes]\nPantalla.Resolucion=/nowhere/libPantalla.so\n"); }},
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    write_bytes(path, installed + "Lib.Mine=/x/libmine.so\n");
    EXPECT_EQ(registered_library("pantalla.resolucion"), lib);
    change();
    EXPECT_NO_THROW(create_object("Pantalla.Resolucion"));
    EXPECT_EQ(registered_library("LIB.MINE"), "/x/libmine.so");
  }
  // The file is still read: a class that appears is found, and what the
  // file names comes first.
  write_bytes(path, "[Classes]\nNew.Class=/x/libnew.so\nLib.Mine=/y/libmine.so\n");
  EXPECT_EQ(registered_library("New.Class"), "/x/libnew.so");
  EXPECT_EQ(registered_library("Lib.Mine"), "/y/libmine.so");
  EXPECT_NO_THROW(create_object("Pantalla.Resolucion"));
  // What this process removes is gone.
  EXPECT_TRUE(unregister_class("Pantalla.Resolucion"));
  EXPECT_EQ(registered_library("Pantalla.Resolucion"), std::nullopt);
  EXPECT_THROW(create_object("Pantalla.Resolucion"), RuntimeError);
}

TEST_F(Registry, AFileSystemWithoutFileModesTakesTheUpdate) {
  const QString path = dir_.filePath("registry.ini");
  const struct {
    int error;
    bool written;
  } cases[] = {{ENOSYS, true}, {EOPNOTSUPP, true}, {EIO, false}};  // EIO: a failure that is one
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::strerror(c.error));
    forget_registrations();
    const std::string before = "[Classes]\nOld.Class=/x/libold.so\n", line = "Lib.N" + std::to_string(++n) + "=/x/lib.so\n";
    write_bytes(path, before);
    g_fchmod_error = c.error;
    g_fchmod_failures = -1;
    testing::internal::CaptureStderr();
    register_class("Lib.N" + std::to_string(n), "/x/lib.so");
    const std::string said = testing::internal::GetCapturedStderr();
    g_fchmod_failures = 0;
    EXPECT_EQ(file_bytes(path), c.written ? before + line : before);
    EXPECT_EQ(registry_written(), c.written) << said;
    EXPECT_EQ(all_entries(dir_.path()), "registry.ini registry.ini.lock");
  }
}

namespace {

// The names in a folder, byte for byte.
std::vector<std::string> names_in(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d))
      if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A variable of the environment set for one test, put back after it.
class EnvVar {
 public:
  EnvVar(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    set(value);
  }
  ~EnvVar() { set(saved_ ? saved_->c_str() : nullptr); }
  void set(const char* value) {
    if (value) setenv(name_, value, 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

}  // namespace

TEST_F(Registry, TheDefaultPlaceIsTakenFromTheEnvironmentsBytes) {
  const std::string dir = dir_.path().toStdString(), home = dir + "/caf\xE9";  // Latin-1
  ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
  EnvVar no_registry("BRENDALO_REGISTRY", nullptr), at_home("HOME", home.c_str()), data("XDG_DATA_HOME", nullptr);
  const std::string in_home = home + "/.local/share/brendalo/registry.ini";
  const struct {
    const char* xdg_data_home;  // null: unset
    std::string registry;
  } cases[] = {{nullptr, in_home},
               {"", in_home},
               {"relative/data", in_home},  // not valid: ignored
               {"./data", in_home},
               {"/x/d\xE9ta/", "/x/d\xE9ta/brendalo/registry.ini"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xdg_data_home ? c.xdg_data_home : "(unset)");
    data.set(c.xdg_data_home);
    EXPECT_EQ(registry_path(), c.registry);
  }
  // The folders are made in the real home, nothing beside it nor in the
  // current folder.
  data.set("relative/data");
  register_class("Lib.One", "/x/libone.so");
  EXPECT_EQ(names_in(home + "/.local/share/brendalo"), (std::vector<std::string>{"registry.ini", "registry.ini.lock"}));
  EXPECT_EQ(names_in(dir), std::vector<std::string>{"caf\xE9"});
  EXPECT_FALSE(QFile::exists("relative"));
  EXPECT_TRUE(held_classes().empty());
}

namespace {

constexpr int kCannotPlay = 77;  // the child's exit code: no other user can work here

// Runs `work` in a child process as another user (nobody, when this one is
// root; else as this one, the lock file being closed to writing). The lock
// this process holds through `locked` stays this process's: the child
// closes its copy.

pid_t as_another_user(const QString& dir, const std::function<int()>& work, int locked = -1) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (locked >= 0) ::close(locked);
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(kCannotPlay);
    if (::access(dir.toLocal8Bit().constData(), R_OK | W_OK | X_OK) != 0) ::_exit(kCannotPlay);
    ::_exit(work());
  }
  return pid;
}

int exit_code(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace

TEST_F(Registry, ALockFileThisUserCannotWriteStillLocks) {
  const QString path = dir_.filePath("registry.ini"), lock = path + ".lock";
  ASSERT_EQ(::chmod(dir_.path().toLocal8Bit().constData(), 0777), 0);
  write_bytes(path, "[Classes]\nFirst.Class=/x/first.so\n");
  write_bytes(lock, "");
  // Root's lock file, or one closed to writing: another user reads it only.
  ASSERT_EQ(::chmod(lock.toLocal8Bit().constData(), ::geteuid() == 0 ? 0644 : 0444), 0);

  // While this process updates the file under the lock, the other's update
  // waits for it, and neither loses the other's class.
  const int fd = ::open(lock.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  const pid_t other = as_another_user(dir_.path(), [] {
    register_class("Second.Class", "/x/second.so");
    return registry_written() ? 0 : 1;
  }, fd);
  ASSERT_GT(other, 0);
  const std::string as_read = file_bytes(path);
  ::usleep(300000);  // time enough for an update that does not wait
  write_bytes(path + ".mine", as_read + "Mine.Class=/x/mine.so\n");
  ASSERT_EQ(::rename((path + ".mine").toLocal8Bit().constData(), path.toLocal8Bit().constData()), 0);
  ::close(fd);
  const int code = exit_code(other);
  if (code == kCannotPlay) GTEST_SKIP() << "no other user can work in " << dir_.path().toStdString();
  const std::string now = file_bytes(path);
  EXPECT_NE(now.find("Mine.Class="), std::string::npos) << now;
  EXPECT_EQ(code, 0);  // waited, then written
  EXPECT_NE(now.find("Second.Class="), std::string::npos) << now;

  // A lock file it cannot open at all: nothing is written, and the update
  // says so.
  ASSERT_EQ(::chmod(lock.toLocal8Bit().constData(), 0), 0);
  const pid_t locked_out = as_another_user(dir_.path(), [] {
    testing::internal::CaptureStderr();
    register_class("Third.Class", "/x/third.so");
    const std::string said = testing::internal::GetCapturedStderr();
    if (said.find(": it cannot be locked (") == std::string::npos) return 2;
    return registry_written() ? 0 : 1;
  });
  EXPECT_EQ(exit_code(locked_out), 1);
  EXPECT_EQ(file_bytes(path), now);
}

TEST_F(Registry, TheTemporaryFileOfAWriterKilledMidwayGoesWithTheNextUpdate) {
  const QString path = dir_.filePath("registry.ini");
  write_bytes(path, "[Classes]\nOld.Class=/x/libold.so\n");
  // A writer killed after it wrote its new text, before the rename.
  const pid_t killed = ::fork();
  if (killed == 0) {
    const std::string temp = path.toStdString() + ".new." + std::to_string(::getpid()) + ".0";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ::_exit(fd >= 0 && ::write(fd, "[Classes]\n", 10) == 10 ? 0 : 1);
  }
  ASSERT_EQ(exit_code(killed), 0);
  const QString dead = path + ".new." + QString::number(killed) + ".0";
  ASSERT_TRUE(QFile::exists(dead));
  // Names the update must leave: a living process's file, and files that
  // are not a writer's of this registry.
  const QString kept[] = {path + ".new." + QString::number(::getpid()) + ".0", path + ".new.x.0",
                          path + ".new." + QString::number(killed), path + ".new." + QString::number(killed) + ".0~",
                          dir_.filePath("other.ini.new.") + QString::number(killed) + ".0"};
  for (const QString& name : kept) write_bytes(name, "mine");
  register_class("New.Class", "/x/libnew.so");
  EXPECT_FALSE(QFile::exists(dead));
  for (const QString& name : kept) EXPECT_EQ(file_bytes(name), "mine") << name.toStdString();
  EXPECT_EQ(file_bytes(path), "[Classes]\nOld.Class=/x/libold.so\nNew.Class=/x/libnew.so\n");
}

TEST_F(Registry, TheToolsLastWordOnEachClassIsWhatTheFileHolds) {
  const std::string bin = QCoreApplication::applicationDirPath().toStdString();
  // The first library's update makes the file; fchmod first runs for the
  // second's. Failing once, the third update writes what was held.
  for (const int failures : {1, 2}) {
    SCOPED_TRACE(failures);
    forget_registrations();
    const QString path = dir_.filePath("registry" + QString::number(failures) + ".ini");
    setenv("BRENDALO_REGISTRY", path.toLocal8Bit().constData(), 1);
    g_fchmod_error = EIO;
    g_fchmod_failures = failures;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int code = brendalo_register({"--all", bin});
    const std::string out = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    g_fchmod_failures = 0;
    const std::string file = file_bytes(path);
    bool all_stored = true;
    for (const char* cls : kClasses) {
      SCOPED_TRACE(cls);
      const bool stored = file.find(std::string(cls) + "=") != std::string::npos;
      all_stored = all_stored && stored;
      const size_t last = out.rfind(std::string(cls) + " (");
      ASSERT_NE(last, std::string::npos) << out;
      const size_t line = out.rfind('\n', last) + 1;  // (npos + 1 is 0)
      EXPECT_EQ(out.substr(line, last - line), stored ? "registered " : "not registered ") << out;
    }
    EXPECT_EQ(all_stored, failures == 1) << file;
    EXPECT_EQ(code, all_stored ? 0 : 1) << out;
    EXPECT_TRUE(out.ends_with("\nregistry: " + path.toStdString() + "\n")) << out;
  }
}

TEST_F(Registry, UpdatesThroughALinkAndThroughTheFilesOwnNameLoseNothing) {
  // The default place linked to a file elsewhere, as dotfile managers do; a
  // large file widens the window in which two updates could overlap.
  const QString link = dir_.filePath("registry.ini"), real = dir_.filePath("dotfiles/registry.ini");
  ASSERT_TRUE(QDir().mkpath(dir_.filePath("dotfiles")));
  std::string padding = "[Other]\n";
  for (int i = 0; i < 20000; ++i) padding += "Setting" + std::to_string(i) + "=a value of the user's own\n";
  write_bytes(real, padding + "[Classes]\n");
  ASSERT_TRUE(QFile::link(real, link));
  constexpr int kWriters = 6, kEach = 8;
  std::vector<pid_t> writers;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      // Half through the link, half through the file's own name.
      setenv("BRENDALO_REGISTRY", (w % 2 ? real : link).toLocal8Bit().constData(), 1);
      for (int i = 0; i < kEach; ++i)
        register_class("Writer" + std::to_string(w) + ".Class" + std::to_string(i), "/x/lib.so");
      ::_exit(registry_written() ? 0 : 1);
    }
    ASSERT_GT(pid, 0);
    writers.push_back(pid);
  }
  for (const pid_t pid : writers) EXPECT_EQ(exit_code(pid), 0);
  const std::string now = file_bytes(real);
  for (int w = 0; w < kWriters; ++w)
    for (int i = 0; i < kEach; ++i) {
      const std::string cls = "Writer" + std::to_string(w) + ".Class" + std::to_string(i) + "=";
      EXPECT_NE(now.find(cls), std::string::npos) << cls;
    }
  EXPECT_TRUE(now.starts_with(padding));
  EXPECT_EQ(stands_at(link).link, real.toStdString());
}

TEST_F(Registry, ADamagedFileIsKeptAsideWhereLinksAndRenameFlagsAreRefused) {
  const QString path = dir_.filePath("registry.ini");
  const std::string damaged("[Classes]\nLib.One=/x/lib\0\0\xff", 27);
  write_bytes(path + ".bak", "kept by an earlier start");
  g_no_links_nor_rename_flags = true;
  write_bytes(path, damaged);
  testing::internal::CaptureStderr();
  register_class("Lib.Two", "/x/libtwo.so");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("kept as " + (path + ".bak.1").toStdString() + " "), std::string::npos) << said;
  EXPECT_EQ(file_bytes(path + ".bak"), "kept by an earlier start");
  EXPECT_EQ(file_bytes(path + ".bak.1"), damaged);
  EXPECT_EQ(file_bytes(path), "[Classes]\nLib.Two=/x/libtwo.so\n");
  EXPECT_TRUE(registry_written()) << said;
  // A replacement that fails puts the damaged file back, and nothing it
  // claimed stays.
  write_bytes(path, damaged);
  g_fail_rename_of_new_file = true;
  testing::internal::CaptureStderr();
  register_class("Lib.Three", "/x/libthree.so");
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(file_bytes(path), damaged);
  EXPECT_FALSE(registry_written());
  EXPECT_EQ(all_entries(dir_.path()), "registry.ini registry.ini.bak registry.ini.bak.1 registry.ini.lock");
  // And where putting it back fails too, the message says where its bytes
  // are, and that there is no registry file until an update writes one.
  g_fail_rename_of_new_file = g_fail_put_back = true;
  testing::internal::CaptureStderr();
  register_class("Lib.Four", "/x/libfour.so");
  const std::string stranded = testing::internal::GetCapturedStderr();
  EXPECT_NE(stranded.find("Cannot write the class registry " + path.toStdString() +
                          ": it is damaged (not a text file) and could not be replaced (Input/output error), nor put "
                          "back (Input/output error): its bytes are in " +
                          (path + ".bak.2").toStdString() +
                          ", and the registry file is absent until the next update writes it; the registration "
                          "holds for this run only"),
            std::string::npos)
      << stranded;
  EXPECT_EQ(stranded.find("stays as it is"), std::string::npos) << stranded;
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(file_bytes(path + ".bak.2"), damaged);
  EXPECT_EQ(all_entries(dir_.path()), "registry.ini.bak registry.ini.bak.1 registry.ini.bak.2 registry.ini.lock");
  // Which the next update does, with what was held.
  register_class("Lib.Five", "/x/libfive.so");
  EXPECT_EQ(file_bytes(path), "[Classes]\nLib.Three=/x/libthree.so\nLib.Four=/x/libfour.so\nLib.Five=/x/libfive.so\n");
  EXPECT_TRUE(registry_written());
}

TEST_F(Registry, AnUpdateLocksTheFileALinkNamesWhenTheLockIsHad) {
  const QString path = dir_.filePath("registry.ini"), a = dir_.filePath("a.ini"), b = dir_.filePath("b.ini");
  const std::string old = "[Classes]\nOld.Class=/x/libold.so\n";
  write_bytes(a, old);
  write_bytes(b, old);
  ASSERT_TRUE(QFile::link(a, path));
  auto relink = [&] {
    const QString to = stands_at(path).link == a.toStdString() ? b : a;
    QFile::remove(path);
    QFile::link(to, path);
  };
  // Pointed at b while the update waited for a's lock: b is written, under
  // its own lock.
  g_before_lock = [&] {
    g_before_lock = nullptr;
    relink();
  };
  register_class("New.Class", "/x/libnew.so");
  EXPECT_EQ(file_bytes(a), old);
  EXPECT_EQ(file_bytes(b), old + "New.Class=/x/libnew.so\n");
  EXPECT_EQ(all_entries(dir_.path()), "a.ini b.ini b.ini.lock registry.ini");
  EXPECT_TRUE(registry_written());
  // Pointed elsewhere every time: the change is held, nothing written.
  QFile::remove(b + ".lock");
  g_before_lock = relink;
  testing::internal::CaptureStderr();
  register_class("Other.Class", "/x/libother.so");
  const std::string said = testing::internal::GetCapturedStderr();
  g_before_lock = nullptr;
  EXPECT_NE(said.find(path.toStdString() + " is linked to another file again and again"), std::string::npos) << said;
  EXPECT_EQ(held_classes(), std::vector<std::string>{"Other.Class"});
  EXPECT_EQ(file_bytes(a), old);
  EXPECT_EQ(file_bytes(b), old + "New.Class=/x/libnew.so\n");
  EXPECT_EQ(all_entries(dir_.path()), "a.ini b.ini registry.ini");
}

TEST_F(Registry, ALockThatIsALinkToNothingIsSaidToBeOne) {
  const QString path = dir_.filePath("registry.ini");
  write_bytes(path, "[Classes]\n");
  ASSERT_TRUE(QFile::link(dir_.filePath("none"), path + ".lock"));
  testing::internal::CaptureStderr();
  register_class("Lib.One", "/x/libone.so");
  const std::string said = testing::internal::GetCapturedStderr();
  const std::string why = "it cannot be locked (" + path.toStdString() + ".lock is a link to nothing)";
  EXPECT_NE(said.find(why), std::string::npos) << said;
  EXPECT_EQ(held_classes(), std::vector<std::string>{"Lib.One"});
  EXPECT_EQ(file_bytes(path), "[Classes]\n");
}

TEST_F(Registry, TheToolSaysWhyItCannotRegisterAFolder) {
  const std::string dir = dir_.path().toStdString(), latin1 = dir + "/caf\xE9";
  ASSERT_EQ(::mkdir(latin1.c_str(), 0700), 0);
  ASSERT_EQ(::mkdir((latin1 + "/lib").c_str(), 0700), 0);
  ASSERT_TRUE(QFile::link(built("Pantalla"), QString::fromStdString(dir) + "/libPantalla.so"));
  ASSERT_EQ(::symlink((dir + "/libPantalla.so").c_str(), (latin1 + "/lib/libPantalla.so").c_str()), 0);
  const auto not_text = [](const std::string& folder) {
    return "the name of the folder " + folder + " is not UTF-8 text; such a folder is not supported";
  };
  // A relative name is judged by the folder it names, from where it is run.
  const struct {
    std::string from, folder, said;
  } cases[] = {{dir, latin1, not_text(latin1)},
               {dir, dir + "/none", "no folder " + dir + "/none"},
               {latin1, "lib", not_text(latin1 + "/lib")},
               {latin1, ".", not_text(latin1 + "/.")},
               {latin1 + "/lib", ".", not_text(latin1 + "/lib/.")}};
  char* was = ::getcwd(nullptr, 0);
  ASSERT_TRUE(was);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from + " " + c.folder);
    ASSERT_EQ(::chdir(c.from.c_str()), 0);
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    EXPECT_EQ(brendalo_register({"--all", c.folder}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "brendalo-register: " + c.said + "\n");
  }
  EXPECT_EQ(::chdir(was), 0);
  std::free(was);
  EXPECT_FALSE(QFile::exists(dir_.filePath("registry.ini")));
  ::unlink((latin1 + "/lib/libPantalla.so").c_str());  // (names the temporary folder's removal cannot read)
  ::rmdir((latin1 + "/lib").c_str());
  ::rmdir(latin1.c_str());
}

// What the system's loader would wait on forever (a FIFO) or die of
// (segments past the end of a file cut short) never reaches it: each road
// that loads a library refuses it with the same reason, naming the file.
TEST_F(Registry, OnlyAWholeLibraryOfThisMachineReachesTheLoader) {
  const std::string whole = file_bytes(built("OmbrelisControl"));
  ElfHeader h{};
  ASSERT_GT(whole.size(), sizeof h);
  std::memcpy(&h, whole.data(), sizeof h);
  ASSERT_GT(h.e_shoff, 5000u);  // the section table last, past the first loadable segment
  std::string other = whole;   // the same bytes, for another machine
  const uint16_t machine = h.e_machine == EM_AARCH64 ? EM_X86_64 : EM_AARCH64;
  std::memcpy(other.data() + offsetof(ElfHeader, e_machine), &machine, sizeof machine);
  const QString dir = dir_.path();
  ASSERT_EQ(::mkfifo((dir + "/fifo.so").toStdString().c_str(), 0600), 0);
  ASSERT_TRUE(QDir().mkpath(dir + "/folder.so"));
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // none: made above
    const char* said;
  } cases[] = {
      {"empty.so", "", "is empty"},
      {"magic.so", whole.substr(0, 3), "is cut short"},
      {"header.so", whole.substr(0, 40), "is cut short"},
      {"segment_table.so", whole.substr(0, h.e_phoff + 10), "is cut short"},
      {"segments.so", whole.substr(0, 5000), "is cut short"},
      {"section_table.so", whole.substr(0, h.e_shoff + 1), "is cut short"},
      {"text.so", "not a library", "is not a library"},
      {"other.so", other, "is not a library of this machine"},
      {"fifo.so", std::nullopt, "is not a file"},
      {"folder.so", std::nullopt, "is not a file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = (dir + "/" + c.name).toStdString();
    if (c.bytes) write_bytes(QString::fromStdString(path), *c.bytes);
    std::string why;
    EXPECT_FALSE(is_control_library(path, &why));
    EXPECT_EQ(why, path + " " + c.said);
    try {
      register_library(path);
      ADD_FAILURE() << "registered";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.description, why);
    }
    // A registry entry naming it: the object is refused with the usual error.
    register_class("Named.Class", path);
    try {
      create_object("Named.Class");
      ADD_FAILURE() << "created";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number, kErrCantCreate);
      EXPECT_EQ(e.description, "Can't create object of class 'Named.Class': " + why + " (class registry " +
                                   registry_path() + ")");
    }
  }
  // A whole library whose name is not text would register itself under
  // another name: refused before it is loaded.
  const std::string latin1 = dir.toStdString() + "/caf\xe9.so";
  {
    const int fd = ::open(latin1.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, whole.data(), whole.size()), ssize_t(whole.size()));
    ::close(fd);
  }
  std::string why;
  EXPECT_FALSE(is_control_library(latin1, &why));
  EXPECT_EQ(why, "the name of " + latin1 + " is not UTF-8 text; such a library is not supported");
  // Listed as it is, by its bytes.
  const std::vector<std::string> listed = library_files_in(dir.toStdString());
  EXPECT_NE(std::find(listed.begin(), listed.end(), latin1), listed.end());
  EXPECT_EQ(std::find(listed.begin(), listed.end(), dir.toStdString() + "/folder.so"), listed.end());
  ::unlink(latin1.c_str());  // (a name the temporary folder's removal cannot read)
}

// brendalo-register --all names every library of the folder it cannot
// load, registers the others and fails; a library without the registration
// entry is passed over. Given a FIFO or a file cut short it answers at once.
TEST_F(Registry, TheToolNamesEveryLibraryItCannotLoadAndRegistersTheRest) {
  const QString registry = dir_.filePath("registry.ini"), lib = dir_.filePath("lib");
  ASSERT_TRUE(QDir().mkpath(lib));
  ASSERT_TRUE(QFile::link(built("Pantalla"), lib + "/libPantalla.so"));
  ASSERT_TRUE(QFile::link(built("brendalo_platform"), lib + "/libplatform.so"));  // no entry
  write_bytes(lib + "/libcut.so", file_bytes(built("OmbrelisControl")).substr(0, 5000));
  write_bytes(lib + "/libtext.so", "not a library");
  ASSERT_EQ(::mkfifo((lib + "/libfifo.so").toStdString().c_str(), 0600), 0);
  const std::string l = lib.toStdString();
  const ToolRun all = run_register_tool(registry, {"--all", lib});
  EXPECT_EQ(all.code, 1);
  EXPECT_EQ(all.out, "registered Pantalla.Resolucion (" + l + "/libPantalla.so)\nregistry: " + registry.toStdString() + "\n");
  EXPECT_EQ(all.err, "brendalo-register: " + l + "/libcut.so is cut short\nbrendalo-register: " + l +
                         "/libfifo.so is not a file\nbrendalo-register: " + l + "/libtext.so is not a library\n");
  EXPECT_EQ(file_bytes(registry), "[Classes]\nPantalla.Resolucion=" + l + "/libPantalla.so\n");
  for (const char* name : {"libfifo.so", "libcut.so"}) {
    SCOPED_TRACE(name);
    QElapsedTimer t;
    t.start();
    const ToolRun one = run_register_tool(registry, {lib + "/" + name});
    EXPECT_EQ(one.code, 1);
    EXPECT_LT(t.elapsed(), 30000);
    EXPECT_NE(one.err.find(l + "/" + name + " is "), std::string::npos) << one.err;
  }
}
