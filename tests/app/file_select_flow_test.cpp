#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "app/file_menu.h"
#include "files/file_select.h"
#include "files/local_file_system.h"
#include "support/file_test_support.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::RecordingUserInterface;

constexpr TwipRect kScreen{0, 0, 19200, 10800};

// The whole flow on this computer's file system: save under a typed name, then open the file by
// double-clicking it in the same dialog, which shows the directory and the name of the last use.
TEST(FileSelectFlow, SaveUnderATypedNameThenOpenItFromTheList) {
    testing::TempDir dir;
    LocalFileSystem localFs;
    RecordingUserInterface ui;
    std::deque<std::function<void(frmFileSelect&)>> users;
    frmFileSelect dialog(localFs, ui, kScreen, dir.path().string(), [&users](frmFileSelect& d) {
        users.front()(d);
        users.pop_front();
    });

    Session session;
    ApplyStartupValues(session);
    users.push_back([](frmFileSelect& d) {
        EXPECT_EQ(d.Controls().File1Rows, std::vector<std::string>{});
        d.txtCurrFile_Change("setup");
        d.cmdOk_Click();
    });
    session.screen.OptOvrTone.selected = true;
    for (Control* field : {&session.screen.TxtRptrTXFreq, &session.screen.TxtRptrRXFreq}) {
        field->text = "451.0125";
    }
    session.screen.TxtCustomMKFreq.text = "100";
    session.screen.TxtIDTXInterval.text = "10";
    session.screen.TxtTXTimeOutTimer.text = "3";
    session.screen.TxtTXHangTime.text = "2";
    session.screen.TxtSqlTailMuteTime.text = "1";
    session.screen.TxtCustID.text = "FLOW";
    ASSERT_TRUE(SaveFileCommand(session, ui, dialog)) << ::testing::PrintToString(ui.events);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"setup.kvd"});

    Session reopened;
    ApplyStartupValues(reopened);
    users.push_back([](frmFileSelect& d) {
        EXPECT_EQ(d.Controls().txtCurrFile, "setup");
        ASSERT_EQ(d.Controls().File1Rows, std::vector<std::string>{"setup.kvd"});
        d.File1_Click(0);
        d.File1_DblClick(0);
    });
    ASSERT_TRUE(OpenFileCommand(reopened, ui, dialog));
    EXPECT_EQ(reopened.screen.TxtCustID.text, "FLOW      ");
    EXPECT_EQ(reopened.screen.TxtTXHangTime.text, "2");
    EXPECT_TRUE(ui.events.empty());
}

}  // namespace
}  // namespace tarvex
