#pragma once

#include <memory>

#include "app/help.h"
#include "app/programmer_app.h"
#include "ui/main_window.h"
#include "ui/window_services.h"

namespace tarvex::ui {

// What the window program is made of; tests pass a simulated port, a fake clock and scripted
// dialogs, the program its real ones.
struct DesktopParts {
    SerialPort& port;
    Clock& clock;
    Sleeper& pauses;  // how the fixed pauses wait once the window has repainted
    Dialogs& dialogs;
    DesktopShell::Opener openDocument;
    AppSettings settings;
    FileChooser* chooser = nullptr;  // a file dialog over the window when not given
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

    ProgrammerApp& app() { return app_; }
    MainWindow& window() { return *window_; }

  private:
    WindowUserInterface ui_;
    WindowEventPump pump_;
    WindowSleeper sleeper_;
    QtFileChooser fileDialog_;
    DesktopShell shell_;
    ProgrammerApp app_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace tarvex::ui
