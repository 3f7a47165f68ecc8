#include "librarian/formsearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTime>

#include "dialogs/helpwindow.h"
#include "librarian/libraryrow.h"
#include "librarian/printing.h"
#include "librarian/rowgrid.h"
#include "midi/config.h"
#include "midi/userinterface.h"
#include "model/libelem.h"
#include "model/search.h"

// The result list: rows of 18 pixels drawn by the window, scrolled by whole rows. A click or the
// keyboard marks one row, so that a long list can be read row by row.
class TSearchGrid : public TRowGrid {
 public:
  TSearchGrid(TFormSearch& form, QWidget* parent) : TRowGrid(parent), form_(form) {
    viewport()->setAcceptDrops(false);
  }
  void Refresh() {
    SetCurrentRow(-1);
    SetRowCount(form_.RowCount());
    SetTopRow(0);
  }

 protected:
  void DrawRow(QPainter& painter, int row, const QRect& rect) override {
    form_.DrawRow(painter, row, rect);
  }
  void mousePressEvent(QMouseEvent* event) override {
    const int row = RowAt(event->position().toPoint().y());
    if (row < static_cast<int>(form_.Results().size())) {
      SetCurrentRow(row);
      viewport()->update();
    }
  }

 private:
  TFormSearch& form_;
};

namespace {
QCheckBox* Box(const char* name, const char* caption, QWidget* parent, bool checked = false) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  return box;
}

QLineEdit* Edit(const char* name, const char* mask, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setInputMask(QString::fromLatin1(mask));
  return edit;
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

const QDate kDayZero(1899, 12, 30);

// The search window every library window opens.
QPointer<TFormSearch>& TheWindow() {
  static QPointer<TFormSearch> window;
  return window;
}

// The mask of a date edit for a format of digit fields ("00/00/00" for "MM/dd/yy"); none for a
// format that names its months.
QString DateMask(const QString& format) {
  QString mask;
  for (const QChar c : format) {
    if (c == u'd' || c == u'M' || c == u'y') {
      mask += u'0';
    } else if (c.isLetterOrNumber()) {
      return QString();
    } else {
      if (QStringLiteral("\\<>!;[]{}").contains(c)) mask += u'\\';
      mask += c;
    }
  }
  return mask + QStringLiteral(";_");
}

// A date in a format of digit fields (dd, MM, yy or yyyy) and separators. A field may have fewer
// digits than its width, except the year. Two-digit years: 00 to 49 are 2000 to 2049, 50 to 99
// are 1950 to 1999.
bool ReadDigitDate(const QString& text, const QString& format, QDate& date) {
  int day = 0, month = 0, year = 0;
  qsizetype t = 0;
  for (qsizetype f = 0; f < format.size();) {
    const QChar c = format[f];
    qsizetype end = f;
    while (end < format.size() && format[end] == c) ++end;
    const qsizetype width = end - f;
    if (c == u'd' || c == u'M' || c == u'y') {
      int value = 0;
      qsizetype digits = 0;
      for (; t < text.size() && digits < width && text[t].isDigit(); ++t, ++digits)
        value = value * 10 + text[t].digitValue();
      if (digits == 0 || (c == u'y' && digits != width)) return false;
      if (c == u'd')
        day = value;
      else if (c == u'M')
        month = value;
      else
        year = width == 2 ? value + (value < 50 ? 2000 : 1900) : value;
    } else {
      if (text.mid(t, width) != format.mid(f, width)) return false;
      t += width;
    }
    f = end;
  }
  date = QDate(year, month, day);
  return t == text.size() && date.isValid();
}
}  // namespace

TFormSearch::TFormSearch(TLibrary& library, bool duplicates, QWidget* parent)
    : QDialog(parent), library_(&library), duplicates_(duplicates) {
  setObjectName(QStringLiteral("FormSearch"));
  setModal(true);
  CreateControls();
  SizeColumns();
  LayOut();
  AddHelpKey(this);
}

TFormSearch::~TFormSearch() = default;

void TFormSearch::Execute(QWidget& parent, TLibrary& library, bool duplicates, QWidget* owner) {
  QPointer<TFormSearch>& window = TheWindow();
  if (!window) {
    // Owned by the main window, so that it outlives the library window that opened it.
    window = new TFormSearch(library, duplicates, owner ? owner : parent.window());
  }
  window->SetTarget(library, duplicates);
  window->exec();
}

void TFormSearch::SetTarget(TLibrary& library, bool duplicates) {
  library_ = &library;
  if (duplicates_ == duplicates) return;
  duplicates_ = duplicates;
  LayOut();
}

int TFormSearch::HelpContext() const {
  return duplicates_ ? kDuplicateHelpContext : kSearchHelpContext;
}

void TFormSearch::CreateControls() {
  nameLabel_ = new QLabel(QStringLiteral("Name"), this);
  searchString_ = new QLineEdit(this);
  searchString_->setObjectName(QStringLiteral("SearchString"));
  // Enter in the name runs the search.
  connect(searchString_, &QLineEdit::returnPressed, this, [this] { Search(); });

  searchFor_ = new QGroupBox(QStringLiteral("Search For"), this);
  patch_ = Box("Patch", " Patch", searchFor_, true);
  performance_ = Box("Performance", " Performance", searchFor_, true);
  rhythm_ = Box("Rhythm", " Rhythm", searchFor_, true);
  system_ = Box("system", " System", searchFor_, true);

  options_ = new QGroupBox(QStringLiteral("Options"), this);
  caseSens_ = Box("CaseSens", " Case Sensitive", options_);
  substring_ = Box("substring", " Substring", options_, true);
  date_ = Box("Date", " Date", options_);
  time_ = Box("Time", " Time", options_);
  selected_ = Box("Selected", " Search into Selected", options_);

  dateBox_ = new QGroupBox(QStringLiteral("Modified Date"), this);
  fromDate_ = Edit("FromDate", "", dateBox_);
  toDate_ = Edit("Todate", "", dateBox_);
  timeBox_ = new QGroupBox(QStringLiteral("Modified Time"), this);
  fromTime_ = Edit("Fromtime", "09:99:99;_", timeBox_);
  toTime_ = Edit("Totime", "09:99:99;_", timeBox_);
  for (QGroupBox* box : {dateBox_, timeBox_}) {
    new QLabel(QStringLiteral("From"), box);
    new QLabel(QStringLiteral("To"), box);
  }

  debCaseSens_ = Box("DebCaseSens", " Case Sensitive", this);
  selectedDebug_ = Box("SelectedDebug", " Search Into Selected", this);
  // Copies of one sound stored under different names.
  sameSound_ = Box("SameSound", " Same Sound", this);

  btnSearch_ = Button("Btnsearch", "Search", this);
  gaugeLabel_ = new QLabel(QStringLiteral("Progress"), this);
  gauge_ = new QProgressBar(this);
  gauge_->setObjectName(QStringLiteral("Gauge"));
  gauge_->setRange(0, 100);
  gauge_->setTextVisible(false);

  auto* sections = new QStandardItemModel(0, 4, this);
  sections->setHorizontalHeaderLabels({QStringLiteral("Type"), QStringLiteral("Name"),
                                       QStringLiteral("Modified Date"),
                                       QStringLiteral("Location")});
  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setObjectName(QStringLiteral("Header"));
  header_->setModel(sections);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header_->resizeSection(0, 96);
  header_->resizeSection(1, 100);
  header_->resizeSection(2, 110);
  header_->setStretchLastSection(true);
  header_->setSectionsClickable(false);
  grid_ = new TSearchGrid(*this, this);
  grid_->SetHeader(header_);
  grid_->SetRowTexts([this](int row) { return RowTexts(row); });

  btnClose_ = Button("BitBtn1", "&Close", this);
  btnPrint_ = Button("StampaBtn", "Print", this);
  btnSave_ = Button("Savetodisk", "Save To Disk", this);

  connect(date_, &QCheckBox::toggled, this, [this] { EnableEdits(); });
  connect(time_, &QCheckBox::toggled, this, [this] { EnableEdits(); });
  connect(btnSearch_, &QPushButton::clicked, this, [this] { Search(); });
  connect(btnPrint_, &QPushButton::clicked, this, [this] { Print(); });
  connect(btnSave_, &QPushButton::clicked, this, [this] { SaveToDisk(); });
  connect(btnClose_, &QPushButton::clicked, this, [this] { close(); });
}

void TFormSearch::SizeColumns() {
  // A date and a time that are wide in every format: two-digit day and month, late hours.
  const QString widest = DateTimeText(QDateTime(QDate(2028, 12, 28), QTime(23, 58, 58)));
  const int date = grid_->viewport()->fontMetrics().horizontalAdvance(widest) + 12;
  header_->resizeSection(2, std::max(110, date));
}

void TFormSearch::LayOut() {
  setWindowTitle(duplicates_ ? QStringLiteral("Find Duplicate Items")
                             : QStringLiteral("Search Items"));
  SetHelpContext(this, HelpContext());
  for (QWidget* widget :
       std::initializer_list<QWidget*>{nameLabel_, searchString_, options_, dateBox_, timeBox_})
    widget->setVisible(!duplicates_);
  for (QWidget* widget : {debCaseSens_, selectedDebug_, sameSound_})
    widget->setVisible(duplicates_);

  const QList<QCheckBox*> kinds{patch_, performance_, rhythm_, system_};
  for (int i = 0; i < kinds.size(); ++i) kinds[i]->setGeometry(10, 20 + i * 20, 120, 18);
  const QList<QCheckBox*> options{caseSens_, substring_, date_, time_, selected_};
  for (int i = 0; i < options.size(); ++i) options[i]->setGeometry(10, 20 + i * 20, 170, 18);
  for (QGroupBox* box : {dateBox_, timeBox_}) {
    const QList<QLabel*> labels = box->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < labels.size(); ++i) labels[i]->setGeometry(8, 22 + i * 26, 34, 20);
  }
  fromDate_->setGeometry(44, 20, 86, 22);
  toDate_->setGeometry(44, 46, 86, 22);
  fromTime_->setGeometry(44, 20, 80, 22);
  toTime_->setGeometry(44, 46, 80, 22);

  int top = 0;
  if (duplicates_) {
    // The kinds at the top and the Search button beside them.
    searchFor_->setGeometry(8, 8, 140, 106);
    debCaseSens_->setGeometry(160, 28, 180, 18);
    selectedDebug_->setGeometry(160, 50, 180, 18);
    sameSound_->setGeometry(160, 72, 180, 18);
    btnSearch_->setGeometry(350, 24, 90, 26);
    top = 124;
  } else {
    nameLabel_->setGeometry(8, 8, 60, 16);
    searchString_->setGeometry(8, 26, 200, 22);
    searchFor_->setGeometry(8, 56, 140, 126);
    options_->setGeometry(156, 56, 190, 126);
    dateBox_->setGeometry(354, 8, 136, 78);
    timeBox_->setGeometry(354, 96, 136, 78);
    btnSearch_->setGeometry(216, 24, 90, 26);
    top = 192;
  }
  const int width = 560;
  gaugeLabel_->setGeometry(8, top, 60, 18);
  gauge_->setGeometry(70, top + 2, width - 78, 14);
  header_->setGeometry(8, top + 24, width - 16, 22);
  grid_->setGeometry(8, top + 46, width - 16, 200);
  const int buttons = top + 256;
  btnClose_->setGeometry(width - 8 - 3 * 100 - 16, buttons, 100, 28);
  btnPrint_->setGeometry(width - 8 - 2 * 100 - 8, buttons, 100, 28);
  btnSave_->setGeometry(width - 8 - 100, buttons, 100, 28);
  setFixedSize(width, buttons + 36);
}

void TFormSearch::EnableEdits() {
  fromDate_->setEnabled(date_->isChecked());
  toDate_->setEnabled(date_->isChecked());
  fromTime_->setEnabled(time_->isChecked());
  toTime_->setEnabled(time_->isChecked());
}

void TFormSearch::Clear() {
  results_.clear();
  grid_->Refresh();
}

void TFormSearch::showEvent(QShowEvent* event) {
  // The dates are typed as the lists show them (the locale may have changed since).
  const QString mask = DateMask(DateFormat());
  for (QLineEdit* edit : {fromDate_, toDate_})
    if (edit->inputMask() != mask) edit->setInputMask(mask);
  searched_ = false;
  EnableEdits();
  Clear();
  searchString_->clear();
  gauge_->setValue(0);
  QDialog::showEvent(event);
}

void TFormSearch::closeEvent(QCloseEvent* event) {
  Clear();
  QDialog::closeEvent(event);
}

QString TFormSearch::DateFormat() {
  const QString shown = QLocale().dateFormat(QLocale::ShortFormat);
  QString format;
  for (qsizetype i = 0; i < shown.size();) {
    const QChar c = shown[i];
    qsizetype end = i;
    while (end < shown.size() && shown[end] == c) ++end;
    const qsizetype count = end - i;
    if (c == u'd' && count <= 2)
      format += QStringLiteral("dd");
    else if (c == u'M' && count <= 2)
      format += QStringLiteral("MM");
    else if (c == u'y')
      format += count >= 4 ? QStringLiteral("yyyy") : QStringLiteral("yy");
    else
      format += shown.mid(i, count);  // separators, or names typed as shown
    i = end;
  }
  return format;
}

bool TFormSearch::ParseDate(const QString& text, double& day) {
  const QString format = DateFormat();
  QDate date;
  if (DateMask(format).isEmpty())
    date = QLocale().toDate(text.trimmed(), format);
  else if (!ReadDigitDate(text.trimmed(), format, date))
    return false;
  if (!date.isValid()) return false;
  day = static_cast<double>(kDayZero.daysTo(date));
  return true;
}

bool TFormSearch::ParseTime(const QString& text, double& time) {
  const QStringList parts = text.split(u':');
  if (parts.size() != 3) return false;
  int values[3] = {};
  for (int i = 0; i < 3; ++i) {
    bool ok = false;
    values[i] = parts[i].trimmed().toInt(&ok);
    if (!ok) return false;
  }
  const QTime clock(values[0], values[1], values[2]);
  if (!clock.isValid()) return false;
  time = clock.msecsSinceStartOfDay() / 86400000.0;
  return true;
}

bool TFormSearch::ReadOptions(TSearchOptions& options) {
  options.Patch = patch_->isChecked();
  options.Performance = performance_->isChecked();
  options.Rhythm = rhythm_->isChecked();
  options.System = system_->isChecked();
  options.DataCard = Config().DataCard;
  if (duplicates_) {
    options.Mode = sameSound_->isChecked() ? TSearchMode::SameSound : TSearchMode::DuplicateNames;
    options.CaseSensitive = debCaseSens_->isChecked();
    options.SelectedOnly = selectedDebug_->isChecked();
    return true;
  }
  options.Mode = TSearchMode::Search;
  options.Pattern = TSearch::Trimmed(searchString_->text());
  options.CaseSensitive = caseSens_->isChecked();
  options.Substring = substring_->isChecked();
  options.SelectedOnly = selected_->isChecked();
  auto read = [](QLineEdit* edit, bool (*parse)(const QString&, double&), const char* what,
                 double& value) {
    if (parse(edit->text(), value)) return true;
    UI().Show(TMsgKind::Error,
              QStringLiteral("'%1' is not a valid %2").arg(edit->text(), QLatin1String(what)));
    edit->setFocus();
    return false;
  };
  options.UseDate = date_->isChecked();
  if (options.UseDate && (!read(fromDate_, ParseDate, "date", options.FromDate) ||
                          !read(toDate_, ParseDate, "date", options.ToDate)))
    return false;
  options.UseTime = time_->isChecked();
  if (options.UseTime && (!read(fromTime_, ParseTime, "time", options.FromTime) ||
                          !read(toTime_, ParseTime, "time", options.ToTime)))
    return false;
  return true;
}

bool TFormSearch::Search() {
  searched_ = true;
  Clear();
  TSearchOptions options;
  if (!ReadOptions(options)) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  gauge_->setValue(0);
  results_ = TSearch::Run(*library_, options, [this](int percent) {
    gauge_->setValue(percent);
    gauge_->repaint();
  });
  gauge_->setValue(100);
  grid_->Refresh();
  QApplication::restoreOverrideCursor();
  return true;
}

int TFormSearch::RowCount() const {
  return qMax(1, static_cast<int>(results_.size()));
}

QStringList TFormSearch::RowTexts(int row) const {
  if (row < 0) return {};
  if (results_.empty())
    return row == 0 && searched_ ? QStringList{QStringLiteral("No Items Found")} : QStringList{};
  if (row >= static_cast<int>(results_.size())) return {};
  const TLibElem& element = *results_[static_cast<std::size_t>(row)];
  return {element.KindName(), element.GetName(), ModifiedText(element), OwnerPath(element)};
}

void TFormSearch::DrawRow(QPainter& painter, int row, const QRect& rect) const {
  painter.fillRect(rect, Qt::white);
  const QStringList texts = RowTexts(row);
  if (texts.isEmpty()) return;
  painter.setPen(Qt::black);
  const int baseline = rect.top() + 1 + painter.fontMetrics().ascent();
  if (texts.size() == 1) {
    painter.drawText(26, baseline, texts[0]);
    return;
  }
  if (row == grid_->CurrentRow()) painter.fillRect(rect, QColor(0x00, 0xFF, 0xFF));
  painter.drawPixmap(5, rect.top() + 1, KindIcon(results_[static_cast<std::size_t>(row)]->Kind));
  // Each text stays inside its column: a long name must not run over the date.
  const int columns[] = {26, header_->sectionPosition(1) + 5, header_->sectionPosition(2) + 5,
                         header_->sectionPosition(3) + 5, rect.right()};
  for (int i = 0; i < 4; ++i) {
    const int room = columns[i + 1] - columns[i] - 4;
    painter.drawText(columns[i], baseline,
                     painter.fontMetrics().elidedText(texts[i], Qt::ElideRight, room));
  }
}

void TFormSearch::Print() {
  PrintElements(results_, true, Config().DataCard);
}

void TFormSearch::SaveToDisk() {
  TFileDialogOptions dialog;
  dialog.Title = QStringLiteral("Save as Text");
  dialog.DefaultExt = QStringLiteral("Txt");
  dialog.Filter = QStringLiteral("Txt file|*.Txt");
  dialog.FileName = QStringLiteral("Result.Txt");
  const QString path = UI().ChooseSaveFile(dialog);
  if (path.isEmpty()) return;
#ifdef Q_OS_WIN
  const QString lineEnd = QStringLiteral("\r\n");
#else
  const QString lineEnd = QStringLiteral("\n");
#endif
  QString text;
  for (const TLibElem* element : results_)
    text += TSearch::ExportLine(*element, ModifiedText(*element)) + lineEnd;
  // Written aside and put in place whole, so that a failed save leaves no half file behind.
  QSaveFile file(path);
  const QByteArray bytes = text.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    UI().Show(TMsgKind::Error, QStringLiteral("Error Saving text file"));
}
