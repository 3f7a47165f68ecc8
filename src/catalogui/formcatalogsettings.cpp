#include "catalogui/formcatalogsettings.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/childframe.h"

TFormCatalogSettings::TFormCatalogSettings(const QString& catalogPath, QWidget* parent)
    : QDialog(parent),
      catalog_(std::make_unique<TCatalog>(catalogPath)),
      folders_(new QListWidget(this)),
      remove_(new QPushButton(QStringLiteral("&Remove"), this)) {
  setObjectName(QStringLiteral("CatalogSettings"));
  setWindowTitle(QStringLiteral("Catalog"));
  folders_->setObjectName(QStringLiteral("CatalogFolders"));
  auto* add = new QPushButton(QStringLiteral("&Add..."), this);
  auto* rescan = new QPushButton(QStringLiteral("Re&scan"), this);
  auto* help = new QPushButton(QStringLiteral("&Help"), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  add->setObjectName(QStringLiteral("CatalogAdd"));
  remove_->setObjectName(QStringLiteral("CatalogRemove"));
  rescan->setObjectName(QStringLiteral("CatalogRescan"));
  connect(add, &QPushButton::clicked, this, [this] {
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Add Folder"));
    if (!folder.isEmpty()) AddFolder(folder);
  });
  connect(remove_, &QPushButton::clicked, this, [this] { RemoveSelected(); });
  connect(rescan, &QPushButton::clicked, this, [this] { Rescan(); });
  connect(help, &QPushButton::clicked, this, [] { ChildFrame().ShowHelp(kHelpContext); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(folders_, &QListWidget::currentRowChanged, this,
          [this](int row) { remove_->setEnabled(row >= 0); });
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {add, remove_, rescan, help, close}) buttons->addWidget(button);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("Folders whose sounds the catalog holds:"), this));
  left->addWidget(folders_, 1);
  left->addWidget(new QLabel(QDir::toNativeSeparators(catalog_->Path()), this));
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  resize(520, 300);
  ShowFolders();
}

TFormCatalogSettings::~TFormCatalogSettings() = default;

void TFormCatalogSettings::ShowFolders() {
  folders_->clear();
  for (const QString& folder : catalog_->Folders())
    folders_->addItem(QDir::toNativeSeparators(folder));
  remove_->setEnabled(folders_->currentRow() >= 0);
}

bool TFormCatalogSettings::AddFolder(const QString& folder) {
  const bool added = catalog_->AddFolder(folder);
  ShowFolders();
  Rescan();
  return added;
}

void TFormCatalogSettings::RemoveSelected() {
  const int row = folders_->currentRow();
  if (row < 0) return;
  catalog_->RemoveFolder(QDir::fromNativeSeparators(folders_->item(row)->text()));
  ShowFolders();
  if (Changed) Changed();
}

TScanReport TFormCatalogSettings::Rescan() {
  QProgressDialog progress(QStringLiteral("Scanning..."), QStringLiteral("Cancel"), 0, 0, this);
  progress.setObjectName(QStringLiteral("CatalogProgress"));
  progress.setWindowTitle(QStringLiteral("Catalog"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  TScanReport report;
  try {
    report = catalog_->Scan([&](int done, int total, const QString& file) {
      progress.setMaximum(total);
      progress.setValue(done);
      if (!file.isEmpty()) progress.setLabelText(QDir::toNativeSeparators(file));
      QApplication::processEvents();
      if (Progress && !Progress(done, total)) return false;
      return !progress.wasCanceled();
    });
  } catch (const TCatalogError& error) {
    QMessageBox::warning(this, QStringLiteral("Catalog"), error.Message);
  }
  progress.reset();
  Report(report);
  if (Changed) Changed();
  return report;
}

void TFormCatalogSettings::Report(const TScanReport& report) {
  if (report.Damaged.empty()) return;
  QStringList lines;
  for (const auto& [file, reason] : report.Damaged)
    lines << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file), reason);
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Catalog"),
                  QStringLiteral("%1 files could not be read and were skipped.")
                      .arg(report.Damaged.size()),
                  QMessageBox::Ok, this);
  box.setDetailedText(lines.join(u'\n'));
  box.exec();
}
