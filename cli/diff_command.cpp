#include "cli/diff_command.h"

#include <optional>

#include <nlohmann/json.hpp>

#include "app/file_menu.h"
#include "app/session.h"
#include "cli/cli_app.h"
#include "cli/console_ui.h"
#include "cli/radio_commands.h"
#include "cli/settings_check.h"
#include "cli/settings_entry.h"
#include "cli/single_byte_text.h"
#include "codec/freq_codec.h"
#include "editor/settings_comparison.h"

namespace tarvex::cli {
namespace {

constexpr std::string_view kPortOption = "--port";

struct Side {
    bool port = false;
    std::string name;  // the file, or the device
};

// The sides in the order given; nothing after a usage message.
std::optional<std::vector<Side>> ParseSides(const std::vector<std::string>& arguments,
                                            std::ostream& err) {
    std::vector<Side> sides;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kPortOption && i + 1 < arguments.size()) {
            sides.push_back({true, arguments[++i]});
        } else if (argument.starts_with(std::string(kPortOption) + "=")) {
            sides.push_back({true, argument.substr(kPortOption.size() + 1)});
        } else if (argument.starts_with("-")) {
            err << "tarvex-cli diff: unknown option " << argument << '\n';
            return std::nullopt;
        } else {
            sides.push_back({false, argument});
        }
    }
    if (sides.size() != 2) {
        err << "tarvex-cli diff: give two sides, each a data file, a settings file (.json) or "
               "--port DEVICE\n";
        return std::nullopt;
    }
    return sides;
}

// The image a file holds: a data file's own image, or what Save File would write for settings.
std::optional<ImageBuffer> LoadFile(const std::string& path, std::ostream& err) {
    Session session;
    ConsoleUserInterface ui(err);
    if (path.ends_with(".json")) {
        const std::optional<nlohmann::json> settings = ReadSettingsFile(path, err);
        StartWithoutTemplate(session);
        if (!settings || !EnterSettings(session, *settings, ui, err) ||
            !CheckSettingsAreKept(session, *settings, true, "the comparison", err) ||
            !PrepareOutputData(session, ui)) {
            return std::nullopt;
        }
        return session.state.OutData;
    }
    ApplyStartupValues(session);
    GivenPathChooser chooser(path);
    if (!OpenFileCommand(session, ui, chooser)) {
        SayFileNotDone(err, path, "nothing read");
        return std::nullopt;
    }
    return session.state.RadioData;
}

nlohmann::ordered_json ComparisonJson(const SettingsComparison& comparison) {
    nlohmann::ordered_json json;
    json["equal"] = comparison.Equal();
    json["aShown"] = comparison.aShown;
    json["bShown"] = comparison.bShown;
    json["settings"] = nlohmann::ordered_json::array();
    for (const SettingDifference& d : comparison.settings) {
        json["settings"].push_back({{"setting", Latin1ToUtf8(d.setting)},
                                    {"a", Latin1ToUtf8(d.a)},
                                    {"b", Latin1ToUtf8(d.b)}});
    }
    json["otherBytes"] = nlohmann::ordered_json::array();
    for (const OtherByteDifference& d : comparison.otherBytes) {
        json["otherBytes"].push_back(
            {{"address", d.address}, {"a", ByteToHex(d.a)}, {"b", ByteToHex(d.b)}});
    }
    return json;
}

}  // namespace

int DiffCommand(const std::vector<std::string>& sideArguments, bool json,
                const std::string& tracePath, std::ostream& out, std::ostream& err) {
    const std::optional<std::vector<Side>> sides = ParseSides(sideArguments, err);
    if (!sides) {
        return kExitUsage;
    }
    std::vector<ImageBuffer> images;
    for (const Side& side : *sides) {
        int status = kExitOk;
        const std::optional<ImageBuffer> image =
            side.port ? ReadRepeaterImage(side.name, tracePath, err, status)
                      : LoadFile(side.name, err);
        if (!image) {
            return status == kExitNoRadio ? kExitNoRadio : kExitUsage;
        }
        images.push_back(*image);
    }
    const SettingsComparison comparison = CompareImages(images[0], images[1], false);
    if (json) {
        out << ComparisonJson(comparison).dump(2) << '\n';
    } else {
        for (const auto& [shown, name] :
             {std::pair{comparison.aShown, "A"}, {comparison.bShown, "B"}}) {
            if (!shown) {
                out << "Note: the window cannot show " << name
                    << " (its frequencies are not packed decimal); its settings are compared by "
                       "their bytes\n";
            }
        }
        for (const std::string& line : DifferenceLines(comparison, "A", "B")) {
            out << Latin1ToUtf8(line) << '\n';
        }
    }
    return comparison.Equal() ? kExitOk : kExitDifferent;
}

}  // namespace tarvex::cli
