#include "cli/console_progress.h"

#include <algorithm>

namespace tarvex::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr int kPlainStep = 10;  // percent between plain lines

std::string StatusText(const ScreenModel& screen) {
    const auto& panels = screen.StatusBar1.panels;
    return panels.empty() ? std::string() : panels.front();
}

}  // namespace

ConsoleProgress::~ConsoleProgress() {
    if (barOpen_) {
        err_ << '\n';
    }
}

void ConsoleProgress::Sleep(std::chrono::milliseconds duration) {
    sleeper_.Sleep(duration);
    Show();
}

void ConsoleProgress::Show() {
    if (!screen_.FrameStatus.visible) {
        return;
    }
    const int percent = std::clamp(screen_.StatusBar.value, 0, 100);
    const std::string title = screen_.LabelStatus.caption + ": " + StatusText(screen_);
    if (terminal_) {
        const int filled = percent * kBarWidth / 100;
        const std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                                 std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') +
                                 "] " + std::to_string(percent) + "% " + title;
        if (line != shown_) {
            // Blank out the rest of a longer previous line.
            const std::size_t tail = shown_.size() > line.size() ? shown_.size() - line.size() : 0;
            err_ << line << std::string(tail, ' ') << std::flush;
            shown_ = line;
            barOpen_ = true;
        }
        return;
    }
    const std::string line = title + " " + std::to_string(percent / kPlainStep * kPlainStep) + "%";
    if (line != shown_) {
        err_ << line << '\n';
        shown_ = line;
    }
}

}  // namespace tarvex::cli
