#pragma once
// TFineDrag: a drag with Shift held moves its value one step per kPixelsPerStep pixels of mouse
// travel, counted from where Shift was first held, instead of following the mouse's position.
// Letting Shift go hands the value back to the position.
#include <Qt>

class TFineDrag {
 public:
  static constexpr int kPixelsPerStep = 4;

  // The value for a move: coarse (what the position gives) without Shift; with it, the value
  // held when Shift was taken plus the travel since in steps. travel grows as the value should.
  int Value(Qt::KeyboardModifiers modifiers, int travel, int held, int coarse) {
    if (!(modifiers & Qt::ShiftModifier)) {
      active_ = false;
      return coarse;
    }
    if (!active_) {
      active_ = true;
      anchorTravel_ = travel;
      anchorValue_ = held;
    }
    const int moved = travel - anchorTravel_;
    // Whole steps toward zero, so that a jitter of a pixel or two moves nothing.
    return anchorValue_ + moved / kPixelsPerStep;
  }
  // A press: with Shift held the fine drag starts from here and the value held.
  void Press(Qt::KeyboardModifiers modifiers, int travel, int held) {
    active_ = false;
    if (modifiers & Qt::ShiftModifier) Value(modifiers, travel, held, held);
  }
  void Reset() { active_ = false; }
  bool Active() const { return active_; }

 private:
  bool active_ = false;
  int anchorTravel_ = 0;
  int anchorValue_ = 0;
};
