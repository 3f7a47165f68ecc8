#pragma once
// TPanGraph: the four-segment envelope (times T1-T4, levels L1-L4) as a picture whose points are
// dragged, with a time field and a level field per point for stepping. It holds plain integers:
// times 0-127 each, adding up along the time axis, and levels 0-127 (0-126 around 63 shown as
// -63..63 for FirstHalf; L4 fixed at 0 for LastLocked).
#include <array>

#include <QColor>
#include <QFrame>

#include "controls/finedrag.h"
#include "controls/accessiblecontrol.h"

class TClickEdit;

enum TGraphType { LastLocked, Normal, FirstHalf };

// Start time, start level, T1, L1, T2, L2, T3, L3, T4, L4.
using TGraphPoints = std::array<int, 10>;

class TPanGraph : public QFrame, public TAccessibleChart {
  Q_OBJECT
  Q_PROPERTY(int GLeft READ GLeft WRITE SetGLeft)
  Q_PROPERTY(int GTop READ GTop WRITE SetGTop)
  Q_PROPERTY(int GWidth READ GWidth WRITE SetGWidth)
  Q_PROPERTY(int GHeight READ GHeight WRITE SetGHeight)
  Q_PROPERTY(int ELeft READ ELeft WRITE SetELeft)
  Q_PROPERTY(int EWidth READ EWidth WRITE SetEWidth)
  Q_PROPERTY(int ETop READ ETop WRITE SetETop)
  Q_PROPERTY(int EHeight READ EHeight WRITE SetEHeight)
  Q_PROPERTY(QColor GraphBackGround READ GraphBackGround WRITE SetGraphBackGround)
  Q_PROPERTY(QColor GraphColor READ GraphColor WRITE SetGraphColor)
  Q_PROPERTY(TGraphType GraphType READ GraphType WRITE SetGraphType)

 public:
  explicit TPanGraph(QWidget* parent = nullptr);

  int GLeft() const { return area_.x(); }
  void SetGLeft(int v);
  int GTop() const { return area_.y(); }
  void SetGTop(int v);
  int GWidth() const { return area_.width(); }
  void SetGWidth(int v);
  int GHeight() const { return area_.height(); }
  void SetGHeight(int v);
  int ELeft() const { return eLeft_; }
  void SetELeft(int v);
  int EWidth() const { return eWidth_; }
  void SetEWidth(int v);
  int ETop() const { return eTop_; }
  void SetETop(int v);
  int EHeight() const { return eHeight_; }
  void SetEHeight(int v);
  QColor GraphBackGround() const { return background_; }
  void SetGraphBackGround(const QColor& color);
  QColor GraphColor() const { return lineColor_; }
  void SetGraphColor(const QColor& color);
  TGraphType GraphType() const { return type_; }
  void SetGraphType(TGraphType type);

  // The ten values; writing clamps them, keeps the start point, and repaints.
  TGraphPoints Points() const;
  void SetPoints(const TGraphPoints& points);
  // Point 1 is the start point, points 2-5 are (T1, L1) ... (T4, L4).
  int Time(int point) const { return times_[point - 1]; }
  int Level(int point) const { return levels_[point - 1]; }

  // Time and level per pixel.
  double TimeScale() const;
  double LevelScale() const;
  QPoint PointPixel(int point) const;
  // The first of points 2-5 less than 5 pixels from pos in both directions, else 0.
  int PointAt(const QPoint& pos) const;
  // The point being dragged, or 0.
  int Dragged() const { return dragged_; }
  // The time and level fields of points 2-5 (n = 1-4).
  TClickEdit* TimeField(int n) const { return timeFields_[n - 1]; }
  TClickEdit* LevelField(int n) const { return levelFields_[n - 1]; }

  QSize sizeHint() const override { return {160, 140}; }

  // The point the keyboard moves (2-5): Left and Right move its time, Up and Down its level;
  // Space (Shift+Space back) or Ctrl with Left or Right picks the next or previous point; a
  // click on a point picks it. A held key is one change, ended when it is released.
  int Selected() const { return selected_; }
  void SelectPoint(int point);

  // TAccessibleChart: read out by its selected point; its fields carry the numbers.
  QString AccessibleText() const override;

 Q_SIGNALS:
  void OnEndchange();
  void OnChange();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int LevelTop() const { return type_ == FirstHalf ? 126 : 127; }
  int LevelShown() const { return type_ == FirstHalf ? 63 : 0; }
  void LayoutFields();
  void ShowInFields();
  void FieldStepped(int n);
  void Relayout();

  QRect area_ = QRect(5, 55, 147, 77);
  int eLeft_ = 32;
  int eWidth_ = 23;
  int eTop_ = 15;
  int eHeight_ = 15;
  QColor background_ = QColor(0x00, 0xFF, 0xFF);  // aqua
  QColor lineColor_ = Qt::black;
  TGraphType type_ = Normal;
  std::array<int, 5> times_ = {};
  std::array<int, 5> levels_ = {};
  std::array<TClickEdit*, 4> timeFields_;
  std::array<TClickEdit*, 4> levelFields_;
  int dragged_ = 0;
  // Shift-drags in fine steps along each axis.
  TFineDrag fineX_;
  TFineDrag fineY_;
  int selected_ = 2;
  bool keyMoved_ = false;
};
