#pragma once
// Work the user-interface thread hands off so that it never waits for it: one thread of its own,
// made at the first job, runs the jobs one at a time in the order they were given. A job hears
// through its stop token when it is no longer wanted, and hands what it found back to the
// user-interface thread itself (FolderWatch::Deliver). The thread runs only when the others leave
// the processor to it.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace morvish {

class BackgroundJobs {
  public:
    using Job = std::function<void(std::stop_token)>;

    BackgroundJobs() = default;
    // Stops as Stop does.
    ~BackgroundJobs();
    BackgroundJobs(const BackgroundJobs&) = delete;
    BackgroundJobs& operator=(const BackgroundJobs&) = delete;

    void Post(Job job);
    // Drops the jobs not begun and asks the one under way to stop, without waiting for it. Jobs
    // given later run as before.
    void Cancel();
    // Cancels, and waits until the job under way has ended.
    void Stop();

  private:
    void Run(std::stop_token stop);

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::deque<Job> jobs_;
    // The stop of the job under way.
    std::stop_source current_;
    std::jthread thread_;
};

}  // namespace morvish
