#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "codec/main_data.h"
#include "editor/range.h"
#include "editor/screen_model.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::size_t kCustIdMaxLength = 10;
// The image holds 8 codes of the identifier, so the field takes no more.
inline constexpr std::size_t kMorseCodeIdMaxLength = 8;
inline constexpr std::string_view kMorseCodeIdCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// Key press handlers run before the field applies the key; they refuse it by setting KeyAscii to
// kKeyRefused. Focus-loss handlers correct the field and copy it into the record.
void TxtCustID_KeyPress(int& KeyAscii, const Control& field);
void TxtCustID_LostFocus(Control& field, MainDataRec& MainData);
void TxtMorseCodeID_KeyPress(int& KeyAscii, const Control& field);
// A longer text (pasted) is cut to its first kMorseCodeIdMaxLength characters, with a box that
// says so.
void TxtMorseCodeID_LostFocus(Control& field, MainDataRec& MainData, UserInterface& ui);
std::string MorseCodeIdCutText(const std::string& kept);

// The five numeric fields: what the range check's refusal is replaced with, and whether the
// focus goes back to the field so that the user sees the correction.
struct NumericFieldRule {
    std::string_view name;
    std::string_view defaultText;
    bool focusBack;
};
std::optional<NumericFieldRule> NumericFieldRuleOf(std::string_view controlName);

// Enter runs the focus-loss procedure at once, the focus staying in the field.
void NumericField_KeyPress(int KeyAscii, Control& field, RangeModule& range, UserInterface& ui);
// Range check, default when refused, and the value shown rounded to one decimal.
void NumericField_LostFocus(Control& field, RangeModule& range, UserInterface& ui);

}  // namespace tarvex
