#include "files/file_select.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "files/local_file_system.h"
#include "support/file_test_support.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::UiEvent;

// A file system held in memory: every directory and file by its full path. It lists a folder
// in reverse order, so the dialog must sort it itself.
struct FakeFileSystem : FileSystemBrowser {
    std::vector<std::string> Volumes() override { return volumes; }
    bool IsDirectory(const std::string& path) override { return dirs.contains(path); }
    std::vector<std::string> Subdirectories(const std::string& path) override {
        return In(dirs, path);
    }
    std::vector<std::string> Files(const std::string& path) override { return In(files, path); }

    static std::vector<std::string> In(const std::set<std::string>& paths, const std::string& dir) {
        std::vector<std::string> names;
        for (const std::filesystem::path path : paths) {
            if (path != "/" && path.parent_path() == dir) {
                names.insert(names.begin(), path.filename().string());
            }
        }
        return names;
    }

    std::vector<std::string> volumes{"/", "/media/usb"};
    std::set<std::string> dirs{"/",     "/data",  "/data/old",  "/data/.cache",
                               "/home", "/media", "/media/usb", "/media/usb/sites"};
    std::set<std::string> files{
        "/a.kvd",          "/data/b.kvd",       "/data/A.KVD",        "/data/notes.txt",
        "/data/c.kvd.bak", "/data/.hidden.kvd", "/media/usb/site.kvd"};
};

constexpr TwipRect kScreen{0, 0, 19200, 10800};  // 1280 x 720 pixels

// Each use of the dialog plays the next script of user actions, blank-separated: type:NAME ('_'
// for a blank, "-" for nothing), click:FILE, dbl:FILE (double-click), dir:PATH, drive:ROW, ok,
// cancel, close (the window frame), fail (the window's loop throws), nested (a second use
// meanwhile), seen (the dialog as seen now). A script that ends without a decision leaves the
// dialog without one.
struct Rig {
    std::string Use(std::string script, std::string_view title = "Select filename to read") {
        scripts.push_back(std::move(script));
        return dialog.selectFile(title, "*.kvd");
    }

    void Play(frmFileSelect& d) {
        seen.push_back(d.Controls());
        std::istringstream in(scripts.front());  // a nested use never gets here
        scripts.pop_front();
        for (std::string word; in >> word;) {
            const std::string arg = word.substr(word.find(':') + 1);
            const auto row = [](const auto& rows, const auto& match) {
                return static_cast<int>(std::find_if(rows.begin(), rows.end(), match) -
                                        rows.begin());
            };
            const FileSelectControls c = d.Controls();
            const int file = row(c.File1Rows, [&](auto& r) { return r == arg; });
            std::string typed = arg == "-" ? "" : arg;
            std::replace(typed.begin(), typed.end(), '_', ' ');
            const std::map<std::string, std::function<void()>> actions{
                {"type", [&] { d.txtCurrFile_Change(typed); }},
                {"click", [&] { d.File1_Click(file); }},
                {"dbl", [&] { d.File1_DblClick(file); }},
                {"dir",
                 [&] { d.Dir1_Change(row(c.Dir1Rows, [&](auto& r) { return r.path == arg; })); }},
                {"drive", [&] { d.Drive1_Change(std::stoi(arg)); }},
                {"ok", [&] { d.cmdOk_Click(), done.push_back(d.DialogDone()); }},
                {"cancel", [&] { d.cmdCancel_Click(); }},
                {"close", [&] { d.Form_QueryUnload(); }},
                {"fail", [] { throw std::runtime_error("event loop gone"); }},
                {"nested", [&] { nested = d.selectFile("Select filename to save", "*.kvd"); }},
                {"seen", [&] { seen.push_back(d.Controls()); }},
            };
            actions.at(word.substr(0, word.find(':')))();
        }
    }

    FakeFileSystem fs;
    testing::RecordingUserInterface ui;
    std::deque<std::string> scripts;
    std::vector<FileSelectControls> seen;  // the dialog as each use found it, and at "seen"
    std::vector<bool> done;                // after each OK
    std::string nested = "not asked";
    frmFileSelect dialog{fs, ui, kScreen, "/data", [this](frmFileSelect& d) { Play(d); }};
};

class FileSelectTest : public ::testing::Test, protected Rig {};

// Each on a fresh dialog. OK with no name (the pattern, nothing, blanks) beeps and keeps the
// dialog open; a second use while the first waits is refused with a beep.
TEST(FileSelect, EachWayOfLeavingTheDialogGivesItsPath) {
    struct Case {
        const char* script;
        std::string expected;
        std::vector<UiEvent> events = {};
        int openAfterOk = 0;
    };
    const Case cases[] = {
        {"type:setup ok", "/data/setup"},
        {"type:new_site.kvd ok", "/data/new site.kvd"},
        {"click:none.kvd click:b.kvd ok", "/data/b.kvd"},
        {"dbl:A.KVD", "/data/A.KVD"},
        {"dir:/ dbl:a.kvd", "/a.kvd"},  // one separator after the root
        {"drive:1 dbl:site.kvd", "/media/usb/site.kvd"},
        {"click:b.kvd cancel", ""},
        {"click:b.kvd close", ""},
        {"click:b.kvd", ""},
        {"click:b.kvd fail", ""},
        {"type:*.kvd ok type:- ok type:___ ok type:chosen ok",
         "/data/chosen",
         {BeepEvent(), BeepEvent(), BeepEvent()},
         3},
        {"nested seen dbl:b.kvd", "/data/b.kvd", {BeepEvent()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Rig rig;
        EXPECT_EQ(rig.Use(c.script, "Select filename to save"), c.expected);
        EXPECT_FALSE(rig.dialog.Controls().visible);
        EXPECT_EQ(rig.ui.events, c.events);
        EXPECT_EQ(std::count(rig.done.begin(), rig.done.end(), false), c.openAfterOk);
        // A second use while the first waits runs no user and leaves the first one shown.
        EXPECT_EQ(rig.nested, std::string_view(c.script).starts_with("nested") ? "" : "not asked");
        EXPECT_TRUE(rig.seen.back().visible);
        EXPECT_EQ(rig.seen.size(),
                  std::string_view(c.script).find("seen") == std::string::npos ? 1u : 2u);
    }
}

// The first use shows the start directory and the pattern in the name box; later ones find the
// drive, directory and name where the user left them.
TEST_F(FileSelectTest, FirstUseShowsTheStartDirectoryAndLaterUsesWhereTheUserLeftIt) {
    Use("drive:1 dir:/media/usb/sites type:hill ok");
    const FileSelectControls c = seen.at(0);
    EXPECT_EQ(c.caption, "Select filename to read");
    EXPECT_EQ(c.txtCurrFile, "*.kvd");
    EXPECT_EQ(c.Drive1Rows, (std::vector<std::string>{"/", "/media/usb"}));
    EXPECT_EQ(c.Dir1Rows, (std::vector<DirectoryRow>{{"/", "/", 0, true},
                                                     {"data", "/data", 1, true},
                                                     {"old", "/data/old", 2, false}}));
    EXPECT_EQ(c.File1Rows, (std::vector<std::string>{"A.KVD", "b.kvd"}));
    EXPECT_EQ(c.File1Row, kNoRow);
    EXPECT_EQ(Use("cancel", "Select filename to save"), "");
    const FileSelectControls& again = seen.at(1);
    EXPECT_EQ(again.caption, "Select filename to save");
    EXPECT_EQ(again.Drive1Row, 1);
    EXPECT_EQ(again.Dir1Path, "/media/usb/sites");
    EXPECT_EQ(again.txtCurrFile, "hill");

    // Each volume remembers its own directory, as a drive keeps its current directory; leaving
    // the volume moves the drive list.
    Use("drive:0 seen drive:1 seen dir:/ seen cancel");
    EXPECT_EQ(seen.at(3).Dir1Path, "/data");
    EXPECT_EQ(seen.at(4).Dir1Path, "/media/usb/sites");
    EXPECT_EQ(seen.at(5).Drive1Row, 0);
}

// A use in a given folder lists the given names first, in their order, then the others; the next
// ordinary use finds the dialog where the user left it before.
TEST_F(FileSelectTest, AUseInAFolderListsTheGivenNamesFirstAndLeavesTheDialogAsItWas) {
    fs.files.insert({"/media/usb/a.kvd", "/media/usb/z.kvd", "/media/usb/b.txt", "/z.kvd"});
    Use("type:hill ok");
    scripts.push_back("dbl:site.kvd");
    EXPECT_EQ(dialog.selectFileIn("Select filename to read", "*.kvd", "/media/usb/",
                                  {"z.kvd", "gone.kvd", "site.kvd", "b.txt"}),
              "/media/usb/site.kvd");
    EXPECT_EQ(seen.at(1).File1Rows, (std::vector<std::string>{"z.kvd", "site.kvd", "a.kvd"}));
    Use("cancel");
    EXPECT_EQ(seen.at(2).Dir1Path, "/data");
    EXPECT_EQ(seen.at(2).txtCurrFile, "hill");
    EXPECT_EQ(seen.at(2).File1Rows, (std::vector<std::string>{"A.KVD", "b.kvd"}));
    scripts.push_back("cancel");
    dialog.selectFileIn("Select filename to read", "*.kvd", "/", {"z.kvd"});  // the root stays "/"
    EXPECT_EQ(seen.at(3).File1Rows, (std::vector<std::string>{"z.kvd", "a.kvd"}));
}

TEST_F(FileSelectTest, ADirectoryThatIsGoneGivesWayToTheNearestOneAbove) {
    Use("drive:1 dir:/media/usb/sites cancel");
    fs.volumes = {"/"};  // the stick was pulled
    std::erase_if(fs.dirs, [](const std::string& dir) { return dir.starts_with("/media/usb"); });
    Use("cancel");
    EXPECT_EQ(seen.at(1).Dir1Path, "/media");
    EXPECT_EQ(seen.at(1).Drive1Rows, (std::vector<std::string>{"/"}));
    EXPECT_EQ(seen.at(1).Drive1Row, 0);
}

TEST_F(FileSelectTest, MovesOnEachUseButNeverOffTheScreen) {
    for (int use = 0; use < 30; ++use) {
        Use("cancel");
    }
    EXPECT_EQ(seen[0].position, (TwipRect{7335, 3720, 4530, 3360}));  // centred
    EXPECT_EQ(seen[1].position, (TwipRect{7835, 4220, 4530, 3360}));
    EXPECT_EQ(seen[7].position, (TwipRect{10835, 7220, 4530, 3360}));
    EXPECT_EQ(seen[8].position, (TwipRect{11335, 7440, 4530, 3360}));  // at the bottom edge
    EXPECT_EQ(seen.back().position, (TwipRect{14670, 7440, 4530, 3360}));

    // Dragged partly off the screen, the next use brings it back.
    dialog.Form_Moved(-3000, 9000);
    Use("cancel");
    EXPECT_EQ(seen.back().position, (TwipRect{0, 7440, 4530, 3360}));
}

TEST(MatchesPattern, GlobsInEitherCaseAndSeveralPatterns) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"a.kvd", "*.kvd", true},
        {"A.KVD", "*.kvd", true},
        {"a.kvd.bak", "*.kvd", false},
        {".kvd", "*.kvd", true},
        {"kvd", "*.kvd", false},
        {"site1.kvd", "site?.kvd", true},
        {"site12.kvd", "site?.kvd", false},
        {"a.txt", "*.kvd; *.txt", true},
        {"a.txt", " *.txt ;*.kvd", true},
        {"anything", "", true},
        {"a.b.kvd", "*.*.kvd", true},
        {"abc", "a*b*c*", true},
        {"acb", "a*b*c", false},
    };
    for (const auto& [name, pattern, expected] : cases) {
        EXPECT_EQ(MatchesPattern(name, pattern), expected) << name << " ~ " << pattern;
    }
}

TEST(LocalFileSystem, OffersTheRootAndTheMountedVolumesAndListsAFolder) {
    const std::string table =
        "sysfs /sys sysfs rw 0 0\n"
        "/dev/sda2 / ext4 rw 0 0\n"
        "/dev/sda1 /boot/efi vfat rw 0 0\n"
        "/dev/sdb1 /media/tech/MY\\040STICK vfat rw 0 0\n"
        "/dev/sdc1 /media/tech/disk2021\\134\\040 vfat rw 0 0\n"
        "/dev/sdd1 /media/tech/O\\047NEIL\\118 vfat rw 0 0\n"
        "server:/exports /mnt/share nfs4 rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
        "broken line\n";
    EXPECT_EQ(VolumesOfMountTable(table),
              (std::vector<std::string>{"/", "/boot/efi", "/media/tech/MY STICK",
                                        "/media/tech/O'NEIL\\118", "/media/tech/disk2021\\ ",
                                        "/mnt/share"}));

    testing::TempDir dir;
    std::filesystem::create_directories(dir / "sub" / "deeper");
    std::ofstream(dir / "a.kvd");
    LocalFileSystem local;
    EXPECT_EQ(local.Volumes().front(), "/");
    EXPECT_TRUE(local.IsDirectory(dir.path()) && !local.IsDirectory(dir / "a.kvd"));
    EXPECT_EQ(local.Subdirectories(dir.path()), std::vector<std::string>{"sub"});
    EXPECT_EQ(local.Files(dir.path()), std::vector<std::string>{"a.kvd"});
    EXPECT_TRUE(local.Files(dir / "missing").empty());
}

}  // namespace
}  // namespace tarvex
