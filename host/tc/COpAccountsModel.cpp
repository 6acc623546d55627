#include "tc/COpAccountsModel.h"

#include "xp/CUiResource.h"
#include "xp/NumberFormat.h"

#include <QColor>
#include <QFont>

#include <map>

namespace TC {

namespace {

const QString kNoValue = QStringLiteral("--");

QString loginStatusText(ttservice::EBROKER_LOGIN_STATUS status)
{
    switch (status) {
    case ttservice::BROKER_LOGIN_STATUS_OK:
        return QStringLiteral("已登录");
    case ttservice::BROKER_LOGIN_STATUS_REFRESHING:
        return QStringLiteral("刷新中");
    default:
        return QStringLiteral("未登录");
    }
}

QColor themeColor(const char *key)
{
    return *XP::uiResource()->getColor(QString::fromLatin1(key));
}

QFont highlightFont()
{
    QFont font = *XP::uiResource()->getFont(QStringLiteral("fnt_default_normal_fix"));
    font.setBold(true);
    return font;
}

bool isNumberColumn(int column)
{
    return column == COpAccountsModel::ColAvailableFunds || column == COpAccountsModel::ColBuyVolume
        || column == COpAccountsModel::ColSellVolume || column == COpAccountsModel::ColSplitVolume;
}

} // namespace

COpAccountsModel::COpAccountsModel(bool multiSelect, QObject *parent)
    : QAbstractTableModel(parent)
    , m_multiSelect(multiSelect)
{
}

int COpAccountsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int COpAccountsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString COpAccountsModel::displayText(const Row &row, int column) const
{
    switch (column) {
    case ColAccountId:
        return row.account.displayId.isEmpty() ? row.account.key : row.account.displayId;
    case ColAccountName:
        return row.account.name;
    case ColLoginStatus:
        return loginStatusText(row.account.loginStatus);
    case ColAvailableFunds:
        return XP::formatDoubleNumber(row.account.availableFunds, 2, XP::NF_THOUSANDS, false,
                                      kNoValue);
    case ColBuyVolume:
        return row.hasCanOrderNum
            ? XP::formatIntNumber(row.canOrderNum.buyVolume, 0, XP::NF_THOUSANDS)
            : kNoValue;
    case ColSellVolume:
        return row.hasCanOrderNum
            ? XP::formatIntNumber(row.canOrderNum.sellVolume, 0, XP::NF_THOUSANDS)
            : kNoValue;
    case ColSplitVolume:
        return row.hasSplit ? XP::formatDoubleNumber(
                   row.split.first, 2, XP::NF_THOUSANDS | XP::NF_TRIM_ZEROS, false, kNoValue)
                            : kNoValue;
    default:
        return QString();
    }
}

QVariant COpAccountsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()) || index.column() >= ColumnCount)
        return QVariant();
    const Row &row = m_rows[size_t(index.row())];
    const int column = index.column();
    const bool loggedIn = row.account.loginStatus == ttservice::BROKER_LOGIN_STATUS_OK;

    switch (role) {
    case Qt::DisplayRole:
        return column == ColCheck ? QVariant() : QVariant(displayText(row, column));
    case Qt::CheckStateRole:
        return column == ColCheck ? QVariant(row.checked ? Qt::Checked : Qt::Unchecked)
                                  : QVariant();
    case Qt::ForegroundRole:
        // An account that cannot trade now stays readable but steps back.
        if (!loggedIn)
            return themeColor("clr_disable_color");
        if (column == highlightedColumn())
            return themeColor(m_side == ttservice::OPERATION_TYPE_BUY
                                  ? "clr_basket_param_buy_btn_nomal"
                                  : "clr_basket_param_sell_btn_nomal");
        return themeColor("clr_text_default");
    case Qt::FontRole:
        return column == highlightedColumn() ? QVariant(highlightFont()) : QVariant();
    case Qt::TextAlignmentRole:
        if (isNumberColumn(column))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (column == ColLoginStatus || column == ColCheck)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (column == ColAccountId && !row.account.displayId.isEmpty())
            return row.account.key;
        return QVariant();
    case Qt::UserRole:
        return row.account.key;
    default:
        return QVariant();
    }
}

QVariant COpAccountsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole: {
        static const char *const titles[ColumnCount] = {
            "", "资金账号", "账户名称", "登录状态", "可用资金", "可买量", "可卖量", "拆单量",
        };
        return QString::fromUtf8(titles[section]);
    }
    case Qt::FontRole:
        return section == highlightedColumn() ? QVariant(highlightFont()) : QVariant();
    case Qt::TextAlignmentRole:
        return int((isNumberColumn(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

Qt::ItemFlags COpAccountsModel::flags(const QModelIndex &index) const
{
    // Not user-checkable: the list toggles the tick itself on a click anywhere
    // in the row, so the delegate must not toggle it a second time.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void COpAccountsModel::setAccounts(const std::vector<AccountEntry> &accounts)
{
    std::map<QString, Row> previous;
    for (const Row &row : m_rows)
        previous[row.account.key] = row;

    beginResetModel();
    m_rows.clear();
    m_rows.reserve(accounts.size());
    for (const AccountEntry &account : accounts) {
        const auto it = previous.find(account.key);
        Row row = it != previous.end() ? it->second : Row();
        row.account = account;
        m_rows.push_back(row);
    }
    endResetModel();
}

int COpAccountsModel::rowOfKey(const QString &key) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].account.key == key)
            return int(i);
    }
    return -1;
}

QString COpAccountsModel::keyAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].account.key : QString();
}

std::set<QString> COpAccountsModel::keys() const
{
    std::set<QString> out;
    for (const Row &row : m_rows)
        out.insert(row.account.key);
    return out;
}

std::set<QString> COpAccountsModel::checkedKeys() const
{
    std::set<QString> out;
    for (const Row &row : m_rows) {
        if (row.checked)
            out.insert(row.account.key);
    }
    return out;
}

bool COpAccountsModel::isChecked(int row) const
{
    return row >= 0 && row < int(m_rows.size()) && m_rows[size_t(row)].checked;
}

bool COpAccountsModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= int(m_rows.size()))
        return false;
    bool changed = false;
    if (checked && !m_multiSelect) {
        for (size_t i = 0; i < m_rows.size(); ++i) {
            if (int(i) != row && m_rows[i].checked) {
                m_rows[i].checked = false;
                rowChanged(int(i));
                changed = true;
            }
        }
    }
    if (m_rows[size_t(row)].checked != checked) {
        m_rows[size_t(row)].checked = checked;
        rowChanged(row);
        changed = true;
    }
    return changed;
}

void COpAccountsModel::setLoginStatus(const QString &key, ttservice::EBROKER_LOGIN_STATUS status)
{
    const int row = rowOfKey(key);
    if (row < 0 || m_rows[size_t(row)].account.loginStatus == status)
        return;
    m_rows[size_t(row)].account.loginStatus = status;
    rowChanged(row); // the whole row dims or lights up
}

void COpAccountsModel::setAvailableFunds(const QString &key, double funds)
{
    const int row = rowOfKey(key);
    if (row < 0)
        return;
    m_rows[size_t(row)].account.availableFunds = funds;
    const QModelIndex cell = index(row, ColAvailableFunds);
    Q_EMIT dataChanged(cell, cell);
}

bool COpAccountsModel::setCanOrderNum(const QString &key, const CCanOrderNum &num)
{
    const int row = rowOfKey(key);
    if (row < 0)
        return false;
    m_rows[size_t(row)].hasCanOrderNum = true;
    m_rows[size_t(row)].canOrderNum = num;
    Q_EMIT dataChanged(index(row, ColBuyVolume), index(row, ColSellVolume));
    return true;
}

bool COpAccountsModel::canOrderNum(const QString &key, CCanOrderNum *out) const
{
    const int row = rowOfKey(key);
    if (row < 0 || !m_rows[size_t(row)].hasCanOrderNum)
        return false;
    if (out)
        *out = m_rows[size_t(row)].canOrderNum;
    return true;
}

void COpAccountsModel::setSplitVolumes(const QMap<std::string, QPair<double, double>> &volumes)
{
    if (m_rows.empty())
        return;
    for (Row &row : m_rows) {
        const auto it = volumes.constFind(row.account.key.toStdString());
        row.hasSplit = it != volumes.constEnd();
        row.split = row.hasSplit ? it.value() : qMakePair(0.0, 0.0);
    }
    Q_EMIT dataChanged(index(0, ColSplitVolume), index(int(m_rows.size()) - 1, ColSplitVolume));
}

QPair<double, double> COpAccountsModel::splitVolume(const QString &key) const
{
    const int row = rowOfKey(key);
    return row < 0 ? qMakePair(0.0, 0.0) : m_rows[size_t(row)].split;
}

void COpAccountsModel::setHighlightedSide(ttservice::EOperationType side)
{
    if (side == m_side)
        return;
    m_side = side;
    Q_EMIT headerDataChanged(Qt::Horizontal, ColBuyVolume, ColSellVolume);
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, ColBuyVolume), index(int(m_rows.size()) - 1, ColSellVolume));
}

int COpAccountsModel::highlightedColumn() const
{
    switch (m_side) {
    case ttservice::OPERATION_TYPE_BUY:
        return ColBuyVolume;
    case ttservice::OPERATION_TYPE_SELL:
        return ColSellVolume;
    default:
        return -1;
    }
}

void COpAccountsModel::rowChanged(int row)
{
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

} // namespace TC
