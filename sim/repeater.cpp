#include "sim/repeater.h"

#include <algorithm>
#include <utility>

#include "codec/freq_codec.h"
#include "codec/image_layout.h"

namespace tarvex::sim {
namespace {

constexpr char kCarriageReturn = '\r';
constexpr std::uint8_t kErased = 0xFF;
constexpr std::uint8_t kNotBcd = 0xFF;
constexpr std::string_view kNotHex = "ZZ";
constexpr char kImagePadding = '0';
constexpr std::string_view kNoAnswerToken = "x";
constexpr std::uint8_t kCorruption = 0x01;  // the bit a corrupting repeater gets wrong

struct AddressRange {
    std::size_t first;
    std::size_t last;
};

// Calibration and factory areas that the program never writes.
constexpr AddressRange kProtected[] = {{6, 10},  {14, 14},   {32, 47},  {67, 74},
                                       {85, 95}, {117, 125}, {127, 127}};

// -1 for anything but 0-9, A-F and a-f.
int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool IsCommand(char c) {
    return c == '?' || c == 'V' || c == 'G' || c == 'S' || c == 'X';
}

}  // namespace

bool RepeaterAcceptsAddress(std::size_t address) {
    if (address >= kRepeaterMemorySize) {
        return false;
    }
    return std::none_of(std::begin(kProtected), std::end(kProtected), [address](AddressRange r) {
        return address >= r.first && address <= r.last;
    });
}

std::optional<std::vector<PingAnswer>> ParsePingPattern(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::vector<PingAnswer> answers;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view token = text.substr(0, comma);
        if (token.empty()) {
            return std::nullopt;
        }
        answers.push_back(token == kNoAnswerToken ? PingAnswer{} : PingAnswer{std::string(token)});
        if (comma == std::string_view::npos) {
            return answers;
        }
        text.remove_prefix(comma + 1);
    }
}

RepeaterMemory FactoryMemory() {
    using namespace image;
    RepeaterMemory memory;
    memory.fill(kErased);
    const auto put = [&memory](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(kTXFreq, {0x45, 0x00, 0x00});  // 450.0000 MHz
    put(kRXFreq, {0x45, 0x50, 0x00});  // 455.0000 MHz
    put(kTimeOutHi, {kTimerOff, kTimerOff});
    memory[kMonitorMode] = 0;
    put(kHangTime, {32, 16});           // 1 s hang, 0.5 s tail
    put(kCustomToneAux, {19, 8, 104});  // custom tone 100.2 Hz
    put(kIdIntervalHi, {0, 0});
    std::fill(memory.begin() + kMorseId, memory.begin() + kMorseIdClearEnd, 0);
    std::fill(memory.begin() + kCustId, memory.begin() + kCustId + kCustIdLength, ' ');
    std::fill(memory.begin() + kSquelchShadow, memory.begin() + kSquelchShadowEnd, 0);
    std::fill(memory.begin() + kSquelchBitmap, memory.begin() + kSquelchBitmapEnd, 0);
    memory[kPolarity] = 0;
    memory[kOptions] = kOptionsFixed;
    memory[kPttExtEnc] = kErased;  // no PTT code
    return memory;
}

bool IsFirmwareText(std::string_view digits) {
    return digits.size() == 2 && std::all_of(digits.begin(), digits.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
           });
}

SimulatedRepeater::SimulatedRepeater(RepeaterOptions options)
    : memory_(options.memory),
      firmware_(std::move(options.firmware)),
      faults_(std::move(options.faults)) {}

std::string SimulatedRepeater::Receive(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        ++received_;
        if (faults_.silent || (faults_.stopAfter && received_ > *faults_.stopAfter)) {
            continue;
        }
        Answer(c, out);
    }
    return out;
}

void SimulatedRepeater::Answer(char c, std::string& out) {
    if (faults_.garbageWrites &&
        (c == 'S' || c == kCarriageReturn || (InBlock() && !IsCommand(c)))) {
        // As many characters as a sound answer, none of them meaning anything.
        std::string sound;
        AnswerBlockOrOpen(c, sound);
        for (std::size_t i = 0; i < sound.size(); ++i) {
            garbage_ = static_cast<std::uint8_t>(garbage_ * 37 + 101);
            out += static_cast<char>(garbage_ | 0x80);
        }
        return;
    }
    if (IsCommand(c) && InBlock()) {
        block_ = BlockState::Idle;  // abandoned: a restarted program must get through
        pending_.clear();
    }
    if (InBlock() || c == kCarriageReturn) {
        AnswerBlockCharacter(c, out);
        return;
    }
    switch (c) {
        case '?':
            AnswerPing(out);
            return;
        case 'V':
            out += reply::kFirmwarePrefix;
            out += firmware_;
            out += reply::kLineEnd;
            return;
        case 'G':
            AnswerImage(out);
            return;
        case 'S':
            OpenBlock();
            out += c;
            out += reply::kAccepted;
            return;
        case 'X':
            out += reply::kExit;
            return;
        default:
            out += c;  // a console echoes what it does not understand
            return;
    }
}

void SimulatedRepeater::AnswerPing(std::string& out) {
    const std::size_t index = pingsAnswered_++;
    if (index >= faults_.pingPattern.size()) {
        out += reply::kPing;
        return;
    }
    if (const PingAnswer& answer = faults_.pingPattern[index]) {
        out += *answer;
    }
}

void SimulatedRepeater::AnswerImage(std::string& out) {
    RepeaterMemory sent = memory_;
    if (imageReplies_ < faults_.badFreqReplies) {
        std::fill(sent.begin() + image::kTXFreq, sent.begin() + image::kFreqAreaEnd, kNotBcd);
    }
    ++imageReplies_;
    std::string text(reply::kImagePrefix);
    for (const std::uint8_t byte : sent) {
        text += ByteToHex(byte);
    }
    if (faults_.badHex) {
        text.replace(text.size() - kNotHex.size(), kNotHex.size(), kNotHex);
    }
    if (faults_.imageReplyLength) {
        text.resize(*faults_.imageReplyLength, kImagePadding);
    }
    out += text;
}

void SimulatedRepeater::AnswerBlockOrOpen(char c, std::string& out) {
    if (c == 'S') {
        OpenBlock();
        out += c;
        out += reply::kAccepted;
    } else {
        AnswerBlockCharacter(c, out);
    }
}

void SimulatedRepeater::OpenBlock() {
    block_ = BlockState::AddressHigh;
    // A refusing repeater answers every digit with "!"; a garbling one keeps nothing either.
    blockRefused_ = faults_.refuseWrites || faults_.garbageWrites;
    pending_.clear();
}

void SimulatedRepeater::AnswerBlockCharacter(char c, std::string& out) {
    if (c == kCarriageReturn) {
        CloseBlock(out);
        return;
    }
    const int value = HexValue(c);
    if (value < 0) {
        blockRefused_ = true;
    } else if (!blockRefused_) {
        TakeHexDigit(value);
    }
    out += c;
    out += blockRefused_ ? reply::kRefused : reply::kAccepted;
}

void SimulatedRepeater::TakeHexDigit(int value) {
    switch (block_) {
        case BlockState::AddressHigh:
            highDigit_ = value;
            block_ = BlockState::AddressLow;
            return;
        case BlockState::AddressLow:
            address_ = static_cast<std::size_t>(highDigit_ * 16 + value);
            blockRefused_ = address_ >= kRepeaterMemorySize;
            block_ = BlockState::DataHigh;
            return;
        case BlockState::DataHigh:
            highDigit_ = value;
            block_ = BlockState::DataLow;
            return;
        case BlockState::DataLow:
            if (!RepeaterAcceptsAddress(address_)) {
                blockRefused_ = true;
                return;
            }
            pending_.emplace_back(address_++, static_cast<std::uint8_t>(highDigit_ * 16 + value));
            block_ = BlockState::DataHigh;
            return;
        case BlockState::Idle:
            return;
    }
}

void SimulatedRepeater::CloseBlock(std::string& out) {
    // A block needs its address and whole bytes; a CR outside any block is refused as well.
    const bool complete = block_ == BlockState::DataHigh && !blockRefused_;
    block_ = BlockState::Idle;
    if (!complete) {
        pending_.clear();
        out += reply::kBlockRefused;
        return;
    }
    for (const auto& [address, byte] : pending_) {
        memory_[address] =
            address == faults_.corruptWrite ? static_cast<std::uint8_t>(byte ^ kCorruption) : byte;
    }
    const bool wrote = !pending_.empty();
    pending_.clear();
    out += reply::kBlockWritten;
    if (wrote && writeObserver_) {
        writeObserver_(memory_);
    }
}

}  // namespace tarvex::sim
