#include "ui/terminal_view.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QKeyEvent>
#include <QtGui/QTextCursor>

namespace tarvex::ui {
namespace {

constexpr int kDisplayedBlocks = 2000;

// Line ends of either kind start a new line; other control characters are not shown.
QString Displayed(const std::string& received) {
    QString text;
    text.reserve(static_cast<qsizetype>(received.size()));
    for (std::size_t i = 0; i < received.size(); ++i) {
        const auto c = static_cast<unsigned char>(received[i]);
        if (c == '\r') {
            if (i + 1 < received.size() && received[i + 1] == '\n') {
                continue;
            }
            text.append(QChar('\n'));
        } else if (c == '\n' || c == '\t' || c >= 0x20) {
            text.append(QChar(c));
        }
    }
    return text;
}

}  // namespace

TerminalView::TerminalView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
    setUndoRedoEnabled(false);
    setMaximumBlockCount(kDisplayedBlocks);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setStyleSheet("QPlainTextEdit { background: black; color: #33ff66; }");
}

void TerminalView::ShowReceived(const std::string& received) {
    if (received == shownSource_) {
        return;
    }
    const QString text = Displayed(received);
    if (text.startsWith(shown_)) {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(text.mid(shown_.size()));
    } else {
        setPlainText(text);
    }
    shownSource_ = received;
    shown_ = text;
    moveCursor(QTextCursor::End);
}

void TerminalView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    char typed = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        typed = '\r';
    } else if (event->key() == Qt::Key_Backspace) {
        typed = '\b';
    } else if ((event->modifiers() & commands) == 0 && event->text().size() == 1 &&
               event->text().front().unicode() >= 0x20 && event->text().front().unicode() <= 0xFF) {
        typed = static_cast<char>(event->text().front().unicode());
    }
    if (typed == 0) {
        QPlainTextEdit::keyPressEvent(event);  // selection, copying, scrolling
        return;
    }
    if (onTyped_) {
        onTyped_(typed);
    }
    event->accept();
}

}  // namespace tarvex::ui
