#pragma once
// TKeySelector: a small keyboard of 64 keys on which the user picks one. Key -1 is a lone white
// key at the far left; keys 0 to 62 are five octaves and three notes from C (key k has pitch
// class k mod 12). It knows nothing of notes or the instrument: callers map keys to notes.
#include <QPolygon>
#include <QWidget>

#include "controls/accessiblecontrol.h"

class TKeySelector : public QWidget, public TAccessibleValue {
  Q_OBJECT
  Q_PROPERTY(int KeySelected READ KeySelected WRITE SetKeySelected)
  Q_PROPERTY(int KeyWidth READ KeyWidth WRITE SetKeyWidth)
  Q_PROPERTY(bool LastDisabled READ LastDisabled WRITE SetLastDisabled)

 public:
  static constexpr int kFirstKey = -1;
  static constexpr int kLastKey = 62;

  explicit TKeySelector(QWidget* parent = nullptr);

  int KeySelected() const { return selected_; }
  // Selects and repaints without any signal; values outside -1 to 62 select nothing.
  void SetKeySelected(int key);
  int KeyWidth() const { return width_; }
  void SetKeyWidth(int width);
  // Kept with the layout only; it changes nothing here.
  bool LastDisabled() const { return lastDisabled_; }
  void SetLastDisabled(bool on) { lastDisabled_ = on; }

  // Left edge of a key, and the height of the black keys.
  int KeyLeft(int key) const;
  int BlackHeight() const;
  static bool IsBlack(int key);
  // The key under a point; a point past the keys' pattern keeps the current selection.
  int KeyAt(int x, int y) const;
  // The outline a key is drawn with.
  QPolygon KeyOutline(int key) const;

  QSize sizeHint() const override { return {500, 50}; }

  // TAccessibleValue: a slider over the keys; setting a key presses it.
  QAccessible::Role AccessibleRole() const override { return QAccessible::Slider; }
  QString AccessibleText() const override { return QString::number(selected_); }
  int AccessibleValue() const override { return selected_; }
  int AccessibleMin() const override { return kFirstKey; }
  int AccessibleMax() const override { return kLastKey; }
  void SetAccessibleValue(int value) override;

 Q_SIGNALS:
  // A key was pressed, or the button released.
  void Endchange();
  // The pressed key changed while the button was held.
  void Change();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Left and Right press the neighbouring key, Space or Enter the selected one again.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int BlackWidth() const { return width_ * 2 / 3; }
  void RepaintKey(int key);

  int selected_ = -1;
  int width_ = 10;
  bool lastDisabled_ = false;
  bool dragging_ = false;
};
