#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Colours by family: singles blue, subsets and fish teal/purple, editing orange.
const QColor kBlue(40, 90, 180), kGreen(30, 140, 70), kTeal(0, 120, 130), kPurple(120, 60, 160),
    kOrange(200, 110, 20), kRed(190, 40, 50), kGrey(90, 90, 90);

void Badge(QPainter& p, const QColor& colour, const QString& text, int pixel) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  QFont f(QStringLiteral("Noto Sans CJK JP"));
  f.setPixelSize(pixel);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Grid(QPainter& p, const QColor& colour) {
  p.setPen(QPen(colour, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  for (int i = 1; i < 3; ++i) {
    p.drawLine(QPointF(1.5 + i * 13.0 / 3, 1.5), QPointF(1.5 + i * 13.0 / 3, 14.5));
    p.drawLine(QPointF(1.5, 1.5 + i * 13.0 / 3), QPointF(14.5, 1.5 + i * 13.0 / 3));
  }
}

void Draw(QPainter& p, uint32_t id) {
  switch (id) {
    case 950: {  // run the singles to their limit: fast forward
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      QPainterPath path;
      path.moveTo(2, 3); path.lineTo(8, 8); path.lineTo(2, 13); path.closeSubpath();
      path.moveTo(8, 3); path.lineTo(14, 8); path.lineTo(8, 13); path.closeSubpath();
      p.drawPath(path);
      break;
    }
    case 400: Badge(p, kBlue, QStringLiteral("S"), 11); break;
    case 390: Badge(p, kBlue, QStringLiteral("L"), 11); break;
    case 380: Badge(p, kBlue, QStringLiteral("B"), 11); break;
    case 430: {  // eraser
      p.translate(8, 8);
      p.rotate(-35);
      p.setPen(QPen(kGrey, 1));
      p.setBrush(QColor(240, 150, 170));
      p.drawRect(QRectF(-6.5, -3.5, 8, 7));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(1.5, -3.5, 5, 7));
      break;
    }
    case 310: {  // the candidate screen: a grid with small digits
      Grid(p, kGrey);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(3.7 + i * 4.33, 3.7 + i * 4.33), 1.2, 1.2);
      break;
    }
    case 260: Badge(p, kGrey, QStringLiteral("?"), 12); break;
    case 320: Badge(p, kOrange, QStringLiteral("消"), 11); break;
    case 360: Badge(p, kOrange, QStringLiteral("自"), 11); break;
    case 350: Badge(p, kOrange, QStringLiteral("入"), 11); break;
    case 1230: {  // undo: a curved arrow to the left
      p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      QPainterPath arc;
      arc.moveTo(4, 7);
      arc.cubicTo(7, 3, 14, 4, 13, 10);
      arc.cubicTo(12.5, 12, 11, 13, 9, 13);
      p.drawPath(arc);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      QPainterPath head;
      head.moveTo(1, 8); head.lineTo(6, 3.5); head.lineTo(7, 9.5); head.closeSubpath();
      p.drawPath(head);
      break;
    }
    case 840: {  // apply the result: a check mark
      p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
      break;
    }
    case 890: Badge(p, kTeal, QStringLiteral("LC"), 8); break;
    case 470: Badge(p, kPurple, QStringLiteral("SF"), 8); break;
    case 460: Badge(p, kPurple, QStringLiteral("XW"), 8); break;
    case 530: Badge(p, kTeal, QStringLiteral("H3"), 8); break;
    case 450: Badge(p, kTeal, QStringLiteral("N3"), 8); break;
    case 520: Badge(p, kTeal, QStringLiteral("H2"), 8); break;
    case 440: Badge(p, kTeal, QStringLiteral("N2"), 8); break;
    case 220: {  // save: a disk
      p.setPen(QPen(kBlue.darker(130), 1));
      p.setBrush(kBlue);
      p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(220, 225, 235));
      p.drawRect(QRectF(3.5, 9.5, 9, 5));
      break;
    }
    case 230: {  // load: a folder
      p.setPen(QPen(QColor(160, 120, 20), 1));
      p.setBrush(QColor(240, 200, 90));
      QPainterPath folder;
      folder.moveTo(1.5, 4.5); folder.lineTo(6, 4.5); folder.lineTo(7.5, 3); folder.lineTo(14.5, 3);
      folder.lineTo(14.5, 13.5); folder.lineTo(1.5, 13.5); folder.closeSubpath();
      p.drawPath(folder);
      p.setBrush(QColor(250, 220, 120));
      p.drawRect(QRectF(1.5, 6.5, 13, 7));
      break;
    }
    case 410: {  // completion check: a tick in a circle
      p.setPen(Qt::NoPen);
      p.setBrush(kRed);
      p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
      p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(4, 8), QPointF(7, 11), QPointF(12, 5)}));
      break;
    }
    default: Badge(p, kGrey, QString::number(id % 100), 7); break;
  }
}

QPixmap Render(uint32_t id, int scale, bool program) {
  QPixmap pixmap(16 * scale, 16 * scale);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(scale, scale);
  if (program) {
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    p.setBrush(QColor(120, 200, 255));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(5.8, 5.8, 4.4, 4.4));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.drawLine(QPointF(5.5, 1), QPointF(5.5, 15));
    p.drawLine(QPointF(10.5, 1), QPointF(10.5, 15));
    p.drawLine(QPointF(1, 5.5), QPointF(15, 5.5));
    p.drawLine(QPointF(1, 10.5), QPointF(15, 10.5));
  } else {
    Draw(p, id);
  }
  p.end();
  pixmap.setDevicePixelRatio(scale);
  return pixmap;
}

}  // namespace

QIcon ToolbarIcon(uint32_t id) {
  QIcon icon;
  icon.addPixmap(Render(id, 1, false));
  icon.addPixmap(Render(id, 2, false));
  return icon;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int scale : {1, 2, 4}) icon.addPixmap(Render(0, scale, true));
  return icon;
}
