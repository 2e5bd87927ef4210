#include "editor/field_handlers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "codec/number_text.h"
#include "editor/keys.h"

namespace tarvex {
namespace {

constexpr std::array<NumericFieldRule, 5> kNumericFields{{
    {"TxtCustomMKFreq", "67.0", false},
    {"TxtIDTXInterval", "34", true},
    {"TxtTXTimeOutTimer", "34.0", true},
    {"TxtTXHangTime", "1.0", true},
    {"TxtSqlTailMuteTime", "1.0", true},
}};

// value rounded to tenths (halves to even, in the 16-bit range of tenths), in single precision.
std::string OneDecimalText(double value) {
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    const double tenths = std::clamp(RoundHalfEven(value * 10.0), kLowest, kHighest);
    return ShortestText(static_cast<float>(tenths / 10.0));
}

}  // namespace

void TxtCustID_KeyPress(int& KeyAscii, const Control& field) {
    if (field.text.size() >= kCustIdMaxLength && KeyAscii != kKeyBackspace) {
        KeyAscii = kKeyRefused;
    }
}

void TxtCustID_LostFocus(Control& field, MainDataRec& MainData) {
    ReplaceText(field, field.text.substr(0, kCustIdMaxLength));
    MainData.CustID = field.text;
}

void TxtMorseCodeID_KeyPress(int& KeyAscii, const Control& field) {
    if (KeyAscii == kKeyBackspace) {
        return;
    }
    const bool allowedCharacter =
        KeyAscii > 0 && KeyAscii < 256 &&
        kMorseCodeIdCharacters.find(static_cast<char>(KeyAscii)) != std::string_view::npos;
    if (field.text.size() >= kMorseCodeIdMaxLength || !allowedCharacter) {
        KeyAscii = kKeyRefused;
    }
}

void TxtMorseCodeID_LostFocus(Control& field, MainDataRec& MainData, UserInterface& ui) {
    const bool tooLong = field.text.size() > kMorseCodeIdMaxLength;
    ReplaceText(field, UpperCase(field.text).substr(0, kMorseCodeIdMaxLength));
    MainData.MorseCodeID = field.text;
    if (tooLong) {
        ui.ShowMessage({std::string(kOutOfRangeTitle), MorseCodeIdCutText(field.text),
                        MessageIcon::Exclamation, MessageButtons::Ok});
    }
}

std::string MorseCodeIdCutText(const std::string& kept) {
    return "The repeater holds at most " + std::to_string(kMorseCodeIdMaxLength) +
           " characters of the MORSE Code ID; it is cut to \"" + kept + "\".";
}

std::optional<NumericFieldRule> NumericFieldRuleOf(std::string_view controlName) {
    for (const NumericFieldRule& rule : kNumericFields) {
        if (rule.name == controlName) {
            return rule;
        }
    }
    return std::nullopt;
}

void NumericField_KeyPress(int KeyAscii, Control& field, RangeModule& range, UserInterface& ui) {
    if (KeyAscii == kKeyEnter) {
        NumericField_LostFocus(field, range, ui);
    }
}

void NumericField_LostFocus(Control& field, RangeModule& range, UserInterface& ui) {
    const std::optional<NumericFieldRule> rule = NumericFieldRuleOf(field.name);
    if (!rule) {
        return;
    }
    field.foreColor = kBlack;
    field.backColor = kWhite;
    range.ValidateField(field, ui);
    if (field.text.empty()) {
        ReplaceText(field, std::string(rule->defaultText));
        if (rule->focusBack) {
            ui.SetFocus(field.name, field.index);
        }
    }
    if (const std::optional<double> value = ParseDecimal(field.text)) {
        ReplaceText(field, OneDecimalText(*value));
    }
}

}  // namespace tarvex
