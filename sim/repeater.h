#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/program_state.h"

namespace tarvex::sim {

using RepeaterMemory = std::array<std::uint8_t, kRepeaterMemorySize>;

// What the repeater says, by the counts the program reads them with. Every answer to a character
// of a write block is the character itself and one status character.
namespace reply {
inline constexpr std::string_view kPing = "??";             // to "?", read with count 2
inline constexpr std::string_view kFirmwarePrefix = "V:";   // "V:" + 2 digits + CR LF, count 6
inline constexpr std::string_view kImagePrefix = "G:\r\n";  // + 256 hex digits, count 260
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kExit = "X\r\nRDY\r\n";  // to "X", read with count 8
inline constexpr char kAccepted = '.';
inline constexpr char kRefused = '!';
inline constexpr std::string_view kBlockWritten = "OK\r\n";  // to CR, read with count 4
inline constexpr std::string_view kBlockRefused = "NG\r\n";
inline constexpr std::size_t kFirmwareLength = 6;
inline constexpr std::size_t kImageLength = 260;
}  // namespace reply

// The answer to one "?": a text, or nothing at all.
using PingAnswer = std::optional<std::string>;

// Misbehaviour on request, for testing how the program copes.
struct RepeaterFaults {
    bool silent = false;                       // answers nothing, takes nothing
    std::optional<std::uint64_t> stopAfter{};  // dead after this many received characters
    unsigned badFreqReplies = 0;  // that many first image replies carry non-BCD bytes 0 to 5
    std::optional<std::size_t> imageReplyLength{};  // cut or padded with '0' to this length
    bool badHex = false;                            // the last byte of every image reply reads "ZZ"
    // Answers to the first "?" characters received, one each, before the normal "??" resumes.
    std::vector<PingAnswer> pingPattern{};
    std::optional<std::size_t> corruptWrite{};  // this address keeps a written byte wrongly
    bool refuseWrites = false;   // every digit of a write block answered "!", every block "NG"
    bool garbageWrites = false;  // every character of a write block answered with garbage
};

// Parses "??,??,x,?!" : one answer per comma-separated token, "x" for no answer, any other token
// sent as it stands. Nothing for an empty pattern or an empty token.
std::optional<std::vector<PingAnswer>> ParsePingPattern(std::string_view text);

// A repeater as it leaves the factory: valid frequencies, timers off, no squelch coding,
// unprogrammed bytes erased to 0xFF.
RepeaterMemory FactoryMemory();

// The two firmware digits reported by "V", as 0 to F each.
bool IsFirmwareText(std::string_view digits);

struct RepeaterOptions {
    RepeaterMemory memory = FactoryMemory();
    std::string firmware = "10";  // major and minor digit: "1.00"
    RepeaterFaults faults;
};

// The repeater's side of the line, character by character. Commands: "?" ping, "V" firmware,
// "G" image, "S" + two hex address digits opening a write block of hex digit pairs closed by
// CR, "X" leave programming mode. Any command character abandons an open block; the block's
// bytes reach memory only when its CR arrives and nothing in it was refused.
class SimulatedRepeater {
  public:
    explicit SimulatedRepeater(RepeaterOptions options = {});

    // Takes what the program sent and returns what the repeater says back, in order.
    std::string Receive(std::string_view bytes);

    const RepeaterMemory& memory() const { return memory_; }

    // Called after each write block that changed memory, with the memory as it now is.
    void SetWriteObserver(std::function<void(const RepeaterMemory&)> observer) {
        writeObserver_ = std::move(observer);
    }

  private:
    enum class BlockState { Idle, AddressHigh, AddressLow, DataHigh, DataLow };

    void Answer(char c, std::string& out);
    void AnswerPing(std::string& out);
    void AnswerImage(std::string& out);
    void AnswerBlockCharacter(char c, std::string& out);
    void TakeHexDigit(int value);
    void CloseBlock(std::string& out);
    void OpenBlock();
    void AnswerBlockOrOpen(char c, std::string& out);
    bool InBlock() const { return block_ != BlockState::Idle; }

    RepeaterMemory memory_;
    std::string firmware_;
    RepeaterFaults faults_;
    std::function<void(const RepeaterMemory&)> writeObserver_;

    std::uint64_t received_ = 0;
    std::uint8_t garbage_ = 0;
    std::size_t pingsAnswered_ = 0;
    unsigned imageReplies_ = 0;

    BlockState block_ = BlockState::Idle;
    bool blockRefused_ = false;
    int highDigit_ = 0;
    std::size_t address_ = 0;
    std::vector<std::pair<std::size_t, std::uint8_t>> pending_;
};

// True where the repeater takes a byte: the addresses the program is meant to write. The others
// (calibration and factory areas) refuse the block that touches them.
bool RepeaterAcceptsAddress(std::size_t address);

}  // namespace tarvex::sim
