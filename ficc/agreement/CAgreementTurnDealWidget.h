#pragma once

#include "tc/TradeOperationType.h"
#include "ttservice/Bson.h"
#include "ttservice/CAccountInfo.h"
#include "utils/CDeliveryGuard.h"
#include "utils/TTError.h"
#include "xp/CBaseWidget.h"

#include <map>
#include <string>
#include <vector>

namespace XP {
class COddEvenRowTable;
class CSimpleTextWidget;
class CSmallNoNormalButton;
} // namespace XP

namespace TC {

class IBaseAgreementRepurchaseWidget;

// The "转成交申报" list of the intention declaration: the account's intention
// orders (type 793). Rows of direction '1' carry a 转成交 button that announces
// the order upwards (EVT_TURN_DEAL_CHOSEN); the page then starts a deal
// declaration from it.
class CAgreementTurnDealWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    explicit CAgreementTurnDealWidget(QWidget *parent);
    ~CAgreementTurnDealWidget() override;

    void setOperationWidget(IBaseAgreementRepurchaseWidget *widget);
    IBaseAgreementRepurchaseWidget *operationWidget() const { return m_operationWidget; }
    void setOperationType(ETradeOperationType type);
    ETradeOperationType operationType() const { return m_operationType; }
    void updateTableDataFromCache();
    void queryFromServer();

    XP::COddEvenRowTable *table() const { return m_table; }
    XP::CSmallNoNormalButton *refreshButton() const { return m_refreshButton; }
    const std::vector<ttservice::IDataPtr> &cachedOrders(ETradeOperationType type) const;

    bool handleEvent(int event, int id, int b, QString text, void *data) override;

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
    void buildColumns();
    void fillTable(const std::vector<ttservice::IDataPtr> &orders,
                   const ttservice::CAccountInfoPtr &accountInfo);
    void turnToDeal(int row);

    XP::CSimpleTextWidget *m_titleText = nullptr; // owned through Qt parentage
    XP::CSmallNoNormalButton *m_refreshButton = nullptr;
    XP::COddEvenRowTable *m_table = nullptr;
    ETradeOperationType m_operationType = OPT_NONE;
    IBaseAgreementRepurchaseWidget *m_operationWidget = nullptr; // not owned: the page owns it
    std::map<ETradeOperationType, std::vector<ttservice::IDataPtr>> m_orderCache;
    // Answers of the trade client come from its thread; they reach this
    // widget only while it lives.
    utils::CDeliveryGuard m_delivery;
};

} // namespace TC
