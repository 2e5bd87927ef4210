#include "files/file_select.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "codec/number_text.h"

namespace tarvex {
namespace {

// An absolute path without "." or ".." parts and without a trailing "/", except for the root.
std::string NormalPath(std::string_view path) {
    std::string text(path);
    if (!text.starts_with('/')) {
        text.insert(0, "/");
    }
    text = std::filesystem::path(text).lexically_normal().string();
    while (text.size() > 1 && text.ends_with('/')) {
        text.pop_back();
    }
    return text;
}

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

bool IsWithin(const std::string& path, const std::string& volume) {
    return volume == "/" || path == volume || path.starts_with(volume + "/");
}

// Letters in either case sort together, then by their bytes so the order is total.
bool NameBefore(const std::string& a, const std::string& b) {
    const std::string upperA = UpperCase(a);
    const std::string upperB = UpperCase(b);
    return upperA != upperB ? upperA < upperB : a < b;
}

// Hidden names (starting with ".") are not listed, as the system's own dialogs do not list them.
std::vector<std::string> Listed(std::vector<std::string> names) {
    std::erase_if(names, [](const std::string& name) { return name.starts_with('.'); });
    std::sort(names.begin(), names.end(), NameBefore);
    return names;
}

bool GlobMatches(std::string_view name, std::string_view glob) {
    std::size_t n = 0;
    std::size_t g = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (g < glob.size() && (glob[g] == '?' || UpperCase(glob[g]) == UpperCase(name[n]))) {
            ++n;
            ++g;
        } else if (g < glob.size() && glob[g] == '*') {
            starAt = g++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            g = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == '*') {
        ++g;
    }
    return g == glob.size();
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

template <typename T>
bool IsRow(const std::vector<T>& rows, int row) {
    return row >= 0 && row < static_cast<int>(rows.size());
}

}  // namespace

std::string JoinPath(std::string_view dir, std::string_view name) {
    std::string path(dir);
    if (!path.ends_with('/')) {
        path += '/';
    }
    return path += name;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern.find_first_not_of(' ') == std::string_view::npos) {
        return true;
    }
    while (true) {
        const std::size_t end = pattern.find(';');
        std::string_view glob = pattern.substr(0, end);
        const std::size_t first = glob.find_first_not_of(' ');
        if (first != std::string_view::npos) {
            glob = glob.substr(first, glob.find_last_not_of(' ') - first + 1);
            if (GlobMatches(name, glob)) {
                return true;
            }
        }
        if (end == std::string_view::npos) {
            return false;
        }
        pattern.remove_prefix(end + 1);
    }
}

frmFileSelect::frmFileSelect(FileSystemBrowser& files, UserInterface& ui, TwipRect screenArea,
                             std::string startDirectory, RunDialog run)
    : files_(files), ui_(ui), screen_(screenArea), run_(std::move(run)) {
    controls_.Dir1Path = NormalPath(startDirectory);
}

std::string frmFileSelect::selectFile(std::string_view title, std::string_view pattern) {
    if (waiting_) {
        // Answering both uses with one choice could save over the file another command reads.
        ui_.Beep();
        return {};
    }
    FilePattern_ = std::string(pattern);
    controls_.caption = std::string(title);
    PlaceForUse();
    controls_.File1Pattern = FilePattern_;
    RefreshDrives();
    SetDirectory(ExistingDirectory(controls_.Dir1Path));

    controls_.visible = true;
    DialogDone_ = false;
    waiting_ = true;
    try {
        if (run_) {
            run_(*this);
        }
    } catch (...) {
        // The window's loop failed; nobody chose a file.
    }
    waiting_ = false;
    if (!DialogDone_) {
        cmdCancel_Click();
    }
    controls_.visible = false;
    return SelectedPath_;
}

std::string frmFileSelect::selectFileIn(std::string_view title, std::string_view pattern,
                                        const std::string& folder,
                                        const std::vector<std::string>& listedFirst) {
    if (waiting_) {
        return selectFile(title, pattern);  // refused there
    }
    const bool wasLoaded = loaded_;
    const std::string directory = controls_.Dir1Path;
    const std::string name = controls_.txtCurrFile;
    controls_.Dir1Path = listedFirstIn_ = NormalPath(folder);
    listedFirst_ = listedFirst;
    std::string chosen = selectFile(title, pattern);
    listedFirstIn_.clear();
    listedFirst_.clear();
    controls_.Dir1Path = directory;
    controls_.txtCurrFile = wasLoaded ? name : FilePattern_;
    return chosen;
}

void frmFileSelect::Form_Load() {
    SelectedPath_ = FilePattern_;
    controls_.File1Pattern = FilePattern_;
    controls_.txtCurrFile = FilePattern_;
    TwipRect& at = controls_.position;
    at.left = screen_.left + (screen_.width - at.width) / 2;
    at.top = screen_.top + (screen_.height - at.height) / 2;
    loaded_ = true;
}

void frmFileSelect::PlaceForUse() {
    if (!loaded_) {
        Form_Load();
        return;
    }
    // Each later use moves the dialog on, but never past the screen's edge.
    TwipRect& at = controls_.position;
    at.left =
        Clamp(at.left + kFileSelectStep, screen_.left, screen_.left + screen_.width - at.width);
    at.top = Clamp(at.top + kFileSelectStep, screen_.top, screen_.top + screen_.height - at.height);
}

void frmFileSelect::Drive1_Change(int row) {
    if (!IsRow(controls_.Drive1Rows, row)) {
        return;
    }
    const std::string& volume = controls_.Drive1Rows[row];
    const auto last = lastDirectoryOn_.find(volume);
    const std::string& dir = last == lastDirectoryOn_.end() ? volume : last->second;
    SetDirectory(ExistingDirectory(IsWithin(dir, volume) ? dir : volume));
}

void frmFileSelect::Dir1_Change(int row) {
    if (IsRow(controls_.Dir1Rows, row)) {
        SetDirectory(ExistingDirectory(controls_.Dir1Rows[row].path));
    }
}

void frmFileSelect::File1_Click(int row) {
    if (!IsRow(controls_.File1Rows, row)) {
        return;
    }
    controls_.File1Row = row;
    SelectedPath_ = JoinPath(controls_.Dir1Path, controls_.File1Rows[row]);
    controls_.txtCurrFile = controls_.File1Rows[row];
}

void frmFileSelect::File1_DblClick(int row) {
    if (!IsRow(controls_.File1Rows, row)) {
        return;
    }
    controls_.File1Row = row;
    SelectedPath_ = JoinPath(controls_.Dir1Path, controls_.File1Rows[row]);
    DialogDone_ = true;
}

void frmFileSelect::txtCurrFile_Change(std::string text) {
    controls_.txtCurrFile = std::move(text);
}

void frmFileSelect::cmdOk_Click() {
    const std::string& name = controls_.txtCurrFile;
    // The untouched pattern is no name; neither is an empty box, which would name the directory.
    if (name == FilePattern_ || name.find_first_not_of(' ') == std::string::npos) {
        ui_.Beep();
        return;
    }
    SelectedPath_ = JoinPath(controls_.Dir1Path, name);
    DialogDone_ = true;
}

void frmFileSelect::cmdCancel_Click() {
    SelectedPath_.clear();
    DialogDone_ = true;
}

void frmFileSelect::Form_QueryUnload() {
    cmdCancel_Click();
}

void frmFileSelect::Form_Moved(int left, int top) {
    controls_.position.left = left;
    controls_.position.top = top;
}

void frmFileSelect::RefreshDrives() {
    controls_.Drive1Rows = files_.Volumes();
    if (std::find(controls_.Drive1Rows.begin(), controls_.Drive1Rows.end(), "/") ==
        controls_.Drive1Rows.end()) {
        controls_.Drive1Rows.insert(controls_.Drive1Rows.begin(), "/");
    }
}

void frmFileSelect::SetDirectory(const std::string& path) {
    controls_.Dir1Path = path;
    std::vector<DirectoryRow>& rows = controls_.Dir1Rows;
    rows.clear();
    for (std::string at = path;; at = ParentOf(at)) {
        const std::string caption = at == "/" ? at : at.substr(at.find_last_of('/') + 1);
        rows.insert(rows.begin(), {caption, at, 0, true});
        if (at == "/") {
            break;
        }
    }
    const int depth = static_cast<int>(rows.size());
    for (int i = 0; i < depth; ++i) {
        rows[i].depth = i;
    }
    for (const std::string& name : Listed(files_.Subdirectories(path))) {
        rows.push_back({name, JoinPath(path, name), depth, false});
    }

    const std::string volume = VolumeOf(path);
    lastDirectoryOn_[volume] = path;
    const auto& drives = controls_.Drive1Rows;
    controls_.Drive1Row =
        static_cast<int>(std::find(drives.begin(), drives.end(), volume) - drives.begin());
    RefreshFiles();
}

void frmFileSelect::RefreshFiles() {
    std::vector<std::string> names = Listed(files_.Files(controls_.Dir1Path));
    std::erase_if(names, [this](const std::string& name) {
        return !MatchesPattern(name, controls_.File1Pattern);
    });
    if (controls_.Dir1Path == listedFirstIn_) {
        std::vector<std::string> ordered;
        for (const std::string& name : listedFirst_) {
            if (std::find(names.begin(), names.end(), name) != names.end()) {
                ordered.push_back(name);
            }
        }
        for (std::string& name : names) {
            if (std::find(listedFirst_.begin(), listedFirst_.end(), name) == listedFirst_.end()) {
                ordered.push_back(std::move(name));
            }
        }
        names = std::move(ordered);
    }
    controls_.File1Rows = std::move(names);
    controls_.File1Row = kNoRow;
}

std::string frmFileSelect::VolumeOf(const std::string& path) const {
    std::string best = "/";
    for (const std::string& volume : controls_.Drive1Rows) {
        if (IsWithin(path, volume) && volume.size() > best.size()) {
            best = volume;
        }
    }
    return best;
}

// A directory that was removed or unmounted since it was shown gives way to the nearest one above
// it that still exists.
std::string frmFileSelect::ExistingDirectory(std::string path) {
    path = NormalPath(path);
    while (path != "/" && !files_.IsDirectory(path)) {
        path = ParentOf(path);
    }
    return path;
}

}  // namespace tarvex
