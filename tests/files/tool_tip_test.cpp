#include "files/tool_tip.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

class ToolTipTest : public ::testing::Test {
  protected:
    ToolTipTest() { tip.Create(screen.FrmMainScrn); }
    ScreenModel screen = BuildMainScreen();
    CtoolTip tip;
};

TEST(CtoolTipBeforeCreate, DoesNothing) {
    const ScreenModel screen = BuildMainScreen();
    CtoolTip tip;
    EXPECT_FALSE(tip.AddTool(screen.TxtCustID, "text"));
    EXPECT_EQ(tip.ToolCount(), 0);
    EXPECT_EQ(tip.hWnd(), 0);
    EXPECT_EQ(tip.MaxTipWidth(), 0);
    EXPECT_EQ(tip.ToolText(screen.TxtCustID), "");
    EXPECT_TRUE(tip.Create(screen.FrmMainScrn));
    EXPECT_NE(tip.hWnd(), 0);
}

TEST_F(ToolTipTest, ToolsAreKeyedByControlAndNamedByCount) {
    EXPECT_TRUE(tip.AddTool(screen.TxtCustID));
    EXPECT_FALSE(tip.AddTool(screen.TxtCustID, "again"));  // already a tool
    EXPECT_EQ(tip.ToolCount(), 1);
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
}

TEST_F(ToolTipTest, LongerTextsAreReadBackWhole) {
    ASSERT_TRUE(tip.AddTool(screen.TxtCustID, "ab"));
    tip.ToolText(screen.TxtCustID, std::string(300, 'x'));
    EXPECT_EQ(tip.ToolText(screen.TxtCustID), std::string(300, 'x'));
    tip.ToolText(screen.TxtCustID, std::string("cut\0here", 8));
    EXPECT_EQ(tip.ToolText(screen.TxtCustID), "cut");
}

TEST_F(ToolTipTest, SettingsFollowTheControlsRules) {
    struct WidthCase {
        std::int16_t set;
        std::int16_t read;
    };
    for (const WidthCase c : {WidthCase{240, 240}, {0, -1}, {-5, -1}, {1, 1}}) {
        tip.MaxTipWidth(c.set);
        EXPECT_EQ(tip.MaxTipWidth(), c.read) << c.set;
    }
    tip.DelayTime(6, 20000);  // only the two low bits count: auto-pop
    EXPECT_EQ(tip.DelayTime(kDelayAutoPop), 20000);
    tip.DelayTime(kDelayAutomatic, 100);
    EXPECT_EQ(tip.DelayTime(kDelayInitial), 100);
    EXPECT_EQ(tip.DelayTime(kDelayAutoPop), 1000);
    tip.Margin(kMarginRight, 7);
    EXPECT_EQ(tip.Margin(kMarginRight), 7);
    EXPECT_EQ(tip.Margin(kMarginLeft), 0);
    EXPECT_EQ(tip.Margin(5), 0);
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
