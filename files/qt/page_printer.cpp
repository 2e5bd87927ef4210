#include "files/qt/page_printer.h"

#include <algorithm>

#include "files/print_layout.h"

#include <QtGui/QFontMetricsF>
#include <QtGui/QPagedPaintDevice>

namespace tarvex {
namespace {

constexpr double kNormalPointSize = 10.0;
constexpr double kSmallestPointSize = 5.0;

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The system's fixed-pitch font, so that every column has the same width on paper as in the text
// report.
QFont FixedPitchFont() {
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

PagePrinter::PagePrinter(QPagedPaintDevice& device) : device_(device), font_(FixedPitchFont()) {
    font_.setPointSizeF(kNormalPointSize);
}

QFont PagePrinter::FontFor(PrintEmphasis emphasis) const {
    QFont font = font_;
    font.setBold(emphasis == PrintEmphasis::Heading);
    font.setUnderline(emphasis == PrintEmphasis::Section);
    return font;
}

double PagePrinter::ColumnWidth() const {
    return QFontMetricsF(font_, &device_).horizontalAdvance(QLatin1Char('M'));
}

double PagePrinter::TextWidth(std::string_view text, PrintEmphasis emphasis) const {
    return FixedPitchWidth(text, emphasis);
}

bool PagePrinter::BeginDocument(double columnsNeeded) {
    failure_.clear();
    font_.setPointSizeF(kNormalPointSize);
    const double needed = columnsNeeded * ColumnWidth();
    const double available = device_.width();
    if (needed > available && needed > 0.0) {
        font_.setPointSizeF(std::max(kSmallestPointSize, kNormalPointSize * available / needed));
    }
    if (!painter_.begin(&device_)) {
        failure_ = "the page could not be started";
        return false;
    }
    emphasis_ = PrintEmphasis::None;
    top_ = 0.0;
    return true;
}

void PagePrinter::PrintText(double column, std::string_view text) {
    if (!painter_.isActive()) {
        return;
    }
    const QFont font = FontFor(emphasis_);
    painter_.setFont(font);
    const double left = (column - 1.0) * ColumnWidth();
    painter_.drawText(QPointF(left, top_ + QFontMetricsF(font, &device_).ascent()), Latin1(text));
}

void PagePrinter::NewLine() {
    if (!painter_.isActive()) {
        return;
    }
    const double height = QFontMetricsF(font_, &device_).lineSpacing();
    top_ += height;
    // The report fits one page; a text with many line breaks goes on to another rather than off it.
    if (top_ + height > device_.height()) {
        device_.newPage();
        top_ = 0.0;
    }
}

bool PagePrinter::EndDocument() {
    if (!painter_.isActive()) {
        return false;
    }
    if (!painter_.end()) {
        failure_ = "the page could not be finished";
        return false;
    }
    return true;
}

}  // namespace tarvex
