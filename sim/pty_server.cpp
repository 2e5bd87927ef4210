#include "sim/pty_server.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <thread>

namespace tarvex::sim {
namespace {

using std::chrono::nanoseconds;

// A full line buffer this long means nobody is reading; what waits is dropped as a real line
// would lose it.
constexpr auto kGiveUpBlockedAfter = std::chrono::seconds(2);
// Should the line ever report a hang-up despite the device side held open, back off this long.
constexpr auto kHangUpBackOff = std::chrono::milliseconds(50);
constexpr std::size_t kReadChunk = 4096;

timespec ToTimespec(nanoseconds wait) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((wait - seconds).count())};
}

}  // namespace

PtyServer::PtyServer(PseudoTerminal& terminal, SimulatedRepeater& repeater, int stopSignals,
                     Pacing pacing, WireLog* log)
    : terminal_(terminal),
      repeater_(repeater),
      stopSignals_(stopSignals),
      pacing_(pacing),
      log_(log) {}

void PtyServer::Run() {
    while (true) {
        const Clock::time_point now = Clock::now();
        std::array<pollfd, 2> watched{{
            {stopSignals_, POLLIN, 0},
            {terminal_.controller(), static_cast<short>(POLLIN | (blocked_ ? POLLOUT : 0)), 0},
        }};
        std::optional<timespec> timeout;
        if (blocked_) {
            timeout =
                ToTimespec(std::max(nanoseconds(0), blockedSince_ + kGiveUpBlockedAfter - now));
        } else if (!outgoing_.empty()) {
            timeout = ToTimespec(std::max(nanoseconds(0), nextCharacterAt_ - now));
        }
        const int ready =
            ::ppoll(watched.data(), watched.size(), timeout ? &*timeout : nullptr, nullptr);
        if (ready < 0 && errno != EINTR) {
            return;
        }
        if (watched[0].revents != 0) {
            return;
        }
        const short line = watched[1].revents;
        if ((line & POLLIN) != 0) {
            TakeFromProgram();
        } else if ((line & (POLLHUP | POLLERR)) != 0) {
            std::this_thread::sleep_for(kHangUpBackOff);
        }
        if (blocked_ && Clock::now() - blockedSince_ >= kGiveUpBlockedAfter) {
            outgoing_.clear();
            blocked_ = false;
        }
        SendDue(Clock::now());
    }
}

void PtyServer::TakeFromProgram() {
    std::array<char, kReadChunk> buffer{};
    const ssize_t got = ::read(terminal_.controller(), buffer.data(), buffer.size());
    if (got <= 0) {
        return;  // nothing after all (EAGAIN, EINTR) or the line hung up; poll tells again
    }
    const Clock::time_point now = Clock::now();
    const std::string_view received(buffer.data(), static_cast<std::size_t>(got));
    if (log_ != nullptr) {
        log_->Record(WireLog::Direction::Received, received, now);
    }
    std::string answer = repeater_.Receive(received);
    if (!answer.empty()) {
        Queue(std::move(answer), now, received.size());
    }
}

void PtyServer::Queue(std::string answer, Clock::time_point now, std::size_t receivedCount) {
    if (outgoing_.empty()) {
        // On a real line the received characters took their time to arrive, and the first
        // character of the answer is complete one character time after that.
        const auto arrived = kCharacterTime * static_cast<long>(receivedCount);
        nextCharacterAt_ = std::max(nextCharacterAt_, now + arrived + kCharacterTime);
    }
    outgoing_.push_back({std::move(answer), 0, false});
}

void PtyServer::SendDue(Clock::time_point now) {
    while (!outgoing_.empty()) {
        Outgoing& chunk = outgoing_.front();
        std::size_t count = chunk.bytes.size() - chunk.sent;
        if (pacing_ == Pacing::RealTime) {
            if (nextCharacterAt_ > now) {
                return;
            }
            // After a late wake-up, send what has fallen due so the average rate holds.
            const auto due =
                static_cast<std::size_t>((now - nextCharacterAt_) / kCharacterTime) + 1;
            count = std::min(count, due);
        }
        if (!chunk.logged && log_ != nullptr) {
            log_->Record(WireLog::Direction::Sent, chunk.bytes, now);
        }
        chunk.logged = true;
        const ssize_t written =
            ::write(terminal_.controller(), chunk.bytes.data() + chunk.sent, count);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN && !blocked_) {
                blocked_ = true;
                blockedSince_ = now;
            } else if (errno != EAGAIN) {
                outgoing_.clear();  // the line is gone; nobody hears the rest
            }
            return;
        }
        blocked_ = false;
        chunk.sent += static_cast<std::size_t>(written);
        nextCharacterAt_ += kCharacterTime * written;
        if (chunk.sent == chunk.bytes.size()) {
            outgoing_.pop_front();
        }
    }
}

}  // namespace tarvex::sim
