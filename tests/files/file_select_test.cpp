#include "files/file_select.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>

#include "files/local_file_system.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::RecordingUserInterface;

// A file system held in memory: every directory and file by its full path.
class FakeFileSystem : public FileSystemBrowser {
  public:
    std::vector<std::string> Volumes() override { return volumes; }
    bool IsDirectory(const std::string& path) override { return dirs.contains(path); }
    std::vector<std::string> Subdirectories(const std::string& path) override {
        return ChildrenOf(dirs, path);
    }
    std::vector<std::string> Files(const std::string& path) override {
        return ChildrenOf(files, path);
    }

    std::vector<std::string> volumes{"/", "/media/usb"};
    std::set<std::string> dirs{"/",     "/data",  "/data/old",  "/data/.cache",
                               "/home", "/media", "/media/usb", "/media/usb/sites"};
    std::set<std::string> files{"/a.kvd",
                                "/data/b.kvd",
                                "/data/A.KVD",
                                "/data/notes.txt",
                                "/data/.hidden.kvd",
                                "/data/c.kvd.bak",
                                "/media/usb/site.kvd"};

  private:
    static std::vector<std::string> ChildrenOf(const std::set<std::string>& paths,
                                               const std::string& dir) {
        std::vector<std::string> names;
        const std::string prefix = dir == "/" ? "/" : dir + "/";
        for (const std::string& path : paths) {
            if (path.size() > prefix.size() && path.starts_with(prefix) &&
                path.find('/', prefix.size()) == std::string::npos) {
                names.push_back(path.substr(prefix.size()));
            }
        }
        std::reverse(names.begin(), names.end());  // the dialog must sort them itself
        return names;
    }
};

constexpr TwipRect kScreen{0, 0, 19200, 10800};  // 1280 x 720 pixels

// Each use of the dialog runs the next scripted user; an exhausted script leaves the dialog
// without deciding.
class FileSelectTest : public ::testing::Test {
  protected:
    using User = std::function<void(frmFileSelect&)>;

    std::string Use(User user, std::string_view title = "Select filename to read") {
        users.push_back(std::move(user));
        return dialog.selectFile(title, "*.kvd");
    }

    FakeFileSystem fs;
    RecordingUserInterface ui;
    std::deque<User> users;
    std::vector<FileSelectControls> seen;  // the dialog as each user found it
    frmFileSelect dialog{fs, ui, kScreen, "/data", [this](frmFileSelect& d) {
                             seen.push_back(d.Controls());
                             if (!users.empty()) {
                                 User user = std::move(users.front());
                                 users.pop_front();
                                 user(d);
                             }
                         }};
};

int RowOf(const std::vector<std::string>& rows, const std::string& text) {
    const auto it = std::find(rows.begin(), rows.end(), text);
    EXPECT_NE(it, rows.end()) << text;
    return static_cast<int>(it - rows.begin());
}

int DirRowOf(const FileSelectControls& c, const std::string& path) {
    for (std::size_t row = 0; row < c.Dir1Rows.size(); ++row) {
        if (c.Dir1Rows[row].path == path) {
            return static_cast<int>(row);
        }
    }
    ADD_FAILURE() << "no directory row " << path;
    return -1;
}

TEST_F(FileSelectTest, FirstUseShowsTheStartDirectoryAndThePatternInTheNameBox) {
    EXPECT_EQ(Use([](frmFileSelect& d) { d.cmdCancel_Click(); }), "");
    const FileSelectControls& c = seen.at(0);
    EXPECT_EQ(c.caption, "Select filename to read");
    EXPECT_TRUE(c.visible);
    EXPECT_FALSE(dialog.Controls().visible);
    EXPECT_EQ(c.txtCurrFile, "*.kvd");
    EXPECT_EQ(c.Drive1Rows, (std::vector<std::string>{"/", "/media/usb"}));
    EXPECT_EQ(c.Drive1Row, 0);
    EXPECT_EQ(c.Dir1Rows, (std::vector<DirectoryRow>{{"/", "/", 0, true},
                                                     {"data", "/data", 1, true},
                                                     {"old", "/data/old", 2, false}}));
    EXPECT_EQ(c.File1Rows, (std::vector<std::string>{"A.KVD", "b.kvd"}));
    EXPECT_EQ(c.File1Row, kNoRow);
}

TEST_F(FileSelectTest, EachWayOfLeavingTheDialogGivesItsPath) {
    struct Case {
        const char* name;
        User user;
        std::string expected;
    };
    const Case cases[] = {
        {"a typed name without extension, joined to the directory",
         [](frmFileSelect& d) {
             d.txtCurrFile_Change("setup");
             d.cmdOk_Click();
         },
         "/data/setup"},
        {"a typed name of a file that does not exist",
         [](frmFileSelect& d) {
             d.txtCurrFile_Change("new site.kvd");
             d.cmdOk_Click();
         },
         "/data/new site.kvd"},
        {"a clicked file and OK",
         [](frmFileSelect& d) {
             d.File1_Click(1);
             d.cmdOk_Click();
         },
         "/data/b.kvd"},
        {"a double-clicked file returns at once", [](frmFileSelect& d) { d.File1_DblClick(0); },
         "/data/A.KVD"},
        {"a file in the root directory has one separator",
         [](frmFileSelect& d) {
             d.Dir1_Change(0);
             d.File1_DblClick(RowOf(d.Controls().File1Rows, "a.kvd"));
         },
         "/a.kvd"},
        {"a file on the root of another volume",
         [](frmFileSelect& d) {
             d.Drive1_Change(1);
             d.File1_DblClick(0);
         },
         "/media/usb/site.kvd"},
        {"Cancel after a click",
         [](frmFileSelect& d) {
             d.File1_Click(1);
             d.cmdCancel_Click();
         },
         ""},
        {"closing through the window frame",
         [](frmFileSelect& d) {
             d.File1_Click(1);
             d.Form_QueryUnload();
         },
         ""},
        {"the window's loop ending without a decision", [](frmFileSelect& d) { d.File1_Click(1); },
         ""},
        {"the window's loop failing",
         [](frmFileSelect& d) {
             d.File1_Click(1);
             throw std::runtime_error("event loop gone");
         },
         ""},
    };
    for (const Case& c : cases) {
        FakeFileSystem caseFs;
        RecordingUserInterface caseUi;
        const User user = c.user;
        frmFileSelect d(caseFs, caseUi, kScreen, "/data",
                        [&user](frmFileSelect& self) { user(self); });
        EXPECT_EQ(d.selectFile("Select filename to save", "*.kvd"), c.expected) << c.name;
        EXPECT_FALSE(d.Controls().visible) << c.name;
        EXPECT_TRUE(caseUi.events.empty()) << c.name;
    }
}

TEST_F(FileSelectTest, OkWithNoNameBeepsAndKeepsTheDialogOpen) {
    struct Case {
        const char* name;
        std::string text;
    };
    for (const Case& c : {Case{"the pattern still in the box", "*.kvd"}, Case{"an empty box", ""},
                          Case{"blanks only", "   "}}) {
        bool doneAfterOk = true;
        const std::string result = Use([&](frmFileSelect& d) {
            d.txtCurrFile_Change(c.text);
            d.cmdOk_Click();
            doneAfterOk = d.DialogDone();
            d.txtCurrFile_Change("chosen");
            d.cmdOk_Click();
        });
        EXPECT_FALSE(doneAfterOk) << c.name;
        EXPECT_EQ(result, "/data/chosen") << c.name;
    }
    EXPECT_EQ(ui.events, std::vector<testing::UiEvent>(3, testing::BeepEvent()));
}

TEST_F(FileSelectTest, KeepsDriveDirectoryAndNameBetweenUses) {
    Use([](frmFileSelect& d) {
        d.Drive1_Change(1);
        d.Dir1_Change(DirRowOf(d.Controls(), "/media/usb/sites"));
        d.txtCurrFile_Change("hill");
        d.cmdOk_Click();
    });
    EXPECT_EQ(Use([](frmFileSelect& d) { d.cmdCancel_Click(); }, "Select filename to save"), "");
    const FileSelectControls& again = seen.at(1);
    EXPECT_EQ(again.caption, "Select filename to save");
    EXPECT_EQ(again.Drive1Row, 1);
    EXPECT_EQ(again.Dir1Path, "/media/usb/sites");
    EXPECT_EQ(again.txtCurrFile, "hill");

    // Each volume remembers its own directory, as a drive keeps its current directory.
    Use([](frmFileSelect& d) {
        d.Drive1_Change(0);
        EXPECT_EQ(d.Controls().Dir1Path, "/data");
        d.Drive1_Change(1);
        EXPECT_EQ(d.Controls().Dir1Path, "/media/usb/sites");
        d.Dir1_Change(DirRowOf(d.Controls(), "/"));  // leaving the volume moves the drive list
        EXPECT_EQ(d.Controls().Drive1Row, 0);
        d.cmdCancel_Click();
    });
}

// A use in a given folder lists the given names first, in their order, then the others; the next
// ordinary use finds the dialog where the user left it before.
TEST_F(FileSelectTest, AUseInAFolderListsTheGivenNamesFirstAndLeavesTheDialogAsItWas) {
    fs.files.insert({"/media/usb/a.kvd", "/media/usb/z.kvd", "/media/usb/b.txt"});
    Use([](frmFileSelect& d) {
        d.txtCurrFile_Change("hill");
        d.cmdOk_Click();
    });
    users.push_back([](frmFileSelect& d) { d.File1_DblClick(1); });
    EXPECT_EQ(dialog.selectFileIn("Select filename to read", "*.kvd", "/media/usb/",
                                  {"z.kvd", "gone.kvd", "site.kvd", "b.txt"}),
              "/media/usb/site.kvd");
    EXPECT_EQ(seen.at(1).File1Rows, (std::vector<std::string>{"z.kvd", "site.kvd", "a.kvd"}));
    Use([](frmFileSelect& d) { d.cmdCancel_Click(); });
    EXPECT_EQ(seen.at(2).Dir1Path, "/data");
    EXPECT_EQ(seen.at(2).txtCurrFile, "hill");
    EXPECT_EQ(seen.at(2).File1Rows, (std::vector<std::string>{"A.KVD", "b.kvd"}));
}

TEST_F(FileSelectTest, ADirectoryThatIsGoneGivesWayToTheNearestOneAbove) {
    Use([](frmFileSelect& d) {
        d.Drive1_Change(1);
        d.Dir1_Change(DirRowOf(d.Controls(), "/media/usb/sites"));
        d.cmdCancel_Click();
    });
    fs.volumes = {"/"};  // the stick was pulled
    fs.dirs.erase("/media/usb/sites");
    fs.dirs.erase("/media/usb");
    Use([](frmFileSelect& d) { d.cmdCancel_Click(); });
    EXPECT_EQ(seen.at(1).Dir1Path, "/media");
    EXPECT_EQ(seen.at(1).Drive1Rows, (std::vector<std::string>{"/"}));
    EXPECT_EQ(seen.at(1).Drive1Row, 0);
}

TEST_F(FileSelectTest, MovesOnEachUseButNeverOffTheScreen) {
    for (int use = 0; use < 30; ++use) {
        Use([](frmFileSelect& d) { d.cmdCancel_Click(); });
    }
    EXPECT_EQ(seen[0].position, (TwipRect{7335, 3720, 4530, 3360}));  // centred
    EXPECT_EQ(seen[1].position, (TwipRect{7835, 4220, 4530, 3360}));
    for (const FileSelectControls& c : seen) {
        EXPECT_GE(c.position.left, 0);
        EXPECT_GE(c.position.top, 0);
        EXPECT_LE(c.position.left + c.position.width, kScreen.width);
        EXPECT_LE(c.position.top + c.position.height, kScreen.height);
    }
    EXPECT_EQ(seen.back().position, (TwipRect{14670, 7440, 4530, 3360}));

    // Dragged partly off the screen, the next use brings it back.
    dialog.Form_Moved(-3000, 9000);
    Use([](frmFileSelect& d) { d.cmdCancel_Click(); });
    EXPECT_EQ(seen.back().position, (TwipRect{0, 7440, 4530, 3360}));
}

TEST_F(FileSelectTest, ASecondUseWhileTheFirstWaitsIsRefusedWithABeep) {
    std::string nested = "not asked";
    const std::string outer = Use([&](frmFileSelect& d) {
        nested = d.selectFile("Select filename to save", "*.kvd");
        EXPECT_TRUE(d.Controls().visible);
        d.File1_DblClick(1);
    });
    EXPECT_EQ(nested, "");
    EXPECT_EQ(outer, "/data/b.kvd");
    EXPECT_EQ(ui.events, std::vector<testing::UiEvent>{testing::BeepEvent()});
    EXPECT_EQ(seen.size(), 1u);
}

TEST(MatchesPattern, GlobsInEitherCaseAndSeveralPatterns) {
    struct Case {
        const char* name;
        const char* pattern;
        bool expected;
    };
    const Case cases[] = {
        {"a.kvd", "*.kvd", true},
        {"A.KVD", "*.kvd", true},
        {"a.kvd.bak", "*.kvd", false},
        {".kvd", "*.kvd", true},
        {"kvd", "*.kvd", false},
        {"site1.kvd", "site?.kvd", true},
        {"site12.kvd", "site?.kvd", false},
        {"a.txt", "*.kvd; *.txt", true},
        {"anything", "", true},
        {"a.b.kvd", "*.*.kvd", true},
        {"abc", "a*b*c*", true},
        {"acb", "a*b*c", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.expected) << c.name << " ~ " << c.pattern;
    }
}

TEST(VolumesOfMountTable, OffersTheRootAndTheMountedVolumes) {
    const std::string table =
        "sysfs /sys sysfs rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sda2 / ext4 rw 0 0\n"
        "/dev/sda1 /boot/efi vfat rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sdb1 /media/tech/MY\\040STICK vfat rw 0 0\n"
        "server:/exports /mnt/share nfs4 rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
        "broken line\n";
    EXPECT_EQ(VolumesOfMountTable(table),
              (std::vector<std::string>{"/", "/boot/efi", "/media/tech/MY STICK", "/mnt/share"}));
}

}  // namespace
}  // namespace tarvex
