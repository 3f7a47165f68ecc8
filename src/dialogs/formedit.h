#pragma once
// The element property dialog: the name, the memory (user, card or temporary) and the position
// of one library element. Elements held by a bank or a global, and systems and globals, keep
// their place: only the name can change there.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class TLibElem;

class TFormEdit : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 40;

  explicit TFormEdit(QWidget* parent = nullptr);

  // Fills the dialog from the element; dataCard: a data card is installed.
  void SetElement(TLibElem& element, bool dataCard);
  // Shows the dialog modally for the element; true when OK changed something.
  bool Execute(TLibElem& element, bool dataCard);

  // The element keeps its memory and position: held by a bank or global, or a system or global.
  static bool FixedInPlace(const TLibElem& element);
  // Highest position of a kind in user or card memory (0 for kinds without one).
  static int PositionCount(int kind);

  QLineEdit* NameEdit() const { return nameEdit_; }
  QRadioButton* UserButton() const { return user_; }
  QRadioButton* CardButton() const { return card_; }
  QRadioButton* TemporaryButton() const { return temporary_; }
  QSpinBox* PositionBox() const { return position_; }

 public Q_SLOTS:
  void accept() override;

 private:
  // Shows or hides the position for the element and the radio button checked.
  void UpdatePosition();
  bool Apply();

  TLibElem* element_ = nullptr;
  bool changed_ = false;
  QLabel* nameLabel_;
  QLineEdit* nameEdit_;
  QGroupBox* memoryGroup_;
  QRadioButton* user_;
  QRadioButton* card_;
  QRadioButton* temporary_;
  QLabel* positionLabel_;
  QSpinBox* position_;
};
