#pragma once

#include <QString>

namespace TestDirs {
// Path of a test data file shipped in the source tree (tests/data/...).
QString sourceData(const QString &relative);
// A fresh, empty directory under the test's working directory.
QString fresh(const QString &name);
}  // namespace TestDirs
