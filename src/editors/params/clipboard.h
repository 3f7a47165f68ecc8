#pragma once
// TClipboard: what the editors' Copy buttons hold for their Paste buttons: one performance part
// (19 bytes), sections of one rhythm note (58 bytes with one flag per section) and one scale
// tune block (12 values). The main window owns one for the whole run; pasting is no edit of its
// own, so the windows apply it without undo records.
#include <array>
#include <cstdint>

class TClipboard {
 public:
  static constexpr int kPartSize = 19;
  static constexpr int kNoteSize = 58;
  static constexpr int kScaleTuneSize = 12;
  // Note sections, as the note windows name them; each has its own flag bit (1 << section).
  enum TNoteSection { nsMain, nsPitch, nsFilter, nsAmplifier, kNoteSectionCount };

  void CopyPart(const std::uint8_t* part);
  // False (nothing written) while no part was copied.
  bool PastePart(std::uint8_t* part) const;
  bool PartFilled() const { return partFilled_; }

  // Copies only the section's bytes of the note and sets its flag; the other sections keep what
  // was copied before.
  void CopyNoteSection(TNoteSection section, const std::uint8_t* note);
  // Writes only the section's bytes; false while that section was never copied.
  bool PasteNoteSection(TNoteSection section, std::uint8_t* note) const;
  bool NoteFilled(TNoteSection section) const { return noteFlags_ >> section & 1; }
  std::uint8_t NoteFlags() const { return noteFlags_; }

  void CopyScaleTune(const std::uint8_t* tune);
  bool PasteScaleTune(std::uint8_t* tune) const;
  bool ScaleTuneFilled() const { return scaleTuneFilled_; }

 private:
  std::array<std::uint8_t, kPartSize> part_{};
  bool partFilled_ = false;
  std::array<std::uint8_t, kNoteSize> note_{};
  std::uint8_t noteFlags_ = 0;
  std::array<std::uint8_t, kScaleTuneSize> scaleTune_{};
  bool scaleTuneFilled_ = false;
};

// The main window's clipboard while one is installed, otherwise one kept for the whole run (for
// tests and tools without a main window).
TClipboard& Clipboard();
// Installs the main window's clipboard (not owned); nullptr goes back to the kept one.
void SetClipboard(TClipboard* clipboard);
