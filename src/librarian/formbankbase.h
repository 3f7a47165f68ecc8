#pragma once
// What the bank window and the global window share: a grid with one row per member, the member
// selection, the context menu on a member, the drags from the grid and the closing rules. The
// two windows differ in which member a row shows, how a row is drawn and what a drop takes.
#include <vector>

#include <QPointer>
#include <QWidget>

#include "librarian/librarywindow.h"

class QAction;
class QHeaderView;
class QMdiSubWindow;
class QMenu;
class QPainter;
class TBank;
class TFormBankGrid;
class TLibrarianHost;
struct TDragInfo;

class TFormBankBase : public QWidget, public TElementWindow {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 20;
  static constexpr int kMargin = 8;
  static constexpr int kMenuHelpContext = 39;

  ~TFormBankBase() override;

  // TElementView: the bank or global shown (none once the window has closed), refreshed and
  // closed with it; a member's change shows in its row.
  TLibElem* Element() const override;
  void UpdateView() override { Updateview(); }
  void CloseView() override;
  bool ShowsMembers() const override { return true; }
  void ShowName() override { Updateview(); }
  TBank* Bank() const { return bank_; }

  // Once in the frame: caption, size and place.
  void Prepare();
  // Caption and rows again, after the element changed from outside.
  void Updateview();

  // The member shown on a grid row, or none.
  virtual TLibElem* MemberAt(int row) const = 0;
  virtual void DrawRow(QPainter& painter, int row, const QRect& rect) const = 0;
  // The texts of a row, one per header section, as DrawRow shows them; none past the last.
  virtual QStringList RowTexts(int row) const = 0;
  virtual int HelpContext() const = 0;

  // The grid's mouse. GridMouseDown is true when a drag may begin.
  bool GridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
  void GridMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void GridDoubleClick(QPoint pos);
  // The keyboard moved the grid's current row: that member alone, or (extend) every member
  // from the anchor row's to it.
  void KeyboardSelect(int anchorRow, int row, bool extend);

  // A drag from source over the grid at a row: accepted or not (the drag info follows).
  bool DragOverGrid(QWidget* source, int row);
  // The drag info for the selected members (what a drag from the grid carries).
  void BeginDrag();
  // A drag from this grid ended over target: always a copy.
  void EndDrag(QWidget* target);
  // Copies the dragged elements into the element shown (a drop that was accepted).
  void ProcCopy(const TDragInfo& drag);

  void PopupMenu(TLibElem* member, QPoint gridPos);
  QMenu* ContextMenu() const { return menu_; }
  TLibElem* MenuElement() const { return menuElement_; }
  TFormBankGrid* Grid() const { return grid_; }
  QHeaderView* Header() const { return header_; }
  QWidget* Frame() const;
  TLibrarianHost& Host() const { return host_; }
  int DropRow() const { return dropRow_; }

 protected:
  TFormBankBase(TBank* bank, TLibrarianHost& host, QWidget* parent);

  // Acceptance of a drop at a row from a library window (items given) or another window of
  // this class (source given).
  virtual bool AcceptFromLibrary(const TDragInfo& drag, int row) const = 0;
  virtual bool AcceptFromWindow(const TFormBankBase& source, const TDragInfo& drag,
                                int row) const = 0;
  virtual void CopyInto(const TDragInfo& drag, int row) = 0;
  // The size the window takes before any stored size applies.
  virtual QSize InitialSize() const = 0;
  virtual void LayOut() = 0;
  // The stored height applies (the rhythm bank and the global fix theirs).
  virtual bool KeepsStoredHeight() const { return true; }

  void CreateHeader(const QStringList& titles, const int* widths);
  // Header and grid across the window's width: the name and the date columns share what the
  // window has beyond its least width. Rows draw their texts from the sections' places.
  void LayOutColumns(int top, int gridHeight, int leastWidth);
  // Where header section i starts, in grid coordinates.
  int SectionX(int section) const;
  void SelectMember(int index, Qt::KeyboardModifiers modifiers);
  void DeselectAll();
  void Repaint();

  // Only the bank window auditions a member (Shift and the right button).
  virtual bool Auditions() const { return false; }

  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

  TBank* bank_;
  TLibrarianHost& host_;
  TFormBankGrid* grid_ = nullptr;
  QHeaderView* header_ = nullptr;

 private:
  void CreateMenu();
  void MenuLoad(bool xp);
  void MenuSave(bool xp);
  void MenuEdit();
  int IndexOf(const TLibElem* member) const;
  void PlaceInFrame();

  std::vector<int> baseWidths_;
  QMenu* menu_ = nullptr;
  QAction* menuImportXp_ = nullptr;
  QAction* menuExportXp_ = nullptr;
  TLibElem* menuElement_ = nullptr;
  QPointer<QMdiSubWindow> subWindow_;
  int lastMouseY_ = 0;
  int dropRow_ = 0;
  bool placed_ = false;
  bool closing_ = false;
};

// Installs the bank and global windows as the editors of banks and globals, opening in the host
// (as long as it exists).
void RegisterBankWindows(TLibrarianHost& host);
