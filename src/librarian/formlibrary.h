#pragma once
// The library window: one library as a list of its elements, one row each. The user creates,
// selects, opens, sends, receives, loads, saves, prints and deletes elements here, drags them
// to other libraries and to the trash, and starts the sound tools. The same class shows the
// trash library of the main window.
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "librarian/librarywindow.h"

class QAction;
class QHeaderView;
class QLabel;
class QMenu;
class QMdiSubWindow;
class QPushButton;
class QToolButton;
class TDragInfo;
class TFormEdit;
class TLibrarianHost;
class TLibraryGrid;

// How a click changes the selection.
enum class TSelectMode { Plain, Ctrl, Shift };

// The windows of other parts of the program that a library window opens. Each is optional:
// without it the command checks its selection and then does nothing.
struct TLibraryWindowHooks {
  // Search (duplicates false) or Find Duplicate (true) over the window's library, modally.
  std::function<void(QWidget& window, TLibrary& library, bool duplicates)> Search;
  // Patch morphing between two patches, modally.
  std::function<void(QWidget& window, TLibElem& sourceA, TLibElem& sourceB)> Morph;
  // The random generator filling a patch bank, modally.
  std::function<void(QWidget& window, TLibElem& patchBank)> Random;
  // The comment editor on the library's comment; true when the comment changed.
  std::function<bool(QWidget& window, TLibrary& library)> EditComment;
  // The audition: the preview note starts now / the audition cursor shows and the main window's
  // preview timer runs (after a patch was sent).
  std::function<void()> StartPreview;
  std::function<void()> StartPatchAudition;
  // A drop of library elements on a bank or global window: the copy into it.
  std::function<void(QWidget& target, TDragInfo& drag)> CopyToElementWindow;
};
TLibraryWindowHooks& LibraryWindowHooks();

class TFormLibrary : public QWidget, public TLibraryWindow {
  Q_OBJECT
 public:
  static constexpr int kPanelWidth = 575;
  static constexpr int kPanelHeight = 351;
  static constexpr int kMinHeight = 240;
  static constexpr int kHelpContext = 28;
  static constexpr int kTrashHelpContext = 55;
  static constexpr int kMenuHelpContext = 39;

  // Shows the library and owns it, except the host's trash library, which it shows as the trash
  // and leaves alone.
  TFormLibrary(TLibrary* library, TLibrarianHost& host, QWidget* parent = nullptr);
  ~TFormLibrary() override;

  // TLibraryWindow
  bool AskBeforeClosing() override;
  void ForgetCloseAnswer() override { closeAnswered_ = false; }
  TLibrary* Library() const override { return library_; }
  bool IsTrash() const override { return isTrash_; }
  void Prepare() override;
  void RefreshList() override;
  // Appends copies of the dragged elements, selecting none; the library becomes unsaved.
  void AppendCopies(const TDragInfo& drag);

  // The caption: "Library : name", or "Trash Library".
  void Updateview();
  // Shows the controls of a library or of the trash window and places them.
  void DisableVisible();
  // Sorts by the key of the sort button that is down (creation date with none).
  void SortElem();
  // Visible elements minus one; the grid has MaxVis() + 1 rows.
  int MaxVis() const;
  // The list index of the element on a row, or -1 past the last visible element.
  int CalcIndex(int row) const;
  // Scrolls to the last element unless the list is sorted by type or name.
  void PosizionaOtt();
  // Recounts the rows and repaints.
  void SetRowCount();
  void SelectElement(int index, TSelectMode mode);
  // The keyboard moved the grid's current row: that element alone, or (extend) every element
  // from the anchor row's to it.
  void KeyboardSelect(int anchorRow, int row, bool extend);
  bool Masked(int kind) const;
  void SetMasked(int kind, bool masked);
  // Draws one grid row (the window draws its grid).
  void DrawRow(QPainter& painter, int row, const QRect& rect) const;
  // The texts DrawRow shows in the four columns; none for a row past the last element.
  QStringList RowTexts(int row) const;

  // Commands of the buttons and the Delete key.
  void NewElement(int kind);
  void EmptyLibrary();  // New and Empty, after "Are You Sure ?"
  void EditComment();
  void DeleteSelected();
  void SendSelected();
  void ReceiveSelected();
  void PrintSelected();
  void SearchClick(bool duplicates);
  void MorphClick();
  void RandomClick();
  void UnmaskAll();
  // The selected elements that are not masked, in list order.
  std::vector<TLibElem*> SelectedVisible() const;

  // The grid's mouse, called by the grid.
  void GridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
  void GridDoubleClick(QPoint pos);
  // The context menu for the element at a list index, at a point of the grid.
  void PopupMenu(int index, QPoint gridPos);
  QMenu* ContextMenu() const { return menu_; }
  TLibElem* MenuElement() const;

  // Drag and drop. A drag over this grid from source: accepted or not (the drag info follows).
  bool DragOverGrid(QWidget* source);
  // The drag info for the selection of this window (what a drag from the grid carries).
  void BeginDrag();
  // A drag from this grid ended over target at a point in target's coordinates.
  void EndDrag(QWidget* target, QPoint pos);
  // The drop handlers of the Copy/Move pop-up, for the drag in progress.
  void ProcCopy();
  void ProcMove();

  // The window that holds this widget in the frame (the widget itself when it stands alone).
  QWidget* Frame() const;
  TLibrarianHost& Host() const { return host_; }
  TLibraryGrid* Grid() const { return grid_; }
  QToolButton* SortButton(int which) const { return sortButtons_[static_cast<std::size_t>(which)]; }
  QToolButton* MaskButton(int kind) const { return maskButtons_[static_cast<std::size_t>(kind)]; }
  QToolButton* NewButton(int kind) const { return newButtons_[static_cast<std::size_t>(kind)]; }
  int HelpContext() const { return isTrash_ ? kTrashHelpContext : kHelpContext; }
  QSize sizeHint() const override { return QSize(kPanelWidth, kPanelHeight); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  void LayOut();
  QToolButton* ToolButton(const QString& name, const QString& hint, const QIcon& icon);
  void SortButtonToggled(int which, bool down);
  // Takes the window's place and size into the library; a change marks it unsaved.
  void StoreGeometry();
  void PlaceInFrame();
  // The close question; false when the window must stay open.
  bool CloseHandling();
  void LibraryChanged();  // unsaved, menus refreshed
  void DeselectAll();
  int IndexOf(const TLibElem* element) const;
  void MenuLoad(bool xp);
  void MenuSave(bool xp);
  void MenuEdit();
  void MenuDelete();

  TLibrarianHost& host_;
  TLibrary* library_;
  std::unique_ptr<TLibrary> owned_;
  // The library's view in the view registry: its caption follows the library's name.
  std::unique_ptr<TElementView> view_;
  bool isTrash_;
  bool placed_ = false;
  bool closing_ = false;
  bool closeAnswered_ = false;  // the exit's question was answered: close without asking again
  int lastMouseY_ = 0;
  QPointer<QMdiSubWindow> subWindow_;

  TLibraryGrid* grid_ = nullptr;
  QHeaderView* header_ = nullptr;
  QToolButton* speedNuovo_ = nullptr;
  std::vector<QWidget*> libraryOnly_;  // hidden in the trash window
  QToolButton* speedHelp_ = nullptr;
  QLabel* newLabel_ = nullptr;
  QWidget* newFrame_ = nullptr;
  QLabel* maskLabel_ = nullptr;
  QWidget* maskFrame_ = nullptr;
  QPushButton* btnUnmask_ = nullptr;
  QLabel* sortLabel_ = nullptr;
  QPushButton* btnClose_ = nullptr;
  QPushButton* btnEmpty_ = nullptr;
  std::array<QToolButton*, 8> newButtons_{};
  std::array<QToolButton*, 8> maskButtons_{};
  std::array<QToolButton*, 3> sortButtons_{};
  // Where a row's kind, name, Src/Dst and date texts start: under their header sections.
  std::array<int, 4> textX_{47, 157, 267, 337};

  QMenu* menu_ = nullptr;
  QAction* menuLoad_ = nullptr;
  QAction* menuSave_ = nullptr;
  QAction* menuImportXp_ = nullptr;
  QAction* menuExportXp_ = nullptr;
  TLibElem* menuElement_ = nullptr;
};
