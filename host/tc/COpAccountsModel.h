#pragma once

#include "tc/CCanOrderNum.h"
#include "ttservice/IData.h"
#include "ttservice/Types.h"

#include <QAbstractTableModel>
#include <QMap>
#include <QPair>
#include <QString>

#include <set>
#include <string>
#include <vector>

namespace TC {

// The rows of the account list: one fund account per row, its tick, login
// state, funds and the quantities the order form reported for it. Raw values
// are kept; text is made only for the display role.
class COpAccountsModel final : public QAbstractTableModel
{
    Q_OBJECT
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

    explicit COpAccountsModel(bool multiSelect, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Replaces the accounts; ticks and quantities of accounts still listed stay.
    void setAccounts(const std::vector<AccountEntry> &accounts);

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

    QString displayText(const Row &row, int column) const;
    void rowChanged(int row);

    const bool m_multiSelect;
    std::vector<Row> m_rows;
    ttservice::EOperationType m_side = ttservice::OPERATION_TYPE_NONE;
};

} // namespace TC
