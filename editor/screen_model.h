#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvex {

enum class ControlKind {
    Form,
    TextBox,
    ComboBox,
    CheckBox,
    OptionButton,
    Frame,
    Label,
    Line,
    Picture,
    ProgressBar,
    StatusLine,
    Timer,
    SerialControl,
};

enum class CheckState { Unchecked, Checked, Grayed };

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};

// Left, top, width, height in twips (15 twips are one pixel at 96 dpi). A line runs from
// (left, top) to (left + width, top + height).
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

inline constexpr int kNoTabIndex = -1;
inline constexpr int kNoRow = -1;

// One control of the main window as plain state. Not every attribute applies to every kind;
// the window binds the ones that do.
struct Control {
    std::string name;
    int index = -1;  // element number within a control array, -1 when not an array
    ControlKind kind = ControlKind::Label;
    std::string container;  // name of the frame that holds it, empty for the window itself
    std::string label;      // name of the label that names it, empty when none
    std::string caption;
    std::string text;
    int caret = 0;  // text boxes: characters before the cursor
    bool enabled = true;
    bool visible = true;
    bool readOnly = false;
    Rgb foreColor = kBlack;
    Rgb backColor = kWhite;
    std::string tag;
    int tabIndex = kNoTabIndex;
    TwipRect position;
    std::string helpText;
    CheckState check = CheckState::Unchecked;  // check boxes
    bool selected = false;                     // option buttons
    std::vector<std::string> rows;             // drop-down lists
    int selectedRow = kNoRow;
    int value = 0;  // progress bar
    int minimum = 0;
    int maximum = 0;
    std::vector<std::string> panels;  // status line
    int interval = 0;                 // timer, in milliseconds
    std::string picture;              // picture: the file it shows, empty for none

    // The text of the selected row, or empty when no row is selected.
    std::string SelectedText() const;
};

struct MenuItem {
    std::string name;  // the item array's name, or the top-level menu's own name
    int index = -1;    // 1-based position within its array, -1 for a top-level menu
    std::string caption;
    bool enabled = true;
    bool checked = false;
    bool checkable = false;  // a check item, ticked or not
    bool visible = true;
    std::string device = {};  // an item that names a detected serial device: its path
    bool IsSeparator() const { return caption == "-"; }
};

// A top-level menu with its item array; item n is items[n - 1].
struct Menu {
    MenuItem header;
    std::vector<MenuItem> items;
    MenuItem& item(int index);
    const MenuItem& item(int index) const;
};

// The menu items that came after the first ones (File 1 to 6, Radio 1 to 5, Help 1), whose
// numbers stay as they are.
inline constexpr int kCompareWithFileItem = 8;          // File
inline constexpr int kOpenBackupItem = 9;               // File
inline constexpr int kCompareWithRepeaterItem = 7;      // Radio
inline constexpr int kVerifyAfterProgrammingItem = 9;   // Radio, a check item
inline constexpr int kWriteChangedBlocksOnlyItem = 10;  // Radio, a check item
inline constexpr int kSaveSerialTraceItem = 2;          // Help

// How long the status line keeps its notice after Program Radio, in milliseconds.
inline constexpr int kStatusNoticeMs = 6000;

inline constexpr int kSlotListRows = 138;
inline constexpr int kPttListRows = 136;

// The main window FrmMainScrn: the single source of truth for what the window shows.
struct ScreenModel {
    Control FrmMainScrn;

    // Editable controls, in tab order.
    Control cmbType;
    Control TxtCustID;
    Control TxtRptrTXFreq;
    Control TxtRptrRXFreq;
    std::array<Control, 2> CmbMK_Type_Code;
    Control CmbPTT_ExtEnc;
    Control TxtCustomMKFreq;
    Control TxtFirmwareVersion;
    Control TxtMorseCodeID;
    Control TxtIDTXInterval;
    Control ChkMKEncodewID;
    Control TxtTXTimeOutTimer;
    Control TxtTXHangTime;
    Control TxtSqlTailMuteTime;
    Control OptOvrCarrier;
    Control OptOvrTone;
    Control FrmMonitorMode;
    Control chkMKEncodePol;
    Control chkMKDecodePol;

    // Labels.
    Control LblModel;
    Control LblCustomerID;
    Control LblRptTXFreq;
    Control LblTXUnits;
    Control LblRptRXFreq;
    Control LblRXUnits;
    Control LblSlot1;
    Control LblSlot2;
    Control LblPTTExtEncode;
    Control LblCustomMKFreq;
    Control LblFirmwareVersion;
    Control LblMorseCodeID;
    Control LblIDTXInterval;
    Control LblIDTXIntervalUnits;
    Control LblMKEncodewID;
    Control LblTXTimeOutTimer;
    Control LblTXTimeOutTimerUnits;
    Control LblTXHangTime;
    Control LblTXHangTimeUnits;
    Control LblSqlTailMuteTime;
    Control LabelSqlTailMuteTimeUnits;

    // Headings and rules.
    Control LblTableTitle;
    Control LblNumber;
    Control LblCode;
    Control LblType;
    Control LblFeaturesTitle;
    Control Line1;
    Control Line2;
    Control Line3;
    Control Line4;
    Control Line5;
    Control Image1;

    // Working state of the radio link.
    Control FrameStatus;
    Control LabelStatus;
    Control StatusBar;   // progress bar, 0 to 100
    Control StatusBar1;  // status line
    Control TimRptrProgMode;
    Control TimStatusNotice;  // how long a notice stays in the status line after a command
    Control PDQComm1;

    Menu menuFile;
    Menu menuRadio;
    Menu mComPort;  // opened by menuRadio item 5, which owns its caption and enabled state
    Menu menuHelp;

    // Every control, in declaration order, for binding and lookup.
    std::vector<Control*> AllControls();
    std::vector<const Control*> AllControls() const;
    // Finds a control by name and element index (-1 for controls that are not arrays).
    Control* Find(const std::string& name, int index = -1);
};

// Writes a text box's text from the program; the cursor stays where it was as far as the new
// text reaches.
void ReplaceText(Control& box, std::string text);

// The window as it opens: every control with its caption, position, tag and help text, the
// three lists filled, and the opening selections.
ScreenModel BuildMainScreen();

// Polarity boxes disabled and the three coded-squelch lists on "44 None", as the window opens.
void SetCodedSquelchOpeningState(ScreenModel& screen);

// The row sequence shared by the three coded-squelch lists; slot 2's list differs from slot 1's
// only in the trailing blank of row 52.
std::vector<std::string> SlotListRows(int slotIndex);
std::vector<std::string> PttListRows();

}  // namespace tarvex
