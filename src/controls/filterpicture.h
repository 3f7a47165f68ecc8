#pragma once
// TFilterPicture: the small response curve of a filter type, 0 "No Filter" (the word OFF), 1 low
// pass, 2 band pass, 3 high pass, 4 peaking, on aqua in a black frame. The tone filter page and
// the rhythm note filter window show it beside the arrows that step the type.
#include <QWidget>

class TFilterPicture : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 62;
  static constexpr int kHeight = 38;
  static constexpr int kTypeCount = 5;

  explicit TFilterPicture(QWidget* parent = nullptr);

  int Type() const { return type_; }
  // Redraws for another type; a type outside 0 to 4 shows an empty frame.
  void SetType(int type);

  // Draws the picture of a type into a kWidth × kHeight area at the painter's origin.
  static void Draw(QPainter& painter, int type);

  QSize sizeHint() const override { return {kWidth, kHeight}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int type_ = 0;
};
