#include "files/print_layout.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace tarvex {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Plain digits up to seven significant ones; an exponent only where plain digits cannot say it.
std::string SevenDigitText(float value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 7);
    std::string text(buffer.data(), result.ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c == 'e' ? 'E' : c; });
    return text == "-0" ? "0" : text;
}

class Layout {
  public:
    Layout(const TextMeasure& measure) : measure_(measure) {}

    void Add(const PrintList& list) {
        for (const PrintStep& step : list.steps) {
            switch (step.kind) {
                case PrintStep::Kind::Text:
                    AddText(step.text, list.emphasis);
                    break;
                case PrintStep::Kind::ZoneAdvance:
                    column_ = NextZoneColumn(column_);
                    break;
                case PrintStep::Kind::EndOfLine:
                    StartLine();
                    break;
            }
        }
    }

    std::vector<PrintedLine> Finish() {
        if (lines_.back().empty()) {
            lines_.pop_back();
        }
        return std::move(lines_);
    }

  private:
    void AddText(std::string_view text, PrintEmphasis emphasis) {
        for (;;) {
            const std::size_t breakAt = text.find(kLineBreak);
            const std::string_view part = text.substr(0, breakAt);
            if (!part.empty()) {
                lines_.back().push_back({column_, std::string(part), emphasis});
                column_ += measure_(part, emphasis);
            }
            if (breakAt == std::string_view::npos) {
                return;
            }
            StartLine();
            text.remove_prefix(breakAt + kLineBreak.size());
        }
    }

    void StartLine() {
        lines_.emplace_back();
        column_ = 1.0;
    }

    const TextMeasure& measure_;
    std::vector<PrintedLine> lines_{1};
    double column_ = 1.0;
};

}  // namespace

PrintList& PrintList::Text(std::string_view text) {
    steps.push_back({PrintStep::Kind::Text, std::string(text)});
    return *this;
}

PrintList& PrintList::Number(float value) {
    return Text(NumberText(value));
}

PrintList& PrintList::Zones(int count) {
    for (int i = 0; i < count; ++i) {
        steps.push_back({PrintStep::Kind::ZoneAdvance, {}});
    }
    return *this;
}

PrintList& PrintList::EndOfLine() {
    steps.push_back({PrintStep::Kind::EndOfLine, {}});
    return *this;
}

std::string NumberText(float value) {
    const std::string digits = SevenDigitText(value);
    return (digits.starts_with('-') ? "" : " ") + digits + " ";
}

double NextZoneColumn(double column) {
    const double zone = std::floor((column - 1.0) / kPrintZoneWidth) + 1.0;
    return 1.0 + std::max(zone, 0.0) * kPrintZoneWidth;
}

double FixedPitchWidth(std::string_view text, PrintEmphasis) {
    return static_cast<double>(text.size());
}

std::vector<PrintedLine> LayOutPrintLists(const std::vector<PrintList>& lists,
                                          const TextMeasure& measure) {
    Layout layout(measure);
    for (const PrintList& list : lists) {
        layout.Add(list);
    }
    return layout.Finish();
}

double PageWidthInColumns(const std::vector<PrintedLine>& lines, const TextMeasure& measure) {
    double width = 0.0;
    for (const PrintedLine& line : lines) {
        for (const PrintRun& run : line) {
            width = std::max(width, run.column - 1.0 + measure(run.text, run.emphasis));
        }
    }
    return width;
}

bool PrintDocument(const std::vector<PrintList>& lists, Printer& printer) {
    const TextMeasure measure = [&printer](std::string_view text, PrintEmphasis emphasis) {
        return printer.TextWidth(text, emphasis);
    };
    const std::vector<PrintedLine> lines = LayOutPrintLists(lists, measure);
    if (!printer.BeginDocument(PageWidthInColumns(lines, measure))) {
        return false;
    }
    PrintEmphasis current = PrintEmphasis::None;
    for (const PrintedLine& line : lines) {
        for (const PrintRun& run : line) {
            if (run.emphasis != current) {
                current = run.emphasis;
                printer.SetEmphasis(current);
            }
            printer.PrintText(run.column, run.text);
        }
        printer.NewLine();
    }
    return printer.EndDocument();
}

}  // namespace tarvex
