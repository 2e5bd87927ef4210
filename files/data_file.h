#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "codec/program_state.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::size_t kDataFileSize = 561;

// One field of the data file: where it starts and how many bytes it takes.
struct DataFileField {
    std::size_t offset;
    std::size_t size;
    constexpr std::size_t end() const { return offset + size; }
};

// The version-4 data file as it lies on disk: the record's fields back to back, no padding,
// numbers little-endian whatever the host.
namespace data_file {

inline constexpr DataFileField kMagic{0, kMagicLength};
inline constexpr DataFileField kModelCode{10, 1};
inline constexpr DataFileField kModelName{11, kModelNameLength};
inline constexpr DataFileField kFirmwareVersion{29, 4};  // IEEE 754 single
inline constexpr DataFileField kReserved{33, kReservedLength};
inline constexpr DataFileField kImageLength{46, 2};  // signed 16-bit
inline constexpr DataFileField kImage{48, kImageBufferSize};

static_assert(kModelCode.offset == kMagic.end());
static_assert(kModelName.offset == kModelCode.end());
static_assert(kFirmwareVersion.offset == kModelName.end());
static_assert(kReserved.offset == kFirmwareVersion.end());
static_assert(kImageLength.offset == kReserved.end());
static_assert(kImage.offset == kImageLength.end());
static_assert(kImage.end() == kDataFileSize);

// Only the first five bytes tell the versions apart.
inline constexpr std::size_t kTagLength = 5;
inline constexpr std::string_view kVersion4Tag = "QMTF4";
inline constexpr std::string_view kVersion3Tag = "QMTF3";
inline constexpr std::string_view kVersion4Magic = "QMTF4     ";
static_assert(kVersion4Magic.size() == kMagicLength);

// Version 3 (read only): tag, model code byte, a model name of unrecorded length, then the whole
// 513-byte image buffer. The image is taken as the file's last 513 bytes; the name is what lies
// between. Names longer than this are refused.
inline constexpr std::size_t kVersion3ModelCode = 5;
inline constexpr std::size_t kVersion3ModelName = 6;
inline constexpr std::size_t kVersion3MaxModelNameLength = 255;
inline constexpr std::size_t kVersion3MinFileSize = kVersion3ModelName + kImageBufferSize;
inline constexpr std::size_t kVersion3MaxFileSize =
    kVersion3MinFileSize + kVersion3MaxModelNameLength;

inline constexpr std::uint8_t kOldFirmwareModelCode = 7;
inline constexpr float kOldModelFirmwareVersion = 4.6f;
inline constexpr float kDefaultVersion3FirmwareVersion = 6.01f;

}  // namespace data_file

using DataFileBytes = std::array<std::uint8_t, kDataFileSize>;

// The record's 561 bytes. Texts are blank padded or cut to their field's width.
DataFileBytes SerializeDataFile(const DataFileRec& record);

// The record held by a version-4 file's first 561 bytes; texts keep their full field width.
DataFileRec ParseDataFileV4(std::span<const std::uint8_t, kDataFileSize> bytes);

// Stamps state.FileOutRec with the version-4 magic and zero reserved bytes and writes it to path
// with WriteWholeFile. On failure, reason (when given) receives the system's explanation.
bool WriteDataFile(ProgramState& state, const std::filesystem::path& path,
                   std::string* reason = nullptr);

// Writes record as a version-4 data file in the same way, stamped with the magic and zero
// reserved bytes; nothing else of the state is touched.
bool WriteDataFileRecord(DataFileRec record, const std::filesystem::path& path,
                         std::string* reason = nullptr);

// Reads a version-4 or version-3 data file into RadioData and the identity globals. The whole
// file is checked before anything changes: on false, the state is as it was. A file that is not
// a data file at all gets the "Invalid Data File" box; other failures show nothing and leave their
// explanation in reason.
bool ReadDataFile(ProgramState& state, const std::filesystem::path& path, UserInterface& ui,
                  std::string* reason = nullptr);

}  // namespace tarvex
