#pragma once
// Which wave a tone plays: tone bytes 1 and 2 (group type and number) pick one of the "Wave
// Group" list's seven entries, given the boards and card configured in the settings; bytes 3
// and 4 (wave number div 16 and mod 16) pick a name from that group's list.
#include <cstdint>
#include <functional>

#include <QString>
#include <QStringList>

inline constexpr const char* kWaveGroups[] = {"Internal A",  "Internal B",  "Expansion A",
                                              "Expansion B", "Expansion C", "Expansion D",
                                              "PCM"};
inline constexpr int kWaveGroupCount = 7;

// The list entry bytes 1 and 2 show: type 0 entry number − 1 (0 for number 0), type 1 "PCM",
// type 2 the slot holding board number ("Internal A" when no slot does); -1 for anything else.
int WaveGroupIndex(int type, int number);
// Bytes 1 and 2 of a list entry: (0, entry + 1) for the internal groups, (2, board) for an
// expansion slot, (1, card) for "PCM". False when the slot or the card has nothing configured:
// the page then puts the previous entry back and the tone keeps its bytes.
bool WaveGroupBytes(int groupIndex, std::uint8_t& type, std::uint8_t& number);
// The group bytes to send with a wave chosen under the list entry shown: that entry's bytes, so
// that a tone whose bytes (0, 0) show as "Internal A" gets (0, 1); the stored ones when the entry
// has nothing configured.
void ShownWaveGroupBytes(int groupIndex, std::uint8_t storedType, std::uint8_t storedNumber,
                         std::uint8_t& type, std::uint8_t& number);
// The name list code of a list entry (Internal A 1, Internal B 2, board b 2b + 1, card c
// 2c + 27, the board or card configured for the entry); 0 when the entry has nothing installed.
int WaveListCode(int groupIndex);

// The name lists the rows read, by list code: the program's name lists (Names.Txt and
// UserCard.Txt as last loaded), unless a hook is installed in their place (tests).
std::function<QStringList(int code)>& WaveNameListHook();
QStringList NameListOf(int code);

// Texts of the custom rows "Wave Group" and "Wave Name" for a tone's data (byte 0 first); a null
// string for bytes they cannot show.
QString WaveGroupText(const std::uint8_t* data);
QString WaveNameText(const std::uint8_t* data);
