#pragma once
// TPageWindow: the base of every editor page window (the common, effects and tone pages of a
// patch, the section and note windows of the performance, rhythm and system editors). One
// element and one block (or one of several block slots) for the window's whole life.
//
// What the base does:
// - the caption: name + Title + " [Loc : " + location + "]" (Caption can be overridden);
// - the button panel "Panelbtn" at the bottom with "&Close", "&Revert", "&Undo" and "&Redo"
//   (Ctrl+Z and Ctrl+Y), enabled as the current history allows;
// - the tabs, one history each; pages with one tab have no tab bar;
// - controls built from parameter rows (BuildRows), shown by UpdateView;
// - a fixed size; the place kept in the element's page slot (TPageSlot), the FFFF rule and the
//   fit into the frame when it opens, the place written back and the open flag cleared when it
//   closes;
// - activation: the element is transmitted when it is not the current object of its kind and no
//   drag runs;
// - refresh and close through the model's view registry.
//
// Declaring a page: derive, give the constructor the element, the block, the page slot and a
// TPageDesign, build the controls (BuildRows for every row of the page and tab; own code only for
// what no row can say) and finish with Finish(). Open it with OpenPage<T>(slot, args...), which
// brings an open one to the front instead and reports "Out of Resource" when it cannot be made.
#include <functional>
#include <memory>
#include <initializer_list>
#include <span>
#include <vector>

#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "editors/common/pagestate.h"
#include "editors/params/paramrow.h"
#include "frame/childframe.h"
#include "model/pageslot.h"
#include "model/viewregistry.h"

class QBoxLayout;
class QMdiSubWindow;
class QPushButton;
class QTabWidget;
class TParamBinding;

struct TPageDesign {
  QString ObjectName;         // "FormCommon"
  QString Title;              // " [Common]", " [Wave] [Tone 2]": after the name in the caption
  int HelpContext = 0;
  QStringList Tabs;           // tab captions; none for a page without tabs
  QPoint DesignedPos{40, 40}; // where the page opens when its slot remembers no place
  int Slots = 1;              // block slots (parts, keys, scale tunes), each with its histories
};

class TPageWindow : public QWidget, public TPageState, public TElementView {
  Q_OBJECT
 public:
  ~TPageWindow() override;

  const TPageDesign& Design() const { return design_; }
  TPageSlot& PageSlot() const { return slot_; }
  int HelpContext() const { return design_.HelpContext; }

  // TElementView
  TLibElem* Element() const override { return released_ ? nullptr : &Object(); }
  void UpdateView() override;
  void CloseView() override;
  // The caption alone: the controls (a name field being typed in) keep what they show.
  void ShowName() override;

  // The caption of the window.
  virtual QString Caption() const;

  // Sets the buttons from the current history.
  void CheckBtnEnabled() override;
  // The controls of the rows of a page and tab, by offset; none for a row without one.
  TParamBinding* Binding(int offset) const;
  // The control of a row, by offset; none for a row without one.
  QWidget* Control(int offset) const;
  const std::vector<TParamBinding*>& Bindings() const { return bindings_; }
  QTabWidget* Tabs() const { return tabs_; }
  // The widget the controls of a tab live on (the page itself without tabs).
  QWidget* TabPage(int tab) const;
  QPushButton* BtnUndo() const { return btnUndo_; }
  QPushButton* BtnRedo() const { return btnRedo_; }
  QPushButton* BtnRevert() const { return btnRevert_; }
  QPushButton* BtnClose() const { return btnClose_; }

  // Puts the window into the frame at its place and shows it (UpdateView, then the current
  // history cleared). Called by OpenPage.
  void Present();
  // The frame (its sub-window in the MDI area, else itself).
  QWidget* Frame() const;

  // Opens the page of a slot: the open one comes to the front; otherwise a new TPage(args...)
  // is made and presented. None, after "Out of Resource", when it cannot be made.
  template <class TPage, class... TArgs>
  static TPage* OpenPage(TPageSlot& slot, TArgs&&... args);

 protected:
  TPageWindow(TLibElem& element, TBlock& block, TPageSlot& slot, TPageDesign design,
              QWidget* parent = nullptr);
  TPageWindow(TLibElem& element, std::function<TBlock&(int)> blockOf, TPageSlot& slot,
              TPageDesign design, QWidget* parent = nullptr);

  // The controls of every row of rows whose Page is page and Tab is tab, in table order, filled
  // into columns on the tab's widget, each row a caption and its control. Rows without a generic
  // control are left to the page. Returns the row of columns, for a column the page adds.
  QBoxLayout* BuildRows(std::span<const TParamRow> rows, int page, int tab, int columns = 2);
  // The control of one row, placed by the page itself.
  TParamBinding* BindRow(const TParamRow& row, QWidget* parent);
  // Controls for the rows of these offsets, captions beside them, in a column on the first tab.
  QWidget* RowColumn(std::span<const TParamRow> rows, std::initializer_list<int> offsets);
  // Takes a row's control away with its caption (a tab rebuilt for another effect type).
  void RemoveBinding(TParamBinding* binding);
  // After the controls: the button panel below them and the fixed size.
  void Finish();

  // What UpdateView shows besides the rows (names, pictures, graphs); Updating is set.
  virtual void ShowExtra() {}

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Init();
  void Release();
  void PlaceInFrame();
  void Activated();

  TPageDesign design_;
  TPageSlot& slot_;
  QTabWidget* tabs_ = nullptr;
  std::vector<QWidget*> tabPages_;
  std::vector<TParamBinding*> bindings_;
  QWidget* panelBtn_ = nullptr;
  QPushButton* btnClose_ = nullptr;
  QPushButton* btnRevert_ = nullptr;
  QPushButton* btnUndo_ = nullptr;
  QPushButton* btnRedo_ = nullptr;
  // The child window that was active when the page opened (its hub, mostly): it comes back in
  // front when the page is closed, rather than whichever child the frame would pick.
  QPointer<QMdiSubWindow> opener_;
  bool shown_ = false;
  bool released_ = false;
};

// Shows "Out of Resource" (a window that could not be made).
void ReportOutOfResource();
// Places a page's frame as it opens: at the slot's remembered place, or, when the slot's Top is
// FFFF, at the designed place moved inside the frame's client area and then remembered.
void PlaceInFrame(QWidget* frame, TPageSlot& slot, QPoint designed);

template <class TPage, class... TArgs>
TPage* TPageWindow::OpenPage(TPageSlot& slot, TArgs&&... args) {
  if (slot.Open && slot.Window) {
    auto* open = qobject_cast<TPage*>(slot.Window);
    ChildFrame().BringToFront(qobject_cast<QWidget*>(slot.Window));
    return open;
  }
  try {
    auto page = std::make_unique<TPage>(std::forward<TArgs>(args)...);
    page->Present();
    return page.release();
  } catch (const std::bad_alloc&) {
    ReportOutOfResource();
    return nullptr;
  }
}
