#pragma once
// How much a request made the process grow, read from Linux's /proc.

#include <fstream>
#include <string>

// The process's peak resident memory in KB (VmHWM), or -1 when unknown.
inline long PeakResidentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
    {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// Lowers the peak to the memory in use now, so that VmHWM measures what
// follows. False where the kernel does not offer it.
inline bool ResetPeakResident()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}
