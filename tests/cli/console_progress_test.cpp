#include "cli/console_progress.h"

#include <gtest/gtest.h>

#include <sstream>

#include "editor/working_state.h"

namespace tarvex::cli {
namespace {

// The pieces drawn, split where the cursor returns or the line ends.
std::vector<std::string> Pieces(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    std::istringstream lines(text);
    std::vector<std::string> pieces;
    for (std::string piece; std::getline(lines, piece);) {
        pieces.push_back(piece);
    }
    return pieces;
}

TEST(ConsoleProgress, FitsTheTerminalEndsItsLineAndShowsAFull100OnlyOnSuccess) {
    struct Case {
        bool terminal;
        std::size_t columns;
        bool succeeded;
        std::string lastShown;  // the end of the last piece before what follows
    };
    const Case cases[] = {
        {true, 80, true, "] 100% Reading Radio: Pinging Radio, Retrieving Model Infor"},
        {true, 40, true, "] 100% Reading Radio: Pingin"},
        {true, 80, false, "] 96% Reading Radio: Pinging Radio, Retrieving Model Inform"},
        {false, 80, true, "Firmware Rev... 100%"},
        {false, 80, false, "Firmware Rev... 90%"},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.columns) + (c.terminal ? " terminal" : " plain") +
                                 (c.succeeded ? " success" : " failure");
        ScreenModel screen = BuildMainScreen();
        screen.FrameStatus.visible = true;
        screen.LabelStatus.caption = "Reading Radio";
        UpdateStatusBarText(screen,
                            "Pinging Radio, Retrieving Model Information and Firmware Rev...");
        std::ostringstream err;
        ConsoleProgress progress(screen, err, c.terminal, c.columns);
        for (const int value : {0, 37, 96}) {
            screen.StatusBar.value = value;
            progress.ProcessPendingEvents();
        }
        screen.FrameStatus.visible = false;
        progress.Finish(c.succeeded);
        err << "next";

        const std::vector<std::string> pieces = Pieces(err.str());
        for (const std::string& piece : pieces) {
            EXPECT_TRUE(!c.terminal || piece.size() < c.columns) << name << ": " << piece;
        }
        ASSERT_GE(pieces.size(), 2u) << name;
        EXPECT_EQ(pieces.back(), "next") << name << ": on a line of its own";
        EXPECT_TRUE(pieces[pieces.size() - 2].ends_with(c.lastShown))
            << name << ": [" << pieces[pieces.size() - 2] << "]";
    }
}

}  // namespace
}  // namespace tarvex::cli
