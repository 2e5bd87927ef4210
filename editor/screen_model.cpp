#include "editor/screen_model.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "codec/squelch_rows.h"

namespace tarvex {
namespace {

// Rows 0 to 51 of every coded-squelch list. The tones after row 38 are not in ascending order and
// row 44 is a second "None".
constexpr std::array<std::string_view, 52> kToneRows{
    "00 None",        "01 MK 67 Hz",    "02 MK 71.9 Hz",  "03 MK 74.4 Hz",  "04 MK 77.0 Hz",
    "05 MK 79.7 Hz",  "06 MK 82.5 Hz",  "07 MK 85.4 Hz",  "08 MK 88.5 Hz",  "09 MK 91.5 Hz",
    "10 MK 94.8 Hz",  "11 MK 97.4 Hz",  "12 MK 100.0 Hz", "13 MK 103.5 Hz", "14 MK 107.2 Hz",
    "15 MK 110.9 Hz", "16 MK 114.8 Hz", "17 MK 118.8 Hz", "18 MK 123.0 Hz", "19 MK 127.3 Hz",
    "20 MK 131.8 Hz", "21 MK 136.5 Hz", "22 MK 141.3 Hz", "23 MK 146.2 Hz", "24 MK 151.4 Hz",
    "25 MK 156.7 Hz", "26 MK 162.2 Hz", "27 MK 167.9 Hz", "28 MK 173.8 Hz", "29 MK 179.9 Hz",
    "30 MK 186.2 Hz", "31 MK 192.8 Hz", "32 MK 203.5 Hz", "33 MK 210.7 Hz", "34 MK 218.1 Hz",
    "35 MK 225.7 Hz", "36 MK 233.6 Hz", "37 MK 241.8 Hz", "38 MK 250.3 Hz", "39 MK 69.4 Hz",
    "40 MK 159.8 Hz", "41 MK 165.5 Hz", "42 MK 171.3 Hz", "43 MK 177.3 Hz", "44 None",
    "45 MK 183.5 Hz", "46 MK 189.9 Hz", "47 MK 196.6 Hz", "48 MK 199.5 Hz", "49 MK 206.5 Hz",
    "50 MK 229.1 Hz", "51 MK 254.1 Hz",
};

// The Digital Mute Key codes of rows 52 to 134, in list order.
constexpr std::array<std::string_view, 83> kDmkCodes{
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072",
    "073", "074", "114", "115", "116", "125", "131", "132", "134", "143", "152", "155",
    "156", "162", "165", "172", "174", "205", "223", "226", "243", "244", "245", "251",
    "261", "263", "265", "271", "306", "311", "315", "331", "343", "346", "351", "364",
    "365", "371", "411", "412", "413", "423", "431", "432", "445", "464", "465", "466",
    "503", "506", "516", "532", "546", "565", "606", "612", "624", "627", "631", "632",
    "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

static_assert(kToneRows.size() == kLastToneRow + 1);
static_assert(kDmkCodes.size() == kLastDmkRow - kFirstDmkRow + 1);

constexpr int kSlot1 = 0;
constexpr int kSlot2 = 1;

// The one row sequence of the three lists: tone rows, DMK rows, then the list's own special rows.
std::vector<std::string> CodedSquelchRows(std::initializer_list<std::string_view> specialRows) {
    std::vector<std::string> rows;
    rows.reserve(kToneRows.size() + kDmkCodes.size() + specialRows.size());
    for (std::string_view tone : kToneRows) {
        rows.emplace_back(tone);
    }
    for (std::string_view code : kDmkCodes) {
        rows.push_back("DMK " + std::string(code));
    }
    for (std::string_view special : specialRows) {
        rows.emplace_back(special);
    }
    return rows;
}

Control MakeControl(std::string name, ControlKind kind, std::string caption, TwipRect position,
                    int tabIndex) {
    Control control;
    control.name = std::move(name);
    control.kind = kind;
    control.caption = std::move(caption);
    control.position = position;
    control.tabIndex = tabIndex;
    return control;
}

Control TextBox(std::string name, TwipRect position, int tabIndex, std::string tag = {},
                std::string helpText = {}) {
    Control box = MakeControl(std::move(name), ControlKind::TextBox, {}, position, tabIndex);
    box.tag = std::move(tag);
    box.helpText = std::move(helpText);
    return box;
}

Control Label(std::string name, std::string caption, TwipRect position, int tabIndex) {
    return MakeControl(std::move(name), ControlKind::Label, std::move(caption), position, tabIndex);
}

// A horizontal rule from x1 to x2 at height y.
Control HorizontalLine(std::string name, int x1, int x2, int y) {
    return MakeControl(std::move(name), ControlKind::Line, {}, {x1, y, x2 - x1, 0}, kNoTabIndex);
}

Control CodedSquelchList(std::string name, int index, std::vector<std::string> rows,
                         TwipRect position, int tabIndex, std::string helpText) {
    Control list = MakeControl(std::move(name), ControlKind::ComboBox, {}, position, tabIndex);
    list.index = index;
    list.rows = std::move(rows);
    list.helpText = std::move(helpText);
    return list;
}

Control InFrame(Control control, std::string frame) {
    control.container = std::move(frame);
    return control;
}

// The window itself: its design caption and its client area.
Control MainWindow() {
    return MakeControl("FrmMainScrn", ControlKind::Form, "Tarvex Repeater Programmer",
                       {0, 0, 8430, 5400}, kNoTabIndex);
}

// A frequency field's help: its own sentence joined directly to the common note on the raster.
std::string FrequencyHelp(std::string_view sentence) {
    return std::string(sentence) + " to the nearest 12.5 kHz step.";
}

// Left column: model, customer identifier, frequencies, firmware version.
void BuildIdentity(ScreenModel& s) {
    s.cmbType = MakeControl("cmbType", ControlKind::ComboBox, {}, {840, 120, 2895, 315}, 0);
    s.cmbType.rows = {"ZPT-410"};
    s.cmbType.selectedRow = kNoRow;

    s.TxtCustID = TextBox("TxtCustID", {1680, 600, 2055, 285}, 1);
    s.TxtRptrTXFreq =
        TextBox("TxtRptrTXFreq", {2280, 960, 855, 285}, 2, "F|400|512|",
                FrequencyHelp(
                    "Repeater Transmit Freq in MHz (Portable or Mobile Receive) - this will snap"));
    s.TxtRptrRXFreq =
        TextBox("TxtRptrRXFreq", {2280, 1320, 855, 285}, 3, "F|400|512|",
                FrequencyHelp(
                    "Repeater Receive Freq in MHz (Portable or Mobile Transmit) - this will snap"));
    s.TxtCustomMKFreq =
        TextBox("TxtCustomMKFreq", {1920, 3600, 495, 285}, 7, "F|60|254|",
                "The CTCSS freq encoded when Custom MK is selected as tone ( 60 - 254 Hz. ) ");
    s.TxtFirmwareVersion = TextBox("TxtFirmwareVersion", {1680, 3960, 735, 285}, 8);
    s.TxtFirmwareVersion.readOnly = true;
}

// The coded squelch table: both slots, the PTT/EXT encode list and the polarity boxes.
void BuildCodedSquelch(ScreenModel& s) {
    s.CmbMK_Type_Code[kSlot1] = CodedSquelchList(
        "CmbMK_Type_Code", kSlot1, SlotListRows(kSlot1), {720, 2400, 1455, 315}, 4,
        "A total of one Mute Key CTCSS  tone or two separate Digital Mute Key codes may be "
        "selected per repeater.  ");
    s.CmbMK_Type_Code[kSlot2] = CodedSquelchList(
        "CmbMK_Type_Code", kSlot2, SlotListRows(kSlot2), {720, 2760, 1455, 315}, 5,
        "A total of one Mute Key CTCSS tone or two separate Digital Mute Key codes may be "
        "selected per repeater.  ");
    s.CmbPTT_ExtEnc = CodedSquelchList("CmbPTT_ExtEnc", -1, PttListRows(), {1800, 3200, 1455, 315},
                                       6, "When PTT pressed the CTCSS tone or DMK code encoded ");

    s.chkMKEncodePol = MakeControl("chkMKEncodePol", ControlKind::CheckBox,
                                   "DMK Encode Polarity Invert", {360, 4320, 2655, 195}, 49);
    s.chkMKEncodePol.helpText =
        "polarity inversion may  be needed for transmitted signal to properly decode on some "
        "radios";
    s.chkMKDecodePol = MakeControl("chkMKDecodePol", ControlKind::CheckBox,
                                   "DMK Decode Polarity Invert", {360, 4680, 2655, 195}, 50);
    s.chkMKDecodePol.helpText =
        "polarity inversion may be needed to properly decode signals from some radios";
}

// Right column: Morse identifier, timers and monitor mode.
void BuildFeatures(ScreenModel& s) {
    s.TxtMorseCodeID = TextBox("TxtMorseCodeID", {5520, 2160, 1095, 285}, 9, {},
                               "This text will be sent as a Morse code ID ");
    s.TxtIDTXInterval =
        TextBox("TxtIDTXInterval", {6000, 2520, 615, 285}, 10, "F|0|34|",
                "The amount ot time after the last repeater transmission that the Morse code ID "
                "is sent  ( 0 - 34 min ) ");

    // Drawn as the box alone: its caption lies outside its width.
    s.ChkMKEncodewID =
        MakeControl("ChkMKEncodewID", ControlKind::CheckBox, "Check1", {6000, 2880, 135, 195}, 11);
    s.ChkMKEncodewID.helpText =
        "Checking this box will encode a CTCSS tone or DMK code (if used) along with the Morse "
        "code ID ";
    s.ChkMKEncodewID.check = CheckState::Checked;

    s.TxtTXTimeOutTimer =
        TextBox("TxtTXTimeOutTimer", {6120, 3240, 495, 285}, 12, "F|0|34|",
                "A value of zero will defeat the TX Time Out Timer  ( 0 - 34 min ) ");
    s.TxtTXHangTime = TextBox("TxtTXHangTime", {6120, 3600, 495, 285}, 13, "F|0|7|",
                              "The amount of time that CTCSS tone or DMK code will be encoded at "
                              "the end of TX  ( 0 - 7 sec ) ");
    s.TxtSqlTailMuteTime = TextBox("TxtSqlTailMuteTime", {6120, 3960, 495, 285}, 14, "F|0|7|",
                                   "The amount of time that a carrier with no CTCSS tone or DMK "
                                   "code is sent at the end of TX  ( 0 - 7 sec ) ");

    s.OptOvrCarrier = InFrame(MakeControl("OptOvrCarrier", ControlKind::OptionButton,
                                          "Override Carrier", {240, 240, 1455, 195}, 15),
                              "FrmMonitorMode");
    s.OptOvrCarrier.helpText =
        "this monitor mode opens the audio squelch to the speaker but does not TX ";
    s.OptOvrTone = InFrame(MakeControl("OptOvrTone", ControlKind::OptionButton, "Override Tone",
                                       {1920, 240, 1335, 255}, 16),
                           "FrmMonitorMode");
    s.OptOvrTone.helpText =
        "this monitor mode opens the squelch to the speaker when a carrier is present overriding "
        "tone but does not TX ";
    s.FrmMonitorMode = MakeControl("FrmMonitorMode", ControlKind::Frame, "Monitor Mode",
                                   {3720, 4320, 3375, 615}, 17);
}

// The labels of the fields, in the order of their fields; they take tab indexes 18 to 38.
void BuildFieldLabels(ScreenModel& s) {
    constexpr int kRight = 3720;  // right-column labels
    constexpr int kUnits = 6720;  // right-column unit labels
    s.LblModel = Label("LblModel", "Model", {240, 120, 615, 375}, 18);
    s.LblCustomerID = Label("LblCustomerID", "Customer ID Number", {120, 600, 1575, 255}, 19);
    s.LblRptTXFreq =
        Label("LblRptTXFreq", "Repeater Transmit Frequency", {120, 960, 2175, 255}, 20);
    s.LblTXUnits = Label("LblTXUnits", "MHz", {3240, 960, 495, 255}, 21);
    s.LblRptRXFreq =
        Label("LblRptRXFreq", "Repeater Receive Frequency", {120, 1320, 2295, 255}, 22);
    s.LblRXUnits = Label("LblRXUnits", "MHz ", {3240, 1320, 495, 255}, 23);
    s.LblSlot1 = Label("LblSlot1", "1", {360, 2400, 255, 255}, 24);
    s.LblSlot2 = Label("LblSlot2", "2", {360, 2760, 255, 255}, 25);
    s.LblPTTExtEncode = Label("LblPTTExtEncode", "PTT/EXT Encode", {360, 3240, 1455, 255}, 26);
    s.LblCustomMKFreq = Label("LblCustomMKFreq", "Custom MK Freq Hz", {360, 3600, 1455, 255}, 27);
    s.LblFirmwareVersion =
        Label("LblFirmwareVersion", "Firmware Version", {360, 3960, 1215, 255}, 28);
    s.LblMorseCodeID = Label("LblMorseCodeID", "MORSE Code ID", {kRight, 2160, 1215, 255}, 29);
    s.LblIDTXInterval =
        Label("LblIDTXInterval", "ID Transmit Interval", {kRight, 2520, 1455, 255}, 30);
    s.LblIDTXIntervalUnits = Label("LblIDTXIntervalUnits", "(min)", {kUnits, 2520, 495, 255}, 31);
    s.LblMKEncodewID = Label("LblMKEncodewID", "MK Encode with ID", {kRight, 2880, 1455, 255}, 32);
    s.LblTXTimeOutTimer =
        Label("LblTXTimeOutTimer", "TX Time Out Timer", {kRight, 3240, 1455, 255}, 33);
    s.LblTXTimeOutTimerUnits =
        Label("LblTXTimeOutTimerUnits", "(min)", {kUnits, 3240, 375, 255}, 34);
    s.LblTXHangTime = Label("LblTXHangTime", "Transmit Hang Time", {kRight, 3600, 1575, 255}, 35);
    s.LblTXHangTimeUnits = Label("LblTXHangTimeUnits", "(sec)", {kUnits, 3600, 375, 255}, 36);
    s.LblSqlTailMuteTime =
        Label("LblSqlTailMuteTime", "Squelch Tail Mute Time", {kRight, 3960, 1695, 255}, 37);
    s.LabelSqlTailMuteTimeUnits =
        Label("LabelSqlTailMuteTimeUnits", "(sec)", {kUnits, 3960, 375, 255}, 38);
}

// The label beside each field names it.
void LinkFieldLabels(ScreenModel& s) {
    const std::pair<Control*, const Control*> links[] = {
        {&s.cmbType, &s.LblModel},
        {&s.TxtCustID, &s.LblCustomerID},
        {&s.TxtRptrTXFreq, &s.LblRptTXFreq},
        {&s.TxtRptrRXFreq, &s.LblRptRXFreq},
        {&s.CmbMK_Type_Code[kSlot1], &s.LblSlot1},
        {&s.CmbMK_Type_Code[kSlot2], &s.LblSlot2},
        {&s.CmbPTT_ExtEnc, &s.LblPTTExtEncode},
        {&s.TxtCustomMKFreq, &s.LblCustomMKFreq},
        {&s.TxtFirmwareVersion, &s.LblFirmwareVersion},
        {&s.TxtMorseCodeID, &s.LblMorseCodeID},
        {&s.TxtIDTXInterval, &s.LblIDTXInterval},
        {&s.ChkMKEncodewID, &s.LblMKEncodewID},
        {&s.TxtTXTimeOutTimer, &s.LblTXTimeOutTimer},
        {&s.TxtTXHangTime, &s.LblTXHangTime},
        {&s.TxtSqlTailMuteTime, &s.LblSqlTailMuteTime},
    };
    for (const auto& [field, label] : links) {
        field->label = label->name;
    }
}

void BuildHeadings(ScreenModel& s) {
    s.LblTableTitle = Label("LblTableTitle", "Coded Squelch Options", {600, 1680, 2535, 255}, 39);
    s.LblNumber = Label("LblNumber", "#", {360, 2040, 255, 255}, 40);
    s.LblCode = Label("LblCode", "CODE", {840, 2040, 495, 255}, 41);
    s.LblType = Label("LblType", "TYPE", {1560, 2040, 495, 255}, 42);
    s.LblFeaturesTitle =
        Label("LblFeaturesTitle", "Features and Options", {4200, 1680, 1575, 255}, 43);
    s.Line1 = HorizontalLine("Line1", 600, 2280, 1920);
    s.Line2 = HorizontalLine("Line2", 360, 480, 2280);
    s.Line3 = HorizontalLine("Line3", 840, 1320, 2280);
    s.Line4 = HorizontalLine("Line4", 1560, 2040, 2280);
    s.Line5 = HorizontalLine("Line5", 4200, 5760, 1920);
    s.Image1 = MakeControl("Image1", ControlKind::Picture, {}, {3960, 0, 4335, 1455}, kNoTabIndex);
}

// The status frame with its progress bar and status line, the keep-alive timer and the serial
// control. The frame is 8400 x 1200: the label near its top, the progress bar under it and the
// status line across its bottom edge.
void BuildWorkingState(ScreenModel& s) {
    s.FrameStatus = MakeControl("FrameStatus", ControlKind::Frame, {}, {0, 3960, 8400, 1200}, 44);
    s.FrameStatus.visible = false;
    s.LabelStatus = InFrame(Label("LabelStatus", "Programming Radio", {3360, 240, 2175, 375}, 45),
                            "FrameStatus");

    s.StatusBar =
        InFrame(MakeControl("StatusBar", ControlKind::ProgressBar, {}, {1920, 660, 4560, 255}, 46),
                "FrameStatus");
    s.StatusBar.minimum = 0;
    s.StatusBar.maximum = 100;
    s.StatusBar.value = 0;
    s.StatusBar.visible = false;

    s.StatusBar1 =
        InFrame(MakeControl("StatusBar1", ControlKind::StatusLine, {}, {0, 960, 8400, 240}, 47),
                "FrameStatus");
    s.StatusBar1.panels = {""};

    // The serial control's face is its terminal view: a console over the editing area, hidden
    // until terminal mode shows it.
    s.PDQComm1 =
        MakeControl("PDQComm1", ControlKind::SerialControl, {}, {120, 1560, 8190, 3720}, 48);
    s.PDQComm1.visible = false;

    // A timer is never drawn; start-up gives it its interval and starts it.
    s.TimRptrProgMode =
        MakeControl("TimRptrProgMode", ControlKind::Timer, {}, {0, 0, 0, 0}, kNoTabIndex);
    s.TimRptrProgMode.interval = 0;
    s.TimRptrProgMode.enabled = false;
    s.TimStatusNotice =
        MakeControl("TimStatusNotice", ControlKind::Timer, {}, {0, 0, 0, 0}, kNoTabIndex);
    s.TimStatusNotice.interval = kStatusNoticeMs;
    s.TimStatusNotice.enabled = false;
}

MenuItem Header(std::string name, std::string caption) {
    return MenuItem{std::move(name), -1, std::move(caption)};
}

std::vector<MenuItem> Items(const std::string& arrayName,
                            std::initializer_list<std::string_view> captions) {
    std::vector<MenuItem> items;
    int index = 1;
    for (std::string_view caption : captions) {
        items.push_back(MenuItem{arrayName, index++, std::string(caption)});
    }
    return items;
}

void BuildMenus(ScreenModel& s) {
    s.menuFile = {Header("menuFile", "&File"),
                  Items("mFile", {"&Open File", "&Save File", "-", "&Print", "-", "&Quit", "-",
                                  "&Compare With File\u2026", "Open &Backup\u2026"})};
    s.menuRadio = {Header("menuRadio", "&Radio"),
                   Items("mRadio", {"&Read", "&Program Radio", "-", "&Terminal Mode", "&Com Port",
                                    "-", "Co&mpare With Repeater", "-", "&Verify After Programming",
                                    "&Write Changed Blocks Only"})};
    for (const int check :
         {4 /* Terminal Mode */, kVerifyAfterProgrammingItem, kWriteChangedBlocksOnlyItem}) {
        s.menuRadio.item(check).checkable = true;
    }
    s.menuRadio.item(kVerifyAfterProgrammingItem).checked = true;
    // The submenu's header is the Radio item that opens it.
    s.mComPort = {s.menuRadio.item(5),
                  Items("mComPort", {"COM Port&1", "COM Port&2", "COM Port&3", "COM Port&4"})};
    s.menuHelp = {Header("menuHelp", "&Help"),
                  Items("mHelp", {"Contact Us", "&Save Serial Trace\u2026"})};
}

// Every control member, in declaration order; Model is ScreenModel or const ScreenModel.
template <typename Pointer, typename Model>
std::vector<Pointer> ControlsOf(Model& m) {
    return {
        &m.FrmMainScrn,
        &m.cmbType,
        &m.TxtCustID,
        &m.TxtRptrTXFreq,
        &m.TxtRptrRXFreq,
        &m.CmbMK_Type_Code[0],
        &m.CmbMK_Type_Code[1],
        &m.CmbPTT_ExtEnc,
        &m.TxtCustomMKFreq,
        &m.TxtFirmwareVersion,
        &m.TxtMorseCodeID,
        &m.TxtIDTXInterval,
        &m.ChkMKEncodewID,
        &m.TxtTXTimeOutTimer,
        &m.TxtTXHangTime,
        &m.TxtSqlTailMuteTime,
        &m.OptOvrCarrier,
        &m.OptOvrTone,
        &m.FrmMonitorMode,
        &m.chkMKEncodePol,
        &m.chkMKDecodePol,
        &m.LblModel,
        &m.LblCustomerID,
        &m.LblRptTXFreq,
        &m.LblTXUnits,
        &m.LblRptRXFreq,
        &m.LblRXUnits,
        &m.LblSlot1,
        &m.LblSlot2,
        &m.LblPTTExtEncode,
        &m.LblCustomMKFreq,
        &m.LblFirmwareVersion,
        &m.LblMorseCodeID,
        &m.LblIDTXInterval,
        &m.LblIDTXIntervalUnits,
        &m.LblMKEncodewID,
        &m.LblTXTimeOutTimer,
        &m.LblTXTimeOutTimerUnits,
        &m.LblTXHangTime,
        &m.LblTXHangTimeUnits,
        &m.LblSqlTailMuteTime,
        &m.LabelSqlTailMuteTimeUnits,
        &m.LblTableTitle,
        &m.LblNumber,
        &m.LblCode,
        &m.LblType,
        &m.LblFeaturesTitle,
        &m.Line1,
        &m.Line2,
        &m.Line3,
        &m.Line4,
        &m.Line5,
        &m.Image1,
        &m.FrameStatus,
        &m.LabelStatus,
        &m.StatusBar,
        &m.StatusBar1,
        &m.TimRptrProgMode,
        &m.TimStatusNotice,
        &m.PDQComm1,
    };
}

}  // namespace

std::string Control::SelectedText() const {
    if (selectedRow < 0 || selectedRow >= static_cast<int>(rows.size())) {
        return {};
    }
    return rows[selectedRow];
}

// Item n is items[n - 1]; any other index is a programming error and throws std::out_of_range.
MenuItem& Menu::item(int index) {
    return const_cast<MenuItem&>(std::as_const(*this).item(index));
}

const MenuItem& Menu::item(int index) const {
    if (index < 1 || index > static_cast<int>(items.size())) {
        throw std::out_of_range("menu " + header.name + " has no item " + std::to_string(index));
    }
    return items[index - 1];
}

std::vector<Control*> ScreenModel::AllControls() {
    return ControlsOf<Control*>(*this);
}

std::vector<const Control*> ScreenModel::AllControls() const {
    return ControlsOf<const Control*>(*this);
}

Control* ScreenModel::Find(const std::string& name, int index) {
    for (Control* control : AllControls()) {
        if (control->name == name && control->index == index) {
            return control;
        }
    }
    return nullptr;
}

std::vector<std::string> SlotListRows(int slotIndex) {
    if (slotIndex != kSlot1 && slotIndex != kSlot2) {
        throw std::out_of_range("no coded-squelch slot " + std::to_string(slotIndex));
    }
    std::vector<std::string> rows = CodedSquelchRows({"Carrier SQ", "Inactive", "Custom MK"});
    if (slotIndex == kSlot2) {
        rows[kFirstDmkRow] += ' ';  // slot 2's list has always read "DMK 023 "
    }
    return rows;
}

std::vector<std::string> PttListRows() {
    return CodedSquelchRows({"Custom MK"});
}

void ReplaceText(Control& box, std::string text) {
    box.text = std::move(text);
    box.caret = static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(std::max(box.caret, 0)), box.text.size()));
}

ScreenModel BuildMainScreen() {
    ScreenModel screen;
    screen.FrmMainScrn = MainWindow();
    BuildIdentity(screen);
    BuildCodedSquelch(screen);
    BuildFeatures(screen);
    BuildFieldLabels(screen);
    LinkFieldLabels(screen);
    BuildHeadings(screen);
    BuildWorkingState(screen);
    BuildMenus(screen);
    SetCodedSquelchOpeningState(screen);
    return screen;
}

void SetCodedSquelchOpeningState(ScreenModel& screen) {
    screen.chkMKDecodePol.enabled = false;
    screen.chkMKEncodePol.enabled = false;
    for (Control& slot : screen.CmbMK_Type_Code) {
        slot.selectedRow = kRowNonePlaceholder;
    }
    screen.CmbPTT_ExtEnc.selectedRow = kRowNonePlaceholder;
}

}  // namespace tarvex
