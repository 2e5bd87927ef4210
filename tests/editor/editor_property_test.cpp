#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "codec/encoder.h"
#include "codec/freq_codec.h"
#include "codec/image_layout.h"
#include "editor/coded_squelch.h"
#include "editor/decode_radio_data.h"
#include "editor/main_screen_editor.h"
#include "support/recording_ui.h"
#include "support/typing.h"

namespace tarvex {
namespace {

namespace img = image;
using testing::RecordingUserInterface;
using testing::TypeKey;
using testing::TypeKeys;

// A person at the screen: mostly plausible typing, with slips, stray bytes, list picks (some
// outside every list), clicks, ticks and focus moves in any order.
class RandomPerson {
  public:
    RandomPerson(ScreenModel& screen, MainScreenEditor& editor, unsigned seed)
        : screen_(screen), editor_(editor), random_(seed) {}

    void FillPlausibly() {
        const std::array<std::pair<Control*, std::string>, 9> start = {{
            {&screen_.TxtRptrTXFreq, Number(390, 520) + "\r"},
            {&screen_.TxtRptrRXFreq, Number(400, 512)},
            {&screen_.TxtCustomMKFreq, Number(55, 260)},
            {&screen_.TxtIDTXInterval, Number(0, 36)},
            {&screen_.TxtTXTimeOutTimer, Number(0, 36)},
            {&screen_.TxtTXHangTime, Number(0, 8)},
            {&screen_.TxtSqlTailMuteTime, Number(0, 8)},
            {&screen_.TxtCustID, "Site 7"},
            {&screen_.TxtMorseCodeID, "call9x"},
        }};
        for (const auto& [box, text] : start) {
            TypeKeys(editor_, *box, text);
            editor_.LostFocus(*box);
        }
        editor_.Click(Pick(0, 1) == 0 ? screen_.OptOvrTone : screen_.OptOvrCarrier);
    }

    void ActRandomly() {
        switch (Pick(0, 5)) {
            case 0:
            case 1:
                TypeKey(editor_, *Pick(TextBoxes()), RandomKey());
                break;
            case 2:
                editor_.LostFocus(*Pick(FocusTakers()));
                break;
            case 3: {
                Control& list = *Pick(Lists());
                editor_.ChooseRow(list, Pick(-3, 140));
                break;
            }
            case 4:
                editor_.Click(Pick(0, 1) == 0 ? screen_.OptOvrTone : screen_.OptOvrCarrier);
                break;
            default: {
                Control& box = *Pick(std::vector<Control*>{
                    &screen_.ChkMKEncodewID, &screen_.chkMKEncodePol, &screen_.chkMKDecodePol});
                box.check = box.check == CheckState::Unchecked ? CheckState::Checked
                                                               : CheckState::Unchecked;
                break;
            }
        }
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    template <typename T>
    T Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Pick(0, static_cast<int>(items.size()) - 1))];
    }
    std::string Number(int low, int high) {
        std::string text = std::to_string(Pick(low, high));
        if (Pick(0, 1) == 1) {
            text += "." + std::to_string(Pick(0, 9999));
        }
        return text;
    }
    unsigned char RandomKey() {
        static const std::string kLikely = "0123456789..-\b\r aZ";
        if (Pick(0, 9) == 0) {
            return static_cast<unsigned char>(Pick(0, 255));
        }
        return static_cast<unsigned char>(
            kLikely[static_cast<std::size_t>(Pick(0, static_cast<int>(kLikely.size()) - 1))]);
    }
    std::vector<Control*> TextBoxes() {
        return {&screen_.TxtCustID,         &screen_.TxtRptrTXFreq,  &screen_.TxtRptrRXFreq,
                &screen_.TxtCustomMKFreq,   &screen_.TxtMorseCodeID, &screen_.TxtIDTXInterval,
                &screen_.TxtTXTimeOutTimer, &screen_.TxtTXHangTime,  &screen_.TxtSqlTailMuteTime};
    }
    std::vector<Control*> Lists() {
        return {&screen_.CmbMK_Type_Code[0], &screen_.CmbMK_Type_Code[1], &screen_.CmbPTT_ExtEnc};
    }
    std::vector<Control*> FocusTakers() {
        std::vector<Control*> all = TextBoxes();
        for (Control* list : Lists()) {
            all.push_back(list);
        }
        return all;
    }

    ScreenModel& screen_;
    MainScreenEditor& editor_;
    std::mt19937 random_;
};

bool IsTimerPairInRange(const ImageBuffer& out, std::size_t hi, std::size_t lo) {
    const int ticks = out[hi] * 256 + out[lo];
    return (out[hi] == img::kTimerOff && out[lo] == img::kTimerOff) || ticks <= 34 * 1920;
}

bool IsFrequencyInBand(const ImageBuffer& out, std::size_t first) {
    for (std::size_t i = first; i < first + 3; ++i) {
        if (!IsBCDByte(out[i])) {
            return false;
        }
    }
    const double mhz = std::stod(BCDToFreq(out[first], out[first + 1], out[first + 2], false));
    return mhz >= 400.0 && mhz <= 512.0;
}

bool IsPttByteValid(std::uint8_t value) {
    return value == 255 || (value >= 1 && value <= 51) || value == 53 ||
           (value >= 128 && value <= 210);
}

// Every byte the encoder derives from a committed record lies where the repeater expects it. A
// pasted identifier keeps whatever was pasted (upper-cased); a typed one is letters and digits.
void ExpectImageInRange(const ImageBuffer& out, bool identifierTyped = true) {
    EXPECT_TRUE(IsFrequencyInBand(out, img::kTXFreq));
    EXPECT_TRUE(IsFrequencyInBand(out, img::kRXFreq));
    EXPECT_TRUE(IsTimerPairInRange(out, img::kTimeOutHi, img::kTimeOutLo));
    EXPECT_TRUE(IsTimerPairInRange(out, img::kIdIntervalHi, img::kIdIntervalLo));
    EXPECT_LE(out[img::kMonitorMode], 1);
    EXPECT_LE(out[img::kHangTime], 7 * 32);
    EXPECT_LE(out[img::kTailMuteTime], 7 * 32);
    const int divA = out[img::kCustomToneDivA];
    const int divB = out[img::kCustomToneDivB];
    EXPECT_TRUE(divA >= 3 && divA <= 13) << divA;
    ASSERT_GT(divB, 0);
    const double tone = img::kCustomToneClock / divA / divB;
    EXPECT_TRUE(tone > 59.0 && tone < 256.0) << tone;
    EXPECT_TRUE(IsPttByteValid(out[img::kPttExtEnc])) << int{out[img::kPttExtEnc]};
    EXPECT_LE(out[img::kPolarity], 3);
    for (std::size_t i = img::kMorseId; identifierTyped && i < img::kMorseId + img::kMorseIdLength;
         ++i) {
        const char c = static_cast<char>(out[i]);
        EXPECT_TRUE(c == 0 || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) << int{c};
    }
}

TEST(EditorProperty, WhateverIsTypedACommittedScreenEncodesWithinRange) {
    constexpr int kSequences = 600;
    constexpr int kMostActions = 40;
    int committed = 0;
    for (int seed = 1; seed <= kSequences; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ProgramState state;
        ScreenModel screen = BuildMainScreen();
        RangeModule range;
        RecordingUserInterface ui;
        MainScreenEditor editor(screen, state, range, ui);
        RandomPerson person(screen, editor, static_cast<unsigned>(seed));
        person.FillPlausibly();
        for (int i = 0; i < seed % kMostActions; ++i) {
            person.ActRandomly();
        }
        // As File > Save File does: the slot rule for slot 1, then the commit.
        CmbMK_Type_Code_LostFocus(screen, 0);
        if (!editor.Commit()) {
            continue;
        }
        ++committed;
        ui.events.clear();
        ASSERT_TRUE(EncodeRadioData(state, state.Identity(), PolarityTicksOf(screen), ui));
        EXPECT_TRUE(ui.events.empty());
        ExpectImageInRange(state.OutData);
    }
    // The sequences must reach the encoder often enough for the property to mean something.
    EXPECT_GT(committed, kSequences / 10);
}

TEST(EditorProperty, HugeAndStrangeTextsAreRefusedWithoutHarm) {
    std::mt19937 random(7);
    std::string noise(50000, '\0');
    for (char& c : noise) {
        c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    }
    const std::vector<std::string> texts = {noise, std::string(50000, '9'), std::string(50000, '.'),
                                            "1" + std::string(49999, '0'),
                                            "4" + std::string(30000, '\x01') + "51"};
    for (const std::string& text : texts) {
        ProgramState state;
        ScreenModel screen = BuildMainScreen();
        RangeModule range;
        RecordingUserInterface ui;
        MainScreenEditor editor(screen, state, range, ui);
        for (Control* box :
             {&screen.TxtCustID, &screen.TxtRptrTXFreq, &screen.TxtRptrRXFreq,
              &screen.TxtCustomMKFreq, &screen.TxtMorseCodeID, &screen.TxtIDTXInterval,
              &screen.TxtTXTimeOutTimer, &screen.TxtTXHangTime, &screen.TxtSqlTailMuteTime}) {
            testing::Paste(*box, text);
            TypeKey(editor, *box, '\r');
            editor.LostFocus(*box);
        }
        EXPECT_LE(screen.TxtCustID.text.size(), 10u);
        EXPECT_LE(screen.TxtMorseCodeID.text.size(), 8u);
        // Every numeric field ends with a number the commit accepts.
        for (const Control* box :
             {&screen.TxtCustomMKFreq, &screen.TxtIDTXInterval, &screen.TxtTXTimeOutTimer,
              &screen.TxtTXHangTime, &screen.TxtSqlTailMuteTime}) {
            EXPECT_LE(box->text.size(), 5u) << box->name;
        }
        editor.Click(screen.OptOvrTone);
        if (editor.Commit()) {  // only the text whose noise filters away to "451" commits
            EXPECT_EQ(state.MainData.TXFreq, "451");
            ASSERT_TRUE(EncodeRadioData(state, state.Identity(), PolarityTicksOf(screen), ui));
            ExpectImageInRange(state.OutData, false);
        }
    }
}

}  // namespace
}  // namespace tarvex
