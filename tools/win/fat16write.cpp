// fat16write.exe <firmware file> <drive root, such as E:/>
// Runs the FAT16 root-directory writer through the Win32 raw-volume backend on
// one drive, as the copy thread does before the file copy. The writer's own
// messages go to standard output; the exit code is its result code. The drive
// letter's volume device comes from the stand-in catalog in support/.
#include "transfer/Fat16RootDir.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::printf("usage: fat16write.exe <firmware file> <drive root, such as E:/>\n");
        return 64;
    }
    const int result = copyToRootDir(argv[1], argv[2]);
    std::fflush(stdout);
    return result;
}
