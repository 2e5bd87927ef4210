#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_services.h"
#include "services/user_interface.h"

class QWidget;

namespace tarvex::ui {

class MainWindow;

// The boxes the program opens. Production shows real dialogs; a test answers them from a script.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual MessageResult Message(QWidget* parent, const MessageBox& box) = 0;
    virtual std::optional<std::string> Input(QWidget* parent, const std::string& prompt,
                                             const std::string& title,
                                             const std::string& defaultText,
                                             const std::string& note) = 0;
    virtual void Beep() = 0;
    // A read-only list under a heading; an information box with one line each where the
    // dialogs have no list of their own.
    virtual void List(QWidget* parent, const std::string& title, const std::string& heading,
                      const std::vector<std::string>& lines) {
        Message(parent, ListAsMessage(title, heading, lines));
    }
};

class QtDialogs final : public Dialogs {
  public:
    MessageResult Message(QWidget* parent, const MessageBox& box) override;
    std::optional<std::string> Input(QWidget* parent, const std::string& prompt,
                                     const std::string& title, const std::string& defaultText,
                                     const std::string& note) override;
    void Beep() override;
    void List(QWidget* parent, const std::string& title, const std::string& heading,
              const std::vector<std::string>& lines) override;
};

// The user-interface service over the main window: the window shows the model before every box,
// boxes belong to the window once it is shown, and focus moves go to its widgets.
class WindowUserInterface final : public UserInterface {
  public:
    explicit WindowUserInterface(Dialogs& dialogs) : dialogs_(dialogs) {}
    void Attach(MainWindow* window) { window_ = window; }

    MessageResult ShowMessage(const MessageBox& box) override;
    void Beep() override { dialogs_.Beep(); }
    void ShowList(const std::string& title, const std::string& heading,
                  const std::vector<std::string>& lines) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::optional<std::string> InputBoxWithNote(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText,
                                                const std::string& note) override;
    void SetFocus(std::string_view controlName, int index) override;
    void BringMainWindowToFront() override;

  private:
    QWidget* Owner();

    Dialogs& dialogs_;
    MainWindow* window_ = nullptr;
};

// The event pass of every exchange: the window shows the model and repaints, timers run, user
// input waits (the window is locked during radio work anyway).
class WindowEventPump final : public EventPump {
  public:
    void Attach(MainWindow* window) { window_ = window; }
    void ProcessPendingEvents() override;

  private:
    MainWindow* window_ = nullptr;
};

// The fixed pauses of the link: the window repaints first, so that the progress bar moves, then
// the pause runs on the inner sleeper.
class WindowSleeper final : public Sleeper {
  public:
    explicit WindowSleeper(Sleeper& inner) : inner_(inner) {}
    void Attach(MainWindow* window) { window_ = window; }
    void Sleep(std::chrono::milliseconds duration) override;

  private:
    Sleeper& inner_;
    MainWindow* window_ = nullptr;
};

// Hands a document to the desktop's program for it.
bool OpenWithDesktop(const std::string& absolutePath);

}  // namespace tarvex::ui
