#pragma once
// The "Select Name" picker: one name list in a grid of 6 columns, the current name selected.
// OK takes the selected cell only when it holds a name.
#include <QDialog>
#include <QStringList>

class QGroupBox;
class QPushButton;
class QTableWidget;

class TFormSelectName : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kColumns = 6;
  static constexpr int kColumnWidth = 75;
  static constexpr int kRowHeight = 15;
  static constexpr int kVisibleRows = 12;

  explicit TFormSelectName(QWidget* parent = nullptr);

  // Shows the names row by row, selects the current one and scrolls its row into view.
  void SetNames(const QStringList& names, int current);
  // The chosen index (valid after OK).
  int Index() const { return index_; }
  // The row shown at the top of the grid.
  int TopRow() const;

  QTableWidget* Grid() const { return grid_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OkClick();
  void ScrollToTopRow();

  QGroupBox* panel_;
  QTableWidget* grid_;
  QPushButton* ok_;
  QPushButton* cancel_;
  int count_ = 0;
  int index_ = -1;
  int topRow_ = 0;
};
