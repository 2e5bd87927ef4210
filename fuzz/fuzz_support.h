#pragma once

// What the fuzz targets share: scratch files, the window's Open File and Save File, and the report
// of a broken round trip.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_menu.h"
#include "app/session.h"
#include "cli/console_ui.h"
#include "cli/settings_view.h"
#include "services/file_chooser.h"
#include "support/recording_ui.h"

namespace tarvex::fuzz {

namespace fs = std::filesystem;

// This process's scratch folder, in memory where /dev/shm allows, so that saves cost no disk. It
// is never destroyed, so that it outlives the exit handler that removes it.
inline const fs::path& ScratchFolder() {
    static const fs::path* folder = [] {
        const fs::path shm = "/dev/shm";
        const fs::path base = access(shm.c_str(), W_OK) == 0 ? shm : fs::temp_directory_path();
        auto* made = new fs::path(base / ("tarvex-fuzz-" + std::to_string(getpid())));
        fs::create_directories(*made);
        std::atexit([] { fs::remove_all(ScratchFolder()); });
        return made;
    }();
    return *folder;
}

inline std::string Scratch(std::string_view name) {
    return (ScratchFolder() / name).string();
}

inline std::string WriteScratch(std::string_view name, const std::uint8_t* data, std::size_t size) {
    const std::string path = Scratch(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

inline std::string ReadScratch(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The main window after start-up, with a user who answers every box with OK.
struct Window {
    Window() { ApplyStartupValues(session); }

    bool Open(const std::string& path) {
        GivenPathChooser chooser(path);
        return OpenFileCommand(session, ui, chooser);
    }
    bool Save(const std::string& path) {
        GivenPathChooser chooser(path);
        return SaveFileCommand(session, ui, chooser);
    }
    // How many boxes the user saw and beeps they heard.
    std::size_t Told() const {
        std::size_t told = 0;
        for (const testing::UiEvent& event : ui.events) {
            told += event.kind == testing::UiEvent::Kind::Message ||
                    event.kind == testing::UiEvent::Kind::Beep;
        }
        return told;
    }
    // The boxes shown so far, "title: text" a line.
    std::string Messages() const {
        std::string lines;
        for (const testing::UiEvent& event : ui.events) {
            if (event.kind == testing::UiEvent::Kind::Message) {
                lines += "  " + event.box.title + ": " + event.box.text + "\n";
            }
        }
        return lines;
    }
    // Whether a "Settings Not Kept" box on opening or reading named the setting whose line reads
    // before, then after (a line of Settings(), or a caption alone). Its lines are "caption: why.";
    // the two slots go by the squelch options' caption. The polarity boxes are enabled by the
    // codes: where those were named, the boxes may change from enabled to disabled or back.
    bool NotKept(const std::string& before, const std::string& after = "") const {
        std::string label = before.substr(0, before.find("  "));
        if (label.rfind("Coded squelch slot", 0) == 0) {
            label = "Coded Squelch Options";
        }
        const bool enabling = before + " (disabled)" == after || after + " (disabled)" == before;
        for (const testing::UiEvent& event : ui.events) {
            if (event.kind != testing::UiEvent::Kind::Message ||
                event.box.title != kSettingsNotKeptTitle) {
                continue;
            }
            std::istringstream notes(event.box.text);
            for (std::string note; std::getline(notes, note);) {
                const std::string caption = note.substr(0, note.find(": "));
                const bool codes =
                    caption == "Coded Squelch Options" || caption == "PTT/EXT Encode";
                if (caption == label || (codes && enabling)) {
                    return true;
                }
            }
        }
        return false;
    }
    // Every setting as the window shows it, one labelled line each, without the identity.
    std::string Settings() const {
        const std::string text = cli::SettingsText(session);
        return text.substr(text.find("\n\n") + 2);
    }

    Session session;
    testing::RecordingUserInterface ui;
};

// The lines in which two texts of the same layout differ, but for those the window said it would
// not keep.
inline std::string Difference(const std::string& before, const std::string& after,
                              const Window* told = nullptr) {
    std::istringstream a(before);
    std::istringstream b(after);
    std::string difference;
    for (std::string x, y; std::getline(a, x) && std::getline(b, y);) {
        if (x != y && (told == nullptr || !told->NotKept(x, y))) {
            difference += "  " + x + "\n  " + y + "\n";
        }
    }
    return difference;
}

// The bytes in which two files differ, by offset.
inline std::string ByteDifference(const std::string& before, const std::string& after) {
    std::string difference = before.size() == after.size() ? "" : "  the lengths differ\n";
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) {
            char line[48];
            std::snprintf(line, sizeof line, "  byte %zu: %02X then %02X\n", i,
                          static_cast<unsigned>(static_cast<unsigned char>(before[i])),
                          static_cast<unsigned>(static_cast<unsigned char>(after[i])));
            difference += line;
        }
    }
    return difference;
}

// A broken property: prints it and aborts, so that the fuzzer keeps the input. While a fault is
// known and not yet fixed, TARVEX_FUZZ_IGNORE (a regular expression) lets a run go past the
// reports it matches, together with their context (the whole text before the round trip).
inline void Broken(std::string_view property, const std::string& detail,
                   const std::string& context = "") {
    const std::string report = std::string(property) + "\n" + detail;
    static const char* ignore = std::getenv("TARVEX_FUZZ_IGNORE");
    static const std::regex known(ignore != nullptr ? ignore : "$^");
    if (ignore != nullptr && std::regex_search(report + "\n" + context, known)) {
        return;
    }
    std::fprintf(stderr, "\nround trip broken: %s\n", report.c_str());
    fs::remove_all(ScratchFolder());
    std::abort();
}

inline void CheckSame(std::string_view property, const std::string& before,
                      const std::string& after, const Window* told = nullptr) {
    const std::string difference = Difference(before, after, told);
    if (!difference.empty()) {
        Broken(property, difference, before);
    }
}

}  // namespace tarvex::fuzz
