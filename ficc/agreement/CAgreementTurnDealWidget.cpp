#include "agreement/CAgreementTurnDealWidget.h"
#include "common/DeploymentRights.h"

#include "agreement/AgreementTableSupport.h"
#include "agreement/IBaseAgreementRepurchaseWidget.h"
#include "common/FiccEvents.h"
#include "tc/AccountHelper.h"
#include "tc/CExchangeClient.h"
#include "tc/CUserManager.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/DataTypes.h"
#include "utils/CSingletonT.h"
#include "utils/TTLog.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CSmallNormalButton.h"
#include "xp/NumberFormat.h"

#include <boost/format.hpp>
#include <boost/pointer_cast.hpp>

namespace TC {

namespace {

using OrderPtr = ttservice::CRepurchaseIntentionOrderPtr;

constexpr int kRefreshButtonId = 1;
constexpr int kMenuFlags = 0x1FF;
constexpr int kButtonType = 3;
constexpr int kButtonAlignment = 0x3000;

enum EColumn {
    ColMarket,
    ColPledgedBond,
    ColConversionRatio,
    ColPledgedBondVolume,
    ColAmount,
    ColDays,
    ColDirection,
    ColRate,
    ColTrader,
    ColDealer,
    ColDealerName,
    ColMaturityDate,
    ColMaturityAmount,
    ColAction,
    ColumnCount
};

OrderPtr asOrder(const ttservice::IDataPtr &record)
{
    return boost::dynamic_pointer_cast<ttservice::CRepurchaseIntentionOrder>(record);
}

} // namespace

CAgreementTurnDealWidget::CAgreementTurnDealWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_agreementtablewidget"), false, parent)
{
    const CAgreementTableFrame frame
        = buildAgreementTableFrame(this, QStringLiteral("转成交申报"), kMenuFlags);
    m_titleText = frame.titleText;
    m_refreshButton = frame.refreshButton;
    m_table = frame.table;
    buildColumns();
    setFocusPolicy(Qt::StrongFocus);
    connectAgreementTable(this);
}

CAgreementTurnDealWidget::~CAgreementTurnDealWidget()
{
    QObject::disconnect(this, nullptr, nullptr, nullptr);
}

void CAgreementTurnDealWidget::buildColumns()
{
    m_table->clear();
    m_table->clearColumns();
    m_table->setColumnCount(ColumnCount);
    m_table->setHeaderTexts(
        { QStringLiteral("交易市场"), QStringLiteral("质押债券"), QStringLiteral("折算比例(%)"),
          QStringLiteral("质押债券数量"), QStringLiteral("回购金额"), QStringLiteral("回购天数"),
          QStringLiteral("回购方向"), QStringLiteral("回购利率"), QStringLiteral("交易员"),
          QStringLiteral("交易商"), QStringLiteral("交易商名称"), QStringLiteral("到期结算日期"),
          QStringLiteral("到期结算金额"), QStringLiteral("  操作  ") });
}

void CAgreementTurnDealWidget::setOperationWidget(IBaseAgreementRepurchaseWidget *widget)
{
    if (!widget)
        return;
    m_operationWidget = widget;
    setOperationType(widget->operationType());
}

void CAgreementTurnDealWidget::setOperationType(ETradeOperationType type)
{
    if (type == m_operationType)
        return;
    m_operationType = type;
    buildColumns();
    updateTableDataFromCache();
}

const std::vector<ttservice::IDataPtr> &
CAgreementTurnDealWidget::cachedOrders(ETradeOperationType type) const
{
    static const std::vector<ttservice::IDataPtr> none;
    const auto it = m_orderCache.find(type);
    return it == m_orderCache.end() ? none : it->second;
}

void CAgreementTurnDealWidget::updateTableDataFromCache()
{
    const std::vector<ttservice::IDataPtr> &cache = m_orderCache[m_operationType];
    if (cache.empty()) {
        TT_LOG_INFO(boost::format("[eTradeOpType = %1%], cache is empty.") % int(m_operationType));
        queryFromServer();
        return;
    }
    if (!m_operationWidget)
        return;
    const ttservice::CAccountDataPtr accountData = m_operationWidget->getAccountDataPtr();
    if (!accountData)
        return;
    m_table->clear();
    fillTable(cache, accountData->getAccountInfo());
}

void CAgreementTurnDealWidget::queryFromServer()
{
    if (!m_operationWidget)
        return;
    const ttservice::CAccountDataPtr accountData = m_operationWidget->getAccountDataPtr();
    const ttservice::CAccountInfoPtr accountInfo
        = accountData ? accountData->getAccountInfo() : ttservice::CAccountInfoPtr();
    if (!accountInfo || !isBrokerTypeMatchTradeType(accountInfo->brokerType, 1))
        return;
    m_refreshButton->setEnabled(false);
    m_table->clear();
    m_orderCache[m_operationType].clear();
    const ETradeOperationType type = m_operationType;
    const std::string accountKey = accountInfo->getKey();
    queryAgreementRecords(
        ttservice::DATA_TYPE_INTENTION_ORDER, accountInfo, m_delivery,
        [this, accountKey, type](const utils::TTError &error,
                                 const std::vector<ttservice::IDataPtr> &records, bson::bo raw) {
            Q_EMIT signal_queryAgreementContract(error, records, raw, accountKey, type);
        });
}

void CAgreementTurnDealWidget::slot_queryAgreementContract(
    const utils::TTError &error, const std::vector<ttservice::IDataPtr> &records, bson::bo,
    const std::string &accountKey, TC::ETradeOperationType operationType)
{
    m_refreshButton->setEnabled(true);
    const ttservice::CAccountInfoPtr accountInfo = applyAgreementAnswer(
        m_operationWidget, error, records, accountKey, m_orderCache[operationType],
        [](const ttservice::IDataPtr &record) { return bool(asOrder(record)); });
    if (accountInfo)
        fillTable(m_orderCache[m_operationType], accountInfo);
}

void CAgreementTurnDealWidget::slotDeliveryStatus(ttservice::CAccountInfoPtr, bool, std::string)
{
    if (m_operationWidget)
        m_operationWidget->contractListReloaded();
    queryFromServer();
}

void CAgreementTurnDealWidget::slotNewTradingDay(const std::string &, const std::string &)
{
    if (m_operationWidget)
        m_operationWidget->contractListReloaded();
    queryFromServer();
}

void CAgreementTurnDealWidget::fillTable(const std::vector<ttservice::IDataPtr> &orders,
                                         const ttservice::CAccountInfoPtr &accountInfo)
{
    if (orders.empty() || !accountInfo || !m_table) {
        if (m_operationWidget)
            m_operationWidget->contractListReloaded();
        return;
    }
    m_table->clear();
    const bool readOnly = currentDeploymentRights().readOnly;
    for (const ttservice::IDataPtr &record : orders) {
        const OrderPtr order = asOrder(record);
        if (!order)
            continue;
        const int row = m_table->appendRow();
        m_table->setItemText(row, ColMarket, XP::sToQs(order->market), true);
        m_table->setItemText(row, ColPledgedBond, XP::sToQs(order->pledgedBond), true);
        m_table->setItemDouble(row, ColConversionRatio, order->conversionRatio * 100, 2,
                               XP::NF_NONE, true);
        m_table->setItemInt(row, ColPledgedBondVolume, order->pledgedBondVolume, XP::NF_NONE, true);
        m_table->setItemDouble(row, ColAmount, order->repurchaseAmount, 2, XP::NF_NONE, true);
        m_table->setItemInt(row, ColDays, order->repurchaseDays, XP::NF_NONE, true);
        m_table->setItemText(
            row, ColDirection,
            order->direction == '0' ? QStringLiteral("正回购") : QStringLiteral("逆回购"), true);
        m_table->setItemDouble(row, ColRate, order->repurchaseRate, 3, XP::NF_NONE, true);
        m_table->setItemText(row, ColTrader, XP::sToQs(order->trader), true);
        m_table->setItemText(row, ColDealer, XP::sToQs(order->dealer), true);
        m_table->setItemText(row, ColDealerName, XP::sToQs(order->dealerName), true);
        m_table->setItemInt(row, ColMaturityDate, order->maturitySettleDate, XP::NF_NONE, true);
        m_table->setItemDouble(row, ColMaturityAmount, order->maturitySettleAmount, 2, XP::NF_NONE,
                               true);
        if (order->direction == '1') {
            auto *button = new XP::CSmallNormalButton(row * 1000, true, kButtonType, this);
            button->setText(QStringLiteral("转成交"));
            button->setFocusPolicy(Qt::NoFocus);
            button->setEnabled(!readOnly);
            m_table->setItemWidget(row, ColAction, button, kButtonAlignment, true);
        }
    }
}

void CAgreementTurnDealWidget::turnToDeal(int row)
{
    const std::vector<ttservice::IDataPtr> &cache = m_orderCache[m_operationType];
    if (row < 0 || row >= int(cache.size()))
        return;
    const OrderPtr order = asOrder(cache[size_t(row)]);
    if (order)
        deliverEvent(EVT_TURN_DEAL_CHOSEN, 0, 0, XP::sToQs(order->getKey()), nullptr);
}

bool CAgreementTurnDealWidget::handleEvent(int event, int id, int b, QString text, void *data)
{
    if (event == XP::EVT_BUTTON_CHECKED) {
        if (id == kRefreshButtonId)
            queryFromServer();
        else
            turnToDeal(id / 1000);
        return true;
    }
    return XP::CBaseWidget::handleEvent(event, id, b, text, data);
}

} // namespace TC
