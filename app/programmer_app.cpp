#include "app/programmer_app.h"

#include <utility>

#include "app/config_file.h"
#include "app/file_menu.h"
#include "app/help.h"
#include "app/print_command.h"
#include "link/keep_alive.h"
#include "link/radio_menu.h"
#include "link/read_command.h"
#include "link/serial_link.h"
#include "link/terminal_mode.h"

namespace tarvex {
namespace {

constexpr int kReadItem = 1;
constexpr int kProgramRadioItem = 2;

}  // namespace

class ProgrammerApp::BusyScope {
  public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    bool& busy_;
};

ProgramVersion BuildVersion() {
    return {TARVEX_VERSION_MAJOR, TARVEX_VERSION_MINOR, TARVEX_VERSION_PATCH};
}

std::string WindowTitle(const ProgramVersion& version) {
    return "Tarvex" + std::string(" Repeater Programmer V") + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.revision);
}

std::string VersionLine(std::string_view program) {
    const ProgramVersion version = BuildVersion();
    return std::string(program) + " " + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.revision);
}

ProgrammerApp::ProgrammerApp(const AppServices& services, AppSettings settings)
    : services_(services),
      settings_(std::move(settings)),
      port_(services.port, {}),
      link_({port_, services.clock, services.sleeper, services.pump, services.ui}, session_.screen,
            session_.state, session_.range),
      editor_(session_.screen, session_.state, session_.range, services.ui) {
    link_.portDevice = [this](std::int16_t ComPort) { return PortDevice(ComPort); };
    if (settings_.backupFolder) {
        link_.backupFolder = *settings_.backupFolder;
    }
}

void ProgrammerApp::SetAfterUnaskedData(std::function<void()> callback) {
    port_.SetAfterUnaskedData(std::move(callback));
}

std::string ProgrammerApp::PortDevice(std::int16_t ComPort) {
    if (settings_.portDevice && (!portDeviceServes_ || *portDeviceServes_ == ComPort)) {
        portDeviceServes_ = ComPort;
        return *settings_.portDevice;
    }
    return ComPortDevice(ComPort);
}

std::filesystem::path ProgrammerApp::ConfigPath() const {
    return settings_.programDirectory / kConfigFileName;
}

void ProgrammerApp::LoadLogo() {
    const std::filesystem::path logo = settings_.programDirectory / kLogoFileName;
    std::error_code error;
    session_.screen.Image1.picture =
        std::filesystem::is_regular_file(logo, error) ? logo.string() : std::string();
}

bool ProgrammerApp::EndAtOnce() {
    ended_ = true;
    return false;
}

bool ProgrammerApp::FrmMainScrn_Load() {
    ScreenModel& screen = session_.screen;
    ProgramState& state = session_.state;
    screen.FrmMainScrn.caption = WindowTitle(BuildVersion());
    SetUpMainWindowTips(toolTip_, screen);
    LoadLogo();

    // A program directory that cannot be written is no reason to stop: the port is simply
    // asked for again next time.
    std::optional<std::string> portText = ReadConfigPortText(ConfigPath());
    if (!portText) {
        state.ComPort = 1;
        if (!OpenCommPort(link_)) {
            return EndAtOnce();
        }
        WriteConfigFile(ConfigPath(), state.ComPort);
        portText = std::to_string(state.ComPort);
    }
    screen.PDQComm1.visible = false;
    state.ComPort = PortNumberOf(*portText);
    if (!OpenCommPort(link_)) {
        return EndAtOnce();
    }
    if (state.ComPort != PortNumberOf(*portText)) {
        WriteConfigFile(ConfigPath(), state.ComPort);
    }
    StartKeepAlive(screen);
    ApplyStartupValues(session_);
    return true;
}

void ProgrammerApp::Form_Unload() {
    if (ended_) {
        return;
    }
    ended_ = true;
    StopKeepAlive(session_.screen);
    link_.DisconnectTerminalView();
    if (port_.IsOpen()) {
        const BusyScope busy(busy_);
        SendCommand(link_, "X", 0);
        port_.Close();
    }
}

void ProgrammerApp::mFile_Click(int Index) {
    if (busy_ || ended_) {
        return;
    }
    // The file commands and Print never touch the port, so the keep-alive goes on meanwhile. The
    // file dialog leaves the window usable; a second use of it while it waits is refused there.
    switch (Index) {
        case 1:
            OpenFileCommand(session_, services_.ui, services_.chooser);
            break;
        case 2:
            SaveFileCommand(session_, services_.ui, services_.chooser);
            break;
        case 4:
            PrintMenuCommand(session_, services_.ui, services_.chooser, services_.printers,
                             reportClock_);
            break;
        case 6:  // Quit
            Form_Unload();
            break;
        default:
            break;
    }
}

void ProgrammerApp::mRadio_Click(int Index) {
    if (busy_ || ended_) {
        return;
    }
    const BusyScope busy(busy_);
    if (Index == kReadItem) {
        if (ReadCommand(link_)) {
            ShowSettingsNotKept(session_.state, services_.ui);
        }
        return;
    }
    if (Index == kProgramRadioItem && !EditedSettingsCanBeWritten(session_, services_.ui)) {
        return;
    }
    tarvex::mRadio_Click(link_, Index);
}

void ProgrammerApp::mComPort_Click(int Index) {
    if (busy_ || ended_) {
        return;
    }
    bool opened = false;
    {
        const BusyScope busy(busy_);
        session_.state.ComPort = static_cast<std::int16_t>(Index);
        WriteConfigFile(ConfigPath(), session_.state.ComPort);
        opened = OpenCommPort(link_);
    }
    if (!opened) {
        Form_Unload();
    }
}

void ProgrammerApp::mHelp_Click(int) {
    if (busy_ || ended_) {
        return;
    }
    ContactUs(services_.shell, services_.ui);
}

void ProgrammerApp::menuHelp_Click() {}

void ProgrammerApp::Form_KeyDown(int KeyCode, int) {
    if (KeyCode == kF1KeyCode) {
        menuHelp_Click();
    }
}

void ProgrammerApp::TimRptrProgMode_Timer() {
    if (busy_ || ended_ || !session_.screen.TimRptrProgMode.enabled) {
        return;
    }
    const BusyScope busy(busy_);
    tarvex::TimRptrProgMode_Timer(link_);
}

void ProgrammerApp::PDQComm1_KeyPress(char KeyAscii) {
    if (busy_ || ended_ || !session_.screen.PDQComm1.visible) {
        return;
    }
    SendTypedCharacter(link_, KeyAscii);
}

}  // namespace tarvex
