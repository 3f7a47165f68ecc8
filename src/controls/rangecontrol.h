#pragma once
// TRangeControl: the base of controls that pick a position between Min and Max with the mouse.
// It keeps Min < Max and Min <= Position <= Max, reports changes of the position, and leaves the
// shape (painting, hit test, point to position) to its descendants. With Shift held a drag moves
// the position in fine steps by the mouse's upward travel (TFineDrag), and a press with Shift
// does not jump to the point.
#include <QColor>
#include <QPointer>
#include <QWidget>

#include "controls/finedrag.h"

class QPainter;

class TRangeControl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QColor Color READ Color WRITE SetColor)
  Q_PROPERTY(QObject* Control READ Control WRITE SetControl)
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Position READ Position WRITE SetPosition)

 public:
  explicit TRangeControl(QWidget* parent = nullptr);

  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  // An optional object whose "text" property mirrors the position.
  QObject* Control() const { return control_; }
  void SetControl(QObject* control) { control_ = control; }
  int Max() const { return max_; }
  void SetMax(int max);
  int Min() const { return min_; }
  void SetMin(int min);
  int Position() const { return position_; }
  // Also ends the unset display, even at the same position.
  void SetPosition(int position);
  // No position to show (a stored byte outside the range): the descendant draws no indicator
  // until the position is set again.
  void SetUnset(bool unset);
  bool Unset() const { return unset_; }

  virtual void SetPositionFromPoint(const QPoint& point) = 0;
  virtual void KnobMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  virtual void KnobMouseMove(Qt::KeyboardModifiers shift, int x, int y);
  virtual void PaintKnob(QPainter& canvas) = 0;
  virtual bool PointInKnob(const QPoint& point) const = 0;

  // The left button went down here and has not been released.
  bool Captured() const { return captured_; }

 Q_SIGNALS:
  void OnChange();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Min below Max, the position inside them; reports a moved position.
  void Settle(int before);

  QColor color_;
  QPointer<QObject> control_;
  int max_ = 10;
  int min_ = 0;
  int position_ = 5;
  bool captured_ = false;
  TFineDrag fine_;
  bool unset_ = false;
};
