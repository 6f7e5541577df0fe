#include "sim/volume/VolumeFault.h"

#include <QFile>

#include <dlfcn.h>
#include <utility>

namespace {
using ArmFn = int (*)(int, const char *, long long);
using HookFn = void (*)(void (*)(void *), void *);
using FiredFn = int (*)();
using WrittenFn = long long (*)();
using ResumeFn = void (*)(int);

template <typename Fn>
Fn control(const char *name)
{
    return reinterpret_cast<Fn>(::dlsym(RTLD_DEFAULT, name));
}

std::function<void()> &vanishHook()
{
    static std::function<void()> hook;
    return hook;
}

void callVanishHook(void *)
{
    if (vanishHook())
        vanishHook()();
}
}  // namespace

bool VolumeFault::available()
{
    return control<ArmFn>("ais_volume_fault_arm") != nullptr;
}

bool VolumeFault::arm(Kind eKind, const QString &path, qint64 budgetBytes)
{
    const ArmFn fn = control<ArmFn>("ais_volume_fault_arm");
    return fn && fn(static_cast<int>(eKind), QFile::encodeName(path).constData(), budgetBytes) != 0;
}

void VolumeFault::disarm()
{
    arm(Kind::None, QString());
}

void VolumeFault::setVanishHook(std::function<void()> hook)
{
    const HookFn fn = control<HookFn>("ais_volume_fault_set_hook");
    if (!fn)
        return;
    fn(nullptr, nullptr);
    vanishHook() = std::move(hook);
    if (vanishHook())
        fn(&callVanishHook, nullptr);
}

bool VolumeFault::fired()
{
    const FiredFn fn = control<FiredFn>("ais_volume_fault_fired");
    return fn && fn() != 0;
}

qint64 VolumeFault::written()
{
    const WrittenFn fn = control<WrittenFn>("ais_volume_fault_written");
    return fn ? fn() : 0;
}

bool VolumeFault::stalled()
{
    const FiredFn fn = control<FiredFn>("ais_volume_fault_stalled");
    return fn && fn() != 0;
}

void VolumeFault::resume(bool bFail)
{
    if (const ResumeFn fn = control<ResumeFn>("ais_volume_fault_resume"))
        fn(bFail ? 1 : 0);
}
