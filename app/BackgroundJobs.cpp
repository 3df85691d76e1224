#include "BackgroundJobs.h"

#include <utility>

#include "platform/Platform.h"

namespace morvish {

BackgroundJobs::~BackgroundJobs() {
    Stop();
}

void BackgroundJobs::Post(Job job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        if (!thread_.joinable()) {
            thread_ = std::jthread([this](std::stop_token stop) { Run(std::move(stop)); });
        }
    }
    wake_.notify_one();
}

void BackgroundJobs::Cancel() {
    const std::lock_guard lock(mutex_);
    jobs_.clear();
    current_.request_stop();
}

void BackgroundJobs::Stop() {
    std::jthread thread;
    {
        const std::lock_guard lock(mutex_);
        jobs_.clear();
        current_.request_stop();
        thread = std::move(thread_);
    }
    // Going, `thread` asks its thread to stop and waits for it, outside the lock the thread needs.
}

void BackgroundJobs::Run(std::stop_token stop) {
    platform::YieldThisThreadToOthers();
    for (;;) {
        Job job;
        std::stop_source current;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [this] { return !jobs_.empty(); })) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
            current_ = current;
        }
        job(current.get_token());
    }
}

}  // namespace morvish
