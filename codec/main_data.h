#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvex {

// One repeater's settings, the hub between the screen, the image and the report.
// Texts are single-byte: a character's code is its byte value in the image.
struct MainDataRec {
    std::int32_t ModelCode = 0;
    std::string TXFreq;
    std::string RXFreq;
    std::array<std::uint8_t, 2> MKSlot{};  // slot 1, slot 2: rows of the slot lists
    std::uint8_t PTTExtEnc = 0;            // row of the PTT/EXT list
    float CustomMKFreq = 0.0f;             // Hz
    std::string MorseCodeID;
    float IDTXInterval = 0.0f;  // minutes, 0 = no identifier
    bool MKEncodewID = false;
    float TXTimeOutTimer = 0.0f;   // minutes, 0 = off
    float TXHangTime = 0.0f;       // seconds
    float SqlTailMuteTime = 0.0f;  // seconds
    std::uint8_t MonitorMode = 0;  // 0 = Override Tone, non-zero = Override Carrier
    std::string FirmwareText;
    std::string CustID;

    friend bool operator==(const MainDataRec&, const MainDataRec&) = default;
};

}  // namespace tarvex
