#include "sim/background_saver.h"

#include <iostream>
#include <string>

namespace tarvex::sim {

BackgroundSaver::BackgroundSaver(MemoryFile& file) : file_(file), worker_([this] { Work(); }) {}

BackgroundSaver::~BackgroundSaver() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void BackgroundSaver::Save(const RepeaterMemory& memory) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = memory;
    }
    wake_.notify_one();
}

void BackgroundSaver::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) {
            return;
        }
        const RepeaterMemory memory = *pending_;
        pending_.reset();
        lock.unlock();
        std::string reason;
        if (!file_.Save(memory, &reason)) {
            std::cerr << "zpt410-sim: " << file_.path().string() << ": write not saved: " << reason
                      << '\n';
        }
        lock.lock();
    }
}

}  // namespace tarvex::sim
