#pragma once
// Running a program of the build from a test: no shell in between (shells quote differently on
// each system), its output discarded.

#include <filesystem>
#include <string>
#include <vector>

namespace morvish::test {

// Runs `program` with `arguments` (UTF-8 text, passed as they are) and returns its exit status;
// -1 when it could not be started or did not end by itself.
int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments);

}  // namespace morvish::test
