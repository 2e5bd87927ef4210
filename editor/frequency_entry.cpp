#include "editor/frequency_entry.h"

#include <algorithm>
#include <string>

#include "codec/freq_codec.h"
#include "codec/number_text.h"
#include "editor/keys.h"

namespace tarvex {
namespace {

constexpr int kPointPosition = 3;  // "###.####"

// The placeholder, whole or partly overtyped, reads as digits: "45-.----" is 450.0000.
std::string DashesAsZeros(std::string text) {
    std::replace(text.begin(), text.end(), '-', '0');
    return text;
}

void SnapOnEnter(bool TxOrRx, Control& CurText, ProgramState& state) {
    const std::string working = DashesAsZeros(CurText.text);
    const double v = LeadingNumber(working);
    const bool valid =
        ParseDecimal(working).has_value() && v >= state.FreqLowerMHz && v <= state.FreqUpperMHz;
    if (!valid) {
        if (v == 0.0) {
            ReplaceText(CurText, std::string(kFreqPlaceholder));
        }
        return;
    }
    ReplaceText(CurText, FormatFreq(working, state.Step5kHz));
    (TxOrRx ? state.MainData.TXFreq : state.MainData.RXFreq) = CurText.text;
}

void InsertPointAfterThirdDigit(Control& CurText) {
    if (CurText.caret == kPointPosition && CurText.text.size() >= kPointPosition &&
        CurText.text.find('.') == std::string::npos) {
        CurText.text.insert(kPointPosition, 1, '.');
        CurText.caret = kPointPosition + 1;
    }
}

}  // namespace

void EnterFreq(int& KeyAscii, bool TxOrRx, Control& CurText, ProgramState& state) {
    switch (KeyAscii) {
        case kKeyBackspace:
        case '.':
            return;
        case kKeyEnter:
            SnapOnEnter(TxOrRx, CurText, state);
            return;
        default:
            InsertPointAfterThirdDigit(CurText);
            return;
    }
}

}  // namespace tarvex
