#include "editor/range.h"

#include <algorithm>
#include <limits>
#include <string>

#include "codec/number_text.h"

namespace tarvex {
namespace {

constexpr char kTagSeparator = '|';
constexpr std::size_t kTagLimitsStart = 2;  // after the class letter and its separator

bool IsDigit(std::uint8_t code) {
    return code >= '0' && code <= '9';
}

// Red while the box is open, then black on white and empty: the caller sees the refusal as an
// empty field.
void RefuseOutOfRange(Control& field, const RangeModule& range, UserInterface& ui) {
    field.foreColor = kRed;
    ui.ShowMessage({std::string(kOutOfRangeTitle),
                    "Value must be between " + ShortestText(range.FieldMin) + " and " +
                        ShortestText(range.FieldMax),
                    MessageIcon::Exclamation, MessageButtons::Ok});
    field.foreColor = kBlack;
    field.backColor = kWhite;
    ReplaceText(field, {});
}

}  // namespace

void RangeModule::ParseFieldLimits(std::string_view tag) {
    std::string number;
    bool minimumSeen = false;
    for (std::size_t i = kTagLimitsStart; i < tag.size(); ++i) {
        if (tag[i] != kTagSeparator) {
            number += tag[i];
            continue;
        }
        if (!minimumSeen) {
            FieldMin = LeadingNumber(number);
            FieldMinLength = static_cast<std::int16_t>(
                std::min<std::size_t>(number.size(), std::numeric_limits<std::int16_t>::max()));
            minimumSeen = true;
        } else {
            FieldMax = LeadingNumber(number);
        }
        number.clear();
    }
}

void RangeModule::SetFieldClass(std::string_view tag) {
    if (tag.empty()) {
        return;
    }
    switch (tag.front()) {
        case 'D':
            FieldClass = kClassDecimal;
            break;
        case 'F':
            FieldClass = kClassFloat;
            break;
        case 'I':
            FieldClass = kClassInteger;
            break;
        case 'P':
            FieldClass = kClassPhone;
            break;
        case 'T':
            FieldClass = kClassText;
            break;
        default:
            break;
    }
}

bool RangeModule::IsCharAllowed(std::int16_t fieldClass, std::uint8_t code) const {
    switch (fieldClass) {
        case kClassInteger:
            return IsDigit(code) || (code == '-' && FieldMin < 0);
        case kClassDecimal:
        case kClassFloat:
            return IsDigit(code) || code == '.';
        case kClassPhone:
            return IsDigit(code) || code == '*' || code == '#' || code == ',';
        case kClassText:
            return code >= ' ' && code <= '~';
        default:
            return IsDigit(code);
    }
}

bool RangeModule::CheckNumericRange(Control& field, UserInterface& ui) {
    // A text that survived the filter but is no number ("." or "1.2.3") is refused like a value
    // out of range, so that no caller ever has to store it.
    const std::optional<double> value = ParseDecimal(field.text);
    if (value && *value <= FieldMax && *value >= FieldMin) {
        return true;
    }
    RefuseOutOfRange(field, *this, ui);
    return false;
}

void RangeModule::ValidateField(Control& field, UserInterface& ui) {
    if (field.text.empty()) {
        return;
    }
    ParseFieldLimits(field.tag);
    SetFieldClass(field.tag);

    std::string kept;
    kept.reserve(field.text.size());
    for (const char c : field.text) {
        if (IsCharAllowed(FieldClass, static_cast<std::uint8_t>(c))) {
            kept += c;
        } else {
            ui.Beep();
        }
    }
    ReplaceText(field, std::move(kept));

    if (field.text.empty() || FieldClass == kClassPhone || FieldClass == kClassText) {
        return;
    }
    if (field.text.size() < static_cast<std::size_t>(std::max<std::int16_t>(FieldMinLength, 0))) {
        RefuseOutOfRange(field, *this, ui);
        return;
    }
    CheckNumericRange(field, ui);
}

}  // namespace tarvex
