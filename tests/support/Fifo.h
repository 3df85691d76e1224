#pragma once
// Named pipes where files are expected: a program that opens one the ordinary way waits for a
// writer that never comes. These helpers make them and catch such a wait instead of hanging.

#include <chrono>
#include <filesystem>
#include <functional>

namespace morvish::test {

// Makes a named pipe at `path`.
void MakeFifo(const std::filesystem::path& path);

// Runs `call` on its own thread and gives true when it returns within `limit`. When it does not,
// it is taken to wait on the pipe `fifo`: the pipe is opened from the other side, and drained,
// until the call returns, and false is given.
bool ReturnsWithoutWaitingOn(const std::filesystem::path& fifo, const std::function<void()>& call,
                             std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace morvish::test
