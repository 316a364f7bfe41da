// Mouse, keyboard, selection and in-place editing, driven by real Qt input
// events on the cell surface.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <limits>
#include <tuple>

#include "recordset_fixture.h"
#include "render_fixture.h"

using namespace gridtest;
namespace ev = nadrel::event;

namespace {

// A shown grid of 10 rows and 5 columns with the default sizes: data cell
// (r, c) starts at x 34 + 65 (c - 1), y 17 + 16 (r - 1).
struct InputGrid : DrawnGrid {
  InputGrid() {
    let(d::Rows, {Variant(10)});
    cells().activateWindow();
    cells().setFocus();
  }
  QPoint at(int row, int col) {
    const int x = col == 0 ? 16 : 34 + 65 * (col - 1) + 30;
    const int y = row == 0 ? 8 : 17 + 16 * (row - 1) + 7;
    return {x, y};
  }
  void click(int row, int col, Qt::KeyboardModifiers m = {}) { QTest::mouseClick(&cells(), Qt::LeftButton, m, at(row, col)); }
  void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(&cells(), k, m); }
  void type(char c) { QTest::keyClick(&cells(), c); }
  QLineEdit& editor() { return *obj->widget()->findChild<QLineEdit*>("txtEdit"); }
  QListWidget& list() { return *obj->widget()->findChild<QListWidget*>("List1"); }
  int row() { return get(d::Row).to_i4(); }
  int col() { return get(d::Col).to_i4(); }
  std::vector<int> selection() {
    return {get(d::Row1).to_i4(), get(d::Col1).to_i4(), get(d::Row2).to_i4(), get(d::Col2).to_i4()};
  }
};

// The grid between two buttons of one window, as a container places it.
struct GridBetweenButtons : InputGrid {
  GridBetweenButtons() {
    before = new QPushButton("a", &window);
    before->setObjectName("before");
    obj->widget()->setParent(&window);
    after = new QPushButton("b", &window);
    after->setObjectName("after");
    before->setGeometry(0, 0, 60, 24);
    obj->widget()->setGeometry(0, 30, 400, 300);
    after->setGeometry(0, 340, 60, 24);
    window.resize(420, 380);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    cells().setFocus();
  }
  ~GridBetweenButtons() { obj->widget()->setParent(nullptr); }
  // Tab or Shift+Tab typed on whatever holds the focus; where the focus is then.
  static QWidget* tab(bool back = false) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    return QApplication::focusWidget();
  }
  static std::string focus_name() {
    const QWidget* w = QApplication::focusWidget();
    return w ? w->objectName().toStdString() : "none";
  }
  QWidget window;
  QPushButton* before = nullptr;
  QPushButton* after = nullptr;
};

}  // namespace

TEST(GridInput, ClicksAndArrowKeysMoveTheCurrentCell) {
  InputGrid g;
  std::vector<std::string> seen;  // the current cell as each handler sees it
  g.obj->connect(nadrel::kEventInterface, [&](DispId id, std::span<Variant> args) {
    if (id == ev::MouseDown || id == ev::KeyDown)
      seen.push_back(std::to_string(id) + ":" + std::to_string(g.row()) + "," + std::to_string(g.col()) + ":" +
                     args[0].to_string());
  });
  g.click(3, 2);
  EXPECT_EQ(g.row(), 3);
  EXPECT_EQ(g.col(), 2);
  g.key(Qt::Key_Right);
  g.key(Qt::Key_Down);
  EXPECT_EQ(g.row(), 4);
  EXPECT_EQ(g.col(), 3);
  for (int i = 0; i < 5; ++i) g.key(Qt::Key_Left);
  for (int i = 0; i < 5; ++i) g.key(Qt::Key_Up);
  EXPECT_EQ(g.row(), 1);
  EXPECT_EQ(g.col(), 1);
  // Mouse events come after the grid moved, key events before.
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen[0], "7:3,2:1");
  EXPECT_EQ(seen[1], "4:3,2:39");
  EXPECT_EQ(seen[2], "4:3,3:40");
  // Arrows move the focus rectangle only, never the selection.
  EXPECT_EQ(g.selection(), (std::vector<int>{3, 2, 3, 2}));
  // Scrolling down by arrow keys past the bottom keeps the current cell in view.
  g.let(d::Rows, {Variant(40)});
  for (int i = 0; i < 25; ++i) g.key(Qt::Key_Down);
  EXPECT_EQ(g.row(), 26);
  EXPECT_GT(g.get(d::TopRow).to_i4(), 1);
}

TEST(GridInput, EveryKeyGivesItsKeyCodeAndOnlyTypedCharactersAKeyPress) {
  // Key, modifiers, the text the desktop gives it; KeyCode, KeyAscii (0 for no KeyPress).
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* text;
    int code, ascii;
  };
  const Qt::KeyboardModifiers none{}, pad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
  const Case cases[] = {
      {Qt::Key_Delete, none, "\x7f", 46, 0}, {Qt::Key_Delete, pad, "\x7f", 46, 0},
      {Qt::Key_Insert, none, "", 45, 0}, {Qt::Key_Home, none, "", 36, 0}, {Qt::Key_End, pad, "", 35, 0},
      {Qt::Key_F2, none, "", 113, 0}, {Qt::Key_F12, none, "", 123, 0}, {Qt::Key_PageDown, none, "", 34, 0},
      {Qt::Key_Escape, none, "\x1b", 27, 27}, {Qt::Key_Backspace, none, "\b", 8, 8}, {Qt::Key_Tab, none, "\t", 9, 9},
      {Qt::Key_Backtab, shift, "\t", 9, 9}, {Qt::Key_Return, none, "\r", 13, 13}, {Qt::Key_Enter, pad, "\r", 13, 13},
      {Qt::Key_A, Qt::ControlModifier, "\x01", 65, 1}, {Qt::Key_Space, none, " ", 32, 32},
      {Qt::Key_Pause, none, "", 19, 0}, {Qt::Key_CapsLock, none, "", 20, 0}, {Qt::Key_NumLock, none, "", 144, 0},
      {Qt::Key_ScrollLock, none, "", 145, 0}, {Qt::Key_Print, none, "", 44, 0}, {Qt::Key_Menu, none, "", 93, 0},
      {Qt::Key_Super_L, none, "", 91, 0}, {Qt::Key_Shift, shift, "", 16, 0}, {Qt::Key_Control, none, "", 17, 0},
      {Qt::Key_Alt, none, "", 18, 0}, {Qt::Key_Clear, pad, "", 12, 0},
      // The main block's letters, digits and punctuation.
      {Qt::Key_Q, none, "q", 81, 'q'}, {Qt::Key_7, none, "7", 55, '7'}, {Qt::Key_Exclam, shift, "!", 49, '!'},
      {Qt::Key_Semicolon, none, ";", 186, ';'}, {Qt::Key_Colon, shift, ":", 186, ':'},
      {Qt::Key_Equal, none, "=", 187, '='}, {Qt::Key_Plus, shift, "+", 187, '+'},
      {Qt::Key_Comma, none, ",", 188, ','}, {Qt::Key_Minus, none, "-", 189, '-'},
      {Qt::Key_Underscore, shift, "_", 189, '_'}, {Qt::Key_Period, none, ".", 190, '.'},
      {Qt::Key_Slash, none, "/", 191, '/'}, {Qt::Key_Question, shift, "?", 191, '?'},
      {Qt::Key_QuoteLeft, none, "`", 192, '`'}, {Qt::Key_BracketLeft, none, "[", 219, '['},
      {Qt::Key_Backslash, none, "\\", 220, '\\'}, {Qt::Key_BracketRight, none, "]", 221, ']'},
      {Qt::Key_Apostrophe, none, "'", 222, '\''}, {Qt::Key_QuoteDbl, shift, "\"", 222, '"'},
      // The keypad: digits and operators of its own.
      {Qt::Key_0, pad, "0", 96, '0'}, {Qt::Key_5, pad, "5", 101, '5'}, {Qt::Key_9, pad, "9", 105, '9'},
      {Qt::Key_Asterisk, pad, "*", 106, '*'}, {Qt::Key_Plus, pad, "+", 107, '+'},
      {Qt::Key_Minus, pad, "-", 109, '-'}, {Qt::Key_Period, pad, ".", 110, '.'},
      {Qt::Key_Slash, pad, "/", 111, '/'},
  };
  InputGrid g;
  g.let(d::ColAllowEdit, {Variant(1), Variant(false)});  // keys open no editor over the cells
  for (const Case& c : cases) {
    EventLog events(*g.obj);
    // The key alone (QTest would press the modifier keys first).
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent e(type, c.key, c.mods, QString::fromLatin1(c.text));
      QApplication::sendEvent(&g.cells(), &e);
    }
    std::vector<std::string> got;
    for (const auto& [id, args] : events.events)
      if (id == ev::KeyDown || id == ev::KeyUp || id == ev::KeyPress) got.push_back(std::to_string(id) + ":" + args[0].to_string());
    std::vector<std::string> want{"4:" + std::to_string(c.code)};
    if (c.ascii) want.push_back("5:" + std::to_string(c.ascii));
    want.push_back("6:" + std::to_string(c.code));
    EXPECT_EQ(got, want) << "key 0x" << std::hex << int(c.key) << " modifiers 0x" << int(c.mods);
  }
}

TEST(GridInput, DeleteOpensNoEditorAndLeavesACheckBoxAlone) {
  InputGrid g;
  g.let(d::ColMask, {Variant(2), Variant::i2(4)});
  g.let(d::TextMatrix, {Variant(1), Variant(1), Variant("abc")});
  g.let(d::TextMatrix, {Variant(1), Variant(2), Variant("1")});
  for (int col : {1, 2})
    for (Qt::KeyboardModifiers m : {Qt::KeyboardModifiers{}, Qt::KeyboardModifiers{Qt::KeypadModifier}}) {
      g.let(d::Row, {Variant(1)});
      g.let(d::Col, {Variant(col)});
      EventLog events(*g.obj);
      QTest::sendKeyEvent(QTest::Click, &g.cells(), Qt::Key_Delete, QString("\x7f"), m);
      EXPECT_EQ(events.ids(), (std::vector<DispId>{ev::KeyDown, ev::KeyUp})) << col;
      EXPECT_TRUE(g.editor().isHidden());
      EXPECT_EQ(g.text(1, 1), "abc");
      EXPECT_EQ(g.text(1, 2), "1");
    }
  // In an open editor Delete deletes, a numeric column's included.
  g.let(d::ColMask, {Variant(1), Variant::i2(2)});
  g.let(d::TextMatrix, {Variant(1), Variant(1), Variant("123")});
  g.let(d::Col, {Variant(1)});
  g.call(d::DblClick);
  ASSERT_FALSE(g.editor().isHidden());
  g.editor().setCursorPosition(0);
  QTest::sendKeyEvent(QTest::Click, &g.editor(), Qt::Key_Delete, QString("\x7f"), Qt::NoModifier);
  EXPECT_EQ(g.editor().text(), "23");
}

TEST(GridInput, BlockRowColumnAndAllSelections) {
  InputGrid g;
  QTest::mousePress(&g.cells(), Qt::LeftButton, {}, g.at(2, 2));
  QTest::mouseMove(&g.cells(), g.at(3, 3));
  QTest::mouseMove(&g.cells(), g.at(4, 3));
  QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, g.at(4, 3));
  EXPECT_EQ(g.selection(), (std::vector<int>{2, 2, 4, 3}));
  EXPECT_TRUE(g.call(d::BlockSelected).to_bool());
  // Shift+click extends from the same anchor.
  g.click(5, 4, Qt::ShiftModifier);
  EXPECT_EQ(g.selection(), (std::vector<int>{2, 2, 5, 4}));
  EXPECT_EQ(g.row(), 2);
  // Dragging past the last row and column keeps the block at the last ones.
  QTest::mousePress(&g.cells(), Qt::LeftButton, {}, g.at(8, 2));
  QTest::mouseMove(&g.cells(), QPoint(380, 280));
  QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, QPoint(380, 280));
  EXPECT_EQ(g.selection(), (std::vector<int>{8, 2, 10, 5}));

  struct Case {
    int mode, row, col;
    std::vector<int> want;
  };
  const Case cases[] = {
      {1, 3, 0, {3, 1, 3, 5}},    // row header in row mode
      {2, 0, 4, {1, 4, 10, 4}},   // column header in column mode
      {0, 0, 0, {1, 1, 10, 5}},   // the corner selects everything
      {0, 3, 0, {1, 1, 1, 1}},    // headers select nothing in free mode
      {1, 0, 4, {1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    g.click(1, 1);
    g.let(d::SelectionMode, {Variant(c.mode)});
    g.click(c.row, c.col);
    EXPECT_EQ(g.selection(), c.want) << c.mode << " " << c.row << "," << c.col;
    EXPECT_EQ(g.row(), c.want[0]);
    EXPECT_EQ(g.col(), c.want[1]);
  }
}

TEST(GridInput, ColumnBordersResizeRowBordersDoNot) {
  InputGrid g;
  // Hovering over the border of column 1 in the header row shows the sizing pointer.
  QTest::mouseMove(&g.cells(), QPoint(97, 8));
  EXPECT_EQ(g.get(d::MousePointer).to_i4(), 9);
  QTest::mousePress(&g.cells(), Qt::LeftButton, {}, QPoint(97, 8));
  QTest::mouseMove(&g.cells(), QPoint(130, 8));
  QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, QPoint(130, 8));
  EXPECT_EQ(g.get(d::ColWidth, {Variant(1)}).to_i4(), 130 - 32);
  QTest::mouseMove(&g.cells(), QPoint(60, 40));
  EXPECT_EQ(g.get(d::MousePointer).to_i4(), 0);
  // A drag left of the previous border gives the column width 10.
  QTest::mouseMove(&g.cells(), QPoint(130 + 65, 8));
  QTest::mousePress(&g.cells(), Qt::LeftButton, {}, QPoint(130 + 65, 8));
  QTest::mouseMove(&g.cells(), QPoint(100, 8));
  QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, QPoint(100, 8));
  EXPECT_EQ(g.get(d::ColWidth, {Variant(2)}).to_i4(), 10);
  // A row-border drag (pointer set by the client) changes no height.
  g.let(d::MousePointer, {Variant(7)});
  QTest::mousePress(&g.cells(), Qt::LeftButton, {}, QPoint(20, 32));
  QTest::mouseMove(&g.cells(), QPoint(20, 70));
  QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, QPoint(20, 70));
  for (int r = 0; r <= 10; ++r) EXPECT_EQ(g.get(d::RowHeight, {Variant(r)}).to_i4(), 15);
}

TEST(GridInput, WithResizingTurnedOffNoBorderIsLive) {
  InputGrid g;
  auto drag = [&](int from, int to) {
    QTest::mouseMove(&g.cells(), QPoint(from, 8));
    QTest::mousePress(&g.cells(), Qt::LeftButton, {}, QPoint(from, 8));
    QTest::mouseMove(&g.cells(), QPoint(to, 8));
    QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, QPoint(to, 8));
  };
  // Turned off while the pointer rests on a border: the pointer goes, and
  // neither a press there nor a drag from any border sizes a column.
  QTest::mouseMove(&g.cells(), QPoint(97, 8));
  ASSERT_EQ(g.get(d::MousePointer).to_i4(), 9);
  g.let(d::AllowUserResizing, {Variant(false)});
  EXPECT_EQ(g.get(d::MousePointer).to_i4(), 0);
  QTest::mousePress(&g.cells(), Qt::LeftButton, {}, QPoint(97, 8));
  QTest::mouseMove(&g.cells(), QPoint(140, 8));
  QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, QPoint(140, 8));
  drag(162, 200);
  EXPECT_EQ(g.get(d::MousePointer).to_i4(), 0);
  for (int c = 0; c <= 5; ++c) EXPECT_EQ(g.get(d::ColWidth, {Variant(c)}).to_i4(), c == 0 ? 32 : 64) << c;
  // Turned on again: the borders on the screen are live at once.
  g.let(d::AllowUserResizing, {Variant(true)});
  QTest::mouseMove(&g.cells(), QPoint(60, 40));
  QTest::mouseMove(&g.cells(), QPoint(162, 8));
  EXPECT_EQ(g.get(d::MousePointer).to_i4(), 9);
  EXPECT_EQ(g.get(d::LeftCol).to_i4(), 1);
  drag(162, 200);
  EXPECT_EQ(g.get(d::ColWidth, {Variant(2)}).to_i4(), 200 - 97);
}

TEST(GridInput, CheckBoxesToggleOnlyOnTheirCell) {
  InputGrid g;
  g.let(d::ColMask, {Variant(2), Variant::i2(4)});
  g.click(1, 2);
  EXPECT_EQ(g.text(1, 2), "1");
  g.click(1, 2);
  EXPECT_EQ(g.text(1, 2), "0");
  // Presses on a header, on empty space or a border drag leave it alone.
  g.click(0, 3);
  QTest::mouseClick(&g.cells(), Qt::LeftButton, {}, QPoint(380, 280));
  EXPECT_EQ(g.row(), 1);
  EXPECT_EQ(g.col(), 2);
  EXPECT_EQ(g.text(1, 2), "0");
  // Space (or any key) toggles and opens no editor.
  g.key(Qt::Key_Space);
  EXPECT_EQ(g.text(1, 2), "1");
  EXPECT_TRUE(g.editor().isHidden());
  // The box is drawn checked.
  Recorder rec(g.cells());
  g.call(d::Refresh);
  EXPECT_TRUE(rec.has("DrawFrameControl(124,18,139,33,4,1024)"));
}

TEST(GridEdit, EnterStoresEscapeDiscards) {
  InputGrid g;
  g.let(d::TextMatrix, {Variant(2), Variant(1), Variant("12")});
  g.click(2, 1);
  EventLog events(*g.obj);
  g.type('7');
  ASSERT_FALSE(g.editor().isHidden());
  EXPECT_EQ(g.editor().text(), "127");
  EXPECT_EQ(g.editor().cursorPosition(), 3);
  QTest::keyClick(&g.editor(), Qt::Key_Return);
  EXPECT_TRUE(g.editor().isHidden());
  EXPECT_EQ(g.text(2, 1), "127");
  std::vector<DispId> edits;
  for (const auto& [id, args] : events.events)
    if (id == ev::BeforeEdit || id == ev::AfterEdit) edits.push_back(id);
  EXPECT_EQ(edits, (std::vector<DispId>{ev::BeforeEdit, ev::AfterEdit}));
  EXPECT_EQ(events.events.back().second[2].to_string(), "127");
  // Escape: the old text stays and no AfterEdit.
  events.events.clear();
  g.type('9');
  QTest::keyClick(&g.editor(), Qt::Key_Escape);
  EXPECT_EQ(g.text(2, 1), "127");
  for (const auto& e : events.events) EXPECT_NE(e.first, ev::AfterEdit);
  // A click elsewhere stores what was typed, on the cell it was typed on.
  g.type('5');
  g.click(4, 3);
  EXPECT_EQ(g.text(2, 1), "1275");
  EXPECT_TRUE(g.editor().isHidden());
  // Down stores and moves on one row.
  g.type('x');
  QTest::keyClick(&g.editor(), Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_EQ(g.text(4, 3), "x");
  EXPECT_EQ(g.row(), 5);
}

// Between other controls, Tab and Shift+Tab leave the grid for the next and
// previous control: from the cells, and from an open editor or lookup list,
// which they end as the focus leaving does (the typed text is stored, the
// list closes without a choice). No Tab opens an editor.
TEST(GridInput, TabAndShiftTabLeaveTheGridForTheControlsAroundIt) {
  GridBetweenButtons g;
  g.call(d::AddLookup, {Variant::i2(2), Variant("Bat"), Variant(1)});
  QPushButton* before = g.before;
  QPushButton* after = g.after;
  EventLog events(*g.obj);
  auto tab = [](bool back = false) { return GridBetweenButtons::tab(back); };
  EXPECT_EQ(tab(), after);
  EXPECT_EQ(tab(true), &g.cells());
  EXPECT_EQ(tab(true), before);
  EXPECT_EQ(tab(), &g.cells());
  for (const auto& e : events.events) EXPECT_NE(e.first, ev::BeforeEdit);

  struct Case {
    bool back;
    int col;
    char typed;
    const char* stored;  // the cell's text afterwards
    bool after_edit;
  } cases[] = {{false, 1, '7', "7", true}, {true, 1, '8', "8", true}, {false, 2, 'b', "", false}, {true, 2, 'b', "", false}};
  int row = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(row));
    g.click(row, c.col);
    g.type(c.typed);
    QWidget* open = c.col == 2 ? static_cast<QWidget*>(&g.list()) : &g.editor();
    ASSERT_FALSE(open->isHidden());
    ASSERT_EQ(QApplication::focusWidget(), open);
    events.events.clear();
    EXPECT_EQ(tab(c.back), c.back ? before : after);
    EXPECT_TRUE(g.editor().isHidden());
    EXPECT_TRUE(g.list().isHidden());
    EXPECT_EQ(g.text(row, c.col), c.stored);
    const auto ids = events.ids();
    EXPECT_EQ(std::count(ids.begin(), ids.end(), ev::AfterEdit), c.after_edit ? 1 : 0);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), ev::BeforeEdit), 0);
    ++row;
  }
}

// A Tab out of the editor moves the focus first and ends the edit as the
// focus leaves, as a click elsewhere does: AfterEdit finds the focus on the
// next control, and where its handler puts the focus (back on the grid to
// have the value corrected, or on another control) the focus stays.
TEST(GridInput, TheFocusAHostPutsSomewhereInAfterEditStandsAfterTab) {
  GridBetweenButtons g;
  QWidget* chosen = nullptr;
  std::vector<std::string> focus_at_after_edit;
  g.obj->connect(nadrel::kEventInterface, [&](DispId id, std::span<Variant>) {
    if (id != ev::AfterEdit) return;
    focus_at_after_edit.push_back(g.focus_name());
    if (chosen) chosen->setFocus(Qt::OtherFocusReason);
  });
  struct Case {
    bool back;
    QWidget* chosen;    // by the host in AfterEdit
    std::string focus;  // afterwards
  } cases[] = {{false, nullptr, "after"},         {true, nullptr, "before"},
               {false, g.obj->widget(), "Nadrel"}, {true, g.obj->widget(), "Nadrel"},
               {false, g.before, "before"},        {true, g.after, "after"}};
  int row = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(row));
    g.click(row, 1);
    g.type('5');
    ASSERT_EQ(QApplication::focusWidget(), &g.editor());
    chosen = c.chosen;
    focus_at_after_edit.clear();
    g.tab(c.back);
    EXPECT_EQ(g.focus_name(), c.focus);
    EXPECT_TRUE(g.editor().isHidden());
    EXPECT_EQ(g.text(row, 1), "5");
    EXPECT_EQ(focus_at_after_edit, std::vector<std::string>{c.back ? "before" : "after"});
    ++row;
  }
  chosen = nullptr;

  // Where the cells are the window's one Tab stop the focus stays on them
  // and the Tab still ends the edit.
  g.before->hide();
  g.after->hide();
  for (bool back : {false, true}) {
    SCOPED_TRACE(back ? "alone, back" : "alone");
    g.click(row, 1);
    g.type('6');
    ASSERT_EQ(QApplication::focusWidget(), &g.editor());
    focus_at_after_edit.clear();
    g.tab(back);
    EXPECT_EQ(g.focus_name(), "picGrid");
    EXPECT_TRUE(g.editor().isHidden());
    EXPECT_EQ(g.text(row, 1), "6");
    EXPECT_EQ(focus_at_after_edit, std::vector<std::string>{"picGrid"});
    ++row;
  }
}

TEST(GridEdit, EditsStartOnlyOnDataCellsAndCancelIsPassedByValue) {
  InputGrid g;
  EventLog events(*g.obj);
  // Tab reaches the grid as key 9 and opens nothing.
  g.key(Qt::Key_Tab);
  ASSERT_FALSE(events.events.empty());
  EXPECT_EQ(events.events[0].first, ev::KeyDown);
  EXPECT_EQ(events.events[0].second[0].to_i2(), 9);
  EXPECT_TRUE(g.editor().isHidden());
  // After Clear the current row is 0: a key reaches no edit.
  g.call(d::Clear);
  events.events.clear();
  g.type('a');
  for (const auto& e : events.events) EXPECT_NE(e.first, ev::BeforeEdit);
  EXPECT_TRUE(g.editor().isHidden());

  // A handler that sets Cancel stops nothing: the edit, the added row and
  // the removed row go on, and the grid never reads the handler's copy.
  g.let(d::Rows, {Variant(3)});
  g.click(1, 1);
  std::vector<bool> sent;
  g.obj->connect(nadrel::kEventInterface, [&sent](DispId id, std::span<Variant> args) {
    if (id == ev::BeforeEdit || id == ev::BeforeAddRow || id == ev::BeforeDeleteRow) {
      sent.push_back(args.back().to_bool());
      args.back().assign(Variant(true));
    }
  });
  events.events.clear();
  g.type('a');
  ASSERT_FALSE(g.editor().isHidden());
  EXPECT_EQ(g.editor().text(), "a");
  QTest::keyClick(&g.editor(), Qt::Key_Return);
  EXPECT_EQ(g.text(1, 1), "a");
  g.call(d::AddItem, {Variant("x")});
  EXPECT_EQ(g.get(d::Rows).to_i4(), 4);
  g.call(d::RemoveItem, {Variant::i2(1)});
  EXPECT_EQ(g.get(d::Rows).to_i4(), 3);
  EXPECT_EQ(g.text(3, 1), "x");
  EXPECT_EQ(sent, (std::vector<bool>{false, false, false}));
  std::vector<DispId> raised;
  for (DispId id : events.ids())
    if (id >= ev::BeforeEdit) raised.push_back(id);
  EXPECT_EQ(raised, (std::vector<DispId>{ev::BeforeEdit, ev::AfterEdit, ev::BeforeAddRow, ev::AfterAddRow,
                                         ev::BeforeDeleteRow, ev::AfterDeleteRow}));
  // With editing refused for the column a key still raises BeforeEdit, but no editor opens.
  g.let(d::ColAllowEdit, {Variant(2), Variant(false)});
  g.click(2, 2);
  events.events.clear();
  g.type('b');
  EXPECT_EQ(events.ids(), (std::vector<DispId>{ev::KeyDown, ev::KeyPress, ev::BeforeEdit, ev::KeyUp}));
  EXPECT_TRUE(g.editor().isHidden());
  EXPECT_EQ(g.text(2, 2), "");
}

TEST(GridEdit, DoubleClickIsOnePressAndOpensTheEditor) {
  InputGrid g;
  g.let(d::TextMatrix, {Variant(2), Variant(2), Variant("ab")});
  EventLog events(*g.obj);
  // Press, release, double click, release: what a double click delivers.
  QTest::mouseClick(&g.cells(), Qt::LeftButton, {}, g.at(2, 2));
  QTest::mouseDClick(&g.cells(), Qt::LeftButton, {}, g.at(2, 2));
  QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, g.at(2, 2));
  int presses = 0;
  for (const auto& e : events.events) presses += e.first == ev::MouseDown;
  EXPECT_EQ(presses, 1);
  ASSERT_FALSE(g.editor().isHidden());
  EXPECT_EQ(g.editor().text(), "ab");  // a blank opens without typing
}

TEST(GridEdit, MasksFilterTypingAndPasting) {
  InputGrid g;
  g.let(d::ColMask, {Variant(1), Variant::i2(2)});
  g.let(d::ColMask, {Variant(2), Variant::i2(1)});
  g.let(d::ColMask, {Variant(3), Variant::i2(3)});
  struct Case {
    int col;
    const char* typed;
    const char* want;
  };
  const Case cases[] = {{1, "1a2,-.x/", "12-."}, {2, "abc1", "ABC1"}, {3, "1/2-x", "1/2"}};
  for (const Case& c : cases) {
    g.click(1, c.col);
    for (const char* p = c.typed; *p; ++p) {
      if (g.editor().isHidden()) g.type(*p);
      else QTest::keyClick(&g.editor(), *p);
    }
    EXPECT_EQ(g.editor().text().toStdString(), c.want) << c.col;
    // Ctrl+V is swallowed by the numeric and date masks; text put in by
    // other means (paste, drop, context menu) must fit the mask too.
    g.editor().insert("zz");
    EXPECT_EQ(g.editor().text().toStdString(), c.col == 2 ? std::string(c.want) + "ZZ" : c.want);
    QTest::keyClick(&g.editor(), Qt::Key_Return);
  }
  EXPECT_EQ(g.text(1, 1), "12-.");
}

TEST(GridEdit, LookupListOpensByTypingAndStoresTheChoice) {
  InputGrid g;
  g.call(d::AddLookup, {Variant::i2(2), Variant("Bat"), Variant(1)});
  g.call(d::AddLookup, {Variant::i2(2), Variant("Bi"), Variant(2)});
  g.call(d::AddLookup, {Variant::i2(2), Variant("Hiru"), Variant(3)});
  g.click(1, 2);
  EXPECT_FALSE(g.obj->widget()->findChild<QPushButton*>("cmdLookup")->isHidden());
  EventLog events(*g.obj);
  g.type('b');
  ASSERT_FALSE(g.list().isHidden());
  EXPECT_TRUE(g.editor().isHidden());
  ASSERT_EQ(g.list().count(), 3);
  EXPECT_EQ(g.list().currentItem()->text(), "Bat");
  QTest::keyClick(&g.list(), Qt::Key_Down);
  QTest::keyClick(&g.list(), Qt::Key_Return);
  EXPECT_TRUE(g.list().isHidden());
  EXPECT_EQ(g.text(1, 2), "Bi");
  EXPECT_EQ(events.events.back().first, ev::AfterEdit);
  EXPECT_EQ(events.events.back().second[2].to_string(), "Bi");
  // With item data the number is stored; typing x selects nothing.
  g.let(d::UseItemData, {Variant(true)});
  g.type('h');
  QTest::keyClick(&g.list(), Qt::Key_Return);
  EXPECT_EQ(g.text(1, 2), "3");
  g.type('x');
  EXPECT_EQ(g.list().currentItem() ? g.list().currentItem()->isSelected() : false, false);
  QTest::keyClick(&g.list(), Qt::Key_Escape);
  EXPECT_TRUE(g.list().isHidden());
  EXPECT_EQ(g.text(1, 2), "3");
  g.type('b');  // the editor flag was cleared by Escape: the list opens again
  EXPECT_FALSE(g.list().isHidden());
}

TEST(GridEdit, CellButtonRaisesItsEvent) {
  InputGrid g;
  g.call(d::AddButton, {Variant::i2(4)});
  QPushButton* button = g.obj->widget()->findChild<QPushButton*>("cmdButton");
  ASSERT_NE(button, nullptr);
  g.click(2, 3);
  EXPECT_TRUE(button->isHidden());
  g.click(2, 4);
  ASSERT_FALSE(button->isHidden());
  EventLog events(*g.obj);
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_EQ(events.ids(), std::vector<DispId>{ev::BtnClick});
  EXPECT_EQ(events.events[0].second[0].to_i2(), 4);
  // Scrolled above the first row shown, the cell shows no button.
  g.let(d::Rows, {Variant(40)});
  bar_of(g, true).setValue(5);
  EXPECT_TRUE(button->isHidden());
}

TEST(GridEdit, ScrollingAndLeavingTheControlStoreTheEdit) {
  InputGrid g;
  g.let(d::Rows, {Variant(40)});
  for (int way = 0; way < 3; ++way) {
    g.let(d::Row, {Variant(2)});
    g.let(d::Col, {Variant(2)});
    EventLog events(*g.obj);
    g.type('a' + way);
    ASSERT_FALSE(g.editor().isHidden());
    if (way == 0) bar_of(g, true).setValue(2);
    else if (way == 1) bar_of(g, true).setValue(1);
    else g.obj->focus_left();  // the container's notice
    EXPECT_TRUE(g.editor().isHidden()) << way;
    EXPECT_EQ(g.text(2, 2), std::string("abc").substr(0, size_t(way) + 1));  // typing appends
    std::vector<DispId> ids = events.ids();
    auto after = std::find(ids.begin(), ids.end(), ev::AfterEdit);
    ASSERT_NE(after, ids.end()) << way;
    EXPECT_EQ(events.events[size_t(after - ids.begin())].second[2].to_string(), g.text(2, 2));
    g.cells().setFocus();
  }
  // AutoNewRow: editing the empty last row adds one after it.
  g.let(d::AutoNewRow, {Variant(true)});
  g.let(d::Row, {Variant(40)});
  EventLog events(*g.obj);
  g.call(d::DblClick);
  EXPECT_EQ(g.get(d::Rows).to_i4(), 41);
  EXPECT_EQ(events.ids(), (std::vector<DispId>{ev::BeforeEdit, ev::BeforeAddRow, ev::AfterAddRow}));
}

TEST(GridInput, DraggingBelowTheCellsScrollsByItself) {
  InputGrid g;
  g.let(d::Rows, {Variant(40)});
  QTest::mousePress(&g.cells(), Qt::LeftButton, {}, g.at(3, 2));
  QTest::mouseMove(&g.cells(), QPoint(100, 320));
  QTest::qWait(400);
  QTest::mouseRelease(&g.cells(), Qt::LeftButton, {}, QPoint(100, 320));
  const int top = g.get(d::TopRow).to_i4();
  EXPECT_GT(top, 3);
  EXPECT_EQ(g.get(d::Row1).to_i4(), 3);
  EXPECT_GT(g.get(d::Row2).to_i4(), 10);
  // Released: the scrolling stops.
  QTest::qWait(150);
  EXPECT_EQ(g.get(d::TopRow).to_i4(), top);
}

// ---------------------------------------------------------------- bound grids

namespace {

struct BoundGrid : InputGrid {
  std::shared_ptr<FakeRecordset> rs = std::make_shared<FakeRecordset>(
      std::vector<std::string>{"Izena", "Kodea"},
      std::vector<std::vector<Variant>>{{Variant("bat"), Variant("bi"), Variant("hiru")},
                                        {Variant("A1"), Variant("B2"), Variant("C3")}});
  BoundGrid() {
    // Fields of no text type keep the default widths; the first holds 4 characters.
    for (auto& f : rs->fields->items) f->type = 3;
    rs->fields->items[0]->size = 4;
    set(d::Recordset, {Variant(std::shared_ptr<Dispatch>(rs))});
    click(2, 1);
  }
  std::vector<DispId> edit_events(const EventLog& log) {
    std::vector<DispId> r;
    for (DispId id : log.ids())
      if (id == ev::BeforeEdit || id == ev::AfterEdit) r.push_back(id);
    return r;
  }
};

}  // namespace

TEST(GridRecordsetEdit, EnterStoresTheTypedTextInTheRecordAndTheCell) {
  BoundGrid g;
  EventLog events(*g.obj);
  g.type('z');
  ASSERT_FALSE(g.editor().isHidden());
  EXPECT_EQ(g.editor().text(), "biz");  // the record's value, then the key
  QTest::keyClick(&g.editor(), 'z');
  QTest::keyClick(&g.editor(), 'z');
  QTest::keyClick(&g.editor(), Qt::Key_Return);
  EXPECT_TRUE(g.editor().isHidden());
  // The record takes the field's declared size, the cell the whole text.
  EXPECT_EQ(g.rs->columns[0][1].to_string(), "bizz");
  EXPECT_EQ(g.text(2, 1), "bizzz");
  EXPECT_EQ(g.rs->log, (std::vector<std::string>{"MoveLast", "Edit", "Collect", "Update"}));
  ASSERT_EQ(g.edit_events(events), (std::vector<DispId>{ev::BeforeEdit, ev::AfterEdit}));
  EXPECT_EQ(events.events.back().second[2].to_string(), "bizzz");
  // A click elsewhere stores the same way, the edit starting from the record.
  g.type('y');
  EXPECT_EQ(g.editor().text(), "bizzy");
  g.click(3, 2);
  EXPECT_EQ(g.rs->columns[0][1].to_string(), "bizz");
  EXPECT_EQ(g.text(2, 1), "bizzy");
  const std::vector<DispId> ids = events.ids();
  const auto after = std::find(ids.rbegin(), ids.rend(), ev::AfterEdit);
  ASSERT_NE(after, ids.rend());
  EXPECT_EQ(events.events[size_t(ids.rend() - after) - 1].second[2].to_string(), "bizzy");
}

TEST(GridRecordsetEdit, AHostThatFailsOnItsRecordsLetsNoErrorOutOfAnyInput) {
  for (const bool saveable : {true, false}) {
    BoundGrid g;
    g.rs->saveable = saveable;
    g.rs->fail_records = saveable;  // either every record fails, or none can be saved
    EventLog events(*g.obj);
    EXPECT_NO_THROW(g.type('q'));
    if (saveable) {
      // An unreadable record opens no edit; the cell shows empty.
      EXPECT_TRUE(g.editor().isHidden());
      EXPECT_EQ(g.edit_events(events), (std::vector<DispId>{ev::BeforeEdit}));
      EXPECT_NO_THROW(g.call(d::DblClick));
      EXPECT_NO_THROW(g.click(3, 2));
      EXPECT_NO_THROW(g.key(Qt::Key_Up));
      EXPECT_NO_THROW(g.obj->focus_left());
      EXPECT_TRUE(g.editor().isHidden());
      EXPECT_EQ(g.row(), 2);
      continue;
    }
    ASSERT_FALSE(g.editor().isHidden());
    // Enter cannot save: the edit stays open and nothing changes.
    EXPECT_NO_THROW(QTest::keyClick(&g.editor(), Qt::Key_Return));
    EXPECT_FALSE(g.editor().isHidden());
    EXPECT_NO_THROW(QTest::keyClick(&g.editor(), Qt::Key_Down));
    EXPECT_FALSE(g.editor().isHidden());
    EXPECT_EQ(g.row(), 2);
    // A click elsewhere or the focus leaving discards it.
    EXPECT_NO_THROW(g.click(3, 2));
    EXPECT_TRUE(g.editor().isHidden());
    EXPECT_EQ(g.row(), 3);
    g.type('r');
    ASSERT_FALSE(g.editor().isHidden());
    EXPECT_NO_THROW(g.obj->focus_left());
    EXPECT_TRUE(g.editor().isHidden());
    EXPECT_EQ(g.rs->columns[0][1].to_string(), "bi");
    EXPECT_EQ(g.rs->columns[1][2].to_string(), "C3");
    EXPECT_EQ(g.text(2, 1), "");
    EXPECT_EQ(g.text(3, 2), "");
    EXPECT_EQ(g.edit_events(events), (std::vector<DispId>{ev::BeforeEdit, ev::BeforeEdit}));
  }
}

TEST(GridEdit, AutoNewRowAtTheRowLimitAddsNoRowAndEditsOn) {
  InputGrid g;
  g.let(d::Rows, {Variant(32767)});
  g.let(d::Cols, {Variant(1)});
  g.let(d::AutoNewRow, {Variant(true)});
  g.let(d::Row, {Variant(32767)});
  g.let(d::Col, {Variant(1)});
  EventLog events(*g.obj);
  EXPECT_NO_THROW(g.type('k'));
  EXPECT_EQ(g.get(d::Rows).to_i4(), 32767);
  ASSERT_FALSE(g.editor().isHidden());
  EXPECT_EQ(events.ids(), (std::vector<DispId>{ev::KeyDown, ev::KeyPress, ev::BeforeEdit, ev::KeyUp}));
  QTest::keyClick(&g.editor(), Qt::Key_Return);
  EXPECT_EQ(g.text(32767, 1), "k");
}

TEST(GridEdit, TheEditorOpensOverACellScrolledBackIntoView) {
  InputGrid g;
  g.let(d::Rows, {Variant(40)});
  g.let(d::Cols, {Variant(12)});
  for (auto [row, col, top, left] : {std::tuple{2, 2, 20, 1}, {30, 3, 1, 1}, {3, 11, 1, 1}, {5, 2, 1, 8}}) {
    g.let(d::Row, {Variant(row)});
    g.let(d::Col, {Variant(col)});
    bar_of(g, true).setValue(top);
    bar_of(g, false).setValue(left);
    g.type('w');
    ASSERT_FALSE(g.editor().isHidden()) << row << "," << col;
    // The cell is shown whole, with the editor over it.
    const int shown_top = g.get(d::TopRow).to_i4(), shown_left = g.get(d::LeftCol).to_i4();
    EXPECT_LE(shown_top, row);
    EXPECT_LE(shown_left, col);
    const QPoint cell = g.at(row - shown_top + 1, col - shown_left + 1) + g.cells().pos();
    const QRect box = g.editor().geometry();
    EXPECT_TRUE(box.contains(cell)) << row << "," << col;
    EXPECT_LE(box.bottom(), bar_of(g, false).y()) << row << "," << col;
    EXPECT_LT(box.right(), bar_of(g, true).x()) << row << "," << col;
    QTest::keyClick(&g.editor(), Qt::Key_Return);
    EXPECT_EQ(g.text(row, col), "w");
  }
}

TEST(GridInput, APressWhereTheBarsMeetLeavesTheEditOpen) {
  InputGrid g;
  g.let(d::Rows, {Variant(40)});
  g.let(d::Cols, {Variant(12)});
  g.click(2, 2);
  g.type('m');
  ASSERT_FALSE(g.editor().isHidden());
  QScrollBar& v = bar_of(g, true);
  QScrollBar& h = bar_of(g, false);
  ASSERT_FALSE(v.isHidden());
  ASSERT_FALSE(h.isHidden());
  const QPoint corner = QPoint(v.x() + v.width() / 2, h.y() + h.height() / 2) - g.cells().pos();
  const QWidget* focused = QApplication::focusWidget();
  QTest::mouseClick(&g.cells(), Qt::LeftButton, {}, corner);
  EXPECT_FALSE(g.editor().isHidden());
  EXPECT_EQ(QApplication::focusWidget(), focused);
  EXPECT_EQ(g.row(), 2);
  QTest::keyClick(&g.editor(), 'n');
  QTest::keyClick(&g.editor(), Qt::Key_Return);
  EXPECT_EQ(g.text(2, 2), "mn");
}

TEST(GridInput, MouseCoordinatesOfAnySizeAreTaken) {
  InputGrid g;
  const float huge = 1e10f, nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  for (int16_t pointer : {0, 9, 7}) {
    g.let(d::MousePointer, {Variant(int32_t(pointer))});
    for (float v : {huge, -huge, nan, inf, -inf}) {
      for (DispId id : {d::MouseDown, d::MouseMove, d::MouseUp})
        EXPECT_EQ(g.invoke(id, CallKind::Method, {Variant::i2(1), Variant::i2(0), Variant::r4(v), Variant::r4(v)}).error, 0);
    }
  }
  EXPECT_EQ(g.invoke(d::Refresh, CallKind::Method).error, 0);
}
