#include "editor/commit.h"

#include <string>

#include "codec/number_text.h"
#include "codec/squelch_rows.h"

namespace tarvex {
namespace {

constexpr std::string_view kCustomToneDefault = "67.0";

struct FieldMessages {
    std::string_view empty;
    std::string_view outOfRange;
};

constexpr FieldMessages kTxFreqMessages{"TX frequency field is empty...",
                                        "TX frequency field  is out of range"};
constexpr FieldMessages kRxFreqMessages{"RX frequency field is empty...",
                                        "RX frequency field  is out of range"};
constexpr FieldMessages kCustomToneMessages{"Custom MK frequency field is empty...",
                                            "Custom MK frequency is out of range"};
constexpr FieldMessages kIdIntervalMessages{"Morse Code ID time interval is empty...",
                                            "Morse Code ID time interval is out of range"};
constexpr FieldMessages kTimeOutMessages{"Time Out Timer field is empty...",
                                         "Time Out Timer field is out of range"};
constexpr FieldMessages kHangTimeMessages{"Transmit Hang Time field is empty...",
                                          "Transmit Hang Time field is out of range"};
constexpr FieldMessages kTailTimeMessages{"Squelch Tail Mute Time field is empty...",
                                          "Squelch Tail Mute Time field is out of range"};
constexpr std::string_view kNoMonitorMode = "One of the monitor options must be selected";

class Commit {
  public:
    Commit(ScreenModel& screen, MainDataRec& MainData, RangeModule& range, UserInterface& ui)
        : screen_(screen), data_(MainData), range_(range), ui_(ui) {}

    bool Run() {
        if (!CheckTaggedField(screen_.TxtRptrTXFreq, kTxFreqMessages)) {
            return false;
        }
        data_.TXFreq = screen_.TxtRptrTXFreq.text;
        if (!CheckTaggedField(screen_.TxtRptrRXFreq, kRxFreqMessages)) {
            return false;
        }
        data_.RXFreq = screen_.TxtRptrRXFreq.text;
        if (!StoreRows() || !StoreCustomTone()) {
            return false;
        }
        data_.FirmwareText = screen_.TxtFirmwareVersion.text;
        data_.CustID = screen_.TxtCustID.text;
        data_.MorseCodeID = UpperCase(screen_.TxtMorseCodeID.text);
        if (!CheckNumber(screen_.TxtIDTXInterval, kIdIntervalMessages, data_.IDTXInterval)) {
            return false;
        }
        data_.MKEncodewID = screen_.ChkMKEncodewID.check != CheckState::Unchecked;
        return CheckNumber(screen_.TxtTXTimeOutTimer, kTimeOutMessages, data_.TXTimeOutTimer) &&
               CheckNumber(screen_.TxtTXHangTime, kHangTimeMessages, data_.TXHangTime) &&
               CheckNumber(screen_.TxtSqlTailMuteTime, kTailTimeMessages, data_.SqlTailMuteTime) &&
               StoreMonitorMode();
    }

  private:
    bool Fail(std::string_view text) {
        ui_.ShowMessage({std::string(kCommitDataErrorTitle), std::string(text), MessageIcon::None,
                         MessageButtons::Ok});
        return false;
    }

    bool CheckTaggedField(Control& field, const FieldMessages& messages) {
        if (field.text.empty()) {
            return Fail(messages.empty);
        }
        range_.ValidateField(field, ui_);
        return field.text.empty() ? Fail(messages.outOfRange) : true;
    }

    bool CheckNumber(Control& field, const FieldMessages& messages, float& stored) {
        if (!CheckTaggedField(field, messages)) {
            return false;
        }
        stored = static_cast<float>(LeadingNumber(field.text));
        return true;
    }

    // The lists are pick-only; a row outside a list never reaches the 8-bit record fields.
    bool StoreRows() {
        const auto rowOf = [](const Control& list, int rowCount) {
            const int row = list.selectedRow;
            return row >= 0 && row < rowCount ? std::optional<std::uint8_t>(row) : std::nullopt;
        };
        const auto slot1 = rowOf(screen_.CmbMK_Type_Code[0], kSlotRowCount);
        const auto slot2 = rowOf(screen_.CmbMK_Type_Code[1], kSlotRowCount);
        const auto ptt = rowOf(screen_.CmbPTT_ExtEnc, kPttRowCount);
        if (!slot1 || !slot2 || !ptt) {
            return Fail("A coded squelch list has no row selected");
        }
        data_.MKSlot = {*slot1, *slot2};
        data_.PTTExtEnc = *ptt;
        return true;
    }

    bool StoreCustomTone() {
        Control& field = screen_.TxtCustomMKFreq;
        const bool inUse = data_.PTTExtEnc == kRowPttCustomMk ||
                           data_.MKSlot[0] == kRowSlotCustomMk ||
                           data_.MKSlot[1] == kRowSlotCustomMk;
        if (inUse) {
            return CheckNumber(field, kCustomToneMessages, data_.CustomMKFreq);
        }
        if (field.text.empty()) {
            ReplaceText(field, std::string(kCustomToneDefault));
        } else {
            range_.ValidateField(field, ui_);
            if (field.text.empty()) {
                return Fail(kCustomToneMessages.outOfRange);
            }
        }
        data_.CustomMKFreq = static_cast<float>(LeadingNumber(field.text));
        return true;
    }

    bool StoreMonitorMode() {
        if (screen_.OptOvrTone.selected) {
            data_.MonitorMode = 0;
        } else if (screen_.OptOvrCarrier.selected) {
            data_.MonitorMode = 1;
        } else {
            return Fail(kNoMonitorMode);
        }
        return true;
    }

    ScreenModel& screen_;
    MainDataRec& data_;
    RangeModule& range_;
    UserInterface& ui_;
};

}  // namespace

bool CommitMainData(ScreenModel& screen, MainDataRec& MainData, RangeModule& range,
                    UserInterface& ui) {
    return Commit(screen, MainData, range, ui).Run();
}

}  // namespace tarvex
