// Reports what a program carrying the application's resources sees on Windows:
// the version GetVersionExW answers (it depends on the manifest's supportedOS
// entries) and the execution level the embedded manifest asks for.
// Prints to standard output; exit code 0 when the queries worked.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Value of level="..." inside <requestedExecutionLevel>, or "" when absent.
std::string executionLevel(const std::string& manifest)
{
    const std::string::size_type tag = manifest.find("requestedExecutionLevel");
    if (tag == std::string::npos)
        return {};
    const std::string key = "level=\"";
    const std::string::size_type start = manifest.find(key, tag);
    if (start == std::string::npos)
        return {};
    const std::string::size_type end = manifest.find('"', start + key.size());
    if (end == std::string::npos)
        return {};
    return manifest.substr(start + key.size(), end - start - key.size());
}

} // namespace

int main()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info)) {
        std::printf("GetVersionExW failed (error %lu)\n", GetLastError());
        return 1;
    }
    std::printf("os version: %lu.%lu build %lu\n", info.dwMajorVersion, info.dwMinorVersion,
                info.dwBuildNumber);

    // RT_MANIFEST (24), id 1: the manifest the loader applied to this program.
    HRSRC res = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (res == nullptr) {
        std::printf("manifest: none\n");
        return 0;
    }
    HGLOBAL data = LoadResource(nullptr, res);
    const DWORD size = SizeofResource(nullptr, res);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (bytes == nullptr || size == 0) {
        std::printf("manifest: unreadable (error %lu)\n", GetLastError());
        return 1;
    }
    const std::string manifest(static_cast<const char*>(bytes), size);
    const std::string level = executionLevel(manifest);
    std::printf("manifest: %lu bytes, execution level: %s\n", size,
                level.empty() ? "(none)" : level.c_str());
    return 0;
}
