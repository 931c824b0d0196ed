#include "ui/board_view.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "drivers/path.h"
#include "ui/fonts.h"

namespace {

enum Layout : uint32_t { LayoutBoard = 0, LayoutCandidates = 1, LayoutBox = 2, LayoutAlternate = 3 };

QColor TextColour(uint32_t kind) {
  const Settings& s = g.settings;
  switch (kind) {
    case KindGiven:
    case KindMarked: return PaletteColour(s.number);
    case KindInput: return PaletteColour(s.input);
    case KindAssumed: return PaletteColour(s.kari);
    default: return PaletteColour(s.calc);
  }
}

int32_t BackgroundRole(uint32_t cell, uint32_t layout) {
  const Settings& s = g.settings;
  const uint32_t cursor = CursorCell();
  int32_t role = cell == cursor ? s.cursor : g.board.kind[cell] == KindMarked ? s.number2 : s.bgc;
  const uint32_t here = g.board.value[cursor];
  if (g.sameDigitDisplay && cell != cursor && here != 0 && g.board.value[cell] == here) role = s.number2;
  if (HighlightFill()) role = g.board.value[cell] != 0 && g.board.value[cell] == HighlightDigit() ? s.number2 : s.bgc;
  if (layout == LayoutBox && g.board.kind[cell] == KindHint) role = s.number2;
  if (NextStepMarks()[cell]) role = s.number2;  // "次の一手": the step's cells
  return role;
}

// Candidates as half-width digits: up to four on one line; five as three over two; six or
// more as four over the rest. Each half-line is clipped to its half of the cell.
void DrawSmallDigits(QPainter& painter, const QRect& rect, const QString& digits) {
  const int n = static_cast<int>(digits.size());
  if (n == 0) return;
  if (n <= 4) {
    painter.drawText(rect, Qt::AlignCenter | Qt::TextDontClip, digits);
    return;
  }
  const int upper = n == 5 ? 3 : 4;
  const int half = rect.height() / 2;
  const QRect top(rect.left(), rect.top(), rect.width(), half);
  const QRect bottom(rect.left(), rect.top() + half, rect.width(), rect.height() - half);
  painter.save();
  painter.setClipRect(top);
  painter.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, digits.left(upper));
  painter.setClipRect(bottom);
  painter.drawText(bottom, Qt::AlignHCenter | Qt::AlignTop, digits.mid(upper));
  painter.restore();
}

}  // namespace

uint32_t CurrentLayout() {
  if (g.alternateView && g.screenMode == ModeCandidateScreen) return LayoutAlternate;
  if (!IsAnalysisMode()) return LayoutBoard;
  return g.settings.kohoDisplayMode == 1 ? LayoutBox : LayoutCandidates;
}

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(9 * 12 + 1, 9 * 12 + 1);
}

int BoardView::CellWidth() const { return (width() - 1) / 9; }
int BoardView::CellHeight() const { return (height() - 1) / 9; }

QRect BoardView::CellRect(uint32_t cell) const {
  const int cw = CellWidth(), ch = CellHeight();
  return QRect(static_cast<int>(ColumnOf(cell)) * cw + 1, static_cast<int>(RowOf(cell)) * ch + 1, cw, ch);
}

void BoardView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBoard(painter);
}

void BoardView::PaintBoard(QPainter& painter) {
  painter.fillRect(rect(), PaletteColour(g.settings.bgc));
  const uint32_t layout = CurrentLayout();
  if (layout == LayoutAlternate)
    PaintAlternate(painter);
  else
    PaintCells(painter, layout);
  PaintLines(painter);
  // A hint is shown once: the marks go back to empty cells after the box layout showed them.
  if (layout == LayoutBox && g.hintMarkCount != 0) {
    for (uint32_t c = 0; c < 81; ++c)
      if (g.board.kind[c] == KindHint) g.board.kind[c] = KindEmpty;
    g.hintMarkCount = 0;
  }
}

void BoardView::PaintCells(QPainter& painter, uint32_t layout) {
  const QFont& digitFont = VorelFont(FontDigit);
  const QFont& candidateFont = VorelFont(FontCandidate);
  for (uint32_t cell = 0; cell < 81; ++cell) {
    const QRect r = CellRect(cell);
    painter.fillRect(r, PaletteColour(BackgroundRole(cell, layout)));
    painter.setPen(TextColour(g.board.kind[cell]));
    const uint32_t value = g.board.value[cell];
    if (value != 0) {
      painter.setFont(digitFont);
      if (layout == LayoutBoard)
        painter.drawText(r.adjusted(0, 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop, Utf8(GlyphFor(value)));
      else if (layout == LayoutBox)
        painter.drawText(r, Qt::AlignCenter, Utf8(GlyphFor(value)));
      else
        painter.drawText(r, Qt::AlignCenter, QString::number(value));
      continue;
    }
    if (layout == LayoutBoard) continue;
    painter.setFont(candidateFont);
    if (layout == LayoutCandidates) {
      QString digits;
      for (uint32_t d = 0; d < 9; ++d)
        if (g.cand.flag[cell * 9 + d]) digits += QChar(u'1' + d);
      DrawSmallDigits(painter, r, digits);
      continue;
    }
    const int sw = r.width() / 3, sh = r.height() / 3;
    for (uint32_t d = 0; d < 9; ++d) {
      if (!g.cand.flag[cell * 9 + d]) continue;
      const QRect sub(r.left() + static_cast<int>(d % 3) * sw, r.top() + static_cast<int>(d / 3) * sh, sw, sh);
      painter.drawText(sub, Qt::AlignCenter | Qt::TextDontClip, Utf8(GlyphFor(d + 1)));
    }
  }
}

void BoardView::PaintAlternate(QPainter& painter) {
  uint32_t mark[81][9];
  uint32_t count[81];
  AlternateViewMarks(mark, count);
  painter.setFont(VorelFont(FontCandidate));
  const uint32_t cursor = CursorCell();
  for (uint32_t cell = 0; cell < 81; ++cell) {
    const QRect r = CellRect(cell);
    painter.fillRect(r, PaletteColour(cell == cursor ? g.settings.cursor : g.settings.bgc));
    if (count[cell] == 0) continue;
    QString digits;
    for (uint32_t m = 0; m < 9; ++m)
      if (mark[cell][m]) digits += QChar(u'1' + m);
    painter.setPen(PaletteColour(g.settings.calc));
    DrawSmallDigits(painter, r, digits);
  }
}

void BoardView::PaintLines(QPainter& painter) {
  const int cw = CellWidth(), ch = CellHeight();
  const int right = 9 * cw, bottom = 9 * ch;
  QPen cellPen(PaletteColour(g.settings.line2), 2);
  QPen blockPen(PaletteColour(g.settings.line), 2);
  painter.setPen(cellPen);
  for (int i = 1; i <= 8; ++i) {
    if (i % 3 == 0) continue;
    painter.drawLine(i * cw, 0, i * cw, bottom);
    painter.drawLine(0, i * ch, right, i * ch);
  }
  painter.setPen(blockPen);
  for (int i = 0; i <= 9; i += 3) {
    painter.drawLine(i * cw, 0, i * cw, bottom);
    painter.drawLine(0, i * ch, right, i * ch);
  }
}

bool BoardView::CellAtPoint(const QPoint& p, uint32_t& row, uint32_t& column) const {
  const int cw = CellWidth(), ch = CellHeight();
  if (cw <= 0 || ch <= 0 || p.x() < 0 || p.y() < 0) return false;
  const int c = p.x() / cw, r = p.y() / ch;
  if (c > 8 || r > 8) return false;
  row = static_cast<uint32_t>(r);
  column = static_cast<uint32_t>(c);
  return true;
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  uint32_t row = 0, column = 0;
  if (!CellAtPoint(event->position().toPoint(), row, column) || !post) return;
  post([row, column] { SelectCell(row, column); });
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) return;
  uint32_t row = 0, column = 0;
  if (!CellAtPoint(event->position().toPoint(), row, column) || !post) return;
  const QPoint global = event->globalPosition().toPoint();
  post([this, row, column, global] {
    if (g.screenMode == ModeCandidateScreen) return;
    SelectCell(row, column);
    OpenDigitPopup(global);
  });
}

void BoardView::OpenDigitPopup(const QPoint& globalPos) {
  uint32_t digits[9];
  const uint32_t n = PopupDigits(digits);
  if (n == 0) return;
  QMenu menu(this);
  for (uint32_t i = 0; i < n; ++i) {
    QAction* action = menu.addAction(Utf8(GlyphFor(digits[i])));
    action->setData(620 + digits[i]);
  }
  QAction* chosen = menu.exec(globalPos);
  if (chosen) RunCommand(chosen->data().toUInt());
}
