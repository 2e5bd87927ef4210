#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "editor/decode_radio_data.h"
#include "link/keep_alive.h"
#include "link/program_radio.h"
#include "link/read_command.h"
#include "link/serial_link.h"
#include "link/terminal_mode.h"
#include "support/image_builder.h"
#include "support/link_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::FrontEvent;
using testing::Message;
using testing::UiEvent;

// An adapter pulled out after a number of writes: every routine ends within its time-outs with its
// own message (its first paragraph here), and once the adapter is back, choosing the port again
// works.
TEST(UnpluggedPort, EveryRoutineEndsWithItsMessageAndThePortCanBeChosenAgain) {
    const std::vector<UiEvent> noRadio{
        BeepEvent(), BeepEvent(),
        Message("No Radio!", "Radio is not detected!", MessageIcon::Critical), FrontEvent()};
    const std::vector<UiEvent> stopped{
        BeepEvent(),
        Message("No Radio!", "Radio stopped responding during programming!", MessageIcon::Critical),
        FrontEvent()};
    const auto program = [](RadioLink& link) { return Programmed(ProgramRadioCommand(link)); };
    const auto terminal = [](RadioLink& link) {
        TerminalModeCommand(link);
        return link.screen.PDQComm1.visible;
    };
    const auto keepAlive = [](RadioLink& link) {
        TimRptrProgMode_Timer(link);
        return true;
    };
    const std::tuple<std::string, std::function<bool(RadioLink&)>, int, bool, std::vector<UiEvent>>
        cases[] = {
            {"Read", ReadCommand, 0, false, noRadio},
            {"Read", ReadCommand, 3, false, noRadio},
            {"Program Radio", program, 60, false, stopped},
            {"Terminal Mode", terminal, 0, true, {}},
            {"keep-alive", keepAlive, 0, true, {}},
        };
    for (const auto& [routine, run, writesBeforeUnplug, result, events] : cases) {
        SCOPED_TRACE(routine + " after " + std::to_string(writesBeforeUnplug) + " writes");
        testing::LinkRig rig;
        rig.screen.TxtFirmwareVersion.text = "1.05";
        int writes = 0;
        testing::FakeRepeater repeater{{testing::ImageBuilder()}};
        ASSERT_TRUE(
            DecodeRadioData(rig.state.MainData, repeater.images.front(), false, rig.screen));
        rig.port.respond = [&, unplugAt = writesBeforeUnplug](std::string_view written) {
            rig.port.unplugged = ++writes >= unplugAt;
            return repeater(written);
        };
        rig.port.unplugged = writesBeforeUnplug == 0;

        EXPECT_EQ(run(rig.link), result);

        for (UiEvent& event : rig.ui.events) {
            event.box.text = event.box.text.substr(0, event.box.text.find("\n\n"));
        }
        EXPECT_EQ(rig.ui.events, events);
        EXPECT_LT(rig.clock.Elapsed(), std::chrono::seconds(30));

        rig.ui.inputAnswers = {std::nullopt};
        EXPECT_FALSE(OpenCommPort(rig.link)) << "still unplugged";
        rig.port.unplugged = false;
        rig.state.ComPort = 1;
        EXPECT_TRUE(OpenCommPort(rig.link));
        EXPECT_TRUE(rig.port.IsOpen());
    }
}

}  // namespace
}  // namespace tarvex
