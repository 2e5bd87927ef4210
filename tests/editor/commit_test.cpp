#include "editor/commit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "codec/squelch_rows.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::Message;
using testing::RecordingUserInterface;
using testing::UiEvent;

UiEvent CommitError(const std::string& text) {
    return Message("Commit Data Error", text);
}
UiEvent OutOfRange(const std::string& limits) {
    return Message("Out of Range!", "Value must be between " + limits, MessageIcon::Exclamation);
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

TEST(CommitMainData, StopsAtTheFirstBadFieldWithItsMessage) {
    struct Case {
        std::string name;
        std::function<void(ScreenModel&)> change;
        std::vector<UiEvent> events;
        std::string storedTx;     // "old" when step 1 did not store
        float storedTail = -1.f;  // -1 when step 10 did not store
    };
    const std::vector<Case> cases = {
        {"empty TX frequency",
         [](ScreenModel& s) { s.TxtRptrTXFreq.text.clear(); },
         {CommitError("TX frequency field is empty...")},
         "old"},
        {"placeholder TX frequency",
         [](ScreenModel& s) { s.TxtRptrTXFreq.text = "---.----"; },
         {BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(),
          OutOfRange("400 and 512"), CommitError("TX frequency field  is out of range")},
         "old"},
        {"RX out of the band after TX was stored",
         [](ScreenModel& s) { s.TxtRptrRXFreq.text = "520"; },
         {OutOfRange("400 and 512"), CommitError("RX frequency field  is out of range")},
         "451.0125"},
        {"custom tone needed by slot 2 but empty",
         [](ScreenModel& s) { s.CmbMK_Type_Code[1].selectedRow = kRowSlotCustomMk; },
         {CommitError("Custom MK frequency field is empty...")},
         "451.0125"},
        {"custom tone needed by PTT and out of range",
         [](ScreenModel& s) {
             s.CmbPTT_ExtEnc.selectedRow = kRowPttCustomMk;
             s.TxtCustomMKFreq.text = "300";
         },
         {OutOfRange("60 and 254"), CommitError("Custom MK frequency is out of range")},
         "451.0125"},
        {"unused custom tone is still checked when filled",
         [](ScreenModel& s) { s.TxtCustomMKFreq.text = "59"; },
         {OutOfRange("60 and 254"), CommitError("Custom MK frequency is out of range")},
         "451.0125"},
        {"empty identifier interval",
         [](ScreenModel& s) { s.TxtIDTXInterval.text.clear(); },
         {CommitError("Morse Code ID time interval is empty...")},
         "451.0125"},
        {"time-out of 35",
         [](ScreenModel& s) { s.TxtTXTimeOutTimer.text = "35"; },
         {OutOfRange("0 and 34"), CommitError("Time Out Timer field is out of range")},
         "451.0125"},
        {"hang time typed and never left",
         [](ScreenModel& s) { s.TxtTXHangTime.text = "9"; },
         {OutOfRange("0 and 7"), CommitError("Transmit Hang Time field is out of range")},
         "451.0125"},
        {"empty tail time",
         [](ScreenModel& s) { s.TxtSqlTailMuteTime.text.clear(); },
         {CommitError("Squelch Tail Mute Time field is empty...")},
         "451.0125"},
        {"no monitor option",
         [](ScreenModel& s) { s.OptOvrCarrier.selected = false; },
         {CommitError("One of the monitor options must be selected")},
         "451.0125",
         0.5f},
        {"a list without a row",
         [](ScreenModel& s) { s.CmbPTT_ExtEnc.selectedRow = kNoRow; },
         {CommitError("A coded squelch list has no row selected")},
         "451.0125"},
        {"a row beyond the list",
         [](ScreenModel& s) { s.CmbMK_Type_Code[0].selectedRow = 138; },
         {CommitError("A coded squelch list has no row selected")},
         "451.0125"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScreenModel screen = ValidScreen();
        c.change(screen);
        MainDataRec data;
        data.TXFreq = "old";
        data.SqlTailMuteTime = -1.f;
        RangeModule range;
        RecordingUserInterface ui;
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
    RecordingUserInterface ui;
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
