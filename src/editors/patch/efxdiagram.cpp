#include "editors/patch/efxdiagram.h"

#include <algorithm>
#include <initializer_list>

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

const QColor kAqua(0, 255, 255);

QFont SmallFont() {
  QFont font(QStringLiteral("Sans Serif"));
  font.setPixelSize(9);
  return font;
}

// The symbols of the block diagrams, in the picture's own pixels.
class TSketch {
 public:
  explicit TSketch(QPainter& painter) : p_(painter) {
    p_.setPen(QPen(Qt::black, 1));
    p_.setFont(SmallFont());
  }

  // A polyline through the points.
  void Line(std::initializer_list<QPoint> points) {
    const QPolygon line(points);
    p_.drawPolyline(line);
  }
  // A rectangle with its label centred.
  void Box(int x, int y, int w, int h, const char* label) {
    p_.setBrush(Qt::white);
    p_.drawRect(x, y, w, h);
    p_.drawText(QRect(x, y, w + 1, h + 1), Qt::AlignCenter, QString::fromLatin1(label));
    p_.setBrush(Qt::NoBrush);
  }
  // A summing point: a circle 7 pixels across with a cross.
  void Sum(int x, int y) {
    p_.setBrush(kAqua);
    p_.drawEllipse(QPointF(x, y), 3.5, 3.5);
    p_.setBrush(Qt::NoBrush);
    p_.drawLine(x - 3, y, x + 3, y);
    p_.drawLine(x, y - 3, x, y + 3);
  }
  // A branch dot: a filled circle 5 pixels across.
  void Dot(int x, int y) {
    p_.setBrush(Qt::black);
    p_.drawEllipse(QPointF(x, y), 2.5, 2.5);
    p_.setBrush(Qt::NoBrush);
  }
  // A pan: an arc of radius 12 opening to the right whose leftmost point is (x, y); its ends
  // (x + 5, y - 11) and (x + 5, y + 11) feed the two outputs.
  void Pan(int x, int y) {
    p_.drawArc(QRectF(x, y - 12, 24, 24), 122 * 16, 116 * 16);
    p_.drawText(QPoint(x + 17, y + 3), QStringLiteral("Pan"));
  }
  // A level mark: a small circle crossed by a rising arrow.
  void Level(int x, int y) {
    p_.setBrush(kAqua);
    p_.drawEllipse(QPointF(x, y), 4, 4);
    p_.setBrush(Qt::NoBrush);
    p_.drawLine(x - 6, y + 6, x + 6, y - 6);
    p_.drawLine(x + 6, y - 6, x + 2, y - 5);
    p_.drawLine(x + 6, y - 6, x + 5, y - 2);
  }
  // Open triangles: pointing right (its tip at x), left (its tip at x), down and up.
  void ArrowRight(int x, int y) { Triangle({{x - 6, y - 3}, {x, y}, {x - 6, y + 3}}); }
  void ArrowLeft(int x, int y) { Triangle({{x + 6, y - 3}, {x, y}, {x + 6, y + 3}}); }
  void ArrowDown(int x, int y) { Triangle({{x - 3, y - 3}, {x, y + 3}, {x + 3, y - 3}}); }
  void ArrowUp(int x, int y) { Triangle({{x - 3, y + 3}, {x, y - 3}, {x + 3, y + 3}}); }
  // "L" and "R" at the left of the two channels.
  void Channels(int upper, int lower) {
    p_.drawText(QRect(4, upper - 6, 10, 12), Qt::AlignCenter, QStringLiteral("L"));
    p_.drawText(QRect(4, lower - 6, 10, 12), Qt::AlignCenter, QStringLiteral("R"));
  }
  // An output: the line from x to 247 with its arrowhead.
  void Output(int x, int y) {
    Line({{x, y}, {247, y}});
    ArrowRight(247, y);
  }

 private:
  void Triangle(std::initializer_list<QPoint> points) {
    p_.setBrush(kAqua);
    p_.drawPolygon(QPolygon(points));
    p_.setBrush(Qt::NoBrush);
  }

  QPainter& p_;
};

// Items 2 to 5, 7 to 12: both inputs meet at (60, 55) and one chain runs along y 55.
void MonoInputs(TSketch& s, bool dotAtJoin) {
  s.Channels(30, 81);
  s.Line({{20, 30}, {40, 30}, {60, 55}});
  s.Line({{20, 81}, {40, 81}, {60, 55}});
  if (dotAtJoin)
    s.Dot(60, 55);
  else
    s.Sum(60, 55);
}

// Items 2 to 5, 9, 10: the chain's boxes, then the pan to both outputs.
void MonoChain(TSketch& s, bool dotAtJoin, std::initializer_list<QPair<QRect, const char*>> boxes) {
  MonoInputs(s, dotAtJoin);
  s.Line({{60, 55}, {213, 55}});
  for (const auto& [r, label] : boxes) s.Box(r.x(), r.y(), r.width(), r.height(), label);
  s.Pan(213, 55);
  s.Line({{218, 44}, {227, 30}});
  s.Line({{218, 66}, {227, 81}});
  s.Output(227, 30);
  s.Output(227, 81);
}

// Items 7, 8, 11, 12: the chain ends in a branch dot that feeds both outputs.
void BranchedChain(TSketch& s, int x, int y, int w, int h, const char* label, bool dry) {
  MonoInputs(s, false);
  s.Line({{60, 55}, {213, 55}});
  s.Box(x, y, w, h, label);
  s.Dot(213, 55);
  s.Line({{213, 55}, {227, 30}});
  s.Line({{213, 55}, {227, 81}});
  if (dry) {
    s.Line({{40, 30}, {227, 30}});
    s.Line({{40, 81}, {227, 81}});
    s.Dot(40, 30);
    s.Dot(40, 81);
    s.Sum(227, 30);
    s.Sum(227, 81);
    s.Output(231, 30);
    s.Output(231, 81);
  } else {
    s.Output(227, 30);
    s.Output(227, 81);
  }
}

// Two channels straight across at y 30 and 81 from x to 247.
void StraightChannels(TSketch& s, int x) {
  s.Channels(30, 81);
  s.Output(x, 30);
  s.Output(x, 81);
}

// The "EQ" boxes after the summing points at (187, 30) and (187, 81) of items 13 to 25.
void SumsAndEq(TSketch& s, int upper, int lower, int height) {
  s.Sum(187, upper);
  s.Sum(187, lower);
  s.Box(197, upper - 10, 30, height, "EQ");
  s.Box(197, lower - 10, 30, height, "EQ");
}

// Items 13 to 16: one stereo effect fed from the channels, mixed back before the EQ.
void StereoEffect(TSketch& s, const char* upper, const char* lower) {
  StraightChannels(s, 20);
  s.Line({{40, 30}, {60, 45}, {80, 45}});
  s.Line({{40, 81}, {60, 66}, {80, 66}});
  s.Line({{149, 45}, {169, 45}, {187, 30}});
  s.Line({{149, 66}, {169, 66}, {187, 81}});
  if (lower) {
    s.Box(80, 37, 70, 18, upper);
    s.Box(80, 58, 70, 18, lower);
  } else {
    s.Line({{80, 45}, {80, 66}});
    s.Box(80, 40, 70, 32, upper);
  }
  s.Dot(40, 30);
  s.Dot(40, 81);
  SumsAndEq(s, 30, 81, 22);
}

// Items 17, 18: two delays with their feedback, straight or crossed.
void StereoDelay(TSketch& s, bool cross) {
  s.Channels(15, 96);
  s.Output(20, 15);
  s.Output(20, 96);
  s.Line({{40, 15}, {60, 30}, {80, 30}});
  s.Line({{40, 96}, {60, 81}, {80, 81}});
  s.Line({{149, 30}, {169, 30}, {187, 15}});
  s.Line({{149, 81}, {169, 81}, {187, 96}});
  s.Line({{70, 30}, {70, 45}});
  s.Line({{160, 30}, {160, 45}});
  s.Line({{70, 81}, {70, 66}});
  s.Line({{160, 81}, {160, 66}});
  if (cross) {
    s.Line({{70, 45}, {160, 66}});
    s.Line({{70, 66}, {160, 45}});
    s.ArrowDown(160, 42);
    s.ArrowUp(160, 69);
  } else {
    s.Line({{70, 45}, {160, 45}});
    s.Line({{70, 66}, {160, 66}});
    s.ArrowLeft(110, 45);
    s.ArrowLeft(110, 66);
  }
  s.Box(80, 22, 70, 18, "Delay");
  s.Box(80, 73, 70, 18, "Delay");
  s.Dot(40, 15);
  s.Dot(40, 96);
  s.Sum(70, 30);
  s.Sum(70, 81);
  s.Dot(160, 30);
  s.Dot(160, 81);
  s.Level(187, 15);
  s.Level(187, 96);
  s.Box(197, 6, 30, 20, "EQ");
  s.Box(197, 87, 30, 20, "EQ");
}

// Items 19, 20: the inputs joined at x 40, a delay line with feedback along the lower channel
// and taps above it.
void TapInputs(TSketch& s, int upper, int lower, int line) {
  s.Channels(upper, lower);
  s.Line({{20, upper}, {227, upper}});
  s.Line({{20, lower}, {227, lower}});
  s.Output(231, upper);
  s.Output(231, lower);
  s.Line({{40, upper}, {40, lower}});
  s.Line({{40, line}, {180, line}});
  s.Line({{53, line}, {53, line + 15}, {160, line + 15}, {160, line}});
  s.ArrowLeft(110, line + 15);
}

void TripleTap(TSketch& s) {
  TapInputs(s, 10, 101, 81);
  s.Line({{65, 81}, {65, 25}, {180, 25}});
  s.Line({{65, 53}, {174, 53}, {200, 90}});
  s.Line({{180, 81}, {180, 25}});  // the centre tap to the left output
  s.Line({{180, 81}, {200, 90}});  // and to the right one
  s.Line({{180, 25}, {227, 10}});
  s.Line({{200, 90}, {227, 101}});
  s.Box(75, 73, 70, 18, "Center Tap");
  s.Box(90, 17, 70, 18, "Left Tap");
  s.Box(90, 45, 70, 18, "RightTap");
  s.Dot(40, 10);
  s.Dot(40, 101);
  s.Sum(40, 81);
  s.Sum(53, 81);
  s.Dot(65, 81);
  s.Dot(65, 53);
  s.Dot(160, 81);
  s.Dot(180, 81);
  s.Sum(180, 25);
  s.Sum(200, 90);
  s.Sum(227, 10);
  s.Sum(227, 101);
}

void QuadrupleTap(TSketch& s) {
  TapInputs(s, 8, 103, 83);
  s.Line({{65, 83}, {65, 23}});
  const int taps[] = {23, 43, 63, 83};
  for (int y : taps) {
    if (y != 83) s.Line({{65, y}, {180, y}});
    s.Line({{180, y}, {205, y}});
  }
  // Every tap reaches both outputs through one bus.
  s.Line({{205, 23}, {205, 83}});
  s.Line({{205, 23}, {227, 8}});
  s.Line({{205, 83}, {227, 103}});
  s.Box(75, 75, 70, 18, "Delay 1");
  s.Box(90, 15, 70, 18, "Delay 4");
  s.Box(90, 35, 70, 18, "Delay 3");
  s.Box(90, 55, 70, 18, "Delay 2");
  s.Dot(40, 8);
  s.Dot(40, 103);
  s.Sum(40, 83);
  s.Sum(53, 83);
  for (int y : {43, 63, 83}) s.Dot(65, y);
  s.Dot(160, 83);
  for (int y : taps) {
    s.Level(180, y);
    s.Dot(205, y);
  }
  s.Sum(227, 8);
  s.Sum(227, 103);
}

// Items 21, 23: one mono effect between the channels; 23 feeds back around it.
void MonoBetweenChannels(TSketch& s, const char* label, bool feedback) {
  StraightChannels(s, 20);
  s.Line({{40, 30}, {60, 55}});
  s.Line({{40, 81}, {60, 55}});
  s.Line({{60, 55}, {165, 55}});
  s.Line({{165, 55}, {187, 30}});
  s.Line({{165, 55}, {187, 81}});
  if (feedback) {
    s.Line({{70, 55}, {70, 75}, {157, 75}, {157, 55}});
    s.ArrowLeft(110, 75);
  }
  s.Box(80, 45, 70, 22, label);
  s.Dot(40, 30);
  s.Dot(40, 81);
  s.Sum(60, 55);
  if (feedback) {
    s.Sum(70, 55);
    s.Dot(157, 55);
  }
  s.Dot(165, 55);
  SumsAndEq(s, 30, 81, 22);
}

void PitchShifter(TSketch& s) {
  s.Channels(20, 91);
  s.Line({{20, 20}, {227, 20}});
  s.Line({{20, 91}, {227, 91}});
  s.Output(231, 20);
  s.Output(231, 91);
  s.Line({{40, 20}, {60, 55}, {80, 55}});
  s.Line({{40, 91}, {60, 55}});
  s.Line({{80, 55}, {90, 41}, {100, 41}});
  s.Line({{80, 55}, {90, 71}, {100, 71}});
  // Each shifter reaches both outputs through one bus.
  s.Line({{180, 41}, {200, 41}, {200, 71}, {180, 71}});
  s.Line({{200, 41}, {227, 20}});
  s.Line({{200, 71}, {227, 91}});
  s.Box(100, 30, 80, 22, "Pitch 1");
  s.Box(100, 60, 80, 22, "Pitch 2");
  s.Dot(40, 20);
  s.Dot(40, 91);
  s.Sum(60, 55);
  s.Dot(80, 55);
  s.Dot(200, 41);
  s.Dot(200, 71);
  s.Sum(227, 20);
  s.Sum(227, 91);
}

void Reverb(TSketch& s, const char* label) {
  StraightChannels(s, 20);
  s.Line({{40, 30}, {60, 55}});
  s.Line({{40, 81}, {60, 55}});
  s.Line({{60, 55}, {80, 55}});
  s.Line({{150, 50}, {160, 50}, {187, 30}});
  s.Line({{150, 61}, {160, 61}, {187, 81}});
  s.Box(80, 45, 70, 22, label);
  s.Dot(40, 30);
  s.Dot(40, 81);
  s.Sum(60, 55);
  SumsAndEq(s, 30, 81, 22);
}

// The second stage's output into the summing points at (x + 17, 30) and (x + 17, 81), from a box
// whose right edge is at x.
void StageOutput(TSketch& s, int x) {
  s.Line({{x, 50}, {x + 10, 50}, {x + 17, 30}});
  s.Line({{x, 61}, {x + 10, 61}, {x + 17, 81}});
  s.Sum(x + 17, 30);
  s.Sum(x + 17, 81);
}

// Items 26 to 31: two stages on the mono signal; the first stage's output also reaches the
// outputs directly.
void TwoStageMono(TSketch& s, int item) {
  const bool overdrive = item <= 28;
  const int second = (item - 26) % 3;
  const char* seconds[] = {"Chorus", "Flanger", "Delay"};
  MonoInputs(s, item <= 27);
  s.Line({{60, 55}, {150, 55}});
  s.Line({{140, 55}, {150, 30}});
  s.Line({{140, 55}, {150, 81}});
  s.Output(150, 30);
  s.Output(150, 81);
  s.Box(70, 45, 60, 22, overdrive ? "Overdrive" : "Distorsore");
  s.Box(150, 45, 60, 22, seconds[second]);
  s.Dot(140, 55);
  StageOutput(s, 210);
}

void EnhancerThen(TSketch& s, const char* label) {
  StraightChannels(s, 20);
  s.Line({{140, 30}, {150, 55}});
  s.Line({{140, 81}, {150, 55}});
  s.Line({{150, 55}, {160, 55}});
  s.Box(40, 20, 70, 22, "Enhancer");
  s.Box(40, 71, 70, 22, "Enhancer");
  s.Box(160, 45, 50, 22, label);
  s.Dot(140, 30);
  s.Dot(140, 81);
  s.Sum(150, 55);
  StageOutput(s, 210);
}

// Items 35 to 37: two stereo-summed stages one after the other.
void SeriesStages(TSketch& s, const char* first, const char* second) {
  StraightChannels(s, 20);
  for (int x : {40, 140}) {
    s.Line({{x, 30}, {x + 10, 55}});
    s.Line({{x, 81}, {x + 10, 55}});
    s.Line({{x + 10, 55}, {x + 20, 55}});
  }
  s.Box(60, 45, 50, 22, first);
  s.Box(160, 45, 50, 22, second);
  for (int x : {40, 140}) {
    s.Dot(x, 30);
    s.Dot(x, 81);
    s.Sum(x + 10, 55);
  }
  StageOutput(s, 110);
  StageOutput(s, 210);
}

// Items 38 to 40: two effects side by side, one on each channel.
void ParallelStages(TSketch& s, const char* upper, const char* lower) {
  StraightChannels(s, 20);
  s.Line({{50, 30}, {70, 45}, {90, 45}});
  s.Line({{50, 81}, {70, 66}, {90, 66}});
  s.Line({{159, 45}, {179, 45}, {197, 30}});
  s.Line({{159, 66}, {179, 66}, {197, 81}});
  s.Box(90, 37, 70, 18, upper);
  s.Box(90, 58, 70, 18, lower);
  s.Dot(50, 30);
  s.Dot(50, 81);
  s.Sum(197, 30);
  s.Sum(197, 81);
}

void Enhancer(TSketch& s) {
  s.Channels(30, 81);
  s.Output(20, 30);
  s.Output(20, 81);
  s.Line({{40, 30}, {40, 10}, {170, 10}, {180, 30}});
  s.Line({{40, 81}, {40, 101}, {170, 101}, {180, 81}});
  for (int y : {20, 71}) {
    s.Box(60, y, 100, 22, "Enhancer");
    s.Box(200, y, 30, 22, "EQ");
  }
  for (int y : {30, 81}) {
    s.Dot(40, y);
    s.Dot(180, y);
  }
}

void DrawItem(TSketch& s, int item, bool cross) {
  using B = QPair<QRect, const char*>;
  switch (item) {
    case 1:
      s.Channels(30, 81);
      s.Output(30, 30);
      s.Output(30, 81);
      s.Box(86, 20, 90, 22, "EQ");
      s.Box(86, 71, 90, 22, "EQ");
      break;
    case 2:
    case 3:
      MonoChain(s, false,
                {B{{70, 45, 56, 22}, item == 2 ? "OverDrive" : "Distorsion"},
                 B{{130, 45, 50, 22}, "Amp Sim"}, B{{184, 45, 24, 22}, "EQ"}});
      break;
    case 4:
      MonoChain(s, false, {B{{99, 45, 80, 22}, "Phaser"}});
      break;
    case 5:
      MonoChain(s, true, {B{{99, 45, 80, 22}, "Spectrum"}});
      break;
    case 6:
      Enhancer(s);
      break;
    case 7:
    case 8:
      BranchedChain(s, 99, 45, 80, 22, item == 7 ? "Auto-Wah" : "Rotary", false);
      break;
    case 9:
    case 10:
      MonoChain(
          s, false,
          {B{{80, 45, 80, 22}, item == 9 ? "Compressor" : "Limiter"}, B{{170, 45, 30, 22}, "EQ"}});
      break;
    case 11:
    case 12:
      BranchedChain(s, 90, 40, 110, 32, item == 11 ? "Hexa Chorus" : "Tremolo Chorus", true);
      break;
    case 13:
      StereoEffect(s, "Space D", nullptr);
      break;
    case 14:
      StereoEffect(s, "Chorus", "Chorus");
      break;
    case 15:
    case 16:
      StereoEffect(s, "Flanger", "Flanger");
      break;
    case 17:
    case 18:
      StereoDelay(s, cross);
      break;
    case 19:
      TripleTap(s);
      break;
    case 20:
      QuadrupleTap(s);
      break;
    case 21:
    case 23:
      MonoBetweenChannels(s, item == 21 ? "Delay" : "Pitch", item == 23);
      break;
    case 22:
      PitchShifter(s);
      break;
    case 24:
    case 25:
      Reverb(s, item == 24 ? "Reverb" : "Gate Reverb");
      break;
    case 26:
    case 27:
    case 28:
    case 29:
    case 30:
    case 31:
      TwoStageMono(s, item);
      break;
    case 32:
    case 33:
    case 34: {
      const char* labels[] = {"Chorus", "Flanger", "Delay"};
      EnhancerThen(s, labels[item - 32]);
      break;
    }
    case 35:
      SeriesStages(s, "Chorus", "Delay");
      break;
    case 36:
      SeriesStages(s, "Flanger", "Delay");
      break;
    case 37:
      SeriesStages(s, "Chorus", "Flanger");
      break;
    case 38:
      ParallelStages(s, "Chorus", "Delay");
      break;
    case 39:
      ParallelStages(s, "Flanger", "Delay");
      break;
    case 40:
      ParallelStages(s, "Chorus", "Flanger");
      break;
    default:
      break;
  }
}

}  // namespace

void DrawEfxDiagram(QPainter& painter, const QSize& size, int item, int feedbackMode) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.scale(size.width() / double(kEfxDiagramWidth), size.height() / double(kEfxDiagramHeight));
  painter.fillRect(0, 0, kEfxDiagramWidth, kEfxDiagramHeight, kAqua);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, kEfxDiagramWidth - 1, kEfxDiagramHeight - 1);
  TSketch sketch(painter);
  DrawItem(sketch, item, feedbackMode == 1);
  painter.restore();
}

void DrawHfDamp(QPainter& painter, const QSize& size, int value) {
  static const char* const kTexts[] = {"200",  "250",  "315",  "400",  "500",  "630",
                                       "800",  "1000", "1250", "1600", "2000", "2500",
                                       "3150", "4000", "5000", "6300", "8000", "ByPass"};
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.scale(size.width() / double(kHfDampWidth), size.height() / double(kHfDampHeight));
  painter.fillRect(0, 0, kHfDampWidth, kHfDampHeight, kAqua);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, 0, kHfDampWidth - 1, kHfDampHeight - 1);
  // Axes: level upwards from the left, frequency rightwards along the bottom.
  const int left = 4;
  const int bottom = kHfDampHeight - 5;
  painter.drawLine(left, 12, left, bottom);
  painter.drawLine(left, bottom, kHfDampWidth - 4, bottom);
  QFont font = SmallFont();
  font.setPixelSize(8);
  painter.setFont(font);
  if (value >= 0 && value <= 17)
    painter.drawText(QRect(0, 1, kHfDampWidth, 10), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromLatin1(kTexts[value]));
  const int level = 20;
  if (value >= 17) {
    painter.drawLine(left, level, kHfDampWidth - 4, level);
  } else {
    const int corner = 2 * std::max(value, 0) + 10;
    painter.drawLine(left, level, corner, level);
    QPainterPath fall(QPointF(corner, level));
    fall.quadTo(QPointF(corner + 8, level), QPointF(corner + 14, bottom - 1));
    painter.drawPath(fall);
  }
  painter.restore();
}
