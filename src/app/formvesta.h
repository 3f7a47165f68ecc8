#pragma once
// The main window: the frame that holds every other window as a child, its menus and tool bar,
// the trash, the audition gesture, the start-up after the splash and the exit sequence.
//
// Library windows (TFormLibrary) and the frame meet here:
// - the frame creates them through AddLibraryWindow, which makes the window on the library (the
//   window takes ownership, except of the trash library, which it shows as the trash and never
//   frees), with the frame as its librarian host, adds it to the MDI area, then calls Prepare();
// - a library window whose close is cancelled by the user calls SetCloseCancelled(true) and
//   stays open; a library window that really closes calls LibraryWindowClosed(*this) before it
//   frees its library.
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "frame/childframe.h"
#include "librarian/librarianhost.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class TFormInOut;
class TFormMonitor;
class TLibElem;
class TLibrary;
class TLibraryWindow;
class TTrashPanel;
class TVesta;

class TFormvesta : public QMainWindow, public TLibrarianHost {
  Q_OBJECT
 public:
  explicit TFormvesta(TVesta& vesta, QWidget* parent = nullptr);
  ~TFormvesta() override;

  // The rest of the start-up, run when the splash's timer fires: hidden dialogs, settings,
  // ports reopened, desktop restored.
  void FinishStart();

  TVesta& Vesta() const { return vesta_; }
  QMdiArea* MdiArea() const { return mdiArea_; }
  TFormInOut* FormInOut() const { return formInOut_; }
  TFormMonitor* Monitor() const;
  TDragInfo& DragInfo() override { return ChildFrame().Drag(); }
  TLibrary& TrashLibrary() const override { return *trash_; }
  QWidget* TrashWindow() const override { return trashWindow_; }
  QTimer* TimerPreview() const { return timerPreview_; }
  QAction* Action(const QString& objectName) const;

  // Set by a double click in a library grid, so that the drag its first click began is no drop.
  bool DoubleClickFlag = false;
  bool DoubleClicked() const override { return DoubleClickFlag; }
  void SetDoubleClicked(bool clicked) override { DoubleClickFlag = clicked; }

  bool CloseCancelled() const { return closeCancelled_; }
  void SetCloseCancelled(bool cancelled) override { closeCancelled_ = cancelled; }

  // The child windows (the widgets inside the MDI sub-windows) in the frame's order.
  QList<QWidget*> Children() const override;
  QWidget* ActiveChild() const;

  void EnableMenuItems() override;
  // Keyboard, monitor and splash windows, and the trash window.
  bool NonLibrary(const QWidget* window) const;
  // The library behind a child window, or none.
  TLibrary* ActiveLibrary(const QWidget* window) const;
  // The owner at the end of the element's owner chain, followed at most three times.
  static TLibElem* TopOwner(TLibElem* element);

  // Puts a library into a new library window in the frame; the window owns it from then on.
  QWidget* AddLibraryWindow(std::unique_ptr<TLibrary> library);
  // Loads a .Lib into a new library window; none (and nothing open) when it cannot be read.
  QWidget* OpenLibraryFile(const QString& path);
  // Opens a file as File > Open does, read by its content: a library in its window, a .Syx or
  // .Glb in a new untitled library; a file that is neither is refused with its reason. The
  // window, or none when nothing opened. Used by the command line, dropped files and File > Open.
  QWidget* OpenFile(const QString& path);
  // The name of the next new library: "Untitled.Lib", then "Untitled 2.Lib", ... (the lowest
  // number that no open library window shows).
  QString NextUntitledName() const;
  // Shows the trash library in its window (double click on the trash panel).
  void OpenTrashWindow();
  void LibraryWindowClosed(TLibraryWindow& window) override;

  // The Copy/Move pop-up below a point given in the target's client coordinates.
  void ShowPopUpCopyMove(QWidget* target, QPoint point, std::function<void()> move,
                         std::function<void()> copy, int below = 60) override;
  void SvuotaSecchio();          // empty bin shows
  void SecchioPieno() override;  // full bin shows

  void LoadDesktopLibrary();
  void ShowHelp(int context) override;

 public Q_SLOTS:
  void FileNewItemClick();
  void FileOpenItemClick();
  void FileImportXPItemClick();
  void FileCloseItemClick();
  void FileSaveItemClick();
  void FileSaveAsItemClick();
  void FileExportXPItemClick();
  void FileSaveAllItemClick();
  void FilePrintItemClick();
  void SettingsMidiItemClick();
  void SettingsPreviewItemClick();
  void GadgetsMonitorItemClick();
  void GadgetsKeyboardItemClick();
  void GadgetsCatalogItemClick();
  void SettingsCatalogItemClick();
  void WindowMinimizeAllItemClick();

 public:
  // The catalog window, while it is open.
  QWidget* CatalogWindow() const { return catalogWindow_; }
  // A sound of the catalog: its file opened as File > Open opens it, and the editor of its
  // sound number element (counted as the catalog counts) shown.
  void OpenCatalogSound(const QString& path, int element);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Files dropped from the desktop's file manager open as File > Open opens them.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  // Settings > Interface size: the sizes, the one in the settings file checked.
  void CreateSizeMenu(QMenu* settings);
  void CreateToolBar();
  void InstallHooks();
  // What the sound tools' windows need of the frame, and the library windows' tool buttons.
  void InstallToolHooks();
  // What the catalog window needs of the frame.
  void InstallCatalogHooks();
  void PlaceTrash();
  QMdiSubWindow* AddChild(QWidget* window);
  // Saves with the save rules; the menus follow.
  void SaveLibrary(TLibrary* library, bool saveAs);
  // A desktop entry: false, silently, when its file cannot be read.
  bool OpenDesktopLibrary(const QString& path);
  // The press is in the grid of the active child, which handles the gesture itself.
  bool AuditionPressOwnedByGrid(QObject* watched) const;
  void ArrangeIcons();

  TVesta& vesta_;
  QMdiArea* mdiArea_;
  QToolBar* toolBar_ = nullptr;
  TFormInOut* formInOut_ = nullptr;
  TFormMonitor* monitor_ = nullptr;
  TTrashPanel* trashPanel_ = nullptr;
  QMenu* popupCopyMove_ = nullptr;
  std::function<void()> popupMove_;
  std::function<void()> popupCopy_;
  QWidget* previewSetup_ = nullptr;
  QTimer* timerPreview_ = nullptr;
  std::unique_ptr<TLibrary> trash_;
  QPointer<QWidget> trashWindow_;
  QPointer<QWidget> catalogWindow_;
  bool closeCancelled_ = false;
  bool exiting_ = false;
  int desktopCount_ = 0;
  bool dying_ = false;
};

// Waits until every message still queued for the instrument has left (the program is ending),
// showing the progress over parent when that takes more than a second.
void FinishSending(QWidget* parent);
