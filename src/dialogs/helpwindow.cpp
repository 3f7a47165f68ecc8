#include "dialogs/helpwindow.h"

#include <map>

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
const QString kIndex = QStringLiteral("qrc:/help/index.html");
const char* const kContextProperty = "HelpContext";

QPointer<THelpWindow>& TheWindow() {
  static QPointer<THelpWindow> window;
  return window;
}

// F1 in a window of its own: the key reaches the window when no child takes it (none does).
// A filter rather than a shortcut, so that it never competes with the main window's F1.
class TWindowHelp : public QObject {
 public:
  explicit TWindowHelp(QWidget* window) : QObject(window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    QWidget* focus = QApplication::focusWidget();
    const int focused = focus && window_->isAncestorOf(focus) ? HelpContextOf(focus) : 0;
    const int context = focused > 0 ? focused : HelpContextOf(window_);
    if (context <= 0) return false;
    THelpWindow::Open(context, window_);
    return true;
  }

 private:
  QWidget* window_;
};

// F1 on a highlighted menu item. The menu has the keyboard while it is open, so F1 reaches it
// (not the window's shortcut) once the override is claimed.
class TMenuHelp : public QObject {
 public:
  explicit TMenuHelp(QMenu* menu) : QObject(menu), menu_(menu) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != menu_ ||
        (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
      return false;
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) return false;
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();
      return true;
    }
    const QAction* item = menu_->activeAction();
    const int context = item ? item->property(kContextProperty).toInt() : 0;
    if (context > 0) {
      // The menu goes first: the help window must not open under a menu that still grabs input.
      QWidget* owner = menu_->parentWidget() ? menu_->parentWidget()->window() : nullptr;
      menu_->close();
      THelpWindow::Open(context, owner);
    }
    return true;
  }

 private:
  QMenu* menu_;
};

// Help contexts and their pages; several contexts of one window share its page, at an anchor.
const std::map<int, QString>& Pages() {
  static const std::map<int, QString> pages = {
      {1, QStringLiteral("index.html")},
      {3, QStringLiteral("mainwindow.html")},
      {6, QStringLiteral("mainwindow.html#file")},
      {7, QStringLiteral("mainwindow.html#file")},
      {8, QStringLiteral("mainwindow.html#xp")},
      {9, QStringLiteral("mainwindow.html#xp")},
      {10, QStringLiteral("mainwindow.html#file")},
      {11, QStringLiteral("mainwindow.html#file")},
      {12, QStringLiteral("mainwindow.html#file")},
      {13, QStringLiteral("mainwindow.html#file")},
      {14, QStringLiteral("mainwindow.html#print")},
      {15, QStringLiteral("mainwindow.html#exit")},
      {18, QStringLiteral("midisettings.html")},
      {19, QStringLiteral("preview.html")},
      {23, QStringLiteral("expansion.html")},
      {24, QStringLiteral("names.html#update")},
      {25, QStringLiteral("monitor.html")},
      {26, QStringLiteral("keyboard.html")},
      {27, QStringLiteral("preview.html")},
      {28, QStringLiteral("library.html")},
      {29, QStringLiteral("search.html")},
      {30, QStringLiteral("search.html#duplicates")},
      {31, QStringLiteral("common.html")},
      {32, QStringLiteral("effects.html")},
      {33, QStringLiteral("control.html")},
      {34, QStringLiteral("wave.html")},
      {35, QStringLiteral("pitch.html")},
      {36, QStringLiteral("lfo.html")},
      {37, QStringLiteral("tva.html")},
      {38, QStringLiteral("tvf.html")},
      {39, QStringLiteral("library.html#menu")},
      {40, QStringLiteral("properties.html")},
      {42, QStringLiteral("patch.html")},
      {43, QStringLiteral("performance.html")},
      {44, QStringLiteral("rhythm.html")},
      {45, QStringLiteral("system.html")},
      {48, QStringLiteral("effects.html#performance")},
      {50, QStringLiteral("morph.html")},
      {51, QStringLiteral("random.html")},
      {53, QStringLiteral("bank.html")},
      {54, QStringLiteral("global.html")},
      {55, QStringLiteral("trash.html")},
      {70, QStringLiteral("catalog.html")},
      {71, QStringLiteral("catalog.html#settings")},
  };
  return pages;
}
}  // namespace

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Vesta Help"));
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenExternalLinks(true);
  auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
  auto* back = new QPushButton(QStringLiteral("&Back"), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  connect(contents, &QPushButton::clicked, this, [this] { browser_->setSource(QUrl(kIndex)); });
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  back->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);
  resize(560, 600);
}

void THelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool THelpWindow::HasPage(int context) {
  return Pages().count(context) > 0;
}

THelpWindow* THelpWindow::Current() {
  return TheWindow();
}

THelpWindow* THelpWindow::Open(int context, QWidget* owner) {
  if (QWidget* modal = QApplication::activeModalWidget()) owner = modal;
  QPointer<THelpWindow>& window = TheWindow();
  if (!window) {
    window = new THelpWindow(owner);
  } else if (window->parentWidget() != owner) {
    // Kept as a window of its own wherever it moves.
    window->setParent(owner, Qt::Window);
  }
  window->ShowContext(context);
  return window;
}

void SetHelpContext(QObject* object, int context) {
  object->setProperty(kContextProperty, context);
}

int HelpContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget())
    if (const int context = w->property(kContextProperty).toInt(); context > 0) return context;
  return 0;
}

void AddHelpKey(QWidget* window) {
  window->installEventFilter(new TWindowHelp(window));
}

void EnableMenuHelp(QMenu* menu) {
  menu->installEventFilter(new TMenuHelp(menu));
}

QString THelpWindow::PageFor(int context) {
  const auto found = Pages().find(context);
  return found == Pages().end() ? kIndex : QStringLiteral("qrc:/help/") + found->second;
}

void THelpWindow::ShowContext(int context) {
  browser_->setSource(QUrl(PageFor(context)));
  show();
  raise();
  activateWindow();
}
