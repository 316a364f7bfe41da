// Dispatch, events, the site and extender, and the class registry, with a
// small control of the tests' own.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/com/control.h"
#include "platform/com/registry.h"

using namespace plat::com;

namespace {

// A counter with one property, one method that fails half-way unless it can
// finish, and one event.
class Counter final : public Control {
 public:
  const ClassInfo& class_info() const override {
    static const ClassInfo info = [] {
      ClassInfo c;
      c.class_name = "Test.Counter";
      c.interface.name = "_Counter";
      c.interface.funcs = {make_func("Value", 1, CallKind::Get, "Long"), make_func("Value", 1, CallKind::Let, "Long"),
                           make_func("Add", 2, CallKind::Method, "Long", {{"n", "Integer", true, false}})};
      c.events.name = "__Counter";
      c.events.funcs = {make_func("Changed", 1, CallKind::Method, "", {{"Value", "Long", true, false}})};
      return c;
    }();
    return info;
  }
  QWidget* widget() override { return nullptr; }
  void init_properties() override { value_ = 0; }
  void read_properties(const PropertyBag& bag) override { value_ = bag.read("Value", 0).to_i4(); }
  void write_properties(PropertyBag& bag) override { bag.write("Value", Variant(value_), Variant(0)); }
  int32_t value_ = 0;

 protected:
  Variant dispatch(DispId id, CallKind kind, std::span<Variant> args) override {
    if (id == 1 && kind == CallKind::Get) return Variant(value_);
    if (id == 1 && kind == CallKind::Let) {
      Args a(args, 1, 1);
      value_ = a.value().to_i4();
      return {};
    }
    if (id == 2 && kind == CallKind::Method) {
      Args a(args, 1, 1);
      int16_t n = a[0].to_i2();
      int16_t sum = int16_t(value_ + n);
      if (value_ + n > INT16_MAX) throw RuntimeError(kErrOverflow);
      value_ = sum;
      std::vector<Variant> ev = {Variant(value_)};
      fire(1, ev);
      a.write_back(0, Variant::i2(int16_t(ev[0].to_i4())));  // the handler's answer goes back
      return Variant(value_);
    }
    throw RuntimeError(kErrNoMember);
  }
};

}  // namespace

TEST(Dispatch, FailedCallCarriesTheErrorNumber) {
  Counter c;
  c.let(1, {Variant(32760)});
  std::vector<Variant> args = {Variant::i2(10)};
  CallResult r = c.invoke(2, CallKind::Method, args);
  EXPECT_EQ(r.error, kErrOverflow);
  EXPECT_EQ(r.description, "Overflow");
  EXPECT_EQ(c.value_, 32760);
  EXPECT_EQ(c.invoke(99, CallKind::Get, {}).error, kErrNoMember);
  EXPECT_EQ(c.invoke(1, CallKind::Method, {}).error, kErrNoMember);
  std::vector<Variant> two = {Variant(1), Variant(2)};
  EXPECT_EQ(c.invoke(1, CallKind::Let, two).error, kErrWrongArgs);
  std::vector<Variant> text = {Variant("x")};
  EXPECT_EQ(c.invoke(1, CallKind::Let, text).error, kErrTypeMismatch);
  EXPECT_EQ(c.id_of_name("vALUE"), 1);
  EXPECT_FALSE(c.id_of_name("Nope"));
  try {
    c.get(42);
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number, kErrNoMember);
  }
}

TEST(Dispatch, EventsReachConnectedSinksAndByRefArgumentsComeBack) {
  Counter c;
  std::vector<int32_t> seen;
  int cookie = c.connect("__counter", [&](DispId id, std::span<Variant> args) {
    EXPECT_EQ(id, 1);
    seen.push_back(args[0].to_i4());
    args[0].assign(Variant(99));
  });
  Variant mine = Variant::i2(5);
  std::vector<Variant> args = {Variant::by_ref(&mine)};
  ASSERT_TRUE(c.invoke(2, CallKind::Method, args).ok());
  EXPECT_EQ(seen, std::vector<int32_t>{5});
  EXPECT_EQ(mine.to_i2(), 99);  // written through the reference
  c.disconnect(cookie);
  args = {Variant::i2(1)};
  c.invoke(2, CallKind::Method, args);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_THROW(c.connect("__Other", nullptr), RuntimeError);
}

TEST(Hosting, SiteGivesAmbientValuesAndHearsPropertyChanges) {
  Counter c;
  EXPECT_TRUE(c.site() == nullptr);
  SimpleSite site;
  FontProps fp;
  fp.name = "DejaVu Sans";
  site.set_ambient_font(Font::create(fp));
  site.set_user_mode(false);
  c.set_site(&site);
  EXPECT_EQ(site.ambient_font()->Name(), "DejaVu Sans");
  EXPECT_FALSE(site.ambient_user_mode());
  site.property_changed("Value");
  EXPECT_EQ(site.changed(), std::vector<std::string>{"Value"});
}

TEST(Hosting, ExtenderPropertiesComeFirstThenTheControlsMembers) {
  auto counter = std::make_shared<Counter>();
  QWidget host;
  QWidget* w = new QWidget(&host);
  WidgetExtender ext(w, "Counter1", 2);
  ExtendedControl obj(counter, ext);
  obj.let(kExtLeft, {Variant(12)});
  obj.let(kExtWidth, {Variant(90)});
  obj.let(kExtVisible, {Variant(false)});
  EXPECT_EQ(w->x(), 12);
  EXPECT_EQ(w->width(), 90);
  EXPECT_TRUE(w->isHidden());
  EXPECT_EQ(obj.get(kExtName).to_string(), "Counter1");
  EXPECT_EQ(obj.get(kExtIndex).to_i2(), 2);
  EXPECT_EQ(obj.invoke(kExtName, CallKind::Let, {}).error, kErrNoMember);
  EXPECT_EQ(obj.id_of_name("visible"), kExtVisible);
  obj.let(1, {Variant(7)});
  EXPECT_EQ(counter->value_, 7);
  EXPECT_EQ(obj.id_of_name("Value"), 1);
}

TEST(Hosting, FontIsSharedByReferenceAndCloneable) {
  auto f = Font::create();
  Variant v(f);
  auto same = std::dynamic_pointer_cast<Font>(v.to_object());
  ASSERT_EQ(same, f);
  same->let(kFontBold, {Variant(true)});
  EXPECT_TRUE(f->Bold());
  auto copy = f->clone();
  copy->Name("Other");
  EXPECT_NE(f->Name(), "Other");
  EXPECT_EQ(f->get(kFontSize).to_r8(), 8.0);
  EXPECT_EQ(f->id_of_name("strikethrough"), kFontStrikethrough);
  QFont q = f->to_qfont();
  EXPECT_TRUE(q.bold());
  EXPECT_TRUE(Font::from_qfont(q)->same_as(*f));
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
