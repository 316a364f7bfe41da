// Colouring chosen lines of a list view through its custom-draw notification.
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

#include "listviewcolor/tests/ombrelis_fixture.h"
#include "platform/gdi/colors.h"

using namespace ombrelistest;
using plat::rgb;

namespace {

constexpr uint32_t kBack = rgb(0xFF, 0xC0, 0xC0), kFore = rgb(0x80, 0, 0);
const uint32_t kWhite = rgb(255, 255, 255), kBlack = 0;

struct Colouring : ListHost {
  Ombrelis o;
  void SetUp() override {
    ListHost::SetUp();
    o.let(d::BackColor, Variant::color(kBack));
    o.let(d::ForeColor, Variant::color(kFore));
    o.set(d::Lview, Variant(lv));
    o.bind(host.hwnd());
  }
};

}  // namespace

TEST_F(Colouring, ChosenLinesTakeTheControlsColoursAndNoOtherLineDoes) {
  EXPECT_TRUE(o.line(3).ok());
  EXPECT_TRUE(o.line(3).ok());
  EXPECT_TRUE(o.line(4).ok());
  EXPECT_TRUE(o.line(3).ok());
  EXPECT_EQ(coloured(kBack, kFore), (std::vector<int>{2, 3}));
  EXPECT_EQ(coloured(kWhite, kBlack).size(), 8u);
  // colours read at paint time: a new colour shows at the next paint
  o.let(d::BackColor, Variant::color(rgb(0, 0xFF, 0)));
  EXPECT_EQ(coloured(rgb(0, 0xFF, 0), kFore), (std::vector<int>{2, 3}));
  // the host never sees the list's custom draw
  EXPECT_TRUE(host.codes.empty());
}

TEST_F(Colouring, SystemColoursReachTheRecordUntranslated) {
  o.let(d::BackColor, Variant(int32_t(0x8000000F)));
  o.let(d::ForeColor, Variant(int32_t(0x80000012)));
  ASSERT_TRUE(o.line(1).ok());
  const plat::comctl::ListView::Colors c = lv->draw_colors(0, 0);
  EXPECT_EQ(c.back, 0x8000000Fu);
  EXPECT_EQ(c.text, 0x80000012u);
}

TEST_F(Colouring, AtMostEightLinesAndClearFreesThePlaces) {
  // line 0 and a line past the end take places and colour nothing
  for (int n : {0, 2, 4, 6, 8, 10, 12, 1}) EXPECT_TRUE(o.line(n).ok()) << n;
  EXPECT_EQ(coloured(kBack, kFore), (std::vector<int>{0, 1, 3, 5, 7, 9}));
  // a ninth line is ignored without an error
  EXPECT_TRUE(o.line(3).ok());
  EXPECT_EQ(coloured(kBack, kFore), (std::vector<int>{0, 1, 3, 5, 7, 9}));
  EXPECT_TRUE(o.line(2).ok());  // already listed: no error
  const int refreshes = lv->refresh_count();
  EXPECT_TRUE(o.call(d::Clear).ok());
  EXPECT_EQ(lv->refresh_count(), refreshes + 1);
  EXPECT_TRUE(coloured(kBack, kFore).empty());
  for (int n = 3; n <= 10; ++n) EXPECT_TRUE(o.line(n).ok()) << n;
  EXPECT_EQ(coloured(kBack, kFore), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(Colouring, OtherNotificationsReachTheHostWithTheirAnswer) {
  NMHDR click{lv->hwnd(), 1, -2};
  EXPECT_EQ(SendMessageA(host.hwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click)), 77);
  EXPECT_EQ(host.codes, (std::vector<int32_t>{-2}));
  // messages the control does not want go straight on
  EXPECT_EQ(SendMessageA(host.hwnd(), WM_USER, 0, 0), 0);
  EXPECT_EQ(host.messages.back(), WM_USER);
}

TEST_F(Colouring, AShorterRecordFromAnotherKindOfSenderGoesOnUntouched) {
  ASSERT_TRUE(o.line(1).ok());
  Window toolbar("Toolbar", host.hwnd());
  for (uint32_t stage : {cc::CDDS_PREPAINT, cc::CDDS_ITEMPREPAINT}) {
    // exactly the common record's size on the heap, so a longer access is caught
    auto rec = std::make_unique<cc::NMCUSTOMDRAW>();
    rec->hdr = {toolbar.hwnd(), 2, cc::NM_CUSTOMDRAW};
    rec->dwDrawStage = stage;
    rec->dwItemSpec = 0;
    const cc::NMCUSTOMDRAW before = *rec;
    // The host's own procedure answers it.
    EXPECT_EQ(SendMessageA(host.hwnd(), WM_NOTIFY, 2, reinterpret_cast<LPARAM>(rec.get())), 77);
    EXPECT_EQ(std::memcmp(&before, rec.get(), sizeof before), 0);
  }
  EXPECT_EQ(host.codes, (std::vector<int32_t>{cc::NM_CUSTOMDRAW, cc::NM_CUSTOMDRAW}));
  // The list view's own records stay the control's alone.
  EXPECT_EQ(lv->draw_colors(0, 0).back, kBack);
  EXPECT_EQ(host.codes.size(), 2u);
}

TEST_F(Colouring, ARenderedListShowsTheChosenLinesInTheControlsColours) {
  for (int n : {2, 5, 6}) ASSERT_TRUE(o.line(n).ok());
  const QImage img = lv->render();
  auto pixel = [&](int item, int column) {
    const QRect r = lv->item_rect(item, column);
    return img.pixelColor(r.right() - 2, r.top() + 1);
  };
  for (int i = 0; i < 10; ++i) {
    const bool chosen = i == 1 || i == 4 || i == 5;
    for (int c = 0; c < 2; ++c)
      EXPECT_EQ(pixel(i, c), plat::to_qcolor(chosen ? kBack : kWhite)) << "line " << i << " column " << c;
  }
  // the text of a chosen line is painted in ForeColor (smoothed at its edges)
  auto near_fore = [](QColor c) { return std::abs(c.red() - 0x80) < 24 && c.green() < 24 && c.blue() < 24; };
  auto has_fore = [&](int item) {
    const QRect r = lv->item_rect(item, 0);
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x < r.left() + 30; ++x)
        if (near_fore(img.pixelColor(x, y))) return true;
    return false;
  };
  EXPECT_TRUE(has_fore(1));
  EXPECT_FALSE(has_fore(2));
  if (const char* out = std::getenv("OMBRELIS_PNG")) {
    EXPECT_TRUE(img.save(out)) << out;
  }
}

namespace {

// A host's list view whose Refresh calls back into the control's.
struct CallingBack final : Dispatch {
  Control* control = nullptr;
  int calls = 0;
  const TypeInfo& type_info() const override {
    static const TypeInfo t{"CallingBack", {make_func("Refresh", 1, CallKind::Method, "")}};
    return t;
  }
  Variant dispatch(DispId, CallKind, std::span<Variant>) override {
    ++calls;
    std::vector<Variant> none;
    const CallResult r = control->invoke(d::Refresh, CallKind::Method, none);
    if (!r.ok()) throw RuntimeError(r.error, r.description);
    return {};
  }
};

constexpr int kOutOfStack = 28;

}  // namespace

TEST_F(Colouring, AListViewThatLeadsBackFailsTheCallChangesNothingAndHoldsNoControl) {
  ASSERT_TRUE(o.line(3).ok());
  Ombrelis other;
  struct Case {
    const char* what;
    std::function<void()> lead;
  };
  const Case cases[] = {
      {"itself", [&] { o.set(d::Lview, Variant(std::shared_ptr<Dispatch>(o.obj))); }},
      {"each other", [&] {
         o.set(d::Lview, Variant(std::shared_ptr<Dispatch>(other.obj)));
         other.set(d::Lview, Variant(std::shared_ptr<Dispatch>(o.obj)));
       }},
      {"another that leads to itself", [&] {
         o.set(d::Lview, Variant(std::shared_ptr<Dispatch>(other.obj)));
         other.set(d::Lview, Variant(std::shared_ptr<Dispatch>(other.obj)));
       }},
  };
  for (const Case& c : cases) {
    c.lead();
    for (DispId member : {d::Refresh, d::Clear}) {
      const CallResult r = o.call(member);
      EXPECT_EQ(r.error, kOutOfStack) << c.what << " " << member;
      EXPECT_EQ(r.description, "Out of stack space");
    }
    EXPECT_EQ(coloured(kBack, kFore), (std::vector<int>{2})) << c.what;  // Clear emptied nothing
    o.set(d::Lview, Variant(lv));
    other.set(d::Lview, Variant(lv));
  }
  // Led back by a list view of the host's own: the call that comes back fails.
  auto back = std::make_shared<CallingBack>();
  back->control = o.obj.get();
  o.set(d::Lview, Variant(std::shared_ptr<Dispatch>(back)));
  EXPECT_EQ(o.call(d::Refresh).error, kOutOfStack);
  EXPECT_EQ(back->calls, 1);
  o.set(d::Lview, Variant(lv));
  EXPECT_TRUE(o.call(d::Clear).ok());
  EXPECT_TRUE(coloured(kBack, kFore).empty());

  // Released by the host, controls that lead back go, a bound one too (its
  // binding stays with the window).
  Ombrelis a, b;
  a.set(d::Lview, Variant(std::shared_ptr<Dispatch>(b.obj)));
  b.set(d::Lview, Variant(std::shared_ptr<Dispatch>(a.obj)));
  o.set(d::Lview, Variant(std::shared_ptr<Dispatch>(o.obj)));
  EXPECT_EQ(o.get(d::Lview).to_object(), o.obj);
  std::weak_ptr<Control> gone_a = a.obj, gone_b = b.obj, gone_o = o.obj;
  a.release();
  b.release();
  o.release();
  EXPECT_TRUE(gone_a.expired());
  EXPECT_TRUE(gone_b.expired());
  EXPECT_TRUE(gone_o.expired());
}
