#include "app/formvesta.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "app/forminout.h"

TFormvesta::TFormvesta(TVesta& vesta, QWidget* parent)
    : QMainWindow(parent), formInOut_(new TFormInOut(vesta, this)) {
  setObjectName(QStringLiteral("Formvesta"));
  setWindowTitle(QStringLiteral("Vesta"));
  resize(1024, 720);
  CreateMenus();
  statusBar();
}

void TFormvesta::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File"));
  file->setStatusTip(QStringLiteral("File related commands"));
  QAction* exit = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
  exit->setObjectName(QStringLiteral("FileExitItem"));
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  exit->setStatusTip(QStringLiteral("Exit the application"));

  QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
  settings->setObjectName(QStringLiteral("Settings"));
  QAction* midi =
      settings->addAction(QStringLiteral("&Midi"), this, &TFormvesta::SettingsMidiItemClick);
  midi->setObjectName(QStringLiteral("SettingsMidiItem"));
}

void TFormvesta::SettingsMidiItemClick() {
  formInOut_->exec();
}
