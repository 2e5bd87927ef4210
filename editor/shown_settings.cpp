#include "editor/shown_settings.h"

#include "editor/decode_radio_data.h"

namespace tarvex {
namespace {

std::string Tick(const Control& box) {
    return box.check == CheckState::Unchecked ? "[ ]" : "[x]";
}

std::string MonitorMode(const ScreenModel& s) {
    if (s.OptOvrTone.selected) {
        return s.OptOvrTone.caption;
    }
    return s.OptOvrCarrier.selected ? s.OptOvrCarrier.caption : std::string();
}

}  // namespace

ShownSettings ShownSettingsOf(const ScreenModel& s) {
    return {
        {"CustID", s.LblCustomerID.caption, s.TxtCustID.text},
        {"TXFreq", s.LblRptTXFreq.caption, s.TxtRptrTXFreq.text},
        {"RXFreq", s.LblRptRXFreq.caption, s.TxtRptrRXFreq.text},
        {"MKSlot[0]", "Coded squelch slot 1", s.CmbMK_Type_Code[0].SelectedText()},
        {"MKSlot[1]", "Coded squelch slot 2", s.CmbMK_Type_Code[1].SelectedText()},
        {"PTTExtEnc", s.LblPTTExtEncode.caption, s.CmbPTT_ExtEnc.SelectedText()},
        {"CustomMKFreq", s.LblCustomMKFreq.caption, s.TxtCustomMKFreq.text},
        {"MorseCodeID", s.LblMorseCodeID.caption, s.TxtMorseCodeID.text},
        {"IDTXInterval", s.LblIDTXInterval.caption, s.TxtIDTXInterval.text},
        {"MKEncodewID", s.LblMKEncodewID.caption, Tick(s.ChkMKEncodewID)},
        {"TXTimeOutTimer", s.LblTXTimeOutTimer.caption, s.TxtTXTimeOutTimer.text},
        {"TXHangTime", s.LblTXHangTime.caption, s.TxtTXHangTime.text},
        {"SqlTailMuteTime", s.LblSqlTailMuteTime.caption, s.TxtSqlTailMuteTime.text},
        {"MonitorMode", s.FrmMonitorMode.caption, MonitorMode(s)},
        {"MKEncodePol", s.chkMKEncodePol.caption, Tick(s.chkMKEncodePol)},
        {"MKDecodePol", s.chkMKDecodePol.caption, Tick(s.chkMKDecodePol)},
    };
}

ShownSettings ShownSettingsOfImage(const ImageBuffer& image, bool Step5kHz) {
    ScreenModel screen = BuildMainScreen();
    MainDataRec record;
    DecodeRadioData(record, image, Step5kHz, screen);
    return ShownSettingsOf(screen);
}

std::vector<ShownSetting> ChangedSettings(const ShownSettings& before, const ShownSettings& after) {
    std::vector<ShownSetting> changed;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i].text != after[i].text) {
            changed.push_back(after[i]);
        }
    }
    return changed;
}

}  // namespace tarvex
