#pragma once
// The names window: the program's name lists (model/pagenames.h) with their "Select Name"
// picker. The first one created is the program's names window (NamesWindow): it shows the
// program's lists and reloads them when a bank transfer has changed "UserCard.Txt". Any other
// holds lists of its own.
#include <QByteArray>
#include <QObject>
#include <QStringList>

#include "model/pagenames.h"

class QWidget;

class TFormNames : public QObject {
  Q_OBJECT
 public:
  static constexpr int kListCount = TPageNames::kListCount;
  static inline const QString NamesFile = TPageNames::NamesFile;
  static inline const QString BuiltInNames = TPageNames::BuiltInNames;

  explicit TFormNames(QObject* parent = nullptr);
  ~TFormNames() override;

  // The memory names are the instrument's, fetched by Settings, Names: without "UserCard.Txt"
  // the user and card lists would be empty without a word, so its absence is reported.
  bool Load() { return lists_->Load(true); }
  int ReadLines(const QByteArray& bytes, int first) { return lists_->ReadLines(bytes, first); }
  const QStringList& List(int number) const { return lists_->List(number); }
  QString Name(int list, int index) const { return lists_->Name(list, index); }
  TPageNames& Lists() const { return *lists_; }

  // The "Select Name" picker on a list with index selected; true with index set to the chosen
  // name when the user pressed OK on one.
  bool Select(int list, int& index, QWidget* parent = nullptr) const;

 private:
  TPageNames own_;
  TPageNames* lists_;
};

// The program's names window, or none.
TFormNames* NamesWindow();
