// What a repeater sends during Radio > Read, one reply per command written (ping, "V", "G", and
// again for each new attempt), the replies separated by NUL; it ends in an image or a failure.
#include <string_view>

#include "fuzz_support.h"
#include "link/keep_alive.h"
#include "link/read_command.h"
#include "support/fake_clock.h"
#include "support/scripted_serial_port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvex;
    testing::FakeClock clock;
    testing::ScriptedSerialPort port{clock};
    testing::FakeEventPump pump;
    fuzz::Window window;
    RadioLink link{{port, clock, clock, pump, window.ui},
                   window.session.screen,
                   window.session.state,
                   window.session.range};
    port.Open("/dev/ttyS0", nullptr);
    StartKeepAlive(window.session.screen);
    for (std::string_view rest(reinterpret_cast<const char*>(data), size); !rest.empty();) {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        port.replies.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    ReadCommand(link);
    return 0;
}
