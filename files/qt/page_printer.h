#pragma once

#include <string>
#include <string_view>

#include <QtGui/QFont>
#include <QtGui/QPainter>

#include "services/printer.h"

QT_BEGIN_NAMESPACE
class QPagedPaintDevice;
QT_END_NAMESPACE

namespace tarvex {

// Prints on a paged paint device: a PDF writer, or a QPrinter in the window. The text is set in
// the system's fixed-pitch font, one column a character as in the text report, headings bold,
// section titles underlined. A page too narrow for the widest line gets a smaller font, so that
// nothing falls off its right edge. A QGuiApplication must exist first, and the device must outlive
// the printer.
class PagePrinter : public Printer {
  public:
    explicit PagePrinter(QPagedPaintDevice& device);
    PagePrinter(const PagePrinter&) = delete;
    PagePrinter& operator=(const PagePrinter&) = delete;

    bool BeginDocument(double columnsNeeded) override;
    void SetEmphasis(PrintEmphasis emphasis) override { emphasis_ = emphasis; }
    double TextWidth(std::string_view text, PrintEmphasis emphasis) const override;
    void PrintText(double column, std::string_view text) override;
    void NewLine() override;
    bool EndDocument() override;
    std::string FailureReason() const override { return failure_; }

  private:
    QFont FontFor(PrintEmphasis emphasis) const;
    double ColumnWidth() const;

    QPagedPaintDevice& device_;
    QFont font_;  // the normal font, at the size chosen for the page
    QPainter painter_;
    PrintEmphasis emphasis_ = PrintEmphasis::None;
    double top_ = 0.0;  // of the current line, in device units
    std::string failure_;
};

}  // namespace tarvex
