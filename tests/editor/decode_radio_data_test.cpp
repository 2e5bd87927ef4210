#include "editor/decode_radio_data.h"

#include <gtest/gtest.h>

#include "support/image_builder.h"

namespace tarvex {
namespace {

using testing::ImageBuilder;

// A window that already shows settings, so that every reset is visible.
ScreenModel FilledScreen() {
    ScreenModel screen = BuildMainScreen();
    for (Control* field :
         {&screen.TxtRptrTXFreq, &screen.TxtRptrRXFreq, &screen.TxtCustID, &screen.TxtMorseCodeID,
          &screen.TxtIDTXInterval, &screen.TxtCustomMKFreq, &screen.TxtTXTimeOutTimer,
          &screen.TxtTXHangTime, &screen.TxtSqlTailMuteTime}) {
        field->text = "old";
    }
    screen.OptOvrCarrier.selected = true;
    screen.CmbMK_Type_Code[0].selectedRow = 30;
    screen.CmbMK_Type_Code[1].selectedRow = 30;
    screen.CmbPTT_ExtEnc.selectedRow = 30;
    screen.chkMKEncodePol.enabled = true;
    screen.chkMKDecodePol.enabled = true;
    screen.chkMKEncodePol.check = CheckState::Checked;
    screen.TxtFirmwareVersion.text = "1.05";
    return screen;
}

TEST(DecodeRadioData, InvalidFrequenciesLeaveOnlyTheCustomerIdentifierAndPolarityTicks) {
    ScreenModel screen = FilledScreen();
    MainDataRec record;
    record.TXFreq = "450.0000";
    record.TXHangTime = 3.0f;
    const ImageBuffer image =
        ImageBuilder().set(0, {0xAB}).text(75, "CUSTOMER 1").set(115, {1}).set(16, {64});

    EXPECT_FALSE(DecodeRadioData(record, image, false, screen));

    for (const Control* field :
         {&screen.TxtRptrTXFreq, &screen.TxtRptrRXFreq, &screen.TxtMorseCodeID,
          &screen.TxtIDTXInterval, &screen.TxtCustomMKFreq, &screen.TxtTXTimeOutTimer,
          &screen.TxtTXHangTime, &screen.TxtSqlTailMuteTime}) {
        EXPECT_EQ(field->text, "") << field->name;
    }
    EXPECT_EQ(screen.TxtCustID.text, "CUSTOMER 1");
    EXPECT_EQ(screen.chkMKDecodePol.check, CheckState::Checked);
    EXPECT_EQ(screen.chkMKEncodePol.check, CheckState::Unchecked);
    EXPECT_FALSE(screen.chkMKEncodePol.enabled);
    EXPECT_FALSE(screen.chkMKDecodePol.enabled);
    EXPECT_FALSE(screen.OptOvrCarrier.selected || screen.OptOvrTone.selected);
    EXPECT_EQ(screen.ChkMKEncodewID.check, CheckState::Unchecked);
    for (const Control* list :
         {&screen.CmbMK_Type_Code[0], &screen.CmbMK_Type_Code[1], &screen.CmbPTT_ExtEnc}) {
        EXPECT_EQ(list->SelectedText(), "00 None") << list->name;
    }
    EXPECT_EQ(screen.TxtFirmwareVersion.text, "1.05") << "not the decoder's field";
    EXPECT_EQ(record.CustID, "CUSTOMER 1");
    EXPECT_EQ(record.TXFreq, "450.0000") << "the record keeps its earlier values";
    EXPECT_EQ(record.TXHangTime, 3.0f);
}

TEST(DecodeRadioData, ShowsEachNumberWithAtMostOneDecimal) {
    struct Case {
        const char* name;
        ImageBuffer image;
        const Control ScreenModel::*field;
        const char* expected;
    };
    const Case cases[] = {
        {"hang 0.25 s", ImageBuilder().set(16, {8}), &ScreenModel::TxtTXHangTime, "0.2"},
        {"time-out 8 s", ImageBuilder().set(11, {1, 0}), &ScreenModel::TxtTXTimeOutTimer, "0.1"},
        {"no identifier", ImageBuilder().set(21, {0, 0}).text(23, "ID"),
         &ScreenModel::TxtIDTXInterval, "0"},
        {"custom tone", ImageBuilder().set(19, {13, 107}), &ScreenModel::TxtCustomMKFreq, "59.9"},
        {"no custom tone", ImageBuilder().set(19, {0, 107}), &ScreenModel::TxtCustomMKFreq, ""},
        {"Morse upper case", ImageBuilder().set(21, {1, 0}).text(23, "k9x"),
         &ScreenModel::TxtMorseCodeID, "K9X"},
    };
    for (const Case& c : cases) {
        ScreenModel screen = FilledScreen();
        MainDataRec record;
        ASSERT_TRUE(DecodeRadioData(record, c.image, false, screen)) << c.name;
        EXPECT_EQ((screen.*c.field).text, c.expected) << c.name;
    }
}

TEST(DecodeRadioData, RecordAndScreenAgree) {
    ScreenModel screen = FilledScreen();
    MainDataRec record;
    record.FirmwareText = "kept";
    const ImageBuffer image =
        ImageBuilder().set(13, {2}).squelchBit(57).set(126, {53}).set(115, {3});
    ASSERT_TRUE(DecodeRadioData(record, image, false, screen));
    EXPECT_EQ(record.MonitorMode, 2);
    EXPECT_TRUE(screen.OptOvrCarrier.selected && !screen.OptOvrTone.selected);
    EXPECT_EQ(record.MKSlot, (std::array<std::uint8_t, 2>{52, 136}));
    EXPECT_EQ(screen.CmbMK_Type_Code[1].SelectedText(), "Inactive");
    EXPECT_EQ(screen.CmbPTT_ExtEnc.SelectedText(), "Custom MK");
    EXPECT_TRUE(screen.chkMKEncodePol.enabled && screen.chkMKDecodePol.enabled);
    EXPECT_TRUE(PolarityTicksOf(screen).encodeInvert && PolarityTicksOf(screen).decodeInvert);
    EXPECT_EQ(record.FirmwareText, "kept") << "not the decoder's field";
}

TEST(SelectModelType, SelectsTheExactlyMatchingRowOrTheFirst) {
    struct Case {
        const char* name;
        int expectedRow;
    };
    const Case cases[] = {
        {"ZPT-410", 0}, {"ZPT-999", 1}, {"", 0}, {"ZPT-999 ", 0}, {"zpt-999", 0}, {"ZPT-99", 0},
    };
    for (const Case& c : cases) {
        ScreenModel screen = BuildMainScreen();
        screen.cmbType.rows.push_back("ZPT-999");
        screen.cmbType.selectedRow = 1;
        SelectModelType(screen, c.name);
        EXPECT_EQ(screen.cmbType.selectedRow, c.expectedRow) << c.name;
        EXPECT_TRUE(screen.cmbType.enabled);
    }
}

}  // namespace
}  // namespace tarvex
