#include "editor/commit.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/editor_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::Message;
using testing::OutOfRange;
using testing::UiEvent;

UiEvent CommitError(const std::string& text) {
    return Message("Commit Data Error", text);
}

// A screen on which every field is filled and valid.
ScreenModel ValidScreen() {
    ScreenModel s = BuildMainScreen();
    s.TxtRptrTXFreq.text = "451.0125";
    s.TxtRptrRXFreq.text = "456.0125";
    s.CmbMK_Type_Code[0].selectedRow = 52;
    s.CmbMK_Type_Code[1].selectedRow = 60;
    s.CmbPTT_ExtEnc.selectedRow = 44;
    s.TxtFirmwareVersion.text = "1.00";
    s.TxtCustID.text = "Site 9";
    s.TxtMorseCodeID.text = "ab1";
    s.TxtIDTXInterval.text = "10";
    s.ChkMKEncodewID.check = CheckState::Grayed;
    s.TxtTXTimeOutTimer.text = "3";
    s.TxtTXHangTime.text = "1.5";
    s.TxtSqlTailMuteTime.text = "0.5";
    s.OptOvrCarrier.selected = true;
    return s;
}

// A text box takes the text, a list the row number, an option button "" (not selected).
void Set(ScreenModel& screen, const std::string& name, int index, const std::string& value) {
    Control& control = *screen.Find(name, index);
    if (control.kind == ControlKind::ComboBox) {
        control.selectedRow = std::stoi(value);
    } else if (control.kind == ControlKind::OptionButton) {
        control.selected = !value.empty();
    } else {
        control.text = value;
    }
}

TEST(CommitMainData, StopsAtTheFirstBadFieldWithItsMessage) {
    struct Change {
        std::string control;
        std::string value;
        int index = -1;
    };
    struct Case {
        std::vector<Change> changes;
        std::vector<UiEvent> events;
        std::string storedTx = "451.0125";  // "old" when step 1 did not store
        float storedTail = -1.f;            // -1 when step 10 did not store
    };
    const Case cases[] = {
        {{{"TxtRptrTXFreq", ""}}, {CommitError("TX frequency field is empty...")}, "old"},
        {{{"TxtRptrTXFreq", "---.----"}},
         {BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(),
          OutOfRange("400 and 512"), CommitError("TX frequency field  is out of range")},
         "old"},
        {{{"TxtRptrRXFreq", ""}}, {CommitError("RX frequency field is empty...")}},
        {{{"TxtRptrRXFreq", "520"}},
         {OutOfRange("400 and 512"), CommitError("RX frequency field  is out of range")}},
        {{{"CmbMK_Type_Code", "137", 0}}, {CommitError("Custom MK frequency field is empty...")}},
        {{{"CmbMK_Type_Code", "137", 1}}, {CommitError("Custom MK frequency field is empty...")}},
        {{{"CmbPTT_ExtEnc", "135"}, {"TxtCustomMKFreq", "300"}},
         {OutOfRange("60 and 254"), CommitError("Custom MK frequency is out of range")}},
        // A custom tone nothing uses is still checked when filled.
        {{{"TxtCustomMKFreq", "59"}},
         {OutOfRange("60 and 254"), CommitError("Custom MK frequency is out of range")}},
        {{{"TxtIDTXInterval", ""}}, {CommitError("Morse Code ID time interval is empty...")}},
        {{{"TxtIDTXInterval", "35"}},
         {OutOfRange("0 and 34"), CommitError("Morse Code ID time interval is out of range")}},
        {{{"TxtTXTimeOutTimer", ""}}, {CommitError("Time Out Timer field is empty...")}},
        {{{"TxtTXTimeOutTimer", "35"}},
         {OutOfRange("0 and 34"), CommitError("Time Out Timer field is out of range")}},
        {{{"TxtTXHangTime", ""}}, {CommitError("Transmit Hang Time field is empty...")}},
        // Typed and never left, for example straight to a menu.
        {{{"TxtTXHangTime", "9"}},
         {OutOfRange("0 and 7"), CommitError("Transmit Hang Time field is out of range")}},
        {{{"TxtSqlTailMuteTime", ""}}, {CommitError("Squelch Tail Mute Time field is empty...")}},
        {{{"TxtSqlTailMuteTime", "7.5"}},
         {OutOfRange("0 and 7"), CommitError("Squelch Tail Mute Time field is out of range")}},
        {{{"OptOvrCarrier", ""}},
         {CommitError("One of the monitor options must be selected")},
         "451.0125",
         0.5f},
        {{{"CmbPTT_ExtEnc", "-1"}}, {CommitError("A coded squelch list has no row selected")}},
        {{{"CmbMK_Type_Code", "138", 0}},
         {CommitError("A coded squelch list has no row selected")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.changes.back().control + " = \"" + c.changes.back().value + "\"");
        ScreenModel screen = ValidScreen();
        for (const Change& change : c.changes) {
            Set(screen, change.control, change.index, change.value);
        }
        MainDataRec data;
        data.TXFreq = "old";
        data.SqlTailMuteTime = -1.f;
        RangeModule range;
        testing::RecordingUserInterface ui;
        EXPECT_FALSE(CommitMainData(screen, data, range, ui));
        EXPECT_EQ(ui.events, c.events);
        EXPECT_EQ(data.TXFreq, c.storedTx);
        EXPECT_EQ(data.SqlTailMuteTime, c.storedTail);
    }
}

TEST(CommitMainData, StoresEveryFieldAsShown) {
    ScreenModel screen = ValidScreen();
    screen.TxtRptrTXFreq.text = "451.01";  // typed without Enter: stored unsnapped
    MainDataRec data;
    RangeModule range;
    testing::RecordingUserInterface ui;
    ASSERT_TRUE(CommitMainData(screen, data, range, ui));
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(screen.TxtCustomMKFreq.text, "67.0");  // unused and empty: refilled

    MainDataRec expected;
    expected.TXFreq = "451.01";
    expected.RXFreq = "456.0125";
    expected.MKSlot = {52, 60};
    expected.PTTExtEnc = 44;
    expected.CustomMKFreq = 67.0f;
    expected.FirmwareText = "1.00";
    expected.CustID = "Site 9";
    expected.MorseCodeID = "AB1";
    expected.IDTXInterval = 10.0f;
    expected.MKEncodewID = true;  // any state but unchecked
    expected.TXTimeOutTimer = 3.0f;
    expected.TXHangTime = 1.5f;
    expected.SqlTailMuteTime = 0.5f;
    expected.MonitorMode = 1;
    EXPECT_EQ(data, expected);

    screen.OptOvrCarrier.selected = false;
    screen.OptOvrTone.selected = true;
    ASSERT_TRUE(CommitMainData(screen, data, range, ui));
    EXPECT_EQ(data.MonitorMode, 0);
}

}  // namespace
}  // namespace tarvex
