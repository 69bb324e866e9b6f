#pragma once
// Loads the print module (PrintModule.h) once per process, from whichever
// thread asks first, and never unloads it. It is found beside the program in
// the build tree, else in the package's own library folder.

#include "PrintModule.h"

#include <string>

inline constexpr char kPrintModuleFile[] = "libtarnix-print.so";

// The loaded module's calls; null when it cannot be loaded.
const PrintCalls* PrintModule();

// Empty when the module is usable; else which file failed and how, for the
// program to tell the user. Loads the module when nothing has yet.
std::string PrintModuleProblem();

// Loads the module from path instead, for the tests of a missing module: the
// problem it reports, empty when it loaded. Does not change PrintModule().
std::string PrintModuleProblemLoading(const std::string& path);
