#include "agreement/CAgreementPledgePosModel.h"

#include "tc/Services.h"
#include "xp/NumberFormat.h"

#include <climits>
#include <cmath>
#include <limits>

namespace TC {

namespace {

constexpr int kColumnCount = 9;
constexpr double kUnsetDouble = std::numeric_limits<double>::max();

struct Column
{
    const char *header;
    QVariant::Type type;
};

const Column kColumns[kColumnCount] = {
    { "选择", QVariant::Invalid },      { "债券代码", QVariant::String },
    { "债券名称", QVariant::String },   { "市场代码", QVariant::String },
    { "质押数量", QVariant::Int },      { "质押金额(元)", QVariant::Double },
    { "可用数量", QVariant::LongLong }, { "可用债券总面额(元)", QVariant::Double },
    { "股份性质", QVariant::String }, // the position table shows a choice there instead
};

QString money(double value)
{
    return XP::formatDoubleNumber(value, 2, XP::NF_NONE, false, QStringLiteral("非法值"));
}

QString count(long long value)
{
    return XP::formatIntNumber(value, 0, XP::NF_NONE);
}

} // namespace

CAgreementPledgePosModel::CAgreementPledgePosModel(int index)
    : XP::IBaseHpfTableModel(true)
    , tableIndex(index)
{
}

int CAgreementPledgePosModel::getColumnCount() const
{
    return kColumnCount;
}

QString CAgreementPledgePosModel::getHeaderText(int column) const
{
    return column >= 0 && column < kColumnCount ? QString::fromUtf8(kColumns[column].header)
                                                : QString();
}

QVariant::Type CAgreementPledgePosModel::getColumnType(int column) const
{
    if (column == 8 && tableIndex == 0)
        return QVariant::Invalid;
    return column >= 0 && column < kColumnCount ? kColumns[column].type : QVariant::Invalid;
}

QString CAgreementPledgePosModel::getStatText(int column) const
{
    switch (column) {
    case 5:
        return money(totalPledgeAmount);
    case 6:
        return count(totalAvailableVolume);
    case 7:
        return money(totalAvailableFaceValue);
    default:
        return QString();
    }
}

bool CAgreementPledgePosModel::getColumnSwitch(int) const
{
    return false;
}

const QColor *CAgreementPledgePosModel::getRowBackgroundColor(int row) const
{
    return utils::CSingletonT<XP::CUiResource>::instance()->getColor(
        row % 2 ? QStringLiteral("clr_table_background2") : QStringLiteral("clr_table_background"));
}

int CAgreementPledgePosModel::getItemFlag(int) const
{
    return XP::NF_NONE;
}

void CAgreementPledgePosModel::setTotals(int volume, double faceValue, double amount)
{
    totalAvailableVolume = volume;
    totalAvailableFaceValue = faceValue;
    totalPledgeAmount = amount;
}

QString CAgreementPledgePosData::getDisplayText(int column) const
{
    switch (column) {
    case 1:
    case 2:
    case 3:
        return getString(column);
    case 4:
        return count(getInt(column));
    case 5:
    case 7:
        return money(getDouble(column));
    case 6:
        return count(static_cast<int>(getLonglong(column)));
    default:
        return QString();
    }
}

QString CAgreementPledgePosData::getString(int column) const
{
    switch (column) {
    case 1:
        return info ? XP::sToQs(info->bondCode) : QString();
    case 2:
        return bondName;
    case 3:
        return info ? XP::sToQs(info->market) : QString();
    case 8:
        return info ? XP::sToQs(ttservice::TypeManager::instance()->getEnumItemName(
                   "ttservice::EStkProp", info->stockProperty, 1))
                    : QString();
    default:
        return QString();
    }
}

int CAgreementPledgePosData::getInt(int column) const
{
    if (column == 4 && info)
        return info->pledgeVolume == INT_MAX ? 0 : info->pledgeVolume;
    return INT_MAX;
}

double CAgreementPledgePosData::getDouble(int column) const
{
    double value = kUnsetDouble;
    if (column == 5 && info)
        value = info->pledgeAmount;
    else if (column == 7)
        value = availableFaceValue;
    else
        return kUnsetDouble;
    return std::fabs(value - kUnsetDouble) <= 0.00001 ? 0.0 : value;
}

long long CAgreementPledgePosData::getLonglong(int column) const
{
    if (column == 6)
        return availableVolume == LLONG_MAX ? 0 : availableVolume;
    return LLONG_MAX;
}

const QColor *CAgreementPledgePosData::getTextColor(int) const
{
    return utils::CSingletonT<XP::CUiResource>::instance()->getColor(
        QStringLiteral("clr_text_default"));
}

QString CAgreementPledgePosData::getKey() const
{
    return info ? XP::sToQs(info->getKey()) : QString();
}

} // namespace TC
