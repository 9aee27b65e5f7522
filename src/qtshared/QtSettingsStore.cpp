// The settings store over QSettings.
#include "qtshared/QtSettingsStore.h"

#include "document/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <limits>

namespace dravenloom {
namespace {

// The group of a key below the program key ("" for the program key itself), or nothing for a
// key outside it.
std::optional<QString> GroupOf(const std::string& key) {
    const std::string root = ProgramKey;
    if (key == root)
        return QString();
    if (key.size() > root.size() + 1 && key.compare(0, root.size(), root) == 0 &&
        key[root.size()] == '\\')
        return QString::fromUtf8(key.substr(root.size() + 1))
            .replace(QLatin1Char('\\'), QLatin1Char('/'));
    return std::nullopt;
}

// A value name can't hold the separators QSettings gives a meaning to.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.find_first_of("/\\") == std::string::npos;
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : Settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QStringLiteral("Korvessa"),
                                           QStringLiteral("Dravenloom"))) {
#ifdef Q_OS_WIN
    RegistryBacked = true;
#endif
}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : Settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::Location() const {
    return Settings->fileName();
}

std::optional<QString> QtSettingsStore::ValuePath(const std::string& key,
                                                  const std::string& name) const {
    auto group = GroupOf(key);
    if (!group || !IsPlainName(name))
        return std::nullopt;
    const QString value = QString::fromUtf8(name);
    return group->isEmpty() ? value : *group + QLatin1Char('/') + value;
}

bool QtSettingsStore::OpenKey(const std::string& key, bool create) {
    auto group = GroupOf(key);
    if (!group)
        return false;
    if (create) {
        MakePrivate();
        return Settings->isWritable();
    }
    Settings->sync();
    if (group->isEmpty())
        return !Settings->allKeys().isEmpty();
    Settings->beginGroup(*group);
    const bool exists = !Settings->allKeys().isEmpty();
    Settings->endGroup();
    return exists;
}

SettingRead<bool> QtSettingsStore::ReadBool(const std::string& key, const std::string& name) {
    using Read = SettingRead<bool>;
    auto path = ValuePath(key, name);
    if (!path || !Settings->contains(*path))
        return Read::Missing();
    const QVariant value = Settings->value(*path);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Read::Of(value.toLongLong() != 0);
    case QMetaType::QString:
        break;
    default:
        return Read::Unreadable();
    }
    // A registry string is not a boolean, whatever it says.
    if (RegistryBacked)
        return Read::Unreadable();
    bool ok = false;
    const QString text = value.toString();
    const int number = text.toInt(&ok);
    if (!ok || text.trimmed() != text)
        return Read::Unreadable();
    return Read::Of(number != 0);
}

SettingRead<std::string> QtSettingsStore::ReadString(const std::string& key,
                                                     const std::string& name) {
    using Read = SettingRead<std::string>;
    auto path = ValuePath(key, name);
    if (!path || !Settings->contains(*path))
        return Read::Missing();
    const QVariant value = Settings->value(*path);
    if (value.typeId() != QMetaType::QString)
        return Read::Unreadable();
    // The program keeps its texts in code page 1252; a character outside it can't be read.
    auto bytes = Utf8ToCp1252(value.toString().toStdString());
    return bytes ? Read::Of(std::move(*bytes)) : Read::Unreadable();
}

bool QtSettingsStore::WriteBool(const std::string& key, const std::string& name, bool value) {
    auto path = ValuePath(key, name);
    if (!path)
        return false;
    MakePrivate();
    Settings->setValue(*path, value ? 1 : 0);
    return Finish();
}

bool QtSettingsStore::WriteString(const std::string& key, const std::string& name,
                                  const std::string& value) {
    auto path = ValuePath(key, name);
    if (!path)
        return false;
    MakePrivate();
    Settings->setValue(*path, QString::fromStdString(Cp1252ToUtf8(value)));
    return Finish();
}

bool QtSettingsStore::Finish() {
    Settings->sync();
    MakePrivate();
    return Settings->status() == QSettings::NoError;
}

// The file holds the FTP password: it is created readable by its owner only, and kept so.
void QtSettingsStore::MakePrivate() {
    if (RegistryBacked)
        return;
    const QString path = Settings->fileName();
    QFile file(path);
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (!file.exists()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly))
            file.close();
        return;
    }
    if (file.permissions() & ~(ownerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser))
        file.setPermissions(ownerOnly);
}

} // namespace dravenloom
