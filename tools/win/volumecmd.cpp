// volumecmd.exe xcopy <source file> <volume root, such as E:/>
// volumecmd.exe xcopy-input-open <source file> <volume root>
// volumecmd.exe dir <volume root>
// Builds the command line the copy (or the report) runs on the bootloader
// volume, runs it through the Windows command interpreter (cmd.exe in the
// system folder, by its full path, as the program does) exactly as built,
// and prints the command, its output, its exit code and, for xcopy, how the
// output is judged. Standard input of the command is a pipe closed at once, as
// under the program (xcopy-input-open keeps it open and empty, so the command
// line alone must keep xcopy from asking); a prompt that still waits shows up
// as a time-out (exit code 3).
#include "platform/host/SystemFolder.h"
#include "platform/volume/VolumeCommands.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 10000;

struct Handle {
    HANDLE h = nullptr;
    Handle() = default;
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    ~Handle() { reset(); }
    void reset()
    {
        if (h != nullptr && h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        h = nullptr;
    }
};

// Runs the command line; false when it could not start or did not end in time.
bool runCommand(const std::string &command, bool closeInput, std::string &output, DWORD &exitCode, bool &timedOut)
{
    SECURITY_ATTRIBUTES inherit{};
    inherit.nLength = sizeof(inherit);
    inherit.bInheritHandle = TRUE;

    Handle outRead, outWrite, inRead, inWrite;
    if (!CreatePipe(&outRead.h, &outWrite.h, &inherit, 0) || !CreatePipe(&inRead.h, &inWrite.h, &inherit, 0)) {
        std::printf("CreatePipe failed (error %lu)\n", GetLastError());
        return false;
    }
    SetHandleInformation(outRead.h, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inWrite.h, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead.h;
    startup.hStdOutput = outWrite.h;
    startup.hStdError = outWrite.h;
    // The interpreter starts xcopy as a child of its own: a job takes both
    // down on a time-out, and with this driver when it ends.
    Handle job;
    job.h = CreateJobObjectA(nullptr, nullptr);
    if (job.h == nullptr) {
        std::printf("CreateJobObject failed (error %lu)\n", GetLastError());
        return false;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job.h, JobObjectExtendedLimitInformation, &limits, sizeof(limits));

    PROCESS_INFORMATION process{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process)) {
        std::printf("CreateProcess failed (error %lu)\n", GetLastError());
        return false;
    }
    Handle processHandle, threadHandle;
    processHandle.h = process.hProcess;
    threadHandle.h = process.hThread;
    if (!AssignProcessToJobObject(job.h, process.hProcess)) {
        std::printf("AssignProcessToJobObject failed (error %lu)\n", GetLastError());
        TerminateProcess(process.hProcess, 1);
        return false;
    }
    ResumeThread(process.hThread);
    // Only the child keeps the write end of its output and the read end of its input.
    outWrite.reset();
    inRead.reset();
    if (closeInput)
        inWrite.reset();

    const ULONGLONG start = GetTickCount64();
    timedOut = false;
    for (;;) {
        DWORD available = 0;
        if (PeekNamedPipe(outRead.h, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            char buffer[4096];
            DWORD got = 0;
            if (ReadFile(outRead.h, buffer, sizeof(buffer), &got, nullptr) && got > 0)
                output.append(buffer, got);
            continue;
        }
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) {
            DWORD got = 0;
            char buffer[4096];
            while (PeekNamedPipe(outRead.h, nullptr, 0, nullptr, &available, nullptr) && available > 0
                   && ReadFile(outRead.h, buffer, sizeof(buffer), &got, nullptr) && got > 0)
                output.append(buffer, got);
            break;
        }
        if (GetTickCount64() - start > kTimeoutMs) {
            timedOut = true;
            TerminateJobObject(job.h, 1);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    return !timedOut;
}

void printIndented(const std::string &text)
{
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            std::printf("| %s\n", line.c_str());
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        std::printf("| %s\n", line.c_str());
}

}  // namespace

int main(int argc, char **argv)
{
    const std::string what = argc > 1 ? argv[1] : "";
    std::string command;
    const bool xcopy = what == "xcopy" || what == "xcopy-input-open";
    const std::string interpreter = SystemFolder::program(VolumeCommands::kInterpreter);
    if (xcopy && argc == 4)
        command = VolumeCommands::xcopyCommand(interpreter, argv[2], argv[3]);
    else if (what == "dir" && argc == 3)
        command = VolumeCommands::dirCommand(interpreter, argv[2]);
    else {
        std::printf("usage: volumecmd.exe xcopy|xcopy-input-open <source file> <volume root> | dir <volume root>\n");
        return 64;
    }

    std::printf("command: %s\n", command.c_str());
    std::string output;
    DWORD exitCode = 0;
    bool timedOut = false;
    const bool ran = runCommand(command, what != "xcopy-input-open", output, exitCode, timedOut);
    printIndented(output);
    if (timedOut) {
        std::printf("timed out after %lu ms\n", kTimeoutMs);
        return 3;
    }
    if (!ran)
        return 2;
    std::printf("exit code: %lu\n", exitCode);
    if (xcopy)
        std::printf("copied one file: %s\n",
                    VolumeCommands::xcopyCopiedOneFile(static_cast<int>(exitCode), output) ? "yes" : "no");
    std::fflush(stdout);
    return 0;
}
