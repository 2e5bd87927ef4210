#include "files/report.h"

#include <gtest/gtest.h>

#include "files/plain_text_printer.h"
#include "files/system_report_clock.h"
#include "samples/sample_settings.h"
#include "support/recording_printer.h"

namespace tarvex {
namespace {

using testing::FixedClock;
using testing::RecordingPrinter;

// A report line: each text at its column.
std::string Row(std::initializer_list<std::pair<int, std::string>> runs) {
    std::string row;
    for (const auto& [column, text] : runs) {
        row.resize(static_cast<std::size_t>(column - 1), ' ');
        row += text;
    }
    return row + "\n";
}

struct Settings {
    MainDataRec data = samples::ToneRepeaterSettings();
    ScreenModel screen = BuildMainScreen();
    float firmware = 4.6f;

    Settings() {
        data.CustomMKFreq = 66.8f;  // as the repeater gives 67 Hz back
        screen.cmbType.selectedRow = 0;
        screen.CmbMK_Type_Code[0].selectedRow = 12;
        screen.CmbMK_Type_Code[1].selectedRow = 136;
        screen.CmbPTT_ExtEnc.selectedRow = 135;
    }

    std::string Page() {
        PlainTextPrinter printer;
        FixedClock clock;
        EXPECT_TRUE(PrintReport(data, firmware, screen, clock, printer));
        return printer.Page();
    }
};

TEST(PrintReport, PrintsEveryLabelWithItsValueInItsZone) {
    const std::string expected =
        Row({{1, "TARVEX RADIO MODEL:  ZPT-410"}, {99, "03/14/24"}, {113, "13:05:09"}}) + "\n\n" +
        Row({{1, "FIRMWARE VERSION:"}, {43, "4.60"}}) +
        Row({{1, "CUSTOMER ID:"}, {29, "ACME RADIO"}}) + "\n" +
        Row({{1, "REPEATER TX FREQ."}, {43, "451.0125"}}) +
        Row({{1, "REPEATER RX FREQ."}, {43, "456.0125"}}) + "\n\n\n" +
        Row({{1, "MUTE KEY"}, {29, "CODED SQUELCH OPTIONS"}}) +
        Row({{1, "#"}, {43, "TYPE  CODE"}}) +                                            //
        Row({{1, "1 "}, {43, "12 MK 100.0 Hz"}}) + Row({{1, "2 "}, {43, "Inactive"}}) +  //
        Row({{1, "PTT/EXT ENCODE"}, {43, "Custom MK"}}) +
        Row({{1, "CUSTOM MK FREQ Hz"}, {43, " 66.8 "}}) + "\n\n\n" +
        Row({{1, "FEATURES AND OPTIONS"}}) +  //
        Row({{1, "MORSE CODE ID"}, {29, "VK2RPT"}}) +
        Row({{1, "ID TX INTERVAL"}, {43, " 10  min."}}) +
        Row({{1, "MK ENCODE WITH ID"}, {43, "YES"}}) +
        Row({{1, "TX TIMEOUT TIME"}, {43, " 3  min."}}) +
        Row({{1, "TX HANG TIME"}, {29, " 1  sec."}}) +
        Row({{1, "SQUELCH TAIL MUTE TIME"}, {29, " 0.5  sec."}}) +
        Row({{1, "MONITOR MODE"}, {29, "OVERRIDE CARRIER"}});
    EXPECT_EQ(Settings().Page(), expected);
}

TEST(PrintReport, ValuesFollowTheSettings) {
    const std::pair<std::function<void(Settings&)>, std::string> cases[] = {
        {[](auto& s) { s.firmware = 6.01f; }, Row({{1, "FIRMWARE VERSION:"}, {43, "6.01"}})},
        {[](auto& s) { s.firmware = 1.0f; }, Row({{1, "FIRMWARE VERSION:"}, {43, "1.00"}})},
        {[](auto& s) { s.data.MKEncodewID = false; }, Row({{1, "MK ENCODE WITH ID"}, {43, "NO"}})},
        {[](auto& s) { s.data.MonitorMode = 0; },
         Row({{1, "MONITOR MODE"}, {29, "OVERRIDE TONE"}})},
        {[](auto& s) { s.data.TXTimeOutTimer = 0.0f; },
         Row({{1, "TX TIMEOUT TIME"}, {43, " 0  min."}})},
        // A list with no row, or a row past its end, prints nothing after its zones.
        {[](auto& s) { s.screen.CmbMK_Type_Code[1].selectedRow = kNoRow; }, Row({{1, "2 "}})},
        {[](auto& s) { s.screen.CmbPTT_ExtEnc.selectedRow = 136; }, Row({{1, "PTT/EXT ENCODE"}})},
        // Control characters print as '?'; CR LF breaks the line.
        {[](auto& s) { s.data.CustID = "A\x01\x7F\x80\x9F\xA0Z"; },
         Row({{1, "CUSTOMER ID:"}, {29, "A????\xA0Z"}})},
        {[](auto& s) { s.data.CustID = "ACME\r\nRADIO"; },
         Row({{1, "CUSTOMER ID:"}, {29, "ACME"}}) + "RADIO\n\n"},
    };
    for (const auto& [change, expectedRow] : cases) {
        Settings settings;
        change(settings);
        EXPECT_NE(settings.Page().find("\n" + expectedRow), std::string::npos) << expectedRow;
    }
}

TEST(PrintReport, AnEmptyModelListIsHeadedAndThenShownAsTheOneModel) {
    Settings settings;
    settings.screen.cmbType.selectedRow = kNoRow;
    EXPECT_EQ(settings.Page().substr(0, 29), "TARVEX RADIO MODEL:  ZPT-410 ");
    EXPECT_EQ(settings.screen.cmbType.SelectedText(), "ZPT-410");
}

TEST(PrintReport, HeadingAndSectionTitlesHaveTheirOwnEmphasis) {
    Settings settings;
    RecordingPrinter printer;
    FixedClock clock;
    ASSERT_TRUE(PrintReport(settings.data, 4.6f, settings.screen, clock, printer));
    std::vector<std::string> emphasised;
    std::string current = "0";  // the emphasis of the text that follows
    for (const std::string& call : printer.calls) {
        current = call.starts_with("emphasis") ? call.substr(9) : current;
        if (call.starts_with("text") && current != "0") {
            emphasised.push_back(current + ":" + call.substr(call.find(' ', 5) + 1));
        }
    }
    EXPECT_EQ(emphasised,
              (std::vector<std::string>{"1:TARVEX RADIO MODEL:  ZPT-410", "1:03/14/24",
                                        "1:13:05:09", "2:MUTE KEY", "2:CODED SQUELCH OPTIONS",
                                        "2:#", "2:TYPE  CODE", "2:FEATURES AND OPTIONS"}));
    EXPECT_EQ(printer.calls.front(), "begin 120");
}

TEST(FormatDateTime, WritesTheLocaleDateAndTimeAndFallsBackToThePlainForms) {
    std::tm moment{};
    ::strptime("2024-03-14 13:05:09", "%Y-%m-%d %H:%M:%S", &moment);
    for (const char* locale : {"C", "no_SUCH.locale"}) {
        const DateTimeText text = FormatDateTime(moment, locale);
        EXPECT_EQ(text.shortDate + " " + text.longTime, "03/14/24 13:05:09") << locale;
    }
}

}  // namespace
}  // namespace tarvex
