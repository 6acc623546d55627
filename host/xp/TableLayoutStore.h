#pragma once

#include <QString>
#include <QStringList>

namespace XP {

// Where tables keep their column widths and hidden columns between runs. The
// host names a file (its configuration directory); without one the layouts
// live only as long as the process. A layout is a list of "width" or
// "width:hidden" entries, one per column.
void setTableLayoutFile(const QString &path);
QString tableLayoutFile();
QStringList loadTableLayout(const QString &key);
void saveTableLayout(const QString &key, const QStringList &layout);
void removeTableLayout(const QString &key);
// Writes pending layouts to the file now.
void syncTableLayouts();
// Forgets every layout kept in memory and the file (tests).
void resetTableLayouts();

} // namespace XP
