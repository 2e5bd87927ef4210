#pragma once

#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QPushButton>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sim/memory_file.h"
#include "sim/simulated_serial_port.h"
#include "support/fake_clock.h"
#include "support/fake_port_catalogue.h"
#include "support/recording_ui.h"
#include "ui/desktop_program.h"
#include "ui/file_select_dialog.h"

namespace tarvex::testing {

// The boxes of the window, answered and recorded by a script.
class ScriptedDialogs final : public ui::Dialogs {
  public:
    MessageResult Message(QWidget*, const MessageBox& box) override {
        return script.ShowMessage(box);
    }
    std::optional<std::string> Input(QWidget*, const std::string& prompt, const std::string& title,
                                     const std::string& defaultText,
                                     const std::string& note) override {
        return script.InputBoxWithNote(prompt, title, defaultText, note);
    }
    void Beep() override { script.Beep(); }

    std::vector<MessageBox> Messages() const {
        std::vector<MessageBox> boxes;
        for (const UiEvent& event : script.events) {
            if (event.kind == UiEvent::Kind::Message) {
                boxes.push_back(event.box);
            }
        }
        return boxes;
    }

    RecordingUserInterface script;
};

// The repeater of a data file behind device names that exist or not, recording what is opened and
// written; onWrite sees each write before the repeater does.
class DevicesPort final : public sim::SimulatedSerialPort {
  public:
    explicit DevicesPort(const std::string& dataFile) : SimulatedSerialPort(Holding(dataFile)) {}
    bool Open(const std::string& device, std::string* reason) override {
        opened.push_back(device);
        if (present.count(device) == 0) {
            if (reason != nullptr) {
                *reason = "No such file or directory";
            }
            return false;
        }
        return SimulatedSerialPort::Open(device, reason);
    }
    bool Write(std::string_view bytes) override {
        written.append(bytes);
        if (onWrite) {
            onWrite(bytes);
        }
        return SimulatedSerialPort::Write(bytes);
    }

    std::set<std::string> present{"/dev/ttyS0"};
    std::vector<std::string> opened;
    std::string written;
    std::function<void(std::string_view)> onWrite;

  private:
    static sim::RepeaterOptions Holding(const std::string& dataFile) {
        sim::RepeaterOptions options;
        if (const auto file = sim::MemoryFile::Load(dataFile, sim::MemoryFileFormat::DataFile)) {
            options.memory = file->memory();
        }
        return options;
    }
};

// The window program on a simulated repeater that holds a data file's settings, in a program
// directory of its own, which is also where the file dialog starts. The system's printers print.
struct WindowRig {
    explicit WindowRig(const std::string& dataFile) : port(dataFile) {}

    // Starts the program; the window is shown and active when it returns true.
    bool Start() {
        const auto openDocument = [this](const std::filesystem::path& document) {
            opened.push_back(document);
            return true;
        };
        const std::string at = dir.path().toStdString();
        AppSettings settings{at, std::nullopt, at + "/backups"};
        program = std::make_unique<ui::DesktopProgram>(
            ui::DesktopParts{port, clock, clock, dialogs, openDocument, std::move(settings), at,
                             nullptr, &catalogue});
        if (!program->Start()) {
            return false;
        }
        window().activateWindow();
        return QTest::qWaitForWindowActive(&window());
    }

    ui::MainWindow& window() { return program->window(); }
    ScreenModel& screen() { return program->app().screen(); }
    template <typename W>
    W* Widget(const std::string& name, int index = -1) {
        return qobject_cast<W*>(window().WidgetOf(name, index));
    }
    void Trigger(const std::string& array, int index) {
        window().MenuItemAction(array, index)->trigger();
    }
    bool Shows(const std::string& name) { return window().WidgetOf(name)->isVisible(); }
    // Unlocked, with no status frame over the settings.
    bool Idle() { return window().isEnabled() && !Shows("FrameStatus"); }
    // Start-up, then Radio > Read from the simulated repeater.
    bool StartAndRead() {
        if (!Start()) {
            return false;
        }
        Trigger("mRadio", 1);
        return true;
    }
    std::filesystem::path Config() const { return Path("config.txt"); }
    std::filesystem::path Path(const std::string& name) const {
        return dir.path().toStdString() + "/" + name;
    }

    // What the user does if the file dialog shows, queued before the command that may open it.
    // A dialog the steps leave open is cancelled, so that a failed check cannot hang the test.
    void WhenFileDialogShows(std::function<void(ui::FileSelectDialog&)> steps) {
        QTimer::singleShot(0, &window(), [this, steps] {
            ui::FileSelectDialog* dialog = program->fileDialog();
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            steps(*dialog);
            if (dialog->isVisible()) {
                QTest::mouseClick(dialog->cmdCancel(), Qt::LeftButton);
            }
        });
    }

    QTemporaryDir dir;
    DevicesPort port;
    FakeClock clock;
    ScriptedDialogs dialogs;
    FakePortCatalogue catalogue;
    std::vector<std::filesystem::path> opened;
    std::unique_ptr<ui::DesktopProgram> program;
};

}  // namespace tarvex::testing
