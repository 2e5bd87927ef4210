#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>

#include "link/radio_link.h"

namespace tarvex {

// The pause after every character sent to the repeater.
inline constexpr std::chrono::milliseconds kCharacterPause{15};
// Inside a command every character but the last waits this long for its two echo characters;
// the last one waits long enough for the 260-character image reply.
inline constexpr std::chrono::milliseconds kCommandCharacterTimeout{1000};
inline constexpr std::chrono::milliseconds kCommandLastCharacterTimeout{10000};

// Opens the port named by state.ComPort (or the device state.ComDevice names), asking for
// another port number or a device as long as opening fails. True with the port open and its Com
// Port menu item ticked; false when the user gave up (answered 0, nothing, or cancelled).
bool OpenCommPort(RadioLink& link);

// One timed exchange: drop stale data, write the command, let pending window events run once,
// then wait for count characters or the time-out. What arrived lands in state.RxBuffer.
void ExchangeWithRadio(RadioLink& link, std::string_view command, std::size_t count,
                       std::chrono::milliseconds timeout);

enum class OnSilence {
    Continue,  // send every character whatever comes back
    Stop,      // stop at the first character that gets nothing back at all
};

// Sends a command one character at a time, each answered before the next is written; the reply
// to the last character (lastCount characters wanted) ends in state.RxBuffer. True when every
// character sent got at least one character back.
bool SendCommand(RadioLink& link, std::string_view command, std::size_t lastCount,
                 OnSilence onSilence = OnSilence::Continue);

// "X": the repeater leaves programming mode. Nothing is awaited.
void LeaveProgrammingMode(RadioLink& link);

}  // namespace tarvex
