#include "tests/e2e/GatedVolumeCatalog.h"

void GatedVolumeCatalog::hold()
{
    std::lock_guard<std::mutex> locker(m_oGateMutex);
    m_bClosed = true;
}

void GatedVolumeCatalog::release()
{
    {
        std::lock_guard<std::mutex> locker(m_oGateMutex);
        m_bClosed = false;
    }
    m_oGateChanged.notify_all();
}

bool GatedVolumeCatalog::isCopyHeld() const
{
    std::lock_guard<std::mutex> locker(m_oGateMutex);
    return m_bCopyHeld;
}

std::string GatedVolumeCatalog::rawDevicePath(const std::string &drive) const
{
    {
        std::unique_lock<std::mutex> locker(m_oGateMutex);
        m_bCopyHeld = m_bClosed;
        m_oGateChanged.wait(locker, [this] { return !m_bClosed; });
        m_bCopyHeld = false;
    }
    return SimVolumeCatalog::rawDevicePath(drive);
}
