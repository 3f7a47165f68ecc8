#pragma once
// The effects page's two pictures as widgets: the block diagram of the EFX type (Page 2) and the
// reverb's HF damp curve (Page 1), each repainted when its value changes.
#include <QWidget>

class TEfxDiagramView : public QWidget {
  Q_OBJECT
 public:
  explicit TEfxDiagramView(QWidget* parent = nullptr);

  int Item() const { return item_; }
  int FeedbackMode() const { return mode_; }
  // List item 1 to 40 and the "FeedBack Mode" byte; a change repaints.
  void SetItem(int item);
  void SetFeedbackMode(int mode);
  // Paints so far (for the tests: a changed mode repaints the picture, nothing else).
  int Paints() const { return paints_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int item_ = 1;
  int mode_ = 0;
  int paints_ = 0;
};

class THfDampView : public QWidget {
  Q_OBJECT
 public:
  explicit THfDampView(QWidget* parent = nullptr);

  int Value() const { return value_; }
  void SetValue(int value);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int value_ = 0;
};

// Where the effect parameter control with field number 1 to 12 sits on Page 2: fields 1 to 5 in
// a left column, 6 to 10 in a right one, 11 and 12 side by side below the diagram.
QPoint EffectFieldPlace(int field);
