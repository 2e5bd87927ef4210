#include "ui/window_services.h"

#include <QtCore/QFile>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

#include "ui/main_window.h"
#include "ui/text.h"

namespace tarvex::ui {
namespace {

constexpr int kWidestList = 900;

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageResult ResultOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return MessageResult::Cancel;
        case QMessageBox::Yes:
            return MessageResult::Yes;
        case QMessageBox::No:
            return MessageResult::No;
        default:
            return MessageResult::Ok;
    }
}

}  // namespace

MessageResult QtDialogs::Message(QWidget* parent, const MessageBox& box) {
    QMessageBox dialog(IconOf(box.icon), MessageToQt(box.title), MessageToQt(box.text),
                       ButtonsOf(box.buttons), parent);
    return ResultOf(dialog.exec());
}

std::optional<std::string> QtDialogs::Input(QWidget* parent, const std::string& prompt,
                                            const std::string& title,
                                            const std::string& defaultText,
                                            const std::string& note) {
    QDialog dialog(parent);
    dialog.setWindowTitle(MessageToQt(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* promptLabel = new QLabel(MessageToQt(prompt), &dialog);
    layout->addWidget(promptLabel);
    auto* answer = new QLineEdit(ToQt(defaultText), &dialog);
    layout->addWidget(answer);
    if (!note.empty()) {
        // The system's reason, apart from the prompt so that the prompt reads as it always has.
        auto* noteLabel = new QLabel(MessageToQt(note), &dialog);
        noteLabel->setObjectName("note");
        noteLabel->setWordWrap(true);
        noteLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        noteLabel->setMaximumWidth(420);
        layout->addWidget(noteLabel);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return FromQt(answer->text());
}

void QtDialogs::List(QWidget* parent, const std::string& title, const std::string& heading,
                     const std::vector<std::string>& lines) {
    QDialog dialog(parent);
    dialog.setWindowTitle(MessageToQt(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* headingLabel = new QLabel(MessageToQt(heading), &dialog);
    headingLabel->setWordWrap(true);
    layout->addWidget(headingLabel);
    auto* list = new QListWidget(&dialog);
    list->setObjectName("lines");
    for (const std::string& line : lines) {
        list->addItem(MessageToQt(line));
    }
    // As wide as the longest line, within reason; a longer one scrolls.
    list->setMinimumWidth(
        std::min(list->sizeHintForColumn(0) + 2 * list->frameWidth() + 24, kWidestList));
    headingLabel->setBuddy(list);
    list->setAccessibleName(MessageToQt(heading));
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

void QtDialogs::Beep() {
    QApplication::beep();
}

QWidget* WindowUserInterface::Owner() {
    if (window_ == nullptr) {
        return nullptr;
    }
    window_->Refresh();
    return window_->isVisible() ? window_ : nullptr;
}

MessageResult WindowUserInterface::ShowMessage(const MessageBox& box) {
    return dialogs_.Message(Owner(), box);
}

void WindowUserInterface::ShowList(const std::string& title, const std::string& heading,
                                   const std::vector<std::string>& lines) {
    dialogs_.List(Owner(), title, heading, lines);
}

std::optional<std::string> WindowUserInterface::InputBox(const std::string& prompt,
                                                         const std::string& title,
                                                         const std::string& defaultText) {
    return dialogs_.Input(Owner(), prompt, title, defaultText, {});
}

std::optional<std::string> WindowUserInterface::InputBoxWithNote(const std::string& prompt,
                                                                 const std::string& title,
                                                                 const std::string& defaultText,
                                                                 const std::string& note) {
    return dialogs_.Input(Owner(), prompt, title, defaultText, note);
}

void WindowUserInterface::SetFocus(std::string_view controlName, int index) {
    if (window_ != nullptr) {
        window_->FocusControl(controlName, index);
    }
}

void WindowUserInterface::BringMainWindowToFront() {
    if (Owner() != nullptr) {
        window_->raise();
        window_->activateWindow();
    }
}

void WindowEventPump::ProcessPendingEvents() {
    if (window_ != nullptr) {
        window_->ProcessPendingEvents();
    }
}

void WindowSleeper::Sleep(std::chrono::milliseconds duration) {
    if (window_ != nullptr) {
        window_->ProcessPendingEvents();
    }
    inner_.Sleep(duration);
}

bool OpenWithDesktop(const std::string& absolutePath) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(absolutePath.c_str())));
}

}  // namespace tarvex::ui
