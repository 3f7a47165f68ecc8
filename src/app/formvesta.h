#pragma once
// The main window. For now a plain frame with the File and Settings menus.
#include <QMainWindow>

class TFormInOut;
class TVesta;

class TFormvesta : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormvesta(TVesta& vesta, QWidget* parent = nullptr);

  TFormInOut* FormInOut() const { return formInOut_; }

 public Q_SLOTS:
  void SettingsMidiItemClick();

 private:
  void CreateMenus();

  TFormInOut* formInOut_;
};
