// Copying a dragged section between two objects of a kind.
#include <algorithm>

#include "editors/params/params.h"

const TCopySection* FindSection(std::span<const TCopySection> sections, int kind) {
  for (const TCopySection& section : sections)
    if (section.Kind == kind) return &section;
  return nullptr;
}

void CopySection(const TCopySection& section, const std::uint8_t* from, std::uint8_t* to) {
  for (const TByteRange& range : section.Ranges)
    std::copy(from + range.First, from + range.Last + 1, to + range.First);
}
