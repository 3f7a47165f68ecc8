#pragma once
// Settings > Catalog: the catalog's folders with Add, Remove and Rescan. A scan shows its
// progress and can be cancelled; what it entered so far stays, and the next scan goes on.
#include <functional>
#include <memory>

#include <QDialog>

#include "catalog/catalog.h"

class QListWidget;
class QPushButton;

class TFormCatalogSettings : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 71;

  // Opens the catalog file; throws TCatalogError.
  explicit TFormCatalogSettings(const QString& catalogPath, QWidget* parent = nullptr);
  ~TFormCatalogSettings() override;

  // Adds a folder and scans; false when it was there already.
  bool AddFolder(const QString& folder);
  // Removes the selected folder.
  void RemoveSelected();
  // Scans every folder with a progress window; the report of the scan.
  TScanReport Rescan();
  QListWidget* FolderList() const { return folders_; }
  // Called after every scan or removal (the catalog window reads the catalog again).
  std::function<void()> Changed;
  // Asked before each file of a scan: false cancels it (the progress window's Cancel).
  std::function<bool(int done, int total)> Progress;

 private:
  void ShowFolders();
  void Report(const TScanReport& report);

  std::unique_ptr<TCatalog> catalog_;
  QListWidget* folders_;
  QPushButton* remove_;
};
