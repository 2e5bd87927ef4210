#include "ui/main_window.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QPixmap>
#include <QtGui/QShortcut>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QRadioButton>
#include <algorithm>
#include <cmath>

#include "editor/keys.h"
#include "ui/terminal_view.h"
#include "ui/text.h"
#include "ui/tool_tip_renderer.h"

namespace tarvex::ui {
namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kFontPixels = 10;
constexpr int kNotAKey = -1;
// A frame is opaque, so that what it stands in for does not show through, and its title sits on
// its top border, so that the controls placed below the title clear both.
constexpr const char* kFrameStyle =
    "QGroupBox { border: 1px solid palette(mid); margin-top: 6px;"
    " background-color: palette(window); background-clip: margin; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }";

int Pixels(int twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect PixelRect(const TwipRect& r) {
    return {Pixels(r.left), Pixels(r.top), std::max(1, Pixels(r.width)),
            std::max(1, Pixels(r.height))};
}

QString ObjectName(const Control& control) {
    const QString name = ToQt(control.name);
    return control.index < 0 ? name : name + "_" + QString::number(control.index);
}

QColor QtColor(Rgb rgb) {
    return {rgb.r, rgb.g, rgb.b};
}

// The character code a key press gives a text box's key handler: Backspace 8, Enter 13, a
// printable single-byte character its code; kNotAKey for keys that are the box's own business
// (movement, deletion, shortcuts, Tab) and for characters beyond one byte, which the box takes
// and the binding drops from it like pasted ones.
int KeyCodeOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event.modifiers() & commands) != 0) {
        return kNotAKey;
    }
    if (event.key() == Qt::Key_Backspace) {
        return kKeyBackspace;
    }
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        return kKeyEnter;
    }
    if (event.text().size() != 1) {
        return kNotAKey;
    }
    const char16_t c = event.text().front().unicode();
    if (c < 0x20 || c == 0x7F || c > 0xFF) {
        return kNotAKey;
    }
    return static_cast<int>(c);
}

bool TakesFocus(const Control& control) {
    switch (control.kind) {
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            return true;
        default:
            return false;
    }
}

// A rule of the screen: a black line one pixel wide.
QWidget* CreateLine(const Control& control, QWidget* parent) {
    auto* line = new QWidget(parent);
    const TwipRect& r = control.position;
    line->setGeometry(Pixels(r.left), Pixels(r.top), std::max(1, Pixels(r.width)), 1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::black);
    line->setPalette(palette);
    return line;
}

QWidget* CreateStatusLine(const Control& control, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(4, 0, 4, 0);
    for (std::size_t i = 0; i < std::max<std::size_t>(1, control.panels.size()); ++i) {
        auto* panel = new QLabel(line);
        panel->setObjectName("panel" + QString::number(i + 1));
        layout->addWidget(panel, 1);
    }
    return line;
}

}  // namespace

MainWindow::MainWindow(ProgrammerApp& app, QWidget* parent)
    : QMainWindow(parent), app_(app), screen_(app.screen()) {
    setObjectName("FrmMainScrn");
    auto* central = new QWidget(this);
    central->setObjectName("client");
    // The layout was drawn for a narrow 8-point face. DejaVu Sans Condensed at 10 pixels keeps
    // every caption whole in its control (the widest, "12 MK 100.0 Hz", fills a list's field);
    // the package depends on it. Pixels, not points, so that it scales with the controls.
    QFont font = central->font();
    font.setFamilies({"DejaVu Sans Condensed"});
    font.setPixelSize(kFontPixels);
    central->setFont(font);
    central->setStyleSheet(kFrameStyle);
    central->setFixedSize(PixelRect(screen_.FrmMainScrn.position).size());
    setCentralWidget(central);

    tips_ = new ToolTipRenderer(
        app_.toolTip(),
        [this](QObject* object) {
            const Control* control = ControlOf(object);
            return control != nullptr ? ControlRef{control->name, control->index} : ControlRef{};
        },
        this);
    BuildControls();
    BuildMenus();
    SetTabOrder();

    // F1 reaches the form's key handler, which gives it no effect.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        app_.Form_KeyDown(kF1KeyCode, 0);
        Refresh();
    });

    connect(&keepAlive_, &QTimer::timeout, this, [this] {
        app_.TimRptrProgMode_Timer();
        Refresh();
    });
    connect(&statusNotice_, &QTimer::timeout, this, [this] {
        app_.TimStatusNotice_Timer();
        Refresh();
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    app_.SetAfterUnaskedData([this] { ShowTerminal(); });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Refresh();
}

MainWindow::~MainWindow() {
    app_.SetAfterUnaskedData({});
    disconnect(qApp, nullptr, this, nullptr);
}

void MainWindow::BuildControls() {
    std::vector<Control*> controls = screen_.AllControls();
    // Frames first, so that the controls they hold have their parent.
    std::stable_partition(controls.begin(), controls.end(),
                          [](const Control* c) { return c->kind == ControlKind::Frame; });
    for (Control* control : controls) {
        QWidget* parent = centralWidget();
        if (!control->container.empty()) {
            const Control* frame = screen_.Find(control->container);
            parent = frame != nullptr ? widgets_.at(const_cast<Control*>(frame)) : parent;
        }
        if (QWidget* widget = CreateWidget(*control, parent)) {
            widget->setObjectName(ObjectName(*control));
            widgets_[control] = widget;
            controls_[widget] = control;
            tips_->Watch(widget);
        }
    }
    // A field's label is its buddy and names it to a screen reader.
    for (const auto& [control, widget] : widgets_) {
        if (Control* label = screen_.Find(control->label)) {
            static_cast<QLabel*>(widgets_.at(label))->setBuddy(widget);
            widget->setAccessibleName(ToQt(label->caption));
        }
    }
    // The status frame and the terminal view lie over the controls they stand in for.
    widgets_.at(&screen_.FrameStatus)->raise();
    widgets_.at(&screen_.PDQComm1)->raise();
    // Set on every control and its parts (the terminal view has a font of its own): under the
    // frames' style sheet the widgets inside a frame would take the application's font instead.
    for (const auto& [control, widget] : widgets_) {
        if (control->kind != ControlKind::SerialControl) {
            widget->setFont(centralWidget()->font());
            for (QWidget* part : widget->findChildren<QWidget*>()) {
                part->setFont(centralWidget()->font());
            }
        }
    }
}

QWidget* MainWindow::CreateWidget(Control& control, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Form:
        case ControlKind::Timer:
            return nullptr;
        case ControlKind::Line:
            return CreateLine(control, parent);
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(parent);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, &control] { SyncFromWidget(control); });
            connect(edit, &QLineEdit::cursorPositionChanged, this,
                    [this, &control] { SyncFromWidget(control); });
            widget = edit;
            break;
        }
        case ControlKind::ComboBox: {
            auto* list = new QComboBox(parent);
            for (const std::string& row : control.rows) {
                list->addItem(ToQt(row));
            }
            list->installEventFilter(this);
            connect(list, &QComboBox::activated, this, [this, &control](int row) {
                app_.editor().ChooseRow(control, row);
                Refresh();
            });
            widget = list;
            break;
        }
        case ControlKind::CheckBox: {
            // A caption that lies outside the box's width is not drawn: the box alone.
            const bool boxAlone = Pixels(control.position.width) < 20;
            auto* box = new QCheckBox(boxAlone ? QString() : ToQt(control.caption), parent);
            connect(box, &QCheckBox::clicked, this, [this, &control](bool checked) {
                control.check = checked ? CheckState::Checked : CheckState::Unchecked;
                app_.editor().Click(control);
                Refresh();
            });
            widget = box;
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(ToQt(control.caption), parent);
            option->setAutoExclusive(false);  // the monitor-mode rule decides, through the model
            connect(option, &QRadioButton::clicked, this, [this, &control] {
                app_.editor().Click(control);
                Refresh();
            });
            widget = option;
            break;
        }
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(ToQt(control.caption), parent);
            frame->setFocusPolicy(Qt::NoFocus);
            widget = frame;
            break;
        }
        case ControlKind::Label:
            widget = new QLabel(ToQt(control.caption), parent);
            break;
        case ControlKind::Picture: {
            auto* picture = new QLabel(parent);
            picture->setAlignment(Qt::AlignCenter);
            widget = picture;
            break;
        }
        case ControlKind::ProgressBar:
            widget = new QProgressBar(parent);
            break;
        case ControlKind::StatusLine:
            widget = CreateStatusLine(control, parent);
            break;
        case ControlKind::SerialControl: {
            terminal_ = new TerminalView(parent);
            terminal_->SetOnTyped([this](char typed) {
                app_.PDQComm1_KeyPress(typed);
                Refresh();
            });
            widget = terminal_;
            break;
        }
    }
    widget->setGeometry(PixelRect(control.position));
    if (control.kind == ControlKind::CheckBox && Pixels(control.position.width) < 20) {
        widget->resize(widget->sizeHint());  // the box itself must show
    }
    if (!TakesFocus(control) && control.kind != ControlKind::SerialControl) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    return widget;
}

void MainWindow::SetTabOrder() {
    std::vector<Control*> order;
    for (const auto& [control, widget] : widgets_) {
        if (TakesFocus(*control) && control->tabIndex != kNoTabIndex) {
            order.push_back(control);
        }
    }
    std::sort(order.begin(), order.end(),
              [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(widgets_.at(order[i - 1]), widgets_.at(order[i]));
    }
}

void MainWindow::RunCommand(const std::function<void()>& command) {
    if (app_.busy()) {
        return;
    }
    command();
    // Input that arrived while the window was locked goes now to the widgets that still show
    // the lock, which drops it as a locked window would.
    QCoreApplication::processEvents();
    Refresh();
    if (app_.ended()) {
        close();
    }
}

Control* MainWindow::ControlOf(QObject* object) const {
    for (QObject* o = object; o != nullptr; o = o->parent()) {
        const auto found = controls_.find(o);
        if (found != controls_.end()) {
            return found->second;
        }
    }
    return nullptr;
}

QWidget* MainWindow::WidgetOf(const std::string& name, int index) const {
    Control* control = screen_.Find(name, index);
    const auto found = widgets_.find(control);
    return found == widgets_.end() ? nullptr : found->second;
}

// The model takes the box's text. Characters it cannot hold (beyond one byte, typed or pasted)
// leave the box too, with a beep each, so that the box shows exactly what the model holds.
void MainWindow::SyncFromWidget(Control& control) {
    if (control.kind != ControlKind::TextBox) {
        return;
    }
    auto* edit = static_cast<QLineEdit*>(widgets_.at(&control));
    const QString shown = edit->text();
    const int caret = static_cast<int>(FromQt(shown.left(edit->cursorPosition())).size());
    control.text = FromQt(shown);
    control.caret = caret;
    const int dropped = CharactersBeyondOneByte(shown);
    if (dropped > 0) {
        edit->setText(ToQt(control.text));
        edit->setCursorPosition(caret);
        for (int i = 0; i < dropped; ++i) {
            app_.link().ui.Beep();
        }
    }
}

bool MainWindow::TextBoxKeyPress(QLineEdit& edit, Control& box, int code) {
    SyncFromWidget(box);
    const std::string textBefore = box.text;
    const int caretBefore = box.caret;
    const int key = app_.editor().KeyPress(box, code);
    const bool rewritten = box.text != textBefore || box.caret != caretBefore;
    if (!rewritten && key == code && code != kKeyRefused && code != kKeyEnter) {
        return false;  // the box applies the key as typed
    }
    if (rewritten) {
        edit.setText(ToQt(box.text));
        edit.setCursorPosition(box.caret);
    }
    if (key == kKeyBackspace) {
        edit.backspace();
    } else if (key != kKeyRefused && key != kKeyEnter) {
        edit.insert(QString(QChar(static_cast<char16_t>(static_cast<unsigned char>(key)))));
    }
    SyncFromWidget(box);
    Refresh();
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    Control* control = ControlOf(watched);
    if (control == nullptr) {
        return QMainWindow::eventFilter(watched, event);
    }
    const QEvent::Type type = event->type();
    if (control->kind == ControlKind::TextBox && type == QEvent::KeyPress) {
        const int code = KeyCodeOf(*static_cast<QKeyEvent*>(event));
        if (code != kNotAKey) {
            return TextBoxKeyPress(*static_cast<QLineEdit*>(watched), *control, code);
        }
    }
    // A locked list keeps its row: the user cannot pick another.
    if (control->kind == ControlKind::ComboBox && control->readOnly &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
         type == QEvent::KeyPress || type == QEvent::Wheel)) {
        const auto* key = dynamic_cast<QKeyEvent*>(event);
        return key == nullptr || (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::OnFocusChanged(QWidget* now) {
    if (now == nullptr || now->window() != this) {
        return;  // a box or another window has it for now; it comes back to the same control
    }
    Control* entered = ControlOf(now);
    if (movingFocus_) {
        lastFocus_ = entered;
        return;
    }
    Control* left = lastFocus_;
    if (entered == left) {
        return;
    }
    lastFocus_ = entered;
    if (left != nullptr) {
        SyncFromWidget(*left);
        app_.editor().LostFocus(*left);
        Refresh();
    }
}

void MainWindow::FocusControl(std::string_view name, int index) {
    QWidget* widget = WidgetOf(std::string(name), index);
    if (widget == nullptr) {
        return;
    }
    movingFocus_ = true;
    widget->setFocus(Qt::OtherFocusReason);
    lastFocus_ = ControlOf(widget);
    movingFocus_ = false;
}

void MainWindow::ProcessPendingEvents() {
    Refresh();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (app_.busy() || !app_.Form_QueryUnload()) {
        event->ignore();  // a radio command is working and ends first, or edits are kept
        return;
    }
    app_.Form_Unload();
    event->accept();
}

void MainWindow::ShowControl(Control& control, QWidget& widget) {
    if (widget.isVisibleTo(widget.parentWidget()) != control.visible) {
        widget.setVisible(control.visible);
    }
    if (widget.isEnabled() != control.enabled) {
        widget.setEnabled(control.enabled);
    }
    const bool tipOfItsOwn = app_.toolTip().window() != nullptr &&
                             app_.toolTip().window()->FindTool({control.name, control.index});
    const QString tip = tipOfItsOwn ? QString() : ToQt(control.helpText);
    if (widget.toolTip() != tip) {
        widget.setToolTip(tip);
    }
    switch (control.kind) {
        case ControlKind::TextBox: {
            auto& edit = static_cast<QLineEdit&>(widget);
            if (edit.text() != ToQt(control.text)) {
                edit.setText(ToQt(control.text));
                edit.setCursorPosition(control.caret);
            }
            edit.setReadOnly(control.readOnly);
            QPalette palette = edit.palette();
            if (palette.color(QPalette::Text) != QtColor(control.foreColor) ||
                palette.color(QPalette::Base) != QtColor(control.backColor)) {
                palette.setColor(QPalette::Text, QtColor(control.foreColor));
                palette.setColor(QPalette::Base, QtColor(control.backColor));
                edit.setPalette(palette);
            }
            break;
        }
        case ControlKind::ComboBox: {
            auto& list = static_cast<QComboBox&>(widget);
            if (list.currentIndex() != control.selectedRow) {
                list.setCurrentIndex(control.selectedRow);
            }
            break;
        }
        case ControlKind::CheckBox:
            static_cast<QCheckBox&>(widget).setCheckState(
                control.check == CheckState::Checked  ? Qt::Checked
                : control.check == CheckState::Grayed ? Qt::PartiallyChecked
                                                      : Qt::Unchecked);
            break;
        case ControlKind::OptionButton:
            static_cast<QRadioButton&>(widget).setChecked(control.selected);
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox&>(widget).setTitle(ToQt(control.caption));
            break;
        case ControlKind::Label:
            static_cast<QLabel&>(widget).setText(ToQt(control.caption));
            break;
        case ControlKind::Picture:
            if (control.picture != shownPicture_) {
                shownPicture_ = control.picture;
                const QPixmap logo(QString::fromStdString(control.picture));
                auto& picture = static_cast<QLabel&>(widget);
                if (logo.isNull()) {
                    picture.clear();  // a missing or unreadable logo shows nothing
                } else {
                    picture.setPixmap(
                        logo.scaled(widget.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
                }
            }
            break;
        case ControlKind::ProgressBar: {
            auto& bar = static_cast<QProgressBar&>(widget);
            bar.setRange(control.minimum, control.maximum);
            bar.setValue(control.value);
            break;
        }
        case ControlKind::StatusLine: {
            const QList<QLabel*> panels = widget.findChildren<QLabel*>();
            for (qsizetype i = 0; i < panels.size(); ++i) {
                const auto at = static_cast<std::size_t>(i);
                const QString text =
                    at < control.panels.size() ? MessageToQt(control.panels[at]) : "";
                // Cut in the middle, so that the end of a long path (a backup's name) shows.
                const QString shown = panels[i]->fontMetrics().elidedText(
                    text, Qt::ElideMiddle, panels[i]->contentsRect().width());
                const QString whole = shown != text ? text : QString();
                if (panels[i]->text() != shown || panels[i]->toolTip() != whole) {
                    panels[i]->setText(shown);
                    panels[i]->setToolTip(whole);
                }
            }
            break;
        }
        default:
            break;
    }
}

void MainWindow::ShowTerminal() {
    terminal_->ShowReceived(screen_.PDQComm1.text);
}

void MainWindow::ShowTimer(QTimer& timer, const Control& control) {
    if (!control.enabled || control.interval <= 0) {
        timer.stop();
    } else if (!timer.isActive() || timer.interval() != control.interval) {
        timer.start(control.interval);
    }
}

void MainWindow::Refresh() {
    const QString title = QString::fromUtf8(screen_.FrmMainScrn.caption);  // names a file
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    for (const auto& [control, widget] : widgets_) {
        ShowControl(*control, *widget);
    }
    ShowTerminal();
    ShowMenus();
    ShowTimer(keepAlive_, screen_.TimRptrProgMode);
    ShowTimer(statusNotice_, screen_.TimStatusNotice);
    const bool wasEnabled = isEnabled();
    setEnabled(screen_.FrmMainScrn.enabled);
    // Unlocked again: the focus goes back to the control that had it.
    if (!wasEnabled && isEnabled() && QApplication::focusWidget() == nullptr &&
        lastFocus_ != nullptr) {
        FocusControl(lastFocus_->name, lastFocus_->index);
    }
    if (screen_.PDQComm1.visible && !terminalShown_ && isEnabled()) {
        // The console takes the keys when it appears.
        movingFocus_ = true;
        terminal_->setFocus(Qt::OtherFocusReason);
        movingFocus_ = false;
    }
    terminalShown_ = screen_.PDQComm1.visible;
}

}  // namespace tarvex::ui
