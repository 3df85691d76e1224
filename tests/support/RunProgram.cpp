#include "RunProgram.h"

#include "platform/Platform.h"

#ifdef _WIN32
#include "platform/WindowsApi.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace morvish::test {

#ifdef _WIN32

namespace {

// One argument quoted for CommandLineToArgvW and the C runtime: inside quotes, backslashes are
// literal except before a quote, where they and the quote are escaped.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

}  // namespace

int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    std::wstring commandLine = Quoted(program.native());
    for (const std::string& argument : arguments) {
        commandLine += L" " + Quoted(platform::PathFromUtf8(argument).native());
    }
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE nowhere = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                          TRUE, 0, nullptr, nullptr, &startup, &process) != 0;
    ::CloseHandle(nowhere);
    if (!started) return -1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    const bool ended = ::GetExitCodeProcess(process.hProcess, &status) != 0;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return ended ? int(status) : -1;
}

#else

int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> words{program.native()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int error = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

}  // namespace morvish::test
