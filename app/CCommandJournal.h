#pragma once

#include <QJsonObject>
#include <QString>

namespace ttservice {
class COrderComandParam;
class CCodeOrderParam;
} // namespace ttservice

namespace app {

// Turns order commands into the journal's JSON: every field of the command and
// of its orders, with each order's agreement parameters decoded from BSON.
// With a file set, each command is also appended to it as one JSON line.
class CCommandJournal
{
public:
    static QJsonObject commandToJson(int commandNo, const ttservice::COrderComandParam &command);
    static QJsonObject orderToJson(const ttservice::CCodeOrderParam &order);

    void setFile(const QString &path) { m_path = path; }
    QString file() const { return m_path; }

    // Appends one line; returns false when the file cannot be written.
    bool append(const QJsonObject &entry) const;

private:
    QString m_path;
};

} // namespace app
