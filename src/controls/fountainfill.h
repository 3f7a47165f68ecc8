#pragma once
// A colour-gradient background: bands across or along the control, or concentric circles that
// start in FromColor at the edges and end in ToColor in the middle.
#include <QColor>
#include <QWidget>

enum class TFountainStyle { fsHorizontal, fsVertical, fsCircular };

class TFountainFill : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMinSteps = 1;
  static constexpr int kMaxSteps = 255;

  explicit TFountainFill(QWidget* parent = nullptr);

  QColor FromColor() const { return fromColor_; }
  void SetFromColor(const QColor& color);
  QColor ToColor() const { return toColor_; }
  void SetToColor(const QColor& color);
  int Steps() const { return steps_; }
  // Values below 1 become 1, above 255 become 255.
  void SetSteps(int steps);
  TFountainStyle Style() const { return style_; }
  void SetStyle(TFountainStyle style);
  // Kept for layouts that set them; painting always goes through Qt's back buffer and true
  // colours, which is what both options were for.
  bool DrawOnScreen = false;
  bool UsePalette = true;

  // The colour of step i of the gradient, each of red, green and blue moved separately.
  QColor StepColor(int step) const;
  // Paints the gradient over rect.
  void Paint(QPainter& painter, const QRect& rect) const;

  QSize sizeHint() const override { return {50, 50}; }

 Q_SIGNALS:
  void Clicked();
  void DoubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QColor fromColor_ = QColor(0x00, 0xFF, 0xFF);  // aqua
  QColor toColor_ = Qt::black;
  int steps_ = 20;
  TFountainStyle style_ = TFountainStyle::fsHorizontal;
};
