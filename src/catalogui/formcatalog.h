#pragma once
// The catalog window: every sound of the catalog's folders, found with the query language and
// the filters beside it, listed one place a row. Selecting a patch auditions it; a double click
// opens its file and its editor; rows drag into library and bank windows; the context menu sets
// marks, tags and categories of the selected sounds and finds similar sounds and a sound's places.
#include <functional>
#include <memory>
#include <vector>

#include <QWidget>

#include "catalog/catalog.h"

class QCheckBox;
class QComboBox;
class QDrag;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTimer;
class QTreeView;
class TCatalogList;
class TCatalogResults;
class TLibElem;
class TLikeness;

// What the catalog window needs of the rest of the program, installed by the main window.
struct TCatalogWindowHooks {
  // Opens a file as File > Open does and the editor of its sound number element (from 1).
  std::function<void(const QString& file, int element)> OpenSound;
  // The drag of sounds (in the frame's drag record) was dropped on a widget: the copy there.
  std::function<void(QWidget& target)> DropSounds;
  // Runs a drag and gives the widget that took the drop, or none; QDrag::exec when not set.
  // Tests deliver the drag's events themselves (an offscreen platform ends every drag at once).
  std::function<QWidget*(QDrag& drag)> RunDrag;
};
TCatalogWindowHooks& CatalogWindowHooks();

class TFormCatalog : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 70;

  // Opens the catalog file; throws TCatalogError.
  explicit TFormCatalog(const QString& catalogPath, QWidget* parent = nullptr);
  ~TFormCatalog() override;

  // Reads the catalog again (after a scan) and runs the query.
  void Reload();
  // Runs the query box's text with the filters; false, with the reason shown, when it does not
  // parse.
  bool RunQuery();
  // Lists the 20 sounds nearest to the sound of a list row.
  void FindSimilar(int row);
  // Every place of the sound of a list row, one "file : element" a line.
  QStringList Places(int row) const;

  // Marks of the sounds of the selected rows, each sound once, by hand.
  void SetFavourite(bool on);
  void SetHidden(bool on);
  void SetTag(const QString& tag, bool on);
  void SetCategory(const QString& name, bool on);

  TCatalog& Catalog() { return *catalog_; }
  const TCatalogIndex& Index() const { return index_; }
  QLineEdit* QueryBox() const { return query_; }
  QComboBox* KindFilter() const { return kind_; }
  QComboBox* CategoryFilter() const { return category_; }
  QComboBox* TagFilter() const { return tag_; }
  QCheckBox* FavouriteFilter() const { return favourite_; }
  QCheckBox* PreviewBox() const { return preview_; }
  QTreeView* List() const;
  QLabel* CountLabel() const { return count_; }
  // The result row (of the model) shown at a view row, and the rows selected, in view order.
  int ResultRow(int viewRow) const;
  std::vector<int> SelectedRows() const;
  const TCatalogResults& Results() const { return *results_; }
  // The sounds of the selected rows made as elements, each row once (what a drag carries).
  std::vector<std::unique_ptr<TLibElem>> SelectedSounds() const;
  // The patch last sent for an audition, or none.
  const TLibElem* Auditioned() const { return auditioned_.get(); }

  // The query language, as the query box's tool tip shows it.
  static QString LanguageHelp();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class TCatalogList;
  void BuildFilters();
  void ShowRows(std::vector<struct TResultRow> rows, const QString& what);
  void CurrentChanged();
  void Audition(int resultRow);
  void ContextMenu(const QPoint& pos);
  void StartDrag();
  std::vector<int> SelectedSoundsIndexes() const;

  std::unique_ptr<TCatalog> catalog_;
  TCatalogIndex index_;
  std::unique_ptr<TLikeness> likeness_;
  QLineEdit* query_;
  QComboBox* kind_;
  QComboBox* category_;
  QComboBox* tag_;
  QCheckBox* favourite_;
  QCheckBox* preview_;
  TCatalogList* list_;
  TCatalogResults* results_;
  QSortFilterProxyModel* sorted_;
  QLabel* count_;
  QTimer* typing_;
  QTimer* previewStart_;
  QTimer* previewStop_;
  std::unique_ptr<TLibElem> auditioned_;
  std::vector<std::unique_ptr<TLibElem>> dragged_;
};
