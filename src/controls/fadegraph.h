#pragma once
// TFadeGraph: the fade-in/fade-out picture of an LFO. The wave waits for one segment and fades
// over the other, counted from key on (ON modes) or key off (OFF modes); its two handles are
// dragged and its Delay and Fade fields stepped. Plain integers 0-127, like every control.
#include <array>

#include <QColor>
#include <QFrame>

#include "controls/finedrag.h"
#include "controls/accessiblecontrol.h"

class TClickEdit;

enum TFadeMode { ON_IN, ON_OUT, OFF_IN, OFF_OUT };

class TFadeGraph : public QFrame, public TAccessibleChart {
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
  Q_PROPERTY(TFadeMode FadeMode READ FadeMode WRITE SetFadeMode)
  Q_PROPERTY(int FadeTime READ FadeTime WRITE SetFadeTime)
  Q_PROPERTY(int FadeDepth READ FadeDepth WRITE SetFadeDepth)
  Q_PROPERTY(int FadeDelay READ FadeDelay WRITE SetFadeDelay)

 public:
  explicit TFadeGraph(QWidget* parent = nullptr);

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
  TFadeMode FadeMode() const { return mode_; }
  // Keeps FadeTime and FadeDelay: only the picture changes.
  void SetFadeMode(TFadeMode mode);
  // Each clamped to 0-127.
  int FadeTime() const { return Fades() ? first_ : second_; }
  void SetFadeTime(int time);
  int FadeDepth() const { return depth_; }
  void SetFadeDepth(int depth);
  int FadeDelay() const { return Fades() ? second_ : first_; }
  void SetFadeDelay(int delay);

  // The inner segments: the first is the fade in the IN modes and the delay in the OUT modes.
  int First() const { return first_; }
  int Second() const { return second_; }
  double TimeScale() const;
  double DepthScale() const;
  // Handle 1 on the zero line, handle 2 at the depth.
  QPoint Handle(int n) const;
  // The handle being dragged, or 0.
  int Dragged() const { return dragged_; }
  // The fields by tag: 1 first segment, 2 depth (hidden), 3 second segment.
  TClickEdit* Field(int tag) const { return fields_[tag - 1]; }
  TClickEdit* DelayField() const { return Field(Fades() ? 3 : 1); }
  TClickEdit* FadeField() const { return Field(Fades() ? 1 : 3); }

  QSize sizeHint() const override { return {160, 140}; }

  // The handle the keyboard moves (1 or 2): Left and Right move it along the time axis; Space
  // or Ctrl with Left or Right picks the other; a click on a handle picks it. A held key is one
  // change, ended when it is released.
  int Selected() const { return selected_; }
  void SelectHandle(int handle);

  // TAccessibleChart: read out by its selected handle; its fields carry the numbers.
  QString AccessibleText() const override;

 Q_SIGNALS:
  void OnEndchange();
  // Kept for layouts that connect it; the graph reports its changes at their end only.
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
  // The IN modes: the wave grows over the first segment.
  bool Fades() const { return mode_ == ON_IN || mode_ == OFF_IN; }
  bool KeyOff() const { return mode_ == OFF_IN || mode_ == OFF_OUT; }
  // Where time 0 lies, and the zero line.
  int Origin() const { return GLeft() + 2 + 22 * (KeyOff() ? 2 : 1); }
  int ZeroLine() const { return GTop() + GHeight() / 2; }
  // The wave's amplitude in pixels at x.
  double Amplitude(int x) const;
  void Relayout();
  void ShowInFields();
  void FieldStepped(int tag);

  QRect area_ = QRect(5, 55, 147, 77);
  int eLeft_ = 15;
  int eWidth_ = 23;
  int eTop_ = 20;
  int eHeight_ = 15;
  QColor background_ = QColor(0x00, 0xFF, 0xFF);  // aqua
  QColor lineColor_ = Qt::black;
  TFadeMode mode_ = ON_IN;
  int first_ = 0;
  int depth_ = 0;
  int second_ = 0;
  std::array<TClickEdit*, 3> fields_;
  int dragged_ = 0;
  // Shift-drags in fine steps along each axis.
  TFineDrag fineX_;
  TFineDrag fineY_;
  int selected_ = 1;
  bool keyMoved_ = false;
};
