#pragma once

#include "tc/CCanOrderNum.h"
#include "ttservice/IData.h"
#include "ttservice/Types.h"

#include <QHash>
#include <QMap>
#include <QPair>
#include <QString>

#include <set>
#include <string>
#include <vector>

namespace XP {
class COddEvenRowTable;
}

namespace TC {

// The rows of the account list: one fund account per row, its tick, login
// state, funds and the quantities the order form reported for it. It keeps
// the values and writes them into the list's table, one row id per account
// in the order of the configuration; a change rewrites only its cells.
class COpAccountsModel final
{
public:
    enum Column {
        ColCheck,
        ColAccountId,
        ColAccountName,
        ColLoginStatus,
        ColAvailableFunds,
        ColBuyVolume,
        ColSellVolume,
        ColSplitVolume,
        ColumnCount
    };

    // What the user configuration says about an account; the rest of a row
    // (tick, quantities) belongs to the list.
    struct AccountEntry
    {
        QString key;
        QString displayId; // empty: the account id is shown
        QString name;
        ttservice::EBROKER_LOGIN_STATUS loginStatus = ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN;
        double availableFunds = ttservice::kUnsetDouble;
    };

    // `table` is the list's table (not owned); its columns are set up here.
    COpAccountsModel(bool multiSelect, XP::COddEvenRowTable *table);

    int rowCount() const { return int(m_rows.size()); }
    // Replaces the accounts; ticks and quantities of accounts still listed stay.
    void setAccounts(std::vector<AccountEntry> accounts);

    int rowOfKey(const QString &key) const; // -1 when not listed
    QString keyAt(int row) const;
    std::set<QString> keys() const;
    std::set<QString> checkedKeys() const;
    bool isChecked(int row) const;
    bool isMultiSelect() const { return m_multiSelect; }
    // Ticks or unticks a row; without multi-select a tick clears the others.
    // True when the set of ticked accounts changed.
    bool setChecked(int row, bool checked);

    void setLoginStatus(const QString &key, ttservice::EBROKER_LOGIN_STATUS status);
    void setAvailableFunds(const QString &key, double funds);
    // False when the account is not listed.
    bool setCanOrderNum(const QString &key, const CCanOrderNum &num);
    bool canOrderNum(const QString &key, CCanOrderNum *out) const;
    // The split of one order over the accounts: accounts left out have none.
    void setSplitVolumes(const QMap<std::string, QPair<double, double>> &volumes);
    QPair<double, double> splitVolume(const QString &key) const;

    // The quantity column of this side is highlighted (1052 buy, 1053 sell).
    void setHighlightedSide(ttservice::EOperationType side);
    int highlightedColumn() const;

    // What a cell shows and the theme colour of its text.
    QString text(int row, int column) const;
    QString textColorKey(int row, int column) const;

private:
    struct Row
    {
        AccountEntry account;
        bool checked = false;
        bool hasCanOrderNum = false;
        CCanOrderNum canOrderNum;
        bool hasSplit = false;
        QPair<double, double> split { 0.0, 0.0 };
    };

    // The rows by account key: an open-addressed table of row ids (-1: free
    // slot), twice the size of the list, in one block rather than a node per
    // account. The slot that holds `key`, or the free slot where it would go.
    static size_t slotOf(const std::vector<Row> &rows, const std::vector<int> &keySlots,
                         const QString &key);
    static int rowIn(const std::vector<Row> &rows, const std::vector<int> &keySlots,
                     const QString &key);
    bool sameAccounts(const std::vector<AccountEntry> &accounts) const;
    void writeRow(int row);
    void writeCell(int row, int column);

    const bool m_multiSelect;
    XP::COddEvenRowTable *m_table; // not owned: the account list owns the table
    std::vector<Row> m_rows; // row id = index
    std::vector<int> m_keySlots; // see slotOf()
    std::set<int> m_checkedRows;
    ttservice::EOperationType m_side = ttservice::OPERATION_TYPE_NONE;
};

} // namespace TC
