#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace utils {

class FileHelper
{
public:
    // Reads the file at `path` and returns its lines as raw bytes, without
    // line terminators ("\n" and "\r\n" both end a line). A trailing empty
    // line is not returned. Returns false when the file cannot be opened or read.
    static bool open(const QString &path, QList<QByteArray> &lines);
};

} // namespace utils
