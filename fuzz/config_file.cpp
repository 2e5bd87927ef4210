// config.txt as start-up reads it; what the program then writes reads back to the same port,
// device and Radio menu ticks.
#include "app/config_file.h"
#include "fuzz_support.h"

namespace {

std::string Kept(const tarvex::ConfigStore& config, std::int16_t port) {
    return std::to_string(port) + " " + config.Device() + " " +
           std::to_string(config.VerifyAfterProgramming()) +
           std::to_string(config.WriteChangedBlocksOnly());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvex;
    ConfigStore config(fuzz::WriteScratch("config.txt", data, size));
    const std::int16_t port = PortNumberOf(config.Load().value_or("1"));
    if (!config.Save(port)) {
        return 0;
    }
    ConfigStore again(config.file());
    const std::int16_t read = PortNumberOf(again.Load().value_or(""));
    fuzz::CheckSame("config.txt written, then read", Kept(config, port), Kept(again, read));
    return 0;
}
