#pragma once
// The manual: HTML pages bundled with the program, one per help context, in a browser window
// with a contents link on every page; and the ways into it: F1 in a window opens the page of the
// window's help context, F1 on a highlighted menu item the page of the item's.
#include <QWidget>

class QKeyEvent;
class QMenu;
class QTextBrowser;

class THelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // The page of a help context; the contents page for a context without a page of its own.
  static QString PageFor(int context);
  // True when the context has a page of its own.
  static bool HasPage(int context);
  void ShowContext(int context);
  QTextBrowser* Browser() const { return browser_; }

  // The program's one help window, shown at a context. It belongs to the modal dialog that runs,
  // if any (which would leave it unusable otherwise), else to owner.
  static THelpWindow* Open(int context, QWidget* owner);
  // The help window while one exists.
  static THelpWindow* Current();

 protected:
  // Escape closes the window, as it does a dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTextBrowser* browser_;
};

// A widget's help context is the "HelpContext" property of the widget or of the nearest widget
// around it that has one (editor windows set it themselves); menu items carry theirs in the same
// property.
void SetHelpContext(QObject* object, int context);
int HelpContextOf(const QWidget* widget);
// F1 in a window of its own (a dialog) opens the page of its context, or of the focused
// widget's. The main window's children go through the main window's F1 instead.
void AddHelpKey(QWidget* window);
// F1 while an item of the menu is highlighted opens the item's page.
void EnableMenuHelp(QMenu* menu);
