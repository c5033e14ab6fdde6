#pragma once
// What the program finds on a POSIX host: its own installed files, programs on the
// PATH, and the helper's output through pkexec.
#include <cstdint>
#include <string>
#include <vector>

// The folder of the running executable (from /proc/self/exe), with a trailing '/'.
std::string ExecutableDir();
// name beside the executable (the build tree), else relativePath from the
// executable's folder (an installed tree), made absolute; empty when neither exists.
std::string InstalledFile(const std::string& name, const std::string& relativePath);
// The first executable name in the folders of pathList (a PATH value); empty if none.
std::string FindOnPath(const std::string& name, const char* pathList);

// Runs "pkexec helper" and collects its standard output, at most kMaxTableFileSize
// bytes. False with a one-line reason when it fails or the user cancels.
bool ReadThroughHelper(const std::string& pkexec, const std::string& helper, std::vector<uint8_t>& out,
                       std::string& reason);
