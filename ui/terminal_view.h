#pragma once

#include <QtWidgets/QPlainTextEdit>
#include <functional>
#include <string>

namespace tarvex::ui {

// The serial control's terminal view: shows what the repeater sends and hands every typed
// character to the port instead of showing it (the repeater echoes).
class TerminalView final : public QPlainTextEdit {
  public:
    explicit TerminalView(QWidget* parent);

    // Called with every character typed into the view.
    void SetOnTyped(std::function<void(char)> onTyped) { onTyped_ = std::move(onTyped); }
    // Shows the received text; only what is new is added.
    void ShowReceived(const std::string& received);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::function<void(char)> onTyped_;
    std::string shownSource_;
    QString shown_;
};

}  // namespace tarvex::ui
