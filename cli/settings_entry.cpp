#include "cli/settings_entry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "app/file_menu.h"
#include "cli/single_byte_text.h"
#include "codec/number_text.h"
#include "editor/decode_radio_data.h"
#include "editor/field_handlers.h"
#include "editor/main_screen_editor.h"
#include "files/system_file.h"

namespace tarvex::cli {
namespace {

using nlohmann::json;

// Counts what the window would have shown, so that a refused or corrected value is noticed.
class CountingUserInterface : public UserInterface {
  public:
    explicit CountingUserInterface(UserInterface& inner) : inner_(inner) {}
    MessageResult ShowMessage(const MessageBox& box) override {
        ++signals;
        return inner_.ShowMessage(box);
    }
    void Beep() override {
        ++signals;
        inner_.Beep();
    }
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override {
        return inner_.InputBox(prompt, title, defaultText);
    }
    void SetFocus(std::string_view controlName, int index) override {
        inner_.SetFocus(controlName, index);
    }
    int signals = 0;

  private:
    UserInterface& inner_;
};

struct TextKey {
    std::string_view key;
    Control ScreenModel::*field;
    std::size_t maxLength;  // 0: no limit of its own
};

// In tab order, as a person would fill them.
constexpr std::array<TextKey, 9> kTextKeys{{
    {"CustID", &ScreenModel::TxtCustID, kCustIdMaxLength},
    {"TXFreq", &ScreenModel::TxtRptrTXFreq, 0},
    {"RXFreq", &ScreenModel::TxtRptrRXFreq, 0},
    {"CustomMKFreq", &ScreenModel::TxtCustomMKFreq, 0},
    {"MorseCodeID", &ScreenModel::TxtMorseCodeID, kMorseCodeIdMaxLength},
    {"IDTXInterval", &ScreenModel::TxtIDTXInterval, 0},
    {"TXTimeOutTimer", &ScreenModel::TxtTXTimeOutTimer, 0},
    {"TXHangTime", &ScreenModel::TxtTXHangTime, 0},
    {"SqlTailMuteTime", &ScreenModel::TxtSqlTailMuteTime, 0},
}};

struct CheckKey {
    std::string_view key;
    Control ScreenModel::*box;
};
constexpr std::array<CheckKey, 3> kCheckKeys{{
    {"MKEncodewID", &ScreenModel::ChkMKEncodewID},
    {"MKEncodePol", &ScreenModel::chkMKEncodePol},
    {"MKDecodePol", &ScreenModel::chkMKDecodePol},
}};

constexpr std::array<std::string_view, 7> kOtherKeys{
    "ModelCode", "ModelName", "FirmwareVersion", "MKSlot", "PTTExtEnc", "MonitorMode", "Image"};

bool IsKnownKey(std::string_view key) {
    const auto is = [key](std::string_view known) { return known == key; };
    return std::any_of(kOtherKeys.begin(), kOtherKeys.end(), is) ||
           std::any_of(kTextKeys.begin(), kTextKeys.end(),
                       [key](const TextKey& k) { return k.key == key; }) ||
           std::any_of(kCheckKeys.begin(), kCheckKeys.end(),
                       [key](const CheckKey& k) { return k.key == key; });
}

constexpr std::size_t kMaxSettingsFileSize = std::size_t{1} << 20;
constexpr int kMaxSettingsNesting = 16;  // settings need 2: the object and MKSlot

// How deep arrays and objects nest, outside strings.
int NestingDepth(std::string_view text) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            i += c == '\\' ? 1 : 0;
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

std::string TrimmedRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

class SettingsEntry {
  public:
    SettingsEntry(Session& session, UserInterface& ui, std::ostream& err)
        : session_(session),
          ui_(ui),
          err_(err),
          editor_(session.screen, session.state, session.range, ui_) {}

    bool Enter(const json& settings) {
        if (!settings.is_object()) {
            return Fail("settings", "expected one JSON object");
        }
        for (const auto& [key, value] : settings.items()) {
            if (!IsKnownKey(key)) {
                Fail(key, "unknown key (the keys are those of `tarvex-cli show --json`)");
            }
        }
        ApplyIdentity(settings);
        ApplyImage(settings);
        const auto texts = TextsOf(settings);
        const auto rows = RowsOf(settings);
        if (!ok_) {
            return false;
        }
        EnterTexts(texts);
        ChooseRows(rows);
        SetBoxes(settings);
        return ok_;
    }

  private:
    bool Fail(std::string_view key, const std::string& reason) {
        err_ << "tarvex-cli: " << key << ": " << reason << '\n';
        ok_ = false;
        return false;
    }

    std::optional<std::string> SingleByteText(std::string_view key, const json& value) {
        if (value.is_null()) {
            return std::string();
        }
        if (value.is_number_integer()) {
            return std::to_string(value.get<long long>());
        }
        if (value.is_number()) {
            return ShortestText(value.get<double>());
        }
        if (!value.is_string()) {
            Fail(key, "expected a text or a number");
            return std::nullopt;
        }
        std::optional<std::string> text = Utf8ToLatin1(value.get<std::string>());
        if (!text) {
            Fail(key,
                 "holds a character that the repeater cannot store (one byte each, up to "
                 "U+00FF)");
        }
        return text;
    }

    void ApplyIdentity(const json& settings) {
        ProgramState& state = session_.state;
        if (const auto it = settings.find("ModelCode"); it != settings.end()) {
            if (it->is_number_integer() && *it >= 0 && *it <= 255) {
                state.ModelCode = it->get<std::uint8_t>();
            } else {
                Fail("ModelCode", "expected a whole number from 0 to 255");
            }
        }
        if (const auto it = settings.find("ModelName"); it != settings.end()) {
            if (!it->is_string()) {
                Fail("ModelName", "expected a text");
            } else if (const auto name = SingleByteText("ModelName", *it);
                       name && name->size() > kModelNameLength) {
                // The data file holds 18 characters; a longer name would be cut without a word.
                Fail("ModelName", "at most " + std::to_string(kModelNameLength) +
                                      " characters (the data file holds " +
                                      std::to_string(kModelNameLength) + ")");
            } else if (name) {
                state.ModelName = *name;
                SelectModelType(session_.screen, state.ModelName);
            }
        }
        if (const auto it = settings.find("FirmwareVersion"); it != settings.end()) {
            // The data file holds it in single precision; beyond that it would be stored as
            // infinity, which no settings file can give back.
            if (it->is_number() &&
                std::fabs(it->get<double>()) <= std::numeric_limits<float>::max()) {
                state.FirmwareVersion = it->get<float>();
            } else {
                Fail("FirmwareVersion", "expected a number from -3.4E+38 to 3.4E+38");
            }
        }
    }

    // The image becomes the template and shows its settings, as when a file with it is opened.
    void ApplyImage(const json& settings) {
        const auto it = settings.find("Image");
        if (it == settings.end()) {
            return;
        }
        const std::string hex = it->is_string() ? it->get<std::string>() : std::string();
        if (hex.size() != 2 * kImageSize && hex.size() != 2 * kRepeaterMemorySize) {
            Fail("Image", "expected 1024 (or 256) hexadecimal digits");
            return;
        }
        ImageBuffer image = session_.state.RadioData;
        for (std::size_t i = 0; i < hex.size() / 2; ++i) {
            unsigned value = 0;
            for (const char c : hex.substr(2 * i, 2)) {
                const auto digit = std::string_view("0123456789ABCDEF").find(UpperCase(c));
                if (digit == std::string_view::npos) {
                    Fail("Image", "expected hexadecimal digits only");
                    return;
                }
                value = value * 16 + static_cast<unsigned>(digit);
            }
            image[i] = static_cast<std::uint8_t>(value);
        }
        ProgramState& state = session_.state;
        state.RadioData = image;
        DecodeRadioData(state.MainData, state.RadioData, state.Step5kHz, session_.screen);
        state.MainData.ModelCode = state.ModelCode;
        ShowSettingsNotKept(state, ui_);
    }

    std::vector<std::pair<const TextKey*, std::string>> TextsOf(const json& settings) {
        std::vector<std::pair<const TextKey*, std::string>> texts;
        for (const TextKey& key : kTextKeys) {
            const auto it = settings.find(key.key);
            if (it == settings.end()) {
                continue;
            }
            std::optional<std::string> text = SingleByteText(key.key, *it);
            if (text && key.maxLength != 0 && text->size() > key.maxLength) {
                Fail(key.key, "at most " + std::to_string(key.maxLength) +
                                  " characters (the repeater holds " +
                                  std::to_string(key.maxLength) + ")");
            } else if (text && key.key == "MorseCodeID" &&
                       *text != session_.screen.TxtMorseCodeID.text &&
                       text->find_first_not_of(kMorseCodeIdCharacters) != std::string::npos) {
                // Typed, that is: an identifier as the image shows it is taken as it stands.
                Fail(key.key,
                     "letters and digits only; the field refuses the key " +
                         Quoted(text->substr(text->find_first_not_of(kMorseCodeIdCharacters), 1)));
            } else if (text) {
                texts.emplace_back(&key, std::move(*text));
            }
        }
        return texts;
    }

    std::optional<int> RowOf(std::string_view key, const json& value, const Control& list) {
        const int rowCount = static_cast<int>(list.rows.size());
        if (value.is_number_integer()) {
            const long long row = value.get<long long>();
            if (row >= 0 && row < rowCount) {
                return static_cast<int>(row);
            }
        } else if (value.is_string()) {
            const std::optional<std::string> text = Utf8ToLatin1(value.get<std::string>());
            for (int row = 0; text && row < rowCount; ++row) {
                const std::string& rowText = list.rows[static_cast<std::size_t>(row)];
                if (rowText == *text || TrimmedRight(rowText) == TrimmedRight(*text)) {
                    return row;
                }
            }
        }
        Fail(key, "expected a row number from 0 to " + std::to_string(rowCount - 1) +
                      " or the exact text of a row");
        return std::nullopt;
    }

    std::vector<std::pair<Control*, int>> RowsOf(const json& settings) {
        ScreenModel& screen = session_.screen;
        std::vector<std::pair<Control*, int>> rows;
        if (const auto it = settings.find("MKSlot"); it != settings.end()) {
            if (!it->is_array() || it->size() != 2) {
                Fail("MKSlot", "expected the rows of the two slots, as [slot1, slot2]");
            } else {
                for (std::size_t i = 0; i < 2; ++i) {
                    const std::string key = "MKSlot[" + std::to_string(i) + "]";
                    if (const auto row = RowOf(key, (*it)[i], screen.CmbMK_Type_Code[i])) {
                        rows.emplace_back(&screen.CmbMK_Type_Code[i], *row);
                    }
                }
            }
        }
        if (const auto it = settings.find("PTTExtEnc"); it != settings.end()) {
            if (const auto row = RowOf("PTTExtEnc", *it, screen.CmbPTT_ExtEnc)) {
                rows.emplace_back(&screen.CmbPTT_ExtEnc, *row);
            }
        }
        return rows;
    }

    void EnterTexts(const std::vector<std::pair<const TextKey*, std::string>>& texts) {
        for (const auto& [key, text] : texts) {
            Control& field = session_.screen.*(key->field);
            ReplaceText(field, text);
            field.caret = static_cast<int>(field.text.size());
            const int before = ui_.signals;
            editor_.LostFocus(field);
            // A box, a beep or a default put into an emptied field: not what was written.
            if (ui_.signals != before || (text.empty() && !field.text.empty())) {
                Fail(key->key, "the window did not take \"" + Latin1ToUtf8(text) +
                                   "\" as it stands (it shows \"" + Latin1ToUtf8(field.text) +
                                   "\")");
            }
        }
    }

    void ChooseRows(const std::vector<std::pair<Control*, int>>& rows) {
        for (const auto& [list, row] : rows) {
            editor_.ChooseRow(*list, row);
        }
    }

    void SetBoxes(const json& settings) {
        ScreenModel& screen = session_.screen;
        for (const CheckKey& key : kCheckKeys) {
            const auto it = settings.find(key.key);
            if (it == settings.end()) {
                continue;
            }
            if (it->is_boolean()) {
                (screen.*(key.box)).check = *it ? CheckState::Checked : CheckState::Unchecked;
            } else {
                Fail(key.key, "expected true or false");
            }
        }
        if (const auto it = settings.find("MonitorMode"); it != settings.end()) {
            if (it->is_null()) {
                screen.OptOvrTone.selected = false;
                screen.OptOvrCarrier.selected = false;
            } else if (*it == 0 || *it == 1) {
                editor_.Click(*it == 0 ? screen.OptOvrTone : screen.OptOvrCarrier);
            } else {
                Fail("MonitorMode", "expected 0 (Override Tone), 1 (Override Carrier) or null");
            }
        }
    }

    Session& session_;
    CountingUserInterface ui_;
    std::ostream& err_;
    MainScreenEditor editor_;
    bool ok_ = true;
};

}  // namespace

bool EnterSettings(Session& session, const nlohmann::json& settings, UserInterface& ui,
                   std::ostream& err) {
    return SettingsEntry(session, ui, err).Enter(settings);
}

std::optional<nlohmann::json> ReadSettingsFile(const std::string& path, std::ostream& err) {
    const auto fail = [&err, &path](const std::string& reason) {
        err << "tarvex-cli: " << path << ": " << reason << '\n';
        return std::nullopt;
    };
    std::string reason;
    const std::optional<std::string> text = ReadRegularFile(path, kMaxSettingsFileSize, reason);
    if (!text) {
        return fail(reason);
    }
    if (text->size() > kMaxSettingsFileSize) {
        return fail("larger than 1 MiB, which no settings file is");
    }
    if (NestingDepth(*text) > kMaxSettingsNesting) {
        return fail("nested deeper than " + std::to_string(kMaxSettingsNesting) + " levels");
    }
    nlohmann::json settings = nlohmann::json::parse(*text, nullptr, false);
    if (settings.is_discarded()) {
        return fail("not valid JSON");
    }
    return settings;
}

void StartWithoutTemplate(Session& session) {
    ApplyStartupValues(session);
    session.state.ModelName = std::string(kZpt410ModelName);
    SelectModelType(session.screen, session.state.ModelName);
}

}  // namespace tarvex::cli
