#pragma once
// The keyboard window: a small on-screen piano of 64 keys over nine octaves that plays notes on
// the instrument, on the audition channel at the preview velocity.
#include <QWidget>

class QButtonGroup;
class TKeySelector;

class TFormKeyboard : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 26;
  static constexpr int kWidth = 384;
  static constexpr int kHeight = 123;

  // Marks the keyboard open and takes the base octave of the settings file.
  explicit TFormKeyboard(QWidget* parent = nullptr);
  ~TFormKeyboard() override;

  // Takes the place of [Keyboard] in the settings file (for the window that frames it).
  void Place();

  int Octave() const { return octave_; }
  // The note sounding now, or -1.
  int Sounding() const { return sounding_; }
  TKeySelector* Keys() const { return keys_; }
  QButtonGroup* OctaveButtons() const { return octaves_; }

  // The note name for the caption: "C 4" for 60.
  static QString NoteName(int note);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* Frame();
  // A key pressed, or the pointer dragged onto another key.
  void KeyChange();
  // The button released (the selector's end of change; a press comes here first too).
  void KeyEndchange();
  void SendNote(int status, int note);

  TKeySelector* keys_;
  QButtonGroup* octaves_;
  int octave_ = 0;
  int sounding_ = -1;
};
