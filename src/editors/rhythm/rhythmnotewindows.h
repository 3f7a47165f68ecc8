#pragma once
// The four note windows of the rhythm editor: main (wave, gain, switches, outputs), pitch (with
// its envelope), filter (type picture, cutoff, resonance, envelope) and amplifier (level,
// envelope, pan).
#include "editors/rhythm/rhythmnotewindow.h"

class QComboBox;
class QLabel;
class QToolButton;

class TFormRhyMain : public TRhythmNoteWindow {
  Q_OBJECT
 public:
  explicit TFormRhyMain(TRhythm& rhythm, QWidget* parent = nullptr);
  QComboBox* WaveGroup() const { return group_; }
  QLineEdit* WaveName() const { return waveName_; }
  QToolButton* Browse() const { return browse_; }
  int CurrentWave() const { return wave_; }
  void BrowseClick();

 protected:
  void ShowNoteExtra(const std::uint8_t* note) override;

 private:
  void GroupChosen(int index);
  void WaveNameChanged();
  void StoreGroupAndWave();

  QComboBox* group_;
  QLineEdit* waveName_;
  QToolButton* browse_;
  int wave_ = 0;
  int previousGroup_ = 0;
};

class TFormRhyPitch : public TRhythmNoteWindow {
  Q_OBJECT
 public:
  explicit TFormRhyPitch(TRhythm& rhythm, QWidget* parent = nullptr);
};

class TFormRhyTVF : public TRhythmNoteWindow {
  Q_OBJECT
 public:
  explicit TFormRhyTVF(TRhythm& rhythm, QWidget* parent = nullptr);
  int FilterType() const;
  // The type's name beside the arrows.
  QLabel* TypeLabel() const;
  // The arrows beside the picture: one type down or up, never past "No Filter" or "Peaking".
  void Precedente();
  void Successivo();
};

class TFormrhyTva : public TRhythmNoteWindow {
  Q_OBJECT
 public:
  explicit TFormrhyTva(TRhythm& rhythm, QWidget* parent = nullptr);
};
