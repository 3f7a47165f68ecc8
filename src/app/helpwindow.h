#pragma once
// The manual: HTML pages bundled with the program, one per help context, in a browser window
// with a contents link on every page.
#include <QWidget>

class QTextBrowser;

class THelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // The page of a help context; the contents page for a context without a page of its own.
  static QString PageFor(int context);
  void ShowContext(int context);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};
