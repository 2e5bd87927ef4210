#include "cli/settings_view.h"

#include <cmath>
#include <iomanip>
#include <sstream>

#include "cli/single_byte_text.h"
#include "codec/freq_codec.h"
#include "codec/number_text.h"

namespace tarvex::cli {
namespace {

constexpr int kLabelWidth = 30;

std::string CheckText(const Control& box) {
    std::string text = box.check == CheckState::Unchecked ? "[ ]" : "[x]";
    return box.enabled ? text : text + " (disabled)";
}

std::string RowText(const Control& list) {
    if (list.selectedRow == kNoRow) {
        return "(no row)";
    }
    return std::to_string(list.selectedRow) + " " + Quoted(list.SelectedText());
}

std::string MonitorModeText(const ScreenModel& screen) {
    if (screen.OptOvrCarrier.selected) {
        return screen.OptOvrCarrier.caption;
    }
    if (screen.OptOvrTone.selected) {
        return screen.OptOvrTone.caption;
    }
    return "(none selected)";
}

std::string WithUnit(const Control& field, const Control& unit) {
    const auto end = unit.caption.find_last_not_of(' ');
    return Quoted(field.text) + " " + unit.caption.substr(0, end + 1);
}

// The monitor mode as commit would store it: 0 Override Tone, 1 Override Carrier.
nlohmann::ordered_json MonitorModeValue(const ScreenModel& screen) {
    if (screen.OptOvrTone.selected) {
        return 0;
    }
    if (screen.OptOvrCarrier.selected) {
        return 1;
    }
    return nullptr;
}

// A field's number as shown: whole numbers without a decimal, null for an empty field.
nlohmann::ordered_json NumberOf(const std::string& text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value) {
        return nullptr;
    }
    if (*value == std::trunc(*value) && std::fabs(*value) < 1e15) {
        return static_cast<long long>(*value);
    }
    return *value;
}

std::string ImageHex(const ImageBuffer& image, std::size_t size) {
    std::string hex;
    for (std::size_t i = 0; i < size; ++i) {
        hex += ByteToHex(image[i]);
    }
    return hex;
}

}  // namespace

std::string SettingsText(const Session& session) {
    const ProgramState& state = session.state;
    const ScreenModel& s = session.screen;
    std::ostringstream out;
    const auto line = [&out](const std::string& label, const std::string& value) {
        out << std::left << std::setw(kLabelWidth) << label << ' ' << value << '\n';
    };
    line("Model code", std::to_string(state.ModelCode));
    line("Model name", Quoted(state.ModelName));
    line("Firmware version", FixedText(state.FirmwareVersion, 2));
    out << '\n';
    line(s.LblModel.caption,
         s.cmbType.selectedRow == kNoRow ? "(no row)" : s.cmbType.SelectedText());
    line(s.LblCustomerID.caption, Quoted(s.TxtCustID.text));
    line(s.LblRptTXFreq.caption, WithUnit(s.TxtRptrTXFreq, s.LblTXUnits));
    line(s.LblRptRXFreq.caption, WithUnit(s.TxtRptrRXFreq, s.LblRXUnits));
    line("Coded squelch slot " + s.LblSlot1.caption, RowText(s.CmbMK_Type_Code[0]));
    line("Coded squelch slot " + s.LblSlot2.caption, RowText(s.CmbMK_Type_Code[1]));
    line(s.LblPTTExtEncode.caption, RowText(s.CmbPTT_ExtEnc));
    line(s.LblCustomMKFreq.caption, Quoted(s.TxtCustomMKFreq.text));
    line(s.LblFirmwareVersion.caption, Quoted(s.TxtFirmwareVersion.text));
    line(s.LblMorseCodeID.caption, Quoted(s.TxtMorseCodeID.text));
    line(s.LblIDTXInterval.caption, WithUnit(s.TxtIDTXInterval, s.LblIDTXIntervalUnits));
    line(s.LblMKEncodewID.caption, CheckText(s.ChkMKEncodewID));
    line(s.LblTXTimeOutTimer.caption, WithUnit(s.TxtTXTimeOutTimer, s.LblTXTimeOutTimerUnits));
    line(s.LblTXHangTime.caption, WithUnit(s.TxtTXHangTime, s.LblTXHangTimeUnits));
    line(s.LblSqlTailMuteTime.caption, WithUnit(s.TxtSqlTailMuteTime, s.LabelSqlTailMuteTimeUnits));
    line(s.FrmMonitorMode.caption, MonitorModeText(s));
    line(s.chkMKEncodePol.caption, CheckText(s.chkMKEncodePol));
    line(s.chkMKDecodePol.caption, CheckText(s.chkMKDecodePol));
    return out.str();
}

nlohmann::ordered_json SettingsJson(const Session& session) {
    const ProgramState& state = session.state;
    const ScreenModel& s = session.screen;
    nlohmann::ordered_json json;
    json["ModelCode"] = state.ModelCode;
    json["ModelName"] = Latin1ToUtf8(state.ModelName);
    json["FirmwareVersion"] = NumberOf(ShortestText(state.FirmwareVersion));
    json["TXFreq"] = Latin1ToUtf8(s.TxtRptrTXFreq.text);
    json["RXFreq"] = Latin1ToUtf8(s.TxtRptrRXFreq.text);
    json["MKSlot"] = {s.CmbMK_Type_Code[0].selectedRow, s.CmbMK_Type_Code[1].selectedRow};
    json["PTTExtEnc"] = s.CmbPTT_ExtEnc.selectedRow;
    json["CustomMKFreq"] = NumberOf(s.TxtCustomMKFreq.text);
    json["MorseCodeID"] = Latin1ToUtf8(s.TxtMorseCodeID.text);
    json["IDTXInterval"] = NumberOf(s.TxtIDTXInterval.text);
    json["MKEncodewID"] = s.ChkMKEncodewID.check != CheckState::Unchecked;
    json["TXTimeOutTimer"] = NumberOf(s.TxtTXTimeOutTimer.text);
    json["TXHangTime"] = NumberOf(s.TxtTXHangTime.text);
    json["SqlTailMuteTime"] = NumberOf(s.TxtSqlTailMuteTime.text);
    json["MonitorMode"] = MonitorModeValue(s);
    json["CustID"] = Latin1ToUtf8(s.TxtCustID.text);
    json["MKEncodePol"] = s.chkMKEncodePol.check != CheckState::Unchecked;
    json["MKDecodePol"] = s.chkMKDecodePol.check != CheckState::Unchecked;
    json["Image"] = ImageHex(state.RadioData, kImageSize);
    return json;
}

std::string HexDump(const ImageBuffer& image) {
    constexpr std::size_t kPerLine = 16;
    std::string dump;
    for (std::size_t line = 0; line < kRepeaterMemorySize; line += kPerLine) {
        dump += ByteToHex(static_cast<std::uint8_t>(line)) + ":";
        std::string printable;
        for (std::size_t i = line; i < line + kPerLine; ++i) {
            dump += (i - line == kPerLine / 2) ? "  " : " ";
            dump += ByteToHex(image[i]);
            printable += (image[i] >= 0x20 && image[i] < 0x7F) ? static_cast<char>(image[i]) : '.';
        }
        dump += "  |" + printable + "|\n";
    }
    return dump;
}

}  // namespace tarvex::cli
