#include "files/tool_tip.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tarvex {
namespace {

// Before Create, nothing is kept; after it, tools are keyed by control and named by count.
TEST(CtoolTip, DoesNothingBeforeCreateThenKeysToolsByControl) {
    const ScreenModel screen = BuildMainScreen();
    CtoolTip tip;
    EXPECT_FALSE(tip.AddTool(screen.TxtCustID, "text"));
    EXPECT_EQ(tip.ToolCount(), 0);
    EXPECT_EQ(tip.hWnd(), 0);
    EXPECT_EQ(tip.MaxTipWidth(), 0);
    EXPECT_EQ(tip.ToolText(screen.TxtCustID), "");
    EXPECT_FALSE(tip.RemoveTool(screen.TxtCustID));
    EXPECT_TRUE(tip.Create(screen.FrmMainScrn));
    EXPECT_NE(tip.hWnd(), 0);

    EXPECT_TRUE(tip.AddTool(screen.TxtCustID));
    EXPECT_FALSE(tip.AddTool(screen.TxtCustID, "again"));  // already a tool
    EXPECT_TRUE(tip.AddTool(screen.TxtMorseCodeID));
    EXPECT_EQ(tip.ToolText(screen.TxtCustID), "Tool1");
    EXPECT_EQ(tip.ToolText(screen.TxtMorseCodeID), "Tool2");
    EXPECT_TRUE(tip.AddTool(screen.CmbMK_Type_Code[1], "slot 2"));
    EXPECT_FALSE(tip.AddTool(screen.LblModel));  // a label has no window of its own
    EXPECT_TRUE(tip.RemoveTool(screen.TxtCustID));
    EXPECT_FALSE(tip.RemoveTool(screen.TxtCustID));
    EXPECT_EQ(tip.ToolCount(), 2);
    EXPECT_EQ(tip.ToolText(screen.CmbMK_Type_Code[1]), "slot 2");
    EXPECT_EQ(tip.ToolText(screen.CmbMK_Type_Code[0]), "");
    ToolInfo past;
    EXPECT_FALSE(tip.window()->EnumTools(tip.ToolCount(), past, 80));  // no tool after the last
    // Longer texts are read back whole, up to a NUL.
    tip.ToolText(screen.TxtMorseCodeID, std::string(300, 'x'));
    EXPECT_EQ(tip.ToolText(screen.TxtMorseCodeID), std::string(300, 'x'));
    tip.ToolText(screen.TxtMorseCodeID, std::string("cut\0here", 8));
    EXPECT_EQ(tip.ToolText(screen.TxtMorseCodeID), "cut");
}

TEST(CtoolTip, SettingsFollowTheControlsRules) {
    const ScreenModel screen = BuildMainScreen();
    CtoolTip tip;
    tip.Create(screen.FrmMainScrn);
    for (const auto& [set, read] :
         {std::pair<std::int16_t, std::int16_t>{240, 240}, {0, -1}, {-5, -1}, {1, 1}}) {
        tip.MaxTipWidth(set);
        EXPECT_EQ(tip.MaxTipWidth(), read) << set;
    }
    // Delay types: 0 automatic (sets the others from one initial delay: reshow a fifth, auto-pop
    // ten times), 1 reshow, 2 auto-pop, 3 initial; only the two low bits count; a negative time
    // is the type's default, from an initial delay of 500 ms.
    const std::pair<std::vector<std::pair<int, int>>, std::array<int, 4>> cases[] = {
        {{}, {500, 100, 5000, 500}},
        {{{6, 20000}}, {500, 100, 20000, 500}},
        {{{kDelayAutomatic, 100}}, {100, 20, 1000, 100}},
        {{{kDelayAutomatic, 0}}, {0, 0, 0, 0}},
        {{{kDelayAutomatic, 100}, {kDelayAutomatic, -1}}, {500, 100, 5000, 500}},
        {{{kDelayInitial, 300}, {kDelayReshow, 7}, {kDelayReshow, -1}}, {300, 100, 5000, 300}},
        {{{kDelayAutoPop, 0}}, {500, 100, 0, 500}},  // 0 is a time, not the default
    };
    for (const auto& [set, read] : cases) {
        CtoolTip fresh;
        fresh.Create(screen.FrmMainScrn);
        for (const auto& [type, ms] : set) {
            fresh.DelayTime(type, ms);
        }
        for (int type = 0; type < 4; ++type) {
            EXPECT_EQ(fresh.DelayTime(type), read[type]) << "type " << type;  // types 0 to 3
        }
    }
    tip.Margin(kMarginLeft, 3);
    tip.Margin(kMarginBottom, 7);
    EXPECT_EQ((std::array{tip.Margin(kMarginLeft), tip.Margin(kMarginBottom),
                          tip.Margin(kMarginRight), tip.Margin(5)}),
              (std::array{3, 7, 0, 0}));
    tip.BackColor(ColorOf({1, 2, 3}));
    EXPECT_EQ(tip.BackColor(), 0x030201);
    EXPECT_EQ(RgbOf(tip.BackColor()), (Rgb{1, 2, 3}));
}

TEST(MainWindowTips, TheFrequencyFieldsAloneCarryTheirHelp) {
    const ScreenModel screen = BuildMainScreen();
    CtoolTip tip;
    SetUpMainWindowTips(tip, screen);
    EXPECT_EQ(tip.ToolCount(), 2);
    EXPECT_EQ(tip.MaxTipWidth(), 240);
    EXPECT_EQ(tip.DelayTime(kDelayAutoPop), 20000);
    EXPECT_EQ(tip.ToolText(screen.TxtRptrTXFreq),
              "Repeater Transmit Freq in MHz (Portable or Mobile Receive) - this will snap to the "
              "nearest 12.5 kHz step.");
    EXPECT_EQ(tip.ToolText(screen.TxtRptrRXFreq),
              "Repeater Receive Freq in MHz (Portable or Mobile Transmit) - this will snap to the "
              "nearest 12.5 kHz step.");
}

}  // namespace
}  // namespace tarvex
