#include "PrintModuleLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace {

struct LoadedModule
{
    const PrintCalls* Calls = nullptr;
    std::string Problem;  // empty when Calls can be used
};

LoadedModule Load(const std::string& path)
{
    LoadedModule module;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        const char* reason = dlerror();
        module.Problem = path + " is missing or cannot be loaded ("
                         + (reason ? reason : "no reason given") + ")";
        return module;
    }
    const auto entry = reinterpret_cast<decltype(&tarnix_print_calls)>(
        dlsym(library, kPrintCallsSymbol));
    module.Calls = entry ? entry() : nullptr;
    if (!module.Calls)
        module.Problem = path + " is not the module it should be";
    return module;
}

std::string InstalledPath()
{
    const QDir programs(QCoreApplication::applicationDirPath());
    const QString beside = programs.filePath(kPrintModuleFile);
    if (QFileInfo::exists(beside))
        return beside.toStdString();
    return QDir::cleanPath(
               programs.filePath(TARNIX_MODULE_FROM_BINDIR "/" + QString(kPrintModuleFile)))
        .toStdString();
}

// Built on first use; C++ makes the other threads wait meanwhile.
const LoadedModule& Loaded()
{
    static const LoadedModule module = Load(InstalledPath());
    return module;
}

}  // namespace

const PrintCalls* PrintModule()
{
    return Loaded().Calls;
}

std::string PrintModuleProblem()
{
    return Loaded().Problem;
}

std::string PrintModuleProblemLoading(const std::string& path)
{
    return Load(path).Problem;
}
