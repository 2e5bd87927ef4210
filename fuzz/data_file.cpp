// The bytes of a data file (version 4 or 3, or anything else), opened as File > Open File opens
// it and printed as `tarvex-cli show` and `show --json` print it.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvex::fuzz::Window window;
    if (window.Open(tarvex::fuzz::WriteScratch("input.kvd", data, size))) {
        tarvex::cli::SettingsText(window.session);
        tarvex::cli::SettingsJson(window.session).dump();
    }
    return 0;
}
