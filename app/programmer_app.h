#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/config_file.h"
#include "app/locations.h"
#include "app/observed_serial_port.h"
#include "app/program_version.h"
#include "app/serial_trace_store.h"
#include "app/session.h"
#include "app/unsaved_edits.h"
#include "editor/main_screen_editor.h"
#include "files/system_report_clock.h"
#include "files/tool_tip.h"
#include "link/link_services.h"
#include "link/radio_link.h"
#include "link/serial_trace.h"
#include "services/file_chooser.h"
#include "services/port_catalogue.h"
#include "services/printer_source.h"
#include "services/shell.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr int kF1KeyCode = 112;

// Everything the program reaches outside itself.
struct AppServices {
    SerialPort& port;
    Clock& clock;
    Sleeper& sleeper;
    EventPump& pump;
    UserInterface& ui;
    FileChooser& chooser;
    Shell& shell;
    PrinterSource& printers;
    PortCatalogue* ports = nullptr;  // the serial devices present; none listed without it
};

struct AppSettings {
    // The program's own directory, from which Locations finds config.txt, the logo and the help
    // page.
    std::filesystem::path programDirectory;
    // A device that stands in for the configured port for this run (a USB adapter, say). It
    // serves the port number start-up opens first; other numbers keep their own devices.
    std::optional<std::string> portDevice;
    // Where Program Radio keeps backups; the per-user folder when not given.
    std::optional<std::filesystem::path> backupFolder;
    // Where the per-user folders and the current directory come from.
    Locations::Environment environment = Locations::SystemEnvironment();
};

// The program behind the main window: start-up, the menu commands, the keep-alive tick, the
// terminal view's keys and shutdown, on the screen model that the window shows. One exchange with
// the repeater at a time: a command or tick that arrives while a radio command, a port change or
// a tick works (from an event pass inside an exchange) does nothing, so that no traffic
// interleaves on the wire. The window's title and the menu captions are UTF-8 (they name files
// and devices); every other text of the screen model is single-byte.
class ProgrammerApp {
  public:
    ProgrammerApp(const AppServices& services, AppSettings settings);
    ProgrammerApp(const ProgrammerApp&) = delete;
    ProgrammerApp& operator=(const ProgrammerApp&) = delete;

    Session& session() { return session_; }
    ScreenModel& screen() { return session_.screen; }
    RadioLink& link() { return link_; }
    MainScreenEditor& editor() { return editor_; }
    const CtoolTip& toolTip() const { return toolTip_; }

    // Called after characters the repeater sent on its own reached the terminal view's text.
    void SetAfterUnaskedData(std::function<void()> callback);

    // Start-up in its fixed order. False when the program is to end at once, the window never
    // shown (the user gave up on the port prompt).
    bool FrmMainScrn_Load();
    // Shutdown: "X" to the repeater when the port is open, then the port closed. Runs once; the
    // program has ended afterwards.
    void Form_Unload();

    void mFile_Click(int Index);
    void mRadio_Click(int Index);
    // Items 1 to 4 choose COM Port n; the items after the separator choose a detected device.
    void mComPort_Click(int Index);
    // The Com Port menu is about to open: it lists the devices present now.
    void RefreshComPortMenu();
    // A data file named when the program was started: opened as File > Open File opens it.
    void OpenFileAtStart(const std::string& path);
    // The window is asked to close: true when it may, after asking whether to discard settings
    // that were changed but neither saved nor programmed.
    bool Form_QueryUnload();
    // 1 Contact Us, 2 Save Serial Trace.
    void mHelp_Click(int Index);
    void menuHelp_Click();
    void Form_KeyDown(int KeyCode, int Shift);
    void TimRptrProgMode_Timer();
    // The status line's notice after Program Radio has run its time.
    void TimStatusNotice_Timer();
    // A character typed into the terminal view.
    void PDQComm1_KeyPress(char KeyAscii);

    // True once the program has ended: after start-up gave up, Quit, or a port change that
    // found no port. The window then closes.
    bool ended() const { return ended_; }
    bool busy() const { return busy_; }

    const Locations& locations() const { return locations_; }
    // config.txt's kept settings (the Radio menu's check items); Save() writes them.
    ConfigStore& config() { return config_; }
    // The wire traffic of the last radio commands (Read, Program Radio, Terminal Mode until it is
    // left, Compare With Repeater); nothing else is recorded.
    const SerialTraceStore& traces() const { return traces_; }

  private:
    class BusyScope;
    class RememberingChooser;

    std::string PortDevice(std::int16_t ComPort);
    void LoadLogo();
    bool EndAtOnce();
    void SaveConfig();
    void OpenDataFile(FileChooser& chooser);
    void SaveDataFile();
    void ShowDocumentName(const std::string& path);
    void OpenBackup();
    void ToggleCheckItem(int Index);
    void RadioCommand(int Index);
    void BeginTrace();
    void EndTrace();

    AppServices services_;
    AppSettings settings_;
    Locations locations_;
    ConfigStore config_;
    UnsavedEdits edits_;
    Session session_;
    TracedSerialPort traced_;
    SerialTraceStore traces_;
    bool tracing_ = false;
    ObservedSerialPort port_;
    RadioLink link_;
    MainScreenEditor editor_;
    CtoolTip toolTip_;
    SystemReportClock reportClock_;
    std::optional<std::int16_t> portDeviceServes_;
    bool busy_ = false;
    bool ended_ = false;
};

}  // namespace tarvex
