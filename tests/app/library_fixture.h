#pragma once
// A main window with library windows in it, offscreen, with every question scripted.
#include <memory>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>

#include "app/formlibrary.h"
#include "app/formvesta.h"
#include "app/librarygrid.h"
#include "app/vesta.h"
#include "midi/scriptedui.h"
#include "model/library.h"

class TLibraryWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    vesta_ = std::make_unique<TVesta>(dir_.filePath(QStringLiteral("VESTA95.INI")));
    RegisterLibraryWindow();
    main_ = std::make_unique<TFormvesta>(*vesta_);
    main_->resize(1200, 900);
    main_->show();
  }
  void TearDown() override {
    main_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
  TFormLibrary& OpenTrash() {
    main_->OpenTrashWindow();
    auto* window = qobject_cast<TFormLibrary*>(main_->TrashWindow());
    EXPECT_NE(window, nullptr);
    return *window;
  }
  // Runs the deletions that closed windows asked for.
  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  // Names the elements of a library in list order, e.g. "A B C".
  static QString Names(TLibrary& library) {
    QStringList names;
    for (auto& element : library.Elements) names << element->GetName();
    return names.join(u' ');
  }
  static void SetNames(TLibrary& library, const QStringList& names) {
    for (int i = 0; i < names.size(); ++i) library.Element(i).SetName(names[i], false);
  }

  QTemporaryDir dir_;
  TScopedScriptedUI ui_;
  std::unique_ptr<TVesta> vesta_;
  std::unique_ptr<TFormvesta> main_;
};
