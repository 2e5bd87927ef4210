#include <gtest/gtest.h>

#include <functional>

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
using testing::FakeRepeater;
using testing::FrontEvent;
using testing::LinkRig;
using testing::Message;
using testing::UiEvent;

// An adapter pulled out after a number of writes: every routine ends within its time-outs with its
// own message, and once the adapter is back, choosing the port again works.
TEST(UnpluggedPort, EveryRoutineEndsWithItsMessageAndThePortCanBeChosenAgain) {
    const std::vector<UiEvent> noRadio{
        BeepEvent(), BeepEvent(),
        Message("No Radio!", "Radio is not detected!", MessageIcon::Critical), FrontEvent()};
    struct Case {
        const char* name;
        int writesBeforeUnplug;
        std::function<bool(RadioLink&)> run;
        bool result;
        std::vector<UiEvent> events;
    };
    const Case cases[] = {
        {"Read before anything", 0, ReadCommand, false, noRadio},
        {"Read after the pings", 3, ReadCommand, false, noRadio},
        {"Program Radio while writing",
         60,
         [](RadioLink& link) { return Programmed(ProgramRadioCommand(link)); },
         false,
         {BeepEvent(),
          Message("No Radio!", "Radio stopped responding during programming!",
                  MessageIcon::Critical),
          FrontEvent()}},
        {"Terminal Mode",
         0,
         [](RadioLink& link) {
             TerminalModeCommand(link);
             return link.screen.PDQComm1.visible;
         },
         true,
         {}},
        {"keep-alive",
         0,
         [](RadioLink& link) {
             TimRptrProgMode_Timer(link);
             return true;
         },
         true,
         {}},
    };
    for (const Case& c : cases) {
        LinkRig rig;
        rig.screen.TxtFirmwareVersion.text = "1.05";
        int writes = 0;
        FakeRepeater repeater;
        repeater.images = {testing::ImageBuilder()};
        ASSERT_TRUE(
            DecodeRadioData(rig.state.MainData, repeater.images.front(), false, rig.screen));
        rig.port.respond = [&](std::string_view written) {
            if (++writes >= c.writesBeforeUnplug) {
                rig.port.unplugged = true;
            }
            return repeater(written);
        };
        rig.port.unplugged = c.writesBeforeUnplug == 0;

        EXPECT_EQ(c.run(rig.link), c.result) << c.name;

        // Only the first paragraph: what follows names this run's backup.
        for (testing::UiEvent& event : rig.ui.events) {
            event.box.text = event.box.text.substr(0, event.box.text.find("\n\n"));
        }
        EXPECT_EQ(rig.ui.events, c.events) << c.name;
        EXPECT_LT(rig.clock.Elapsed(), std::chrono::seconds(30)) << c.name;

        rig.ui.inputAnswers = {std::nullopt};
        EXPECT_FALSE(OpenCommPort(rig.link)) << c.name << ": still unplugged";
        rig.port.unplugged = false;
        rig.state.ComPort = 1;
        EXPECT_TRUE(OpenCommPort(rig.link)) << c.name;
        EXPECT_TRUE(rig.port.IsOpen()) << c.name;
    }
}

}  // namespace
}  // namespace tarvex
