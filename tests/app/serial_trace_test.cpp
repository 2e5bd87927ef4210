#include <gtest/gtest.h>

#include "app/serial_trace_store.h"
#include "link/identify.h"
#include "link/keep_alive.h"
#include "support/link_rig.h"

namespace tarvex {
namespace {

TEST(SerialTrace, RecordsTimeDirectionBytesAndRoutineOfTheLastFiveCommands) {
    testing::LinkRig rig;
    rig.port.respond = testing::FakeRepeater();
    TracedSerialPort traced(rig.port, rig.clock);
    RadioLink link({traced, rig.clock, rig.clock, rig.pump, rig.ui}, rig.screen, rig.state,
                   rig.range);
    SerialTraceStore store;
    for (int command = 1; command <= 6; ++command) {
        rig.clock.Advance(std::chrono::seconds(3));
        traced.RecordInto(&store.Begin(rig.clock.Now()), &link);
        if (command < 6) {
            TimRptrProgMode_Timer(link);
        } else {
            Identification identification;
            ASSERT_TRUE(IdentifyRadio(link, identification));
        }
    }
    traced.RecordInto(nullptr);
    TimRptrProgMode_Timer(link);  // not recorded

    ASSERT_EQ(store.traces().size(), 5u);
    const std::string text = store.Text({5, 0, 4});
    const std::string keepAlive =
        "0.000 sent \"????????\" TimRptrProgMode_Timer\n"
        "133.328 recv \"????????????????\" TimRptrProgMode_Timer (wanted 16 in 250 ms)\n";
    EXPECT_TRUE(text.starts_with("# Tarvex Repeater Programmer V5.0.4 serial trace\n# command 1\n" +
                                 keepAlive + "# command 2\n"))
        << text;
    const std::string identify = text.substr(text.find("# command 5\n") + 12);
    EXPECT_TRUE(identify.starts_with(
        "0.000 sent \"?\" PingRadio\n16.666 recv \"??\" PingRadio (wanted 2 in 250 ms)\n"));
    EXPECT_NE(identify.find(" recv \"G\\r\\n>000000"), std::string::npos) << identify;
    EXPECT_NE(identify.find(" recv \"\" IdentifyRadio (wanted 1 in 17 ms)\n"), std::string::npos);
    // The heading, five command lines, four keep-alives and identification's nine events.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 5 + 4 * 2 + 9);
}

}  // namespace
}  // namespace tarvex
