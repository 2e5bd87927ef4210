#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "codec/decoder.h"
#include "codec/encoder.h"
#include "editor/coded_squelch.h"
#include "editor/decode_radio_data.h"
#include "support/editor_rig.h"

namespace tarvex {
namespace {

using testing::TypeKey;
using testing::TypeKeys;

// A person at the screen: mostly plausible typing, then slips, stray bytes, list picks (some
// outside every list), clicks, ticks and focus moves in any order.
class RandomPerson {
  public:
    RandomPerson(testing::EditorRig& rig, unsigned seed) : rig_(rig), random_(seed) {}

    void FillPlausibly() {
        ScreenModel& s = rig_.screen;
        const std::pair<Control*, std::string> start[] = {
            {&s.TxtRptrTXFreq, Number(390, 520) + "\r"},
            {&s.TxtRptrRXFreq, Number(400, 512)},
            {&s.TxtCustomMKFreq, Number(55, 260)},
            {&s.TxtIDTXInterval, Number(0, 36)},
            {&s.TxtTXTimeOutTimer, Number(0, 36)},
            {&s.TxtTXHangTime, Number(0, 8)},
            {&s.TxtSqlTailMuteTime, Number(0, 8)},
            {&s.TxtCustID, "Site 7"},
            {&s.TxtMorseCodeID, "call9x"},
        };
        for (const auto& [box, text] : start) {
            TypeKeys(rig_.editor, *box, text);
            rig_.editor.LostFocus(*box);
        }
        rig_.editor.Click(Pick(0, 1) == 0 ? s.OptOvrTone : s.OptOvrCarrier);
    }

    void ActRandomly() {
        ScreenModel& s = rig_.screen;
        std::vector<Control*> boxes = {
            &s.TxtCustID,         &s.TxtRptrTXFreq,  &s.TxtRptrRXFreq,
            &s.TxtCustomMKFreq,   &s.TxtMorseCodeID, &s.TxtIDTXInterval,
            &s.TxtTXTimeOutTimer, &s.TxtTXHangTime,  &s.TxtSqlTailMuteTime};
        const std::vector<Control*> lists = {&s.CmbMK_Type_Code[0], &s.CmbMK_Type_Code[1],
                                             &s.CmbPTT_ExtEnc};
        const std::vector<Control*> ticks = {&s.ChkMKEncodewID, &s.chkMKEncodePol,
                                             &s.chkMKDecodePol};
        static const std::string kLikely = "0123456789..-\b\r aZ";
        switch (Pick(0, 5)) {
            case 0:
            case 1:
                TypeKey(rig_.editor, *Pick(boxes),
                        static_cast<unsigned char>(Pick(0, 9) == 0 ? Pick(0, 255)
                                                                   : kLikely[Pick(0, 17)]));
                break;
            case 2:
                boxes.insert(boxes.end(), lists.begin(), lists.end());
                rig_.editor.LostFocus(*Pick(boxes));
                break;
            case 3:
                rig_.editor.ChooseRow(*Pick(lists), Pick(-3, 140));
                break;
            case 4:
                rig_.editor.Click(Pick(0, 1) == 0 ? s.OptOvrTone : s.OptOvrCarrier);
                break;
            default: {
                Control& box = *Pick(ticks);
                box.check = box.check == CheckState::Unchecked ? CheckState::Checked
                                                               : CheckState::Unchecked;
            }
        }
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    Control* Pick(const std::vector<Control*>& items) {
        return items[static_cast<std::size_t>(Pick(0, static_cast<int>(items.size()) - 1))];
    }
    std::string Number(int low, int high) {
        return std::to_string(Pick(low, high)) +
               (Pick(0, 1) == 1 ? "." + std::to_string(Pick(0, 9999)) : "");
    }

    testing::EditorRig& rig_;
    std::mt19937 random_;
};

// Every byte the encoder derives from a committed screen lies where the repeater expects it.
TEST(EditorProperty, WhateverIsTypedACommittedScreenEncodesWithinRange) {
    constexpr int kSequences = 600;
    int committed = 0;
    for (int seed = 1; seed <= kSequences; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        testing::EditorRig rig;
        RandomPerson person(rig, static_cast<unsigned>(seed));
        person.FillPlausibly();
        for (int i = 0; i < seed % 40; ++i) {
            person.ActRandomly();
        }
        // As File > Save File does: the slot rule for slot 1, then the commit.
        CmbMK_Type_Code_LostFocus(rig.screen, 0);
        if (!rig.editor.Commit()) {
            continue;
        }
        ++committed;
        rig.ui.events.clear();
        ProgramState& state = rig.state;
        ASSERT_TRUE(EncodeRadioData(state, state.Identity(), PolarityTicksOf(rig.screen), rig.ui));
        EXPECT_TRUE(rig.ui.events.empty());
        const ImageBuffer& out = state.OutData;
        const DecodedImage d = DecodeImage(out, false);
        ASSERT_TRUE(d.frequenciesValid);
        for (const std::string& mhz : {d.TXFreq, d.RXFreq}) {
            EXPECT_TRUE(std::stod(mhz) >= 400.0 && std::stod(mhz) <= 512.0) << mhz;
        }
        EXPECT_TRUE(d.IDTXInterval <= 34.0f && d.TXTimeOutTimer <= 34.0f);
        EXPECT_TRUE(out[16] <= 7 * 32 && out[17] <= 7 * 32);
        EXPECT_TRUE(out[19] >= 3 && out[19] <= 13) << int{out[19]};
        ASSERT_TRUE(d.CustomMKFreq);
        EXPECT_TRUE(*d.CustomMKFreq > 59.0f && *d.CustomMKFreq < 256.0f) << *d.CustomMKFreq;
        const int ptt = out[126];
        EXPECT_TRUE(ptt == 255 || (ptt >= 1 && ptt <= 51 && ptt != 44) || ptt == 53 ||
                    (ptt >= 128 && ptt <= 210))
            << ptt;
        EXPECT_TRUE(out[13] <= 1 && out[115] <= 3);
        for (const char c : d.MorseCodeID) {
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) << int{c};
        }
    }
    // The sequences must reach the encoder often enough for the property to mean something.
    EXPECT_GT(committed, kSequences / 10);
}

}  // namespace
}  // namespace tarvex
