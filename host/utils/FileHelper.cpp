#include "utils/FileHelper.h"

#include <QFile>

namespace utils {

bool FileHelper::open(const QString &path, QList<QByteArray> &lines)
{
    lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;

    int start = 0;
    const int size = all.size();
    const char *data = all.constData();
    while (start < size) {
        const char *nl = static_cast<const char *>(memchr(data + start, '\n', size - start));
        int end = nl ? int(nl - data) : size;
        int lineEnd = end;
        if (lineEnd > start && data[lineEnd - 1] == '\r')
            --lineEnd;
        lines.append(QByteArray(data + start, lineEnd - start));
        start = end + 1;
    }
    return true;
}

} // namespace utils
