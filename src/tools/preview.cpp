#include "tools/preview.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "midi/config.h"
#include "tools/audition.h"

namespace {
bool auditionShown = false;

int PreviewNote() {
  const std::function<int()>& hook = PreviewNoteHook();
  const int note = hook ? hook() : -1;
  return std::clamp(note >= 0 ? note : Config().PreviewNote, 0, 127);
}

// A cursor picture drawn at twice the size, so it stays sharp on high-density screens.
QPixmap CursorCanvas() {
  QPixmap pixmap(64, 64);
  pixmap.setDevicePixelRatio(2.0);
  pixmap.fill(Qt::transparent);
  return pixmap;
}
}  // namespace

std::function<int()>& PreviewNoteHook() {
  static std::function<int()> hook;
  return hook;
}

QCursor AuditionCursor() {
  QPixmap pixmap = CursorCanvas();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // A loudspeaker with two sound waves, outlined in white so it reads on any background.
  QPainterPath speaker;
  speaker.moveTo(3, 12);
  speaker.lineTo(8, 12);
  speaker.lineTo(14, 6);
  speaker.lineTo(14, 26);
  speaker.lineTo(8, 20);
  speaker.lineTo(3, 20);
  speaker.closeSubpath();
  p.setPen(QPen(Qt::white, 3));
  p.drawPath(speaker);
  p.fillPath(speaker, Qt::black);
  for (int r : {6, 11}) {
    const QRectF arc(14 - r, 16 - r, 2 * r, 2 * r);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(arc, -45 * 16, 90 * 16);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(arc, -45 * 16, 90 * 16);
  }
  p.end();
  return QCursor(pixmap, 3, 16);
}

QCursor DragCursor() {
  QPixmap pixmap = CursorCanvas();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // An arrow carrying a small sheet: elements on the way to another window.
  QPainterPath arrow;
  arrow.moveTo(1, 1);
  arrow.lineTo(1, 17);
  arrow.lineTo(5, 13);
  arrow.lineTo(8, 20);
  arrow.lineTo(10, 19);
  arrow.lineTo(7, 12);
  arrow.lineTo(12, 12);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(Qt::black);
  p.drawPath(arrow);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(14.5, 16.5, 12, 9));
  p.drawLine(QPointF(16.5, 19.5), QPointF(24.5, 19.5));
  p.drawLine(QPointF(16.5, 22.5), QPointF(22.5, 22.5));
  p.end();
  return QCursor(pixmap, 1, 1);
}

bool AuditionCursorShown() {
  return auditionShown;
}

void ShowAuditionCursor() {
  if (!auditionShown) QGuiApplication::setOverrideCursor(AuditionCursor());
  auditionShown = true;
}

void StartPreview() {
  ShowAuditionCursor();
  TAudition::Instance().Start(PreviewNote());
}

void StopPreview() {
  if (auditionShown) QGuiApplication::restoreOverrideCursor();
  auditionShown = false;
  // The note started is the one ended: the window or key in front may have changed meanwhile.
  TAudition::Instance().Stop();
}
