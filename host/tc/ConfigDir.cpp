#include "tc/ConfigDir.h"

#include <QDir>
#include <QStandardPaths>

namespace TC {

namespace {
QString &configDirSlot()
{
    static QString dir;
    return dir;
}
} // namespace

QString getConfigDir()
{
    QString &dir = configDirSlot();
    if (dir.isEmpty()) {
        const QString base
            = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        dir = QDir(base.isEmpty() ? QDir::homePath() + "/.config" : base).filePath("ficc-terminal");
    }
    QDir().mkpath(dir);
    return dir;
}

void setConfigDir(const QString &dir)
{
    configDirSlot() = QDir::cleanPath(dir);
}

} // namespace TC
