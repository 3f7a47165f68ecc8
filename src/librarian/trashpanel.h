#pragma once
// The trash in the bottom right corner of the main window: an empty or a full bin, one showing
// at a time. Library elements dropped on it go to the trash; a double click opens the trash.
#include <QWidget>

class QLabel;
class TLibrarianHost;

class TTrashPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 41;
  static constexpr int kHeight = 45;

  // Drops are taken from the host's drag in progress.
  explicit TTrashPanel(TLibrarianHost& host, QWidget* parent = nullptr);

  void SetFull(bool full);
  bool Full() const;
  QLabel* TrashVuoto() const { return trashVuoto_; }
  QLabel* TrashPieno() const { return trashPieno_; }

  // The bin pictures, drawn by the program.
  static QPixmap BinPicture(bool full, qreal pixelRatio);

 Q_SIGNALS:
  void DoubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Only a drag that began in a library window may end here.
  bool Accepts() const;

  TLibrarianHost& host_;
  QLabel* trashVuoto_;
  QLabel* trashPieno_;
};
