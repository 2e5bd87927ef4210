// config.txt as start-up reads it; the line the program then writes names the same port again.
#include "app/config_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvex;
    const std::string file = fuzz::WriteScratch("config.txt", data, size);
    const std::int16_t port = PortNumberOf(ReadConfigPortText(file).value_or("1"));
    if (WriteConfigFile(file, port) &&
        PortNumberOf(ReadConfigPortText(file).value_or("")) != port) {
        fuzz::Broken("config.txt written, then read", "port " + std::to_string(port));
    }
    return 0;
}
