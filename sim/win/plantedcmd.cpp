// plantedcmd.exe, planted as cmd.exe
// What an ordinary user could leave in a folder the elevated program is
// started from, or in its own folder: a cmd.exe that only leaves a marker
// (a line "ran" appended to C:\planted-ran.txt). The program must run the
// system folder's cmd.exe and never this one.
#include <cstdio>

int main()
{
    if (std::FILE *marker = std::fopen("C:\\planted-ran.txt", "a")) {
        std::fputs("ran\n", marker);
        std::fclose(marker);
    }
    return 0;
}
