#pragma once
// The preview setup dialog ("Preview Setup"): whether auditions play a single note (which note,
// how loud) or a MIDI file (which one), tried out with Test and kept with OK.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class TMyEdit;
class TPanSlider;

class TFormPreviewSetup : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 19;

  explicit TFormPreviewSetup(QWidget* parent = nullptr);

  // Takes the settings record's values, then runs the dialog.
  int exec() override;
  // The controls take the settings record's four preview values.
  void ShowConfig();

  void BrowseClick();
  // Test held down: the dialog's values play; let go: the audition stops and the settings
  // record has its own values again.
  void TestPress();
  void TestRelease();

  QRadioButton* SingleNote() const { return singleNote_; }
  QRadioButton* MidiFile() const { return midiFile_; }
  TMyEdit* Note() const { return note_; }
  TPanSlider* Velocity() const { return velocity_; }
  QLineEdit* FileName() const { return fileName_; }

  // OK: the dialog's values into the settings record, the record written, the dialog closed.
  void accept() override;

 private:
  struct TPreviewFields {
    bool SingleNote;
    int Note;
    int Velocity;
    QString MidiFile;
  };
  TPreviewFields DialogFields() const;
  static void Apply(const TPreviewFields& fields);
  void EnablePanels();

  QRadioButton* singleNote_;
  QRadioButton* midiFile_;
  QWidget* notePanel_;
  QWidget* filePanel_;
  TMyEdit* note_;
  TPanSlider* velocity_;
  QLineEdit* fileName_;
  QPushButton* test_;
  TPreviewFields saved_{};
  bool testing_ = false;
};
