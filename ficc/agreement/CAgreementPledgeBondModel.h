#pragma once

#include "ttservice/CPledgedBondInfo.h"
#include "xp/IBaseHpfTableData.h"
#include "xp/IBaseHpfTableModel.h"

#include <boost/shared_ptr.hpp>

namespace TC {

// The rows of the pledge bond table and the totals of its ticked rows.
class CAgreementPledgeBondModel final : public XP::IBaseHpfTableModel
{
public:
    CAgreementPledgeBondModel();

    int getColumnCount() const override;
    QString getHeaderText(int column) const override;
    QVariant::Type getColumnType(int column) const override;
    QString getStatText(int column) const override;
    bool getColumnSwitch(int column) const override;
    const QColor *getRowBackgroundColor(int row) const override;
    int getItemFlag(int column) const override;

    void setTotals(int volume, double amount);
    int totalVolume = 0;
    double totalAmount = 0.0;
};

// One bond entered for pledging: its record and its name.
class CAgreementPledgeBondData final : public XP::IBaseHpfTableData
{
public:
    QString getDisplayText(int column) const override;
    QString getString(int column) const override;
    int getInt(int column) const override;
    double getDouble(int column) const override;
    long long getLonglong(int column) const override;
    const QColor *getTextColor(int column) const override;
    QString getKey() const override;

    boost::shared_ptr<ttservice::CPledgedBondInfo> info;
    QString bondName;
};

} // namespace TC
