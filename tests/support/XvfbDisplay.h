#pragma once

#include <QString>

#include <sys/types.h>

// An X server of its own (Xvfb) at a given resolution in dots per inch, for
// tests that look at the program as a scaled screen shows it. The screen is
// 2880 pixels wide: its width in whole millimetres then gives exactly 96,
// 144 or 192 DPI, which Qt turns into the scale factors 1, 1.5 and 2. The
// server ends with the object.
class XvfbDisplay {
public:
    explicit XvfbDisplay(int iDpi);
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay &) = delete;
    XvfbDisplay &operator=(const XvfbDisplay &) = delete;

    bool isReady() const { return !m_strName.isEmpty(); }
    // ":<n>", for DISPLAY; empty when Xvfb did not start.
    QString name() const { return m_strName; }
    QString errorText() const { return m_strError; }

private:
    pid_t m_iPid = -1;
    QString m_strName;
    QString m_strError;
};
