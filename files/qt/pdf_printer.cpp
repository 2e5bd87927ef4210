#include "files/qt/pdf_printer.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <span>

#include <QtCore/qlogging.h>
#include <QtCore/QBuffer>
#include <QtGui/QGuiApplication>
#include <QtGui/QPageLayout>
#include <QtGui/QPdfWriter>

#include "files/file_writer.h"
#include "files/qt/page_printer.h"

namespace tarvex {
namespace {

constexpr double kMarginMillimetres = 15.0;

QtMessageHandler previousHandler = nullptr;

// A command-line program reports its own failures; Qt's warnings about the desktop it does not
// use (no runtime directory, no session) would only be noise on standard error.
void KeepSeriousMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg) {
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, text);
    } else {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
}

// A QGuiApplication on the offscreen platform when the program has none: painting text needs
// the font database, not a display.
std::unique_ptr<QGuiApplication> GuiApplicationIfNone(int& argc, char** argv) {
    if (QGuiApplication::instance() != nullptr) {
        return nullptr;
    }
    previousHandler = qInstallMessageHandler(KeepSeriousMessages);
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

struct PdfPrinter::Impl {
    explicit Impl(const std::string& target)
        : application(GuiApplicationIfNone(argc, arguments.data())),
          path(target),
          writer(&buffer),
          page(writer) {
        writer.setTitle(QStringLiteral("Repeater settings"));
        writer.setCreator(QStringLiteral("Tarvex Repeater Programmer"));
        writer.setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                        kMarginMillimetres),
                              QPageLayout::Millimeter);
    }

    // QGuiApplication keeps the argument count and vector for its whole life.
    char program[11] = "tarvex-cli";
    char platformOption[10] = "-platform";
    char platform[10] = "offscreen";
    std::array<char*, 4> arguments{program, platformOption, platform, nullptr};
    int argc = 3;
    std::unique_ptr<QGuiApplication> application;
    std::filesystem::path path;  // the system's bytes, whatever their encoding
    QBuffer buffer;              // the whole document, written to the file once complete
    QPdfWriter writer;
    PagePrinter page;
    std::string failure;
};

PdfPrinter::PdfPrinter(const std::string& path) : impl_(std::make_unique<Impl>(path)) {}

PdfPrinter::~PdfPrinter() {
    const bool madeApplication = impl_->application != nullptr;
    impl_.reset();
    if (madeApplication) {
        qInstallMessageHandler(previousHandler);
    }
}

bool PdfPrinter::BeginDocument(double columnsNeeded) {
    impl_->failure.clear();
    impl_->buffer.open(QIODevice::WriteOnly);
    return impl_->page.BeginDocument(columnsNeeded);
}

void PdfPrinter::SetEmphasis(PrintEmphasis emphasis) {
    impl_->page.SetEmphasis(emphasis);
}

double PdfPrinter::TextWidth(std::string_view text, PrintEmphasis emphasis) const {
    return impl_->page.TextWidth(text, emphasis);
}

void PdfPrinter::PrintText(double column, std::string_view text) {
    impl_->page.PrintText(column, text);
}

void PdfPrinter::NewLine() {
    impl_->page.NewLine();
}

bool PdfPrinter::EndDocument() {
    if (!impl_->page.EndDocument()) {
        return false;
    }
    const QByteArray& document = impl_->buffer.data();
    return WriteWholeFile(impl_->path,
                          std::span(reinterpret_cast<const std::uint8_t*>(document.constData()),
                                    static_cast<std::size_t>(document.size())),
                          &impl_->failure);
}

std::string PdfPrinter::FailureReason() const {
    return impl_->failure.empty() ? impl_->page.FailureReason() : impl_->failure;
}

}  // namespace tarvex
