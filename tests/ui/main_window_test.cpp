// Whole flows through the real window and its widgets, on the offscreen platform, against the
// in-process simulated repeater. Boxes are answered from a script.
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QAccessible>
#include <QtGui/QClipboard>
#include <QtGui/QHelpEvent>
#include <QtTest/QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>
#include <memory>
#include <set>

#include "support/text_files.h"
#include "support/window_rig.h"
#include "ui/tool_tip_renderer.h"

namespace tarvex::ui {
namespace {

using testing::UiEvent;

using testing::ReadText;
using testing::WriteText;

const std::string kSamples = TARVEX_SOURCE_DIR "/samples/";

// The window program on a repeater that holds a sample's settings.
struct Rig : testing::WindowRig {
    explicit Rig(const char* sample = "mk-tone-repeater.kvd") : WindowRig(kSamples + sample) {}
};

QRect TitleOf(const QGroupBox& frame) {
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    return frame.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                         &frame);
}

// Where a widget draws its text, in its own coordinates, and the texts it may show there.
std::pair<QRect, QStringList> TextRoom(QWidget& w) {
    const QStyle& style = *w.style();
    QStyleOptionButton button;
    button.initFrom(&w);
    if (auto* label = qobject_cast<QLabel*>(&w)) {
        return {label->contentsRect(), {label->text()}};
    }
    if (auto* option = qobject_cast<QRadioButton*>(&w)) {
        return {style.subElementRect(QStyle::SE_RadioButtonContents, &button, &w),
                {option->text()}};
    }
    if (auto* box = qobject_cast<QCheckBox*>(&w)) {
        return {style.subElementRect(QStyle::SE_CheckBoxContents, &button, &w), {box->text()}};
    }
    if (auto* frame = qobject_cast<QGroupBox*>(&w)) {
        return {w.rect().adjusted(TitleOf(*frame).left(), 0, 0, 0), {frame->title()}};
    }
    if (auto* list = qobject_cast<QComboBox*>(&w)) {
        QStyleOptionComboBox option;
        option.initFrom(&w);
        QStringList rows;
        for (int row = 0; row < list->count(); ++row) {
            rows << list->itemText(row);
        }
        return {
            style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &w),
            rows};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(&w)) {
        QStyleOptionFrame option;
        option.initFrom(&w);
        option.lineWidth = style.pixelMetric(QStyle::PM_DefaultFrameWidth);
        // A line edit keeps two pixels of its own on either side of its text.
        return {
            style.subElementRect(QStyle::SE_LineEditContents, &option, &w).adjusted(2, 0, -2, 0),
            {edit->text()}};
    }
    return {};
}

// What spoils the look of the shown controls: a text wider or taller than its room, a label's
// text coming within two pixels of another control, a control on a frame's title or border.
QStringList LayoutFaults(MainWindow& window, ScreenModel& screen) {
    QStringList faults;
    for (const Control* control : screen.AllControls()) {
        QWidget* w = window.WidgetOf(control->name, control->index);
        if (w == nullptr || !w->isVisibleTo(&window)) {
            continue;
        }
        const auto [room, texts] = TextRoom(*w);
        const QFontMetricsF metrics(w->font(), w);
        for (const QString& text : texts) {
            const double width = metrics.horizontalAdvance(text);
            if (!text.isEmpty() && (width > room.width() || metrics.height() > room.height())) {
                faults << w->objectName() + ": \"" + text + "\" does not fit";
            }
            const QRectF ink(w->x() + room.left(), w->y() + (w->height() - metrics.height()) / 2,
                             width + 2, metrics.height());
            for (QWidget* other :
                 w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (qobject_cast<QLabel*>(w) != nullptr && !text.isEmpty() && other != w &&
                    other->isVisibleTo(&window) && ink.intersects(other->geometry())) {
                    faults << w->objectName() + " runs into " + other->objectName();
                }
            }
        }
        auto* frame = qobject_cast<QGroupBox*>(w);
        for (QWidget* inside : frame != nullptr && !frame->title().isEmpty()
                                   ? frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)
                                   : QList<QWidget*>{}) {
            if (!frame->contentsRect().contains(inside->geometry()) ||
                inside->geometry().intersects(TitleOf(*frame))) {
                faults << inside->objectName() + " lies on the title or border of its frame";
            }
        }
    }
    return faults;
}

QString StatusText(const MainWindow& window) {
    return window.WidgetOf("StatusBar1")->findChild<QLabel*>("panel1")->text();
}

// The status frame as drawn, and as drawn with the controls under it hidden: the same when
// nothing shows through it.
bool NothingShowsThroughTheStatusFrame(MainWindow& window) {
    QWidget* frame = window.WidgetOf("FrameStatus");
    QWidget* client = frame->parentWidget();
    const QImage drawn = client->grab(frame->geometry()).toImage();
    std::vector<QWidget*> under;
    for (QWidget* other : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != frame && other->isVisible() &&
            other->geometry().intersects(frame->geometry())) {
            other->hide();
            under.push_back(other);
        }
    }
    const QImage alone = client->grab(frame->geometry()).toImage();
    for (QWidget* other : under) {
        other->show();
    }
    return !under.empty() && drawn == alone;
}

// What a setting's widget shows: a box's text without the blanks that fill a field of the data
// file, a list's row, a tick or a choice.
QString ShownBy(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text().replace(QRegularExpression(" +$"), "");
    }
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        return list->currentText();
    }
    if (auto* tick = qobject_cast<QCheckBox*>(widget)) {
        return tick->isChecked() ? "ticked" : "clear";
    }
    if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        return option->isChecked() ? "chosen" : "not chosen";
    }
    return {};
}

// What every setting control shows, keyed by its name and index.
std::map<std::string, QString> Shown(Rig& rig) {
    std::map<std::string, QString> shown;
    for (const Control* control : rig.screen().AllControls()) {
        const QString text = ShownBy(rig.window().WidgetOf(control->name, control->index));
        if (!text.isNull()) {
            shown[control->name + "(" + std::to_string(control->index) + ")"] = text;
        }
    }
    return shown;
}

QStringList FileRows(const FileSelectDialog& dialog) {
    QStringList rows;
    for (int row = 0; row < dialog.File1()->count(); ++row) {
        rows << dialog.File1()->item(row)->text();
    }
    return rows;
}

void DoubleClickFile(FileSelectDialog& dialog, const QString& name) {
    const QList<QListWidgetItem*> found = dialog.File1()->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const QRect at = dialog.File1()->visualItemRect(found.front());
    // A double-click is a click and then the second press, as the system delivers them.
    QTest::mouseClick(dialog.File1()->viewport(), Qt::LeftButton, {}, at.center());
    QTest::mouseDClick(dialog.File1()->viewport(), Qt::LeftButton, {}, at.center());
}

// Empties a box and types into it key by key, "\n" being Enter and "\t" Tab.
void Retype(QLineEdit* edit, const QString& keys) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    for (const QChar key : keys) {
        if (key == '\t') {
            QTest::keyClick(edit, Qt::Key_Tab);
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, key == '\n' ? Qt::Key_Return : 0, Qt::NoModifier,
                        key == '\n' ? QString("\r") : QString(key));
        QApplication::sendEvent(edit, &press);
    }
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startUp();
    void readShowsEverySettingWithItsLabelTipAndTabStop();
    void editedTextShowsAsTheModelHoldsIt();
    void programRadioWritesAsTheCheckItemsSayAfterARestart();
    void radioWorkLocksTheWindowAndShowsProgress();
    void compareSaveAndOpenThroughTheDialog();
    void terminalModeComPortMenuAndClosingSendsXOnce();
    void everyTextFitsItsControl();
};

// A port text that is no digit is port 0: the prompt, answered 2, and the file rewritten. Giving
// up on the prompt ends the program before its window shows, with nothing written anywhere.
void MainWindowTest::startUp() {
    const struct {
        std::optional<std::string> config, configAfter;  // only a start rewrites the file
        std::set<std::string> present;
        std::deque<std::optional<std::string>> answers;  // to the port prompts
        const char* opened;                              // the devices tried, in turn
    } cases[] = {
        {"ComPort = x\r\n", "ComPort = 2\r\n", {"/dev/ttyS1"}, {"2"}, "/dev/ttyS-1 /dev/ttyS1"},
        {{}, {}, {}, {"7", std::nullopt}, "/dev/ttyS0 /dev/ttyS6"},
    };
    for (const auto& c : cases) {
        Rig rig;
        if (c.config) {
            WriteText(rig.Config(), *c.config);
        }
        rig.port.present = c.present;
        rig.dialogs.script.inputAnswers = c.answers;
        const bool started = c.configAfter.has_value();
        const std::vector<std::string> opened = testing::Words(c.opened);
        QCOMPARE(rig.Start(), started);
        QCOMPARE(rig.window().isVisible(), started);
        QCOMPARE(rig.port.opened, opened);
        QCOMPARE(std::filesystem::exists(rig.Config()) ? std::optional(ReadText(rig.Config()))
                                                       : std::nullopt,
                 c.configAfter);
        // Each prompt named why the device was refused.
        QCOMPARE(rig.dialogs.script.inputNotes.size(), opened.size() - started);
        QVERIFY(rig.dialogs.script.inputNotes[0].rfind(opened[0] + ": ", 0) == 0);
        if (!started) {
            QVERIFY(rig.port.written.empty());
            continue;
        }
        for (int item = 1; item <= 4; ++item) {
            QCOMPARE(rig.window().MenuItemAction("mComPort", item)->isChecked(), item == 2);
        }
        // The opening state reaches the widgets (the model's own test has the rest of it).
        for (const auto& [name, index] :
             {std::pair{"CmbMK_Type_Code", 0}, {"CmbMK_Type_Code", 1}, {"CmbPTT_ExtEnc", -1}}) {
            QCOMPARE(rig.Widget<QComboBox>(name, index)->currentText(), QString("44 None"));
        }
    }
}

// After a read of the DMK pair, Tab walks the editable controls in this order; each shows its
// setting, is named to a screen reader by its label and shows its help text, the two frequency
// fields through the tip window.
void MainWindowTest::readShowsEverySettingWithItsLabelTipAndTabStop() {
    // tab_walk.txt: a line per control, "widget|label|shown|help text|" (the help text with its
    // blanks as they stand).
    const QStringList controls =
        QString::fromStdString(ReadText(TARVEX_SOURCE_DIR "/tests/ui/tab_walk.txt"))
            .split('\n', Qt::SkipEmptyParts);
    QCOMPARE(controls.size(), 19);
    Rig rig("dmk-pair.kvd");
    QVERIFY(rig.Start());
    QSignalSpy progress(rig.Widget<QProgressBar>("StatusBar"), &QProgressBar::valueChanged);
    rig.Trigger("mRadio", 1);
    // The bar moved step by step while the read worked, not only at its end.
    QVERIFY(progress.count() > 50);
    QVERIFY(rig.Idle());

    auto* tips = rig.window().findChild<ToolTipRenderer*>();
    QWidget* first = rig.window().findChild<QWidget*>(controls[0].section('|', 0, 0));
    first->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), first);
    for (const QString& line : controls) {
        const QStringList c = line.split('|');  // widget, label, shown, help text
        QWidget* w = QApplication::focusWidget();
        QCOMPARE(w->objectName(), c[0]);  // the focus is on shown controls only
        QCOMPARE(ShownBy(w), c[2]);
        // A field is named after the label that relates to it, a button after its own caption.
        QAccessibleInterface* named = QAccessible::queryAccessibleInterface(w);
        const auto labels = named->relations(QAccessible::Label);
        if (!w->accessibleName().isEmpty()) {
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels[0].first->text(QAccessible::Name), w->accessibleName());
        }
        QCOMPARE(
            w->accessibleName().isEmpty() ? named->text(QAccessible::Name) : w->accessibleName(),
            c[1]);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(w, &help);
        if (tips->popup()->isVisible()) {
            QCOMPARE(tips->popup()->text(), c[3]);
            QVERIFY(w->toolTip().isEmpty() && tips->popup()->width() <= 240);  // no second tip
            QVERIFY(tips->popup()->height() > tips->popup()->fontMetrics().height() * 2);
            QCOMPARE(tips->hideTimer().interval(), 20000);
            tips->HideTip();
        } else {
            QCOMPARE(w->toolTip(), c[3]);
        }
        QTest::keyClick(w, Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), first);  // round again
    QVERIFY(rig.dialogs.script.events.empty());
}

// The box shows what the model holds: a value out of range refilled and kept in focus, the point
// put in as a frequency is typed, characters beyond one byte, typed or pasted, dropped with a
// beep each.
void MainWindowTest::editedTextShowsAsTheModelHoldsIt() {
    const UiEvent beep = testing::BeepEvent(),
                  outOfRange = testing::Message("Out of Range!", "Value must be between 0 and 7",
                                                MessageIcon::Exclamation);
    const struct {
        const char* field;
        QString typed;  // after the field was emptied, as Retype types it
        QString pasted;
        QString shown;
        std::vector<UiEvent> events;
    } cases[] = {
        {"TxtTXHangTime", "8\t", "", "1", {outOfRange}},
        {"TxtRptrTXFreq", "4510125\n", "", "451.0125", {}},
        {"TxtRptrTXFreq", u"451\u20AC"_qs, "", "451", {beep}},  // no point for it
        {"TxtMorseCodeID", "", u"VK\u20AC2"_qs, "VK2", {beep}},
        {"TxtTXHangTime", "5", u"\u20AC"_qs, "5", {beep}},
        {"TxtCustID", "", u"A\U0001F600B"_qs, "AB", {beep}},
    };
    Rig rig;
    QVERIFY(rig.StartAndRead());
    for (const auto& c : cases) {
        auto* box = rig.Widget<QLineEdit>(c.field);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        rig.dialogs.script.events.clear();
        Retype(box, c.typed);
        QGuiApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), c.shown);
        QCOMPARE(QString::fromLatin1(rig.screen().Find(c.field)->text), c.shown);
        QCOMPARE(rig.dialogs.script.events, c.events);
        QVERIFY(box->hasFocus());
    }
    // The field the Tab reached for a moment keeps its value.
    QCOMPARE(rig.Widget<QLineEdit>("TxtSqlTailMuteTime")->text(), QString("0.5"));
}

// The Radio menu's check items as chosen before a restart: the blocks sent and the read-back after
// them, as the serial trace holds them, then the notice in the status line until its time is up;
// while the blocks go out, the controls under the status frame are hidden. Compare With Repeater
// then finds the repeater holding the screen.
void MainWindowTest::programRadioWritesAsTheCheckItemsSayAfterARestart() {
    const int verify = kVerifyAfterProgrammingItem, changedOnly = kWriteChangedBlocksOnlyItem;
    const struct {
        std::vector<int> chosen;  // check items clicked in the run before
        bool edited;              // the transmit frequency, in the block at address 0
        int blocks;
        bool readBack;
        QString status;
    } cases[] = {
        {{}, true, 7, true, "Programmed and verified. Previous settings kept in "},
        {{verify, changedOnly}, true, 1, false, "Programmed (not read back). Previous"},
        {{changedOnly}, false, 0, false, "The repeater already holds these"},
    };
    for (const auto& c : cases) {
        Rig rig;
        QVERIFY(rig.Start());
        for (int item : c.chosen) {
            rig.Trigger("mRadio", item);
        }
        rig.port.written.clear();
        rig.window().close();
        QCOMPARE(rig.port.written, std::string("X"));
        QVERIFY(!rig.port.IsOpen() && rig.program->app().ended());
        QVERIFY(rig.StartAndRead());  // the next run, in the same folder
        for (int item : {verify, changedOnly}) {
            QCOMPARE(rig.window().MenuItemAction("mRadio", item)->isChecked(),
                     std::count(c.chosen.begin(), c.chosen.end(), item) != (item == verify));
        }
        if (c.edited) {
            Retype(rig.Widget<QLineEdit>("TxtRptrTXFreq"), "4625\n");
        }
        bool shownWhileWriting = false;
        rig.port.onWrite = [&](std::string_view bytes) {
            for (const char* name : {"FrmMonitorMode", "chkMKEncodePol", "TxtSqlTailMuteTime"}) {
                shownWhileWriting |= bytes.starts_with('S') && rig.Shows(name);
            }
        };
        rig.Trigger("mRadio", 2);
        QVERIFY(!shownWhileWriting);
        QVERIFY(rig.dialogs.Messages().empty());
        const std::vector<SerialTrace::Event>& wire =
            rig.program->app().traces().traces().back().events();
        const auto sent = [&wire](char first) {
            return std::count_if(wire.begin(), wire.end(), [first](const SerialTrace::Event& e) {
                return e.direction == SerialTrace::Direction::Sent && e.bytes.starts_with(first);
            });
        };
        QCOMPARE(sent('S'), c.blocks);
        QCOMPARE(sent('G'), 1 + c.readBack);  // identification's, then the read-back's after all
        QVERIFY(c.blocks == 0 || wire.back().routine == (c.readBack ? "ReadBack" : "ProgramRadio"));

        const QString status = StatusText(rig.window());
        QVERIFY2(status.startsWith(c.status), qPrintable(status));
        QCOMPARE(c.blocks > 0, QFile::exists(status.mid(status.indexOf(" in ") + 4)));
        QVERIFY(rig.Shows("FrameStatus") && rig.window().isEnabled());
        // A long path is cut in its middle, so that the backup's name shows; the tip has it all.
        const std::string deep = "kept in /" + std::string(200, 'd') + "/ZPT-410_2024.kvd";
        rig.screen().StatusBar1.panels = {deep};
        rig.window().Refresh();
        auto* panel = rig.window().WidgetOf("StatusBar1")->findChild<QLabel*>("panel1");
        QVERIFY(panel->text().endsWith("/ZPT-410_2024.kvd") && panel->toolTip() == deep.c_str());
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->width());
        rig.program->app().TimStatusNotice_Timer();
        rig.window().Refresh();
        QVERIFY(rig.Idle() && rig.Shows("FrmMonitorMode"));
        rig.Trigger("mRadio", kCompareWithRepeaterItem);
        QCOMPARE(rig.dialogs.Messages().back().text,
                 "The screen and the repeater hold the same settings.");
    }
}

// At every box of a failed command the window is locked under an opaque status frame; once it
// ends, the window is unlocked and in front, even if the user turned to another one meanwhile.
void MainWindowTest::radioWorkLocksTheWindowAndShowsProgress() {
    const struct {
        int command;  // mRadio index
        QString status;
        QString lastBox;
    } cases[] = {
        {1, "Pinging Radio, Retrieving Model Information and Firmware Rev...",
         "Radio is not detected!"},
        // The monitor-mode frame is shown again before the box, under the status frame.
        {2, "Sending Current Data to Radio...", "Error forming output data..."},
    };
    for (const auto& c : cases) {
        Rig rig;
        QVERIFY(rig.StartAndRead());
        if (c.command == 1) {
            rig.port.repeater() = sim::SimulatedRepeater({{}, "10", {.silent = true}});
        } else {
            rig.program->app().link().state.FreqUpperMHz = 450;  // the encoder refuses
        }
        QWidget elsewhere;
        bool lockedAtEveryBox = true;
        QString statusAtTheBox;
        rig.dialogs.script.onMessage = [&](const MessageBox&) {
            lockedAtEveryBox = lockedAtEveryBox && !rig.window().isEnabled() &&
                               !rig.window().TopMenu("menuRadio")->menuAction()->isEnabled() &&
                               rig.Shows("FrameStatus") &&
                               NothingShowsThroughTheStatusFrame(rig.window());
            statusAtTheBox = StatusText(rig.window());
            elsewhere.show();
            elsewhere.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        };
        rig.Trigger("mRadio", c.command);

        QVERIFY(!rig.dialogs.Messages().empty());
        QCOMPARE(QString::fromStdString(rig.dialogs.Messages().back().text), c.lastBox);
        QVERIFY(lockedAtEveryBox);
        QCOMPARE(statusAtTheBox, c.status);
        QVERIFY(rig.window().isEnabled() &&
                rig.window().TopMenu("menuRadio")->menuAction()->isEnabled());
        QTRY_VERIFY(rig.window().isActiveWindow());
    }
}

// Through the one file dialog: OK with the pattern still in the name box only beeps, and Cancel,
// the close box and Escape leave with nothing written and nothing changed. Both compare commands
// against what the repeater was read with, which older.kvd holds too, list the edited frequency,
// change nothing and write nothing. Then a save, and the open of what it saved.
void MainWindowTest::compareSaveAndOpenThroughTheDialog() {
    Rig rig;
    WriteText(rig.Path("older.kvd"), ReadText(kSamples + "mk-tone-repeater.kvd"));
    WriteText(rig.Path("notes.txt"), "");
    QVERIFY(rig.StartAndRead());
    Retype(rig.Widget<QLineEdit>("TxtRptrTXFreq"), "4625\n");
    const std::map<std::string, QString> edited = Shown(rig);
    rig.port.written.clear();
    const std::function<void(FileSelectDialog&)> ways[] = {
        [](FileSelectDialog& d) { QTest::mouseClick(d.cmdCancel(), Qt::LeftButton); },
        [](FileSelectDialog& d) { d.close(); },
        [](FileSelectDialog& d) { QTest::keyClick(d.File1(), Qt::Key_Escape); }};
    for (const auto& leave : ways) {
        rig.dialogs.script.events.clear();
        bool stayedOpen = false, left = false;
        rig.WhenFileDialogShows([&](FileSelectDialog& dialog) {
            QCOMPARE(dialog.txtCurrFile()->text(), QString("*.kvd"));
            QTest::mouseClick(dialog.cmdOk(), Qt::LeftButton);
            stayedOpen = dialog.isVisible() && rig.dialogs.script.events.size() == 1;
            leave(dialog);
            left = !dialog.isVisible();
        });
        rig.Trigger("mFile", 2);
        QVERIFY(stayedOpen && left);
        QCOMPARE(rig.dialogs.script.events, std::vector<UiEvent>{testing::BeepEvent()});
        QCOMPARE(QDir(rig.dir.path()).entryList({"*.kvd"}, QDir::Files), QStringList{"older.kvd"});
        QCOMPARE(Shown(rig), edited);
    }
    for (const bool withFile : {true, false}) {
        rig.dialogs.script.events.clear();
        rig.WhenFileDialogShows([](FileSelectDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Select filename to compare"));
            DoubleClickFile(dialog, "older.kvd");
        });
        rig.Trigger(withFile ? "mFile" : "mRadio",
                    withFile ? kCompareWithFileItem : kCompareWithRepeaterItem);
        const std::string text = "Settings that differ between the screen and " +
                                 std::string(withFile ? "older.kvd:\n" : "the repeater:\n") +
                                 "Repeater Transmit Frequency: screen 462.5000 MHz, " +
                                 (withFile ? "file" : "repeater") + " 451.0125 MHz";
        QCOMPARE(rig.dialogs.Messages(),
                 (std::vector<MessageBox>{{withFile ? "Compare With File" : "Compare With Repeater",
                                           text, MessageIcon::Information, MessageButtons::Ok}}));
        QCOMPARE(Shown(rig), edited);
        QCOMPARE(rig.window().windowTitle(), QString("Tarvex Repeater Programmer V5.0.4"));
        QVERIFY(rig.Idle());
    }
    QCOMPARE(rig.port.written.find('S'), std::string::npos);

    Retype(rig.Widget<QLineEdit>("TxtCustID"), "HILL 7\n");
    rig.Widget<QComboBox>("CmbMK_Type_Code", 1)->setFocus();
    const std::map<std::string, QString> saved = Shown(rig);
    rig.dialogs.script.events.clear();
    rig.WhenFileDialogShows([](FileSelectDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Select filename to save"));
        QCOMPARE(FileRows(dialog), QStringList{"older.kvd"});  // the pattern leaves notes.txt out
        // The name box has the focus and its text selected; Enter there is OK.
        QCOMPARE(dialog.focusWidget(), dialog.txtCurrFile());
        QTest::keyClicks(dialog.txtCurrFile(), "site");
        QTest::keyClick(dialog.txtCurrFile(), Qt::Key_Return);
    });
    rig.Trigger("mFile", 2);
    QCOMPARE(ReadText(rig.Path("site.kvd")).size(), std::size_t{561});
    QCOMPARE(rig.window().windowTitle(),
             QString::fromUtf8("Tarvex Repeater Programmer V5.0.4 \u2014 site.kvd"));
    QVERIFY(rig.program->app().Form_QueryUnload());  // saved: nothing to ask
    const QPoint firstPlace = rig.program->fileDialog()->pos();

    Retype(rig.Widget<QLineEdit>("TxtCustID"), "OTHER\n");
    rig.Widget<QCheckBox>("ChkMKEncodewID")->click();
    QVERIFY(Shown(rig) != saved);
    rig.WhenFileDialogShows([](FileSelectDialog& dialog) {
        // The same dialog, where the user left it, one step further on.
        QCOMPARE(dialog.windowTitle(), QString("Select filename to read"));
        QCOMPARE(dialog.txtCurrFile()->text(), QString("site"));
        QCOMPARE(FileRows(dialog), (QStringList{"older.kvd", "site.kvd"}));
        DoubleClickFile(dialog, "site.kvd");
    });
    rig.Trigger("mFile", 1);

    QVERIFY(rig.dialogs.script.events.empty());
    QCOMPARE(Shown(rig), saved);
    QCOMPARE(rig.window().findChildren<FileSelectDialog*>().size(), 1);
    QVERIFY(!rig.program->fileDialog()->isVisible());
    // One step of 500 twips, in whole pixels.
    const QPoint step = firstPlace + QPoint(500 / 15, 500 / 15);
    QVERIFY(QRect(step, QSize(2, 2)).contains(rig.program->fileDialog()->pos()));
}

// F1 opens nothing; terminal mode locks every other radio command while it lasts. The Com Port
// menu lists the devices present when it opens; the title names the file opened; closing asks
// before edits are lost, then sends "X" once, by File > Quit as by the close box.
void MainWindowTest::terminalModeComPortMenuAndClosingSendsXOnce() {
    Rig rig;
    rig.port.present.insert("/dev/ttyUSB0");
    QVERIFY(rig.Start());
    QVERIFY(!rig.window().windowIcon().isNull());
    MainWindow& w = rig.window();
    // Read, Program Radio, Com Port, Compare With Repeater and the two check items, and File.
    const auto enabled = [&w] {
        int count = w.TopMenu("menuFile")->menuAction()->isEnabled();
        for (int item : {1, 2, 5, kCompareWithRepeaterItem, kVerifyAfterProgrammingItem,
                         kWriteChangedBlocksOnlyItem}) {
            count += w.MenuItemAction("mRadio", item)->isEnabled();
        }
        return count;
    };
    QTest::keyClick(rig.Widget<QLineEdit>("TxtCustID"), Qt::Key_F1);  // opens nothing
    QVERIFY(rig.opened.empty() && rig.dialogs.script.events.empty());
    rig.Trigger("mRadio", 4);
    QCOMPARE(enabled(), 0);
    QVERIFY(w.MenuItemAction("mRadio", 4)->isEnabled() &&
            w.MenuItemAction("mRadio", 4)->isChecked());
    auto* view = rig.Widget<QPlainTextEdit>("PDQComm1");
    QVERIFY(view->isVisible());

    // Typed letters reach the repeater in upper case; its answer shows in the view.
    rig.port.written.clear();
    QTest::keyClick(view, 'v');
    QCOMPARE(rig.port.written, std::string("V"));
    QVERIFY(view->toPlainText().contains("V:10"));

    rig.Trigger("mRadio", 4);
    QVERIFY(!view->isVisible() && !w.MenuItemAction("mRadio", 4)->isChecked());
    QCOMPARE(enabled(), 7);

    QMenu* menu = rig.window().TopMenu("mComPort");
    const auto texts = [menu] {
        QStringList list;
        for (const QAction* action : menu->actions()) {
            list << (action->isChecked() ? "* " : "") + action->text();
        }
        return list;
    };
    rig.catalogue.ports = {testing::UsbAdapter("/dev/ttyUSB0", "FT232R USB UART", "FTDI")};
    emit menu->aboutToShow();
    const QString adapter = QString::fromUtf8("/dev/ttyUSB0 \u2014 FT232R USB UART (FTDI)");
    QCOMPARE(texts(),
             (QStringList{"* COM Port&1", "COM Port&2", "COM Port&3", "COM Port&4", "", adapter}));
    menu->actions().back()->trigger();
    QCOMPARE(rig.port.opened.back(), std::string("/dev/ttyUSB0"));
    rig.catalogue.ports.push_back(testing::UsbAdapter("/dev/ttyACM0", "", "A&B"));
    emit menu->aboutToShow();
    QCOMPARE(texts(), (QStringList{"COM Port&1", "COM Port&2", "COM Port&3", "COM Port&4", "",
                                   QString::fromUtf8("/dev/ttyACM0 \u2014 A&&B"), "* " + adapter}));

    rig.program->OpenFile(kSamples + "mk-tone-repeater.kvd");
    QCOMPARE(rig.window().windowTitle(),
             QString::fromUtf8("Tarvex Repeater Programmer V5.0.4 \u2014 mk-tone-repeater.kvd"));
    QTest::keyClick(rig.Widget<QLineEdit>("TxtCustID"), Qt::Key_End);
    QTest::keyClick(rig.Widget<QLineEdit>("TxtCustID"), Qt::Key_Backspace);
    rig.dialogs.script.answers = {MessageResult::No, MessageResult::No, MessageResult::Yes};
    rig.port.written.clear();
    rig.window().close();
    rig.Trigger("mFile", 6);
    QVERIFY(rig.window().isVisible());  // the edit is kept
    QCOMPARE(rig.dialogs.Messages().size(), std::size_t{2});
    rig.Trigger("mFile", 6);
    QVERIFY(!rig.window().isVisible() && rig.program->app().ended() && !rig.port.IsOpen());
    rig.window().close();  // closing again sends nothing more
    QCOMPARE(rig.port.written, std::string("X"));
}

void MainWindowTest::everyTextFitsItsControl() {
    Rig rig;
    QVERIFY(rig.StartAndRead());
    const QStringList faults = LayoutFaults(rig.window(), rig.screen());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
}

}  // namespace tarvex::ui

QTEST_MAIN(tarvex::ui::MainWindowTest)
#include "main_window_test.moc"
