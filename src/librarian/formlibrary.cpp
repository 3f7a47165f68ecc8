#include "librarian/formlibrary.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStandardItemModel>
#include <QStyle>
#include <QToolButton>

#include "dialogs/helpwindow.h"
#include "frame/childframe.h"
#include "librarian/librarianhost.h"
#include "librarian/librarygrid.h"
#include "librarian/libraryrow.h"
#include "librarian/toolicons.h"
#include "model/library.h"
#include "model/modelhooks.h"
#include "model/viewregistry.h"

namespace {
constexpr int kRowHeight = TLibraryGrid::kRowHeight;
constexpr int kMargin = 8;
// At the panel's width: the four header sections and the scroll bar.
constexpr int kGridWidth = 452;
constexpr int kHeaderHeight = 20;
constexpr int kRightColumn = 468;
constexpr int kRightWidth = TFormLibrary::kPanelWidth - kRightColumn - kMargin;
constexpr int kBottomRow = 32;  // from the bottom: sort buttons, Close, Empty
constexpr int kButtonRows = 4;
constexpr int kCellHeight = 26;
constexpr int kFrameHeight = kButtonRows * kCellHeight + 8;
constexpr int kHeaderWidths[] = {152, 110, 70, 90};

const char* const kNewHints[kKindCount] = {
    "New Patch",  "New Patch Bank",  "New Performance", "New Performance Bank",
    "New Rhythm", "New Rhythm Bank", "New System",      "New Global"};
const char* const kNewNames[kKindCount] = {"NewPatch",           "NewPatchBank", "NewPerformance",
                                           "NewPerformanceBank", "NewRhythm",    "NewRhythmBank",
                                           "NewSystem",          "Newglobal"};
const char* const kMaskNames[kKindCount] = {
    "SpeedPatch",  "SpeedPatchBank",  "speedPerformance", "speedPerformancebank",
    "SpeedRhythm", "speedRhythmbank", "Speedsystem",      "speedGlobal"};

// Where a window is in the frame: its sub-window's place, or its own.
bool PlaceOf(const QObject* object, TWindowPlace& place) {
  const auto* widget = qobject_cast<const QWidget*>(object);
  if (!widget) return false;
  if (auto* sub = qobject_cast<const QMdiSubWindow*>(widget->parentWidget())) widget = sub;
  // The file holds u16 values with FFFF meaning none; a window dragged off the top or left
  // edge is remembered at the edge.
  auto clamp = [](int v) { return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFE)); };
  place = {clamp(widget->x()), clamp(widget->y()), clamp(widget->width()), clamp(widget->height())};
  return true;
}

class TCaptionView : public TElementView {
 public:
  explicit TCaptionView(TFormLibrary& window) : window_(window) {}
  TLibElem* Element() const override { return window_.Library(); }
  void UpdateView() override { window_.Updateview(); }
  void CloseView() override { window_.Frame()->close(); }
  // A member renamed: its row is drawn again, in the place it has (no sorting while typing).
  void ShowName() override { window_.Grid()->viewport()->update(); }

 private:
  TFormLibrary& window_;
};
}  // namespace

TLibraryWindowHooks& LibraryWindowHooks() {
  static TLibraryWindowHooks hooks;
  return hooks;
}

TFormLibrary::TFormLibrary(TLibrary* library, TLibrarianHost& host, QWidget* parent)
    : QWidget(parent), host_(host), library_(library), isTrash_(library == &host.TrashLibrary()) {
  if (!isTrash_) owned_.reset(library);
  setObjectName(isTrash_ ? QStringLiteral("FormTrash") : QStringLiteral("FormLibrary"));
  setAttribute(Qt::WA_DeleteOnClose);
  SetHelpContext(this, HelpContext());
  if (!ModelHooks().WindowPlace) ModelHooks().WindowPlace = PlaceOf;
  library_->WindowOpen = true;
  library_->Editor = this;
  view_ = std::make_unique<TCaptionView>(*this);
  Views().Add(*library_, *view_);
  CreateControls();
  CreateMenu();
  // The panel's size is the least; a larger window shows more rows and wider columns.
  setMinimumSize(kPanelWidth, kMinHeight - 30);
  resize(kPanelWidth, kPanelHeight);
  setFocusProxy(grid_);
  auto* del = new QShortcut(QKeySequence::Delete, this);
  del->setContext(Qt::WidgetWithChildrenShortcut);
  connect(del, &QShortcut::activated, this, &TFormLibrary::DeleteSelected);
  Updateview();
  DisableVisible();
  SetRowCount();
}

TFormLibrary::~TFormLibrary() {
  Views().Remove(*library_, *view_);
  if (library_->Editor == this) {
    library_->WindowOpen = false;
    library_->Editor = nullptr;
  }
}

QWidget* TFormLibrary::Frame() const {
  if (subWindow_) return subWindow_;
  return const_cast<TFormLibrary*>(this);
}

QToolButton* TFormLibrary::ToolButton(const QString& name, const QString& hint, const QIcon& icon) {
  auto* button = new QToolButton(this);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setStatusTip(hint);
  button->setIcon(icon);
  button->setAutoRaise(true);
  button->setFixedSize(25, 25);
  return button;
}

void TFormLibrary::CreateControls() {
  QStyle* st = style();
  auto themed = [st](const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), st->standardIcon(fallback));
  };
  speedNuovo_ =
      ToolButton(QStringLiteral("SpeedNuovo"), QStringLiteral("New"), ToolIcon(TToolIcon::New));
  connect(speedNuovo_, &QToolButton::clicked, this, &TFormLibrary::EmptyLibrary);
  struct TTool {
    const char* name;
    const char* hint;
    const char* theme;
    QStyle::StandardPixmap fallback;
    std::function<void()> action;
  };
  const TTool tools[] = {
      {"Speedcomment", "Comment", "document-properties", QStyle::SP_FileDialogContentsView,
       [this] { EditComment(); }},
      {"SpeedPrint", "Print Selected", nullptr, QStyle::SP_CustomBase, [this] { PrintSelected(); }},
      {"SpeedDelete", "Delete Selected", "edit-delete", QStyle::SP_TrashIcon,
       [this] { DeleteSelected(); }},
      {"speedtransmet", "Send Selected", "go-next", QStyle::SP_ArrowRight,
       [this] { SendSelected(); }},
      {"speedreceive", "Receive Selected", "go-previous", QStyle::SP_ArrowLeft,
       [this] { ReceiveSelected(); }},
      {"SpeedSearch", "Search", "edit-find", QStyle::SP_FileDialogContentsView,
       [this] { SearchClick(false); }},
      {"Speeddebug", "Find Duplicate", "edit-copy", QStyle::SP_FileDialogDetailedView,
       [this] { SearchClick(true); }},
      {"speedMorph", "Patch Morphing", "media-playlist-shuffle", QStyle::SP_BrowserReload,
       [this] { MorphClick(); }},
      {"RandomBtn", "Patch Bank Random", "roll", QStyle::SP_DialogResetButton,
       [this] { RandomClick(); }},
  };
  libraryOnly_.push_back(speedNuovo_);
  for (const TTool& tool : tools) {
    QToolButton* button =
        ToolButton(QString::fromLatin1(tool.name), QString::fromLatin1(tool.hint),
                   tool.theme ? themed(tool.theme, tool.fallback) : ToolIcon(TToolIcon::Print));
    connect(button, &QToolButton::clicked, this, tool.action);
    libraryOnly_.push_back(button);
  }
  speedHelp_ =
      ToolButton(QStringLiteral("SpeedHelp"), QStringLiteral("Help"), ToolIcon(TToolIcon::Help));
  connect(speedHelp_, &QToolButton::clicked, this, [this] { host_.ShowHelp(HelpContext()); });

  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setObjectName(QStringLiteral("Header"));
  auto* headerModel = new QStandardItemModel(0, 4, header_);
  headerModel->setHorizontalHeaderLabels({QStringLiteral("Type"), QStringLiteral("Name"),
                                          QStringLiteral("Src/Dst"),
                                          QStringLiteral("Modified Date")});
  header_->setModel(headerModel);
  header_->setSectionResizeMode(QHeaderView::Fixed);
  header_->setStretchLastSection(true);
  header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int i = 0; i < 4; ++i) header_->resizeSection(i, kHeaderWidths[i]);
  grid_ = new TLibraryGrid(*this, this);
  grid_->SetHeader(header_);
  grid_->SetRowTexts([this](int row) { return RowTexts(row); });

  newLabel_ = new QLabel(QStringLiteral("New"), this);
  newFrame_ = new QFrame(this);
  static_cast<QFrame*>(newFrame_)->setFrameShape(QFrame::StyledPanel);
  maskLabel_ = new QLabel(QStringLiteral("Mask"), this);
  maskFrame_ = new QFrame(this);
  static_cast<QFrame*>(maskFrame_)->setFrameShape(QFrame::StyledPanel);
  for (int kind = 0; kind < kKindCount; ++kind) {
    const bool wide = WideKindIcon(kind);
    const QSize iconSize(wide ? 32 : 16, 16);
    const QRect cell(wide ? 50 : 5, 4 + (kind / 2) * kCellHeight, wide ? 44 : 40, 24);
    auto* button = new QToolButton(newFrame_);
    button->setObjectName(QString::fromLatin1(kNewNames[kind]));
    button->setToolTip(QString::fromLatin1(kNewHints[kind]));
    button->setIcon(KindIcon(kind));
    button->setIconSize(iconSize);
    button->setGeometry(cell);
    connect(button, &QToolButton::clicked, this, [this, kind] { NewElement(kind); });
    newButtons_[static_cast<std::size_t>(kind)] = button;

    auto* mask = new QToolButton(maskFrame_);
    mask->setObjectName(QString::fromLatin1(kMaskNames[kind]));
    mask->setToolTip(QStringLiteral("Mask ") + TLibElem::KindName(kind));
    mask->setIcon(KindIcon(kind));
    mask->setIconSize(iconSize);
    mask->setCheckable(true);
    mask->setGeometry(cell);
    connect(mask, &QToolButton::toggled, this, [this] { SetRowCount(); });
    maskButtons_[static_cast<std::size_t>(kind)] = mask;
  }
  libraryOnly_.push_back(newLabel_);
  libraryOnly_.push_back(newFrame_);
  btnUnmask_ = new QPushButton(QStringLiteral("Unmask All"), this);
  btnUnmask_->setObjectName(QStringLiteral("BtnUnmask"));
  connect(btnUnmask_, &QPushButton::clicked, this, &TFormLibrary::UnmaskAll);

  sortLabel_ = new QLabel(QStringLiteral("Sort By"), this);
  const char* const sortNames[] = {"SpeedType", "SpeedName", "SpeedDate"};
  const char* const sortCaptions[] = {"Type", "Name", "Date"};
  const char* const sortHints[] = {"Sort By Type", "Sort By Name", "Sort By Modified Date"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(sortNames[i]));
    button->setText(QString::fromLatin1(sortCaptions[i]));
    button->setToolTip(QString::fromLatin1(sortHints[i]));
    button->setCheckable(true);
    connect(button, &QToolButton::toggled, this,
            [this, i](bool down) { SortButtonToggled(i, down); });
    sortButtons_[static_cast<std::size_t>(i)] = button;
  }
  btnClose_ = new QPushButton(QStringLiteral("&Close"), this);
  btnClose_->setObjectName(QStringLiteral("btnClose"));
  btnClose_->setToolTip(QStringLiteral("Close This Library"));
  connect(btnClose_, &QPushButton::clicked, this, [this] { Frame()->close(); });
  btnEmpty_ = new QPushButton(QStringLiteral("Empty"), this);
  btnEmpty_->setObjectName(QStringLiteral("BtnEmpty"));
  connect(btnEmpty_, &QPushButton::clicked, this, &TFormLibrary::EmptyLibrary);
}

void TFormLibrary::Updateview() {
  setWindowTitle(isTrash_
                     ? QStringLiteral("Trash Library")
                     : QStringLiteral("Library : ") + library_->GetName() + QStringLiteral("[*]"));
  setWindowModified(!isTrash_ && !library_->Saved);
}

void TFormLibrary::DisableVisible() {
  for (QWidget* w : libraryOnly_) w->setVisible(!isTrash_);
  btnEmpty_->setVisible(isTrash_);
  LayOut();
}

void TFormLibrary::LayOut() {
  const int top = isTrash_ ? 8 : 42;
  // What the window has beyond the panel's width goes to the list; the buttons keep the right.
  const int extra = std::max(width() - kPanelWidth, 0);
  const int gridWidth = kGridWidth + extra;
  const int rightColumn = kRightColumn + extra;
  int x = kMargin;
  for (std::size_t i = 0; i < libraryOnly_.size() && i < 10; ++i) {
    libraryOnly_[i]->move(x, 8);
    x += 27 + (i == 2 || i == 5 ? 8 : 0);
  }
  const int bottom = height() - kBottomRow;
  if (isTrash_)
    speedHelp_->move(width() - kMargin - 25, bottom);
  else
    speedHelp_->move(x + 8, 8);

  // The name and the date columns share the extra width; the date's section stretches.
  header_->resizeSection(1, kHeaderWidths[1] + extra / 2);
  header_->setGeometry(kMargin, top, gridWidth, kHeaderHeight);
  const int gridTop = top + kHeaderHeight;
  const int rows = std::max((bottom - 6 - gridTop - 2 * grid_->frameWidth()) / kRowHeight, 1);
  grid_->setGeometry(kMargin, gridTop, gridWidth, grid_->HeightForRows(rows));
  for (int i = 1; i < 4; ++i) textX_[static_cast<std::size_t>(i)] = header_->sectionPosition(i) + 5;

  int y = top;
  if (!isTrash_) {
    newLabel_->setGeometry(rightColumn, y, kRightWidth, 16);
    newFrame_->setGeometry(rightColumn, y + 16, kRightWidth, kFrameHeight);
    y += 16 + kFrameHeight + 6;
  }
  maskLabel_->setGeometry(rightColumn, y, kRightWidth, 16);
  maskFrame_->setGeometry(rightColumn, y + 16, kRightWidth, kFrameHeight);
  btnUnmask_->setGeometry(rightColumn, y + 16 + kFrameHeight + 6, kRightWidth, 26);

  sortLabel_->setGeometry(kMargin, bottom, 48, 25);
  for (int i = 0; i < 3; ++i)
    sortButtons_[static_cast<std::size_t>(i)]->setGeometry(kMargin + 50 + i * 52, bottom, 50, 25);
  btnClose_->setGeometry(kMargin + gridWidth - 80, bottom, 80, 25);
  btnEmpty_->setGeometry(kMargin + gridWidth - 168, bottom, 80, 25);
}

void TFormLibrary::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

void TFormLibrary::Prepare() {
  subWindow_ = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (subWindow_) {
    subWindow_->setWindowIcon(KindIcon(isTrash_ ? ekGlobal : ekPatchBank));
    subWindow_->installEventFilter(this);
  }
  Updateview();
  DisableVisible();
  PlaceInFrame();
  placed_ = true;
  SetRowCount();
  SortElem();
  PosizionaOtt();
}

void TFormLibrary::PlaceInFrame() {
  QWidget* frame = Frame();
  // Sized now, so that showing the window in the frame does not size it again.
  frame->ensurePolished();
  frame->resize(frame->sizeHint());
  // The stored size, never below the panel's.
  if (library_->Width != 0xFFFF)
    frame->resize(std::max<int>(library_->Width, frame->width()), frame->height());
  if (library_->Height != 0xFFFF)
    frame->resize(frame->width(), std::max<int>(library_->Height, kMinHeight));
  QPoint pos(library_->WinLeft, library_->WinTop);
  // A window with no stored place goes beside the window it was opened from, whole in the frame.
  if (library_->WinTop == 0xFFFF) pos = ChildFrame().NewPlace(subWindow_, frame->size());
  frame->move(pos);
  // Taking the place is no change of the library.
  library_->WinLeft = static_cast<std::uint16_t>(std::clamp(frame->x(), 0, 0xFFFE));
  library_->WinTop = static_cast<std::uint16_t>(std::clamp(frame->y(), 0, 0xFFFE));
  library_->Width = static_cast<std::uint16_t>(std::clamp(frame->width(), 0, 0xFFFE));
  library_->Height = static_cast<std::uint16_t>(std::clamp(frame->height(), 0, 0xFFFE));
}

void TFormLibrary::StoreGeometry() {
  const bool saved = library_->Saved;
  library_->StorePositions();
  if (saved && !library_->Saved) host_.EnableMenuItems();
}

bool TFormLibrary::eventFilter(QObject* watched, QEvent* event) {
  // The event's type first: the frame also reports its children going while it is destroyed,
  // and reading the guarded frame then casts an object that is no longer one.
  if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && placed_ &&
      watched == subWindow_)
    StoreGeometry();
  return QWidget::eventFilter(watched, event);
}

bool TFormLibrary::Masked(int kind) const {
  return kind >= 0 && kind < kKindCount &&
         maskButtons_[static_cast<std::size_t>(kind)]->isChecked();
}

void TFormLibrary::SetMasked(int kind, bool masked) {
  maskButtons_[static_cast<std::size_t>(kind)]->setChecked(masked);
}

void TFormLibrary::UnmaskAll() {
  for (QToolButton* mask : maskButtons_) {
    const QSignalBlocker block(mask);
    mask->setChecked(false);
  }
  SetRowCount();
}

int TFormLibrary::MaxVis() const {
  int visible = 0;
  for (const auto& element : library_->Elements)
    if (!Masked(element->Kind)) ++visible;
  return visible - 1;
}

int TFormLibrary::CalcIndex(int row) const {
  if (row < 0) return -1;
  int visible = -1;
  for (int i = 0; i < library_->Count(); ++i)
    if (!Masked(library_->Elements[static_cast<std::size_t>(i)]->Kind) && ++visible == row)
      return i;
  return -1;
}

void TFormLibrary::SetRowCount() {
  grid_->SetRowCount(MaxVis() + 1);
}

void TFormLibrary::SortButtonToggled(int which, bool down) {
  // One group: at most one button down, and all may be up.
  if (down)
    for (int i = 0; i < 3; ++i)
      if (i != which) {
        const QSignalBlocker block(sortButtons_[static_cast<std::size_t>(i)]);
        sortButtons_[static_cast<std::size_t>(i)]->setChecked(false);
      }
  SortElem();
  grid_->viewport()->update();
}

void TFormLibrary::SortElem() {
  TSortKey key = TSortKey::CreatedDate;
  if (sortButtons_[0]->isChecked())
    key = TSortKey::Kind;
  else if (sortButtons_[1]->isChecked())
    key = TSortKey::Name;
  else if (sortButtons_[2]->isChecked())
    key = TSortKey::ModifiedDate;
  library_->Sort(key);
}

void TFormLibrary::KeyboardSelect(int anchorRow, int row, bool extend) {
  const int index = CalcIndex(row);
  if (index < 0) return;
  const int anchor = extend ? CalcIndex(anchorRow) : -1;
  if (anchor < 0) {
    SelectElement(index, TSelectMode::Plain);
  } else {
    // As a Shift-click: every list position between the two, hidden ones too.
    DeselectAll();
    for (int i = std::min(anchor, index); i <= std::max(anchor, index); ++i)
      library_->Elements[static_cast<std::size_t>(i)]->Selected = true;
  }
  grid_->viewport()->update();
}

void TFormLibrary::PosizionaOtt() {
  if (sortButtons_[0]->isChecked() || sortButtons_[1]->isChecked()) return;
  const int visible = grid_->VisibleRows();
  const int maxVis = MaxVis();
  grid_->SetTopRow(visible <= maxVis ? maxVis - visible + 1 : 0);
}

void TFormLibrary::RefreshList() {
  SetRowCount();
  SortElem();
  PosizionaOtt();
  grid_->viewport()->update();
}

QStringList TFormLibrary::RowTexts(int row) const {
  const int index = CalcIndex(row);
  if (index < 0) return {};
  const TLibElem& element = *library_->Elements[static_cast<std::size_t>(index)];
  return {element.KindName(), element.GetName(), element.LocationText(), ModifiedText(element)};
}

void TFormLibrary::DrawRow(QPainter& painter, int row, const QRect& rect) const {
  const int index = CalcIndex(row);
  if (index < 0) {
    painter.fillRect(rect, Qt::white);
    return;
  }
  const TLibElem& element = *library_->Elements[static_cast<std::size_t>(index)];
  painter.fillRect(rect, element.Selected ? QColor(0x00, 0xFF, 0xFF) : QColor(Qt::white));
  const QPixmap icon = KindIcon(element.Kind);
  painter.drawPixmap(WideKindIcon(element.Kind) ? 10 : 26, rect.top() + 1, icon);
  painter.setPen(Qt::black);
  const int baseline = rect.top() + 1 + painter.fontMetrics().ascent();
  const QStringList texts = RowTexts(row);
  for (int i = 0; i < 4; ++i)
    painter.drawText(textX_[static_cast<std::size_t>(i)], baseline, texts[i]);
}
