#include "SeedFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace app {

QString refusal(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("%1 is a directory").arg(path);
    if (info.size() > kMaxSeedFileBytes)
        return QStringLiteral("%1 is %2 bytes, more than the %3 a seed file may have")
            .arg(path)
            .arg(info.size())
            .arg(kMaxSeedFileBytes);
    return QString();
}

bool readCsvLines(const QString &path, QStringList *warnings, QString *error,
                  const std::function<QString(const QStringList &)> &row)
{
    const QString refused = refusal(path);
    if (!refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    QTextStream in(&file);
    in.setCodec("UTF-8");
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (lineNo == 1 || line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QString reason = row(line.split(','));
        if (!reason.isEmpty())
            warnings->append(QStringLiteral("%1:%2: %3")
                                 .arg(QFileInfo(path).fileName())
                                 .arg(lineNo)
                                 .arg(reason));
    }
    return true;
}

} // namespace app
