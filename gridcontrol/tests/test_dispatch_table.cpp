// The automation interface as a late-bound container sees it.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <set>

#include "grid_fixture.h"

using namespace gridtest;

namespace {

// A plausible argument for a parameter type.
Variant sample(const std::string& type) {
  if (type == "String") return Variant("");
  if (type == "Boolean") return Variant(false);
  if (type == "Single") return Variant::r4(0);
  if (type == "OLE_COLOR") return Variant::color(0xFF);
  if (type == "Font") return Variant(Font::create());
  if (type == "Integer") return Variant::i2(1);
  return Variant(1);  // Long, Variant, enums
}

}  // namespace

TEST(GridInterface, CreatedByClassNameThroughTheRegistry) {
  Grid g;
  EXPECT_TRUE(registered_library(nadrel::kClassName).has_value());
  EXPECT_EQ(g.obj->class_info().class_name, "NadrelControl.Nadrel");
  EXPECT_NE(g.obj->widget(), nullptr);
  auto other = create_object("nadrelcontrol.nadrel");  // class names ignore case
  EXPECT_NE(other.get(), g.obj.get());
  try {
    create_object("NadrelControl.Missing");
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_NE(e.description.find("NadrelControl.Missing"), std::string::npos);
  }
}

TEST(GridInterface, HasItsSlotsAtTheirFixedIdentifiers) {
  Grid g;
  const TypeInfo& t = g.obj->type_info();
  EXPECT_EQ(t.name, "_Nadrel");
  EXPECT_EQ(t.funcs.size(), 131u);
  EXPECT_EQ(t.ids().size(), 80u);
  std::set<std::pair<DispId, int>> seen;
  for (const FuncInfo& f : t.funcs) {
    EXPECT_TRUE(seen.insert({f.id, int(f.kind)}).second) << f.name;
    const bool property = f.kind != CallKind::Method;
    if (f.id != d::ShowAbout) {
      EXPECT_EQ(uint32_t(f.id) >> 16, property ? 0x6803u : 0x6003u) << f.name;
    }
  }
  // A few fixed points of the table, in slot order.
  EXPECT_EQ(t.funcs[0].name, "Rows");
  EXPECT_EQ(t.funcs[0].kind, CallKind::Get);
  EXPECT_EQ(t.funcs[1].kind, CallKind::Let);
  EXPECT_EQ(t.funcs[4].name, "Refresh");
  EXPECT_EQ(t.funcs.back().name, "Clear");
  const std::pair<const char*, DispId> ids[] = {
      {"AutoSetup", 0x6003006E}, {"AddItem", 0x60030082}, {"Clear", 0x60030084}, {"Enabled", 0x6803000A},
      {"ColWidth", 0x68030016}, {"TextMatrix", 0x6803001F}, {"CellForeColor", 0x6803002D},
      {"CellBackColor", 0x6803002E}, {"ShowAbout", -552}, {"textmatrix", 0x6803001F}};
  for (auto [name, id] : ids) EXPECT_EQ(g.obj->id_of_name(name), id) << name;
  EXPECT_EQ(t.find(d::Font, CallKind::Set)->value_type, "Font");
  EXPECT_FALSE(t.find(d::Font, CallKind::Let));
  EXPECT_TRUE(t.find(d::Row1, CallKind::Get)->hidden);
  EXPECT_TRUE(t.find(d::Row1, CallKind::Get)->nonbrowsable);
  EXPECT_TRUE(t.find(d::CellBackColor, CallKind::Let)->nonbrowsable);
  EXPECT_FALSE(t.find(d::CellBackColor, CallKind::Let)->hidden);
  EXPECT_TRUE(t.find(d::HChange, CallKind::Method)->hidden);
  EXPECT_EQ(t.find(d::Rows, CallKind::Get)->description, "Sets/gets the total number of rows in the grid");
  EXPECT_EQ(t.find(d::RowEmpty, CallKind::Method)->description.substr(
                t.find(d::RowEmpty, CallKind::Method)->description.size() - 2),
            "\r\n");
  EXPECT_EQ(t.find(d::TopRow, CallKind::Get)->description.back(), ' ');
}

TEST(GridInterface, EverySlotAnswersWithItsKindAndOnlyWithIt) {
  Grid probe;
  for (const FuncInfo& f : probe.obj->type_info().funcs) {
    if (f.id == d::ShowAbout) continue;  // modal; tested below
    SCOPED_TRACE(f.name + " " + call_kind_name(f.kind));
    Grid g;
    std::vector<Variant> args;
    for (const ParamInfo& p : f.params)
      if (!p.optional) args.push_back(sample(p.type));
    if (f.kind == CallKind::Let || f.kind == CallKind::Set)
      args.push_back(f.id == d::Recordset ? Variant::nothing() : sample(f.value_type));
    CallResult r = g.invoke(f.id, f.kind, args);
    EXPECT_TRUE(r.ok()) << r.description;
    if (f.kind == CallKind::Get && f.id != d::RowBookmark) {
      EXPECT_FALSE(r.value.is_empty());
    }
    // The kinds the member does not have are refused.
    for (CallKind k : {CallKind::Get, CallKind::Let, CallKind::Set, CallKind::Method})
      if (!probe.obj->type_info().find(f.id, k)) {
        EXPECT_EQ(g.invoke(f.id, k, args).error, kErrNoMember);
      }
  }
  EXPECT_EQ(probe.invoke(0x68030033, CallKind::Get).error, kErrNoMember);
  EXPECT_EQ(probe.invoke(d::Rows, CallKind::Get, {Variant(1)}).error, kErrWrongArgs);
  EXPECT_EQ(probe.invoke(d::TextMatrix, CallKind::Get, {Variant(1)}).error, kErrWrongArgs);
}

TEST(GridInterface, EventsAndEnumsOfTheTypeLibrary) {
  Grid g;
  const ClassInfo& c = g.obj->class_info();
  ASSERT_EQ(c.events.name, "__Nadrel");
  ASSERT_EQ(c.events.funcs.size(), 16u);
  const char* names[] = {"Click", "BtnClick", "DblClick", "KeyDown", "KeyPress", "KeyUp", "MouseDown", "MouseMove",
                         "MouseUp", "Scroll", "BeforeEdit", "AfterEdit", "BeforeAddRow", "AfterAddRow",
                         "BeforeDeleteRow", "AfterDeleteRow"};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(c.events.funcs[i].name, names[i]);
    EXPECT_EQ(c.events.funcs[i].id, i + 1);
  }
  const FuncInfo& before_edit = c.events.funcs[10];
  EXPECT_TRUE(before_edit.params[0].by_ref);
  // Cancel is passed by value in the three events that carry it.
  for (int i : {10, 12, 14}) {
    EXPECT_EQ(c.events.funcs[i].params.back().name, "Cancel");
    EXPECT_FALSE(c.events.funcs[i].params.back().by_ref) << c.events.funcs[i].name;
  }
  ASSERT_EQ(c.enums.size(), 3u);
  EXPECT_EQ(c.enums[0].name, "NadrelBorderStyleEnum");
  EXPECT_EQ(c.enums[0].values[2], (std::pair<std::string, int32_t>{"Thin Raised", 2}));
  EXPECT_EQ(c.enums[1].values[1], (std::pair<std::string, int32_t>{"3D", 1}));
  EXPECT_EQ(c.enums[2].values[2], (std::pair<std::string, int32_t>{"SelectionByCol", 2}));
  ASSERT_EQ(c.other_types.size(), 2u);
  EXPECT_EQ(c.other_types[0].id_of_name("ItemData"), 0x68030002);
  EXPECT_THROW(g.obj->connect("__Other", nullptr), RuntimeError);
}

TEST(GridInterface, AboutBoxShowsTheVersionAndIsTheSameEachTime) {
  Grid g;
  std::vector<QDialog*> shown;
  std::string title, version;
  auto close_it = [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    shown.push_back(d);
    title = d->windowTitle().toStdString();
    version = d->findChild<QLabel*>("lblVersion")->text().toStdString();
    d->accept();
  };
  for (int i = 0; i < 2; ++i) {
    QTimer::singleShot(0, close_it);
    EXPECT_TRUE(g.call(d::ShowAbout).is_empty());
  }
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], shown[1]);
  EXPECT_EQ(title, "About Nadrel");
  EXPECT_EQ(version, "Version 1.0.0");
}
