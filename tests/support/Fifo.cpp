#include "Fifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <future>
#include <stdexcept>
#include <thread>

namespace morvish::test {

void MakeFifo(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0644) != 0) {
        throw std::runtime_error("cannot make a named pipe at " + path.string());
    }
}

bool ReturnsWithoutWaitingOn(const std::filesystem::path& fifo, const std::function<void()>& call,
                             std::chrono::milliseconds limit) {
    std::future<void> done = std::async(std::launch::async, call);
    if (done.wait_for(limit) == std::future_status::ready) {
        done.get();
        return true;
    }
    // A writer whose reader goes away would be killed by SIGPIPE; it gets an error instead.
    std::signal(SIGPIPE, SIG_IGN);
    while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        // Both ends at once: a reader waiting in open() finds a writer, a writer finds a reader.
        const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::array<char, 65536> drained;
        while (fd >= 0 && ::read(fd, drained.data(), drained.size()) > 0) {
        }
        // Closing ends the reader's read with end of file.
        if (fd >= 0) ::close(fd);
    }
    done.get();
    return false;
}

}  // namespace morvish::test
