// ThreadSanitizer builds of the tests only. Qt 5 locks QMutex in
// uninstrumented libQt5Core code (futex based), so TSan sees no ordering
// between two critical sections of the same QMutex and reports races inside
// them. These definitions interpose QMutex's and QWaitCondition's exported
// entry points for calls made from the instrumented program, forward to Qt's
// own implementation and tell TSan about the acquire and release.
#if defined(__SANITIZE_THREAD__)

#include <QDeadlineTimer>
#include <QMutex>
#include <QWaitCondition>

#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

namespace {
template <typename Fn>
Fn qtEntry(const char *symbol)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, symbol));
}
}  // namespace

void QMutex::lock() QT_MUTEX_LOCK_NOEXCEPT
{
    static const auto real = qtEntry<void (*)(QMutex *)>("_ZN6QMutex4lockEv");
    real(this);
    __tsan_acquire(this);
}

bool QMutex::tryLock(int timeout) QT_MUTEX_LOCK_NOEXCEPT
{
    static const auto real = qtEntry<bool (*)(QMutex *, int)>("_ZN6QMutex7tryLockEi");
    const bool locked = real(this, timeout);
    if (locked)
        __tsan_acquire(this);
    return locked;
}

void QMutex::unlock() noexcept
{
    static const auto real = qtEntry<void (*)(QMutex *)>("_ZN6QMutex6unlockEv");
    __tsan_release(this);
    real(this);
}

bool QWaitCondition::wait(QMutex *lockedMutex, unsigned long time)
{
    static const auto real =
        qtEntry<bool (*)(QWaitCondition *, QMutex *, unsigned long)>("_ZN14QWaitCondition4waitEP6QMutexm");
    __tsan_release(lockedMutex);
    const bool woken = real(this, lockedMutex, time);
    __tsan_acquire(lockedMutex);
    return woken;
}

bool QWaitCondition::wait(QMutex *lockedMutex, QDeadlineTimer deadline)
{
    static const auto real = qtEntry<bool (*)(QWaitCondition *, QMutex *, QDeadlineTimer)>(
        "_ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer");
    __tsan_release(lockedMutex);
    const bool woken = real(this, lockedMutex, deadline);
    __tsan_acquire(lockedMutex);
    return woken;
}

#endif
