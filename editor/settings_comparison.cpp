#include "editor/settings_comparison.h"

#include <algorithm>
#include <optional>

#include "codec/freq_codec.h"
#include "codec/image_layout.h"
#include "editor/decode_radio_data.h"
#include "editor/screen_model.h"
#include "editor/shown_settings.h"

namespace tarvex {
namespace {

using Addresses = std::vector<std::size_t>;

// Where each shown setting (by its key) comes from in the image, and how its value reads.
struct SettingBytes {
    std::string_view key;
    Addresses addresses;
    Control ScreenModel::*unit = nullptr;  // the label beside it that names its unit
    bool quoted = false;                   // a free text, shown between quotes
};

Addresses Range(std::size_t first, std::size_t end) {
    Addresses addresses;
    for (std::size_t a = first; a < end; ++a) {
        addresses.push_back(a);
    }
    return addresses;
}

const std::vector<SettingBytes>& SettingBytesTable() {
    using namespace image;
    static const Addresses squelch = [] {
        Addresses both = Range(kSquelchShadow, kSquelchShadowEnd);
        const Addresses bitmap = Range(kSquelchBitmap, kSquelchBitmapEnd);
        both.insert(both.end(), bitmap.begin(), bitmap.end());
        return both;
    }();
    static const std::vector<SettingBytes> table = {
        {"CustID", Range(kCustId, kCustId + kCustIdLength), nullptr, true},
        {"TXFreq", Range(kTXFreq, kRXFreq), &ScreenModel::LblTXUnits},
        {"RXFreq", Range(kRXFreq, kFreqAreaEnd), &ScreenModel::LblRXUnits},
        {"MKSlot[0]", squelch},
        {"MKSlot[1]", squelch},
        {"PTTExtEnc", {kPttExtEnc}},
        {"CustomMKFreq", Range(kCustomToneAux, kCustomToneDivB + 1)},
        {"MorseCodeID", Range(kMorseId, kMorseIdClearEnd), nullptr, true},
        {"IDTXInterval", {kIdIntervalHi, kIdIntervalLo}, &ScreenModel::LblIDTXIntervalUnits},
        {"MKEncodewID", {kOptions}},
        {"TXTimeOutTimer", {kTimeOutHi, kTimeOutLo}, &ScreenModel::LblTXTimeOutTimerUnits},
        {"TXHangTime", {kHangTime}, &ScreenModel::LblTXHangTimeUnits},
        {"SqlTailMuteTime", {kTailMuteTime}, &ScreenModel::LabelSqlTailMuteTimeUnits},
        {"MonitorMode", {kMonitorMode}},
        {"MKEncodePol", {kPolarity}},
        {"MKDecodePol", {kPolarity}},
    };
    return table;
}

const SettingBytes* BytesOf(std::string_view key) {
    for (const SettingBytes& setting : SettingBytesTable()) {
        if (setting.key == key) {
            return &setting;
        }
    }
    return nullptr;
}

std::string Escaped(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        text += code < 0x20 || code >= 0x7F ? "\\x" + ByteToHex(code) : std::string(1, c);
    }
    return text;
}

std::string Trimmed(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

// A shown text as a value: free texts quoted, numbers with their unit ("(sec)" read as "sec"),
// nothing shown as "(empty)".
std::string ValueText(const ShownSetting& shown, const SettingBytes& bytes,
                      const ScreenModel& screen) {
    if (bytes.quoted) {
        return "\"" + Escaped(shown.text) + "\"";
    }
    const std::string text = Trimmed(shown.text);
    if (text.empty()) {
        return "(empty)";
    }
    std::string unit = bytes.unit != nullptr ? Trimmed((screen.*bytes.unit).caption) : "";
    if (unit.size() >= 2 && unit.front() == '(' && unit.back() == ')') {
        unit = unit.substr(1, unit.size() - 2);
    }
    return Escaped(text) + (unit.empty() ? "" : " " + unit);
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

bool Uses(const SettingBytes& setting, std::size_t address) {
    return std::find(setting.addresses.begin(), setting.addresses.end(), address) !=
           setting.addresses.end();
}

// One side: the screen after decoding its image onto a fresh window, and whether it could.
struct Side {
    ScreenModel screen = BuildMainScreen();
    bool shown = false;
    explicit Side(const ImageBuffer& image, bool Step5kHz) {
        SetCodedSquelchOpeningState(screen);
        MainDataRec record;
        shown = DecodeRadioData(record, image, Step5kHz, screen);
    }
};

}  // namespace

RepeaterAddresses AllRepeaterAddresses() {
    return RepeaterAddresses().set();
}

SettingsComparison CompareImages(const ImageBuffer& a, const ImageBuffer& b, bool Step5kHz,
                                 const RepeaterAddresses& considered) {
    const Side sideA(a, Step5kHz);
    const Side sideB(b, Step5kHz);
    const bool bothShown = sideA.shown && sideB.shown;
    const ShownSettings shownA = ShownSettingsOf(sideA.screen);
    const ShownSettings shownB = ShownSettingsOf(sideB.screen);

    // Settings in the window's order; a side the window cannot show is compared by its bytes,
    // and so is the other side then.
    std::vector<const SettingBytes*> settings;
    std::vector<SettingDifference> values;
    for (std::size_t i = 0; i < shownA.size() && i < shownB.size(); ++i) {
        const SettingBytes* bytes = BytesOf(shownA[i].key);
        if (bytes == nullptr) {
            continue;
        }
        settings.push_back(bytes);
        values.push_back({shownA[i].caption,
                          bothShown ? ValueText(shownA[i], *bytes, sideA.screen)
                                    : BytesText(a, bytes->addresses),
                          bothShown ? ValueText(shownB[i], *bytes, sideB.screen)
                                    : BytesText(b, bytes->addresses)});
    }
    std::vector<Addresses> bytesOnly(settings.size());
    SettingsComparison comparison;
    comparison.aShown = sideA.shown;
    comparison.bShown = sideB.shown;
    for (std::size_t address = 0; address < kRepeaterMemorySize; ++address) {
        if (!considered[address] || a[address] == b[address]) {
            continue;
        }
        bool explained = false;
        for (std::size_t i = 0; i < settings.size() && !explained; ++i) {
            explained = values[i].a != values[i].b && Uses(*settings[i], address);
        }
        if (explained) {
            continue;
        }
        const auto owner =
            std::find_if(settings.begin(), settings.end(),
                         [address](const SettingBytes* s) { return Uses(*s, address); });
        if (owner == settings.end()) {
            comparison.otherBytes.push_back({address, a[address], b[address]});
        } else {
            bytesOnly[static_cast<std::size_t>(owner - settings.begin())].push_back(address);
        }
    }
    for (std::size_t i = 0; i < settings.size(); ++i) {
        if (values[i].a != values[i].b) {
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
