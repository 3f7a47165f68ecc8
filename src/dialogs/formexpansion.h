#pragma once
// "Expansion Setup": the boards in the four expansion slots, the PCM card and whether a data
// card is installed. OK stores them in the settings record and writes the whole record.
#include <functional>

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QPushButton;
class TSettingsStore;

// Run after OK changed the data card setting: every open global window lays its rows out again
// (the global windows install it).
std::function<void()>& DataCardChangedHook();

class TFormExpansion : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 23;

  // OK writes the settings there.
  explicit TFormExpansion(TSettingsStore& settings, QWidget* parent = nullptr);

  // The texts of the board lists and of the PCM card list, by index.
  static const QStringList& BoardNames();
  static const QStringList& CardNames();

  // The lists take the settings record's indexes.
  void Load();

  QComboBox* Expansion(int slot) const { return expansion_[slot]; }
  QComboBox* PcmCard() const { return pcmCard_; }
  QCheckBox* DataCard() const { return dataCard_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OkClick();

  TSettingsStore& settings_;
  QComboBox* expansion_[4];
  QComboBox* pcmCard_;
  QCheckBox* dataCard_;
  QPushButton* ok_;
  QPushButton* cancel_;
};
