// The Python interpreter the test servers run under.
#pragma once

#include <QFileInfo>
#include <QString>

namespace dravenloom {

// Debian's own interpreter has the packaged modules; another python3 earlier on PATH may not.
inline QString TestPython() {
    if (QFileInfo::exists(QStringLiteral("/usr/bin/python3")))
        return QStringLiteral("/usr/bin/python3");
    return QStringLiteral("python3");
}

} // namespace dravenloom
