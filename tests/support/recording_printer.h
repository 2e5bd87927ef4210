#pragma once

#include <memory>
#include <string>
#include <vector>

#include "codec/number_text.h"
#include "files/print_layout.h"
#include "services/printer.h"
#include "services/report_clock.h"

namespace tarvex::testing {

// Records every printer call as a line ("begin 41", "emphasis 1", "text 15 ABC", "newline",
// "end"); measures with `measure` (fixed pitch unless told) and fails where told. One made
// `Into` another records into that one and follows its settings.
class RecordingPrinter : public Printer {
  public:
    RecordingPrinter() = default;
    RecordingPrinter(const RecordingPrinter&) = delete;
    static std::unique_ptr<Printer> Into(RecordingPrinter& target) {
        auto printer = std::make_unique<RecordingPrinter>();
        printer->to_ = &target;
        return printer;
    }
    bool BeginDocument(double columnsNeeded) override {
        to_->calls.push_back("begin " + Number(columnsNeeded));
        return !to_->failBegin;
    }
    void SetEmphasis(PrintEmphasis emphasis) override {
        to_->calls.push_back("emphasis " + std::to_string(static_cast<int>(emphasis)));
    }
    double TextWidth(std::string_view text, PrintEmphasis emphasis) const override {
        return to_->measure(text, emphasis);
    }
    void PrintText(double column, std::string_view text) override {
        to_->calls.push_back("text " + Number(column) + " " + std::string(text));
    }
    void NewLine() override { to_->calls.push_back("newline"); }
    bool EndDocument() override {
        to_->calls.push_back("end");
        return !to_->failEnd;
    }
    std::string FailureReason() const override {
        return to_->failBegin || to_->failEnd ? "no paper" : "";
    }

    TextMeasure measure = FixedPitchWidth;
    bool failBegin = false;
    bool failEnd = false;
    std::vector<std::string> calls;

  private:
    RecordingPrinter* to_ = this;
    static std::string Number(double value) { return ShortestText(value); }
};

// Always 03/14/24 13:05:09.
class FixedClock : public ReportClock {
  public:
    DateTimeText Now() override { return {"03/14/24", "13:05:09"}; }
};

}  // namespace tarvex::testing
