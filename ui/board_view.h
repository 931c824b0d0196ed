// The board area of the main window: paints the board view, the candidate screen (normal and
// box layout) and the alternate candidate view from the engine state, and turns clicks into
// cell selections and the digit pop-up.
#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>

class BoardView : public QWidget {
  Q_OBJECT
 public:
  explicit BoardView(QWidget* parent = nullptr);
  // Cell geometry of the current size: cell width and height, the board's top-left at (0,0).
  int CellWidth() const;
  int CellHeight() const;
  QRect CellRect(uint32_t cell) const;
  // Where an action from the mouse goes (the window queues it behind a running command).
  std::function<void(std::function<void()>)> post;
  // Paint the current layout into any device (the window, an image for tests and timings).
  void PaintBoard(QPainter& painter);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool CellAtPoint(const QPoint& p, uint32_t& row, uint32_t& column) const;
  void PaintCells(QPainter& painter, uint32_t layout);
  void PaintAlternate(QPainter& painter);
  void PaintLines(QPainter& painter);
  void OpenDigitPopup(const QPoint& globalPos);
};

// What the board area shows now: 0 board view, 1 candidate screen, 2 box layout, 3 alternate.
uint32_t CurrentLayout();
