#include "link/keep_alive.h"

#include "link/serial_link.h"
#include "link/serial_trace.h"

namespace tarvex {

void StartKeepAlive(ScreenModel& screen) {
    screen.TimRptrProgMode.interval = kKeepAliveIntervalMs;
    screen.TimRptrProgMode.enabled = true;
}

void StopKeepAlive(ScreenModel& screen) {
    screen.TimRptrProgMode.enabled = false;
}

void TimRptrProgMode_Timer(RadioLink& link) {
    if (!link.port.IsOpen()) {
        return;
    }
    const RoutineScope routine(link, "TimRptrProgMode_Timer");
    ExchangeWithRadio(link, "????????", 16, std::chrono::milliseconds(250));
}

}  // namespace tarvex
