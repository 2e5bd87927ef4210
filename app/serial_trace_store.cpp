#include "app/serial_trace_store.h"

#include <cstdint>
#include <span>

#include "app/file_menu.h"
#include "files/file_writer.h"

namespace tarvex {

SerialTrace& SerialTraceStore::Begin(std::chrono::steady_clock::time_point start) {
    traces_.emplace_back(start);
    while (traces_.size() > capacity_ && traces_.size() > 1) {
        traces_.pop_front();
    }
    return traces_.back();
}

std::string SerialTraceStore::Text(const ProgramVersion& version) const {
    std::string text = "# " + WindowTitle(version) + " serial trace\n";
    for (std::size_t n = 0; n < traces_.size(); ++n) {
        text += "# command " + std::to_string(n + 1) + "\n" + traces_[n].Text();
    }
    return text;
}

bool SerialTraceStore::Save(const std::filesystem::path& path, const ProgramVersion& version,
                            std::string* reason) const {
    const std::string text = Text(version);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return WriteWholeFile(path, std::span<const std::uint8_t>(bytes, text.size()), reason);
}

bool SaveSerialTraceCommand(const SerialTraceStore& traces, UserInterface& ui,
                            FileChooser& chooser) {
    std::string path = chooser.selectFile(kSelectTraceFileTitle, kTraceFilePattern);
    if (path.empty()) {
        return false;
    }
    if (!path.ends_with(kTraceFileExtension)) {
        path += kTraceFileExtension;
    }
    std::string reason;
    if (!traces.Save(path, BuildVersion(), &reason)) {
        ShowFileSystemError(ui, kErrorSavingTrace, reason);
        return false;
    }
    return true;
}

}  // namespace tarvex
