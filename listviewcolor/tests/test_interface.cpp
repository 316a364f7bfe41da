// The control's interface by dispatch identifier, its saved properties and
// its surface.
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include "listviewcolor/tests/ombrelis_fixture.h"
#include "platform/forms/units.h"

using namespace ombrelistest;

TEST(OmbrelisInterface, SlotsCarryTheirNamesKindsAndIdentifiers) {
  Ombrelis o;
  auto* c = o.obj.get();
  const ClassInfo& ci = c->class_info();
  EXPECT_EQ(ci.class_name, ombrelis::kClassName);
  EXPECT_EQ(ci.interface.name, "_Ombrelis");
  EXPECT_EQ(ci.events.name, "__Ombrelis");
  EXPECT_TRUE(ci.events.funcs.empty());
  struct Slot {
    const char* name;
    DispId id;
    CallKind kind;
  };
  const Slot expected[] = {
      {"NumeroItem", d::NumeroItem, CallKind::Let}, {"Clear", d::Clear, CallKind::Method},
      {"Messages", d::Messages, CallKind::Get},     {"hwnd", d::hwnd, CallKind::Let},
      {"hwnd", d::hwnd, CallKind::Get},             {"AboutBox", -552, CallKind::Method},
      {"BackColor", d::BackColor, CallKind::Get},   {"BackColor", d::BackColor, CallKind::Let},
      {"ForeColor", d::ForeColor, CallKind::Get},   {"ForeColor", d::ForeColor, CallKind::Let},
      {"Refresh", d::Refresh, CallKind::Method},    {"Lview", d::Lview, CallKind::Get},
      {"Lview", d::Lview, CallKind::Set},
  };
  ASSERT_EQ(ci.interface.funcs.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const FuncInfo& f = ci.interface.funcs[i];
    EXPECT_EQ(f.name, expected[i].name) << i;
    EXPECT_EQ(f.id, expected[i].id) << f.name;
    EXPECT_EQ(f.kind, expected[i].kind) << f.name;
  }
  EXPECT_EQ(d::NumeroItem, 0x6803002E);
  EXPECT_EQ(d::Lview, 0x68030031);
  EXPECT_TRUE(ci.interface.find(-552, CallKind::Method)->hidden);
  EXPECT_TRUE(ci.interface.find(d::Messages, CallKind::Get)->nonbrowsable);
  EXPECT_EQ(ci.interface.find(d::hwnd, CallKind::Let)->description,
            "Specifies the handle of the window to be subclassed");
  ASSERT_EQ(ci.enums.size(), 1u);
  EXPECT_EQ(ci.enums[0].name, "WinNotifications");
  EXPECT_EQ(ci.enums[0].values.size(), 12u);
  EXPECT_EQ(ci.enums[0].values[10], (std::pair<std::string, int32_t>{"NM_CUSTOMDRAW", -12}));
}

TEST(OmbrelisInterface, ANewInstanceWantsOnlyTheNotifyMessageAndHasTheButtonColours) {
  Ombrelis o;
  EXPECT_TRUE(o.get(d::Messages, {Variant(0x4E)}).to_bool());
  for (int32_t m : {0, 0x4D, 0x4F, 0x82, -12}) EXPECT_FALSE(o.get(d::Messages, {Variant(m)}).to_bool()) << m;
  EXPECT_EQ(o.get(d::BackColor).to_color(), 0x8000000Fu);
  EXPECT_EQ(o.get(d::ForeColor).to_color(), 0x80000012u);
  EXPECT_EQ(o.get(d::hwnd).to_i4(), 0);
  EXPECT_FALSE(o.get(d::Lview).to_object());
  // members that do not exist, or kinds a member does not have
  EXPECT_EQ(o.invoke(0x1234, CallKind::Get).error, kErrNoMember);
  EXPECT_EQ(o.invoke(d::NumeroItem, CallKind::Get).error, kErrNoMember);
  EXPECT_EQ(o.invoke(d::Messages, CallKind::Get).error, kErrWrongArgs);
}

TEST(OmbrelisInterface, ColourWritesAreNoticedForSavingAndAWrongValueChangesNothing) {
  Ombrelis o;
  o.let(d::BackColor, Variant::color(0x0000FF));
  o.let(d::ForeColor, Variant(int32_t(0x80000008)));
  EXPECT_EQ(o.get(d::BackColor).to_color(), 0x0000FFu);
  EXPECT_EQ(o.get(d::ForeColor).to_color(), 0x80000008u);
  EXPECT_EQ(o.site.changed(), (std::vector<std::string>{"BackColor", "ForeColor"}));
  EXPECT_EQ(o.invoke(d::BackColor, CallKind::Let, {Variant("rojo")}).error, kErrTypeMismatch);
  EXPECT_EQ(o.get(d::BackColor).to_color(), 0x0000FFu);
  // the surface shows the control's colour
  EXPECT_EQ(o.obj->widget()->palette().color(QPalette::Window), QColor(255, 0, 0));
}

TEST(OmbrelisInterface, TheListViewIsSetByReferenceAndRefreshedByName) {
  Host host;
  auto lv = std::make_shared<plat::comctl::ListView>(host.hwnd());
  Ombrelis o;
  // no list view: Refresh fails, Clear still empties the lines first
  EXPECT_EQ(o.call(d::Refresh).error, kErrNoObject);
  EXPECT_TRUE(o.line(1).ok());
  EXPECT_EQ(o.call(d::Clear).error, kErrNoObject);
  for (int n = 2; n <= 9; ++n) EXPECT_TRUE(o.line(n).ok()) << n;  // eight places free again
  o.set(d::Lview, Variant(lv));
  EXPECT_EQ(o.site.changed(), (std::vector<std::string>{"Lview"}));
  EXPECT_EQ(o.get(d::Lview).to_object(), lv);
  EXPECT_TRUE(o.call(d::Refresh).ok());
  EXPECT_TRUE(o.call(d::Clear).ok());
  EXPECT_EQ(lv->refresh_count(), 2);
  EXPECT_EQ(o.invoke(d::Lview, CallKind::Set, {Variant(3)}).error, kErrTypeMismatch);
  o.set(d::Lview, Variant::nothing());
  EXPECT_FALSE(o.get(d::Lview).to_object());
  // an object without a Refresh member
  o.set(d::Lview, Variant(plat::com::Font::create()));
  EXPECT_EQ(o.call(d::Refresh).error, kErrNoMember);
}

TEST(OmbrelisProperties, DefaultsSaveNothingAndValuesReadBackIntoANewInstance) {
  Host host;
  auto lv = std::make_shared<plat::comctl::ListView>(host.hwnd());
  {
    Ombrelis o;
    PropertyBag bag;
    o.obj->write_properties(bag);
    EXPECT_TRUE(bag.empty()) << bag.to_text();
  }
  PropertyBag bag;
  {
    Ombrelis o;
    o.let(d::BackColor, Variant::color(0x80FFFF));
    o.let(d::ForeColor, Variant::color(0x800080));
    o.set(d::Lview, Variant(lv));
    o.bind(host.hwnd());
    ASSERT_TRUE(o.line(2).ok());
    o.obj->write_properties(bag);
  }
  EXPECT_EQ(bag.keys(), (std::vector<std::string>{"BackColor", "ForeColor", "Lview"}));
  Ombrelis again;
  again.site.clear_changed();
  again.obj->read_properties(bag);
  EXPECT_TRUE(again.site.changed().empty());
  EXPECT_EQ(again.get(d::BackColor).to_color(), 0x80FFFFu);
  EXPECT_EQ(again.get(d::ForeColor).to_color(), 0x800080u);
  EXPECT_EQ(again.get(d::Lview).to_object(), lv);
  // the window and the lines are not saved
  EXPECT_EQ(again.hwnd(), 0);
  EXPECT_TRUE(again.line(2).ok());
  // loading without the keys gives the defaults; through the text form too
  Ombrelis fresh;
  fresh.obj->read_properties(PropertyBag::from_text("BackColor = 255&\n"));
  EXPECT_EQ(fresh.get(d::BackColor).to_color(), 0x0000FFu);
  EXPECT_EQ(fresh.get(d::ForeColor).to_color(), 0x80000012u);
  EXPECT_FALSE(fresh.get(d::Lview).to_object());
  EXPECT_THROW(fresh.obj->read_properties(PropertyBag::from_text("Lview = 5\n")), RuntimeError);
}

TEST(OmbrelisSurface, KeepsFiveHundredTwipsSquareWhateverTheHostAsks) {
  Ombrelis o;
  QWidget* w = o.obj->widget();
  const QSize side(plat::px(500), plat::px(500));
  EXPECT_EQ(w->size(), side);
  QWidget container;
  w->setParent(&container);
  container.show();
  w->show();
  w->resize(300, 40);
  EXPECT_EQ(w->size(), side);
  w->setGeometry(10, 10, 1, 1);
  EXPECT_EQ(w->size(), side);
  w->setParent(nullptr);
}

TEST(OmbrelisSurface, AboutBoxShowsAFreshWindowEachTime) {
  Ombrelis o;
  std::vector<QDialog*> seen;
  for (int round = 0; round < 2; ++round) {
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Autor1" && w->isVisible()) {
          auto* d = qobject_cast<QDialog*>(w);
          seen.push_back(d);
          EXPECT_TRUE(d->isModal());
          EXPECT_NE(d->findChild<QWidget*>("Picture1"), nullptr);
          EXPECT_NE(d->findChild<QWidget*>("lbl(6)"), nullptr);
          EXPECT_NE(d->findChild<QWidget*>("BtCorreo"), nullptr);
          d->findChild<QPushButton*>("CommandButton1")->click();
        }
    });
    EXPECT_TRUE(o.call(d::AboutBox).ok());
  }
  ASSERT_EQ(seen.size(), 2u);
  // each closed window was released
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "Autor1");
}
