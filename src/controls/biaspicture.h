#pragma once
// TBiasPicture: how the level follows the keyboard around the bias point, for the directions 0
// "Lower", 1 "Upper", 2 "Lower Upper" and 3 "All", on aqua. The tone amplifier page shows it
// beside the arrows that step the direction.
#include <QWidget>

class TBiasPicture : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 80;
  static constexpr int kHeight = 59;
  static constexpr int kDirectionCount = 4;

  explicit TBiasPicture(QWidget* parent = nullptr);

  int Direction() const { return direction_; }
  // Redraws for another direction; one outside 0 to 3 shows the axes alone.
  void SetDirection(int direction);

  // Draws the picture of a direction into a kWidth × kHeight area at the painter's origin.
  static void Draw(QPainter& painter, int direction);

  QSize sizeHint() const override { return {kWidth, kHeight}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int direction_ = 0;
};
