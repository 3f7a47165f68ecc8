#include "catalogui/formcatalog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDrag>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "catalog/likeness.h"
#include "catalog/query.h"
#include "catalog/soundfile.h"
#include "catalogui/catalogresults.h"
#include "frame/childframe.h"
#include "frame/draginfo.h"
#include "midi/timing.h"
#include "model/libelem.h"
#include "tools/preview.h"

TCatalogWindowHooks& CatalogWindowHooks() {
  static TCatalogWindowHooks hooks;
  return hooks;
}

// The result list: its drags carry the selected sounds to the librarian windows.
class TCatalogList : public QTreeView {
 public:
  explicit TCatalogList(TFormCatalog& form) : QTreeView(&form), form_(form) {}

 protected:
  void startDrag(Qt::DropActions) override { form_.StartDrag(); }

 private:
  TFormCatalog& form_;
};

namespace {
constexpr int kSimilarCount = 20;

QString Quoted(const QString& term) {
  return u'"' + term + u'"';
}
}  // namespace

QString TFormCatalog::LanguageHelp() {
  return QStringLiteral(
      "Terms separated by blanks must all hold; a term with a leading - must not;\n"
      "double quotes keep blanks inside a term.\n"
      "  word            the name contains it (case ignored)\n"
      "  kind:patch      also performance, rhythm, system\n"
      "  cat:NAME        in a category            tag:NAME   has a tag\n"
      "  fav             a favourite              dup        in more than one place\n"
      "  file:TEXT       in a file whose path contains TEXT\n"
      "  hidden          hidden sounds (left out unless named)\n"
      "  p:BLOCK/CAPTION OP VALUE   a parameter as the editors show it:\n"
      "      BLOCK common, tone1..tone4, tone, part1..part16, part, note35..note98, note,\n"
      "            scale1..scale17, scale;  OP = != (shown text)  < <= > >= (its first number)\n"
      "Example: kind:patch \"p:tone/Cutoff Frequency>=100\" pad");
}

TFormCatalog::TFormCatalog(const QString& catalogPath, QWidget* parent)
    : QWidget(parent),
      catalog_(std::make_unique<TCatalog>(catalogPath)),
      query_(new QLineEdit(this)),
      kind_(new QComboBox(this)),
      category_(new QComboBox(this)),
      tag_(new QComboBox(this)),
      favourite_(new QCheckBox(QStringLiteral("Favourites"), this)),
      preview_(new QCheckBox(QStringLiteral("Preview"), this)),
      list_(new TCatalogList(*this)),
      results_(new TCatalogResults(this)),
      sorted_(new QSortFilterProxyModel(this)),
      count_(new QLabel(this)),
      typing_(new QTimer(this)),
      previewStart_(new QTimer(this)),
      previewStop_(new QTimer(this)) {
  setObjectName(QStringLiteral("CatalogWindow"));
  setWindowTitle(QStringLiteral("Sound Catalog"));
  query_->setObjectName(QStringLiteral("CatalogQuery"));
  query_->setPlaceholderText(QStringLiteral("Find: words, kind:, cat:, tag:, fav, file:, dup, "
                                            "hidden, p:BLOCK/CAPTION OP VALUE"));
  query_->setToolTip(LanguageHelp());
  query_->setClearButtonEnabled(true);
  query_->setMinimumWidth(260);
  kind_->setObjectName(QStringLiteral("CatalogKind"));
  kind_->addItem(QStringLiteral("All kinds"));
  for (const char* kind : {"Patch", "Performance", "Rhythm", "System"})
    kind_->addItem(QString::fromLatin1(kind), QString::fromLatin1(kind).toLower());
  category_->setObjectName(QStringLiteral("CatalogCategory"));
  tag_->setObjectName(QStringLiteral("CatalogTag"));
  favourite_->setObjectName(QStringLiteral("CatalogFavourites"));
  preview_->setObjectName(QStringLiteral("CatalogPreview"));
  preview_->setChecked(true);
  preview_->setToolTip(QStringLiteral("Selecting a patch sends it to the temporary area and "
                                      "plays the preview"));
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  connect(help, &QPushButton::clicked, this, [] { ChildFrame().ShowHelp(kHelpContext); });

  sorted_->setSourceModel(results_);
  sorted_->setSortRole(TCatalogResults::kSortRole);
  list_->setObjectName(QStringLiteral("CatalogList"));
  list_->setModel(sorted_);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSortingEnabled(true);
  list_->sortByColumn(TCatalogResults::cFile, Qt::AscendingOrder);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setDragEnabled(true);
  list_->setDragDropMode(QAbstractItemView::DragOnly);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->setColumnHidden(TCatalogResults::cDistance, true);
  list_->header()->resizeSection(TCatalogResults::cName, 130);
  list_->header()->resizeSection(TCatalogResults::cKind, 90);
  list_->header()->resizeSection(TCatalogResults::cFile, 300);
  count_->setObjectName(QStringLiteral("CatalogCount"));

  auto* filters = new QHBoxLayout;
  filters->addWidget(query_, 1);
  filters->addWidget(kind_);
  filters->addWidget(category_);
  filters->addWidget(tag_);
  filters->addWidget(favourite_);
  filters->addWidget(help);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(count_, 1);
  bottom->addWidget(preview_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(list_, 1);
  layout->addLayout(bottom);
  resize(760, 420);

  // The query runs while typing, once the typing pauses.
  typing_->setSingleShot(true);
  typing_->setInterval(250);
  connect(typing_, &QTimer::timeout, this, [this] { RunQuery(); });
  connect(query_, &QLineEdit::textEdited, typing_, qOverload<>(&QTimer::start));
  connect(query_, &QLineEdit::returnPressed, this, [this] {
    typing_->stop();
    RunQuery();
  });
  for (QComboBox* box : {kind_, category_, tag_})
    connect(box, &QComboBox::activated, this, [this] { RunQuery(); });
  connect(favourite_, &QCheckBox::toggled, this, [this] { RunQuery(); });
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { CurrentChanged(); });
  connect(list_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    const TResultRow& row = results_->Row(sorted_->mapToSource(index).row());
    if (auto& open = CatalogWindowHooks().OpenSound) open(index_.Files[row.File], row.Element);
  });
  connect(list_, &QTreeView::customContextMenuRequested, this,
          [this](const QPoint& pos) { ContextMenu(pos); });
  // The audition: the patch first, the preview note once it has arrived, for the note length.
  previewStart_->setSingleShot(true);
  previewStop_->setSingleShot(true);
  connect(previewStart_, &QTimer::timeout, this, [this] {
    StartPreview();
    previewStop_->start(Timing().PreviewMs);
  });
  connect(previewStop_, &QTimer::timeout, this, [] { StopPreview(); });
  Reload();
}

TFormCatalog::~TFormCatalog() {
  if (previewStop_->isActive()) StopPreview();
}

QTreeView* TFormCatalog::List() const {
  return list_;
}

void TFormCatalog::Reload() {
  results_->SetRows(nullptr, {});
  likeness_.reset();
  index_ = catalog_->LoadIndex();
  BuildFilters();
  RunQuery();
}

void TFormCatalog::BuildFilters() {
  QSet<QString> categories;
  QSet<QString> tags;
  for (const TIndexedSound& sound : index_.Sounds) {
    for (const QString& c : sound.Categories) categories.insert(c);
    for (const QString& t : sound.Tags) tags.insert(t);
  }
  auto fill = [](QComboBox* box, const QString& all, QSet<QString> names) {
    const QString current = box->currentData().toString();
    QStringList sorted(names.begin(), names.end());
    sorted.sort(Qt::CaseInsensitive);
    box->clear();
    box->addItem(all);
    for (const QString& name : sorted) box->addItem(name, name);
    box->setCurrentIndex(std::max(0, box->findData(current)));
  };
  fill(category_, QStringLiteral("All categories"), categories);
  fill(tag_, QStringLiteral("All tags"), tags);
}

bool TFormCatalog::RunQuery() {
  QStringList terms{query_->text()};
  if (kind_->currentIndex() > 0) terms << QStringLiteral("kind:") + kind_->currentData().toString();
  if (category_->currentIndex() > 0)
    terms << Quoted(QStringLiteral("cat:") + category_->currentData().toString());
  if (tag_->currentIndex() > 0) terms << Quoted(QStringLiteral("tag:") + tag_->currentData().toString());
  if (favourite_->isChecked()) terms << QStringLiteral("fav");
  TQuery query;
  try {
    query = TQuery::Parse(terms.join(u' '));
  } catch (const TQueryError& error) {
    // The position counts in the query box's own text.
    count_->setText(error.Position <= query_->text().size() + 1
                        ? error.Text()
                        : QStringLiteral("Filters: %1").arg(error.Reason));
    count_->setStyleSheet(QStringLiteral("color: #b00000"));
    return false;
  }
  std::vector<TResultRow> rows;
  for (const TFoundPlace& place : query.Run(index_))
    rows.push_back({place.Sound, place.File, place.Element});
  list_->setColumnHidden(TCatalogResults::cDistance, true);
  ShowRows(std::move(rows), QString());
  return true;
}

void TFormCatalog::ShowRows(std::vector<TResultRow> rows, const QString& what) {
  const std::size_t count = rows.size();
  results_->SetRows(&index_, std::move(rows));
  count_->setStyleSheet(QString());
  count_->setText(QStringLiteral("%1 %2%3")
                      .arg(count)
                      .arg(count == 1 ? QStringLiteral("sound") : QStringLiteral("sounds"))
                      .arg(what));
}

void TFormCatalog::FindSimilar(int row) {
  const TIndexedSound& sound = index_.Sounds[static_cast<std::size_t>(results_->Row(row).Sound)];
  if (!likeness_) likeness_ = std::make_unique<TLikeness>(index_);
  std::vector<TResultRow> rows;
  for (const TNearSound& near : likeness_->Nearest(sound.Kind, sound.Data, kSimilarCount))
    for (const auto& [file, element] : index_.Sounds[static_cast<std::size_t>(near.Sound)].Places)
      rows.push_back({near.Sound, file, element, near.Distance});
  list_->setColumnHidden(TCatalogResults::cDistance, false);
  const QString name = sound.Name;
  ShowRows(std::move(rows), QStringLiteral(" like \"%1\"").arg(name));
  list_->sortByColumn(TCatalogResults::cDistance, Qt::AscendingOrder);
}

QStringList TFormCatalog::Places(int row) const {
  QStringList places;
  for (const auto& [file, element] :
       index_.Sounds[static_cast<std::size_t>(results_->Row(row).Sound)].Places)
    places << QStringLiteral("%1 : %2").arg(QDir::toNativeSeparators(index_.Files[file])).arg(element);
  return places;
}

int TFormCatalog::ResultRow(int viewRow) const {
  return sorted_->mapToSource(sorted_->index(viewRow, 0)).row();
}

std::vector<int> TFormCatalog::SelectedRows() const {
  std::vector<int> rows;
  QModelIndexList selected = list_->selectionModel()->selectedRows();
  std::sort(selected.begin(), selected.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  for (const QModelIndex& index : selected) rows.push_back(sorted_->mapToSource(index).row());
  return rows;
}

std::vector<int> TFormCatalog::SelectedSoundsIndexes() const {
  std::vector<int> sounds;
  for (const int row : SelectedRows()) {
    const int sound = results_->Row(row).Sound;
    if (std::find(sounds.begin(), sounds.end(), sound) == sounds.end()) sounds.push_back(sound);
  }
  return sounds;
}

std::vector<std::unique_ptr<TLibElem>> TFormCatalog::SelectedSounds() const {
  std::vector<std::unique_ptr<TLibElem>> sounds;
  for (const int row : SelectedRows()) {
    const TIndexedSound& sound = index_.Sounds[static_cast<std::size_t>(results_->Row(row).Sound)];
    if (auto element = SoundElement(sound.Kind, sound.Data)) {
      element->Name = sound.Name;
      sounds.push_back(std::move(element));
    }
  }
  return sounds;
}

void TFormCatalog::SetFavourite(bool on) {
  for (const int s : SelectedSoundsIndexes()) {
    TIndexedSound& sound = index_.Sounds[static_cast<std::size_t>(s)];
    catalog_->SetFavourite(sound.Hash, on);
    sound.Favourite = on;
  }
  results_->Refresh();
}

void TFormCatalog::SetHidden(bool on) {
  for (const int s : SelectedSoundsIndexes()) {
    TIndexedSound& sound = index_.Sounds[static_cast<std::size_t>(s)];
    catalog_->SetHidden(sound.Hash, on);
    sound.Hidden = on;
  }
  likeness_.reset();
  results_->Refresh();
}

void TFormCatalog::SetTag(const QString& tag, bool on) {
  for (const int s : SelectedSoundsIndexes()) {
    TIndexedSound& sound = index_.Sounds[static_cast<std::size_t>(s)];
    catalog_->SetTag(sound.Hash, tag, on);
    sound.Tags.removeAll(tag);
    if (on) {
      sound.Tags << tag;
      sound.Tags.sort();
    }
  }
  BuildFilters();
  results_->Refresh();
}

void TFormCatalog::SetCategory(const QString& name, bool on) {
  for (const int s : SelectedSoundsIndexes()) {
    TIndexedSound& sound = index_.Sounds[static_cast<std::size_t>(s)];
    catalog_->SetCategory(sound.Hash, name, on);
    sound.Categories.removeAll(name);
    if (on) {
      sound.Categories << name;
      sound.Categories.sort();
    }
  }
  BuildFilters();
  results_->Refresh();
}

void TFormCatalog::CurrentChanged() {
  const QModelIndex current = list_->currentIndex();
  if (current.isValid()) Audition(sorted_->mapToSource(current).row());
}

void TFormCatalog::Audition(int resultRow) {
  const TIndexedSound& sound =
      index_.Sounds[static_cast<std::size_t>(results_->Row(resultRow).Sound)];
  if (sound.Kind != ekPatch) return;
  auto patch = SoundElement(sound.Kind, sound.Data);
  if (!patch) return;
  if (previewStop_->isActive()) {
    previewStop_->stop();
    StopPreview();
  }
  previewStart_->stop();
  // As Shift + right button in a library: to the temporary area, then the preview once the
  // patch has arrived.
  patch->Transmit(true);
  auditioned_ = std::move(patch);
  if (preview_->isChecked()) previewStart_->start(Timing().PreviewMs);
}

void TFormCatalog::StartDrag() {
  dragged_ = SelectedSounds();
  if (dragged_.empty()) return;
  TDragInfo& drag = ChildFrame().Drag();
  drag.Clear();
  drag.Source = this;
  drag.Sounds = true;
  for (const auto& element : dragged_) drag.Items.push_back({element.get()});
  auto* qdrag = new QDrag(list_);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kLibrarianDragMime), QByteArray());
  qdrag->setMimeData(data);
  QWidget* target = nullptr;
  if (auto& run = CatalogWindowHooks().RunDrag) {
    target = run(*qdrag);
  } else if (qdrag->exec(Qt::CopyAction, Qt::CopyAction) != Qt::IgnoreAction) {
    target = qobject_cast<QWidget*>(qdrag->target());
  }
  if (target && drag.Accepted)
    if (auto& drop = CatalogWindowHooks().DropSounds) drop(*target);
  drag.Clear();
  dragged_.clear();
}

void TFormCatalog::ContextMenu(const QPoint& pos) {
  const QModelIndex at = list_->indexAt(pos);
  if (!at.isValid()) return;
  const int row = sorted_->mapToSource(at).row();
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("CatalogMenu"));
  auto add = [&menu](const char* name, const QString& text, auto slot) {
    QAction* action = menu.addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, slot);
    return action;
  };
  add("CatalogSimilar", QStringLiteral("Find Similar"), [this, row] { FindSimilar(row); });
  add("CatalogPlaces", QStringLiteral("Places"), [this, row] {
    QMessageBox::information(this, QStringLiteral("Places"), Places(row).join(u'\n'));
  });
  menu.addSeparator();
  const TIndexedSound& sound = index_.Sounds[static_cast<std::size_t>(results_->Row(row).Sound)];
  add("CatalogFavourite",
      sound.Favourite ? QStringLiteral("Not a Favourite") : QStringLiteral("Favourite"),
      [this, on = !sound.Favourite] { SetFavourite(on); });
  add("CatalogHide", sound.Hidden ? QStringLiteral("Show") : QStringLiteral("Hide"),
      [this, on = !sound.Hidden] { SetHidden(on); });
  auto ask = [this](const QString& title, QStringList names) {
    names.removeDuplicates();
    bool ok = false;
    const QString name =
        QInputDialog::getItem(this, title, QStringLiteral("Name:"), names, 0, true, &ok).trimmed();
    return ok ? name : QString();
  };
  QStringList tags;
  QStringList categories = TCategoryTable::Installed().Names();
  for (int i = 1; i < tag_->count(); ++i) tags << tag_->itemData(i).toString();
  for (int i = 1; i < category_->count(); ++i) categories << category_->itemData(i).toString();
  add("CatalogAddTag", QStringLiteral("Add Tag..."), [=, this] {
    const QString tag = ask(QStringLiteral("Add Tag"), tags);
    if (!tag.isEmpty()) SetTag(tag, true);
  });
  add("CatalogRemoveTag", QStringLiteral("Remove Tag..."), [=, this] {
    const QString tag = ask(QStringLiteral("Remove Tag"), tags);
    if (!tag.isEmpty()) SetTag(tag, false);
  });
  add("CatalogAddCategory", QStringLiteral("Add Category..."), [=, this] {
    const QString name = ask(QStringLiteral("Add Category"), categories);
    if (!name.isEmpty()) SetCategory(name, true);
  });
  add("CatalogRemoveCategory", QStringLiteral("Remove Category..."), [=, this] {
    const QString name = ask(QStringLiteral("Remove Category"), sound.Categories);
    if (!name.isEmpty()) SetCategory(name, false);
  });
  menu.exec(list_->viewport()->mapToGlobal(pos));
}

void TFormCatalog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    ChildFrame().ShowHelp(kHelpContext);
    return;
  }
  QWidget::keyPressEvent(event);
}
