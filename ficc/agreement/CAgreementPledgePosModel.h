#pragma once

#include "ttservice/CPledgedBondInfo.h"
#include "xp/IBaseHpfTableData.h"
#include "xp/IBaseHpfTableModel.h"

#include <boost/shared_ptr.hpp>

namespace TC {

// The rows of a pledged positions table (the account's positions, or the
// bonds of a chosen contract) and the totals of its ticked rows.
class CAgreementPledgePosModel final : public XP::IBaseHpfTableModel
{
public:
    // 0: the position table, 1: the contract bond table.
    explicit CAgreementPledgePosModel(int tableIndex);

    int getColumnCount() const override;
    QString getHeaderText(int column) const override;
    QVariant::Type getColumnType(int column) const override;
    QString getStatText(int column) const override;
    bool getColumnSwitch(int column) const override;
    const QColor *getRowBackgroundColor(int row) const override;
    int getItemFlag(int column) const override;

    void setTotals(int volume, double faceValue, double amount);

    int totalAvailableVolume = 0;
    double totalAvailableFaceValue = 0.0;
    double totalPledgeAmount = 0.0;
    const int tableIndex;
};

// One pledgeable bond: what may be pledged now and what the trader pledges.
class CAgreementPledgePosData final : public XP::IBaseHpfTableData
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
    long long availableVolume = 0; // 可用数量
    double availableFaceValue = 0.0; // 可用债券总面额(元)
    long long normalVolume = 0; // non-restricted shares, from position statistics
    long long restrictedVolume = 0; // restricted shares, from non-tradable volumes
    QString bondName;
};

} // namespace TC
