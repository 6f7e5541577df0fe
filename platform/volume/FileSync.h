#pragma once

#include <string>

// Makes a freshly copied file durable before the operator unplugs the device.
namespace FileSync {

// Flushes the file and the directory that holds it to the device.
// Returns 0, or the system's error code of the step that failed.
int flushFileAndDir(const std::string &filePath, const std::string &dirPath);

}  // namespace FileSync
