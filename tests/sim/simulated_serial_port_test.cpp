#include "sim/simulated_serial_port.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tarvex::sim {
namespace {

using namespace std::chrono_literals;

// Time stands still until someone sleeps; sleeping jumps there at once.
class JumpingClock final : public LineClock {
  public:
    TimePoint Now() override { return now; }
    void SleepUntil(TimePoint when) override { now = std::max(now, when); }

    TimePoint now{};
};

TEST(SimulatedSerialPort, UnpacedReadsTakeWhatIsThereAtOnceUnlessAHandlerTakesIt) {
    SimulatedSerialPort port;
    EXPECT_FALSE(port.Write("?"));  // not open yet
    ASSERT_TRUE(port.Open("demo"));

    ASSERT_TRUE(port.Write("?"));
    EXPECT_EQ(port.Read(5, 250ms), "??");  // fewer than asked, no waiting
    EXPECT_EQ(port.Read(2, 250ms), "");

    ASSERT_TRUE(port.Write("G"));
    EXPECT_EQ(port.Read(4, 10s), "G:\r\n");
    port.DiscardBuffers();
    EXPECT_EQ(port.Read(256, 10s), "");

    ASSERT_TRUE(port.Write("S7E12\r"));
    EXPECT_EQ(port.Read(14, 2s), "S.7.E.1.2.OK\r\n");

    // An unasked-data handler gets the answers instead, until it is taken away.
    std::vector<std::string> seen;
    port.SetUnaskedDataHandler([&seen](std::string_view bytes) { seen.emplace_back(bytes); });
    ASSERT_TRUE(port.Write("????X"));
    EXPECT_EQ(seen, std::vector<std::string>{"????????X\r\nRDY\r\n"});
    EXPECT_EQ(port.Read(16, 250ms), "");
    port.SetUnaskedDataHandler(nullptr);
    ASSERT_TRUE(port.Write("?"));
    EXPECT_EQ(port.Read(2, 250ms), "??");
    EXPECT_EQ(seen.size(), 1u);

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Write("?"));
    ASSERT_TRUE(port.Open("demo"));  // the same repeater, still holding the write
    EXPECT_EQ(port.repeater().memory()[126], 0x12);
}

TEST(SimulatedSerialPort, PacedAnswersArriveOneCharacterTimeApart) {
    const std::tuple<std::string, std::size_t, std::chrono::milliseconds, std::size_t,
                     std::chrono::nanoseconds>
        cases[] = {
            {"?", 2, 250ms, 2, 2 * kCharacterTime},
            {"????????", 16, 250ms, 16, 16 * kCharacterTime},  // 133 ms, inside the time-out
            {"G", 260, 10000ms, 260, 260 * kCharacterTime},    // about 2.2 s
            {"G", 260, 1000ms, 120, 1000ms},                   // cut off by the time-out
            {"?", 4, 250ms, 2, 250ms},                         // fewer than asked
            {"", 2, 250ms, 0, 250ms},                          // silence
        };
    for (const auto& [sent, count, timeout, received, waited] : cases) {
        SCOPED_TRACE(sent + " for " + std::to_string(count));
        JumpingClock clock;
        clock.now += 1h;
        SimulatedSerialPort port({}, Pacing::RealTime, clock);
        ASSERT_TRUE(port.Open("demo"));
        const LineClock::TimePoint start = clock.now;
        ASSERT_TRUE(port.Write(sent));
        EXPECT_EQ(port.Read(count, timeout).size(), received);
        EXPECT_EQ(clock.now - start, waited);
    }
}

}  // namespace
}  // namespace tarvex::sim
