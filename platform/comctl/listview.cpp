#include "platform/comctl/listview.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "platform/com/errors.h"
#include "platform/forms/fonts.h"
#include "platform/gdi/colors.h"

namespace plat::comctl {

// The Qt side's way into a list's paint passes.
class ListPaint {
 public:
  static void begin(ListView& lv) { lv.begin_pass(); }
  static void end(ListView& lv) { lv.end_pass(); }
  static ListView::Colors colors(ListView& lv, int item, int column) { return lv.colors_in_pass(item, column); }
};

namespace {

// A list view's own window procedure: it answers nothing itself.
LRESULT list_proc(HWND, win::UINT, win::WPARAM, win::LPARAM) { return 0; }

// Paints each line's column in the colours of the custom-draw chain.
class LineDelegate final : public QStyledItemDelegate {
 public:
  LineDelegate(ListView& lv, QObject* parent) : QStyledItemDelegate(parent), lv_(lv) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const ListView::Colors c = ListPaint::colors(lv_, index.row(), index.column());
    if (c.skipped) return;
    p->save();
    p->fillRect(option.rect, to_qcolor(c.back));
    p->setPen(to_qcolor(c.text));
    p->setFont(option.font);
    const QRect r = option.rect.adjusted(3, 0, -3, 0);
    const QString t = option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, r.width());
    p->drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t);
    p->restore();
  }

 private:
  ListView& lv_;
};

// One paint event is one pass of the custom-draw chain.
class ListTree final : public QTreeWidget {
 public:
  ListTree(ListView& lv, QWidget* parent) : QTreeWidget(parent), lv_(lv) {}

 protected:
  void paintEvent(QPaintEvent* e) override {
    ListPaint::begin(lv_);
    QTreeWidget::paintEvent(e);
    ListPaint::end(lv_);
  }

 private:
  ListView& lv_;
};

}  // namespace

ListView::ListView(HWND parent, int32_t id, QWidget* parent_widget)
    : hwnd_(win::CreateWindowA(kListViewClass, &list_proc, parent)), parent_(parent), id_(id) {
  auto* t = new ListTree(*this, parent_widget);
  t->setRootIsDecorated(false);
  t->setItemsExpandable(false);
  t->setUniformRowHeights(true);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setFont(make_font(kDesignFontName, kDesignFontSize));
  t->setItemDelegate(new LineDelegate(*this, t));
  t->setColumnCount(0);
  tree_ = t;
  set_colors(fore_, back_);
}

ListView::~ListView() {
  win::DestroyWindow(hwnd_);
  delete tree_.data();
}

QTreeWidget* ListView::widget() const { return tree_.data(); }

void ListView::add_column(const std::string& title, int width_px) {
  if (!tree_) return;
  const int n = tree_->columnCount();
  tree_->setColumnCount(n + 1);
  QTreeWidgetItem* h = tree_->headerItem();
  h->setText(n, QString::fromStdString(title));
  tree_->setColumnWidth(n, width_px);
}

int ListView::add_item(const std::string& text) {
  if (!tree_) return -1;
  if (tree_->columnCount() == 0) add_column("", 100);
  auto* item = new QTreeWidgetItem(tree_);
  item->setText(0, QString::fromStdString(text));
  return tree_->topLevelItemCount() - 1;
}

void ListView::set_text(int item, int column, const std::string& text) {
  if (!tree_ || column < 0 || column >= tree_->columnCount()) return;
  if (QTreeWidgetItem* it = tree_->topLevelItem(item)) it->setText(column, QString::fromStdString(text));
}

std::string ListView::text(int item, int column) const {
  if (!tree_) return {};
  QTreeWidgetItem* it = tree_->topLevelItem(item);
  return it ? it->text(column).toStdString() : std::string();
}

int ListView::item_count() const { return tree_ ? tree_->topLevelItemCount() : 0; }
int ListView::column_count() const { return tree_ ? tree_->columnCount() : 0; }

void ListView::set_colors(uint32_t fore, uint32_t back) {
  fore_ = fore;
  back_ = back;
  if (!tree_) return;
  QPalette pal = tree_->palette();
  pal.setColor(QPalette::Base, to_qcolor(back));
  pal.setColor(QPalette::Text, to_qcolor(fore));
  tree_->setPalette(pal);
  tree_->viewport()->update();
}

void ListView::Refresh() {
  ++refreshes_;
  if (tree_) tree_->viewport()->update();
}

QImage ListView::render() {
  if (!tree_) return {};
  tree_->ensurePolished();
  if (!tree_->testAttribute(Qt::WA_WState_Created) || tree_->isHidden()) {
    // A hidden list lays itself out before it is painted.
    tree_->setAttribute(Qt::WA_DontShowOnScreen, true);
    tree_->show();
    tree_->hide();
    tree_->setAttribute(Qt::WA_DontShowOnScreen, false);
  }
  QImage img(tree_->size(), QImage::Format_RGB32);
  img.fill(Qt::white);
  tree_->render(&img);
  return img;
}

QRect ListView::item_rect(int item, int column) const {
  if (!tree_) return {};
  QTreeWidgetItem* it = tree_->topLevelItem(item);
  if (!it) return {};
  const QRect r = tree_->visualItemRect(it);
  const int x = tree_->header()->sectionViewportPosition(column);
  const QPoint origin = tree_->viewport()->mapTo(tree_, QPoint(0, 0));
  return QRect(x, r.y(), tree_->columnWidth(column), r.height()).translated(origin);
}

ListView::Colors ListView::draw_colors(int item, int column) {
  begin_pass();
  const Colors c = colors_in_pass(item, column);
  end_pass();
  return c;
}

void ListView::begin_pass() {
  if (pass_.active) outer_passes_.push_back(std::move(pass_));
  pass_ = Pass{};
  pass_.active = true;
  NMLVCUSTOMDRAW r = record(CDDS_PREPAINT, 0, 0, default_colors(-1));
  pass_.prepaint = notify(r);
}

void ListView::end_pass() {
  pass_.active = false;
  if (outer_passes_.empty()) return;
  pass_ = std::move(outer_passes_.back());
  outer_passes_.pop_back();
}

ListView::Colors ListView::colors_in_pass(int item, int column) {
  if (!pass_.active) begin_pass();
  const Colors start = default_colors(item);
  if (!(pass_.prepaint & CDRF_NOTIFYITEMDRAW)) return start;
  auto found = pass_.lines.find(item);
  if (found == pass_.lines.end()) {
    Pass::Line line;
    NMLVCUSTOMDRAW r = record(CDDS_ITEMPREPAINT, item, 0, start);
    line.result = notify(r);
    line.colors = {r.clrText, r.clrTextBk, (line.result & CDRF_SKIPDEFAULT) != 0};
    found = pass_.lines.emplace(item, line).first;
  }
  Pass::Line& line = found->second;
  if (line.colors.skipped || !(line.result & CDRF_NOTIFYSUBITEMDRAW)) return line.colors;
  auto col = line.columns.find(column);
  if (col == line.columns.end()) {
    NMLVCUSTOMDRAW r = record(CDDS_SUBITEM | CDDS_ITEMPREPAINT, item, column, line.colors);
    const LRESULT res = notify(r);
    col = line.columns.emplace(column, Colors{r.clrText, r.clrTextBk, (res & CDRF_SKIPDEFAULT) != 0}).first;
  }
  return col->second;
}

LRESULT ListView::notify(NMLVCUSTOMDRAW& r) {
  return win::SendMessageA(parent_, win::WM_NOTIFY, win::WPARAM(uint32_t(id_)), reinterpret_cast<win::LPARAM>(&r));
}

NMLVCUSTOMDRAW ListView::record(uint32_t stage, int item, int column, const Colors& start) const {
  NMLVCUSTOMDRAW r{};
  r.nmcd.hdr = {hwnd_, id_, NM_CUSTOMDRAW};
  r.nmcd.dwDrawStage = stage;
  const QRect rc = item >= 0 ? item_rect(item, column) : QRect();
  r.nmcd.rc = {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
  r.nmcd.dwItemSpec = item;
  if (tree_ && item >= 0)
    if (QTreeWidgetItem* it = tree_->topLevelItem(item); it && it->isSelected()) r.nmcd.uItemState |= CDIS_SELECTED;
  r.clrText = start.text;
  r.clrTextBk = start.back;
  r.iSubItem = column;
  return r;
}

ListView::Colors ListView::default_colors(int item) const {
  if (tree_ && item >= 0)
    if (QTreeWidgetItem* it = tree_->topLevelItem(item); it && it->isSelected())
      return {resolve_color(kSystemColorFlag | COLOR_HIGHLIGHTTEXT), resolve_color(kSystemColorFlag | COLOR_HIGHLIGHT),
              false};
  return {resolve_color(fore_), resolve_color(back_), false};
}

const com::TypeInfo& ListView::type_info() const {
  static const com::TypeInfo t = [] {
    com::TypeInfo ti;
    ti.name = "IListView";
    ti.funcs = {com::make_func("Refresh", kListViewRefresh, com::CallKind::Method, ""),
                com::make_func("hWnd", kListViewHwnd, com::CallKind::Get, "Long")};
    return ti;
  }();
  return t;
}

com::Variant ListView::dispatch(com::DispId id, com::CallKind kind, std::span<com::Variant> args) {
  com::Args a(args, 0, 0);
  if (id == kListViewRefresh && kind == com::CallKind::Method) {
    Refresh();
    return {};
  }
  if (id == kListViewHwnd && kind == com::CallKind::Get) return com::Variant(int32_t(hwnd_));
  throw com::RuntimeError(com::kErrNoMember);
}

}  // namespace plat::comctl
