#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <string_view>

#include "codec/program_state.h"
#include "editor/range.h"
#include "editor/screen_model.h"
#include "link/keep_alive.h"
#include "link/radio_link.h"
#include "support/fake_clock.h"
#include "support/file_test_support.h"
#include "support/recording_ui.h"
#include "support/scripted_serial_port.h"

namespace tarvex::testing {

// The "G" reply for an image: four leading characters, then its first 128 bytes in hexadecimal.
inline std::string ImageReply(const ImageBuffer& image) {
    std::string reply = "G\r\n>";
    for (std::size_t i = 0; i < kRepeaterMemorySize; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(image[i]));
        reply += digits;
    }
    return reply;
}

// Answers like a repeater: "??" to a ping, a firmware reply to "V", an image to "G" (the next of
// images, the last one again once they run out), sixteen characters to the keep-alive burst,
// four after a carriage return and a two-character echo to any other character.
struct FakeRepeater {
    std::string operator()(std::string_view written) {
        if (written == "G") {
            const std::string reply = ImageReply(images.front());
            if (images.size() > 1) {
                images.pop_front();
            }
            return reply;
        }
        static const std::map<std::string_view, std::string> kAnswers = {
            {"?", "??"}, {"V", "V:15\r\n"}, {"????????", std::string(16, '?')}, {"\r", "\r\n> "}};
        const auto answer = kAnswers.find(written);
        return answer != kAnswers.end() ? answer->second : std::string(written) + "\r";
    }
    std::deque<ImageBuffer> images{ImageBuffer{}};
};

// After every ending of a radio command: the status frame hidden, the window and its menus
// enabled, the seven controls under the frame shown and the keep-alive running.
inline void ExpectScreenGivenBack(const ScreenModel& s, const std::string& name) {
    EXPECT_FALSE(s.FrameStatus.visible) << name;
    EXPECT_TRUE(s.FrmMainScrn.enabled && s.menuFile.header.enabled && s.menuRadio.header.enabled)
        << name;
    for (const Control* c : {&s.OptOvrTone, &s.OptOvrCarrier, &s.FrmMonitorMode, &s.chkMKEncodePol,
                             &s.chkMKDecodePol, &s.TxtFirmwareVersion, &s.TxtSqlTailMuteTime}) {
        EXPECT_TRUE(c->visible) << name << ": " << c->name;
    }
    EXPECT_TRUE(s.TimRptrProgMode.enabled) << name << ": the keep-alive runs again";
}

// A radio link on a scripted port and a fake clock, with the port open, the keep-alive running
// as after start-up and backups going to a fresh folder.
struct LinkRig {
    LinkRig() {
        port.Open("/dev/ttyS0", nullptr);
        port.wire.clear();
        link.backupFolder = backupRoot.path() / "backups";
        StartKeepAlive(screen);
    }

    FakeClock clock;
    ScriptedSerialPort port{clock};
    FakeEventPump pump;
    RecordingUserInterface ui;
    ProgramState state;
    ScreenModel screen = BuildMainScreen();
    RangeModule range;
    TempDir backupRoot;
    RadioLink link{{port, clock, clock, pump, ui}, screen, state, range};
};

}  // namespace tarvex::testing
