#pragma once
// The search window: lists the elements of one library whose names, modified dates and times
// match (Search), or whose names or sounds occur more than once (Find Duplicate), looking into
// banks and global dumps member by member. The results can be printed and saved as text.
#include <vector>

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QHeaderView;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TLibElem;
class TLibrary;
class TSearchGrid;
struct TSearchOptions;

class TFormSearch : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kSearchHelpContext = 29;
  static constexpr int kDuplicateHelpContext = 30;

  TFormSearch(TLibrary& library, bool duplicates, QWidget* parent = nullptr);
  ~TFormSearch() override;

  // Opens the program's one search window modally on a library in a mode (what the library
  // window's buttons do). It is made once, so its check boxes and dates stay from one opening
  // to the next, as a child of owner (the main window), else of parent's window.
  static void Execute(QWidget& parent, TLibrary& library, bool duplicates, QWidget* owner);
  // The library searched and the mode, before the window is shown.
  void SetTarget(TLibrary& library, bool duplicates);

  bool Duplicates() const { return duplicates_; }
  int HelpContext() const;
  // The Search button: fills the results from the controls. False when a date or time edit
  // does not hold a valid value (the user was told).
  bool Search();
  void Print();
  void SaveToDisk();
  const std::vector<TLibElem*>& Results() const { return results_; }
  // What a result row shows, left to right: kind, name, modified date and time, location; or
  // "No Items Found" alone after a search that found nothing; nothing for an empty row.
  QStringList RowTexts(int row) const;
  int RowCount() const;
  void DrawRow(QPainter& painter, int row, const QRect& rect) const;

  // The dates are typed in the order and with the separators the lists show them in (the
  // locale's short date), each field with all its digits: "MM/dd/yy" for "M/d/yy".
  static QString DateFormat();
  // A date typed in DateFormat as days since 30 December 1899, "hh:mm:ss" as a fraction of a
  // day; false when the text is not a valid date or time. Two-digit years: 00 to 49 are
  // 2000 to 2049, 50 to 99 are 1950 to 1999.
  static bool ParseDate(const QString& text, double& day);
  static bool ParseTime(const QString& text, double& time);

  QLineEdit* SearchString() const { return searchString_; }
  QCheckBox* Patch() const { return patch_; }
  QCheckBox* Performance() const { return performance_; }
  QCheckBox* Rhythm() const { return rhythm_; }
  QCheckBox* System() const { return system_; }
  QCheckBox* CaseSens() const { return caseSens_; }
  QCheckBox* Substring() const { return substring_; }
  QCheckBox* Date() const { return date_; }
  QCheckBox* Time() const { return time_; }
  QCheckBox* Selected() const { return selected_; }
  QCheckBox* DebCaseSens() const { return debCaseSens_; }
  QCheckBox* SelectedDebug() const { return selectedDebug_; }
  QCheckBox* SameSound() const { return sameSound_; }
  QLineEdit* FromDate() const { return fromDate_; }
  QLineEdit* ToDate() const { return toDate_; }
  QLineEdit* FromTime() const { return fromTime_; }
  QLineEdit* ToTime() const { return toTime_; }
  QPushButton* SearchButton() const { return btnSearch_; }
  QPushButton* CloseButton() const { return btnClose_; }
  QPushButton* PrintButton() const { return btnPrint_; }
  QPushButton* SaveButton() const { return btnSave_; }
  QProgressBar* Gauge() const { return gauge_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  // Shows the controls of the mode and places them.
  void LayOut();
  void EnableEdits();
  // The header's sections: the date column as wide as a date and time in the lists' format.
  void SizeColumns();
  bool ReadOptions(TSearchOptions& options);
  void Clear();

  TLibrary* library_;
  bool duplicates_;
  bool searched_ = false;
  std::vector<TLibElem*> results_;

  QLabel* nameLabel_ = nullptr;
  QLineEdit* searchString_ = nullptr;
  QGroupBox* searchFor_ = nullptr;
  QCheckBox* patch_ = nullptr;
  QCheckBox* performance_ = nullptr;
  QCheckBox* rhythm_ = nullptr;
  QCheckBox* system_ = nullptr;
  QGroupBox* options_ = nullptr;
  QCheckBox* caseSens_ = nullptr;
  QCheckBox* substring_ = nullptr;
  QCheckBox* date_ = nullptr;
  QCheckBox* time_ = nullptr;
  QCheckBox* selected_ = nullptr;
  QGroupBox* dateBox_ = nullptr;
  QLineEdit* fromDate_ = nullptr;
  QLineEdit* toDate_ = nullptr;
  QGroupBox* timeBox_ = nullptr;
  QLineEdit* fromTime_ = nullptr;
  QLineEdit* toTime_ = nullptr;
  QCheckBox* debCaseSens_ = nullptr;
  QCheckBox* selectedDebug_ = nullptr;
  QCheckBox* sameSound_ = nullptr;
  QPushButton* btnSearch_ = nullptr;
  QLabel* gaugeLabel_ = nullptr;
  QProgressBar* gauge_ = nullptr;
  QHeaderView* header_ = nullptr;
  TSearchGrid* grid_ = nullptr;
  QPushButton* btnClose_ = nullptr;
  QPushButton* btnPrint_ = nullptr;
  QPushButton* btnSave_ = nullptr;
};
