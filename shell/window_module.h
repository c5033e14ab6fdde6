#pragma once
// The windows live in a module of their own, loaded at run time, so that the
// command-line views never load Qt and a server can go without it.
#include <string>

constexpr const char* kWindowModuleName = "liblumetra_gui.so";
constexpr const char* kWindowModuleEntry = "LumetraRunWindows";

extern "C" {
// The module's entry: runs the windows on a saved table (null: this machine's) and
// returns the program's exit status. appTitle captions the message box.
typedef int WindowModuleEntry(int* argc, char** argv, const char* dumpPath, const char* appTitle);
}

// Loads the module and runs it; when it cannot, says why on stderr and returns 1.
int RunWindowModule(int* argc, char** argv, const std::string& dumpPath);
