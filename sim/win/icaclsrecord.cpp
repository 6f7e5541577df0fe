// icaclsrecord.exe, put in the system folder as icacls.exe
// Wine's icacls.exe is a stub and Wine keeps no access lists: this one
// appends the whole command line it was started with to C:\icacls-calls.txt
// and succeeds, so a check can read which icacls the installer ran, and how.
#include <windows.h>

#include <cstdio>

int main()
{
    std::FILE *record = std::fopen("C:\\icacls-calls.txt", "a");
    if (!record)
        return 1;
    std::fprintf(record, "%s\n", GetCommandLineA());
    return std::fclose(record) == 0 ? 0 : 1;
}
