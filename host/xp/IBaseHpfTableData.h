#pragma once

#include <QString>

#include <boost/shared_ptr.hpp>

class QColor;

namespace XP {

// One row of a model table (CStandardHpfTable): the module's row classes say
// what each column shows. Typed readers answer the host's unset markers
// (INT_MAX, LLONG_MAX, the largest double) for columns they do not hold.
class IBaseHpfTableData
{
public:
    virtual ~IBaseHpfTableData();

    virtual QString getDisplayText(int column) const = 0;
    virtual QString getString(int column) const = 0;
    virtual int getInt(int column) const = 0;
    virtual double getDouble(int column) const = 0;
    virtual long long getLonglong(int column) const = 0;
    // Theme colour of a cell's text; null: the table's default.
    virtual const QColor *getTextColor(int column) const = 0;
    // Identifies the row in its model (one row per key).
    virtual QString getKey() const = 0;
};

using IBaseHpfTableDataPtr = boost::shared_ptr<IBaseHpfTableData>;

} // namespace XP
