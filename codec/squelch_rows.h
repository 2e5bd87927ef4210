#pragma once

namespace tarvex {

// Rows of the coded-squelch lists. The record stores row numbers; the slot lists and the PTT/EXT
// list share rows 0 to 134 and differ in their special rows.
inline constexpr int kRowNone = 0;
inline constexpr int kRowNonePlaceholder = 44;  // "44 None": a tone row without a tone
inline constexpr int kLastToneRow = 51;
inline constexpr int kFirstDmkRow = 52;
inline constexpr int kLastDmkRow = 134;
inline constexpr int kRowCarrierSq = 135;     // slot lists
inline constexpr int kRowInactive = 136;      // slot lists
inline constexpr int kRowSlotCustomMk = 137;  // slot lists
inline constexpr int kRowPttCustomMk = 135;   // PTT/EXT list
inline constexpr int kSlotRowCount = 138;
inline constexpr int kPttRowCount = 136;

constexpr bool IsToneRow(int row) {
    return row >= 0 && row <= kLastToneRow;
}
constexpr bool IsDmkRow(int row) {
    return row >= kFirstDmkRow && row <= kLastDmkRow;
}

}  // namespace tarvex
