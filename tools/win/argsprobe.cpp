// argsprobe.exe
// Checks the quoting of the service command lines against Windows' own
// reading of a command line: starts itself once per case with the line
// HostCommands::windowsCommandLine builds, and the child compares what it
// reads back (CommandLineToArgvW, as sc.exe and net.exe read theirs) with the
// arguments that went in. Prints one line per case; exit code 0 when all match.
#include "platform/host/HostCommands.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::vector<std::vector<std::string>> kCases = {
    {"config", "StorSvc", "start=", "disabled"},
    {"stop", "My svc"},
    {"stop", "My \"odd\" svc"},
    {"E:\\ root\\"},
    {"C:\\x\\y", "a\\\\\"b", ""},
    {"tab\there", "end\\"},
};

constexpr const char *kCaseVariable = "ARGSPROBE_CASE";

std::string narrow(const wchar_t *text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string result(static_cast<size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], size, nullptr, nullptr);
    return result;
}

// Child: its own arguments against the case it was started for.
int check(size_t index)
{
    int count = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr || index >= kCases.size())
        return 2;
    const std::vector<std::string> &expected = kCases[index];
    bool same = static_cast<size_t>(count) == expected.size() + 1;
    for (size_t i = 0; same && i < expected.size(); ++i)
        same = narrow(argv[i + 1]) == expected[i];
    if (!same) {
        std::printf("case %zu: read back %d argument(s):", index, count - 1);
        for (int i = 1; i < count; ++i)
            std::printf(" [%s]", narrow(argv[i]).c_str());
        std::printf("\n");
    }
    LocalFree(argv);
    return same ? 0 : 1;
}

}  // namespace

int main()
{
    if (const char *index = std::getenv(kCaseVariable))
        return check(static_cast<size_t>(std::strtoul(index, nullptr, 10)));

    wchar_t selfWide[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, selfWide, MAX_PATH) == 0)
        return 2;
    const std::string self = narrow(selfWide);
    std::printf("program: %s\n", self.c_str());
    int failed = 0;
    for (size_t i = 0; i < kCases.size(); ++i) {
        const std::string line = HostCommands::windowsCommandLine(self, HostCommands::Command{"", kCases[i]});
        SetEnvironmentVariableA(kCaseVariable, std::to_string(i).c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        std::vector<char> buffer(line.begin(), line.end());
        buffer.push_back('\0');
        DWORD code = 3;
        if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                           &process)) {
            WaitForSingleObject(process.hProcess, 10000);
            GetExitCodeProcess(process.hProcess, &code);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        std::printf("case %zu: %s: %s\n", i, code == 0 ? "same" : "DIFFERENT", line.c_str());
        std::fflush(stdout);
        failed += code == 0 ? 0 : 1;
    }
    return failed == 0 ? 0 : 1;
}
