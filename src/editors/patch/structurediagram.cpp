#include "editors/patch/structurediagram.h"

#include <initializer_list>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace {
const QColor kAqua(0x00, 0xFF, 0xFF);

QFont SmallFont(int points) {
  QFont font(QStringLiteral("Small Fonts"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(points);
  return font;
}

// Geometry of one picture: the left margin L, the centre M, the right edge R and the rows.
struct TFrame {
  int L, M, R, H;
  int Upper() const { return 11; }       // top of the upper row's boxes
  int Lower() const { return H - 22; }   // top of the lower row's boxes
  int UpperLine() const { return 16; }
  int LowerLine() const { return H - 17; }
  int Join() const { return H - 29; }    // joining points
  int Middle() const { return H - 35; }  // top of the booster and ring modulator boxes
};

class TDiagram {
 public:
  TDiagram(QPainter& painter, const TFrame& f) : p_(painter), f_(f) {}

  void Line(std::initializer_list<QPoint> points) {
    p_.drawPolyline(QPolygon(QList<QPoint>(points)));
  }
  // A labelled box: WG, TVF and TVA are 19 x 12, B and R 11 x 14.
  void Box(const char* label, int x, int y) {
    const bool small = label[0] == 'B' || label[0] == 'R';
    const QRect box(x, y, small ? 11 : 19, small ? 14 : 12);
    p_.fillRect(box, kAqua);
    p_.drawRect(box.adjusted(0, 0, -1, -1));
    p_.drawText(box, Qt::AlignCenter, QString::fromLatin1(label));
  }
  void Row(int y, int wg, int tvf, int tva) {
    Box("WG", wg, y);
    Box("TVF", tvf, y);
    Box("TVA", tva, y);
  }

 private:
  QPainter& p_;
  const TFrame& f_;
};

// Types 2 to 6 (values 1 to 5) share the boxes and most lines.
void JoinedLines(TDiagram& d, const TFrame& f, bool boosterAfterFilter) {
  const int u = f.UpperLine(), l = f.LowerLine(), j = f.Join();
  d.Line({{f.L + 3, u}, {f.L + 30, u}});
  d.Line({{f.L + 3, l}, {f.L + 44, l}});
  d.Line({{f.R - 8, l}, {f.R - 34, l}});
  d.Line({{f.L + 44, u}, {f.L + 53, j}, {f.L + 61, j}, {f.M - 10, u}});
  if (boosterAfterFilter) {
    d.Line({{f.M + 8, u}, {f.M + 16, j}});
    d.Line({{f.M + 26, j}, {f.R - 47, l}});
  } else {
    d.Line({{f.M + 9, u}, {f.R - 47, l}});
  }
  d.Line({{f.L + 53, j}, {f.L + 43, l}});
}

void JoinedBoxes(TDiagram& d, const TFrame& f) {
  d.Box("WG", f.L + 3, f.Upper());
  d.Box("TVA", f.L + 25, f.Upper());
  d.Box("TVF", f.M - 10, f.Upper());
  d.Row(f.Lower(), f.L + 3, f.R - 47, f.R - 25);
}

// Types 7 to 10 (values 6 to 9): the upper chain and the lower WG meet in a ring modulator at
// ring; Types 9 and 10 keep the lower TVF before it.
void RingChain(TDiagram& d, const TFrame& f, int ring, bool lowerFilterFirst, bool direct) {
  const int u = f.UpperLine(), l = f.LowerLine(), j = f.Join();
  if (direct) d.Line({{f.R - 12, l}, {f.L + 3, l}});
  d.Line({{f.L + 3, u}, {f.L + 60, u}});
  d.Line({{f.L + 3, l}, {f.L + 66, l}, {f.L + ring, j}, {f.L + 65, u}});
  if (lowerFilterFirst) {
    d.Line({{f.L + ring, j}, {f.L + ring + 16, j}, {f.R - 25, l}});
  } else {
    d.Line({{f.L + ring, j}, {f.L + ring + 16, j}, {f.R - 47, l}});
    d.Line({{f.R - 17, l}, {f.R - 44, l}});
  }
  d.Row(f.Upper(), f.L + 3, f.L + 25, f.L + 47);
  d.Box("R", f.L + ring, f.Middle());
  if (lowerFilterFirst)
    d.Row(f.Lower(), f.L + 3, f.L + 25, f.R - 25);
  else
    d.Row(f.Lower(), f.L + 3, f.R - 47, f.R - 25);
}
}  // namespace

void StructureDiagram(QPainter& painter, QSize size, int type, int firstTone) {
  const int width = size.width();
  const int height = size.height();
  painter.save();
  painter.fillRect(QRect(QPoint(0, 0), size), kAqua);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.setFont(SmallFont(6));
  const QFontMetrics metrics(painter.font());
  // Texts are placed by their top left corner.
  painter.drawText(8, 11 + metrics.ascent(), QStringLiteral("Tone %1").arg(firstTone));
  painter.drawText(8, height - 22 + metrics.ascent(), QStringLiteral("Tone %1").arg(firstTone + 1));

  TFrame f;
  f.L = metrics.horizontalAdvance(QStringLiteral("Tone 1 ")) + 9;
  const int w = width - f.L - 4;
  f.M = f.L + w / 2;
  f.R = width;
  f.H = height;
  painter.drawLine(f.L, 8, f.L, 25);
  painter.drawLine(f.L, height - 25, f.L, height - 8);

  painter.setFont(SmallFont(4));
  TDiagram d(painter, f);
  switch (type) {
    case 0:
      d.Line({{f.L + 3, f.UpperLine()}, {f.R - 8, f.UpperLine()}});
      d.Line({{f.L + 3, f.LowerLine()}, {f.R - 8, f.LowerLine()}});
      d.Row(f.Upper(), f.L + 3, f.M - 10, f.R - 25);
      d.Row(f.Lower(), f.L + 3, f.M - 10, f.R - 25);
      break;
    case 1:
    case 2:
    case 4:
    case 5:
      JoinedLines(d, f, false);
      if (type == 5)
        d.Line({{f.L + 43, f.LowerLine()}, {f.L + 67, f.LowerLine()}, {f.L + 67, 19}});
      JoinedBoxes(d, f);
      if (type == 2) d.Box("B", f.L + 52, f.Middle());
      if (type == 4 || type == 5) d.Box("R", f.L + 52, f.Middle());
      break;
    case 3:
      JoinedLines(d, f, true);
      JoinedBoxes(d, f);
      d.Box("B", f.M + 16, f.Middle());
      break;
    case 6:
    case 7:
      RingChain(d, f, 86, false, type == 7);
      break;
    case 8:
    case 9:
      RingChain(d, f, 94, true, type == 9);
      break;
    default:
      break;
  }
  painter.restore();
}
