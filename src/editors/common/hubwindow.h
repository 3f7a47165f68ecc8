#pragma once
// THubWindow: the base of the windows that stand for a whole sound (the patch, performance,
// rhythm and system windows): a tool bar over the element's own operations, part buttons or
// section panels that open the page windows and that are selected (aqua) and dragged onto the
// same kind of window of another sound, the caption with the file name, a fixed size, the place
// kept in the element, activation, and closing the element's pages with the hub.
//
// Declaring a hub: derive, build the tool bar with AddTools, make the parts with AddPart inside
// panels added with AddPanel, implement OpenPart (double click), AcceptDrop and CopyParts (the
// drag and drop rules and byte ranges of the editor), and register the window as the element
// kind's editor (Views().SetFactory) with Open<T>.
#include <functional>
#include <vector>

#include <QFrame>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include "frame/childframe.h"
#include "model/viewregistry.h"

class QAction;
class QToolBar;
class THubWindow;

// A part button (or section panel): its kind follows from its name (PartKind), its Tag is the
// tone, part or section number, and it belongs to one panel of its window.
class TPartButton : public QFrame {
  Q_OBJECT
 public:
  TPartButton(const QString& name, const QString& caption, int tag, QWidget* panel);

  int Kind() const { return kind_; }
  int Tag() const { return tag_; }
  QWidget* Panel() const { return panel_; }
  QString Caption() const { return caption_; }
  bool Selected() const { return selected_; }
  void SetSelected(bool selected);

  QSize sizeHint() const override { return {56, 20}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  int kind_;
  int tag_;
  QWidget* panel_;
  bool selected_ = false;
};

struct THubDesign {
  QString ObjectName;  // "FormPatch"
  int HelpContext = 0;
  QSize Size;          // the window's fixed size, frame included
  QPoint DesignedPos{20, 20};
};

// The tool bar's buttons, each calling the element's operation.
enum class THubTool { New, LoadSysex, SaveSysex, SaveAs, Receive, Send, Help };

class THubWindow : public QWidget, public TElementView {
  Q_OBJECT
 public:
  ~THubWindow() override;

  const THubDesign& Design() const { return design_; }
  TLibElem& Object() const { return element_; }

  // TElementView
  TLibElem* Element() const override { return released_ ? nullptr : &element_; }
  void UpdateView() override;
  void CloseView() override;
  void ShowName() override;
  // name + " [Filename : " + file name + "]" + "   [Loc : " + location + "]".
  virtual QString Caption() const;

  QToolBar* ToolBar() const { return toolBar_; }
  QAction* Tool(THubTool tool) const;

  const std::vector<TPartButton*>& Parts() const { return parts_; }
  TPartButton* Part(const QString& name) const;
  std::vector<TPartButton*> Selection() const;
  // Every part of a panel (a click on its background).
  void SelectPanel(QWidget* panel);
  // A click on a part: with Ctrl the parts of other panels are deselected and this one added;
  // without, the part alone unless it is selected already.
  virtual void SelectPart(TPartButton* part, bool ctrl);
  void DeselectAll();

  // The drag of the selected parts from a part of this window: the drag-in-progress flag and the
  // drag info (source, one item per selected part: kind and tag, not accepted).
  void BeginDrag();
  // Over a widget (of any window): whether the part under it accepts the drag; the drag info's
  // accepted flag follows.
  static bool DragOver(QWidget* under);
  // The end of the drag over a widget: an accepted drop copies into the window of the part
  // under it (selection cleared, CopyParts, element modified, views refreshed, transmitted,
  // window to the front); otherwise the source window comes to the front unless the press
  // opened a page.
  void EndDrag(QWidget* under);

  // The part pressed to start the drag.
  TPartButton* DraggedPart() const { return pressed_; }

  // The part button that holds a widget, or none; the hub window that holds a widget, or none.
  static TPartButton* PartAt(QWidget* widget);
  static THubWindow* HubOf(QWidget* widget);

  // Puts the window into the frame at its place and shows it.
  void Present();
  QWidget* Frame() const;

  // Creates the hub of an element for the view registry's factory; "Out of Resource" and none
  // when it cannot be made.
  template <class THub, class TElement>
  static QObject* Open(TElement& element);

 protected:
  THubWindow(TLibElem& element, THubDesign design, QWidget* parent = nullptr);

  // The tool bar with these buttons, in this order.
  void AddTools(std::initializer_list<THubTool> tools);
  // A panel that holds parts; a click on its background selects them all.
  void AddPanel(QWidget* panel);
  TPartButton* AddPart(const QString& name, const QString& caption, int tag, QWidget* panel);

  // What the window shows besides the caption.
  virtual void ShowView() {}
  // Another child window became the active one.
  virtual void Deactivated() {}
  // The element is about to be changed or sent through this window (a drop, a tool).
  virtual void WillEdit() {}
  virtual void OpenPart(TPartButton& part) = 0;
  virtual bool AcceptDrop(const THubWindow& source, const TDragInfo& drag,
                          const TPartButton& target) const = 0;
  // Copies the dragged parts from the source's element into this window's; the parts copied are
  // selected here.
  virtual void CopyParts(THubWindow& source, const TDragInfo& drag, TPartButton& target) = 0;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void RunTool(THubTool tool);
  void Release();
  void PlaceInFrame();
  void Activated();
  void PartPressed(TPartButton* part, Qt::KeyboardModifiers modifiers);

  TLibElem& element_;
  THubDesign design_;
  QToolBar* toolBar_ = nullptr;
  std::vector<std::pair<THubTool, QAction*>> tools_;
  std::vector<QWidget*> panels_;
  std::vector<TPartButton*> parts_;
  QPointer<TPartButton> pressed_;
  QPoint pressPos_;
  bool dragArmed_ = false;
  bool dragMoved_ = false;
  bool openedByDoubleClick_ = false;
  bool released_ = false;
};

void ReportOutOfResource();

template <class THub, class TElement>
QObject* THubWindow::Open(TElement& element) {
  try {
    auto* hub = new THub(element);
    hub->Present();
    return hub;
  } catch (const std::bad_alloc&) {
    ReportOutOfResource();
    element.WindowOpen = false;
    return nullptr;
  }
}
