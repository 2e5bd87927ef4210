#include "editor/decode_radio_data.h"

#include "codec/decoder.h"
#include "codec/number_text.h"

namespace tarvex {
namespace {

CheckState Tick(bool on) {
    return on ? CheckState::Checked : CheckState::Unchecked;
}

// The screen before anything of the image is shown.
void ResetDecodedControls(ScreenModel& screen) {
    screen.chkMKDecodePol.enabled = false;
    screen.chkMKEncodePol.enabled = false;
    for (Control* field :
         {&screen.TxtRptrTXFreq, &screen.TxtRptrRXFreq, &screen.TxtCustID, &screen.TxtMorseCodeID,
          &screen.TxtIDTXInterval, &screen.TxtCustomMKFreq, &screen.TxtTXTimeOutTimer,
          &screen.TxtTXHangTime, &screen.TxtSqlTailMuteTime}) {
        field->text.clear();
    }
    screen.OptOvrCarrier.selected = false;
    screen.OptOvrTone.selected = false;
    for (Control& slot : screen.CmbMK_Type_Code) {
        slot.selectedRow = 0;
    }
    screen.CmbPTT_ExtEnc.selectedRow = 0;
    screen.ChkMKEncodewID.check = CheckState::Unchecked;
    screen.chkMKEncodePol.check = CheckState::Unchecked;
    screen.chkMKDecodePol.check = CheckState::Unchecked;
}

void ShowSettings(const DecodedImage& decoded, MainDataRec& record, ScreenModel& screen) {
    record.TXFreq = decoded.TXFreq;
    screen.TxtRptrTXFreq.text = decoded.TXFreq;
    record.RXFreq = decoded.RXFreq;
    screen.TxtRptrRXFreq.text = decoded.RXFreq;

    record.MonitorMode = decoded.MonitorMode;
    screen.OptOvrCarrier.selected = decoded.MonitorMode != 0;
    screen.OptOvrTone.selected = decoded.MonitorMode == 0;

    record.MorseCodeID = decoded.MorseCodeID;
    screen.TxtMorseCodeID.text = decoded.MorseCodeID;
    record.IDTXInterval = decoded.IDTXInterval;
    screen.TxtIDTXInterval.text = ShortestText(decoded.IDTXInterval);

    record.MKSlot = decoded.MKSlot;
    for (std::size_t slot = 0; slot < 2; ++slot) {
        screen.CmbMK_Type_Code[slot].selectedRow = decoded.MKSlot[slot];
    }
    record.PTTExtEnc = decoded.PTTExtEnc;
    screen.CmbPTT_ExtEnc.selectedRow = decoded.PTTExtEnc;
    screen.chkMKEncodePol.enabled = decoded.encodePolarityEnabled;
    screen.chkMKDecodePol.enabled = decoded.decodePolarityEnabled;

    // Without a tone in the image the field stays empty and the record keeps 0.
    record.CustomMKFreq = decoded.CustomMKFreq.value_or(0.0f);
    if (decoded.CustomMKFreq) {
        screen.TxtCustomMKFreq.text = ShortestText(*decoded.CustomMKFreq);
    }

    record.MKEncodewID = decoded.MKEncodewID;
    screen.ChkMKEncodewID.check = Tick(decoded.MKEncodewID);

    record.TXTimeOutTimer = decoded.TXTimeOutTimer;
    screen.TxtTXTimeOutTimer.text = ShortestText(decoded.TXTimeOutTimer);
    record.TXHangTime = decoded.TXHangTime;
    screen.TxtTXHangTime.text = ShortestText(decoded.TXHangTime);
    record.SqlTailMuteTime = decoded.SqlTailMuteTime;
    screen.TxtSqlTailMuteTime.text = ShortestText(decoded.SqlTailMuteTime);
}

}  // namespace

bool DecodeRadioData(MainDataRec& record, const ImageBuffer& image, bool Step5kHz,
                     ScreenModel& screen) {
    const DecodedImage decoded = DecodeImage(image, Step5kHz);
    ResetDecodedControls(screen);
    screen.chkMKEncodePol.check = Tick(decoded.encodePolarityTicked);
    screen.chkMKDecodePol.check = Tick(decoded.decodePolarityTicked);
    record.CustID = decoded.CustID;
    screen.TxtCustID.text = decoded.CustID;
    if (!decoded.frequenciesValid) {
        return false;
    }
    ShowSettings(decoded, record, screen);
    return true;
}

void SelectModelType(ScreenModel& screen, const std::string& ModelName) {
    Control& list = screen.cmbType;
    list.enabled = false;
    list.selectedRow = list.rows.empty() ? kNoRow : 0;
    for (std::size_t row = 0; row < list.rows.size(); ++row) {
        if (list.rows[row] == ModelName) {
            list.selectedRow = static_cast<int>(row);
            break;
        }
    }
    list.enabled = true;
}

PolarityTicks PolarityTicksOf(const ScreenModel& screen) {
    return {screen.chkMKEncodePol.check != CheckState::Unchecked,
            screen.chkMKDecodePol.check != CheckState::Unchecked};
}

}  // namespace tarvex
