#include "cli/console_progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace tarvex::cli {
namespace {

constexpr std::size_t kDefaultColumns = 80;
constexpr std::size_t kLongestBar = 30;
constexpr std::size_t kShortestBar = 10;
constexpr int kPlainStep = 10;  // percent between plain lines

std::string StatusText(const ScreenModel& screen) {
    const auto& panels = screen.StatusBar1.panels;
    return panels.empty() ? std::string() : panels.front();
}

}  // namespace

std::size_t TerminalColumns(int fd) {
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    const char* columns = std::getenv("COLUMNS");
    const long fromEnvironment = columns != nullptr ? std::strtol(columns, nullptr, 10) : 0;
    return fromEnvironment > 0 ? static_cast<std::size_t>(fromEnvironment) : kDefaultColumns;
}

void ConsoleProgress::Sleep(std::chrono::milliseconds duration) {
    sleeper_.Sleep(duration);
    Show();
}

void ConsoleProgress::Finish(bool succeeded) {
    if (succeeded && !title_.empty()) {
        Draw(100);
    }
    if (barOpen_) {
        err_ << '\n' << std::flush;
        barOpen_ = false;
    }
    shown_.clear();
}

void ConsoleProgress::Show() {
    if (!screen_.FrameStatus.visible) {
        return;
    }
    title_ = screen_.LabelStatus.caption + ": " + StatusText(screen_);
    Draw(std::clamp(screen_.StatusBar.value, 0, 100));
}

void ConsoleProgress::Draw(int percent) {
    if (!terminal_) {
        const std::string line =
            title_ + " " + std::to_string(percent / kPlainStep * kPlainStep) + "%";
        if (line != shown_) {
            err_ << line << '\n';
            shown_ = line;
        }
        return;
    }
    // The last column stays free: writing there makes some terminals wrap.
    const std::size_t width = std::max<std::size_t>(columns_, 2) - 1;
    const std::size_t bar = std::clamp(width / 4, kShortestBar, kLongestBar);
    const auto filled = static_cast<std::size_t>(percent) * bar / 100;
    std::string line = "[" + std::string(filled, '#') + std::string(bar - filled, ' ') + "] " +
                       std::to_string(percent) + "% " + title_;
    line.resize(std::min(line.size(), width));
    if (line != shown_) {
        // Blank out the rest of a longer previous line.
        const std::size_t tail = shown_.size() > line.size() ? shown_.size() - line.size() : 0;
        err_ << '\r' << line << std::string(tail, ' ') << std::flush;
        shown_ = line;
        barOpen_ = true;
    }
}

}  // namespace tarvex::cli
