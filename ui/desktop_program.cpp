#include "ui/desktop_program.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QIcon>
#include <QtGui/QScreen>

#include "ui/file_select_dialog.h"

namespace tarvex::ui {
namespace {

constexpr int kTwipsPerPixel = 15;

// The desktop in twips, for placing the file dialog.
TwipRect ScreenTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    return {area.left() * kTwipsPerPixel, area.top() * kTwipsPerPixel,
            area.width() * kTwipsPerPixel, area.height() * kTwipsPerPixel};
}

std::string StartDirectory(const std::filesystem::path& given) {
    std::error_code error;
    return (given.empty() ? std::filesystem::current_path(error) : given).string();
}

}  // namespace

DesktopProgram::DesktopProgram(DesktopParts parts)
    : ui_(parts.dialogs),
      sleeper_(parts.pauses),
      fileSelect_(files_, ui_, ScreenTwips(), StartDirectory(parts.fileDirectory),
                  [this](frmFileSelect& model) { RunFileDialog(model); }),
      shell_(std::move(parts.openDocument)),
      app_({parts.port, parts.clock, sleeper_, pump_, ui_, fileSelect_, shell_,
            parts.printers != nullptr ? *parts.printers : systemPrinters_, parts.ports},
           std::move(parts.settings)),
      window_(std::make_unique<MainWindow>(app_)) {
    ui_.Attach(window_.get());
    pump_.Attach(window_.get());
    sleeper_.Attach(window_.get());
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tarvex-programmer.png")));
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

void DesktopProgram::OpenFile(const std::string& path) {
    app_.OpenFileAtStart(path);
    window_->Refresh();
}

void DesktopProgram::RunFileDialog(frmFileSelect& model) {
    if (fileDialog_ == nullptr) {
        fileDialog_ = new FileSelectDialog(model, window_.get());
    }
    fileDialog_->Run();
}

}  // namespace tarvex::ui
