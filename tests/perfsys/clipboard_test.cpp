// The editors' clipboard: a note window's Paste gives back only what its own Copy put there.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <tuple>
#include <vector>

#include "editors/params/clipboard.h"

namespace {

std::vector<std::uint8_t> Counting(int size, int from) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(from));
  return bytes;
}

TEST(Clipboard, NoteSectionsPasteOnlyTheirOwnBytesOnceCopiedAndTheInstalledOneIsReached) {
  TClipboard clipboard;
  const std::vector<std::uint8_t> source = Counting(58, 0);
  clipboard.CopyNoteSection(TClipboard::nsPitch, source.data());
  EXPECT_EQ(0b0010, clipboard.NoteFlags());
  // Pitch copied: the filter window's Paste has nothing to give.
  std::vector<std::uint8_t> note(58, 100);
  EXPECT_FALSE(clipboard.PasteNoteSection(TClipboard::nsFilter, note.data()));
  EXPECT_EQ(std::vector<std::uint8_t>(58, 100), note);

  // Each section's first and last byte and how many bytes it pastes.
  const struct {
    TClipboard::TNoteSection Section;
    int First, Last, Count;
  } sections[] = {{TClipboard::nsMain, 0, 57, 16},
                  {TClipboard::nsPitch, 12, 25, 14},
                  {TClipboard::nsFilter, 26, 40, 15},
                  {TClipboard::nsAmplifier, 41, 53, 13}};
  for (const auto& s : sections) {
    clipboard.CopyNoteSection(s.Section, source.data());
    std::vector<std::uint8_t> target(58, 100);
    ASSERT_TRUE(clipboard.PasteNoteSection(s.Section, target.data()));
    EXPECT_EQ(std::tuple(s.First, s.Last, s.Count),
              std::tuple(int(target[s.First]), int(target[s.Last]),
                         58 - int(std::count(target.begin(), target.end(), 100))))
        << s.Section;
  }
  EXPECT_EQ(0b1111, clipboard.NoteFlags());
  // A later copy of one section leaves the others' bytes as they were copied.
  const std::vector<std::uint8_t> other(58, 7);
  clipboard.CopyNoteSection(TClipboard::nsMain, other.data());
  std::vector<std::uint8_t> target(58, 100);
  clipboard.PasteNoteSection(TClipboard::nsPitch, target.data());
  EXPECT_EQ(12, target[12]);
  // The main window's clipboard is the one the editors reach while it is installed.
  SetClipboard(&clipboard);
  EXPECT_EQ(&clipboard, &Clipboard());
  SetClipboard(nullptr);
  EXPECT_NE(&clipboard, &Clipboard());
}

}  // namespace
