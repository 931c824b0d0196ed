// What the board area draws, read back as texts and fills rather than pixels: every cell of
// every layout shows exactly what the engine holds for it, in its own rectangle and colour.
#include <QPaintEngine>
#include <QTextItem>
#include <algorithm>

#include "drivers/path.h"
#include "tests/ui/window_fixture.h"

namespace {

// A paint engine that keeps each text (its run's centre, pen and clip) and each fill drawn.
class Recorder : public QPaintEngine {
 public:
  struct Text {
    QString text;
    QPointF centre;
    QColor pen;
    QRectF clip;  // empty: not clipped
  };
  struct Fill {
    QRectF rect;
    QColor colour;
  };
  std::vector<Text> texts;
  std::vector<Fill> fills;

  Recorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  Type type() const override { return QPaintEngine::User; }
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    const QPointF centre = p + QPointF(item.width() / 2, (item.descent() - item.ascent()) / 2);
    texts.push_back({item.text(), centre, painter()->pen().color(),
                     painter()->hasClipping() ? painter()->clipBoundingRect() : QRectF()});
  }
  void drawRects(const QRectF* rects, int n) override {
    if (painter()->brush().style() == Qt::NoBrush) return;
    for (int i = 0; i < n; ++i) fills.push_back({rects[i], painter()->brush().color()});
  }
  // The integer forms of these reach the floating-point ones.
  void drawLines(const QLineF*, int) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
};

// An image whose painter draws into the recorder instead.
class RecordingDevice : public QImage {
 public:
  RecordingDevice(int width, int height) : QImage(width, height, QImage::Format_RGB32) {}
  QPaintEngine* paintEngine() const override { return &engine; }
  mutable Recorder engine;
};

// Per cell: where the view put it, the texts centred in it in drawing order, and its fills.
struct Painted {
  QRect cell[81];
  std::vector<Recorder::Text> texts[81];
  QColor fill[81];
  int fills[81] = {};
};

Painted PaintRecorded(int width, int height) {
  BoardView view;
  view.resize(width, height);
  RecordingDevice device(width, height);
  {
    QPainter painter(&device);
    view.PaintBoard(painter);
  }
  Painted out;
  for (uint32_t c = 0; c < 81; ++c) out.cell[c] = view.CellRect(c);
  for (const Recorder::Text& t : device.engine.texts) {
    const QRect* in = std::find_if(out.cell, out.cell + 81, [&t](const QRect& r) { return QRectF(r).contains(t.centre); });
    if (in == out.cell + 81) ADD_FAILURE() << t.text.toStdString() << " drawn outside every cell";
    else out.texts[in - out.cell].push_back(t);
  }
  for (const Recorder::Fill& f : device.engine.fills)
    for (uint32_t c = 0; c < 81; ++c)
      if (f.rect == QRectF(out.cell[c])) {
        out.fill[c] = f.colour;
        ++out.fills[c];
      }
  return out;
}

QString Joined(const std::vector<Recorder::Text>& texts) {
  QString s;
  for (const Recorder::Text& t : texts) s += t.text;
  return s;
}

QString CandidateDigits(uint32_t cell) {
  QString s;
  for (uint32_t d = 0; d < 9; ++d)
    if (g.cand.flag[cell * 9 + d]) s += QChar(u'1' + d);
  return s;
}

class BoardPaint : public WindowTest {
 protected:
  // Digits of every kind, each role its own colour, and nine cells with one to nine candidates.
  void Prepare(bool candidateScreen) {
    LoadGivens(kSample);
    Settings& s = g.settings;
    s.number = 1, s.input = 2, s.kari = 3, s.calc = 4, s.number2 = 5, s.cursor = 6, s.bgc = 7;
    if (candidateScreen) RunCommand(310);
    ASSERT_EQ(g.screenMode, candidateScreen ? ModeCandidateScreen : ModeNormal);
    const uint32_t kinds[] = {KindInput, KindAssumed, KindMarked, KindAuto};
    const uint32_t placed[] = {CellAt(0, 0), CellAt(8, 8), CellAt(4, 0), CellAt(0, 8)};
    for (uint32_t i = 0; i < 4; ++i) {
      ASSERT_EQ(g.board.value[placed[i]], 0u);
      g.board.value[placed[i]] = 9 - i;
      g.board.kind[placed[i]] = kinds[i];
    }
    uint32_t n = 1;
    for (uint32_t c : {CellAt(8, 0), CellAt(8, 1), CellAt(8, 2), CellAt(8, 4), CellAt(8, 6), CellAt(8, 7),
                       CellAt(7, 0), CellAt(7, 2), CellAt(7, 4)}) {
      ASSERT_EQ(g.board.value[c], 0u);
      for (uint32_t d = 0; d < 9; ++d) g.cand.flag[c * 9 + d] = (d * 5 + c) % 9 < n ? 1 : 0;
      ++n;
    }
    g.cursorRow = 4;
    g.cursorColumn = 4;
  }
  // Each cell filled once in its background; a placed digit drawn once in its kind's colour.
  static void ExpectCells(const Painted& p, const std::function<bool(uint32_t)>& second,
                          const std::function<QString(uint32_t)>& text) {
    for (uint32_t c = 0; c < 81; ++c) {
      EXPECT_EQ(p.fills[c], 1) << c;
      EXPECT_EQ(p.fill[c], PaletteColour(c == CellAt(4, 4) ? 6 : second(c) ? 5 : 7)) << c;
      const uint32_t v = g.board.value[c];
      if (v == 0) continue;
      ASSERT_EQ(p.texts[c].size(), 1u) << c;
      EXPECT_EQ(p.texts[c][0].text, text(v)) << c;
      const uint32_t k = g.board.kind[c];  // in its kind's role as Prepare set them
      EXPECT_EQ(p.texts[c][0].pen, PaletteColour(k == KindGiven || k == KindMarked ? 1 : k == KindInput ? 2 : k == KindAssumed ? 3 : 4)) << c;
    }
  }
  static bool Marked(uint32_t c) { return g.board.kind[c] == KindMarked; }
  static QString Glyph(uint32_t v) { return Utf8(GlyphFor(v)); }
};

// Digits in their kinds' colours; the second background on the same or chosen digit and next step.
TEST_F(BoardPaint, TheBoardViewShowsEveryDigitInItsColourAndTheSecondBackgroundWhereDue) {
  Prepare(false);
  for (const int size : {451, 433}) {
    const Painted p = PaintRecorded(size, size);
    ExpectCells(p, Marked, Glyph);
    for (uint32_t c = 0; c < 81; ++c) EXPECT_TRUE(g.board.value[c] != 0 || p.texts[c].empty()) << c;
  }
  g.cursorRow = 1, g.cursorColumn = 0;  // the given 4
  g.sameDigitDisplay = 1;
  const auto four = [](uint32_t c) { return c != CellAt(1, 0) && (g.board.value[c] == 4 || Marked(c)); };
  for (uint32_t c = 0; c < 81; ++c)
    EXPECT_EQ(PaintRecorded(451, 451).fill[c], PaletteColour(c == CellAt(1, 0) ? 6 : four(c) ? 5 : 7)) << c;
  g.sameDigitDisplay = 0;
  g.cursorRow = g.cursorColumn = 4;
  for (const uint32_t d : {6u, 1u}) {  // the cursor is not shown meanwhile
    g.highlightDigit = d, g.highlightFill = true;
    const Painted chosen = PaintRecorded(451, 451);
    for (uint32_t c = 0; c < 81; ++c) EXPECT_EQ(chosen.fill[c], PaletteColour(g.board.value[c] == d ? 5 : 7)) << c;
  }
  g.highlightFill = false;

  Prepare(true);
  RunCommand(4100);
  const uint32_t* marks = NextStepMarks();
  ASSERT_GT(std::count_if(marks, marks + 81, [](uint32_t m) { return m != 0; }), 0);
  ExpectCells(PaintRecorded(451, 451), [marks](uint32_t c) { return marks[c] != 0 || Marked(c); },
              [](uint32_t v) { return QString::number(v); });
}

// The list: candidates ascending, up to four on a line, five as three over two, more as four over
// the rest. The box layout: each candidate glyph in its ninth of the cell; a hint mark shows once.
TEST_F(BoardPaint, TheCandidatesShowAsAListSplitAfterThreeOrFourAndInTheirNinthsOfTheBox) {
  Prepare(true);
  g.settings.kohoDisplayMode = 0;
  const Painted p = PaintRecorded(451, 451);
  ExpectCells(p, Marked, [](uint32_t v) { return QString::number(v); });
  uint32_t seen[10] = {};
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c] != 0) continue;
    const QString digits = CandidateDigits(c);
    ++seen[digits.size()];
    EXPECT_EQ(Joined(p.texts[c]), digits) << c;
    for (const Recorder::Text& t : p.texts[c]) EXPECT_EQ(t.pen, PaletteColour(4)) << c;
    if (digits.size() < 5) {
      EXPECT_LE(p.texts[c].size(), 1u) << c;
      continue;
    }
    ASSERT_EQ(p.texts[c].size(), 2u) << c;
    EXPECT_EQ(p.texts[c][0].text.size(), digits.size() == 5 ? 3 : 4) << c;
    const QRect r = p.cell[c];
    EXPECT_EQ(p.texts[c][0].clip, QRectF(r.left(), r.top(), r.width(), r.height() / 2)) << c;
    EXPECT_EQ(p.texts[c][1].clip, QRectF(r.left(), r.top() + r.height() / 2, r.width(), r.height() - r.height() / 2))
        << c;
  }
  for (uint32_t n = 1; n <= 9; ++n) EXPECT_GT(seen[n], 0u) << n << " candidates";
  g.settings.kanSuuji = 1;
  g.settings.kohoDisplayMode = 1;
  g.board.kind[CellAt(2, 2)] = KindHint;
  g.hintMarkCount = 1;
  const Painted box = PaintRecorded(451, 451);
  ExpectCells(box, [](uint32_t c) { return c == CellAt(2, 2) || Marked(c); }, Glyph);
  EXPECT_EQ(g.board.kind[CellAt(2, 2)], static_cast<uint32_t>(KindEmpty));
  EXPECT_EQ(g.hintMarkCount, 0u);
  EXPECT_EQ(PaintRecorded(451, 451).fill[CellAt(2, 2)], PaletteColour(7));
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c] != 0) continue;
    const QRect r = box.cell[c];
    QString shown;
    for (const Recorder::Text& t : box.texts[c]) {
      uint32_t d = 1;
      while (d <= 9 && Glyph(d) != t.text) ++d;
      ASSERT_LE(d, 9u) << c << " " << t.text.toStdString();
      shown += QChar(u'0' + d);
      EXPECT_EQ(static_cast<int>((t.centre.x() - r.left()) * 3 / r.width()), static_cast<int>((d - 1) % 3)) << c;
      EXPECT_EQ(static_cast<int>((t.centre.y() - r.top()) * 3 / r.height()), static_cast<int>((d - 1) / 3)) << c;
    }
    EXPECT_EQ(shown, CandidateDigits(c)) << c;
  }
}

// The alternate view: every cell filled, and the engine's marks in the calculated digits' colour.
TEST_F(BoardPaint, TheAlternateViewShowsTheMarksOfEveryCell) {
  Prepare(true);
  g.alternateView = 1;
  uint32_t mark[81][9], count[81];
  AlternateViewMarks(mark, count);
  const Painted p = PaintRecorded(451, 451);
  uint32_t marked = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    EXPECT_EQ(p.fills[c], 1) << c;
    EXPECT_EQ(p.fill[c], PaletteColour(c == CellAt(4, 4) ? 6 : 7)) << c;
    QString expected;
    for (uint32_t m = 0; m < 9; ++m)
      if (mark[c][m]) expected += QChar(u'1' + m);
    marked += count[c] != 0;
    EXPECT_EQ(Joined(p.texts[c]), expected) << c;
    for (const Recorder::Text& t : p.texts[c]) EXPECT_EQ(t.pen, PaletteColour(4)) << c;
  }
  EXPECT_GT(marked, 40u);
  EXPECT_GT(count[80], 0u);  // the last cell has marks to show
}

}  // namespace
