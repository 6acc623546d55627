#include "xp/TableLayoutStore.h"

#include "utils/ResetRegistry.h"

#include <QHash>
#include <QMutex>
#include <QSettings>

#include <memory>

namespace XP {

namespace {

struct Store
{
    QMutex mutex;
    QString path;
    std::unique_ptr<QSettings> file;
    QHash<QString, QStringList> memory;
};

Store &store()
{
    static Store s;
    return s;
}

QString settingsKey(const QString &key)
{
    // Slashes would make QSettings groups of the owners' names.
    return QStringLiteral("tables/") + QString(key).replace(QLatin1Char('/'), QLatin1Char('.'));
}

} // namespace

void setTableLayoutFile(const QString &path)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    if (s.file)
        s.file->sync();
    s.path = path;
    s.file.reset(path.isEmpty() ? nullptr : new QSettings(path, QSettings::IniFormat));
}

QString tableLayoutFile()
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    return s.path;
}

QStringList loadTableLayout(const QString &key)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    const auto it = s.memory.constFind(key);
    if (it != s.memory.constEnd())
        return *it;
    if (s.file)
        return s.file->value(settingsKey(key)).toStringList();
    return QStringList();
}

void saveTableLayout(const QString &key, const QStringList &layout)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    s.memory.insert(key, layout);
    if (s.file)
        s.file->setValue(settingsKey(key), layout);
}

void removeTableLayout(const QString &key)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    s.memory.remove(key);
    if (s.file)
        s.file->remove(settingsKey(key));
}

void syncTableLayouts()
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    if (s.file)
        s.file->sync();
}

void resetTableLayouts()
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    s.memory.clear();
    s.file.reset();
    s.path.clear();
}

namespace {
const utils::CResetRegistration kReset("XP::TableLayoutStore", [] { resetTableLayouts(); });
} // namespace

} // namespace XP
