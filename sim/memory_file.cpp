#include "sim/memory_file.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>

#include "files/data_file.h"
#include "files/failure_reason.h"
#include "files/file_writer.h"
#include "files/system_file.h"

namespace tarvex::sim {
namespace {

// Larger than any data file; anything bigger is not one of ours.
constexpr std::size_t kLargestFile = 64 * 1024;

// ReadDataFile reports a file that is not a data file with a message box; here that becomes the
// reason.
class ReasonCollectingUserInterface final : public UserInterface {
  public:
    MessageResult ShowMessage(const MessageBox& box) override {
        text += box.text;
        return MessageResult::Ok;
    }
    void Beep() override {}
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    void SetFocus(std::string_view, int) override {}

    std::string text;
};

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                       std::string* reason) {
    std::string failure;
    const std::optional<std::string> content = ReadRegularFile(path, kLargestFile, failure);
    if (!content) {
        SetReason(reason, failure);
        return std::nullopt;
    }
    if (content->size() > kLargestFile) {
        SetReason(reason, "the file is far larger than any repeater image or data file");
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(content->begin(), content->end());
}

// Where a data file keeps image byte 0: after the version-4 header, or the last 513 bytes of a
// version-3 file (how the reader takes it).
std::size_t DataFileImageOffset(const std::vector<std::uint8_t>& bytes) {
    const std::string_view tag(reinterpret_cast<const char*>(bytes.data()),
                               std::min(bytes.size(), data_file::kTagLength));
    return tag == data_file::kVersion4Tag ? data_file::kImage.offset
                                          : bytes.size() - kImageBufferSize;
}

std::optional<std::size_t> LocateMemory(const std::filesystem::path& path,
                                        const std::vector<std::uint8_t>& bytes,
                                        MemoryFileFormat format, std::string* reason) {
    if (format == MemoryFileFormat::Raw) {
        if (bytes.size() != kRepeaterMemorySize) {
            SetReason(reason, "a raw image holds exactly " + std::to_string(kRepeaterMemorySize) +
                                  " bytes; this file holds " + std::to_string(bytes.size()));
            return std::nullopt;
        }
        return 0;
    }
    ProgramState state;
    ReasonCollectingUserInterface ui;
    std::string readReason;
    if (!ReadDataFile(state, path, ui, &readReason)) {
        SetReason(reason, ui.text.empty() ? readReason : ui.text);
        return std::nullopt;
    }
    const std::size_t offset = DataFileImageOffset(bytes);
    if (!std::equal(state.RadioData.begin(), state.RadioData.begin() + kRepeaterMemorySize,
                    bytes.begin() + static_cast<std::ptrdiff_t>(offset))) {
        SetReason(reason, "the file changed while it was being read");
        return std::nullopt;
    }
    return offset;
}

}  // namespace

MemoryFile::MemoryFile(std::filesystem::path path, std::vector<std::uint8_t> bytes,
                       std::size_t offset)
    : path_(std::move(path)), bytes_(std::move(bytes)), memoryOffset_(offset) {
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(memoryOffset_), memory_.size(),
                memory_.begin());
}

std::optional<MemoryFile> MemoryFile::Load(const std::filesystem::path& path,
                                           MemoryFileFormat format, std::string* reason) {
    try {
        std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path, reason);
        if (!bytes) {
            return std::nullopt;
        }
        const std::optional<std::size_t> offset = LocateMemory(path, *bytes, format, reason);
        if (!offset) {
            return std::nullopt;
        }
        return MemoryFile(path, std::move(*bytes), *offset);
    } catch (const std::exception& error) {
        SetReason(reason, error.what());
        return std::nullopt;
    }
}

bool MemoryFile::Save(const RepeaterMemory& memory, std::string* reason) {
    try {
        std::vector<std::uint8_t> updated = bytes_;
        std::copy(memory.begin(), memory.end(),
                  updated.begin() + static_cast<std::ptrdiff_t>(memoryOffset_));
        if (!WriteWholeFile(path_, updated, reason)) {
            return false;
        }
        bytes_ = std::move(updated);
        memory_ = memory;
        return true;
    } catch (const std::exception& error) {
        SetReason(reason, error.what());
        return false;
    }
}

}  // namespace tarvex::sim
