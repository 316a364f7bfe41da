#pragma once
// A list view in report form (lines of text in columns) that lets its parent
// window choose the colours of each line through the custom-draw
// notification, as the common list view does.
//
// Every paint of the list sends its parent window (a handle of the message
// layer, platform/forms/subclass.h) WM_NOTIFY with an NMLVCUSTOMDRAW record:
//   1. stage CDDS_PREPAINT once per paint; unless the answer holds
//      CDRF_NOTIFYITEMDRAW the lines are painted in the list's own colours;
//   2. stage CDDS_ITEMPREPAINT for each line painted (dwItemSpec = line index
//      from 0, iSubItem 0), clrText and clrTextBk holding the colours the line
//      would have; the line is painted in the colours the record holds when
//      SendMessageA returns;
//   3. when that answer holds CDRF_NOTIFYSUBITEMDRAW, stage
//      CDDS_SUBITEM | CDDS_ITEMPREPAINT for each column of the line
//      (iSubItem = column), starting from the line's colours; the column is
//      painted in the colours that come back.
// CDRF_SKIPDEFAULT at a line or column stage leaves its place unpainted.
// Colours in the record are packed values; a system-colour reference
// (0x800000nn) is painted as that system colour. A selected line starts from
// the highlight colours. The record's device context field is always 0: the
// list has no device-context handles.
//
// The list is also an automation object with the members "Refresh" (repaint)
// and "hWnd" (its window handle), so a control can be handed it as an object.
#include <QImage>
#include <QPointer>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/com/dispatch.h"
#include "platform/forms/subclass.h"

class QTreeWidget;
class QWidget;

namespace plat::comctl {

using win::HWND;
using win::LRESULT;

constexpr int32_t NM_CUSTOMDRAW = -12;

constexpr uint32_t CDDS_PREPAINT = 0x00001;
constexpr uint32_t CDDS_ITEM = 0x10000;
constexpr uint32_t CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr uint32_t CDDS_SUBITEM = 0x20000;

constexpr LRESULT CDRF_DODEFAULT = 0x00;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;

constexpr uint32_t CDIS_SELECTED = 0x01;
constexpr uint32_t CDIS_FOCUS = 0x10;

// Every field 32 bits wide, so the records keep the offsets notification
// handlers read them at.
struct RECT32 {
  int32_t left, top, right, bottom;
};

// The custom-draw record every kind of control sends (48 bytes).
struct NMCUSTOMDRAW {
  win::NMHDR hdr;
  uint32_t dwDrawStage;
  int32_t hdc;
  RECT32 rc;
  int32_t dwItemSpec;
  uint32_t uItemState;
  int32_t lItemlParam;
};
static_assert(sizeof(NMCUSTOMDRAW) == 48);

// The list view's record (60 bytes): the common one, the two colours and the column.
struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  uint32_t clrText;
  uint32_t clrTextBk;
  int32_t iSubItem;
};
static_assert(sizeof(NMLVCUSTOMDRAW) == 60);
static_assert(offsetof(NMLVCUSTOMDRAW, clrText) == 48 && offsetof(NMLVCUSTOMDRAW, iSubItem) == 56);

// The class name of a list view's window (platform/forms/subclass.h window_class).
inline constexpr const char* kListViewClass = "ListView";

// The length of the custom-draw record a window sends, by the kind of
// control it is: a list view's NMLVCUSTOMDRAW, any other's NMCUSTOMDRAW.
inline size_t custom_draw_record_size(HWND sender) {
  return win::window_class(sender) == kListViewClass ? sizeof(NMLVCUSTOMDRAW) : sizeof(NMCUSTOMDRAW);
}

// Dispatch identifiers of the list's automation members.
constexpr com::DispId kListViewRefresh = -550;
constexpr com::DispId kListViewHwnd = -515;

class ListView final : public com::Dispatch {
 public:
  // `parent` receives the notifications; `id` is the list's control identifier.
  explicit ListView(HWND parent, int32_t id = 1, QWidget* parent_widget = nullptr);
  ~ListView() override;

  HWND hwnd() const { return hwnd_; }
  HWND parent() const { return parent_; }
  int32_t id() const { return id_; }
  QTreeWidget* widget() const;
  // The widget is being destroyed by its parent widget: the list lets go of
  // it rather than deleting it.
  void detach_widget() { tree_.clear(); }

  // Columns and lines. Lines are counted from 0.
  void add_column(const std::string& title, int width_px);
  int add_item(const std::string& text);
  void set_text(int item, int column, const std::string& text);
  std::string text(int item, int column) const;
  int item_count() const;
  int column_count() const;

  // The list's own colours (packed or system-colour references).
  void set_colors(uint32_t fore, uint32_t back);

  // Schedules a repaint of every line.
  void Refresh();
  int refresh_count() const { return refreshes_; }

  // The list painted into an image, through the custom-draw chain.
  QImage render();
  // Where a line's column lies in render()'s image.
  QRect item_rect(int item, int column) const;

  // The colours one line's column gets from the custom-draw chain, found by
  // sending the same notifications a paint sends for it.
  struct Colors {
    uint32_t text = 0;
    uint32_t back = 0;
    bool skipped = false;  // the parent asked for no painting
  };
  Colors draw_colors(int item, int column);

  const com::TypeInfo& type_info() const override;

 protected:
  com::Variant dispatch(com::DispId id, com::CallKind kind, std::span<com::Variant> args) override;

 private:
  friend class ListPaint;
  // One paint: the answer to the first stage and each line's answers.
  struct Pass {
    bool active = false;
    LRESULT prepaint = 0;
    struct Line {
      LRESULT result = 0;
      Colors colors;
      std::map<int, Colors> columns;
    };
    std::map<int, Line> lines;
  };
  // A pass begun while another is under way (a parent that paints or asks
  // for colours while it answers a notification) has its own answers; the
  // outer pass goes on with its own afterwards.
  void begin_pass();
  void end_pass();
  Colors colors_in_pass(int item, int column);
  LRESULT notify(NMLVCUSTOMDRAW& r);
  NMLVCUSTOMDRAW record(uint32_t stage, int item, int column, const Colors& start) const;
  Colors default_colors(int item) const;

  HWND hwnd_ = 0;
  HWND parent_ = 0;
  int32_t id_ = 1;
  QPointer<QTreeWidget> tree_;
  uint32_t fore_ = 0x80000008;  // window text
  uint32_t back_ = 0x80000005;  // window
  int refreshes_ = 0;
  Pass pass_;
  std::vector<Pass> outer_passes_;
};

}  // namespace plat::comctl
