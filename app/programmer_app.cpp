#include "app/programmer_app.h"

#include <utility>

#include "app/compare_commands.h"
#include "app/config_file.h"
#include "app/file_menu.h"
#include "app/help.h"
#include "app/print_command.h"
#include "editor/working_state.h"
#include "files/file_commands.h"
#include "link/backup.h"
#include "link/keep_alive.h"
#include "link/port_discovery.h"
#include "link/radio_menu.h"
#include "link/read_command.h"
#include "link/serial_link.h"
#include "link/terminal_mode.h"

namespace tarvex {
namespace {

constexpr int kReadItem = 1;
constexpr int kProgramRadioItem = 2;
constexpr int kTerminalModeItem = 4;
constexpr int kContactUsItem = 1;

// The file dialog shown in one folder with its files in a given order; it answers as the dialog
// answers.
class FolderChooser final : public FileChooser {
  public:
    FolderChooser(FileChooser& inner, std::string folder, std::vector<std::string> listedFirst)
        : inner_(inner), folder_(std::move(folder)), listedFirst_(std::move(listedFirst)) {}
    std::string selectFile(std::string_view title, std::string_view pattern) override {
        return inner_.selectFileIn(title, pattern, folder_, listedFirst_);
    }

  private:
    FileChooser& inner_;
    std::string folder_;
    std::vector<std::string> listedFirst_;
};

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

// Open and Save File through the window's dialog, remembering the path it gave.
class ProgrammerApp::RememberingChooser final : public FileChooser {
  public:
    explicit RememberingChooser(FileChooser& inner) : inner_(inner) {}
    std::string selectFile(std::string_view title, std::string_view pattern) override {
        chosen = inner_.selectFile(title, pattern);
        return chosen;
    }
    std::string chosen;

  private:
    FileChooser& inner_;
};

ProgrammerApp::ProgrammerApp(const AppServices& services, AppSettings settings)
    : services_(services),
      settings_(std::move(settings)),
      locations_(settings_.programDirectory, settings_.environment),
      config_(locations_.ConfigFile()),
      traced_(services.port, services.clock),
      port_(traced_, {}),
      link_({port_, services.clock, services.sleeper, services.pump, services.ui}, session_.screen,
            session_.state, session_.range),
      editor_(session_.screen, session_.state, session_.range, services.ui) {
    link_.portDevice = [this](std::int16_t ComPort) { return PortDevice(ComPort); };
    link_.backupFolder = settings_.backupFolder.value_or(locations_.BackupFolder());
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

void ProgrammerApp::LoadLogo() {
    const std::optional<std::filesystem::path> logo = locations_.Logo();
    session_.screen.Image1.picture = logo ? logo->string() : std::string();
}

// A folder in which config.txt cannot be written is no reason to stop: the port is simply asked
// for again next time.
void ProgrammerApp::SaveConfig() {
    const std::filesystem::path folder = config_.file().parent_path();
    if (folder != locations_.ProgramDirectory()) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);  // the per-user folder, on first use
    }
    config_.SetDevice(session_.state.ComDevice);
    config_.Save(session_.state.ComPort);
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

    std::optional<std::string> portText = config_.Load();
    screen.menuRadio.item(kVerifyAfterProgrammingItem).checked = config_.VerifyAfterProgramming();
    screen.menuRadio.item(kWriteChangedBlocksOnlyItem).checked = config_.WriteChangedBlocksOnly();
    if (!portText) {
        state.ComPort = 1;
        if (!OpenCommPort(link_)) {
            return EndAtOnce();
        }
        SaveConfig();
        portText = std::to_string(state.ComPort);
    }
    screen.PDQComm1.visible = false;
    state.ComPort = PortNumberOf(*portText);
    state.ComDevice = config_.Device();
    if (!OpenCommPort(link_)) {
        return EndAtOnce();
    }
    // The user named another port or device in the prompt.
    if (state.ComPort != PortNumberOf(*portText) || state.ComDevice != config_.Device()) {
        SaveConfig();
    }
    StartKeepAlive(screen);
    ApplyStartupValues(session_);
    edits_.MarkClean(screen);
    return true;
}

bool ProgrammerApp::Form_QueryUnload() {
    return ended_ || MayDiscardEdits(edits_, session_.screen, services_.ui);
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
            OpenDataFile(services_.chooser);
            break;
        case 2:
            SaveDataFile();
            break;
        case 4:
            PrintMenuCommand(session_, services_.ui, services_.chooser, services_.printers,
                             reportClock_);
            break;
        case 6:  // Quit
            if (Form_QueryUnload()) {
                Form_Unload();
            }
            break;
        case kCompareWithFileItem:
            CompareWithFileCommand(session_, services_.ui, services_.chooser);
            break;
        case kOpenBackupItem:
            OpenBackup();
            break;
        default:
            break;
    }
}

void ProgrammerApp::mRadio_Click(int Index) {
    if (busy_ || ended_) {
        return;
    }
    if (Index == kVerifyAfterProgrammingItem || Index == kWriteChangedBlocksOnlyItem) {
        ToggleCheckItem(Index);
        return;
    }
    if (Index != kReadItem && Index != kProgramRadioItem && Index != kTerminalModeItem &&
        Index != kCompareWithRepeaterItem) {
        return;
    }
    EndStatusNotice(session_.screen);  // the command shows its own
    const BusyScope busy(busy_);
    BeginTrace();
    RadioCommand(Index);
    EndTrace();
}

void ProgrammerApp::RadioCommand(int Index) {
    ScreenModel& screen = session_.screen;
    if (Index == kReadItem) {
        if (ReadCommand(link_)) {
            ShowSettingsNotKept(session_.state, services_.ui);
            // The screen now holds what the repeater holds, not what a file holds.
            screen.FrmMainScrn.caption = WindowTitle(BuildVersion());
            edits_.MarkClean(screen);
        }
        return;
    }
    if (Index == kCompareWithRepeaterItem) {
        CompareWithRepeaterCommand(link_, session_);
        return;
    }
    if (Index != kProgramRadioItem) {
        tarvex::mRadio_Click(link_, Index);
        return;
    }
    if (!EditedSettingsCanBeWritten(session_, services_.ui)) {
        return;
    }
    const ProgramRadioOptions options{screen.menuRadio.item(kVerifyAfterProgrammingItem).checked,
                                      screen.menuRadio.item(kWriteChangedBlocksOnlyItem).checked};
    if (tarvex::mRadio_Click(link_, Index, options)) {
        edits_.MarkClean(screen);
        // The status line says how it ended and where the old settings are, for a while.
        ShowStatusNotice(screen, "Programming Done");
    }
}

// The choice holds at once and is kept for the next run; a folder where config.txt cannot be
// written only loses the keeping.
void ProgrammerApp::ToggleCheckItem(int Index) {
    MenuItem& item = session_.screen.menuRadio.item(Index);
    item.checked = !item.checked;
    if (Index == kVerifyAfterProgrammingItem) {
        config_.SetVerifyAfterProgramming(item.checked);
    } else {
        config_.SetWriteChangedBlocksOnly(item.checked);
    }
    config_.Save();
}

// A command's trace begins with it; terminal mode's goes on until it is left.
void ProgrammerApp::BeginTrace() {
    if (!tracing_) {
        traced_.RecordInto(&traces_.Begin(services_.clock.Now()), &link_);
        tracing_ = true;
    }
}

void ProgrammerApp::EndTrace() {
    if (!session_.screen.menuRadio.item(kTerminalModeItem).checked) {
        traced_.RecordInto(nullptr);
        tracing_ = false;
    }
}

void ProgrammerApp::mComPort_Click(int Index) {
    const std::vector<MenuItem>& items = session_.screen.mComPort.items;
    const bool device = Index > kComPortMenuItems && Index <= static_cast<int>(items.size()) &&
                        !items[static_cast<std::size_t>(Index - 1)].device.empty();
    if (busy_ || ended_ || (Index > kComPortMenuItems && !device)) {
        return;
    }
    bool opened = false;
    {
        const BusyScope busy(busy_);
        ProgramState& state = session_.state;
        if (device) {
            state.ComDevice = items[static_cast<std::size_t>(Index - 1)].device;
        } else {
            state.ComPort = static_cast<std::int16_t>(Index);
            state.ComDevice.clear();
        }
        SaveConfig();
        opened = OpenCommPort(link_);
    }
    // Without a port the program ends, unless the user keeps unsaved settings on the screen.
    if (!opened && Form_QueryUnload()) {
        Form_Unload();
    }
}

void ProgrammerApp::RefreshComPortMenu() {
    if (busy_ || ended_) {
        return;
    }
    const std::vector<SerialPortInfo> present =
        services_.ports != nullptr ? services_.ports->Ports() : std::vector<SerialPortInfo>{};
    ListDetectedPorts(session_.screen.mComPort, DetectedDevices(present), session_.state.ComPort,
                      session_.state.ComDevice);
}

void ProgrammerApp::OpenFileAtStart(const std::string& path) {
    if (busy_ || ended_) {
        return;
    }
    GivenPathChooser chooser(path);
    OpenDataFile(chooser);
}

void ProgrammerApp::OpenDataFile(FileChooser& chooser) {
    RememberingChooser remembering(chooser);
    if (OpenFileCommand(session_, services_.ui, remembering)) {
        ShowDocumentName(DataFileToOpen(remembering.chosen));
        edits_.MarkClean(session_.screen);
    }
}

void ProgrammerApp::SaveDataFile() {
    RememberingChooser chooser(services_.chooser);
    if (SaveFileCommand(session_, services_.ui, chooser) && !session_.state.FileCancelled) {
        std::string saved = chooser.chosen;
        if (!saved.ends_with(kDataFileExtension)) {
            saved += kDataFileExtension;  // as the save added it
        }
        ShowDocumentName(saved);
        edits_.MarkClean(session_.screen);
    }
}

// The backups are ordinary data files: one is opened exactly as File > Open File opens a file.
void ProgrammerApp::OpenBackup() {
    std::error_code error;
    if (!std::filesystem::is_directory(link_.backupFolder, error)) {
        services_.ui.ShowMessage(
            {std::string(kApplicationTitle),
             "No backup has been kept yet. Program Radio keeps the repeater's previous settings "
             "in " +
                 link_.backupFolder.string() + " before every write.",
             MessageIcon::Information, MessageButtons::Ok});
        return;
    }
    std::vector<std::string> newestFirst;
    for (const BackupEntry& backup : ListBackups(link_.backupFolder)) {
        newestFirst.push_back(backup.path.filename().string());
    }
    FolderChooser chooser(services_.chooser, link_.backupFolder.string(), std::move(newestFirst));
    OpenDataFile(chooser);
}

void ProgrammerApp::ShowDocumentName(const std::string& path) {
    session_.screen.FrmMainScrn.caption =
        WindowTitle(BuildVersion()) + " \u2014 " + std::filesystem::path(path).filename().string();
}

void ProgrammerApp::mHelp_Click(int Index) {
    if (busy_ || ended_) {
        return;
    }
    if (Index == kContactUsItem) {
        ContactUs(services_.shell, services_.ui, locations_.HelpPage());
    } else if (Index == kSaveSerialTraceItem) {
        SaveSerialTraceCommand(traces_, services_.ui, services_.chooser);
    }
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

void ProgrammerApp::TimStatusNotice_Timer() {
    if (!busy_ && !ended_) {
        EndStatusNotice(session_.screen);
    }
}

void ProgrammerApp::PDQComm1_KeyPress(char KeyAscii) {
    if (busy_ || ended_ || !session_.screen.PDQComm1.visible) {
        return;
    }
    SendTypedCharacter(link_, KeyAscii);
}

}  // namespace tarvex
