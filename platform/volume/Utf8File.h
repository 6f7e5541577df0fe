#pragma once

#include <cstdio>
#include <memory>
#include <string>

// Files named by UTF-8 paths. Windows' narrow C library reads a path in the
// ANSI code page, so a folder whose name lies outside it (a user folder such
// as "C:\Users\Łukasz") cannot be opened that way.
namespace Utf8File {

struct Closer {
    void operator()(FILE *file) const { std::fclose(file); }
};
using Handle = std::unique_ptr<FILE, Closer>;

// std::fopen with a UTF-8 path; empty when the file cannot be opened.
Handle open(const std::string &path, const char *mode);

}  // namespace Utf8File
