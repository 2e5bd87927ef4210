#include "app/programmer_app.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <numeric>
#include <set>

#include "app/config_file.h"
#include "app/help.h"
#include "app/locations.h"
#include "app/program_options.h"
#include "link/identify.h"
#include "link/keep_alive.h"
#include "services/message_text.h"
#include "support/fake_clock.h"
#include "support/fake_port_catalogue.h"
#include "support/fake_printer_source.h"
#include "support/file_test_support.h"
#include "support/image_builder.h"
#include "support/link_rig.h"
#include "support/recording_ui.h"
#include "support/scripted_file_chooser.h"
#include "support/scripted_serial_port.h"
#include "support/text_files.h"

namespace tarvex {
namespace {

using testing::FakeClock;
using testing::FakeEventPump;
using testing::ReadText;
using testing::RecordingUserInterface;
using testing::ScriptedFileChooser;
using testing::ScriptedSerialPort;
using testing::TempDir;
using testing::WriteText;

class CountingShell final : public Shell {
  public:
    std::int32_t Open(std::string_view document) override {
        documents.emplace_back(document);
        return result;
    }
    std::int32_t result = 42;
    std::vector<std::string> documents;
};

// The program on a scripted port whose devices exist or not, in a program directory of its own.
struct AppRig {
    explicit AppRig(std::set<std::string> devices = {"/dev/ttyS0"},
                    std::optional<std::string> portDevice = std::nullopt) {
        port.devices = std::move(devices);
        port.respond = [](std::string_view written) {
            return written == "????????" ? std::string(16, '?') : std::string(written) + ".";
        };
        Restart(std::move(portDevice));
    }
    std::string Written() const {
        const std::vector<std::string> texts = testing::Written(port.wire);
        return std::accumulate(texts.begin(), texts.end(), std::string());
    }
    std::filesystem::path Config() const { return dir / "config.txt"; }
    // The program anew in the same folder, as in a next run.
    void Restart(std::optional<std::string> portDevice = std::nullopt) {
        app = std::make_unique<ProgrammerApp>(
            AppServices{port, clock, clock, pump, ui, chooser, shell, printers, &catalogue},
            AppSettings{dir.path(),
                        std::move(portDevice),
                        dir.path() / "backups",
                        {(dir / "xdg-config").string(), std::nullopt, std::nullopt, dir.path()}});
    }

    TempDir dir;
    FakeClock clock;
    ScriptedSerialPort port{clock};
    FakeEventPump pump;
    RecordingUserInterface ui;
    ScriptedFileChooser chooser;
    CountingShell shell;
    testing::FakePrinterSource printers;
    testing::FakePortCatalogue catalogue;
    std::unique_ptr<ProgrammerApp> app;
};

TEST(ConfigFile, PortTextIsTheEleventhCharacter) {
    struct Case {
        std::string content;
        std::string portText;
        std::int16_t port;
    };
    const Case cases[] = {
        {"ComPort = 12\r\n", "1", 1},
        {"ComPort = x\r\n", "x", 0},
        {"Something 4", "4", 4},
        {"ComPort =", "1", 1},  // shorter than 11 characters: port 1
        {"", "1", 1},
    };
    TempDir dir;
    for (const Case& c : cases) {
        WriteText(dir / "config.txt", c.content);
        const std::optional<std::string> text = ConfigStore(dir / "config.txt").Load();
        ASSERT_TRUE(text) << c.content;
        EXPECT_EQ(*text, c.portText) << c.content;
        EXPECT_EQ(PortNumberOf(*text), c.port) << c.content;
    }
    // A named pipe in its place would hold start-up forever: it reads as an empty file.
    ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0600), 0);
    EXPECT_EQ(ConfigStore(dir / "pipe.txt").Load(), "1");
    EXPECT_EQ(PortNumberOf("12"), 12);  // a port text taken from a number opened at start-up
}

TEST(ConfigFile, KeepsFurtherLinesAfterThePortLine) {
    TempDir dir;
    WriteText(
        dir / "config.txt",
        "ComPort = 12\r\nDevice= /dev/ttyUSB0 \nNewerKey = x\r\nVerifyAfterProgramming = 0\r\n");
    ConfigStore config(dir / "config.txt");
    EXPECT_EQ(config.Load(), "1");
    EXPECT_EQ(config.Device(), "/dev/ttyUSB0");
    config.SetWriteChangedBlocksOnly(true);
    ASSERT_TRUE(config.Save());  // the port line as it was read
    EXPECT_EQ(ReadText(dir / "config.txt"),
              "ComPort = 12\r\nDevice = /dev/ttyUSB0\r\nNewerKey = x\r\n"
              "VerifyAfterProgramming = 0\r\nWriteChangedBlocksOnly = 1\r\n");
    config.SetDevice("");
    ASSERT_TRUE(config.Save(3));
    const std::string written =
        "ComPort = 3\r\nNewerKey = x\r\n"
        "VerifyAfterProgramming = 0\r\nWriteChangedBlocksOnly = 1\r\n";
    EXPECT_EQ(ReadText(dir / "config.txt"), written);
    // Out of room (a full disk): the reason, and the old file whole.
    std::string reason;
    EXPECT_FALSE(testing::WithFileSizeLimit(10, [&] { return config.Save(4, &reason); }));
    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(ReadText(dir / "config.txt"), written);
}

TEST(Locations, ConfigIsBesideAProgramInItsOwnWritableFolderElsePerUser) {
    struct Case {
        const char* program;
        bool writable;
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        const char* expected;
    };
    const Case cases[] = {
        {"/opt/x", true, "/xdg", "/home/u", "/opt/x/config.txt"},
        {"/opt/x", false, "/xdg", "/home/u", "/xdg/tarvex/config.txt"},
        {"/usr/bin", true, std::nullopt, "/home/u", "/home/u/.config/tarvex/config.txt"},
        {"/usr/local/bin/", true, "relative", "/root", "/root/.config/tarvex/config.txt"},
        {"/sbin", true, "", "", "/sbin/config.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConfigFileFor(c.program, c.writable, {c.xdg, std::nullopt, c.home, {}}),
                  std::filesystem::path(c.expected))
            << c.program << " " << c.writable;
    }
}

TEST(Locations, HelpPageAndSampleInTheWorkingDirectoryThenBesideTheProgramThenTheDataFolder) {
    struct Case {
        std::vector<const char*> holders;  // folders that hold the files
        const char* page;                  // where the help page is found
        bool logoFromWorkingDirectory;
    };
    const Case cases[] = {
        {{"work", "prefix/bin", "prefix/share/tarvex"}, "work/softwz.htm", false},
        {{"prefix/bin", "prefix/share/tarvex"}, "prefix/bin/softwz.htm", false},
        {{"prefix/share/tarvex"}, "prefix/share/tarvex/softwz.htm", false},
        {{"work"}, "work/softwz.htm", true},
        {{}, "", false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        for (const char* folder : c.holders) {
            std::filesystem::create_directories(dir / folder);
            for (const char* name : {"softwz.htm", "mk-tone-repeater.kvd", "nulogo4.jpg"}) {
                std::ofstream(dir / folder / name) << name;
            }
        }
        const Locations locations(dir / "prefix/bin", {{}, {}, {}, dir / "work"});
        const std::filesystem::path page = *c.page ? dir / c.page : "softwz.htm";
        EXPECT_EQ(locations.HelpPage(), page) << c.page;
        EXPECT_EQ(locations.DemoSample().value_or("softwz.htm").parent_path(), page.parent_path());
        EXPECT_EQ(locations.Logo().has_value(), *c.page && !c.logoFromWorkingDirectory);
    }
}

TEST(ProgrammerApp, ComPortMenuListsTheDevicesPresentEachTimeAndAChosenOneIsRemembered) {
    AppRig rig({"/dev/ttyS0", "/dev/ttyUSB0"});
    rig.catalogue.ports = {{"/dev/ttyS0", "", "", "", {}, {}},
                           testing::UsbAdapter("/dev/ttyUSB0", "FT232R USB UART", "FTDI")};
    ASSERT_TRUE(rig.app->FrmMainScrn_Load());
    EXPECT_EQ(rig.app->screen().mComPort.items.size(), 4u) << "listed only when the menu opens";
    rig.app->RefreshComPortMenu();
    rig.app->mComPort_Click(6);
    EXPECT_EQ(rig.port.wire.back().text, "/dev/ttyUSB0");
    EXPECT_EQ(ReadText(rig.Config()), "ComPort = 1\r\nDevice = /dev/ttyUSB0\r\n");
    rig.catalogue.ports.pop_back();  // unplugged
    rig.app->RefreshComPortMenu();
    const std::size_t wire = rig.port.wire.size();
    rig.app->mComPort_Click(6);  // a click on the item the unplug took away does nothing
    EXPECT_EQ(rig.port.wire.size(), wire);

    // The next run opens the device again, and finds COM Port 1 again once it is chosen.
    rig.app->Form_Unload();
    rig.Restart();
    ASSERT_TRUE(rig.app->FrmMainScrn_Load());
    EXPECT_EQ(rig.port.wire.back().text, "/dev/ttyUSB0");
    rig.app->mComPort_Click(1);
    EXPECT_EQ(rig.port.wire.back().text, "/dev/ttyS0");
}

// Without a writable directory there is neither config.txt nor logo, and the program goes on.
TEST(ProgrammerApp, StartUpSetsTitleTipsLogoAndKeepAliveWithOrWithoutAWritableDirectory) {
    for (const bool writable : {true, false}) {
        AppRig rig;
        WriteText(rig.dir / "nulogo4.jpg", "picture");
        if (!writable) {
            std::filesystem::remove_all(rig.dir.path());
        }
        ASSERT_TRUE(rig.app->FrmMainScrn_Load());
        const ScreenModel& screen = rig.app->screen();
        EXPECT_EQ(screen.FrmMainScrn.caption, "Tarvex Repeater Programmer V5.0.4");
        EXPECT_EQ(screen.Image1.picture, writable ? (rig.dir / "nulogo4.jpg").string() : "");
        EXPECT_EQ(rig.app->toolTip().ToolCount(), 2);
        EXPECT_EQ(screen.TimRptrProgMode.interval, 3000);
        EXPECT_EQ(ReadText(rig.Config()), writable ? "ComPort = 1\r\n" : "");
        std::filesystem::create_directories(rig.dir.path());
    }
}

// Port 2 fails; the user names 3 in the prompt; the file keeps 2. Then port 4 fails and the prompt
// is cancelled: the program ends, with nothing sent on the port it closed for the change.
TEST(ProgrammerApp, PortChangeWritesTheChosenNumberBeforeOpeningAndEndsWhenNoneIsFound) {
    AppRig rig({"/dev/ttyS0", "/dev/ttyS2"});
    ASSERT_TRUE(rig.app->FrmMainScrn_Load());
    rig.ui.inputAnswers.push_back("3");
    rig.app->mComPort_Click(2);
    EXPECT_EQ(ReadText(rig.Config()), "ComPort = 2\r\n");
    EXPECT_EQ(rig.app->session().state.ComPort, 3);
    EXPECT_FALSE(rig.app->ended());  // the port opened
    rig.port.wire.clear();
    rig.app->mComPort_Click(4);
    EXPECT_TRUE(rig.app->ended());
    EXPECT_EQ(rig.Written(), "");
}

TEST(ProgrammerApp, PortDeviceServesTheFirstPortOnly) {
    AppRig rig({"/dev/ttyUSB0", "/dev/ttyS2"}, "/dev/ttyUSB0");
    WriteText(rig.Config(), "ComPort = 2\r\n# kept\r\n");
    ASSERT_TRUE(rig.app->FrmMainScrn_Load());
    EXPECT_EQ(rig.port.wire.back().text, "/dev/ttyUSB0");
    // The device is for this run only: the file is not even rewritten.
    EXPECT_EQ(ReadText(rig.Config()), "ComPort = 2\r\n# kept\r\n");
    rig.app->mComPort_Click(3);
    EXPECT_EQ(rig.port.wire.back().text, "/dev/ttyS2");
    rig.app->mComPort_Click(2);
    EXPECT_EQ(rig.port.wire.back().text, "/dev/ttyUSB0");
}

// After Read the window names what the next program would change; Program Radio with changed
// settings of another model sends nothing at all.
TEST(ProgrammerApp, ReadAndProgramSayWhatTheRepeaterWouldNotKeep) {
    AppRig rig;
    ASSERT_TRUE(rig.app->FrmMainScrn_Load());
    testing::FakeRepeater repeater;
    repeater.images = {testing::ImageBuilder().set(19, {8, 104}).set(126, {0x40})};
    rig.port.respond = repeater;
    rig.ui.events.clear();
    rig.app->mRadio_Click(1);
    ASSERT_EQ(rig.ui.events.size(), 2u);  // the window in front, then the box
    EXPECT_EQ(rig.ui.events[1].box.title, "Settings Not Kept");
    EXPECT_TRUE(rig.ui.events[1].box.text.starts_with("PTT/EXT Encode: the repeater holds code"));

    rig.app->session().state.ModelCode = 7;
    rig.app->screen().TxtTXHangTime.text = "3";
    rig.port.wire.clear();
    rig.ui.events.clear();
    rig.app->mRadio_Click(2);
    EXPECT_EQ(rig.Written(), "");
    ASSERT_EQ(rig.ui.events.size(), 1u);
    EXPECT_EQ(rig.ui.events[0].box.title, "Output Data Error");
}

// Backups are offered newest first in their folder and open as File > Open File opens a file.
TEST(ProgrammerApp, OpenBackupOffersTheBackupFolderNewestFirst) {
    AppRig rig;
    rig.app->mFile_Click(kOpenBackupItem);  // no backup kept yet: no folder to show
    EXPECT_TRUE(rig.ui.events.at(0).box.text.starts_with("No backup has been kept yet."));
    const std::filesystem::path folder = rig.dir / "backups";
    std::filesystem::create_directories(folder);
    for (const char* name : {"ZPT-410_20240101T000000Z.kvd", "ZPT-410_20240307T091502Z.kvd"}) {
        std::filesystem::copy_file(TARVEX_SOURCE_DIR "/samples/mk-tone-repeater.kvd",
                                   folder / name);
    }
    rig.chooser.answers = {(folder / "ZPT-410_20240101T000000Z").string()};
    rig.app->mFile_Click(kOpenBackupItem);
    EXPECT_EQ(rig.chooser.requests,
              (std::vector<ScriptedFileChooser::Request>{
                  {"Select filename to read",
                   "*.kvd",
                   folder.string(),
                   {"ZPT-410_20240307T091502Z.kvd", "ZPT-410_20240101T000000Z.kvd"}}}));
    EXPECT_EQ(rig.app->screen().FrmMainScrn.caption,
              "Tarvex Repeater Programmer V5.0.4 \u2014 ZPT-410_20240101T000000Z.kvd");
}

TEST(SerialTrace, RecordsTimeDirectionBytesAndRoutineOfTheLastFiveCommands) {
    testing::LinkRig rig;
    rig.port.respond = testing::FakeRepeater();
    TracedSerialPort traced(rig.port, rig.clock);
    RadioLink link({traced, rig.clock, rig.clock, rig.pump, rig.ui}, rig.screen, rig.state,
                   rig.range);
    SerialTraceStore store;
    for (int command = 1; command <= 6; ++command) {
        rig.clock.Advance(std::chrono::seconds(3));
        traced.RecordInto(&store.Begin(rig.clock.Now()), &link);
        if (command < 6) {
            TimRptrProgMode_Timer(link);
        } else {
            Identification identification;
            ASSERT_TRUE(IdentifyRadio(link, identification));
        }
    }
    traced.RecordInto(nullptr);
    TimRptrProgMode_Timer(link);  // not recorded

    const std::string text = store.Text({5, 0, 4});
    const std::string keepAlive =
        "0.000 sent \"????????\" TimRptrProgMode_Timer\n"
        "133.328 recv \"????????????????\" TimRptrProgMode_Timer (wanted 16 in 250 ms)\n";
    EXPECT_TRUE(text.starts_with("# Tarvex Repeater Programmer V5.0.4 serial trace\n# command 1\n" +
                                 keepAlive + "# command 2\n"))
        << text;
    const std::string identify = text.substr(text.find("# command 5\n") + 12);
    EXPECT_TRUE(identify.starts_with(
        "0.000 sent \"?\" PingRadio\n16.666 recv \"??\" PingRadio (wanted 2 in 250 ms)\n"));
    EXPECT_NE(identify.find(" recv \"G\\r\\n>000000"), std::string::npos) << identify;
    EXPECT_NE(identify.find(" recv \"\" IdentifyRadio (wanted 1 in 17 ms)\n"), std::string::npos);
    // The heading, five command lines, four keep-alives and identification's nine events.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 5 + 4 * 2 + 9);
}

// Each radio command's wire traffic, terminal mode's until it is left, and nothing between them;
// a keep-alive tick inside the event pass of terminal mode's "????X" sends nothing in between. Help
// > Save Serial Trace writes what is kept.
TEST(ProgrammerApp, TracesTheRadioCommandsAndSavesThemOnRequest) {
    AppRig rig;
    ASSERT_TRUE(rig.app->FrmMainScrn_Load());
    rig.port.respond = testing::FakeRepeater();
    rig.app->mRadio_Click(1);
    rig.app->TimRptrProgMode_Timer();
    int ticks = 0;
    rig.pump.onPass = [&rig, &ticks] {
        ++ticks;
        rig.app->TimRptrProgMode_Timer();
    };
    rig.port.wire.clear();
    rig.app->mRadio_Click(4);  // into terminal mode
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(rig.Written(), "????X");
    rig.pump.onPass = nullptr;
    rig.app->TimRptrProgMode_Timer();  // idle again: the burst goes out
    EXPECT_EQ(rig.Written(), "????X????????");
    rig.app->PDQComm1_KeyPress('v');
    rig.app->mRadio_Click(4);         // out of terminal mode
    rig.app->PDQComm1_KeyPress('w');  // lost
    const std::deque<SerialTrace>& traces = rig.app->traces().traces();
    ASSERT_EQ(traces.size(), 2u);
    EXPECT_EQ(traces[0].events().front().routine + traces[0].events().back().routine,
              "PingRadioReadRadioData");
    EXPECT_EQ(traces[1].events().back().routine + traces[1].events().back().bytes,
              "terminal viewV");

    rig.ui.events.clear();
    rig.chooser.answers = {(rig.dir / "trace").string(), (rig.dir / "none" / "trace").string()};
    rig.app->mHelp_Click(kSaveSerialTraceItem);
    EXPECT_EQ(ReadText(rig.dir / "trace.txt"), rig.app->traces().Text(BuildVersion()));
    rig.app->mHelp_Click(kSaveSerialTraceItem);
    EXPECT_EQ(rig.ui.events, std::vector{testing::Message(
                                 "File System Error",
                                 "Error saving the serial trace...\nNo such file or directory",
                                 MessageIcon::Critical)});
}

TEST(ProgrammerApp, HelpShowsTheShellsFailure) {
    // The shell's result and the message shown for it, if any.
    const std::pair<std::int32_t, std::string> cases[] = {
        {33, ""},
        {2, "File not found"},
        {0, "Unknown error"},
        {8, "Out of memory"},
        {31, "No association for file extension"},
        {32, "DLL not found"},
        {-1, "Unknown error"},
    };
    for (const auto& [result, message] : cases) {
        AppRig rig;
        rig.shell.result = result;
        rig.app->mHelp_Click(1);
        EXPECT_EQ(rig.shell.documents, std::vector<std::string>{"softwz.htm"});
        const auto box = testing::Message("Tarvex Repeater Programmer", message);
        EXPECT_EQ(rig.ui.events, message.empty() ? decltype(rig.ui.events){} : std::vector{box})
            << result;
    }
}

TEST(MessageText, KeepsUtf8NamesAndShowsEveryOtherByteAsItsLatin1Character) {
    // The bytes of a message and the UTF-8 text shown for them.
    const std::pair<const char*, const char*> cases[] = {
        {"Radio is not detected!", "Radio is not detected!"},
        {"Caf\xE9", "Caf\xC3\xA9"},                                    // a setting's single byte
        {"/home/j\xC3\xB3zef/backups", "/home/j\xC3\xB3zef/backups"},  // a UTF-8 file name
        {"\xE9 in /home/j\xC3\xB3zef", "\xC3\xA9 in /home/j\xC3\xB3zef"},
        {"\xF0\x9F\x93\xA1", "\xF0\x9F\x93\xA1"},                  // four bytes
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                          // overlong: two single bytes
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},              // a surrogate is no character
        {"\xE2\x82", "\xC3\xA2\xC2\x82"},                          // cut short at the end
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},  // beyond U+10FFFF
    };
    for (const auto& [bytes, shown] : cases) {
        EXPECT_EQ(MessageTextToUtf8(bytes), shown) << bytes;
    }
}

TEST(DesktopShell, ChecksTheDocumentLikeTheSystemShell) {
    TempDir dir;
    std::ofstream(dir / "page.htm") << "<html></html>";
    std::vector<std::filesystem::path> opened;
    bool handled = true;
    DesktopShell shell([&](const std::filesystem::path& document) {
        opened.push_back(document);
        return handled;
    });
    EXPECT_EQ(shell.Open((dir / "missing.htm").string()), 2);
    EXPECT_EQ(shell.Open((dir / "no-folder" / "page.htm").string()), 3);
    EXPECT_EQ(shell.Open((dir / "page.htm").string()), DesktopShell::kOpened);
    handled = false;
    EXPECT_EQ(shell.Open((dir / "page.htm").string()), 31);
    EXPECT_EQ(opened.size(), 2u);
}

TEST(ProgramOptions, PortAndSimulatorOrAnAnswerAtOnce) {
    struct Case {
        const char* args;
        std::optional<std::string> port;
        bool simulator;
        int exitCode;
        std::string answer;  // how the terminal text starts when the program stops at once
        std::optional<std::string> file = std::nullopt;
    };
    const Case cases[] = {
        {"p", std::nullopt, false, 0, ""},
        {"p --simulator hill-site.kvd", std::nullopt, true, 0, "", "hill-site.kvd"},
        {"p --port /dev/ttyUSB0", "/dev/ttyUSB0", false, 0, ""},
        {"p --port /dev/ttyUSB0 --simulator", std::nullopt, false, 2, "--port and"},
        {"p --bogus a.kvd b", std::nullopt, false, 2,
         "The following arguments were not expected: --bogus b\n"},
        {"p --port", std::nullopt, false, 2, "--port"},
        {"p --version", std::nullopt, false, 0, "tarvex-programmer 5.0.4\n"},
        {"p --help", std::nullopt, false, 0, "Reads, edits and programs"},
    };
    for (const Case& c : cases) {
        const ParsedOptions parsed = ParseProgramOptions(testing::Words(c.args));
        ASSERT_EQ(parsed.options.has_value(), c.answer.empty()) << c.args;
        EXPECT_EQ(parsed.exitCode, c.exitCode) << c.args;
        if (parsed.options) {
            EXPECT_EQ(parsed.options->portDevice, c.port);
            EXPECT_EQ(parsed.options->simulator, c.simulator);
            EXPECT_EQ(parsed.options->dataFile, c.file);
        } else {
            EXPECT_EQ(parsed.text.rfind(c.answer, 0), 0u) << parsed.text;
        }
    }
    // Before the window toolkit has taken its own options out, they are left alone.
    const auto withToolkit = testing::Words("p -platform offscreen --simulator");
    EXPECT_TRUE(ParseProgramOptions(withToolkit, OtherArguments::Keep).options.has_value());
    EXPECT_FALSE(ParseProgramOptions(withToolkit).options.has_value());
}

}  // namespace
}  // namespace tarvex
