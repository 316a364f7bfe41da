// Dispatch, events, the site and the extender, with a small control of the
// tests' own.
#include <gtest/gtest.h>

#include "platform/com/control.h"

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
