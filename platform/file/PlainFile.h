#pragma once

#include <cstdio>
#include <string>

// A file the elevated program writes where an ordinary user may write too
// (the log beside the current directory): opened only when it is a regular
// file with one name, never through a link that could send the data to
// another file. Linux: O_NOFOLLOW, then fstat on the opened descriptor.
// Windows: FILE_FLAG_OPEN_REPARSE_POINT, then the opened handle's type and
// attributes. The check is made on what was opened, so nothing can be
// swapped in between.
namespace PlainFile {

enum class Mode {
    Read,    // "rb"
    Append,  // "ab", created when missing
};

// `path` (UTF-8) opened as `eMode` says. Null when it cannot be opened (errno
// tells why) or is refused; then `refusal` says, in English, what the path is
// instead of a regular file ("a symbolic link", ...), and is empty otherwise.
FILE *open(const std::string &path, Mode eMode, std::string &refusal);

}  // namespace PlainFile
