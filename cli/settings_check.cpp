#include "cli/settings_check.h"

#include <algorithm>
#include <array>
#include <vector>

#include "cli/single_byte_text.h"
#include "codec/encoder.h"
#include "codec/number_text.h"
#include "editor/coded_squelch.h"
#include "editor/commit.h"
#include "editor/decode_radio_data.h"
#include "editor/shown_settings.h"

namespace tarvex::cli {
namespace {

// The commit and the encoder talk to nobody here; the command itself shows what they say.
class SilentUserInterface : public UserInterface {
  public:
    MessageResult ShowMessage(const MessageBox&) override { return MessageResult::Ok; }
    void Beep() override {}
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    void SetFocus(std::string_view, int) override {}
};

constexpr std::array<std::string_view, 7> kNumberKeys{
    "TXFreq",         "RXFreq",     "CustomMKFreq",   "IDTXInterval",
    "TXTimeOutTimer", "TXHangTime", "SqlTailMuteTime"};

bool IsNumberKey(std::string_view key) {
    return std::find(kNumberKeys.begin(), kNumberKeys.end(), key) != kNumberKeys.end();
}

// The text written by hand for a key, as the window was given it.
std::optional<std::string> GivenText(const nlohmann::json& given, const std::string& key) {
    const auto it = given.find(key);
    if (it == given.end()) {
        return std::nullopt;
    }
    if (it->is_number()) {
        return ShortestText(it->get<double>());
    }
    return it->is_string() ? Utf8ToLatin1(it->get<std::string>()) : std::nullopt;
}

class Check {
  public:
    Check(const nlohmann::json& given, std::string_view target, std::ostream& err)
        : given_(given), target_(target), err_(err) {}

    // Texts the commit changed: characters dropped, or the default of an empty custom tone.
    void Committed(const ShownSettings& entered, const ShownSettings& committed) {
        for (std::size_t i = 0; i < entered.size(); ++i) {
            const bool toneDefault = committed[i].key == "CustomMKFreq" && entered[i].text.empty();
            if (entered[i].text != committed[i].text && !toneDefault) {
                Refuse(entered[i].key, "the window would change " + Quoted(entered[i].text) +
                                           " to " + Quoted(committed[i].text) + " on saving");
            }
        }
    }

    // What the image holds against what the window showed when it was made.
    void Stored(const ShownSettings& committed, const ShownSettings& stored) {
        for (std::size_t i = 0; i < committed.size(); ++i) {
            const std::string& key = committed[i].key;
            const std::string& shown = committed[i].text;
            const std::string& kept = stored[i].text;
            if (IsNumberKey(key)) {
                const std::string written = GivenText(given_, key).value_or(shown);
                if (ParseDecimal(written) != ParseDecimal(kept)) {
                    notes_.push_back(key + ": " + Quoted(written) + " is stored as " +
                                     Quoted(kept));
                }
            } else if (shown != kept && !IsPaddingOnly(key, shown, kept) &&
                       !(key.starts_with("MKSlot") && SlotsSwapped(committed, stored))) {
                Refuse(key, std::string(target_) + " would hold " + Quoted(kept) + ", not " +
                                Quoted(shown));
            }
        }
    }

    // The file holds the firmware version in single precision.
    void Firmware(float held) {
        const std::optional<std::string> written = GivenText(given_, "FirmwareVersion");
        if (written && ParseDecimal(*written) != ParseDecimal(ShortestText(held))) {
            notes_.push_back("FirmwareVersion: " + Quoted(*written) + " is stored as " +
                             Quoted(ShortestText(held)));
        }
    }

    // The notes only matter when the command goes on.
    bool Finish() {
        for (const std::string& note : ok_ ? notes_ : std::vector<std::string>{}) {
            err_ << "tarvex-cli: " << note << '\n';
        }
        return ok_;
    }

    bool ok() const { return ok_; }

  private:
    void Refuse(const std::string& key, const std::string& reason) {
        err_ << "tarvex-cli: " << key << ": " << reason << '\n';
        ok_ = false;
    }

    // The customer identifier is stored with blanks up to its 10 characters.
    static bool IsPaddingOnly(const std::string& key, const std::string& shown,
                              const std::string& kept) {
        return key == "CustID" && kept.starts_with(shown) &&
               kept.find_first_not_of(' ', shown.size()) == std::string::npos;
    }

    // Two DMK codes come back lowest first, whichever slot they were chosen in.
    static bool SlotsSwapped(const ShownSettings& committed, const ShownSettings& stored) {
        const auto slots = [](const ShownSettings& s) {
            std::array<std::string, 2> pair;
            for (const ShownSetting& setting : s) {
                if (setting.key.starts_with("MKSlot")) {
                    pair[setting.key == "MKSlot[0]" ? 0 : 1] = TrimmedRight(setting.text);
                }
            }
            return pair;
        };
        const auto a = slots(committed);
        const auto b = slots(stored);
        return a[0] == b[1] && a[1] == b[0];
    }

    static std::string TrimmedRight(std::string text) {
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }

    const nlohmann::json& given_;
    std::string_view target_;
    std::ostream& err_;
    std::vector<std::string> notes_;
    bool ok_ = true;
};

}  // namespace

bool CheckSettingsAreKept(const Session& session, const nlohmann::json& given, bool slotRuleFirst,
                          std::string_view target, std::ostream& err) {
    Session copy = session;
    SilentUserInterface ui;
    const ShownSettings entered = ShownSettingsOf(copy.screen);
    if (slotRuleFirst) {
        CmbMK_Type_Code_LostFocus(copy.screen, 0);
    }
    if (!CommitMainData(copy.screen, copy.state.MainData, copy.range, ui)) {
        return true;
    }
    Check check(given, target, err);
    const ShownSettings committed = ShownSettingsOf(copy.screen);
    check.Committed(entered, committed);
    // Another model's settings are not written at all: the command refuses them itself.
    if (!check.ok() || copy.state.ModelCode != kZpt410ModelCode ||
        !EncodeRadioData(copy.state, copy.state.Identity(), PolarityTicksOf(copy.screen), ui)) {
        return check.ok();
    }
    check.Stored(committed, ShownSettingsOfImage(copy.state.OutData, copy.state.Step5kHz));
    check.Firmware(copy.state.FirmwareVersion);
    return check.Finish();
}

}  // namespace tarvex::cli
