#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/main_data.h"

namespace tarvex {

// The repeater holds 128 bytes; the program keeps 512 (what data files store) plus one spare
// index that nothing fills.
inline constexpr std::size_t kImageBufferSize = 513;
inline constexpr std::size_t kImageSize = 512;
inline constexpr std::size_t kRepeaterMemorySize = 128;
using ImageBuffer = std::array<std::uint8_t, kImageBufferSize>;

inline constexpr std::uint8_t kZpt410ModelCode = 20;
inline constexpr std::string_view kZpt410ModelName = "ZPT-410";
inline constexpr std::int16_t kMappedAddrMapCode = 170;  // 0xAA: memory map known

inline constexpr std::size_t kMagicLength = 10;
inline constexpr std::size_t kModelNameLength = 18;
inline constexpr std::size_t kReservedLength = 13;

// The data file record as values; files/ knows how it lies on disk.
struct DataFileRec {
    std::string Magic;  // kMagicLength characters once written
    std::uint8_t ModelCode = 0;
    std::string ModelName;  // kModelNameLength characters, blank padded
    float FirmwareVersion = 0.0f;
    std::array<std::uint8_t, kReservedLength> Reserved{};
    std::int16_t ImageLength = 0;
    ImageBuffer Image{};

    friend bool operator==(const DataFileRec&, const DataFileRec&) = default;
};

// The identity that travels with an image: of the repeater last read or of the loaded file.
struct RadioIdentity {
    std::uint8_t ModelCode = kZpt410ModelCode;
    std::string ModelName;
    float FirmwareVersion = 0.0f;
    std::int16_t AddrMapCode = 0;
};

// The program-wide state: one instance for the whole run, passed by reference.
struct ProgramState {
    MainDataRec MainData;
    ImageBuffer RadioData{};
    ImageBuffer OutData{};
    std::uint8_t ModelCode = kZpt410ModelCode;
    std::string ModelName;
    float FirmwareVersion = 0.0f;
    std::int16_t AddrMapCode = 0;
    std::int16_t FreqLowerMHz = 400;
    std::int16_t FreqUpperMHz = 512;
    bool Step5kHz = false;  // false: 12.5 kHz raster
    std::int16_t ComPort = 1;
    // A device chosen by its path (in the Com Port menu or the port prompt, or kept in
    // config.txt) that stands in for ComPort's own; empty when ComPort's own device is used.
    std::string ComDevice;
    std::string RxBuffer;
    std::int16_t ProgAddr = 0;
    bool FileCancelled = false;
    DataFileRec FileOutRec;
    DataFileRec FileInRec;

    RadioIdentity Identity() const { return {ModelCode, ModelName, FirmwareVersion, AddrMapCode}; }
};

}  // namespace tarvex
