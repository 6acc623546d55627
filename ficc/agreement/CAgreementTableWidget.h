#pragma once

#include "tc/TradeOperationType.h"
#include "ttservice/Bson.h"
#include "ttservice/CAccountInfo.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "utils/CDeliveryGuard.h"
#include "utils/TTError.h"
#include "xp/CBaseWidget.h"

#include <boost/shared_ptr.hpp>

#include <map>
#include <string>
#include <vector>

class QTimer;

namespace XP {
class COddEvenRowTable;
class CRadioButton;
class CSimpleTextWidget;
class CSmallNoNormalButton;
} // namespace XP

namespace TC {

class CPledgeBondInfoDialog;
class CRowTexts;
class IBaseAgreementRepurchaseWidget;

// The contract table of agreement repurchase: the contracts (type 788) of the
// account chosen in the operation form, for 到期确认, 提前购回, 到期续做,
// 质押券变更 and 解除质押. The contracts the current operation may act on come
// first and can be chosen with their radio button; choosing one fills the form
// and announces it to the switcher (EVT_CONTRACT_CHOSEN).
class CAgreementTableWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    explicit CAgreementTableWidget(QWidget *parent);
    ~CAgreementTableWidget() override;

    void setOperationWidget(IBaseAgreementRepurchaseWidget *widget);
    IBaseAgreementRepurchaseWidget *operationWidget() const { return m_operationWidget; }
    void setOperationType(ETradeOperationType type);
    ETradeOperationType operationType() const { return m_operationType; }
    // From the account's data (false) or by a query to the trade client (true).
    void queryContracts(bool fromServer);

    // Whether the current operation may act on the contract (today from the host clock).
    bool isContractShown(const ttservice::CRepurchaseAgreementContractInfo &contract) const;
    // The same on `today` (yyyyMMdd), so that a fill reads the clock once.
    bool isContractShownOn(const ttservice::CRepurchaseAgreementContractInfo &contract,
                           int today) const;

    XP::COddEvenRowTable *table() const { return m_table; }
    XP::CSmallNoNormalButton *refreshButton() const { return m_refreshButton; }
    CPledgeBondInfoDialog *pledgeBondDialog() const { return m_pledgeBondDialog; }
    // The contract shown in a row (id from appendRow), null when none.
    ttservice::CRepurchaseAgreementContractInfoPtr rowContract(int row) const;
    const std::vector<ttservice::IDataPtr> &cachedContracts(ETradeOperationType type) const;

    bool handleEvent(int type, int id, int param, QString text, void *data) override;

Q_SIGNALS:
    void signal_queryAgreementContract(utils::TTError error,
                                       std::vector<ttservice::IDataPtr> records, bson::bo raw,
                                       std::string accountKey,
                                       TC::ETradeOperationType operationType);

public Q_SLOTS:
    void slot_queryAgreementContract(const utils::TTError &error,
                                     const std::vector<ttservice::IDataPtr> &records, bson::bo raw,
                                     const std::string &accountKey,
                                     TC::ETradeOperationType operationType);
    void slotDeliveryStatus(ttservice::CAccountInfoPtr accountInfo, bool flag, std::string text);
    void slotNewTradingDay(const std::string &tradingDate, const std::string &previousDate);

private:
    void buildUi();
    void fillTable(const std::vector<ttservice::IDataPtr> &contracts,
                   const ttservice::CAccountInfoPtr &accountInfo);
    void addRow(const ttservice::CRepurchaseAgreementContractInfoPtr &contract, bool choosable,
                CRowTexts &texts);
    void selectRow(int row, XP::CRadioButton *radio = nullptr);
    void chooseRow(int row);
    void openPledgeBondDialog(int row);

    XP::CSimpleTextWidget *m_titleText = nullptr; // owned through Qt parentage
    XP::CSmallNoNormalButton *m_refreshButton = nullptr;
    XP::COddEvenRowTable *m_table = nullptr;
    ETradeOperationType m_operationType = OPT_NONE;
    IBaseAgreementRepurchaseWidget *m_operationWidget = nullptr; // not owned: the page owns it
    std::map<ETradeOperationType, std::vector<ttservice::IDataPtr>> m_contractCache;
    // The contract of each row, by the row id appendRow() gave (ids count from 0).
    std::vector<ttservice::CRepurchaseAgreementContractInfoPtr> m_rowContracts;
    CPledgeBondInfoDialog *m_pledgeBondDialog = nullptr; // made on first use, a child
    QTimer *m_refreshTimer = nullptr; // a child: 刷新 comes back after 30 s without an answer
    // Answers of the trade client come from its thread; they reach this
    // widget only while it lives.
    utils::CDeliveryGuard m_delivery;
};

} // namespace TC
