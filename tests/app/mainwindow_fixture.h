#pragma once
// The main window offscreen, every question scripted, with library windows in it; with
// StartWithPorts() its MIDI ports open on a loopback device that records what is sent. It also
// holds the includes that more than one of the app tests needs.
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "app/formvesta.h"
#include "app/inifile.h"
#include "app/interfacesize.h"
#include "app/vesta.h"
#include "dialogs/formedit.h"
#include "dialogs/formexpansion.h"
#include "dialogs/helpwindow.h"
#include "instrument/instrumentbackend.h"
#include "librarian/formbank.h"
#include "librarian/formbankgrid.h"
#include "librarian/formglobal.h"
#include "librarian/formlibrary.h"
#include "librarian/librarygrid.h"
#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/sysex.h"
#include "midi/timing.h"
#include "model/bank.h"
#include "model/library.h"
#include "model/patchbank.h"
#include "model/transfer.h"
#include "tools/preview.h"

using TBytes = std::vector<std::uint8_t>;

inline const QString kNotSaved = QStringLiteral(" Was Not Saved, Save It ?");

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline QString WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
  return path;
}

// Runs check on the modal window of type T once it is up (anything else fails the test), then
// rejects it if check left it open.
template <class T>
void WhenShown(std::function<void(T&)> check) {
  QTimer::singleShot(0, [check] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* window = qobject_cast<T*>(modal);
    if (!window) {
      ADD_FAILURE() << "expected a " << T::staticMetaObject.className() << ", found "
                    << (modal ? modal->metaObject()->className() : "no modal window");
      if (modal) modal->close();
      return;
    }
    check(*window);
    if (window->isVisible()) window->reject();
  });
}

// The texts of labels (or buttons), in order.
template <class TWidget>
QStringList Texts(std::initializer_list<const TWidget*> widgets) {
  QStringList texts;
  for (const TWidget* widget : widgets) texts << widget->text();
  return texts;
}

class TMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    Timing() = TTiming::Scaled(0.02);
    vesta_ = std::make_unique<TVesta>(dir_.filePath(QStringLiteral("VESTA95.INI")));
    main_ = std::make_unique<TFormvesta>(*vesta_);
    main_->resize(1200, 900);
    main_->show();
  }
  void TearDown() override {
    if (AuditionCursorShown()) StopPreview();
    main_.reset();
    Flush();
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    Timing() = TTiming{};
  }
  // The start's second half on a loopback device: ports open, preview note 40 at velocity 70.
  void StartWithPorts() {
    auto backend = std::make_unique<TLoopbackBackend>();
    loop_ = backend.get();
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::move(backend));
    PreviewChannel = 1;
    main_->FinishStart();
    ASSERT_TRUE(MidiSession().MidiOpen());
    loop_->ClearSent();
  }

  // A library window on a new library holding elements of the given kinds, in that order.
  TFormLibrary& Open(std::initializer_list<int> kinds, const QString& fileName = {}) {
    auto library = std::make_unique<TLibrary>();
    if (!fileName.isEmpty()) library->FileName = fileName;
    for (int kind : kinds) library->NewElement(kind);
    return OpenLibrary(std::move(library));
  }
  TFormLibrary& OpenLibrary(std::unique_ptr<TLibrary> library) {
    auto* window = qobject_cast<TFormLibrary*>(main_->AddLibraryWindow(std::move(library)));
    EXPECT_NE(window, nullptr);
    return *window;
  }
  // The window of a bank's or a global's editor, opened.
  template <class TWindow = TFormBank>
  static TWindow& OpenEditor(TLibElem& element) {
    element.OpenEditor();
    auto* window = qobject_cast<TWindow*>(element.Editor);
    EXPECT_NE(window, nullptr);
    return *window;
  }
  TFormLibrary& OpenTrash() {
    main_->OpenTrashWindow();
    auto* window = qobject_cast<TFormLibrary*>(main_->TrashWindow());
    EXPECT_NE(window, nullptr);
    return *window;
  }
  // Triggers a main window's action (the Copy/Move pop-up's too) by its object name.
  void Pick(const char* name) {
    auto* action = main_->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  TLibrary* LibraryOf(QWidget* window) const { return main_->ActiveLibrary(window); }
  // Runs the deletions that closed windows asked for.
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  // Names the elements of a library in list order, e.g. "A B C".
  static QString Names(TLibrary& library) {
    QStringList names;
    for (auto& element : library.Elements) names << element->GetName();
    return names.join(u' ');
  }
  static void SetNames(TLibrary& library, const QStringList& names) {
    for (int i = 0; i < names.size(); ++i) library.Element(i).SetName(names[i], false);
  }
  // The list positions of the selected elements or members.
  static std::vector<int> Selected(TLibrary& library) {
    std::vector<int> indexes;
    for (int i = 0; i < library.Count(); ++i)
      if (library.Element(i).Selected) indexes.push_back(i);
    return indexes;
  }
  static std::vector<int> Selected(TBank& bank) {
    std::vector<int> indexes;
    for (int i = 0; i < bank.Count(); ++i)
      if (bank.Member(i).Selected) indexes.push_back(i);
    return indexes;
  }

  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  std::unique_ptr<TVesta> vesta_;
  std::unique_ptr<TFormvesta> main_;
  TLoopbackBackend* loop_ = nullptr;
};
