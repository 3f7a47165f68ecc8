#pragma once
// The bookkeeping of one editor page window kept in a sound object: the window while it exists
// (opaque here: windows live above the model), its open flag, and where it was last placed.
#include <cstdint>

class QObject;

inline constexpr std::uint16_t kNoPosition = 0xFFFF;

struct TPageSlot {
  QObject* Window = nullptr;
  bool Open = false;
  std::uint16_t Left = kNoPosition;
  std::uint16_t Top = kNoPosition;
};

// A page's remembered place as library records hold it: left, then top.
template <class TWriter>
void WritePlace(TWriter& out, const TPageSlot& page) {
  out.U16(page.Left);
  out.U16(page.Top);
}
template <class TReader>
void ReadPlace(TReader& in, TPageSlot& page) {
  page.Left = in.U16();
  page.Top = in.U16();
}
