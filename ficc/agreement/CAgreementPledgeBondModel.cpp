#include "agreement/CAgreementPledgeBondModel.h"

#include "tc/Services.h"
#include "xp/NumberFormat.h"

#include <climits>
#include <limits>

namespace TC {

namespace {

constexpr int kColumnCount = 6;

struct Column
{
    const char *header;
    QVariant::Type type;
};

const Column kColumns[kColumnCount] = {
    { "选择", QVariant::Invalid },    { "债券代码", QVariant::String },
    { "债券名称", QVariant::String }, { "市场代码", QVariant::String },
    { "质押数量", QVariant::Double }, { "质押金额", QVariant::Double },
};

QString money(double value)
{
    return XP::formatDoubleNumber(value, 2, XP::NF_NONE, false, QStringLiteral("非法值"));
}

} // namespace

CAgreementPledgeBondModel::CAgreementPledgeBondModel()
    : XP::IBaseHpfTableModel(true)
{
}

int CAgreementPledgeBondModel::getColumnCount() const
{
    return kColumnCount;
}

QString CAgreementPledgeBondModel::getHeaderText(int column) const
{
    return column >= 0 && column < kColumnCount ? QString::fromUtf8(kColumns[column].header)
                                                : QString();
}

QVariant::Type CAgreementPledgeBondModel::getColumnType(int column) const
{
    return column >= 0 && column < kColumnCount ? kColumns[column].type : QVariant::Invalid;
}

QString CAgreementPledgeBondModel::getStatText(int column) const
{
    if (column == 4)
        return money(totalVolume);
    if (column == 5)
        return money(totalAmount);
    return QString();
}

bool CAgreementPledgeBondModel::getColumnSwitch(int) const
{
    return false;
}

const QColor *CAgreementPledgeBondModel::getRowBackgroundColor(int row) const
{
    return utils::CSingletonT<XP::CUiResource>::instance()->getColor(
        row % 2 ? QStringLiteral("clr_table_background2") : QStringLiteral("clr_table_background"));
}

int CAgreementPledgeBondModel::getItemFlag(int) const
{
    return XP::NF_NONE;
}

void CAgreementPledgeBondModel::setTotals(int volume, double amount)
{
    totalVolume = volume;
    totalAmount = amount;
}

QString CAgreementPledgeBondData::getDisplayText(int column) const
{
    if (column >= 1 && column <= 3)
        return getString(column);
    if (column == 4 || column == 5)
        return money(getDouble(column));
    return QString();
}

QString CAgreementPledgeBondData::getString(int column) const
{
    switch (column) {
    case 1:
        return info ? XP::sToQs(info->bondCode) : QString();
    case 2:
        return bondName;
    case 3:
        return info ? XP::sToQs(info->market) : QString();
    default:
        return QString();
    }
}

int CAgreementPledgeBondData::getInt(int) const
{
    return INT_MAX;
}

double CAgreementPledgeBondData::getDouble(int column) const
{
    if (column == 4 && info)
        return info->pledgeVolume;
    if (column == 5 && info)
        return info->pledgeAmount;
    return std::numeric_limits<double>::max();
}

long long CAgreementPledgeBondData::getLonglong(int) const
{
    return LLONG_MAX;
}

const QColor *CAgreementPledgeBondData::getTextColor(int) const
{
    return utils::CSingletonT<XP::CUiResource>::instance()->getColor(
        QStringLiteral("clr_text_default"));
}

QString CAgreementPledgeBondData::getKey() const
{
    return info ? XP::sToQs(info->getKey()) : QString();
}

} // namespace TC
