#include "files/report.h"

#include "codec/number_text.h"
#include "codec/program_state.h"

namespace tarvex {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// A label with its value two zones to the right, ended by an end of line.
PrintList LabelledText(std::string_view label, std::string_view value) {
    return PrintList{}.Text(label).Zones(2).Text(value).EndOfLine();
}

PrintList LabelledNumber(std::string_view label, float value, std::string_view unit = {}) {
    PrintList list;
    list.Text(label).Zones(2).Number(value);
    if (!unit.empty()) {
        list.Text(unit);
    }
    return list.EndOfLine();
}

PrintList Section() {
    return PrintList{PrintEmphasis::Section, {}};
}

}  // namespace

std::string YesNoText(bool flag) {
    return flag ? "YES" : "NO";
}

std::string ReportModel(ScreenModel& screen) {
    Control& list = screen.cmbType;
    if (list.SelectedText().empty()) {
        for (std::size_t row = 0; row < list.rows.size(); ++row) {
            if (list.rows[row] == kZpt410ModelName) {
                list.selectedRow = static_cast<int>(row);
                break;
            }
        }
        return std::string(kZpt410ModelName);
    }
    return list.SelectedText();
}

std::vector<PrintList> ReportLists(const MainDataRec& MainData, float FirmwareVersion,
                                   const ScreenModel& screen, const std::string& model,
                                   const DateTimeText& now) {
    const MainDataRec& d = MainData;
    std::vector<PrintList> lines;
    lines.push_back(PrintList{PrintEmphasis::Heading, {}}
                        .Text("TARVEX RADIO MODEL:  " + model)
                        .Zones(5)
                        .Text(now.shortDate)
                        .Zones(1)
                        .Text(now.longTime)
                        .Text(kLineBreak)
                        .Text(kLineBreak)
                        .EndOfLine());
    lines.push_back(LabelledText("FIRMWARE VERSION:", FixedText(FirmwareVersion, 2)));
    lines.push_back(
        PrintList{}.Text("CUSTOMER ID:").Zones(2).Text(d.CustID).Text(kLineBreak).EndOfLine());
    lines.push_back(LabelledText("REPEATER TX FREQ.", d.TXFreq));
    lines.push_back(LabelledText("REPEATER RX FREQ.", d.RXFreq));
    lines.push_back(PrintList{}.Text(kLineBreak).Text(kLineBreak).EndOfLine());

    lines.push_back(Section().Text("MUTE KEY").Zones(2).Text("CODED SQUELCH OPTIONS").EndOfLine());
    lines.push_back(Section().Text("#").Zones(3).Text("TYPE  CODE").EndOfLine());
    lines.push_back(
        PrintList{}.Text("1 ").Zones(3).Text(screen.CmbMK_Type_Code[0].SelectedText()).EndOfLine());
    lines.push_back(
        PrintList{}.Text("2 ").Zones(3).Text(screen.CmbMK_Type_Code[1].SelectedText()).EndOfLine());
    lines.push_back(LabelledText("PTT/EXT ENCODE", screen.CmbPTT_ExtEnc.SelectedText()));
    lines.push_back(LabelledNumber("CUSTOM MK FREQ Hz", d.CustomMKFreq));
    lines.push_back(PrintList{}.Text(kLineBreak).Text(kLineBreak).EndOfLine());

    lines.push_back(Section().Text("FEATURES AND OPTIONS").EndOfLine());
    lines.push_back(LabelledText("MORSE CODE ID", d.MorseCodeID));
    lines.push_back(LabelledNumber("ID TX INTERVAL", d.IDTXInterval, " min."));
    lines.push_back(LabelledText("MK ENCODE WITH ID", YesNoText(d.MKEncodewID)));
    lines.push_back(LabelledNumber("TX TIMEOUT TIME", d.TXTimeOutTimer, " min."));
    lines.push_back(LabelledNumber("TX HANG TIME", d.TXHangTime, " sec."));
    lines.push_back(PrintList{}
                        .Text("SQUELCH TAIL MUTE TIME")
                        .Zones(1)
                        .Number(d.SqlTailMuteTime)
                        .Text(" sec.")
                        .EndOfLine());
    // The record keeps any non-zero mode as Override Carrier, as the decoder shows it.
    lines.push_back(
        LabelledText("MONITOR MODE", d.MonitorMode != 0 ? "OVERRIDE CARRIER" : "OVERRIDE TONE"));
    return lines;
}

bool PrintReport(const MainDataRec& MainData, float FirmwareVersion, ScreenModel& screen,
                 ReportClock& clock, Printer& printer) {
    const std::string model = ReportModel(screen);
    return PrintDocument(ReportLists(MainData, FirmwareVersion, screen, model, clock.Now()),
                         printer);
}

}  // namespace tarvex
