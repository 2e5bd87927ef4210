#include "editor/commit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/editor_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::OutOfRange;
using testing::UiEvent;

UiEvent CommitError(const std::string& text) {
    return testing::Message("Commit Data Error", text);
}

// The range check's box, then the commit's own message.
std::vector<UiEvent> Refused(const std::string& limits, const std::string& text) {
    return {OutOfRange(limits), CommitError(text)};
}

// A screen on which every field is filled and valid, then changed by a script.
ScreenModel Screen(const std::string& changes) {
    ScreenModel s = BuildMainScreen();
    testing::SetScreen(s,
                       "TxtRptrTXFreq=451.0125 TxtRptrRXFreq=456.0125 CmbMK_Type_Code(0)=52 "
                       "CmbMK_Type_Code(1)=60 CmbPTT_ExtEnc=44 TxtFirmwareVersion=1.00 "
                       "TxtCustID=Site_9 TxtMorseCodeID=ab1 TxtIDTXInterval=10 ChkMKEncodewID=2 "
                       "TxtTXTimeOutTimer=3 TxtTXHangTime=1.5 TxtSqlTailMuteTime=0.5 "
                       "OptOvrCarrier=1 " +
                           changes);
    return s;
}

TEST(CommitMainData, StopsAtTheFirstBadFieldWithItsMessage) {
    struct Case {
        std::string changes;
        std::vector<UiEvent> events;
        std::string storedTx = "451.0125";  // "old" when step 1 did not store
        float storedTail = -1.f;            // -1 when step 10 did not store
    };
    const Case cases[] = {
        {"TxtRptrTXFreq=", {CommitError("TX frequency field is empty...")}, "old"},
        {"TxtRptrTXFreq=---.----",
         {BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(), BeepEvent(),
          OutOfRange("400 and 512"), CommitError("TX frequency field  is out of range")},
         "old"},
        {"TxtRptrRXFreq=", {CommitError("RX frequency field is empty...")}},
        {"TxtRptrRXFreq=520", Refused("400 and 512", "RX frequency field  is out of range")},
        {"CmbMK_Type_Code(0)=137", {CommitError("Custom MK frequency field is empty...")}},
        {"CmbMK_Type_Code(1)=137", {CommitError("Custom MK frequency field is empty...")}},
        {"CmbPTT_ExtEnc=135 TxtCustomMKFreq=300",
         Refused("60 and 254", "Custom MK frequency is out of range")},
        // A custom tone nothing uses is still checked when filled.
        {"TxtCustomMKFreq=59", Refused("60 and 254", "Custom MK frequency is out of range")},
        {"TxtIDTXInterval=", {CommitError("Morse Code ID time interval is empty...")}},
        {"TxtIDTXInterval=35", Refused("0 and 34", "Morse Code ID time interval is out of range")},
        {"TxtTXTimeOutTimer=", {CommitError("Time Out Timer field is empty...")}},
        {"TxtTXTimeOutTimer=35", Refused("0 and 34", "Time Out Timer field is out of range")},
        {"TxtTXHangTime=", {CommitError("Transmit Hang Time field is empty...")}},
        // Typed and never left, for example straight to a menu.
        {"TxtTXHangTime=9", Refused("0 and 7", "Transmit Hang Time field is out of range")},
        {"TxtSqlTailMuteTime=", {CommitError("Squelch Tail Mute Time field is empty...")}},
        {"TxtSqlTailMuteTime=7.5",
         Refused("0 and 7", "Squelch Tail Mute Time field is out of range")},
        {"OptOvrCarrier=0",
         {CommitError("One of the monitor options must be selected")},
         "451.0125",
         0.5f},
        {"CmbPTT_ExtEnc=-1", {CommitError("A coded squelch list has no row selected")}},
        {"CmbMK_Type_Code(0)=138", {CommitError("A coded squelch list has no row selected")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.changes);
        ScreenModel screen = Screen(c.changes);
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

// A frequency typed without Enter is stored unsnapped; an unused empty custom tone is refilled;
// the encode-with-identifier box counts as ticked in any state but unchecked.
TEST(CommitMainData, StoresEveryFieldAsShown) {
    ScreenModel screen = Screen("TxtRptrTXFreq=451.01");
    MainDataRec data;
    RangeModule range;
    testing::RecordingUserInterface ui;
    ASSERT_TRUE(CommitMainData(screen, data, range, ui));
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(screen.TxtCustomMKFreq.text, "67.0");
    EXPECT_EQ(data, (MainDataRec{.TXFreq = "451.01",
                                 .RXFreq = "456.0125",
                                 .MKSlot = {52, 60},
                                 .PTTExtEnc = 44,
                                 .CustomMKFreq = 67.0f,
                                 .MorseCodeID = "AB1",
                                 .IDTXInterval = 10.0f,
                                 .MKEncodewID = true,
                                 .TXTimeOutTimer = 3.0f,
                                 .TXHangTime = 1.5f,
                                 .SqlTailMuteTime = 0.5f,
                                 .MonitorMode = 1,
                                 .FirmwareText = "1.00",
                                 .CustID = "Site 9"}));

    testing::SetScreen(screen, "OptOvrCarrier=0 OptOvrTone=1");
    ASSERT_TRUE(CommitMainData(screen, data, range, ui));
    EXPECT_EQ(data.MonitorMode, 0);
}

}  // namespace
}  // namespace tarvex
