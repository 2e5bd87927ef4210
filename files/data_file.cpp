#include "files/data_file.h"
#include "files/failure_reason.h"
#include "files/file_writer.h"
#include "files/system_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <exception>
#include <string>
#include <system_error>
#include <utility>

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using data_file::kFirmwareVersion;
using data_file::kImage;
using data_file::kImageLength;
using data_file::kMagic;
using data_file::kModelCode;
using data_file::kModelName;
using data_file::kReserved;

// ---- byte layout ---------------------------------------------------------------------------

void PutText(DataFileBytes& bytes, DataFileField field, std::string_view text) {
    for (std::size_t i = 0; i < field.size; ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        bytes[field.offset + i] = static_cast<std::uint8_t>(c);
    }
}

std::string GetText(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size) {
    std::string text(size, ' ');
    for (std::size_t i = 0; i < size; ++i) {
        text[i] = static_cast<char>(bytes[offset + i]);
    }
    return text;
}

void PutLittleEndian(DataFileBytes& bytes, DataFileField field, std::uint32_t value) {
    for (std::size_t i = 0; i < field.size; ++i) {
        bytes[field.offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFu);
    }
}

std::uint32_t GetLittleEndian(std::span<const std::uint8_t, kDataFileSize> bytes,
                              DataFileField field) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < field.size; ++i) {
        value |= static_cast<std::uint32_t>(bytes[field.offset + i]) << (8 * i);
    }
    return value;
}

std::string WithoutTrailingBlanks(std::string text) {
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

// ---- reading ------------------------------------------------------------------------------

// What a file holds, gathered completely before any global changes.
struct LoadedFile {
    std::array<std::uint8_t, kImageBufferSize> image{};
    std::size_t imageCount = 0;  // 512 for version 4, the whole buffer for version 3
    std::uint8_t ModelCode = 0;
    std::string ModelName;
    float FirmwareVersion = 0.0f;
    bool hasRecord = false;
    DataFileRec record;
};

// The buffer that every read goes through: large enough for the longest version-3 file and one
// byte more, to notice a longer one.
using ReadBuffer = std::array<std::uint8_t, data_file::kVersion3MaxFileSize + 1>;

std::string TooShortReason(std::size_t count, std::size_t needed) {
    return "the file holds " + std::to_string(count) + " bytes; this kind of data file needs " +
           std::to_string(needed);
}

// The length of the whole file, for a reason: counting it by reading could take very long.
std::size_t FileLength(int fd, std::size_t counted) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? static_cast<std::size_t>(status.st_size) : counted;
}

bool LoadVersion4(int fd, ReadBuffer& buffer, LoadedFile& loaded, std::string* reason) {
    // One byte more than the record, to notice anything after it.
    const std::span<std::uint8_t> rest(buffer.data() + data_file::kTagLength,
                                       kDataFileSize + 1 - data_file::kTagLength);
    const ReadResult got = ReadUpTo(fd, rest);
    if (got.error != 0) {
        SetReason(reason, SystemMessage(got.error));
        return false;
    }
    const std::size_t total = data_file::kTagLength + got.count;
    if (total != kDataFileSize) {
        SetReason(reason, "the file holds " + std::to_string(FileLength(fd, total)) +
                              " bytes; this kind of data file holds " +
                              std::to_string(kDataFileSize));
        return false;
    }
    loaded.record =
        ParseDataFileV4(std::span<const std::uint8_t, kDataFileSize>(buffer.data(), kDataFileSize));
    loaded.hasRecord = true;
    std::copy_n(loaded.record.Image.begin(), kImageSize, loaded.image.begin());
    loaded.imageCount = kImageSize;
    loaded.ModelCode = loaded.record.ModelCode;
    loaded.ModelName = WithoutTrailingBlanks(loaded.record.ModelName);
    loaded.FirmwareVersion = loaded.record.FirmwareVersion;
    return true;
}

bool LoadVersion3(int fd, ReadBuffer& buffer, LoadedFile& loaded, std::string* reason) {
    const std::span<std::uint8_t> rest(buffer.data() + data_file::kTagLength,
                                       buffer.size() - data_file::kTagLength);
    const ReadResult got = ReadUpTo(fd, rest);
    if (got.error != 0) {
        SetReason(reason, SystemMessage(got.error));
        return false;
    }
    const std::size_t total = data_file::kTagLength + got.count;
    if (total < data_file::kVersion3MinFileSize) {
        SetReason(reason, TooShortReason(total, data_file::kVersion3MinFileSize));
        return false;
    }
    if (total > data_file::kVersion3MaxFileSize) {
        SetReason(reason, "the file is longer than " +
                              std::to_string(data_file::kVersion3MaxFileSize) +
                              " bytes; an old-style data file with a model name of at most " +
                              std::to_string(data_file::kVersion3MaxModelNameLength) +
                              " characters is never that long");
        return false;
    }
    const std::size_t imageOffset = total - kImageBufferSize;
    loaded.ModelCode = buffer[data_file::kVersion3ModelCode];
    // Blanks at the end are padding in the newer layout, which every save writes; without them
    // here too, the name shown now is the name shown after a save and a reopening.
    loaded.ModelName = WithoutTrailingBlanks(GetText(buffer, data_file::kVersion3ModelName,
                                                     imageOffset - data_file::kVersion3ModelName));
    std::copy_n(buffer.begin() + static_cast<std::ptrdiff_t>(imageOffset), kImageBufferSize,
                loaded.image.begin());
    loaded.imageCount = kImageBufferSize;
    loaded.FirmwareVersion = loaded.ModelCode == data_file::kOldFirmwareModelCode
                                 ? data_file::kOldModelFirmwareVersion
                                 : data_file::kDefaultVersion3FirmwareVersion;
    return true;
}

void ShowInvalidDataFile(UserInterface& ui) {
    ui.ShowMessage({"Invalid Data File",
                    "This doesn't appear to be a valid Radio data file...Please try again.",
                    MessageIcon::Critical, MessageButtons::Ok});
}

// Nothing in here can fail, so the state changes all together or not at all.
void Apply(ProgramState& state, LoadedFile& loaded) noexcept {
    if (loaded.hasRecord) {
        state.FileInRec = std::move(loaded.record);
    }
    std::copy_n(loaded.image.begin(), loaded.imageCount, state.RadioData.begin());
    state.ModelCode = loaded.ModelCode;
    state.ModelName = std::move(loaded.ModelName);
    state.FirmwareVersion = loaded.FirmwareVersion;
    if (state.ModelCode == kZpt410ModelCode) {
        state.AddrMapCode = kMappedAddrMapCode;
    }
}

bool ReadDataFileUnguarded(ProgramState& state, const fs::path& path, UserInterface& ui,
                           std::string* reason) {
    std::string failure;
    FileDescriptor file = OpenRegularFileForReading(path, failure);
    if (!file.valid()) {
        SetReason(reason, failure);
        return false;
    }
    ReadBuffer buffer{};
    const ReadResult tag =
        ReadUpTo(file.get(), std::span<std::uint8_t>(buffer.data(), data_file::kTagLength));
    if (tag.error != 0) {
        SetReason(reason, SystemMessage(tag.error));
        return false;
    }
    const std::string_view tagText(reinterpret_cast<const char*>(buffer.data()), tag.count);
    LoadedFile loaded;
    bool complete = false;
    if (tagText == data_file::kVersion4Tag) {
        complete = LoadVersion4(file.get(), buffer, loaded, reason);
    } else if (tagText == data_file::kVersion3Tag) {
        complete = LoadVersion3(file.get(), buffer, loaded, reason);
    } else {
        SetReason(reason, "the file does not start with a data file tag");
        file.Close();
        ShowInvalidDataFile(ui);
        return false;
    }
    if (!complete) {
        return false;
    }
    Apply(state, loaded);
    return true;
}

// Stamps the record as version 4 and writes it safely.
bool WriteVersion4(DataFileRec& record, const fs::path& path, std::string* reason) {
    record.Magic = std::string(data_file::kVersion4Magic);
    record.Reserved.fill(0);
    record.Image[kImageSize] = 0;  // the spare index carries nothing
    const DataFileBytes bytes = SerializeDataFile(record);
    return WriteWholeFile(path, bytes, reason);
}

}  // namespace

DataFileBytes SerializeDataFile(const DataFileRec& record) {
    DataFileBytes bytes{};
    PutText(bytes, kMagic, record.Magic);
    bytes[kModelCode.offset] = record.ModelCode;
    PutText(bytes, kModelName, record.ModelName);
    PutLittleEndian(bytes, kFirmwareVersion, std::bit_cast<std::uint32_t>(record.FirmwareVersion));
    std::copy(record.Reserved.begin(), record.Reserved.end(), bytes.begin() + kReserved.offset);
    PutLittleEndian(bytes, kImageLength, std::bit_cast<std::uint16_t>(record.ImageLength));
    std::copy(record.Image.begin(), record.Image.end(), bytes.begin() + kImage.offset);
    return bytes;
}

DataFileRec ParseDataFileV4(std::span<const std::uint8_t, kDataFileSize> bytes) {
    DataFileRec record;
    record.Magic = GetText(bytes, kMagic.offset, kMagic.size);
    record.ModelCode = bytes[kModelCode.offset];
    record.ModelName = GetText(bytes, kModelName.offset, kModelName.size);
    record.FirmwareVersion = std::bit_cast<float>(GetLittleEndian(bytes, kFirmwareVersion));
    std::copy_n(bytes.begin() + kReserved.offset, kReserved.size, record.Reserved.begin());
    record.ImageLength = std::bit_cast<std::int16_t>(
        static_cast<std::uint16_t>(GetLittleEndian(bytes, kImageLength)));
    std::copy_n(bytes.begin() + kImage.offset, kImage.size, record.Image.begin());
    return record;
}

bool WriteDataFileRecord(DataFileRec record, const std::filesystem::path& path,
                         std::string* reason) {
    return WriteVersion4(record, path, reason);
}

bool WriteDataFile(ProgramState& state, const std::filesystem::path& path, std::string* reason) {
    return WriteVersion4(state.FileOutRec, path, reason);
}

bool ReadDataFile(ProgramState& state, const std::filesystem::path& path, UserInterface& ui,
                  std::string* reason) {
    try {
        return ReadDataFileUnguarded(state, path, ui, reason);
    } catch (const std::exception& error) {
        SetReason(reason, error.what());
    } catch (...) {
        SetReason(reason, "unexpected failure while reading the data file");
    }
    return false;
}

}  // namespace tarvex
