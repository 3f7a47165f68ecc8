// The main window's commands: files, gadgets, windows, the start-up after the splash, the
// desktop, the exit sequence and the audition gesture.
#include <algorithm>
#include <limits>

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFile>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QSet>
#include <QTimer>
#include <QUrl>

#include "app/formvesta.h"
#include "app/inifile.h"
#include "app/vesta.h"
#include "dialogs/forminout.h"
#include "dialogs/formmonitor.h"
#include "dialogs/helpwindow.h"
#include "librarian/librarywindow.h"
#include "librarian/printing.h"
#include "librarian/trashpanel.h"
#include "midi/pacedsender.h"
#include "model/fileio.h"
#include "model/library.h"
#include "model/modelhooks.h"
#include "model/openedfile.h"
#include "tools/formkeyboard.h"
#include "tools/preview.h"

namespace {
const QString kDesktop = QStringLiteral("Desktop");
}  // namespace

void TFormvesta::FinishStart() {
  // The audition gesture works in every window from now on.
  qApp->installEventFilter(this);
  vesta_.StartMidi();
  LoadDesktopLibrary();
  EnableMenuItems();
}

void TFormvesta::LoadDesktopLibrary() {
  const TIniFile ini(vesta_.SettingsPath());
  const int count = ini.ReadInteger(kDesktop, QStringLiteral("Num Library"), 0);
  for (int i = 1; i <= count; ++i) {
    const QString name = ini.ReadString(kDesktop, QStringLiteral("Library%1").arg(i), QString());
    if (name.isEmpty()) continue;
    // A library that has gone ends the restore quietly; the windows before it stay.
    if (!OpenDesktopLibrary(name)) return;
  }
  if (ini.ReadInteger(QStringLiteral("Monitor"), QStringLiteral("Open"), 0) == 1 &&
      !vesta_.MonitorOpen)
    GadgetsMonitorItemClick();
  if (ini.ReadInteger(QStringLiteral("Keyboard"), QStringLiteral("Open"), 0) == 1 &&
      !vesta_.KeyboardOpen)
    GadgetsKeyboardItemClick();
}

bool TFormvesta::OpenDesktopLibrary(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  file.close();
  return OpenLibraryFile(path) != nullptr;
}

void TFormvesta::FileNewItemClick() {
  auto library = std::make_unique<TLibrary>();
  library->FileName = NextUntitledName();
  AddLibraryWindow(std::move(library));
}

void TFormvesta::FileOpenItemClick() {
  const QString path = UI().ChooseOpenFile(DialogFor(
      QStringLiteral("Load Library"), QStringLiteral("Lib"),
      QStringLiteral("Lib, Syx and Glb files|*.Lib;*.Syx;*.Glb|Lib file|*.Lib|Syx file|*.Syx|"
                     "Glb file|*.Glb"),
      QStringLiteral("Untitled.Lib"), true));
  if (!path.isEmpty()) OpenFile(path);
  EnableMenuItems();
}

QWidget* TFormvesta::OpenFile(const QString& path) {
  TOpenedFile opened = OpenByContent(path, XpFlag());
  if (opened.Refused()) {
    UI().Show(TMsgKind::Error, opened.Message);
    return nullptr;
  }
  if (opened.Library->Untied && TLibrary::UntitledNumber(opened.Library->FileName) > 0)
    opened.Library->FileName = NextUntitledName();
  TLibrary& library = *opened.Library;
  QWidget* window = AddLibraryWindow(std::move(opened.Library));
  // The damage is told over the window that shows what was kept.
  if (!opened.Message.isEmpty()) UI().Show(TMsgKind::Error, opened.Message);
  if (ModelHooks().FileLoaded) ModelHooks().FileLoaded(library, path);
  return window;
}

QString TFormvesta::NextUntitledName() const {
  QSet<int> taken;
  for (QWidget* child : Children())
    if (TLibrary* library = NonLibrary(child) ? nullptr : ActiveLibrary(child))
      taken.insert(TLibrary::UntitledNumber(library->FileName));
  int number = 1;
  while (taken.contains(number)) ++number;
  return TLibrary::UntitledName(number);
}

void TFormvesta::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormvesta::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  bool any = false;
  for (const QUrl& url : urls)
    if (url.isLocalFile()) any = true;
  if (!any) return;
  event->acceptProposedAction();
  // Opened after the drop has ended: a message box inside the drop would hold the file
  // manager's drag.
  QStringList paths;
  for (const QUrl& url : urls)
    if (url.isLocalFile()) paths << url.toLocalFile();
  QTimer::singleShot(0, this, [this, paths] {
    for (const QString& path : paths) OpenFile(path);
  });
}

void TFormvesta::FileImportXPItemClick() {
  TXpScope xp;
  FileOpenItemClick();
}

void TFormvesta::FileCloseItemClick() {
  if (QMdiSubWindow* sub = mdiArea_->currentSubWindow()) sub->close();
}

void TFormvesta::SaveLibrary(TLibrary* library, bool saveAs) {
  if (!library) return;
  if (library->Save(saveAs)) library->UpdateViews();
  EnableMenuItems();
}

void TFormvesta::FileSaveItemClick() {
  SaveLibrary(ActiveLibrary(ActiveChild()), false);
}

void TFormvesta::FileSaveAsItemClick() {
  SaveLibrary(ActiveLibrary(ActiveChild()), true);
}

void TFormvesta::FileExportXPItemClick() {
  TXpScope xp;
  FileSaveAsItemClick();
}

void TFormvesta::FileSaveAllItemClick() {
  for (QWidget* child : Children()) {
    if (NonLibrary(child)) continue;
    TLibrary* library = ActiveLibrary(child);
    // A library reached from several windows is saved once: the first save marks it saved.
    if (library && !library->Saved) SaveLibrary(library, false);
  }
}

void TFormvesta::FilePrintItemClick() {
  QWidget* active = ActiveChild();
  if (TLibrary* library = active && !NonLibrary(active) ? ActiveLibrary(active) : nullptr)
    PrintLibrary(*library, vesta_.Config().DataCard);
}

void TFormvesta::SettingsMidiItemClick() {
  formInOut_->exec();
}

void TFormvesta::GadgetsMonitorItemClick() {
  if (vesta_.MonitorOpen) return;
  auto* monitor = new TFormMonitor(vesta_, vesta_.MonitorOpen);
  monitor_ = monitor;
  QMdiSubWindow* sub = AddChild(monitor);
  monitor->Place();
  sub->show();
  EnableMenuItems();
}

TFormMonitor* TFormvesta::Monitor() const {
  // The window frees itself when it closes; the open flag says whether it still exists.
  return vesta_.MonitorOpen ? monitor_ : nullptr;
}

void TFormvesta::GadgetsKeyboardItemClick() {
  if (vesta_.KeyboardOpen) return;
  auto* keyboard = new TFormKeyboard;
  SetHelpContext(keyboard, TFormKeyboard::kHelpContext);  // F1 while it is in front
  QMdiSubWindow* sub = AddChild(keyboard);
  // The keys fill the window: it keeps its size.
  sub->setWindowFlags(sub->windowFlags() & ~Qt::WindowMaximizeButtonHint);
  sub->layout()->setSizeConstraint(QLayout::SetFixedSize);
  keyboard->Place();
  sub->show();
  EnableMenuItems();
}

void TFormvesta::WindowMinimizeAllItemClick() {
  const QList<QWidget*> children = Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (QWidget* frame = (*it)->parentWidget()) frame->showMinimized();
}

void TFormvesta::ArrangeIcons() {
  // Minimised children in a row along the bottom of the client area, left to right.
  int x = 0;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    if (!sub->isMinimized()) continue;
    const QSize size = sub->size();
    sub->move(x, mdiArea_->viewport()->height() - size.height());
    x += size.width();
  }
}

void FinishSending(QWidget* parent) {
  TPacedSender& sender = Sender();
  if (sender.Waiting() == 0) return;
  // The instrument gets what the user did before leaving; a wait of more than a second shows
  // how far it is, and Cancel drops the rest.
  const int total = sender.Waiting();
  QProgressDialog progress(QStringLiteral("Sending to the instrument..."), QStringLiteral("Cancel"),
                           0, total, parent);
  progress.setWindowTitle(QStringLiteral("Vesta"));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(sender.MsLeft() > 1000 ? 1000 : std::numeric_limits<int>::max());
  QEventLoop loop;
  QObject::connect(&sender, &TPacedSender::Drained, &loop, &QEventLoop::quit);
  QObject::connect(&sender, &TPacedSender::Failed, &loop, &QEventLoop::quit);
  QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&loop] {
    Sender().Drop();
    loop.quit();
  });
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, &progress,
                   [&] { progress.setValue(std::max(0, total - Sender().Waiting())); });
  tick.start(50);
  progress.setValue(0);
  if (sender.Waiting() > 0) loop.exec();
}

void TFormvesta::closeEvent(QCloseEvent* event) {
  exiting_ = true;
  vesta_.WriteInteger(QStringLiteral("Monitor"), QStringLiteral("Open"), vesta_.MonitorOpen);
  vesta_.WriteInteger(QStringLiteral("Keyboard"), QStringLiteral("Open"), vesta_.KeyboardOpen);
  closeCancelled_ = false;
  desktopCount_ = 0;
  const QList<QWidget*> children = Children();
  QList<QPointer<QWidget>> guarded(children.begin(), children.end());
  // Every library is asked about before any window closes, so that a Cancel leaves every
  // window where it was (a saved library behind an unsaved one included).
  QList<TLibraryWindow*> asked;
  for (auto it = guarded.rbegin(); it != guarded.rend() && !closeCancelled_; ++it) {
    auto* view = dynamic_cast<TLibraryWindow*>(it->data());
    if (!view || view->IsTrash() || !qobject_cast<QMdiSubWindow*>((*it)->parentWidget())) continue;
    asked.append(view);
    if (!view->AskBeforeClosing()) closeCancelled_ = true;
  }
  if (closeCancelled_)
    for (TLibraryWindow* view : asked) view->ForgetCloseAnswer();
  // The libraries are asked about first: the monitor, the keyboard and the trash close only
  // once no answer has kept the program open.
  for (const bool libraries : {true, false}) {
    for (auto it = guarded.rbegin(); it != guarded.rend() && !closeCancelled_; ++it) {
      QWidget* child = *it;
      if (!child) continue;
      auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
      const auto* view = dynamic_cast<TLibraryWindow*>(child);
      const bool library = view && !view->IsTrash();
      // Editor, bank and global windows go with the frame.
      if (!sub || library != libraries || (!library && !NonLibrary(child))) continue;
      sub->close();
    }
  }
  exiting_ = false;
  if (closeCancelled_) {
    vesta_.WriteInteger(kDesktop, QStringLiteral("Num Library"), 0);
    event->ignore();
    EnableMenuItems();
    return;
  }
  vesta_.WriteInteger(kDesktop, QStringLiteral("Num Library"), desktopCount_);
  if (THelpWindow* help = THelpWindow::Current()) help->close();
  FinishSending(this);
  event->accept();
}

bool TFormvesta::AuditionPressOwnedByGrid(QObject* watched) const {
  QWidget* active = ActiveChild();
  if (!active) return false;
  bool gridWindow = dynamic_cast<TLibraryWindow*>(active) != nullptr;
  if (const auto* editor = dynamic_cast<TElementWindow*>(active))
    gridWindow = editor->Element() && editor->Element()->Kind == ekPatchBank;
  if (!gridWindow) return false;
  for (auto* w = qobject_cast<QWidget*>(watched); w && w != active; w = w->parentWidget())
    if (w->objectName() == QLatin1String("DrawGrid") && active->isAncestorOf(w)) return true;
  return false;
}

bool TFormvesta::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mdiArea_ && event->type() == QEvent::Resize) PlaceTrash();
  if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton && (mouse->modifiers() & Qt::ShiftModifier) &&
        watched->isWidgetType() && !AuditionPressOwnedByGrid(watched)) {
      StartPreview();
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton && AuditionCursorShown() && watched->isWidgetType()) {
      timerPreview_->stop();
      StopPreview();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
