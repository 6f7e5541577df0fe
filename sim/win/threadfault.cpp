// threadfault.exe
// Writes through a null pointer in a second thread and nothing else. The
// Wine checks run it exactly as they run the program: if their fault
// detection did not see this fault, it would not see one of the program's.
#include <windows.h>

namespace {
DWORD WINAPI writeThroughNull(void *)
{
    // Volatile both ways: the compiler may neither drop the write nor turn it
    // into a trap instruction; it must be a real access violation.
    volatile int *volatile target = nullptr;
    *target = 1;
    return 0;
}
}  // namespace

int main()
{
    HANDLE thread = CreateThread(nullptr, 0, writeThroughNull, nullptr, 0, nullptr);
    if (!thread)
        return 3;
    WaitForSingleObject(thread, INFINITE);
    // Not reached: the fault ends the process.
    return 0;
}
