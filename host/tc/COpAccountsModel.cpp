#include "tc/COpAccountsModel.h"

#include "xp/CCheckBoxCell.h"
#include "xp/COddEvenRowTable.h"
#include "xp/NumberFormat.h"

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

} // namespace

COpAccountsModel::COpAccountsModel(bool multiSelect, XP::COddEvenRowTable *table)
    : m_multiSelect(multiSelect)
    , m_table(table)
{
    m_table->clear();
    m_table->clearColumns();
    m_table->setColumnCount(ColumnCount);
    m_table->setHeaderTexts({ QString(), QStringLiteral("资金账号"), QStringLiteral("账户名称"),
                              QStringLiteral("登录状态"), QStringLiteral("可用资金"),
                              QStringLiteral("可买量"), QStringLiteral("可卖量"),
                              QStringLiteral("拆单量") });
    m_table->setColumnWidth(ColCheck, 26);
    m_table->setColumnAlignment(ColLoginStatus, Qt::AlignCenter);
    for (int column : { ColAvailableFunds, ColBuyVolume, ColSellVolume, ColSplitVolume })
        m_table->setColumnAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

bool COpAccountsModel::sameAccounts(const std::vector<AccountEntry> &accounts) const
{
    if (accounts.size() != m_rows.size())
        return false;
    for (size_t i = 0; i < accounts.size(); ++i)
        if (accounts[i].key != m_rows[i].account.key)
            return false;
    return true;
}

void COpAccountsModel::setAccounts(std::vector<AccountEntry> accounts)
{
    if (sameAccounts(accounts)) {
        // A reload of the same accounts (the usual case): only what changed
        // is written again.
        for (size_t i = 0; i < accounts.size(); ++i) {
            AccountEntry &now = m_rows[i].account;
            const AccountEntry &next = accounts[i];
            const bool funds = !(now.availableFunds == next.availableFunds);
            const bool rest = now.displayId != next.displayId || now.name != next.name
                || now.loginStatus != next.loginStatus;
            if (!funds && !rest)
                continue;
            now = next;
            if (rest)
                writeRow(int(i));
            else
                writeCell(int(i), ColAvailableFunds);
        }
        return;
    }

    // Ticks and quantities of the accounts still listed come from their old rows.
    std::vector<Row> previous;
    previous.swap(m_rows);
    std::vector<int> previousSlots;
    previousSlots.swap(m_keySlots);

    m_rows.reserve(accounts.size());
    size_t slotCount = 16;
    while (slotCount < 2 * accounts.size())
        slotCount *= 2;
    m_keySlots.assign(slotCount, -1);
    m_checkedRows.clear();
    for (AccountEntry &account : accounts) {
        const size_t slot = slotOf(m_rows, m_keySlots, account.key);
        if (m_keySlots[slot] >= 0)
            continue; // an account is listed once
        const int before = previous.empty() ? -1 : rowIn(previous, previousSlots, account.key);
        Row row = before >= 0 ? std::move(previous[size_t(before)]) : Row();
        m_keySlots[slot] = int(m_rows.size());
        row.account = std::move(account);
        if (row.checked)
            m_checkedRows.insert(int(m_rows.size()));
        m_rows.push_back(std::move(row));
    }

    m_table->clear();
    m_table->setRowCount(int(m_rows.size()));
    for (int row = 0; row < int(m_rows.size()); ++row) {
        m_table->setItemWidget(row, ColCheck, new XP::CCheckBoxCell(row, m_table, false),
                               Qt::AlignCenter, false);
        writeRow(row);
    }
}

void COpAccountsModel::writeRow(int row)
{
    const Row &r = m_rows[size_t(row)];
    // An account that cannot trade now stays readable but steps back.
    m_table->setRowColorKey(row,
                            r.account.loginStatus == ttservice::BROKER_LOGIN_STATUS_OK
                                ? QString()
                                : QStringLiteral("clr_disable_color"),
                            false);
    for (int column = 0; column < ColumnCount; ++column)
        writeCell(row, column);
}

void COpAccountsModel::writeCell(int row, int column)
{
    const Row &r = m_rows[size_t(row)];
    switch (column) {
    case ColCheck:
        if (auto *tick = dynamic_cast<XP::CCheckBoxCell *>(m_table->itemControl(row, ColCheck)))
            tick->setChecked(r.checked);
        break;
    case ColAccountId:
        m_table->setItemText(row, column,
                             r.account.displayId.isEmpty() ? r.account.key : r.account.displayId);
        break;
    case ColAccountName:
        m_table->setItemText(row, column, r.account.name);
        break;
    case ColLoginStatus:
        m_table->setItemText(row, column, loginStatusText(r.account.loginStatus));
        break;
    case ColAvailableFunds:
        if (XP::isInvalidNumber(r.account.availableFunds))
            m_table->setItemText(row, column, kNoValue);
        else
            m_table->setItemDouble(row, column, r.account.availableFunds, 2, XP::NF_THOUSANDS);
        break;
    case ColBuyVolume:
    case ColSellVolume:
        if (!r.hasCanOrderNum)
            m_table->setItemText(row, column, kNoValue);
        else
            m_table->setItemInt(row, column,
                                column == ColBuyVolume ? r.canOrderNum.buyVolume
                                                       : r.canOrderNum.sellVolume,
                                XP::NF_THOUSANDS);
        break;
    case ColSplitVolume:
        if (!r.hasSplit || XP::isInvalidNumber(r.split.first))
            m_table->setItemText(row, column, kNoValue);
        else
            m_table->setItemDouble(row, column, r.split.first, 2,
                                   XP::NF_THOUSANDS | XP::NF_TRIM_ZEROS);
        break;
    default:
        break;
    }
}

size_t COpAccountsModel::slotOf(const std::vector<Row> &rows, const std::vector<int> &keySlots,
                                const QString &key)
{
    const size_t mask = keySlots.size() - 1;
    size_t slot = size_t(qHash(key)) & mask;
    while (keySlots[slot] >= 0 && rows[size_t(keySlots[slot])].account.key != key)
        slot = (slot + 1) & mask;
    return slot;
}

int COpAccountsModel::rowIn(const std::vector<Row> &rows, const std::vector<int> &keySlots,
                            const QString &key)
{
    return keySlots.empty() ? -1 : keySlots[slotOf(rows, keySlots, key)];
}

int COpAccountsModel::rowOfKey(const QString &key) const
{
    return rowIn(m_rows, m_keySlots, key);
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
    for (int row : m_checkedRows)
        out.insert(m_rows[size_t(row)].account.key);
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
        // Only the ticked rows are visited, not the whole list.
        const std::set<int> others = m_checkedRows;
        for (int other : others) {
            if (other == row)
                continue;
            m_rows[size_t(other)].checked = false;
            m_checkedRows.erase(other);
            writeCell(other, ColCheck);
            changed = true;
        }
    }
    if (m_rows[size_t(row)].checked != checked) {
        m_rows[size_t(row)].checked = checked;
        if (checked)
            m_checkedRows.insert(row);
        else
            m_checkedRows.erase(row);
        writeCell(row, ColCheck);
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
    writeRow(row); // the whole row dims or lights up
}

void COpAccountsModel::setAvailableFunds(const QString &key, double funds)
{
    const int row = rowOfKey(key);
    if (row < 0 || m_rows[size_t(row)].account.availableFunds == funds)
        return;
    m_rows[size_t(row)].account.availableFunds = funds;
    writeCell(row, ColAvailableFunds);
}

bool COpAccountsModel::setCanOrderNum(const QString &key, const CCanOrderNum &num)
{
    const int row = rowOfKey(key);
    if (row < 0)
        return false;
    m_rows[size_t(row)].hasCanOrderNum = true;
    m_rows[size_t(row)].canOrderNum = num;
    writeCell(row, ColBuyVolume);
    writeCell(row, ColSellVolume);
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
    for (int row = 0; row < int(m_rows.size()); ++row) {
        Row &r = m_rows[size_t(row)];
        const auto it = volumes.constFind(r.account.key.toStdString());
        const bool hasSplit = it != volumes.constEnd();
        if (!hasSplit && !r.hasSplit)
            continue; // nothing to rewrite
        r.hasSplit = hasSplit;
        r.split = hasSplit ? it.value() : qMakePair(0.0, 0.0);
        writeCell(row, ColSplitVolume);
    }
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
    m_table->setColumnEmphasis(ColBuyVolume,
                               side == ttservice::OPERATION_TYPE_BUY
                                   ? QStringLiteral("clr_basket_param_buy_btn_nomal")
                                   : QString());
    m_table->setColumnEmphasis(ColSellVolume,
                               side == ttservice::OPERATION_TYPE_SELL
                                   ? QStringLiteral("clr_basket_param_sell_btn_nomal")
                                   : QString());
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

QString COpAccountsModel::text(int row, int column) const
{
    return m_table->itemText(row, column);
}

QString COpAccountsModel::textColorKey(int row, int column) const
{
    return m_table->textColorKey(row, column);
}

} // namespace TC
