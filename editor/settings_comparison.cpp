#include "editor/settings_comparison.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>

#include "codec/freq_codec.h"
#include "codec/image_layout.h"
#include "editor/decode_radio_data.h"
#include "editor/screen_model.h"

namespace tarvex {
namespace {

using Addresses = std::vector<std::size_t>;

// A setting as the main window shows it, with the image bytes it comes from.
struct ShownSetting {
    std::function<std::string(const ScreenModel&)> caption;
    std::function<std::string(const ScreenModel&)> value;
    Addresses addresses;
};

Addresses Range(std::size_t first, std::size_t end) {
    Addresses addresses;
    for (std::size_t a = first; a < end; ++a) {
        addresses.push_back(a);
    }
    return addresses;
}

Addresses Join(std::initializer_list<Addresses> parts) {
    Addresses joined;
    for (const Addresses& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

std::string Escaped(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code >= 0x7F) {
            text += "\\x" + ByteToHex(code);
        } else {
            text += c;
        }
    }
    return text;
}

std::string Trimmed(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

std::string QuotedText(const Control& field) {
    return "\"" + Escaped(field.text) + "\"";
}

// A number field with its unit label, "(sec)" read as "sec"; an empty field as "(empty)".
std::string NumberWithUnit(const Control& field, const Control& unit) {
    if (field.text.empty()) {
        return "(empty)";
    }
    std::string shown = Trimmed(unit.caption);
    if (shown.size() >= 2 && shown.front() == '(' && shown.back() == ')') {
        shown = shown.substr(1, shown.size() - 2);
    }
    return Escaped(field.text) + (shown.empty() ? "" : " " + shown);
}

std::string RowText(const Control& list) {
    const std::string text = Trimmed(list.SelectedText());
    return text.empty() ? "row " + std::to_string(list.selectedRow) : Escaped(text);
}

std::string TickText(const Control& box) {
    return box.check == CheckState::Unchecked ? "not ticked" : "ticked";
}

std::string MonitorModeText(const ScreenModel& s) {
    if (s.OptOvrCarrier.selected) {
        return s.OptOvrCarrier.caption;
    }
    return s.OptOvrTone.selected ? s.OptOvrTone.caption : "(none)";
}

using Screen = const ScreenModel&;

const std::vector<ShownSetting>& ShownSettings() {
    using namespace image;
    const Addresses squelch =
        Join({Range(kSquelchShadow, kSquelchShadowEnd), Range(kSquelchBitmap, kSquelchBitmapEnd)});
    static const std::vector<ShownSetting> settings = {
        {[](Screen s) { return s.LblCustomerID.caption; },
         [](Screen s) { return QuotedText(s.TxtCustID); }, Range(kCustId, kCustId + kCustIdLength)},
        {[](Screen s) { return s.LblRptTXFreq.caption; },
         [](Screen s) { return NumberWithUnit(s.TxtRptrTXFreq, s.LblTXUnits); },
         Range(kTXFreq, kRXFreq)},
        {[](Screen s) { return s.LblRptRXFreq.caption; },
         [](Screen s) { return NumberWithUnit(s.TxtRptrRXFreq, s.LblRXUnits); },
         Range(kRXFreq, kFreqAreaEnd)},
        {[](Screen s) { return "Coded squelch slot " + s.LblSlot1.caption; },
         [](Screen s) { return RowText(s.CmbMK_Type_Code[0]); }, squelch},
        {[](Screen s) { return "Coded squelch slot " + s.LblSlot2.caption; },
         [](Screen s) { return RowText(s.CmbMK_Type_Code[1]); }, squelch},
        {[](Screen s) { return s.LblPTTExtEncode.caption; },
         [](Screen s) { return RowText(s.CmbPTT_ExtEnc); },
         {kPttExtEnc}},
        {[](Screen s) { return s.LblCustomMKFreq.caption; },
         [](Screen s) {
             return s.TxtCustomMKFreq.text.empty() ? "(empty)" : s.TxtCustomMKFreq.text;
         },
         Range(kCustomToneAux, kCustomToneDivB + 1)},
        {[](Screen s) { return s.LblMorseCodeID.caption; },
         [](Screen s) { return QuotedText(s.TxtMorseCodeID); }, Range(kMorseId, kMorseIdClearEnd)},
        {[](Screen s) { return s.LblIDTXInterval.caption; },
         [](Screen s) { return NumberWithUnit(s.TxtIDTXInterval, s.LblIDTXIntervalUnits); },
         {kIdIntervalHi, kIdIntervalLo}},
        {[](Screen s) { return s.LblMKEncodewID.caption; },
         [](Screen s) { return TickText(s.ChkMKEncodewID); },
         {kOptions}},
        {[](Screen s) { return s.LblTXTimeOutTimer.caption; },
         [](Screen s) { return NumberWithUnit(s.TxtTXTimeOutTimer, s.LblTXTimeOutTimerUnits); },
         {kTimeOutHi, kTimeOutLo}},
        {[](Screen s) { return s.LblTXHangTime.caption; },
         [](Screen s) { return NumberWithUnit(s.TxtTXHangTime, s.LblTXHangTimeUnits); },
         {kHangTime}},
        {[](Screen s) { return s.LblSqlTailMuteTime.caption; },
         [](Screen s) { return NumberWithUnit(s.TxtSqlTailMuteTime, s.LabelSqlTailMuteTimeUnits); },
         {kTailMuteTime}},
        {[](Screen s) { return s.FrmMonitorMode.caption; }, MonitorModeText, {kMonitorMode}},
        {[](Screen s) { return s.chkMKEncodePol.caption; },
         [](Screen s) { return TickText(s.chkMKEncodePol); },
         {kPolarity}},
        {[](Screen s) { return s.chkMKDecodePol.caption; },
         [](Screen s) { return TickText(s.chkMKDecodePol); },
         {kPolarity}},
    };
    return settings;
}

// The screen after decoding an image onto a fresh window; nothing when the window cannot show it.
std::optional<ScreenModel> Shown(const ImageBuffer& image, bool Step5kHz) {
    ScreenModel screen = BuildMainScreen();
    SetCodedSquelchOpeningState(screen);
    MainDataRec record;
    if (!DecodeRadioData(record, image, Step5kHz, screen)) {
        return std::nullopt;
    }
    return screen;
}

std::string BytesText(const ImageBuffer& image, const Addresses& addresses) {
    std::string text = "bytes";
    for (const std::size_t address : addresses) {
        text += " " + ByteToHex(image[address]);
    }
    return text;
}

// The value, followed by the differing bytes when that is all that tells the sides apart.
std::string WithBytes(std::string value, const ImageBuffer& image, const Addresses& differing) {
    for (const std::size_t address : differing) {
        value += ", byte " + std::to_string(address) + " = " + ByteToHex(image[address]);
    }
    return value;
}

bool Uses(const ShownSetting& setting, std::size_t address) {
    return std::find(setting.addresses.begin(), setting.addresses.end(), address) !=
           setting.addresses.end();
}

}  // namespace

RepeaterAddresses AllRepeaterAddresses() {
    return RepeaterAddresses().set();
}

SettingsComparison CompareImages(const ImageBuffer& a, const ImageBuffer& b, bool Step5kHz,
                                 const RepeaterAddresses& considered) {
    const std::vector<ShownSetting>& settings = ShownSettings();
    const std::optional<ScreenModel> shownA = Shown(a, Step5kHz);
    const std::optional<ScreenModel> shownB = Shown(b, Step5kHz);
    const bool bothShown = shownA && shownB;
    const ScreenModel& captions = shownA ? *shownA : shownB ? *shownB : BuildMainScreen();

    // A side the window cannot show is compared by its bytes, and so is the other side then.
    std::vector<SettingDifference> values;
    for (const ShownSetting& setting : settings) {
        values.push_back({setting.caption(captions),
                          bothShown ? setting.value(*shownA) : BytesText(a, setting.addresses),
                          bothShown ? setting.value(*shownB) : BytesText(b, setting.addresses)});
    }
    std::vector<bool> listed(settings.size());
    std::vector<Addresses> bytesOnly(settings.size());
    for (std::size_t i = 0; i < settings.size(); ++i) {
        listed[i] = values[i].a != values[i].b;
    }

    SettingsComparison comparison;
    comparison.aShown = shownA.has_value();
    comparison.bShown = shownB.has_value();
    for (std::size_t address = 0; address < kRepeaterMemorySize; ++address) {
        if (!considered[address] || a[address] == b[address]) {
            continue;
        }
        const auto uses = [address](const ShownSetting& s) { return Uses(s, address); };
        bool explained = false;
        for (std::size_t i = 0; i < settings.size() && !explained; ++i) {
            explained = listed[i] && uses(settings[i]);
        }
        if (explained) {
            continue;
        }
        const auto owner = std::find_if(settings.begin(), settings.end(), uses);
        if (owner == settings.end()) {
            comparison.otherBytes.push_back({address, a[address], b[address]});
        } else {
            bytesOnly[static_cast<std::size_t>(owner - settings.begin())].push_back(address);
        }
    }
    for (std::size_t i = 0; i < settings.size(); ++i) {
        if (listed[i]) {
            comparison.settings.push_back(values[i]);
        } else if (!bytesOnly[i].empty()) {
            comparison.settings.push_back({values[i].setting,
                                           WithBytes(values[i].a, a, bytesOnly[i]),
                                           WithBytes(values[i].b, b, bytesOnly[i])});
        }
    }
    return comparison;
}

std::vector<std::string> DifferenceLines(const SettingsComparison& comparison,
                                         std::string_view aWord, std::string_view bWord) {
    std::vector<std::string> lines;
    const std::string as(aWord);
    const std::string bs(bWord);
    for (const SettingDifference& d : comparison.settings) {
        lines.push_back(d.setting + ": " + as + " " + d.a + ", " + bs + " " + d.b);
    }
    if (!comparison.otherBytes.empty()) {
        std::string line = "Other bytes:";
        for (const OtherByteDifference& d : comparison.otherBytes) {
            line += (line.back() == ':' ? " " : ", ") + std::to_string(d.address) + " (" + as +
                    " " + ByteToHex(d.a) + ", " + bs + " " + ByteToHex(d.b) + ")";
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace tarvex
