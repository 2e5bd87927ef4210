#include "files/system_report_clock.h"

#include <chrono>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace tarvex {
namespace {

std::locale LocaleOrClassic(const char* name) {
    try {
        return std::locale(name);
    } catch (const std::runtime_error&) {
        return std::locale::classic();
    }
}

std::string Formatted(const std::tm& moment, const std::locale& locale, const char* format) {
    std::ostringstream out;
    out.imbue(locale);
    out << std::put_time(&moment, format);
    return out.str();
}

}  // namespace

DateTimeText FormatDateTime(const std::tm& moment, const char* localeName) {
    const std::locale locale = LocaleOrClassic(localeName);
    return {Formatted(moment, locale, "%x"), Formatted(moment, locale, "%X")};
}

DateTimeText SystemReportClock::Now() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return FormatDateTime(local, "");
}

}  // namespace tarvex
