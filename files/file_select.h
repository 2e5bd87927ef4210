#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "editor/screen_model.h"
#include "files/file_system_browser.h"
#include "services/file_chooser.h"
#include "services/user_interface.h"

namespace tarvex {

// Layout of the file-selection dialog, in twips inside its 4530 x 3360 inner area.
inline constexpr int kFileSelectInnerWidth = 4530;
inline constexpr int kFileSelectInnerHeight = 3360;
inline constexpr TwipRect kFile1Position{60, 30, 2175, 2430};
inline constexpr TwipRect kDrive1Position{2295, 75, 2175, 315};
inline constexpr TwipRect kDir1Position{2295, 525, 2175, 1890};
inline constexpr TwipRect kTxtCurrFilePosition{90, 2505, 4365, 285};
inline constexpr TwipRect kCmdOkPosition{105, 2880, 2085, 435};
inline constexpr TwipRect kCmdCancelPosition{2355, 2880, 2085, 435};
inline constexpr std::string_view kCmdOkCaption = "&OK";
inline constexpr std::string_view kCmdCancelCaption = "&Cancel";
inline constexpr std::string_view kFileSelectDesignCaption = "Select Data Filename";
// How far each use moves the dialog right and down.
inline constexpr int kFileSelectStep = 500;

// A row of the directory list: the open directories from the root down to the current one, then
// the current one's subdirectories.
struct DirectoryRow {
    std::string caption;
    std::string path;
    int depth = 0;
    bool open = false;  // the current directory or one above it
    friend bool operator==(const DirectoryRow&, const DirectoryRow&) = default;
};

// Everything the dialog shows, as plain state for the window to draw.
struct FileSelectControls {
    std::string caption{kFileSelectDesignCaption};
    TwipRect position{0, 0, kFileSelectInnerWidth, kFileSelectInnerHeight};
    bool visible = false;
    std::vector<std::string> Drive1Rows;  // volumes
    int Drive1Row = kNoRow;
    std::string Dir1Path;
    std::vector<DirectoryRow> Dir1Rows;
    std::string File1Pattern;
    std::vector<std::string> File1Rows;  // names of the matching files, sorted
    int File1Row = kNoRow;
    std::string txtCurrFile;
};

class frmFileSelect;

// Shows the dialog and returns once it is done: the window's modal loop. It forwards the user's
// actions to the dialog's event methods and returns when DialogDone() is true; returning earlier
// counts as Cancel.
using RunDialog = std::function<void(frmFileSelect&)>;

// The program's own file-selection dialog, as plain state and event methods. One instance lives
// for the whole run: it is loaded on its first use and afterwards only hidden, so drive,
// directory and file name carry over from one use to the next. Paths are joined with a single "/".
// The window draws Controls() and, after forwarding each user action to its event method, draws
// Controls() again; the dialog itself never calls the window except through the run callback.
class frmFileSelect : public FileChooser {
  public:
    // screenArea: the desktop in twips, to centre the dialog and keep it on the screen.
    // startDirectory: the directory shown on the first use.
    frmFileSelect(FileSystemBrowser& files, UserInterface& ui, TwipRect screenArea,
                  std::string startDirectory, RunDialog run);

    // Shows the dialog with that caption and pattern and waits for the user: the chosen full
    // path, or empty after Cancel. A call made while the dialog is already waiting beeps and is
    // cancelled at once, leaving the waiting use undisturbed.
    std::string selectFile(std::string_view title, std::string_view pattern) override;
    std::string selectFileIn(std::string_view title, std::string_view pattern,
                             const std::string& folder,
                             const std::vector<std::string>& listedFirst) override;

    // The user's actions while the dialog is shown. A row out of range is ignored.
    void Drive1_Change(int row);
    void Dir1_Change(int row);  // opens that row's directory
    void File1_Click(int row);
    void File1_DblClick(int row);
    void txtCurrFile_Change(std::string text);
    void cmdOk_Click();
    void cmdCancel_Click();
    // Closed through its window frame: counts as Cancel, and the dialog is kept.
    void Form_QueryUnload();
    // The user moved the dialog.
    void Form_Moved(int left, int top);

    void SetScreenArea(TwipRect screenArea) { screen_ = screenArea; }

    const FileSelectControls& Controls() const { return controls_; }
    const std::string& FilePattern() const { return FilePattern_; }
    const std::string& SelectedPath() const { return SelectedPath_; }
    bool DialogDone() const { return DialogDone_; }

  private:
    void Form_Load();
    void PlaceForUse();
    void RefreshDrives();
    void SetDirectory(const std::string& path);
    void RefreshFiles();
    std::string VolumeOf(const std::string& path) const;
    std::string ExistingDirectory(std::string path);

    FileSystemBrowser& files_;
    UserInterface& ui_;
    TwipRect screen_;
    RunDialog run_;
    FileSelectControls controls_;
    std::string FilePattern_;
    std::string SelectedPath_;
    bool DialogDone_ = false;
    bool loaded_ = false;
    bool waiting_ = false;
    std::map<std::string, std::string> lastDirectoryOn_;  // each volume's current directory
    std::string listedFirstIn_;  // the folder of a selectFileIn use, while it waits
    std::vector<std::string> listedFirst_;
};

// dir and name joined with one "/", also when dir is the root.
std::string JoinPath(std::string_view dir, std::string_view name);

// Whether a file name matches a pattern such as "*.kvd": "*" any run of characters, "?" any one,
// letters in either case, several patterns separated by ";".
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace tarvex
