#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "codec/program_state.h"

namespace tarvex {

// What an image says, step by step, before anything is written to the record or the screen.
// Only the polarity ticks and the customer identifier hold when the frequencies are invalid.
struct DecodedImage {
    bool encodePolarityTicked = false;
    bool decodePolarityTicked = false;
    std::string CustID;  // the 10 codes as they are, zero bytes included
    bool frequenciesValid = false;

    std::string TXFreq;
    std::string RXFreq;
    std::uint8_t MonitorMode = 0;  // the byte itself; non-zero means Override Carrier
    std::string MorseCodeID;       // empty when no identifier is sent
    float IDTXInterval = 0.0f;
    std::array<std::uint8_t, 2> MKSlot{};
    std::uint8_t PTTExtEnc = 0;
    bool encodePolarityEnabled = false;
    bool decodePolarityEnabled = false;
    std::optional<float> CustomMKFreq;  // nothing when a divider byte is zero
    bool MKEncodewID = false;
    float TXTimeOutTimer = 0.0f;
    float TXHangTime = 0.0f;
    float SqlTailMuteTime = 0.0f;
};

DecodedImage DecodeImage(const ImageBuffer& image, bool Step5kHz);

// The times as shown, from their bytes: minutes or seconds to one decimal. A time of up to 3 s
// in minutes shows as 0.1, since 0 means off (255, 255 for the time-out, no identifier).
float ShownIdInterval(std::uint8_t hi, std::uint8_t lo);
float ShownTimeOut(std::uint8_t hi, std::uint8_t lo);
float ShownSeconds(std::uint8_t ticks);

}  // namespace tarvex
