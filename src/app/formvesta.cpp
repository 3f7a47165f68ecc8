#include "app/formvesta.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "app/inifile.h"
#include "app/interfacesize.h"
#include "app/vesta.h"
#include "dialogs/formabout.h"
#include "dialogs/formcomment.h"
#include "dialogs/forminout.h"
#include "dialogs/formintro.h"
#include "dialogs/formmonitor.h"
#include "dialogs/helpwindow.h"
#include "librarian/formlibrary.h"
#include "librarian/formsearch.h"
#include "librarian/librarywindow.h"
#include "librarian/printing.h"
#include "librarian/toolicons.h"
#include "librarian/trashpanel.h"
#include "midi/timing.h"
#include "midi/userinterface.h"
#include "model/library.h"
#include "model/modelhooks.h"
#include "tools/preview.h"
#include "tools/toolhost.h"

namespace {
TFormvesta* instance = nullptr;

constexpr int kTrashMargin = 15;
constexpr int kToolBarHeight = 39;
constexpr int kHelpContext = 3;
const QString kDesktop = QStringLiteral("Desktop");

struct TItem {
  const char* Name;
  const char* Caption;
  QKeySequence Shortcut;
  const char* Hint;
};
}  // namespace

TFormvesta::TFormvesta(TVesta& vesta, QWidget* parent)
    : QMainWindow(parent),
      vesta_(vesta),
      mdiArea_(new QMdiArea(this)),
      trash_(std::make_unique<TLibrary>()) {
  instance = this;
  setObjectName(QStringLiteral("Formvesta"));
  setWindowTitle(QStringLiteral("Vesta"));
  setWindowIcon(QIcon(TFormeditorAbout::ProgramPicture(64, 2.0)));
  resize(1024, 720);
  mdiArea_->setObjectName(QStringLiteral("ClientArea"));
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // A maximised library stays so while a bank or an editor opens over it: most children have a
  // fixed or a least size, and a child maximised on its activation was drawn at that size in the
  // corner and came back from it without the size it opened at.
  mdiArea_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  setCentralWidget(mdiArea_);
  setAcceptDrops(true);
  // Every child enters the frame through the child frame; the menus and the trash follow.
  ChildFrame().SetArea(mdiArea_);
  ChildFrame().ChildrenChanged = [] {
    if (!instance || instance->dying_) return;
    instance->trashPanel_->raise();
    instance->EnableMenuItems();
  };
  ChildFrame().Help = [](int context) {
    if (instance) instance->ShowHelp(context);
  };
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TFormvesta::EnableMenuItems);
  mdiArea_->installEventFilter(this);

  formInOut_ = new TFormInOut(vesta, this);
  timerPreview_ = new QTimer(this);
  timerPreview_->setObjectName(QStringLiteral("TimerPreview"));
  timerPreview_->setSingleShot(true);
  connect(timerPreview_, &QTimer::timeout, this, [this] {
    StartPreview();
    timerPreview_->stop();
  });

  popupCopyMove_ = new QMenu(this);
  popupCopyMove_->setObjectName(QStringLiteral("PopupCopyMove"));
  popupCopyMove_
      ->addAction(QStringLiteral("Move"), this,
                  [this] {
                    if (popupMove_) popupMove_();
                  })
      ->setObjectName(QStringLiteral("PopupMove"));
  popupCopyMove_
      ->addAction(QStringLiteral("Copy"), this,
                  [this] {
                    if (popupCopy_) popupCopy_();
                  })
      ->setObjectName(QStringLiteral("PopupCopy"));

  trashPanel_ = new TTrashPanel(*this, mdiArea_);
  connect(trashPanel_, &TTrashPanel::DoubleClicked, this, &TFormvesta::OpenTrashWindow);

  CreateActions();
  CreateMenus();
  CreateToolBar();
  statusBar();
  InstallHooks();
  InstallToolHooks();
  InstallCatalogHooks();
  trashPanel_->show();
  PlaceTrash();
  SvuotaSecchio();
  EnableMenuItems();
}

TFormvesta::~TFormvesta() {
  dying_ = true;
  qApp->removeEventFilter(this);
  ModelHooks().EnableMenuItems = nullptr;
  PreviewNoteHook() = nullptr;
  ToolHost() = TToolHost();
  // The children go while the trash they may show still exists.
  delete mdiArea_;
  mdiArea_ = nullptr;
  ChildFrame().Drag().Clear();
  ChildFrame().DragInProgress = false;
  ChildFrame().ChildrenChanged = nullptr;
  ChildFrame().Help = nullptr;
  trash_.reset();
  if (instance == this) instance = nullptr;
}

void TFormvesta::InstallHooks() {
  ModelHooks().EnableMenuItems = [] {
    if (instance) instance->EnableMenuItems();
  };
  // An element's open window comes to the front of the frame when it is opened again.
  ModelHooks().BringToFront = [](QObject* window) {
    ChildFrame().BringToFront(qobject_cast<QWidget*>(window));
  };
  // In a rhythm note window the audition plays the key being edited, which the window keeps in
  // its "PreviewNote" property; elsewhere the configured note.
  PreviewNoteHook() = [] {
    const QWidget* active = ChildFrame().ActiveChild();
    const QVariant note = active ? active->property("PreviewNote") : QVariant();
    return note.isValid() ? note.toInt() : -1;
  };
  TLibraryWindowHooks& hooks = LibraryWindowHooks();
  hooks.StartPreview = [] { StartPreview(); };
  hooks.StartPatchAudition = [] {
    ShowAuditionCursor();
    if (instance) instance->timerPreview_->start(Timing().PreviewMs);
  };
  hooks.EditComment = [](QWidget& window, TLibrary& library) {
    TFormcomment dialog(&window);
    return dialog.Edit(library.Comment);
  };
  hooks.Search = [](QWidget& window, TLibrary& library, bool duplicates) {
    TFormSearch::Execute(window, library, duplicates, instance);
  };
}

void TFormvesta::CreateActions() {
  const TItem items[] = {
      {"FileNewItem", "&New", {}, "Create a new file"},
      {"FileOpenItem", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O), "Open an existing file"},
      {"FileImportXPItem", "&Import From XP", {}, ""},
      {"FileCloseItem", "&Close", {}, "Close current file"},
      {"FileSaveItem", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), "Save current file"},
      {"FileSaveAsItem", "Save &As...", {}, "Save current file as..."},
      {"FileExportXPItem", "&Export To XP", {}, ""},
      {"FileSaveAllItem", "Save A&ll", QKeySequence(Qt::CTRL | Qt::Key_A), ""},
      {"FilePrintItem", "&Print", {}, ""},
      {"FileExitItem", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_X), "Exit the application"},
      {"SettingsMidiItem", "&Midi", {}, ""},
      {"SettingsPreviewItem", "&Preview", {}, ""},
      {"SettingsExpansionItem", "&Expansion", {}, ""},
      {"SettingsNamesItem", "&Names", QKeySequence(Qt::CTRL | Qt::Key_N), ""},
      {"GadgetsKeyboardItem", "&Keyboard", QKeySequence(Qt::CTRL | Qt::Key_K), ""},
      {"GadgetsMonitorItem", "&Monitor", QKeySequence(Qt::CTRL | Qt::Key_M), ""},
      {"GadgetsCatalogItem", "&Catalog", {}, "Find sounds in every file of the catalog's folders"},
      {"SettingsCatalogItem", "&Catalog", {}, "Choose the folders of the sound catalog"},
      {"WindowCascadeItem", "&Cascade", {}, "Arrange windows to overlap"},
      {"WindowTileItem", "&Tile", {}, "Arrange windows without overlap"},
      {"WindowArrangeItem", "&Arrange Icons", {}, "Arrange window icons at bottom of main window"},
      {"WindowMinimizeItem", "&Minimize All", {}, "Minimize all windows"},
      {"HelpIndexItem", "&Index", {}, "Help topics"},
      {"HelpAboutItem", "&About", {}, ""},
      {"HelpContentsItem", "Help", {}, "Help topics"},
      {"HelpKeyItem", "Help", QKeySequence(Qt::Key_F1), ""},
  };
  for (const TItem& item : items) {
    auto* action = new QAction(QString::fromUtf8(item.Caption), this);
    action->setObjectName(QString::fromLatin1(item.Name));
    action->setShortcut(item.Shortcut);
    action->setStatusTip(QString::fromUtf8(item.Hint));
  }
  auto bind = [this](const char* name, auto slot) {
    connect(Action(QString::fromLatin1(name)), &QAction::triggered, this, slot);
  };
  bind("FileNewItem", &TFormvesta::FileNewItemClick);
  bind("FileOpenItem", &TFormvesta::FileOpenItemClick);
  bind("FileImportXPItem", &TFormvesta::FileImportXPItemClick);
  bind("FileCloseItem", &TFormvesta::FileCloseItemClick);
  bind("FileSaveItem", &TFormvesta::FileSaveItemClick);
  bind("FileSaveAsItem", &TFormvesta::FileSaveAsItemClick);
  bind("FileExportXPItem", &TFormvesta::FileExportXPItemClick);
  bind("FileSaveAllItem", &TFormvesta::FileSaveAllItemClick);
  bind("FilePrintItem", &TFormvesta::FilePrintItemClick);
  bind("FileExitItem", &QWidget::close);
  bind("SettingsMidiItem", &TFormvesta::SettingsMidiItemClick);
  bind("SettingsPreviewItem", &TFormvesta::SettingsPreviewItemClick);
  bind("GadgetsKeyboardItem", &TFormvesta::GadgetsKeyboardItemClick);
  bind("GadgetsMonitorItem", &TFormvesta::GadgetsMonitorItemClick);
  bind("GadgetsCatalogItem", &TFormvesta::GadgetsCatalogItemClick);
  bind("SettingsCatalogItem", &TFormvesta::SettingsCatalogItemClick);
  connect(Action(QStringLiteral("WindowCascadeItem")), &QAction::triggered, mdiArea_,
          &QMdiArea::cascadeSubWindows);
  connect(Action(QStringLiteral("WindowTileItem")), &QAction::triggered, mdiArea_,
          &QMdiArea::tileSubWindows);
  bind("WindowArrangeItem", &TFormvesta::ArrangeIcons);
  bind("WindowMinimizeItem", &TFormvesta::WindowMinimizeAllItemClick);
  bind("HelpIndexItem", [this] { ShowHelp(1); });
  bind("HelpContentsItem", [this] { ShowHelp(kHelpContext); });
  // F1 opens the help of the window in front, or the main window's.
  bind("HelpKeyItem", [this] {
    const int context = HelpContextOf(ActiveChild());
    ShowHelp(context > 0 ? context : kHelpContext);
  });
  bind("HelpAboutItem", [this] {
    TFormeditorAbout about(this);
    about.exec();
  });
}

void TFormvesta::CreateSizeMenu(QMenu* settings) {
  QMenu* size = settings->addMenu(QStringLiteral("&Interface size"));
  size->setObjectName(QStringLiteral("SettingsSizeMenu"));
  auto* sizes = new QActionGroup(size);
  const int current = ReadInterfaceSize(vesta_.SettingsPath());
  for (int percent : kInterfaceSizes) {
    QAction* action = size->addAction(QStringLiteral("%1 %").arg(percent));
    action->setObjectName(QStringLiteral("SettingsSize%1").arg(percent));
    action->setStatusTip(QStringLiteral("Takes effect the next time the program starts"));
    action->setCheckable(true);
    action->setChecked(percent == current);
    sizes->addAction(action);
    connect(action, &QAction::triggered, this, [this, percent] {
      if (vesta_.WriteInteger(QStringLiteral("Interface"), QStringLiteral("Size"), percent))
        UI().Show(TMsgKind::Information,
                  QStringLiteral("The interface size changes the next time the program starts."));
    });
  }
}

void TFormvesta::CreateMenus() {
  auto add = [this](QMenu* menu, const char* name) {
    menu->addAction(Action(QString::fromLatin1(name)));
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File"));
  file->menuAction()->setStatusTip(QStringLiteral("File related commands"));
  add(file, "FileNewItem");
  file->addSeparator();
  for (const char* name : {"FileOpenItem", "FileImportXPItem", "FileCloseItem"}) add(file, name);
  file->addSeparator();
  for (const char* name : {"FileSaveItem", "FileSaveAsItem", "FileExportXPItem", "FileSaveAllItem"})
    add(file, name);
  file->addSeparator();
  add(file, "FilePrintItem");
  file->addSeparator();
  add(file, "FileExitItem");

  QMenu* settings = menuBar()->addMenu(QStringLiteral("Settings"));
  settings->setObjectName(QStringLiteral("Settings"));
  add(settings, "SettingsMidiItem");
  add(settings, "SettingsPreviewItem");
  settings->addSeparator();
  add(settings, "SettingsExpansionItem");
  add(settings, "SettingsNamesItem");
  add(settings, "SettingsCatalogItem");
  settings->addSeparator();
  CreateSizeMenu(settings);

  QMenu* gadgets = menuBar()->addMenu(QStringLiteral("Gadgets"));
  gadgets->setObjectName(QStringLiteral("Gadgets"));
  add(gadgets, "GadgetsKeyboardItem");
  add(gadgets, "GadgetsMonitorItem");
  add(gadgets, "GadgetsCatalogItem");

  QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
  window->setObjectName(QStringLiteral("Window"));
  window->menuAction()->setStatusTip(
      QStringLiteral("Window related commands such as Tile and Cascade"));
  for (const char* name :
       {"WindowCascadeItem", "WindowTileItem", "WindowArrangeItem", "WindowMinimizeItem"})
    add(window, name);
  // The frame's window list follows the items.
  connect(window, &QMenu::aboutToShow, this, [this, window] {
    const QList<QAction*> actions = window->actions();
    for (int i = 4; i < actions.size(); ++i) {
      window->removeAction(actions[i]);
      if (actions[i]->parent() == window) delete actions[i];
    }
    const QList<QMdiSubWindow*> subs = mdiArea_->subWindowList();
    if (!subs.isEmpty()) window->addSeparator();
    for (int i = 0; i < subs.size(); ++i) {
      QMdiSubWindow* sub = subs[i];
      QString title = sub->windowTitle();
      title.replace(QStringLiteral("[*]"),
                    sub->isWindowModified() ? QStringLiteral("*") : QString());
      QAction* entry = window->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title), sub,
                                         [this, sub] { mdiArea_->setActiveSubWindow(sub); });
      entry->setCheckable(true);
      entry->setChecked(sub == mdiArea_->currentSubWindow());
    }
  });

  // F1 on a highlighted item opens its page.
  // clang-format off
  const std::pair<const char*, int> itemHelp[] = {
      {"FileNewItem", 6},            {"FileOpenItem", 7},           {"FileImportXPItem", 8},
      {"FileExportXPItem", 9},       {"FileCloseItem", 10},         {"FileSaveItem", 11},
      {"FileSaveAsItem", 12},        {"FileSaveAllItem", 13},       {"FilePrintItem", 14},
      {"FileExitItem", 15},          {"SettingsMidiItem", 18},      {"SettingsPreviewItem", 27},
      {"SettingsExpansionItem", 23}, {"SettingsNamesItem", 24},     {"GadgetsKeyboardItem", 26},
      {"GadgetsMonitorItem", 25},    {"GadgetsCatalogItem", 70},    {"SettingsCatalogItem", 71}};
  // clang-format on
  for (const auto& [name, context] : itemHelp)
    SetHelpContext(Action(QString::fromLatin1(name)), context);
  for (QMenu* menu : {file, settings, gadgets}) EnableMenuHelp(menu);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help"));
  help->menuAction()->setStatusTip(QStringLiteral("Help topics"));
  add(help, "HelpIndexItem");
  add(help, "HelpAboutItem");
  addAction(Action(QStringLiteral("HelpKeyItem")));
}

void TFormvesta::CreateToolBar() {
  toolBar_ = addToolBar(QStringLiteral("Tools"));
  toolBar_->setObjectName(QStringLiteral("ToolBar"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setMinimumHeight(kToolBarHeight);
  toolBar_->setIconSize(QSize(20, 20));
  const struct {
    const char* Button;
    const char* Item;
    const char* Hint;
    TToolIcon Icon;
  } buttons[] = {
      {"SpeedNew", "FileNewItem", "New", TToolIcon::New},
      {"SpeedOpen", "FileOpenItem", "Open", TToolIcon::Open},
      {"SpeedSave", "FileSaveItem", "Save", TToolIcon::Save},
      {"SpeedSaveAll", "FileSaveAllItem", "Save All", TToolIcon::SaveAll},
      {"SpeedPrint", "FilePrintItem", "Print", TToolIcon::Print},
      {"SpeedMonitor", "GadgetsMonitorItem", "Midi Monitor", TToolIcon::Monitor},
      {"SpeedKeyboard", "GadgetsKeyboardItem", "Keyboard", TToolIcon::Keyboard},
      {"SpeedHelp", "HelpContentsItem", "Help", TToolIcon::Help},
      {"SpeedExit", "FileExitItem", "Exit", TToolIcon::Exit},
  };
  for (const auto& button : buttons) {
    QAction* action = Action(QString::fromLatin1(button.Item));
    action->setIcon(ToolIcon(button.Icon));
    action->setToolTip(QString::fromLatin1(button.Hint));
    toolBar_->addAction(action);
    if (QWidget* widget = toolBar_->widgetForAction(action)) {
      widget->setObjectName(QString::fromLatin1(button.Button));
      // A screen reader names the picture by its hint.
      widget->setAccessibleName(QString::fromLatin1(button.Hint));
    }
  }
}

QAction* TFormvesta::Action(const QString& objectName) const {
  return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

QList<QWidget*> TFormvesta::Children() const {
  QList<QWidget*> result;
  if (!mdiArea_) return result;
  // The topmost child first, as the frame's child list has always been.
  const QList<QMdiSubWindow*> subs = mdiArea_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = subs.rbegin(); it != subs.rend(); ++it)
    if ((*it)->widget()) result.append((*it)->widget());
  return result;
}

QWidget* TFormvesta::ActiveChild() const {
  // The current child stays current while another application is in front.
  QMdiSubWindow* sub = mdiArea_ ? mdiArea_->currentSubWindow() : nullptr;
  return sub ? sub->widget() : nullptr;
}

bool TFormvesta::NonLibrary(const QWidget* window) const {
  if (!window) return true;
  if (qobject_cast<const TFormMonitor*>(window) || qobject_cast<const TFormintro*>(window) ||
      window->objectName() == QLatin1String("FormKeyboard"))
    return true;
  const auto* library = dynamic_cast<const TLibraryWindow*>(window);
  return library && library->IsTrash();
}

TLibElem* TFormvesta::TopOwner(TLibElem* element) {
  return element ? element->TopOwner() : nullptr;
}

TLibrary* TFormvesta::ActiveLibrary(const QWidget* window) const {
  if (const auto* library = dynamic_cast<const TLibraryWindow*>(window)) return library->Library();
  if (const auto* editor = dynamic_cast<const TElementWindow*>(window))
    return dynamic_cast<TLibrary*>(TopOwner(editor->Element()));
  return nullptr;
}

void TFormvesta::EnableMenuItems() {
  if (dying_ || !mdiArea_) return;
  QWidget* active = ActiveChild();
  TLibrary* library = active && !NonLibrary(active) ? ActiveLibrary(active) : nullptr;
  const QList<QWidget*> children = Children();
  bool anyUnsaved = false;
  for (QWidget* child : children) {
    TLibrary* l = NonLibrary(child) ? nullptr : ActiveLibrary(child);
    if (l && !l->Saved) anyUnsaved = true;
    // Library, bank and editor windows mark unsaved changes of their library in their title.
    if (child->windowTitle().contains(QLatin1String("[*]")))
      child->setWindowModified(l && !l->Saved);
  }
  auto enable = [this](const char* name, bool on) {
    Action(QString::fromLatin1(name))->setEnabled(on);
  };
  enable("FileCloseItem", library);
  enable("FilePrintItem", library);
  enable("FileSaveAsItem", library);
  enable("FileSaveItem", library && !library->Saved);
  enable("FileExportXPItem", library && !library->Saved);
  enable("FileSaveAllItem", anyUnsaved);
  enable("GadgetsKeyboardItem", !vesta_.KeyboardOpen);
  enable("GadgetsMonitorItem", !vesta_.MonitorOpen);
  for (const char* name :
       {"WindowCascadeItem", "WindowTileItem", "WindowArrangeItem", "WindowMinimizeItem"})
    enable(name, !children.isEmpty());
}

QMdiSubWindow* TFormvesta::AddChild(QWidget* window) {
  return ChildFrame().AddChild(window);
}

QWidget* TFormvesta::AddLibraryWindow(std::unique_ptr<TLibrary> library) {
  if (!library) return nullptr;
  QWidget* window = new TFormLibrary(library.release(), *this);
  QMdiSubWindow* sub = AddChild(window);
  TChildFrame::ReturnToOpener(sub);
  // Shown first, so that the frame's own first placing is over before the window takes its
  // place (which it then remembers as unchanged).
  sub->show();
  if (auto* view = dynamic_cast<TLibraryWindow*>(window)) view->Prepare();
  EnableMenuItems();
  return window;
}

QWidget* TFormvesta::OpenLibraryFile(const QString& path) {
  auto library = std::make_unique<TLibrary>();
  if (!library->LoadFromFile(path)) return nullptr;
  return AddLibraryWindow(std::move(library));
}

void TFormvesta::OpenTrashWindow() {
  if (trashWindow_) {
    mdiArea_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(trashWindow_->parentWidget()));
    return;
  }
  trashPanel_->hide();
  QWidget* window = new TFormLibrary(trash_.get(), *this);
  trashWindow_ = window;
  AddChild(window)->show();
  if (auto* view = dynamic_cast<TLibraryWindow*>(window)) view->Prepare();
  EnableMenuItems();
}

void TFormvesta::LibraryWindowClosed(TLibraryWindow& window) {
  if (window.IsTrash()) {
    trashWindow_ = nullptr;
    trashPanel_->show();
    trashPanel_->raise();
    trashPanel_->SetFull(trash_->Count() > 0);
    return;
  }
  if (!exiting_ || !window.Library()) return;
  const TLibrary& library = *window.Library();
  // An untied library is not what its file holds: the desktop does not reopen that file.
  const QFileInfo file(library.FileName);
  if (library.IsUntitled() || !file.exists()) return;
  ++desktopCount_;
  vesta_.WriteString(kDesktop, QStringLiteral("Library%1").arg(desktopCount_),
                     file.absoluteFilePath());
}

void TFormvesta::ShowPopUpCopyMove(QWidget* target, QPoint point, std::function<void()> move,
                                   std::function<void()> copy, int below) {
  popupMove_ = std::move(move);
  popupCopy_ = std::move(copy);
  const QPoint global = target ? target->mapToGlobal(point) : point;
  popupCopyMove_->popup(global + QPoint(0, below));
}

void TFormvesta::SvuotaSecchio() {
  trashPanel_->SetFull(false);
}

void TFormvesta::SecchioPieno() {
  trashPanel_->SetFull(true);
}

void TFormvesta::PlaceTrash() {
  trashPanel_->move(mdiArea_->width() - TTrashPanel::kWidth - kTrashMargin,
                    mdiArea_->height() - TTrashPanel::kHeight - kTrashMargin);
  trashPanel_->raise();
}

void TFormvesta::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceTrash();
}

void TFormvesta::ShowHelp(int context) {
  THelpWindow::Open(context, this);
}
