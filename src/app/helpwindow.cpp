#include "app/helpwindow.h"

#include <map>

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
const QString kIndex = QStringLiteral("qrc:/help/index.html");

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
      {25, QStringLiteral("monitor.html")},
      {26, QStringLiteral("keyboard.html")},
      {27, QStringLiteral("preview.html")},
      {28, QStringLiteral("library.html")},
      {31, QStringLiteral("common.html")},
      {32, QStringLiteral("effects.html")},
      {39, QStringLiteral("library.html#menu")},
      {40, QStringLiteral("properties.html")},
      {42, QStringLiteral("patch.html")},
      {43, QStringLiteral("performance.html")},
      {44, QStringLiteral("rhythm.html")},
      {45, QStringLiteral("system.html")},
      {48, QStringLiteral("effects.html#performance")},
      {50, QStringLiteral("morph.html")},
      {51, QStringLiteral("random.html")},
      {55, QStringLiteral("trash.html")},
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
