#pragma once
// A sound block's parameters as data: one row per parameter saying where its bytes lie, how the
// editor shows them and which control edits them. The editor pages build their controls from
// these rows, and vesta-cli prints every parameter of a sound from the same rows, so what the
// command line shows is what the pages show. QtCore only.
#include <cstdint>
#include <span>

#include <QByteArray>
#include <QString>

#include "controls/edittype.h"

enum class TParamControl : std::uint8_t {
  Slider,        // horizontal slider with its number box; text: the shown number
  StereoSlider,  // the same with a stereo number box; text: "L 63", "0", "R 63"
  Field,         // value field (TMyEdit) whose Code is the shown value; text: its display mode
  Pan,           // rotary knob and stereo click field kept in step; text: "L 64" ... "R 63"
  List,          // drop-down list, stored = item index; text: the item
  Radio,         // radio buttons, stored = button index; text: the button's caption
  Buttons,       // a row of buttons of which one is down; text: the button's caption
  Check,         // check box; text: "On" or "Off"
  Name,          // the 12 name characters; text: the name without trailing blanks
  Picture,       // a picture stepped with two arrow buttons; text: the item (its label)
  Graph,         // one number field of an envelope or fade graph; text: the shown number
  Custom,        // edited by the page's own code; text from the row's Text function
};

struct TParamRow {
  std::uint16_t Offset = 0;  // first byte in the block
  // Bytes: 1; 2 = one value in two 4-bit halves, high half first (tempo, wave number);
  // 12 = a name.
  std::uint8_t Size = 1;
  const char* Caption = "";
  TParamControl Control = TParamControl::Slider;
  // The stored range (of the combined value when Size is 2). A byte outside it is shown as its
  // number and flagged, never fed to a control.
  std::int16_t Min = 0;
  std::int16_t Max = 127;
  // shown = stored × Scale + Add; stored = (shown − Add) / Scale, truncated toward zero.
  std::int16_t Scale = 1;
  std::int16_t Add = 0;
  TEditType Mode = MinMax;  // value fields: the display mode of the shown value
  std::int16_t Step = 1;    // value fields: the shown step of the arrow buttons
  std::span<const char* const> Items = {};  // lists, radio groups, button groups, pictures
  std::uint8_t Page = 0;   // which page window of the block shows the row (the block's own list)
  std::uint8_t Tab = 0;    // the tab of that page
  std::uint8_t Field = 0;  // the place on the page (effect field 1 to 12, controller, ...)
  // Custom rows: the text of the row's bytes (data is the block's data byte 0). Also used by any
  // row whose text depends on more than its own bytes.
  QString (*Text)(const std::uint8_t* data) = nullptr;
};

// One block kind's rows with the names vesta-cli gives its blocks.
struct TParamBlock {
  const char* Kind;  // "common", "tone", "part", "note", "scale tune"
  int Size;          // data bytes of the block
  std::span<const TParamRow> Rows;
};

// The combined stored value of the row's bytes (Size 2: high × 16 + low; a name: 0).
int ParamStored(const TParamRow& row, const std::uint8_t* data);
// The row's bytes for a combined stored value (Size 1 or 2).
void ParamSplit(const TParamRow& row, int stored, std::uint8_t* bytes);
int ParamShown(const TParamRow& row, int stored);
int ParamStoredFromShown(const TParamRow& row, int shown);
bool ParamInRange(const TParamRow& row, const std::uint8_t* data);
// What the row's control shows for the block's data, surrounding blanks removed. A value outside
// the row's range gives its number; inRange (when given) tells which.
QString ParamText(const TParamRow& row, const std::uint8_t* data, bool* inRange = nullptr);

// The inverse of ParamText: the row's bytes for a value typed as its control shows it (for a
// value field see EditTypeCode for what may be left out; a list item, a button's caption or
// "On"/"Off" in any case; a name of printable ASCII up to the row's size). block is the whole
// block's data, which a custom row's text may read. False when no value of the row shows so.
bool ParamFromText(const TParamRow& row, std::span<const std::uint8_t> block, const QString& text,
                   QByteArray& bytes);
// What the row takes, for a refusal: its range or its items.
QString ParamValues(const TParamRow& row, std::span<const std::uint8_t> block);
