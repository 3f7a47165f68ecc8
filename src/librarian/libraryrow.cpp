#include "librarian/libraryrow.h"

#include <array>
#include <cmath>

#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include "model/libelem.h"

QDateTime DayTimeToDateTime(double date, double time) {
  static const QDate kDayZero(1899, 12, 30);
  // A damaged record may hold any double; keep the result a valid date-time.
  if (!std::isfinite(date) || std::abs(date) > 3.0e6) date = 0;
  if (!std::isfinite(time)) time = 0;
  const double fraction = time - std::floor(time);
  const auto ms = static_cast<int>(std::llround(fraction * 86400000.0)) % 86400000;
  return QDateTime(kDayZero.addDays(static_cast<qint64>(std::floor(date))),
                   QTime::fromMSecsSinceStartOfDay(ms));
}

QString DateTimeText(const QDateTime& when) {
  const QLocale locale;
  return locale.toString(when.date(), QLocale::ShortFormat) + QStringLiteral("  ") +
         locale.toString(when.time(), QLocale::ShortFormat);
}

QString ModifiedText(const TLibElem& element) {
  return DateTimeText(DayTimeToDateTime(element.ModifiedDate, element.ModifiedTime));
}

QString OwnerPath(const TLibElem& element) {
  const TLibElem* owner = element.Owner;
  if (!owner) return QString();
  if (owner->Owner && owner->Owner->Owner)
    return owner->Owner->GetName() + QLatin1Char('\\') + owner->GetName();
  return owner->GetName();
}

bool WideKindIcon(int kind) {
  return kind == ekPatchBank || kind == ekPerformanceBank || kind == ekRhythmBank ||
         kind == ekGlobal;
}

namespace {
// One card of a kind in a 16 x 16 cell at x: a rounded coloured square with its emblem.
const std::array<QColor, 4> kCardColours = {QColor(0x2e, 0x6f, 0xd0), QColor(0x2e, 0x9a, 0x4f),
                                            QColor(0xe0, 0x7b, 0x1a), QColor(0x70, 0x70, 0x78)};

void DrawCard(QPainter& p, int x, int single) {
  const QColor colour = kCardColours[static_cast<std::size_t>(single)];
  p.setPen(QPen(colour.darker(140), 1));
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(x + 1.5, 1.5, 13, 13), 2.5, 2.5);
  p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  switch (single) {
    case 0: {  // patch: one sound, a wave
      QPainterPath wave;
      wave.moveTo(x + 4, 8);
      wave.cubicTo(x + 5.5, 3, x + 6.5, 3, x + 8, 8);
      wave.cubicTo(x + 9.5, 13, x + 10.5, 13, x + 12, 8);
      p.drawPath(wave);
      break;
    }
    case 1:  // performance: several parts, mixer faders
      for (int i = 0; i < 3; ++i) {
        const double fx = x + 5 + i * 3;
        p.drawLine(QPointF(fx, 4.5), QPointF(fx, 11.5));
      }
      p.setBrush(Qt::white);
      p.drawRect(QRectF(x + 4.3, 9, 1.4, 1));
      p.drawRect(QRectF(x + 7.3, 5.5, 1.4, 1));
      p.drawRect(QRectF(x + 10.3, 7.5, 1.4, 1));
      break;
    case 2:  // rhythm: a drum
      p.drawEllipse(QRectF(x + 4, 4.5, 8, 3.5));
      p.drawLine(QPointF(x + 4, 6.2), QPointF(x + 4, 10.5));
      p.drawLine(QPointF(x + 12, 6.2), QPointF(x + 12, 10.5));
      p.drawArc(QRectF(x + 4, 8.8, 8, 3.5), 180 * 16, 180 * 16);
      break;
    default:  // system: a gear
      p.drawEllipse(QRectF(x + 5.5, 5.5, 5, 5));
      for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(QPointF(x + 8 + 3.2 * std::cos(a), 8 + 3.2 * std::sin(a)),
                   QPointF(x + 8 + 4.6 * std::cos(a), 8 + 4.6 * std::sin(a)));
      }
      break;
  }
}

QPixmap DrawIcon(int kind) {
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  const int width = WideKindIcon(kind) ? 32 : 16;
  QPixmap pixmap(QSize(width, 16) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case ekPatch:
    case ekPerformance:
    case ekRhythm:
    case ekSystem:
      DrawCard(p, 0, kind / 2);
      break;
    case ekGlobal:  // everything the instrument holds: one card of each kind
      for (int i = 0; i < 4; ++i) DrawCard(p, i * 5, 3 - i);
      break;
    default:  // a bank: a pile of cards of its kind
      for (int i = 0; i < 3; ++i) DrawCard(p, i * 8, kind / 2);
      break;
  }
  return pixmap;
}
}  // namespace

QPixmap KindIcon(int kind) {
  if (kind < 0 || kind >= kKindCount) return QPixmap();
  static std::array<QPixmap, kKindCount> cache;
  static qreal cachedRatio = 0;
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  if (ratio != cachedRatio) {
    for (auto& icon : cache) icon = QPixmap();
    cachedRatio = ratio;
  }
  QPixmap& icon = cache[static_cast<std::size_t>(kind)];
  if (icon.isNull()) icon = DrawIcon(kind);
  return icon;
}
