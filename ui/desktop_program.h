#pragma once

#include <filesystem>
#include <memory>

#include "app/help.h"
#include "app/programmer_app.h"
#include "files/file_select.h"
#include "files/local_file_system.h"
#include "ui/main_window.h"
#include "ui/system_printers.h"
#include "ui/window_services.h"

namespace tarvex::ui {

class FileSelectDialog;

// What the window program is made of; tests pass a simulated port, a fake clock, scripted
// dialogs and printers of their own, the program its real ones.
struct DesktopParts {
    SerialPort& port;
    Clock& clock;
    Sleeper& pauses;  // how the fixed pauses wait once the window has repainted
    Dialogs& dialogs;
    DesktopShell::Opener openDocument;
    AppSettings settings;
    std::filesystem::path fileDirectory;  // the file dialog's first directory; the current one
                                          // when empty
    PrinterSource* printers = nullptr;    // the system's printers when not given
    PortCatalogue* ports = nullptr;       // the serial devices present; none listed when not given
};

// The program behind the main window and the window over it, wired together.
class DesktopProgram {
  public:
    explicit DesktopProgram(DesktopParts parts);
    ~DesktopProgram();
    DesktopProgram(const DesktopProgram&) = delete;
    DesktopProgram& operator=(const DesktopProgram&) = delete;

    // Start-up, then the window shown. False when the program ended at once.
    bool Start();
    // A data file given to the program: opened as File > Open File opens it.
    void OpenFile(const std::string& path);

    ProgrammerApp& app() { return app_; }
    MainWindow& window() { return *window_; }
    // The file-selection dialog's widgets, once it has been used.
    FileSelectDialog* fileDialog() { return fileDialog_; }

  private:
    void RunFileDialog(frmFileSelect& model);

    WindowUserInterface ui_;
    WindowEventPump pump_;
    WindowSleeper sleeper_;
    LocalFileSystem files_;
    frmFileSelect fileSelect_;
    SystemPrinters systemPrinters_;
    DesktopShell shell_;
    ProgrammerApp app_;
    std::unique_ptr<MainWindow> window_;
    FileSelectDialog* fileDialog_ = nullptr;  // made on first use, then only hidden
};

}  // namespace tarvex::ui
