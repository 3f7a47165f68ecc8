#pragma once
// Short makers for the rows of the performance, rhythm and system tables, so that a table reads
// as one line per parameter. Internal to the table files.
#include <span>

#include "editors/params/paramrow.h"

namespace rowmakers {
using C = TParamControl;

constexpr std::uint16_t At(int offset) { return static_cast<std::uint16_t>(offset); }
constexpr std::int16_t N(int value) { return static_cast<std::int16_t>(value); }

// A horizontal slider over stored 0..max, shown as stored + add.
constexpr TParamRow Slide(int offset, const char* caption, int max, int add, std::uint8_t page,
                          std::uint8_t field = 0) {
  return {.Offset = At(offset), .Caption = caption, .Max = N(max), .Add = N(add), .Page = page,
          .Field = field};
}
// A value field showing its code (stored min..max) in a display mode.
constexpr TParamRow Code(int offset, const char* caption, TEditType mode, int min, int max,
                         std::uint8_t page, std::uint8_t field = 0) {
  return {.Offset = At(offset), .Caption = caption, .Control = C::Field, .Min = N(min),
          .Max = N(max), .Mode = mode, .Page = page, .Field = field};
}
// A value field of stored 0..max shown in mode as stored + add.
constexpr TParamRow Shifted(int offset, const char* caption, TEditType mode, int max, int add,
                            std::uint8_t page) {
  return {.Offset = At(offset), .Caption = caption, .Control = C::Field, .Max = N(max),
          .Add = N(add), .Mode = mode, .Page = page};
}
// A sensitivity: stored 0..125 shown as stored × 2 − 100 (−100 to +150 in steps of 2).
constexpr TParamRow Sens(int offset, const char* caption, std::uint8_t page) {
  return {.Offset = At(offset), .Caption = caption, .Control = C::Field, .Max = 125, .Scale = 2,
          .Add = -100, .Mode = MinMaxS, .Step = 2, .Page = page};
}
// One number field of an envelope graph.
constexpr TParamRow Point(int offset, const char* caption, int max, int add, std::uint8_t page) {
  return {.Offset = At(offset), .Caption = caption, .Control = C::Graph, .Max = N(max),
          .Add = N(add), .Page = page};
}
constexpr TParamRow Check(int offset, const char* caption, std::uint8_t page) {
  return {.Offset = At(offset), .Caption = caption, .Control = C::Check, .Max = 1, .Page = page};
}
// A list, radio group, button group or picture whose stored value is the item's index.
constexpr TParamRow Choice(int offset, const char* caption, C control,
                           std::span<const char* const> items, std::uint8_t page) {
  return {.Offset = At(offset), .Caption = caption, .Control = control,
          .Max = N(static_cast<int>(items.size()) - 1), .Items = items, .Page = page};
}
}  // namespace rowmakers
