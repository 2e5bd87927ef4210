// (d) Settings built into a data file with `tarvex-cli build`, exported with `export` and built
// again: the same bytes. And a value that build took without naming it on standard error is the
// value export shows.
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "codec/number_text.h"
#include "fuzz_support.h"
#include "support/cli_runner.h"

namespace {

// A value as it reads: numbers and numeric texts by their single-precision value, other texts
// without trailing blanks and in upper case (the Morse identifier is kept in upper case).
nlohmann::json Single(double number) {
    if (std::fabs(number) > std::numeric_limits<float>::max()) {
        return number;
    }
    return static_cast<float>(number);
}

nlohmann::json Plain(const nlohmann::json& value) {
    if (value.is_number()) {
        return Single(value.get<double>());
    }
    if (!value.is_string()) {
        return value;
    }
    const std::string text = value.get<std::string>();
    if (const std::optional<double> number = tarvex::ParseDecimal(text)) {
        return Single(*number);
    }
    return tarvex::UpperCase(text.substr(0, text.find_last_not_of(' ') + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvex::fuzz;
    using tarvex::testing::RunCli;
    const std::string built = Scratch("built.kvd");
    const auto build = RunCli({"build", WriteScratch("settings.json", data, size), "-o", built});
    if (build.status != 0) {
        return 0;
    }
    const auto exported = RunCli({"export", built});
    if (exported.status != 0) {
        Broken("build, export", exported.err);
        return 0;
    }
    const std::string json = exported.out;
    const std::string rebuilt = Scratch("rebuilt.kvd");
    const auto rebuild =
        RunCli({"build",
                WriteScratch("exported.json", reinterpret_cast<const std::uint8_t*>(json.data()),
                             json.size()),
                "-o", rebuilt});
    const std::string first = ReadScratch(built);
    if (rebuild.status != 0) {
        Broken("build, export, build", "  the exported settings do not build\n" + rebuild.err,
               json);
    } else if (first != ReadScratch(rebuilt)) {
        Broken("build, export, build", ByteDifference(first, ReadScratch(rebuilt)), json);
    }
    // Keys build named on standard error ("tarvex-cli: KEY: ..."); any other line might be about
    // any key.
    std::set<std::string> named;
    std::istringstream lines(build.err);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t end = line.find(':', 12);
        if (line.rfind("tarvex-cli: ", 0) != 0 || end == std::string::npos) {
            return 0;
        }
        named.insert(line.substr(12, end - 12));
    }
    const auto given = nlohmann::json::parse(data, data + size, nullptr, false);
    auto shown = nlohmann::json::parse(json);
    for (const auto& [key, value] : given.items()) {
        // Rows may be given as texts and in either slot order.
        if (key == "Image" || key == "MKSlot" || key == "PTTExtEnc" || named.count(key) > 0) {
            continue;
        }
        if (Plain(value) != Plain(shown[key])) {
            Broken(
                "build, export",
                "  " + key + ": given " + value.dump() + ", exported " + shown[key].dump() + "\n",
                given.dump());
        }
    }
    return 0;
}
