#include "sim/repeater.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "support/text_files.h"

namespace tarvex::sim {
namespace {

using testing::ImageReply;

// What the repeater says to each command sent in turn.
std::vector<std::string> Exchange(SimulatedRepeater& repeater,
                                  const std::vector<std::string>& commands) {
    std::vector<std::string> replies;
    for (const std::string& command : commands) {
        replies.push_back(repeater.Receive(command));
    }
    return replies;
}

RepeaterMemory CountingMemory() {
    RepeaterMemory memory;
    std::iota(memory.begin(), memory.end(), std::uint8_t{0x80});
    return memory;
}

// Every command is answered in the length the program reads; only a whole block of writable
// addresses lands in memory and is saved. (Whole programming runs land in memory in the window's,
// the link's and the end-to-end tests.)
TEST(SimulatedRepeater, AnswersEveryCommandAndKeepsOnlyWholeBlocksOfWritableAddresses) {
    struct Case {
        std::string sent;
        std::string reply;
        bool written = false;  // 0xAB at address 126
    };
    const Case cases[] = {
        {"????X", std::string(8, '?') + "X\r\nRDY\r\n"},  // 2 per ping, 8 for X (also at exit)
        {"S0B\r", "S.0.B.OK\r\n"},                        // 2 per character; empty block closed, 4
        {"\r", "NG\r\n"},                                 // CR outside a block, still 4
        {"q", "q"},                                       // anything else is echoed
        {"S7eab\r", "S.7.e.a.b.OK\r\n", true},            // lower-case digits count
        {"S0612\r", "S.0.6.1.2!NG\r\n"},                  // a protected address
        {"S051122\r", "S.0.5.1.1.2.2!NG\r\n"},            // runs into a protected address
        {"S8012\r", "S.8.0!1!2!NG\r\n"},                  // past the memory
        {"S001\r", "S.0.0.1.NG\r\n"},                     // half a byte
        {"S001Z2\r", "S.0.0.1.Z!2!NG\r\n"},               // not a hex digit
        {"S0012?\r", "S.0.0.1.2.??NG\r\n"},               // abandoned by a ping
        {"S0012S01\r", "S.0.0.1.2.S.0.1.OK\r\n"},         // abandoned by a new block
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        SimulatedRepeater repeater({CountingMemory(), "1C", {}});
        bool saved = false;
        repeater.SetWriteObserver([&saved](const RepeaterMemory&) { saved = true; });
        EXPECT_EQ(repeater.Receive(c.sent), c.reply);
        RepeaterMemory expected = CountingMemory();
        expected[126] = c.written ? 0xAB : expected[126];
        EXPECT_EQ(repeater.memory(), expected);
        EXPECT_EQ(saved, c.written);
    }
}

TEST(SimulatedRepeater, FaultsBehaveAsAdvertised) {
    const std::string image = ImageReply(CountingMemory());
    std::string badFreq = image;
    badFreq.replace(4, 12, std::string(12, 'F'));
    const std::string shortImage = image.substr(0, 259);
    struct Case {
        const char* what;
        RepeaterFaults faults;
        std::vector<std::string> sent;
        std::vector<std::string> replies;
    };
    const Case cases[] = {
        {"first image bad", {.badFreqReplies = 1}, {"G", "G"}, {badFreq, image}},
        {"short image", {.imageReplyLength = 259}, {"G", "G"}, {shortImage, shortImage}},
        {"long image", {.imageReplyLength = 261}, {"G"}, {image + "0"}},
        {"bad hex", {.badHex = true}, {"G"}, {image.substr(0, 258) + "ZZ"}},
        {"ping pattern, then normal",
         {.pingPattern = {"??", std::nullopt, "?!"}},
         {"?", "?", "?", "?"},
         {"??", "", "?!", "??"}},
        {"refuses writes", {.refuseWrites = true}, {"S0012\r", "?"}, {"S.0!0!1!2!NG\r\n", "??"}},
        {"pattern counts pings in a burst",
         {.pingPattern = {std::nullopt, std::nullopt}},
         {"????"},
         {"????"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedRepeater repeater({CountingMemory(), "10", c.faults});
        EXPECT_EQ(Exchange(repeater, c.sent), c.replies);
        EXPECT_EQ(repeater.memory(), CountingMemory());
    }
}

TEST(SimulatedRepeater, PingPatternsParseOneAnswerPerToken) {
    const std::tuple<std::string, std::optional<std::vector<PingAnswer>>> cases[] = {
        {"??,??,x,??", std::vector<PingAnswer>{"??", "??", std::nullopt, "??"}},
        {"x", std::vector<PingAnswer>{std::nullopt}},
        {"?!,X", std::vector<PingAnswer>{"?!", "X"}},
        {"", std::nullopt},
        {"??,,??", std::nullopt},
        {"??,", std::nullopt},
    };
    for (const auto& [text, answers] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParsePingPattern(text), answers);
    }
}

}  // namespace
}  // namespace tarvex::sim
