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
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "editor/decode_radio_data.h"
#include "files/qt/pdf_printer.h"
#include "sim/memory_file.h"
#include "sim/simulated_serial_port.h"
#include "support/fake_clock.h"
#include "support/fake_port_catalogue.h"
#include "support/recording_ui.h"
#include "ui/desktop_program.h"
#include "ui/file_select_dialog.h"
#include "ui/tool_tip_renderer.h"

namespace tarvex::ui {
namespace {

using testing::RecordingUserInterface;
using testing::UiEvent;

// The boxes of the window, answered and recorded by a script.
class ScriptedDialogs final : public Dialogs {
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

QString SamplePath() {
    return QStringLiteral(TARVEX_SOURCE_DIR "/samples/mk-tone-repeater.kvd");
}

// A repeater holding the settings of the tone-repeater sample.
sim::RepeaterOptions SampleRepeater() {
    sim::RepeaterOptions options;
    const auto sample =
        sim::MemoryFile::Load(SamplePath().toStdString(), sim::MemoryFileFormat::DataFile);
    if (sample) {
        options.memory = sample->memory();
    }
    return options;
}

// The sample's repeater behind device names that exist or not, recording what is opened and
// written.
class DevicesPort final : public sim::SimulatedSerialPort {
  public:
    DevicesPort() : SimulatedSerialPort(SampleRepeater()) {}
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
        return SimulatedSerialPort::Write(bytes);
    }

    std::set<std::string> present{"/dev/ttyS0"};
    std::vector<std::string> opened;
    std::string written;
};

std::string ReadFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const QString& path, const std::string& content) {
    std::ofstream(path.toStdString(), std::ios::binary) << content;
}

// A system whose default printer, when it has one, writes default.pdf into a folder.
class PdfPrinters final : public PrinterSource {
  public:
    explicit PdfPrinters(QString folder) : folder_(std::move(folder)) {}
    std::unique_ptr<Printer> DefaultPrinter() override {
        if (!installed) {
            return nullptr;
        }
        return std::make_unique<PdfPrinter>((folder_ + "/default.pdf").toStdString());
    }
    std::unique_ptr<Printer> PdfFile(const std::string& path) override {
        return std::make_unique<PdfPrinter>(path);
    }
    bool installed = true;

  private:
    QString folder_;
};

// One program with its window, in a program directory of its own, which is also where the file
// dialog starts.
struct Rig {
    // Starts the program; the window is shown and active when it returns true.
    bool Start() {
        program = std::make_unique<DesktopProgram>(DesktopParts{
            port,
            clock,
            clock,
            dialogs,
            [this](const std::filesystem::path& document) {
                opened.push_back(document);
                return true;
            },
            {dir.path().toStdString(), std::nullopt, (dir.path() + "/backups").toStdString()},
            dir.path().toStdString(),
            &printers,
            &catalogue});
        if (!program->Start()) {
            return false;
        }
        window().activateWindow();
        return QTest::qWaitForWindowActive(&window());
    }

    MainWindow& window() { return program->window(); }
    ScreenModel& screen() { return program->app().screen(); }
    template <typename W>
    W* Widget(const std::string& name, int index = -1) {
        return qobject_cast<W*>(window().WidgetOf(name, index));
    }
    void Trigger(const std::string& array, int index) {
        window().MenuItemAction(array, index)->trigger();
    }
    // Start-up, then Radio > Read from the simulated repeater.
    bool StartAndRead() {
        if (!Start()) {
            return false;
        }
        Trigger("mRadio", 1);
        return true;
    }
    // File > Save File with this name typed into the dialog.
    void SaveAs(const QString& name);
    QString Config() const { return dir.path() + "/config.txt"; }
    QString Path(const QString& name) const { return dir.path() + "/" + name; }

    // What the user does if the file dialog shows, queued before the command that may open it.
    // A dialog the steps leave open is cancelled, so that a failed check cannot hang the test.
    void WhenFileDialogShows(std::function<void(FileSelectDialog&)> steps) {
        QTimer::singleShot(0, &window(), [this, steps] {
            FileSelectDialog* dialog = program->fileDialog();
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
    testing::FakeClock clock;
    ScriptedDialogs dialogs;
    PdfPrinters printers{dir.path()};
    testing::FakePortCatalogue catalogue;
    std::vector<std::filesystem::path> opened;
    std::unique_ptr<DesktopProgram> program;
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

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startUp();
    void startUpEndsWhenThePortIsGivenUp();
    void readFillsEveryWidget();
    void hangTimeOutOfRangeKeepsTheFocus();
    void typedAndPastedTextShowsAsTheModelHoldsIt();
    void programRadioWritesAsTheCheckItemsSayAfterARestart();
    void compareListsTheDifferencesAndChangesNothing();
    void terminalModeLocksAndUnlocksTheMenus();
    void radioWorkLocksTheWindowAndShowsProgress();
    void f1OpensNothing();
    void helpOpensThePageOrNamesTheFailure();
    void frequencyFieldsShowTheirTips();
    void saveThenOpenThroughTheDialog();
    void saveNamesTheFile();
    void leavingTheDialogShowsNothing();
    void openingALowerCaseMagicChangesNothing();
    void aFailedSaveKeepsWhatIsThere();
    void printGoesToThePrinterOrAPdfFile();
    void closingSendsXOnce();
    void comPortMenuListsTheDevicesPresentAndTitleNamesTheFile();
    void everyTextFitsItsControl();
};

void MainWindowTest::startUp() {
    const struct {
        QString config;      // "-" for no file
        std::string device;  // the one device that exists
        std::string answer;  // to the port prompt, if it comes
        QString configAfter;
        std::size_t prompts;
        int tickedPort;
    } cases[] = {
        {"-", "/dev/ttyS0", "", "ComPort = 1\r\n", 0, 1},  // port 1, the file created
        {"ComPort = 3\r\n# kept", "/dev/ttyS2", "", "ComPort = 3\r\n# kept", 0, 3},
        {"ComPort = 12\r\n", "/dev/ttyS0", "", "ComPort = 12\r\n", 0, 1},  // 12 reads as 1
        // A non-digit is port 0: the prompt, answered 2, and the file rewritten.
        {"ComPort = x\r\n", "/dev/ttyS1", "2", "ComPort = 2\r\n", 1, 2},
        {"ComPort", "/dev/ttyS0", "", "ComPort", 0, 1},  // shorter than 11 characters: port 1
    };
    for (const auto& c : cases) {
        Rig rig;
        if (c.config != "-") {
            WriteFile(rig.Config(), c.config.toStdString());
        }
        rig.port.present = {c.device};
        rig.dialogs.script.inputAnswers.push_back(c.answer);
        QVERIFY(rig.Start());

        QCOMPARE(QString::fromStdString(ReadFile(rig.Config())), c.configAfter);
        QCOMPARE(rig.dialogs.script.inputNotes.size(), c.prompts);
        QVERIFY(rig.port.IsOpen());
        QCOMPARE(rig.port.opened.back(), c.device);
        for (int item = 1; item <= 4; ++item) {
            QCOMPARE(rig.window().MenuItemAction("mComPort", item)->isChecked(),
                     item == c.tickedPort);
        }
        // The opening state, as the widgets show it.
        QCOMPARE(rig.window().windowTitle(), QString("Tarvex Repeater Programmer V5.0.4"));
        for (const auto& [name, index] :
             {std::pair{"CmbMK_Type_Code", 0}, {"CmbMK_Type_Code", 1}, {"CmbPTT_ExtEnc", -1}}) {
            QCOMPARE(rig.Widget<QComboBox>(name, index)->currentText(), QString("44 None"));
        }
        QVERIFY(!rig.Widget<QCheckBox>("chkMKEncodePol")->isEnabled());
        QVERIFY(rig.Widget<QCheckBox>("ChkMKEncodewID")->isChecked());
        QVERIFY(!rig.window().WidgetOf("FrameStatus")->isVisible());
        QVERIFY(!rig.window().WidgetOf("PDQComm1")->isVisible());
        QVERIFY(!rig.Widget<QLabel>("Image1")->pixmap().isNull() ||
                !QFile::exists(rig.dir.path() + "/nulogo4.jpg"));
    }
}

void MainWindowTest::startUpEndsWhenThePortIsGivenUp() {
    Rig rig;
    rig.port.present = {};
    rig.dialogs.script.inputAnswers = {std::string("7"), std::nullopt};
    QVERIFY(!rig.Start());
    QVERIFY(!rig.window().isVisible());
    QVERIFY(!QFile::exists(rig.Config()));
    QCOMPARE(rig.port.opened, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS6"}));
    // Each prompt named why the device was refused.
    QCOMPARE(rig.dialogs.script.inputNotes.size(), std::size_t{2});
    QVERIFY(rig.dialogs.script.inputNotes[0].rfind("/dev/ttyS0: ", 0) == 0);
    QVERIFY(rig.port.written.empty());
}

void MainWindowTest::readFillsEveryWidget() {
    Rig rig;
    WriteFile(rig.Config(), "ComPort = 1\r\n");
    QVERIFY(rig.Start());
    QSignalSpy progress(rig.Widget<QProgressBar>("StatusBar"), &QProgressBar::valueChanged);
    rig.Trigger("mRadio", 1);

    // The bar moved step by step while the read worked, not only at its end.
    QVERIFY(progress.count() > 50);
    QVERIFY(rig.dialogs.Messages().empty());
    QCOMPARE(rig.Widget<QComboBox>("cmbType")->currentText(), QString("ZPT-410"));
    QCOMPARE(rig.Widget<QLineEdit>("TxtRptrTXFreq")->text(), QString("451.0125"));
    // Every setting control shows what the model holds, and none is left empty. A screen reader
    // names each box and list after the label related to it (or the field's own name).
    for (const Control* control : rig.screen().AllControls()) {
        QWidget* widget = rig.window().WidgetOf(control->name, control->index);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            QVERIFY2(!edit->text().isEmpty(), control->name.c_str());
            QCOMPARE(edit->text(), QString::fromLatin1(control->text.c_str()));
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            QCOMPARE(list->currentIndex(), control->selectedRow);
        }
        if (qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<QComboBox*>(widget)) {
            const auto labels =
                QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
            QVERIFY2(labels.size() == 1 && !widget->accessibleName().isEmpty(),
                     control->name.c_str());
            QCOMPARE(widget->accessibleName(), labels[0].first->text(QAccessible::Name));
        }
        if (widget != nullptr) {
            QCOMPARE(widget->isVisibleTo(widget->parentWidget()), control->visible);
        }
    }
    QVERIFY(rig.window().isEnabled());
    QVERIFY(!rig.window().WidgetOf("FrameStatus")->isVisible());
}

void MainWindowTest::hangTimeOutOfRangeKeepsTheFocus() {
    Rig rig;
    QVERIFY(rig.StartAndRead());
    auto* hang = rig.Widget<QLineEdit>("TxtTXHangTime");
    hang->setFocus();
    QTRY_VERIFY(hang->hasFocus());
    hang->selectAll();
    QTest::keyClicks(hang, "8");
    QTest::keyClick(hang, Qt::Key_Tab);  // leaves the field

    const std::vector<MessageBox> boxes = rig.dialogs.Messages();
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(boxes[0].title), QString("Out of Range!"));
    QVERIFY(boxes[0].text.find("Value must be between ") == 0);
    QCOMPARE(hang->text(), QString("1"));
    QVERIFY(hang->hasFocus());
    // The field the Tab reached for a moment keeps its value.
    QCOMPARE(rig.Widget<QLineEdit>("TxtSqlTailMuteTime")->text(),
             QString::fromStdString(rig.screen().TxtSqlTailMuteTime.text));
}

// The box shows what the model holds: the point put in as a frequency is typed, characters beyond
// one byte, typed or pasted, dropped with a beep each.
void MainWindowTest::typedAndPastedTextShowsAsTheModelHoldsIt() {
    const struct {
        const char* field;
        QString typed;  // key by key, "\n" for Enter
        QString pasted;
        QString shown;
        int beeps;
    } cases[] = {
        {"TxtRptrTXFreq", "4510125\n", "", "451.0125", 0},
        {"TxtRptrTXFreq", u"451\u20AC"_qs, "", "451", 1},  // no point put in for it
        {"TxtMorseCodeID", "", u"VK\u20AC2"_qs, "VK2", 1},
        {"TxtTXHangTime", "5", u"\u20AC"_qs, "5", 1},
        {"TxtCustID", "", u"A\U0001F600B"_qs, "AB", 1},
    };
    for (const auto& c : cases) {
        Rig rig;
        QVERIFY(rig.Start());
        auto* box = rig.Widget<QLineEdit>(c.field);
        box->setFocus();
        for (const QString& key : c.typed.split("", Qt::SkipEmptyParts)) {
            QKeyEvent press(QEvent::KeyPress, key == "\n" ? Qt::Key_Return : 0, Qt::NoModifier,
                            key == "\n" ? "\r" : key);
            QApplication::sendEvent(box, &press);
        }
        QGuiApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), c.shown);
        QCOMPARE(QString::fromLatin1(rig.screen().Find(c.field)->text), c.shown);
        QCOMPARE(rig.dialogs.script.events, std::vector<UiEvent>(c.beeps, testing::BeepEvent()));
    }
}

void MainWindowTest::terminalModeLocksAndUnlocksTheMenus() {
    Rig rig;
    QVERIFY(rig.Start());
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
    rig.Trigger("mRadio", 4);
    QCOMPARE(enabled(), 0);
    QVERIFY(w.MenuItemAction("mRadio", 4)->isEnabled());
    QVERIFY(w.MenuItemAction("mRadio", 4)->isChecked());
    auto* view = rig.Widget<QPlainTextEdit>("PDQComm1");
    QVERIFY(view->isVisible());

    // Typed letters reach the repeater in upper case; its answer shows in the view.
    rig.port.written.clear();
    QTest::keyClick(view, 'v');
    QCOMPARE(rig.port.written, std::string("V"));
    QVERIFY(view->toPlainText().contains("V:10"));

    rig.Trigger("mRadio", 4);
    QVERIFY(!view->isVisible());
    QVERIFY(!w.MenuItemAction("mRadio", 4)->isChecked());
    QCOMPARE(enabled(), 7);
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
                               rig.window().WidgetOf("FrameStatus")->isVisible() &&
                               NothingShowsThroughTheStatusFrame(rig.window());
            statusAtTheBox = StatusText(rig.window());
            elsewhere.show();
            elsewhere.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        };
        rig.Trigger("mRadio", c.command);

        const std::vector<MessageBox> boxes = rig.dialogs.Messages();
        QVERIFY(!boxes.empty());
        QCOMPARE(QString::fromStdString(boxes.back().text), c.lastBox);
        QVERIFY(lockedAtEveryBox);
        QCOMPARE(statusAtTheBox, c.status);
        QVERIFY(rig.window().isEnabled());
        QVERIFY(rig.window().TopMenu("menuRadio")->menuAction()->isEnabled());
        QTRY_VERIFY(rig.window().isActiveWindow());
    }
}

void MainWindowTest::f1OpensNothing() {
    Rig rig;
    QVERIFY(rig.Start());
    QTest::keyClick(rig.Widget<QLineEdit>("TxtCustID"), Qt::Key_F1);
    QVERIFY(rig.opened.empty());
    QVERIFY(rig.dialogs.script.events.empty());
}

void MainWindowTest::helpOpensThePageOrNamesTheFailure() {
    Rig rig;
    QVERIFY(rig.Start());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(rig.dir.path()));

    rig.Trigger("mHelp", 1);
    WriteFile(rig.dir.path() + "/softwz.htm", "<html></html>");
    rig.Trigger("mHelp", 1);
    QDir::setCurrent(previous);

    const std::vector<MessageBox> boxes = rig.dialogs.Messages();
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0], (MessageBox{"Tarvex Repeater Programmer", "File not found",
                                   MessageIcon::None, MessageButtons::Ok}));
    QCOMPARE(rig.opened.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(rig.opened[0].string()),
             QDir(rig.dir.path()).absoluteFilePath("softwz.htm"));
}

void MainWindowTest::frequencyFieldsShowTheirTips() {
    Rig rig;
    QVERIFY(rig.Start());
    auto* renderer = rig.window().findChild<ToolTipRenderer*>();
    QVERIFY(renderer != nullptr);
    for (const char* name : {"TxtRptrTXFreq", "TxtRptrRXFreq"}) {
        QWidget* field = rig.window().WidgetOf(name);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
        QVERIFY(QApplication::sendEvent(field, &help));
        QVERIFY(renderer->popup()->isVisible());
        QCOMPARE(renderer->popup()->text(),
                 QString::fromStdString(rig.screen().Find(name)->helpText));
        QVERIFY(renderer->popup()->width() <= 240);
        QVERIFY(renderer->popup()->height() > renderer->popup()->fontMetrics().height() * 2);
        QCOMPARE(renderer->hideTimer().interval(), 20000);
        QVERIFY(field->toolTip().isEmpty());  // no second tip of Qt's own
        renderer->HideTip();
    }
    // The other help texts are the controls' own tips.
    QCOMPARE(rig.window().WidgetOf("TxtTXHangTime")->toolTip(),
             QString::fromStdString(rig.screen().TxtTXHangTime.helpText));
}

// What every setting control shows, keyed by its name and index; texts without the blanks that
// fill a field of the data file.
std::map<std::string, QString> Shown(Rig& rig) {
    std::map<std::string, QString> shown;
    for (const Control* control : rig.screen().AllControls()) {
        QWidget* widget = rig.window().WidgetOf(control->name, control->index);
        const std::string key = control->name + "(" + std::to_string(control->index) + ")";
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            shown[key] = edit->text().replace(QRegularExpression(" +$"), "");
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            shown[key] = list->currentText();
        } else if (auto* tick = qobject_cast<QCheckBox*>(widget)) {
            shown[key] = tick->isChecked() ? "ticked" : "clear";
        } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            shown[key] = option->isChecked() ? "chosen" : "not chosen";
        }
    }
    return shown;
}

// The dialog opens with the name box focused and its text selected; Enter there is OK.
void ChooseName(FileSelectDialog& dialog, const QString& name) {
    QCOMPARE(dialog.focusWidget(), dialog.txtCurrFile());
    QTest::keyClicks(dialog.txtCurrFile(), name);
    QTest::keyClick(dialog.txtCurrFile(), Qt::Key_Return);
}

void Rig::SaveAs(const QString& name) {
    WhenFileDialogShows([name](FileSelectDialog& dialog) { ChooseName(dialog, name); });
    Trigger("mFile", 2);
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

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void MainWindowTest::saveThenOpenThroughTheDialog() {
    Rig rig;
    WriteFile(rig.Path("older.kvd"), "");
    WriteFile(rig.Path("notes.txt"), "");
    QVERIFY(rig.StartAndRead());
    Retype(rig.Widget<QLineEdit>("TxtCustID"), "HILL 7");
    Retype(rig.Widget<QLineEdit>("TxtRptrTXFreq"), "4625");
    rig.Widget<QComboBox>("CmbMK_Type_Code", 1)->setFocus();
    const std::map<std::string, QString> saved = Shown(rig);
    QCOMPARE(saved.at("TxtRptrTXFreq(-1)"), QString("462.5000"));

    rig.WhenFileDialogShows([](FileSelectDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Select filename to save"));
        QCOMPARE(dialog.txtCurrFile()->text(), QString("*.kvd"));
        QCOMPARE(FileRows(dialog), QStringList{"older.kvd"});  // the pattern leaves notes.txt out
        ChooseName(dialog, "site");
    });
    rig.Trigger("mFile", 2);
    QCOMPARE(ReadFile(rig.Path("site.kvd")).size(), std::size_t{561});
    const QPoint firstPlace = rig.program->fileDialog()->pos();

    Retype(rig.Widget<QLineEdit>("TxtCustID"), "OTHER");
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
    QCOMPARE(rig.program->fileDialog()->pos(), firstPlace + QPoint(500 / 15, 500 / 15));
}

void MainWindowTest::saveNamesTheFile() {
    const std::pair<QString, QString> cases[] = {
        {"setup", "setup.kvd"},          // no extension: .kvd added
        {"setup.kvd", "setup.kvd"},      // .kvd kept
        {"setup.KVD", "setup.KVD.kvd"},  // upper-case .KVD is no extension
    };
    for (const auto& [typed, written] : cases) {
        Rig rig;
        QVERIFY(rig.StartAndRead());
        rig.SaveAs(typed);
        QVERIFY(rig.dialogs.script.events.empty());
        const QStringList kvd = QDir(rig.dir.path()).entryList({"setup*"}, QDir::Files);
        QCOMPARE(kvd, QStringList{written});
        QCOMPARE(ReadFile(rig.Path(written)).substr(0, 10), std::string("QMTF4     "));
    }
}

void MainWindowTest::leavingTheDialogShowsNothing() {
    for (const int way : {0, 1, 2}) {  // Cancel, the close box, Escape
        Rig rig;
        QVERIFY(rig.StartAndRead());
        const std::map<std::string, QString> before = Shown(rig);
        bool stayedOpen = false;
        bool left = false;
        rig.WhenFileDialogShows([&rig, &stayedOpen, &left, way](FileSelectDialog& dialog) {
            // OK with the pattern still in the box only beeps.
            QCOMPARE(dialog.txtCurrFile()->text(), QString("*.kvd"));
            QTest::mouseClick(dialog.cmdOk(), Qt::LeftButton);
            stayedOpen = dialog.isVisible() && rig.dialogs.script.events.size() == 1;
            if (way == 1) {
                dialog.close();
            } else if (way == 2) {
                QTest::keyClick(dialog.File1(), Qt::Key_Escape);
            } else {
                QTest::mouseClick(dialog.cmdCancel(), Qt::LeftButton);
            }
            left = !dialog.isVisible();
        });
        rig.Trigger("mFile", 2);
        QVERIFY(stayedOpen);
        QVERIFY(left);
        QCOMPARE(rig.dialogs.script.events, std::vector<UiEvent>{testing::BeepEvent()});
        QVERIFY(!rig.program->fileDialog()->isVisible());
        QVERIFY(QDir(rig.dir.path()).entryList({"*.kvd"}, QDir::Files).isEmpty());
        QCOMPARE(Shown(rig), before);
    }
}

void MainWindowTest::openingALowerCaseMagicChangesNothing() {
    Rig rig;
    std::string file = ReadFile(SamplePath());
    file.replace(0, 5, "qmtf4");
    WriteFile(rig.Path("lower.kvd"), file);
    QVERIFY(rig.StartAndRead());
    Retype(rig.Widget<QLineEdit>("TxtCustID"), "EDITED");
    const std::map<std::string, QString> before = Shown(rig);

    rig.WhenFileDialogShows([](FileSelectDialog& dialog) { DoubleClickFile(dialog, "lower.kvd"); });
    rig.Trigger("mFile", 1);
    QCOMPARE(rig.dialogs.Messages(),
             (std::vector<MessageBox>{
                 {"Invalid Data File",
                  "This doesn't appear to be a valid Radio data file...Please try again.",
                  MessageIcon::Critical, MessageButtons::Ok},
                 {"File System Error",
                  "Error reading data file...\nthe file does not start with a data file tag",
                  MessageIcon::Critical, MessageButtons::Ok}}));
    QCOMPARE(Shown(rig), before);
}

void MainWindowTest::aFailedSaveKeepsWhatIsThere() {
    // Neither can be written even by root, whom permissions would not stop.
    const struct {
        QString existing;  // a file, or a folder when it ends in "/"
        QString typed;
        std::string reason;  // under the message
    } cases[] = {
        {"notes.txt", "notes.txt/site", "Not a directory"},  // the folder is a file
        {"site.kvd/", "site", "Is a directory"},             // the target is a folder
    };
    for (const auto& c : cases) {
        Rig rig;
        const bool folder = c.existing.endsWith('/');
        QString kept = rig.Path(c.existing);
        if (folder) {
            QVERIFY(QDir().mkpath(kept));
            kept += "inside.kvd";
        }
        WriteFile(kept, "keep me");
        QVERIFY(rig.StartAndRead());
        rig.SaveAs(c.typed);
        QCOMPARE(
            rig.dialogs.Messages(),
            (std::vector<MessageBox>{{"File System Error", "Error saving data file...\n" + c.reason,
                                      MessageIcon::Critical, MessageButtons::Ok}}));
        QCOMPARE(ReadFile(kept), std::string("keep me"));
        QCOMPARE(QFileInfo(rig.Path(c.existing)).isDir(), folder);
    }
}

void MainWindowTest::printGoesToThePrinterOrAPdfFile() {
    const struct {
        bool installed;
        bool yes;       // to the offer of a PDF file
        QString typed;  // in the file dialog; empty: Cancel
        QString written;
    } cases[] = {
        {true, false, "", "default.pdf"},       // the default printer
        {false, true, "report", "report.pdf"},  // no printer: a PDF file named by the user
        {false, false, "", ""},                 // no printer, declined
        {false, true, "", ""},                  // no printer, the dialog cancelled
    };
    const std::vector<MessageBox> offer{
        {"Printer Error", "No printer is installed. Save the report as a PDF file instead?",
         MessageIcon::Question, MessageButtons::YesNo}};
    for (const auto& c : cases) {
        Rig rig;
        rig.printers.installed = c.installed;
        rig.dialogs.script.answers = {c.yes ? MessageResult::Yes : MessageResult::No};
        QVERIFY(rig.StartAndRead());
        bool asked = false;
        rig.WhenFileDialogShows([typed = c.typed, &asked](FileSelectDialog& dialog) {
            asked = dialog.windowTitle() == "Select filename for the report";
            if (!typed.isEmpty()) {
                ChooseName(dialog, typed);
            }
        });
        rig.Trigger("mFile", 4);

        QCOMPARE(rig.dialogs.Messages(), c.installed ? std::vector<MessageBox>{} : offer);
        QCOMPARE(asked, !c.installed && c.yes);
        const QStringList pdfs = QDir(rig.dir.path()).entryList({"*.pdf"}, QDir::Files);
        QCOMPARE(pdfs, c.written.isEmpty() ? QStringList{} : QStringList{c.written});
        QVERIFY(c.written.isEmpty() || ReadFile(rig.Path(c.written)).starts_with("%PDF"));
    }
}

// By File > Quit (the window closes after it) or the close box.
void MainWindowTest::closingSendsXOnce() {
    for (const bool quit : {true, false}) {
        Rig rig;
        QVERIFY(rig.Start());
        rig.port.written.clear();
        if (quit) {
            rig.Trigger("mFile", 6);
        } else {
            rig.window().close();
        }
        QVERIFY(!rig.window().isVisible());
        QVERIFY(rig.program->app().ended());
        QCOMPARE(rig.port.written, std::string("X"));
        QVERIFY(!rig.port.IsOpen());
        rig.window().close();  // closing again sends nothing more
        QCOMPARE(rig.port.written, std::string("X"));
    }
}

void MainWindowTest::everyTextFitsItsControl() {
    Rig rig;
    QVERIFY(rig.StartAndRead());
    const QStringList faults = LayoutFaults(rig.window(), rig.screen());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
}

void MainWindowTest::comPortMenuListsTheDevicesPresentAndTitleNamesTheFile() {
    Rig rig;
    rig.port.present.insert("/dev/ttyUSB0");
    QVERIFY(rig.Start());
    QVERIFY(!rig.window().windowIcon().isNull());
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

    rig.program->OpenFile(SamplePath().toStdString());
    QCOMPARE(rig.window().windowTitle(),
             QString::fromUtf8("Tarvex Repeater Programmer V5.0.4 \u2014 mk-tone-repeater.kvd"));
    QTest::keyClick(rig.Widget<QLineEdit>("TxtCustID"), Qt::Key_End);
    QTest::keyClick(rig.Widget<QLineEdit>("TxtCustID"), Qt::Key_Backspace);
    rig.dialogs.script.answers = {MessageResult::No};
    rig.window().close();
    QVERIFY(rig.window().isVisible());  // the edit is kept
    QCOMPARE(rig.dialogs.Messages().size(), std::size_t{1});
}

// The Radio menu's check items as chosen before a restart: the blocks sent and the read-back after
// them, as the serial trace holds them, then the notice in the status line until its time is up.
// Compare With Repeater then finds the repeater holding the screen.
void MainWindowTest::programRadioWritesAsTheCheckItemsSayAfterARestart() {
    const struct {
        std::vector<int> chosen;  // check items clicked in the run before
        bool edited;              // the transmit frequency, in the block at address 0
        int blocks;
        bool readBack;
        QString status;
    } cases[] = {
        {{}, true, 7, true, "Programmed and verified. Previous settings kept in "},
        {{kVerifyAfterProgrammingItem}, true, 7, false, "Programmed (not read back). Previous"},
        {{kWriteChangedBlocksOnlyItem}, true, 1, true, "Programmed and verified. Previous"},
        {{kWriteChangedBlocksOnlyItem}, false, 0, false, "The repeater already holds these"},
    };
    for (const auto& c : cases) {
        Rig rig;
        QVERIFY(rig.Start());
        for (int item : c.chosen) {
            rig.Trigger("mRadio", item);
        }
        rig.window().close();
        QVERIFY(rig.StartAndRead());  // the next run, in the same folder
        for (int item : {kVerifyAfterProgrammingItem, kWriteChangedBlocksOnlyItem}) {
            QCOMPARE(rig.window().MenuItemAction("mRadio", item)->isChecked(),
                     std::count(c.chosen.begin(), c.chosen.end(), item) !=
                         (item == kVerifyAfterProgrammingItem));
        }
        if (c.edited) {
            Retype(rig.Widget<QLineEdit>("TxtRptrTXFreq"), "4625");
        }
        rig.Trigger("mRadio", 2);
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
        QVERIFY(rig.window().WidgetOf("FrameStatus")->isVisible() && rig.window().isEnabled());
        // A long path is cut in its middle, so that the backup's name shows; the tip has it all.
        const std::string deep = "kept in /" + std::string(200, 'd') + "/ZPT-410_2024.kvd";
        rig.screen().StatusBar1.panels = {deep};
        rig.window().Refresh();
        auto* panel = rig.window().WidgetOf("StatusBar1")->findChild<QLabel*>("panel1");
        QVERIFY(panel->text().endsWith("/ZPT-410_2024.kvd") && panel->toolTip() == deep.c_str());
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->width());
        rig.program->app().TimStatusNotice_Timer();
        rig.window().Refresh();
        QVERIFY(!rig.window().WidgetOf("FrameStatus")->isVisible());
        QVERIFY(rig.window().WidgetOf("FrmMonitorMode")->isVisible());
        rig.Trigger("mRadio", kCompareWithRepeaterItem);
        QCOMPARE(rig.dialogs.Messages().back().text,
                 "The screen and the repeater hold the same settings.");
    }
}

// Both compare commands against what the repeater was read with, which same.kvd holds too: the
// same, or the edited frequency listed. The screen stays as it was and nothing is written.
void MainWindowTest::compareListsTheDifferencesAndChangesNothing() {
    const char* txLine = "Repeater Transmit Frequency: screen 462.5000 MHz, ";
    const struct {
        bool withFile;
        bool edited;
        std::string text;  // of the box, or the heading and lines of the list
    } cases[] = {
        {true, false, "The screen and same.kvd hold the same settings."},
        {true, true,
         std::string("Settings that differ between the screen and same.kvd:\n") + txLine +
             "file 451.0125 MHz"},
        {false, true,
         std::string("Settings that differ between the screen and the repeater:\n") + txLine +
             "repeater 451.0125 MHz"},
    };
    for (const auto& c : cases) {
        Rig rig;
        WriteFile(rig.Path("same.kvd"), ReadFile(SamplePath()));
        QVERIFY(rig.StartAndRead());
        if (c.edited) {
            Retype(rig.Widget<QLineEdit>("TxtRptrTXFreq"), "4625");
        }
        const std::map<std::string, QString> before = Shown(rig);
        rig.port.written.clear();
        rig.WhenFileDialogShows([](FileSelectDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Select filename to compare"));
            DoubleClickFile(dialog, "same.kvd");
        });
        rig.Trigger(c.withFile ? "mFile" : "mRadio",
                    c.withFile ? kCompareWithFileItem : kCompareWithRepeaterItem);
        QCOMPARE(
            rig.dialogs.Messages(),
            (std::vector<MessageBox>{{c.withFile ? "Compare With File" : "Compare With Repeater",
                                      c.text, MessageIcon::Information, MessageButtons::Ok}}));
        QCOMPARE(Shown(rig), before);
        QCOMPARE(rig.window().windowTitle(), QString("Tarvex Repeater Programmer V5.0.4"));
        QCOMPARE(rig.port.written.find('S'), std::string::npos);
        QVERIFY(rig.window().isEnabled() && !rig.window().WidgetOf("FrameStatus")->isVisible());
    }
}

}  // namespace tarvex::ui

QTEST_MAIN(tarvex::ui::MainWindowTest)
#include "main_window_test.moc"
