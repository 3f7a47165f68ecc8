#pragma once
// The About box: the program's icon, name and version.
#include <QDialog>

class TFormeditorAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TFormeditorAbout(QWidget* parent = nullptr);

  // The program's icon: a circular gradient behind a stylised V, drawn at the given size.
  static QPixmap ProgramPicture(int size, qreal pixelRatio);
};
