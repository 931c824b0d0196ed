// Where a modeless panel goes beside the main window. Remembered positions are packed as
// (left × 65536) + top, each half a signed 16-bit coordinate; -1 means the panel has not
// been placed yet.
#pragma once
#include <cstdint>

constexpr int32_t kNotPlaced = -1;

inline int32_t PackPosition(int32_t left, int32_t top) {
  return static_cast<int32_t>(static_cast<uint32_t>(left) * 65536u + static_cast<uint32_t>(top & 0xFFFF));
}
inline int32_t PackedLeft(int32_t packed) { return static_cast<int16_t>((static_cast<uint32_t>(packed) >> 16) & 0xFFFF); }
inline int32_t PackedTop(int32_t packed) { return static_cast<int16_t>(static_cast<uint32_t>(packed) & 0xFFFF); }

// A remembered position wins. Otherwise the panel's top is the main window's top, and it
// stands right of the main window (left = mainRight + 1) when the screen has more room
// there than the panel is wide, else left of it (left = mainLeft - panelWidth - 1), but
// never past the screen's left edge, so a panel is always reachable.
inline void PlacePanel(int32_t mainLeft, int32_t mainTop, int32_t mainRight, int32_t screenRight,
                       int32_t panelWidth, int32_t remembered, int32_t& left, int32_t& top) {
  if (remembered != kNotPlaced) {
    left = PackedLeft(remembered);
    top = PackedTop(remembered);
    return;
  }
  top = mainTop;
  left = screenRight - mainRight > panelWidth ? mainRight + 1 : mainLeft - panelWidth - 1;
  if (left < 0) left = 0;
}
