// The personal word list's place, the same for the program and dravenloom-cli.
#include "qtshared/SpellingFiles.h"

#include <QDir>
#include <QStandardPaths>

namespace dravenloom {

std::string PersonalWordListPath() {
    // Named here rather than through the application's names, so that dravenloom-cli, which
    // runs under a name of its own, finds the program's list.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    return QDir(data)
        .filePath(QStringLiteral("Korvessa/Dravenloom/personal-words.txt"))
        .toStdString();
}

} // namespace dravenloom
