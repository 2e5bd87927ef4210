// Settings written by hand, read and entered as `tarvex-cli build` does.
#include "fuzz_support.h"
#include "support/cli_runner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tarvex::fuzz::Scratch;
    tarvex::testing::RunCli({"build", tarvex::fuzz::WriteScratch("settings.json", data, size), "-o",
                             Scratch("built.kvd")});
    return 0;
}
