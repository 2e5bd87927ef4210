#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "sim/memory_file.h"
#include "sim/repeater.h"

namespace tarvex::sim {

// Saves the repeater's memory on a thread of its own, so that a slow disk never holds up an
// answer on the line (the program waits at most a second for some of them). Saves that pile up
// collapse into the latest; the last one is finished before this goes away.
class BackgroundSaver {
  public:
    explicit BackgroundSaver(MemoryFile& file);
    BackgroundSaver(const BackgroundSaver&) = delete;
    BackgroundSaver& operator=(const BackgroundSaver&) = delete;
    ~BackgroundSaver();

    void Save(const RepeaterMemory& memory);

  private:
    void Work();

    MemoryFile& file_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<RepeaterMemory> pending_;
    bool stopping_ = false;
    std::thread worker_;  // last, so it starts after everything it uses
};

}  // namespace tarvex::sim
