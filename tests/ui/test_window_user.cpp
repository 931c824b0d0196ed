// The window as a user meets it: keys typed into our windows, the screen and the menu after every
// command, the digit panel and the status texts.
#include <QAbstractButton>
#include <QAction>
#include <QListWidget>
#include <QScreen>
#include <set>
#include <tuple>

#include "drivers/menu_table.h"
#include "tests/ui/window_fixture.h"
#include "ui/log_window.h"

namespace {

// A full grid, so that the make-problem screen starts on a solution.
std::string FullGrid() {
  std::string grid;
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t c = 0; c < 9; ++c) grid += static_cast<char>('1' + (r * 3 + r / 3 + c) % 9);
  return grid;
}

class WindowUser : public WindowTest {
 protected:
  std::string StartSettings() const override { return "[MODE]\nCandErase=1\nCandCtrl=1\n"; }

  // What the board area shows now: the window's own pixels as last painted.
  QImage OnScreen() {
    BoardView* board = app.window->Board();
    const QPoint at = board->mapTo(app.window, QPoint(0, 0));
    const QImage whole = app.window->screen()->grabWindow(app.window->winId()).toImage();
    return whole.copy(QRect(at, board->size())).convertToFormat(QImage::Format_RGB32);
  }
  // The same state painted afresh (the paint clears shown hint marks; they are put back).
  QImage Fresh() {
    const Board board = g.board;
    const uint32_t hints = g.hintMarkCount;
    const QImage image = Paint(app.window->Board()->width(), app.window->Board()->height());
    g.board = board;
    g.hintMarkCount = hints;
    return image;
  }
  // The command that enters and leaves each mode.
  static constexpr uint32_t kModeCommand[6] = {0, 240, 300, 310, 330, 340};
  // Back to the ordinary screen by the commands that leave each mode.
  void ToNormal() {
    for (int i = 0; i < 3 && g.screenMode != ModeNormal; ++i) app.window->PostCommand(kModeCommand[g.screenMode]);
    ASSERT_EQ(g.screenMode, static_cast<uint32_t>(ModeNormal));
  }
  // A puzzle in `mode`, entered by its command, with the cursor on `cell`.
  void Enter(uint32_t mode, uint32_t cell) {
    ToNormal();
    LoadGivens(mode == ModeMakeProblem ? FullGrid() : std::string(kSample));
    if (kModeCommand[mode]) app.window->PostCommand(kModeCommand[mode]);
    ASSERT_EQ(g.screenMode, mode);
    if (mode == ModeNewCreation) LoadGivens(kSample);
    g.cursorRow = RowOf(cell);
    g.cursorColumn = ColumnOf(cell);
    RefreshStatus(0);
  }
};

TEST_F(WindowUser, KeysActOnTheBoardWhicheverOfOurWindowsHasTheFocus) {
  LoadGivens(kSample);
  Key(Qt::Key_K, Qt::ControlModifier);
  QWidget* digits = app.window->Panel(PanelInput);
  ASSERT_NE(digits, nullptr);
  // A glyph set change shows at once in the digit panel: "漢数字" by key, "全角文字" by dialog.
  EXPECT_EQ(Find<QPushButton>(digits, 1750)->text(), QStringLiteral("1"));
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Find<QPushButton>(digits, 1750)->text(), QStringLiteral("一"));
  EXPECT_EQ(Find<QPushButton>(digits, 1830)->text(), QStringLiteral("九"));
  ASSERT_TRUE(WithDialog(130, [](QWidget* dialog) {
    Find<QAbstractButton>(dialog, 1411)->click();
    Click(dialog, "ok");
  }));
  EXPECT_EQ(Find<QPushButton>(digits, 1750)->text(), QStringLiteral("１"));
  // So does a new candidate font, with the next command.
  g.settings.fontSize2 = 30;
  RebuildFonts();
  Key(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Find<QPushButton>(digits, 1750)->font(), VorelFont(FontCandidate));
  // The digit-input panel passes its Ctrl keys on (its clicks are tried by smoke_window.sh).
  QTest::keyClick(digits, Qt::Key_F, Qt::ControlModifier);  // "候補表示" once more
  EXPECT_EQ(g.candidateDisplay, 0u);
  QTest::keyClick(digits, Qt::Key_K, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(app.window->Panel(PanelInput), nullptr);
  // Text of more than one character, as an input method commits it, types nothing (a typed
  // digit would ask first: the answerer keeps that from hanging the test).
  {
    ModalAnswerer answerer;
    EXPECT_FALSE(app.window->HandleKey(0, Qt::NoModifier, QStringLiteral("12")));
    Settle();
    EXPECT_TRUE(answerer.boxes.empty());
  }

  // The control panel, the technique log and the usage window of the candidate screen.
  Key(Qt::Key_C, Qt::ControlModifier);
  ASSERT_EQ(g.screenMode, static_cast<uint32_t>(ModeCandidateScreen));
  QWidget* control = app.window->Panel(PanelControl);
  ASSERT_NE(control, nullptr);
  g.cursorRow = g.cursorColumn = 4;
  QTest::keyClick(control, Qt::Key_Left);
  EXPECT_EQ(CursorCell(), CellAt(4, 3));
  QTest::keyClick(app.window->Log()->List(), Qt::Key_Up);
  EXPECT_EQ(CursorCell(), CellAt(3, 3));
  Key(Qt::Key_G, Qt::ControlModifier);
  QWidget* usage = app.window->Panel(PanelCandidateUsage);
  ASSERT_NE(usage, nullptr);
  auto* list = Find<QListWidget>(usage, 1560);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 11);
  QTest::keyClick(list, Qt::Key_Right);
  EXPECT_EQ(CursorCell(), CellAt(3, 4));
  QTest::keyClick(usage, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(g.screenMode, static_cast<uint32_t>(ModeNormal));
  Settle();
  EXPECT_EQ(app.window->Panel(PanelCandidateUsage), nullptr);  // it goes with the screen

  // A modal dialog keeps its own keys.
  const uint32_t before = CursorCell();
  EXPECT_TRUE(WithModal([&] { app.window->PostCommand(290); },
                        [](QWidget* dialog) {
                          QTest::keyClick(dialog, Qt::Key_Right);
                          QTest::keyClick(dialog, Qt::Key_Escape);
                        }));
  EXPECT_EQ(CursorCell(), before);
}

class WindowRepaint : public WindowUser, public ::testing::WithParamInterface<uint32_t> {};

// After every command, in every mode it runs in, the screen shows a fresh paint.
TEST_P(WindowRepaint, EveryCommandLeavesTheScreenAsAFreshPaintShowsItAndTheMenuFollowsTheGates) {
  const uint32_t mode = GetParam();
  app.window->resize(460, 560);
  ModalAnswerer answerer(app.window->Board());
  std::vector<uint32_t> ids;
  for (uint32_t id = 1; id < 5000; ++id)
    // "終了" would end the test's application.
    if (const CommandEntry* e = FindCommand(id); e && id != 140 && (e->gate & GateOf(mode))) ids.push_back(id);
  ASSERT_GT(ids.size(), 20u);
  // The cursor on an empty cell with the displays off, then on a given with them on.
  for (uint32_t pass = 0; pass < 2; ++pass)
    for (uint32_t id : ids) {
      Enter(mode, pass == 0 ? 0 : CellAt(1, 0));
      g.settings.kanSuuji = 0;
      g.alternateView = 0;
      g.sameDigitDisplay = pass;
      g.candidateDisplay = pass;
      RefreshStatus(0);
      Settle();
      ASSERT_TRUE(OnScreen() == Fresh()) << "before command " << id << ", mode " << mode;
      app.window->PostCommand(id);
      Settle();
      EXPECT_TRUE(OnScreen() == Fresh()) << "after command " << id << " in mode " << mode << ", pass " << pass;
    }
  // The menu and the toolbar follow the gates; the ordinary screen after the make-problem one.
  if (mode == ModeNormal) Enter(ModeMakeProblem, 0);
  Enter(mode, 0);
  for (uint32_t i = 0; i < kMenuRowCount; ++i) {
    const uint32_t id = kMenuRows[i].id;
    if (!id) continue;
    QAction* action = app.window->MenuAction(id);
    ASSERT_NE(action, nullptr) << id;
    EXPECT_EQ(action->isEnabled(), MenuItemEnabled(id, mode)) << "item " << id;
  }
  const uint32_t toolbar = ToolbarForMode(mode);
  for (const uint32_t* b = ToolbarButtons(toolbar); *b != kToolbarEnd; ++b) {
    if (!*b) continue;
    QAction* button = app.window->ToolbarAction(toolbar, *b);
    ASSERT_NE(button, nullptr) << *b;
    EXPECT_EQ(button->isEnabled(), MenuItemEnabled(*b, mode)) << "button " << *b;
  }
}

std::string ModeName(const ::testing::TestParamInfo<uint32_t>& info) {
  static const char* const kNames[6] = {"Normal", "NewCreation", "Edit", "CandidateScreen", "MakeProblem",
                                        "ProblemInput"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Modes, WindowRepaint, ::testing::Range(0u, 6u), ModeName);

TEST_F(WindowUser, LongStatusTextsAreShownWhole) {
  LoadGivens(kSample);
  QLabel* part0 = app.window->StatusPart(0);
  QLabel* part1 = app.window->StatusPart(1);
  Settle();
  EXPECT_EQ(part0->width(), 200);
  EXPECT_EQ(part1->width(), 100);
  // "#" typed with the cursor on the given 4 of row 1.
  g.cursorRow = 1;
  g.cursorColumn = 0;
  Type(QStringLiteral("#"));
  Settle();
  ASSERT_EQ(part0->text(), QStringLiteral("4 を入力可能な箇所を塗りつぶしました"));
  const int needed = part0->fontMetrics().horizontalAdvance(part0->text());
  EXPECT_GE(part0->contentsRect().width(), needed);
  EXPECT_GE(part1->geometry().left(), part0->geometry().right());
  // Back to a short text: the part keeps its 200 pixels.
  SetStatus(0, "");
  Settle();
  EXPECT_EQ(part0->width(), 200);
}

// Every named key, typed character and Ctrl letter leaves the same state as its command.
TEST_F(WindowUser, EveryNamedKeyRunsItsCommand) {
  const auto start = [this] {
    LoadGivens(kSample);
    g.screenMode = ModeNewCreation;
    g.cursorRow = 4, g.cursorColumn = 4;
    Type(QStringLiteral("6"));
    g.cursorRow = 4, g.cursorColumn = 4;
  };
  const auto seen = [] {
    std::vector<uint32_t> v(g.board.value, g.board.value + 81);
    v.insert(v.end(), g.board.kind, g.board.kind + 81);
    v.insert(v.end(), {CursorCell(), g.screenMode, g.undo.length});
    return v;
  };
  const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier;
  const std::tuple<int, Qt::KeyboardModifiers, uint32_t> keys[] = {
      {Qt::Key_Up, none, 2620},       {Qt::Key_Down, none, 2630},     {Qt::Key_Right, none, 2640},
      {Qt::Key_Left, none, 2650},     {Qt::Key_Home, none, 2670},     {Qt::Key_PageUp, none, 1010},
      {Qt::Key_PageDown, none, 1020}, {Qt::Key_Insert, none, 970},    {Qt::Key_Delete, none, 980},
      {Qt::Key_Backspace, none, 750}, {Qt::Key_Return, none, 1000},   {Qt::Key_Enter, none, 1000},
      {Qt::Key_Space, none, 720},     {Qt::Key_5, none, 625},         {Qt::Key_0, none, 620},
      {Qt::Key_E, ctrl, 2620},        {Qt::Key_X, ctrl, 2630},        {Qt::Key_H, ctrl, 830}};
  ModalAnswerer answerer;
  std::set<std::vector<uint32_t>> outcomes;
  for (const auto& [key, modifiers, command] : keys) {
    start();
    Key(key, modifiers);
    Settle();
    const std::vector<uint32_t> byKey = seen();
    start();
    RunCommand(command);
    Settle();
    EXPECT_EQ(byKey, seen()) << "key " << std::hex << key << std::dec << ", command " << command;
    outcomes.insert(byKey);
  }
  EXPECT_GE(outcomes.size(), 8u);  // the keys do different things
}

}  // namespace
