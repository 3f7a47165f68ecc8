#pragma once
// The block diagram of the EFX type as a widget on Page 2 of the effects page, repainted when the
// type or the feedback mode changes; and where Page 2's parameter controls sit.
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

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int item_ = 1;
  int mode_ = 0;
};

// Where the effect parameter control with field number 1 to 12 sits on Page 2: fields 1 to 5 in
// a left column, 6 to 10 in a right one, 11 and 12 side by side below the diagram.
QPoint EffectFieldPlace(int field);
