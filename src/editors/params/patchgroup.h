#pragma once
// Which patch a performance part or the system's patch mode plays: bytes 2 and 3 of the part
// block (and of the system common block) pick one of the "Patch Group" list's eleven entries,
// given the boards and card configured in the settings; bytes 4 and 5 (patch number div 16 and
// mod 16) pick a name from that group's name list. Part 10, the rhythm part, picks one of two
// rhythm sets of the first six groups instead. The system also picks a performance by group.
#include <cstdint>

#include <QString>

inline constexpr const char* kPatchGroups[] = {
    "User",        "Card",        "Preset A",    "Preset B", "Preset C", "GM",
    "Expansion A", "Expansion B", "Expansion C", "Expansion D", "PCM"};
inline constexpr int kPatchGroupCount = 11;
inline constexpr int kRhythmGroupCount = 6;  // part 10: "User" to "GM"
inline constexpr int kRhythmPart = 10;

inline constexpr const char* kPerformanceGroups[] = {"User", "Card", "Preset A", "Preset B"};
inline constexpr int kPerformancesPerGroup = 32;

// What PatchGroupIndex gives for bytes (2, b) of a board b that no expansion slot holds: the
// group is shown as "Board b", which the list does not offer, and the patch by its number.
inline constexpr int kUnslottedBoard = -2;

// The list entry of bytes 2 and 3: type 0 entry number − 1 (0 for number 0), type 1 "PCM",
// type 2 the slot holding board number (kUnslottedBoard when no slot does); -1 for bytes no
// entry stands for.
int PatchGroupIndex(int type, int number);
// "Board b", the group of a board no slot holds; the number shown in place of a patch name
// (counted from 1).
QString UnslottedBoardText(int board);
QString PatchNumberText(int number);
// The bytes 2 and 3 of an entry: (0, entry + 1) for "User" to "GM", (2, board) for an expansion
// slot, (1, card) for "PCM". False when the slot or the card has nothing configured.
bool PatchGroupBytes(int groupIndex, std::uint8_t& type, std::uint8_t& number);
// The names window's list of an entry's patch names: "User" 49, "Card" 50, the presets and GM
// 25 to 28, board b 2b + 2, card c 2c + 28; 0 when the entry has nothing configured.
int PatchListCode(int groupIndex);
// The names window's list of a performance group's names: "User" 48 and "Card" 47 (the names
// file holds the card's performances first), "Preset A" 45, "Preset B" 46.
int PerformanceListCode(int group);

// The name of a patch (its group's list at number), empty past the list's end or without lists.
QString PatchName(int groupIndex, int number);
// The two rhythm sets of a group of part 10: the user and card names as last read from the
// instrument, fixed names for the presets and GM.
QString RhythmSetName(int groupIndex, int number);

// Texts of the custom rows for a part's or the system's data (byte 0 first); a null string for
// bytes they cannot show.
QString PatchGroupText(const std::uint8_t* data);
QString PatchNameText(const std::uint8_t* data);
QString RhythmGroupText(const std::uint8_t* data);
QString RhythmSetText(const std::uint8_t* data);
