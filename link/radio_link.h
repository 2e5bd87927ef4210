#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "codec/program_state.h"
#include "editor/range.h"
#include "editor/screen_model.h"
#include "link/link_services.h"
#include "link/serial_port.h"
#include "services/user_interface.h"

namespace tarvex {

// A value the program writes to one of the serial control's properties.
using ControlValue = std::variant<std::int32_t, std::int16_t, bool>;

struct ControlSetting {
    int id = 0;  // the property's dispatch identifier
    ControlValue value;
    friend bool operator==(const ControlSetting&, const ControlSetting&) = default;
};

// The properties the program writes to the serial control PDQComm1, each with its latest value,
// in the order of their latest writes. What they mean is the terminal view's business.
class SerialControlSettings {
  public:
    void Set(int id, ControlValue value);
    std::optional<ControlValue> Get(int id) const;
    const std::vector<ControlSetting>& InWriteOrder() const { return settings_; }

  private:
    std::vector<ControlSetting> settings_;
};

inline constexpr int kTerminalModeSettingId = 37;

// Serial device of a port number: COM1 to COM4 are /dev/ttyS0 to /dev/ttyS3, and any other
// number n is tried as /dev/ttyS{n-1}.
std::string ComPortDevice(std::int16_t ComPort);
using ComPortNamer = std::function<std::string(std::int16_t)>;

// How the radio routines reach the outside world.
struct LinkServices {
    SerialPort& port;
    Clock& clock;
    Sleeper& sleeper;
    EventPump& pump;
    UserInterface& ui;
};

// What the radio routines share: the services, the main window's model, the program state and
// the range checker that the commit uses. The window (or the command line) keeps one for as long
// as the port is in use.
class RadioLink {
  public:
    RadioLink(const LinkServices& services, ScreenModel& screen, ProgramState& state,
              RangeModule& range);
    ~RadioLink();
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    SerialPort& port;
    Clock& clock;
    Sleeper& sleeper;
    EventPump& pump;
    UserInterface& ui;
    ScreenModel& screen;
    ProgramState& state;
    RangeModule& range;

    ComPortNamer portDevice = ComPortDevice;
    // Where Program Radio keeps the repeater's settings before it overwrites them.
    std::filesystem::path backupFolder;
    // The backup written by the last Program Radio command; empty when it wrote none.
    std::filesystem::path lastBackupPath;
    SerialControlSettings serialControl;
    // The protocol routine talking to the repeater now (RoutineScope), for the serial trace.
    std::string_view routine;

    // While connected, characters the repeater sends outside an exchange are appended to the
    // terminal view's text (screen.PDQComm1.text), of which the newest kTerminalViewCapacity
    // characters are kept.
    void ConnectTerminalView();
    void DisconnectTerminalView();
    static constexpr std::size_t kTerminalViewCapacity = 64 * 1024;

  private:
    bool terminalViewConnected_ = false;
};

}  // namespace tarvex
