#include "ui/desktop_program.h"

namespace tarvex::ui {

DesktopProgram::DesktopProgram(DesktopParts parts)
    : ui_(parts.dialogs),
      sleeper_(parts.pauses),
      fileDialog_([this]() -> QWidget* { return window_.get(); }),
      shell_(std::move(parts.openDocument)),
      app_({parts.port, parts.clock, sleeper_, pump_, ui_,
            parts.chooser != nullptr ? *parts.chooser : fileDialog_, shell_},
           std::move(parts.settings)),
      window_(std::make_unique<MainWindow>(app_)) {
    ui_.Attach(window_.get());
    pump_.Attach(window_.get());
    sleeper_.Attach(window_.get());
}

DesktopProgram::~DesktopProgram() {
    ui_.Attach(nullptr);
    pump_.Attach(nullptr);
    sleeper_.Attach(nullptr);
}

bool DesktopProgram::Start() {
    if (!app_.FrmMainScrn_Load()) {
        return false;
    }
    window_->Refresh();
    window_->show();
    return true;
}

}  // namespace tarvex::ui
