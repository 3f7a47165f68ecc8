#include "app/formvesta.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "app/forminout.h"
#include "app/librarywindow.h"
#include "model/library.h"

namespace {
TFormvesta* instance = nullptr;
TFormvesta::TLibraryWindowFactory& Factory() {
  static TFormvesta::TLibraryWindowFactory factory;
  return factory;
}
}  // namespace

TFormvesta::TFormvesta(TVesta& vesta, QWidget* parent)
    : QMainWindow(parent), vesta_(vesta), mdiArea_(new QMdiArea(this)),
      trash_(std::make_unique<TLibrary>()) {
  instance = this;
  setObjectName(QStringLiteral("Formvesta"));
  setWindowTitle(QStringLiteral("Vesta"));
  setCentralWidget(mdiArea_);
  formInOut_ = new TFormInOut(vesta, this);
  timerPreview_ = new QTimer(this);
  QMenu* settings = menuBar()->addMenu(QStringLiteral("Settings"));
  QAction* midi =
      settings->addAction(QStringLiteral("&Midi"), this, &TFormvesta::SettingsMidiItemClick);
  midi->setObjectName(QStringLiteral("SettingsMidiItem"));
  statusBar();
}

TFormvesta::~TFormvesta() {
  if (instance == this) instance = nullptr;
}

TFormvesta* TFormvesta::Instance() { return instance; }
void TFormvesta::SetLibraryWindowFactory(TLibraryWindowFactory factory) {
  Factory() = std::move(factory);
}
void TFormvesta::FinishStart() {}
QAction* TFormvesta::Action(const QString& objectName) const {
  return findChild<QAction*>(objectName);
}
QList<QWidget*> TFormvesta::Children() const {
  QList<QWidget*> result;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) result.append(sub->widget());
  return result;
}
QWidget* TFormvesta::ActiveChild() const {
  QMdiSubWindow* sub = mdiArea_->activeSubWindow();
  return sub ? sub->widget() : nullptr;
}
void TFormvesta::EnableMenuItems() {}
bool TFormvesta::NonLibrary(const QWidget*) const { return false; }
TLibrary* TFormvesta::ActiveLibrary(const QWidget*) const { return nullptr; }
TLibElem* TFormvesta::TopOwner(TLibElem* element) {
  return element ? element->TopOwner() : nullptr;
}
QWidget* TFormvesta::AddLibraryWindow(std::unique_ptr<TLibrary>) { return nullptr; }
QWidget* TFormvesta::OpenLibraryFile(const QString&) { return nullptr; }
void TFormvesta::OpenTrashWindow() {}
void TFormvesta::LibraryWindowClosed(TLibraryWindow&) {}
void TFormvesta::ShowPopUpCopyMove(QWidget*, QPoint, std::function<void()>,
                                   std::function<void()>, int) {}
void TFormvesta::SvuotaSecchio() {}
void TFormvesta::SecchioPieno() {}
void TFormvesta::LoadDesktopLibrary() {}
void TFormvesta::ShowHelp(int) {}
void TFormvesta::FileNewItemClick() {}
void TFormvesta::FileOpenItemClick() {}
void TFormvesta::FileImportXPItemClick() {}
void TFormvesta::FileCloseItemClick() {}
void TFormvesta::FileSaveItemClick() {}
void TFormvesta::FileSaveAsItemClick() {}
void TFormvesta::FileExportXPItemClick() {}
void TFormvesta::FileSaveAllItemClick() {}
void TFormvesta::FilePrintItemClick() {}
void TFormvesta::SettingsMidiItemClick() { formInOut_->exec(); }
void TFormvesta::GadgetsMonitorItemClick() {}
void TFormvesta::GadgetsKeyboardItemClick() {}
void TFormvesta::WindowMinimizeAllItemClick() {}
void TFormvesta::closeEvent(QCloseEvent* event) { event->accept(); }
void TFormvesta::resizeEvent(QResizeEvent* event) { QMainWindow::resizeEvent(event); }
bool TFormvesta::eventFilter(QObject* watched, QEvent* event) {
  return QMainWindow::eventFilter(watched, event);
}
void TFormvesta::CreateActions() {}
void TFormvesta::CreateMenus() {}
void TFormvesta::CreateToolBar() {}
void TFormvesta::PlaceTrash() {}
void TFormvesta::SaveLibrary(TLibrary*, bool) {}
bool TFormvesta::AuditionPressOwnedByGrid(const QPoint&) const { return false; }
TFormMonitor* TFormvesta::Monitor() const { return nullptr; }
