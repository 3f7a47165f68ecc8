#include "librarian/toolicons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace {
const QColor kInk(0x26, 0x32, 0x38);

QPixmap Canvas() {
  QPixmap pixmap(40, 40);
  pixmap.setDevicePixelRatio(2.0);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A sheet with a folded corner at (x, y), 12 x 15.
void Sheet(QPainter& p, qreal x, qreal y, const QColor& fill) {
  QPolygonF sheet({{x, y}, {x + 8, y}, {x + 12, y + 4}, {x + 12, y + 15}, {x, y + 15}});
  p.setBrush(fill);
  p.drawPolygon(sheet);
  p.drawPolyline(QPolygonF({{x + 8, y}, {x + 8, y + 4}, {x + 12, y + 4}}));
}

QIcon Drawn(TToolIcon which) {
  QPixmap pixmap = Canvas();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1.2));
  switch (which) {
    case TToolIcon::SaveAll:
      for (int i = 1; i >= 0; --i) {
        const qreal o = i * 4;
        p.setBrush(QColor(0x42, 0x7A, 0xC8));
        p.drawRoundedRect(QRectF(1.5 + o, 1.5 + o, 13, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4 + o, 2 + o, 8, 5));
      }
      break;
    case TToolIcon::Print:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5.5, 1.5, 9, 7));
      p.setBrush(QColor(0x90, 0xA4, 0xAE));
      p.drawRoundedRect(QRectF(1.5, 7.5, 17, 7), 1.5, 1.5);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5.5, 12.5, 9, 6));
      break;
    case TToolIcon::Monitor:
      p.setBrush(Qt::black);
      p.drawRoundedRect(QRectF(1.5, 2.5, 17, 12), 1.5, 1.5);
      p.setPen(QPen(QColor(0x7C, 0xFC, 0x00), 1.2));
      p.drawLine(QPointF(4, 6), QPointF(12, 6));
      p.drawLine(QPointF(4, 9), QPointF(15, 9));
      p.drawLine(QPointF(4, 12), QPointF(10, 12));
      p.setPen(QPen(kInk, 1.2));
      p.drawLine(QPointF(10, 14.5), QPointF(10, 17.5));
      p.drawLine(QPointF(6, 17.5), QPointF(14, 17.5));
      break;
    case TToolIcon::Keyboard:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(1.5, 4.5, 17, 11));
      for (qreal x : {5.75, 10.0, 14.25}) p.drawLine(QPointF(x, 4.5), QPointF(x, 15.5));
      p.setBrush(kInk);
      for (qreal x : {4.5, 8.75, 13.0}) p.drawRect(QRectF(x, 4.5, 2.5, 6));
      break;
    case TToolIcon::New:
      Sheet(p, 4, 2, Qt::white);
      break;
    case TToolIcon::Help: {
      p.setBrush(QColor(0x42, 0x7A, 0xC8));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
      QFont font = p.font();
      font.setPixelSize(13);
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(1.5, 1.5, 17, 17), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case TToolIcon::Exit:
      // A door left open with an arrow leaving through it.
      p.setBrush(QColor(0xEC, 0xEF, 0xF1));
      p.drawRect(QRectF(2.5, 1.5, 9, 17));
      p.setPen(QPen(QColor(0xC6, 0x28, 0x28), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawLine(QPointF(8, 10), QPointF(17.5, 10));
      p.drawPolyline(QPolygonF({{14, 6.5}, {17.5, 10}, {14, 13.5}}));
      break;
    default:
      break;
  }
  p.end();
  return QIcon(pixmap);
}
}  // namespace

QIcon ToolIcon(TToolIcon which) {
  QStyle* style = QApplication::style();
  auto themed = [style](const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), style->standardIcon(fallback));
  };
  switch (which) {
    case TToolIcon::New:
      return QIcon::fromTheme(QStringLiteral("document-new"), Drawn(which));
    case TToolIcon::Open:
      return themed("document-open", QStyle::SP_DialogOpenButton);
    case TToolIcon::Save:
      return themed("document-save", QStyle::SP_DialogSaveButton);
    case TToolIcon::Help:
      return QIcon::fromTheme(QStringLiteral("help-contents"), Drawn(which));
    case TToolIcon::Exit:
      return QIcon::fromTheme(QStringLiteral("application-exit"), Drawn(which));
    case TToolIcon::Print:
      return QIcon::fromTheme(QStringLiteral("document-print"), Drawn(which));
    default:
      return Drawn(which);
  }
}
