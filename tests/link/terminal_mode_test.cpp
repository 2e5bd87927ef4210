#include "link/terminal_mode.h"

#include <gtest/gtest.h>

#include <array>

#include "link/keep_alive.h"
#include "support/link_rig.h"

namespace tarvex {
namespace {

using testing::FakeRepeater;
using testing::LinkRig;
using testing::Written;

// File, and Read, Program Radio, Terminal Mode, its tick and Com Port of the Radio menu.
std::array<bool, 6> MenusOf(ScreenModel& s) {
    return {s.menuFile.header.enabled,   s.menuRadio.item(1).enabled, s.menuRadio.item(2).enabled,
            s.menuRadio.item(4).enabled, s.menuRadio.item(4).checked, s.menuRadio.item(5).enabled};
}

TEST(TerminalModeCommand, TogglesTheViewAndLocksEverythingElseMeanwhile) {
    LinkRig rig;
    rig.port.respond = FakeRepeater();

    TerminalModeCommand(rig.link);

    EXPECT_EQ(MenusOf(rig.screen), (std::array{false, false, false, true, true, false}));
    EXPECT_TRUE(rig.screen.menuHelp.header.enabled);
    EXPECT_EQ(Written(rig.port.wire), (std::vector<std::string>{"?", "?", "?", "?", "X"}));
    const std::vector<ControlSetting> view{
        {36, std::int32_t{2}}, {68, std::int32_t{0}},   {69, false},
        {32, std::int32_t{7}}, {33, std::int32_t{0}},   {46, std::int32_t{0}},
        {39, std::int32_t{1}}, {43, std::int16_t{256}}, {40, false},
        {45, false},           {62, std::int32_t{0}},   {37, std::int32_t{3}},
    };
    EXPECT_EQ(rig.link.serialControl.InWriteOrder(), view);
    EXPECT_TRUE(rig.screen.PDQComm1.visible);
    EXPECT_TRUE(rig.screen.TimRptrProgMode.enabled) << "terminal mode keeps the keep-alive";
    rig.port.Arrive("READY>");
    SendTypedCharacter(rig.link, 'r');
    EXPECT_EQ(rig.screen.PDQComm1.text, "READY>");
    EXPECT_EQ(rig.port.wire.back(), testing::WriteEvent("R"));
    // The view keeps only the newest characters.
    rig.port.Arrive(std::string(RadioLink::kTerminalViewCapacity, 'x'));
    rig.port.Arrive("END");
    EXPECT_EQ(rig.screen.PDQComm1.text.size(), RadioLink::kTerminalViewCapacity);
    EXPECT_TRUE(rig.screen.PDQComm1.text.ends_with("xEND"));

    const std::size_t sentBefore = rig.port.wire.size();
    TerminalModeCommand(rig.link);

    EXPECT_EQ(MenusOf(rig.screen), (std::array{true, true, true, true, false, true}));
    EXPECT_EQ(rig.port.wire.size(), sentBefore) << "nothing is sent on leaving";
    EXPECT_FALSE(rig.screen.PDQComm1.visible);
    EXPECT_EQ(rig.link.serialControl.InWriteOrder().back(), (ControlSetting{37, std::int32_t{0}}));
    EXPECT_FALSE(rig.port.HasUnaskedDataHandler());
}

TEST(PDQComm1_KeyPress, LettersGoUpperCaseEverythingElsePassesUnchanged) {
    const std::string typed = "azQ5?`{\r\xE9";
    const std::string sent = "AZQ5?`{\r\xE9";
    for (std::size_t i = 0; i < typed.size(); ++i) {
        EXPECT_EQ(PDQComm1_KeyPress(typed[i]), sent[i]) << static_cast<int>(typed[i]);
    }
}

TEST(TimRptrProgMode_Timer, SendsNothingWhileThePortIsClosed) {
    LinkRig rig;
    rig.port.Close();
    rig.port.wire.clear();
    TimRptrProgMode_Timer(rig.link);
    EXPECT_TRUE(rig.port.wire.empty());
}

}  // namespace
}  // namespace tarvex
