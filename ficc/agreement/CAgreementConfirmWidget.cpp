#include "agreement/CAgreementConfirmWidget.h"
#include "common/DeploymentRights.h"

#include "agreement/AgreementTableSupport.h"
#include "agreement/AgreementVariantSupport.h"
#include "agreement/CPledgeBondInfoDialog.h"
#include "agreement/IBaseAgreementRepurchaseWidget.h"
#include "tc/AccountHelper.h"
#include "tc/Services.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/DataTypes.h"
#include "utils/StringHelper.h"
#include "utils/TTLog.h"
#include "xp/CButtonListCell.h"
#include "xp/CComboBoxCell.h"
#include "xp/CMessageBox.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CSimpleTextCell.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CTableCellEdit.h"
#include "xp/NumberFormat.h"
#include "xp/WidgetEvents.h"

#include <QTimer>
#include <QVariant>

#include <boost/format.hpp>
#include <boost/pointer_cast.hpp>

#include <climits>

namespace TC {

namespace {

using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;

constexpr int kRefreshButtonId = 1;
constexpr int kRefreshTimeoutMs = 30000;
constexpr int kMenuFlags = 511;
// Ids of a row's controls: (row + 1) × 10000 + column; the 确定 button's
// column part is the answer, 0 = confirm.
constexpr int kRowIdStep = 10000;
constexpr int kConfirmAnswer = 0;
constexpr int kTextAlignment = 132; // left, vertically centred
constexpr int kButtonAlignment = 12288;
constexpr int kButtonType = 3;

DeclarationPtr asDeclaration(const ttservice::IDataPtr &record)
{
    return boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(record);
}

std::string utf8(const QString &text)
{
    return text.toUtf8().toStdString();
}

void showMessage(const QString &text)
{
    utils::CManualSingletonT<CMsgService>::instance()->showMsg(utf8(text), 4, 1, false, false);
}

// The owner types of an order, as the combo box of column 28 offers them.
struct OwnerType
{
    const char *name;
    int value;
};
constexpr OwnerType kOwnerTypes[]
    = { { "机构投资者", 2 }, { "个人投资者", 0 }, { "会员", 1 }, { "自营交易者", 3 } };

} // namespace

CAgreementConfirmWidget::CAgreementConfirmWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_agreementtablewidget"), false, parent)
{
    const CAgreementTableFrame frame
        = buildAgreementTableFrame(this, QStringLiteral("待确认申报"), kMenuFlags);
    m_titleText = frame.titleText;
    m_refreshButton = frame.refreshButton;
    m_table = frame.table;
    buildColumns();
    setFocusPolicy(Qt::StrongFocus);
    // An answer that never comes must not leave 刷新 disabled for good.
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setObjectName(QStringLiteral("refreshTimeout"));
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(kRefreshTimeoutMs);
    connect(m_refreshTimer, &QTimer::timeout, m_refreshButton,
            [this] { m_refreshButton->setEnabled(true); });
    connectAgreementTable(this);
}

CAgreementConfirmWidget::~CAgreementConfirmWidget()
{
    QObject::disconnect(this, nullptr, nullptr, nullptr);
}

void CAgreementConfirmWidget::buildColumns()
{
    m_table->clear();
    m_table->clearColumns();
    m_table->setColumnCount(ColumnCount);
    static const char *const kHeaders[ColumnCount]
        = { "资金账号",     "账户名称",         "交易市场",     "质押债券",      "交易类型",
            "折算比例(%)",  "回购金额",         "回购天数",     "回购方向",      "回购利率",
            "到期结算日期", "到期结算金额",     "原申请日期",   "实际购回日期",  "交易员",
            "交易商",       "交易商名字",       "对手交易员",   "对手交易商",    "对手交易商名字",
            "补充条款",     "交易主体",         "对方交易主体", "质权人",        "续做类型",
            "    操作    ", "解除质押结算金额", "对方客户名称", "订单所有者类型" };
    static const int kHeaderOrder[ColumnCount]
        = { 0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
            15, 16, 17, 18, 19, 21, 22, 26, 27, 28, 20, 23, 24, 25 };
    for (int column : kHeaderOrder)
        m_table->setHeaderText(column, QString::fromUtf8(kHeaders[column]));
}

void CAgreementConfirmWidget::setOperationWidget(IBaseAgreementRepurchaseWidget *widget)
{
    if (!widget)
        return;
    m_operationWidget = widget;
    setOperationType(widget->operationType());
}

void CAgreementConfirmWidget::setOperationType(ETradeOperationType type)
{
    if (type == m_operationType)
        return;
    m_operationType = type;
    updateTableDataFromCache();
}

const std::vector<ttservice::IDataPtr> &
CAgreementConfirmWidget::cachedDeclarations(ETradeOperationType type) const
{
    static const std::vector<ttservice::IDataPtr> none;
    const auto it = m_declarationCache.find(type);
    return it == m_declarationCache.end() ? none : it->second;
}

DeclarationPtr CAgreementConfirmWidget::rowDeclaration(int row) const
{
    const auto it = m_rowDeclarations.find(row);
    return it == m_rowDeclarations.end() ? DeclarationPtr() : it->second;
}

void CAgreementConfirmWidget::updateTableDataFromCache()
{
    const std::vector<ttservice::IDataPtr> &cache = m_declarationCache[m_operationType];
    if (cache.empty()) {
        TT_LOG_INFO(boost::format("[eTradeOpType = %1%], cache is empty.") % int(m_operationType));
        queryPendingDeclarations();
        return;
    }
    if (!m_operationWidget)
        return;
    const ttservice::CAccountDataPtr accountData = m_operationWidget->getAccountDataPtr();
    if (!accountData)
        return;
    m_table->clear();
    m_rowDeclarations.clear();
    fillTable(cache, accountData->getAccountInfo());
}

void CAgreementConfirmWidget::queryPendingDeclarations()
{
    if (!m_operationWidget)
        return;
    const ttservice::CAccountDataPtr accountData = m_operationWidget->getAccountDataPtr();
    const ttservice::CAccountInfoPtr accountInfo
        = accountData ? accountData->getAccountInfo() : ttservice::CAccountInfoPtr();
    if (!accountInfo)
        return;
    // The counter lists the declarations addressed to one trader.
    const std::string trader = m_operationWidget->traderCode();
    if (trader.empty()) {
        showMessage(QStringLiteral("交易员为空，请填写要查询的交易员!"));
        return;
    }
    if (!isBrokerTypeMatchTradeType(accountInfo->brokerType, 1))
        return;
    m_refreshButton->setEnabled(false);
    m_table->clear();
    m_rowDeclarations.clear();
    m_declarationCache[m_operationType].clear();
    const ETradeOperationType type = m_operationType;
    const std::string accountKey = accountInfo->getKey();
    queryAgreementRecords(
        ttservice::DATA_TYPE_PENDING_ORDER, accountInfo, m_delivery,
        [this, accountKey, type](const utils::TTError &error,
                                 const std::vector<ttservice::IDataPtr> &records, bson::bo raw) {
            Q_EMIT signal_queryAgreementContract(error, records, raw, accountKey, type);
        },
        trader);
    m_refreshTimer->start();
}

void CAgreementConfirmWidget::slot_queryAgreementContract(
    const utils::TTError &error, const std::vector<ttservice::IDataPtr> &records, bson::bo,
    const std::string &accountKey, TC::ETradeOperationType operationType)
{
    m_refreshButton->setEnabled(true);
    const ttservice::CAccountInfoPtr accountInfo = applyAgreementAnswer(
        m_operationWidget, error, records, accountKey, m_declarationCache[operationType],
        [operationType](const ttservice::IDataPtr &record) {
            const DeclarationPtr declaration = asDeclaration(record);
            return declaration && keepsDeclaration(operationType, declaration->declareType);
        });
    if (accountInfo)
        fillTable(m_declarationCache[m_operationType], accountInfo);
}

void CAgreementConfirmWidget::slotDeliveryStatus(ttservice::CAccountInfoPtr, bool, std::string)
{
    if (m_operationWidget)
        m_operationWidget->contractListReloaded();
    queryPendingDeclarations();
}

void CAgreementConfirmWidget::slotNewTradingDay(const std::string &, const std::string &)
{
    if (m_operationWidget)
        m_operationWidget->contractListReloaded();
    queryPendingDeclarations();
}

bool CAgreementConfirmWidget::keepsDeclaration(ETradeOperationType type, int declareType)
{
    switch (declareType) {
    case '0':
        return type == OPT_AGREEMENT_DEAL_DECLARATION;
    case '1':
        return type == OPT_AGREEMENT_MATURITY_RENEWAL;
    case '2':
        return type == OPT_AGREEMENT_EARLY_REPURCHASE;
    case '3':
        return type == OPT_AGREEMENT_PLEDGE_CHANGE;
    case '4':
        return type == OPT_AGREEMENT_PLEDGE_RELEASE;
    default:
        return false;
    }
}

int CAgreementConfirmWidget::confirmationOperationType(ETradeOperationType type, int direction)
{
    // Early repurchase and release are answered per side: '0' is the repo side.
    const bool repo = direction == '0';
    switch (type) {
    case OPT_AGREEMENT_DEAL_DECLARATION:
        return OP_CONFIRM_DEAL;
    case OPT_AGREEMENT_EARLY_REPURCHASE:
        return repo ? OP_CONFIRM_EARLY_REPURCHASE_REPO : OP_CONFIRM_EARLY_REPURCHASE_REVERSE;
    case OPT_AGREEMENT_MATURITY_RENEWAL:
        return OP_CONFIRM_RENEWAL;
    case OPT_AGREEMENT_PLEDGE_CHANGE:
        return OP_CONFIRM_PLEDGE_CHANGE;
    case OPT_AGREEMENT_PLEDGE_RELEASE:
        return repo ? OP_CONFIRM_PLEDGE_RELEASE_REPO : OP_CONFIRM_PLEDGE_RELEASE_REVERSE;
    default:
        return OP_INVALID;
    }
}

CAgreementConfirmWidget::ConfirmationInputs
CAgreementConfirmWidget::confirmationInputs(const ttservice::CRepurchasePendingOrder &d)
{
    ConfirmationInputs inputs;
    const std::string key = d.accountInfo ? d.accountInfo->getKey() : std::string();
    inputs.account = getUserConfig()->getAccountData(QString::fromStdString(key));
    inputs.instruments = ttservice::TraderCenter::instance()->getInstCenter();
    inputs.userName = utf8(getUserConfig()->userName);
    return inputs;
}

bool CAgreementConfirmWidget::buildConfirmation(const ttservice::CRepurchasePendingOrder &d,
                                                ETradeOperationType type, int subjectType,
                                                ttservice::CCodeOrderParam &order,
                                                QString &errorText)
{
    return buildConfirmation(d, type, subjectType, confirmationInputs(d), order, errorText);
}

bool CAgreementConfirmWidget::buildConfirmation(const ttservice::CRepurchasePendingOrder &d,
                                                ETradeOperationType type, int subjectType,
                                                const ConfirmationInputs &inputs,
                                                ttservice::CCodeOrderParam &order,
                                                QString &errorText)
{
    const std::string key = d.accountInfo ? d.accountInfo->getKey() : std::string();
    const CAccountPtr &account = inputs.account;
    if (!account) {
        errorText = QStringLiteral("账号 [%1] 不存在, 无法下单!").arg(QString::fromStdString(key));
        return false;
    }
    const ttservice::CInstrumentCenter *instruments = inputs.instruments;
    if (!instruments) {
        errorText = QStringLiteral("协议回购合约代码不存在, 无法下单!");
        return false;
    }
    const ttservice::CInstrumentDetailPtr contract
        = instruments->getInstrument(d.market, d.contractCode);
    if (!contract) {
        errorText = QStringLiteral("协议回购合约代码不存在, 无法下单!");
        return false;
    }
    // The bonds named by the declaration; entries the counter left empty are no bonds.
    ttservice::CRepurchasePledgedBondList bonds;
    for (const ttservice::CRepurchasePledgedBondPtr &bond : d.pledgedBonds) {
        if (bond)
            bonds.push_back(bond);
    }
    // Shanghai answers name a listed bond; Shenzhen ones may name none.
    if (d.market == "SH") {
        if (bonds.empty()) {
            errorText = QStringLiteral("债券代码为空, 无法下单，请刷新债券信息!");
            return false;
        }
        if (!instruments->getInstrument(bonds.front()->market, bonds.front()->bondCode)) {
            errorText = QStringLiteral("债券代码不存在, 无法下单!");
            return false;
        }
    }

    order = ttservice::CCodeOrderParam();
    order.accountInfo = account->getAccountInfo();
    order.orderKind = '1';
    const int operation = confirmationOperationType(type, d.direction);
    order.operationType = static_cast<ttservice::EOperationType>(operation);
    order.stock.market = d.market;
    order.stock.stockCode = d.contractCode;
    order.stock.stockName = contract->instrumentName;
    order.price = d.repurchaseRate;
    order.userName = inputs.userName;

    ttservice::CRepurchaseAgreementParam agreement;
    // The bond kept in the pledge ('0') and the one pledged in exchange ('1');
    // a later bond of the same kind replaces an earlier one.
    for (const ttservice::CRepurchasePledgedBondPtr &bond : bonds) {
        if (bond->pledgeVolume <= 0)
            continue;
        if (bond->swapFlag == '0') {
            agreement.bondMarket = bond->market;
            agreement.bondCode = bond->bondCode;
            order.volume = bond->pledgeVolume;
        } else if (bond->swapFlag == '1') {
            agreement.bondMarket = bond->market;
            agreement.swapBondCode = bond->bondCode;
            agreement.swapPledgeVolume = bond->pledgeVolume;
        }
    }
    if (bonds.size() == 1 && bonds.front()->swapFlag == '1')
        order.volume = agreement.swapPledgeVolume;
    if (bonds.empty())
        order.volume = 10; // the counter's quantity of an answer that names no bond

    agreement.trader = d.trader;
    agreement.dealer = d.dealer;
    agreement.counterpartyTrader = d.counterpartyTrader;
    agreement.counterpartyDealer = d.counterpartyDealer;
    agreement.counterpartyDealerName = d.counterpartyDealerName;
    // Ending a contract (early repurchase, release) settles the maturity amount.
    const bool settlesMaturityAmount = operation == OP_CONFIRM_EARLY_REPURCHASE_REPO
        || operation == OP_CONFIRM_PLEDGE_RELEASE_REPO
        || operation == OP_CONFIRM_EARLY_REPURCHASE_REVERSE
        || operation == OP_CONFIRM_PLEDGE_RELEASE_REVERSE;
    agreement.repurchaseAmount
        = settlesMaturityAmount ? d.maturitySettleAmount : d.repurchaseAmount;
    agreement.conversionRatio = d.conversionRatio;
    agreement.repurchaseRate = d.repurchaseRate;
    agreement.repurchaseDays = d.repurchaseDays;
    agreement.maturitySettleDate = d.maturitySettleDate;
    agreement.firstSettleDate = d.priorApplyDate;
    agreement.pledgee = d.pledgee;
    agreement.supplementaryTerms = d.supplementaryTerms;
    agreement.tradingEntity = d.tradingEntity;
    agreement.counterpartyEntity = d.counterpartyEntity;
    agreement.settlementAmount = d.releaseSettleAmount;
    agreement.counterpartyClientName = d.counterpartyClientName;
    agreement.renewType = d.renewType;
    agreement.subjectType = subjectType;
    agreement.pendingOrderRef = d.pendingOrderRef;

    order.paramKind = 2;
    order.agreementParam = agreement.toBson();
    return true;
}

int CAgreementConfirmWidget::ownerTypeOf(
    int row, const ttservice::CRepurchasePendingOrder &declaration) const
{
    // A declaration whose owner type the combo box does not list keeps its own.
    const auto *combo = m_table
        ? dynamic_cast<XP::CComboBoxCell *>(m_table->itemControl(row, ColOwnerType))
        : nullptr;
    if (combo && combo->currentIndex() >= 0)
        return combo->currentData().toInt();
    return declaration.ownerType;
}

bool CAgreementConfirmWidget::buildOrder(std::vector<ttservice::CCodeOrderParam> &orders,
                                         unsigned int row, int, QString &errorText) const
{
    const int rowId = row <= unsigned(INT_MAX) ? int(row) : -1;
    const DeclarationPtr declaration = rowDeclaration(rowId);
    if (!declaration) {
        errorText = QStringLiteral("待确认申报数据为空, 无法下单!");
        return false;
    }
    ttservice::CCodeOrderParam order;
    if (!buildConfirmation(*declaration, m_operationType, ownerTypeOf(rowId, *declaration), order,
                           errorText))
        return false;
    orders.push_back(order);
    return true;
}

void CAgreementConfirmWidget::doOperation(unsigned int row, int answer)
{
    if (!m_operationWidget || answer != kConfirmAnswer)
        return;
    std::vector<ttservice::CCodeOrderParam> orders;
    QString errorText;
    if (!buildOrder(orders, row, answer, errorText)) {
        showMessage(errorText);
        return;
    }
    if (XP::CMessageBox::question(
            0, nullptr, QStringLiteral("下单确认"), QStringLiteral("是否确认当前成交申报?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton, false, QPixmap())
        != QMessageBox::Yes)
        return;
    if (!agreement::deploymentPlacesAgreementOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::sendManualCommand(orders);
}

void CAgreementConfirmWidget::fillTable(const std::vector<ttservice::IDataPtr> &declarations,
                                        const ttservice::CAccountInfoPtr &accountInfo)
{
    if (declarations.empty() || !accountInfo || !m_table) {
        if (m_operationWidget)
            m_operationWidget->contractListReloaded();
        return;
    }
    m_table->clear();
    m_rowDeclarations.clear();
    const bool readOnly = currentDeploymentRights().readOnly;
    for (const ttservice::IDataPtr &record : declarations) {
        if (const DeclarationPtr declaration = asDeclaration(record))
            addRow(declaration, readOnly);
    }
}

void CAgreementConfirmWidget::addRow(const DeclarationPtr &d, bool readOnly)
{
    const int row = m_table->appendRow();
    const int rowBase = (row + 1) * kRowIdStep;
    const ttservice::CAccountInfoPtr &account = d->accountInfo;
    m_table->setItemText(row, ColAccountId, account ? XP::sToQs(account->accountId) : QString(),
                         true);
    m_table->setItemText(row, ColAccountName, account ? XP::sToQs(account->accountName) : QString(),
                         true);
    m_table->setItemText(row, ColMarket, XP::sToQs(d->market), true);
    // The table paints the count; a click on it opens the bonds' dialog.
    auto *bonds = new XP::CSimpleTextCell(
        true, rowBase + ColPledgedBonds,
        XP::sToQs(utils::formatIntNumber(static_cast<long long>(d->pledgedBonds.size()), 0)),
        m_table);
    bonds->setColorKey(QStringLiteral("clr_clickable_simple_text"));
    m_table->setItemWidget(row, ColPledgedBonds, bonds, kTextAlignment, true);
    m_table->setItemText(row, ColDeclareType,
                         XP::sToQs(ttservice::TypeManager::instance()->getEnumItemName(
                             "ttservice::EDeclareType", d->declareType, 1)),
                         true);
    m_table->setItemDouble(row, ColConversionRatio, d->conversionRatio * 100, 2, XP::NF_NONE, true);
    m_table->setItemDouble(row, ColAmount, d->repurchaseAmount, 2, XP::NF_NONE, true);
    m_table->setItemInt(row, ColDays, d->repurchaseDays, XP::NF_NONE, true);
    m_table->setItemText(row, ColDirection,
                         d->direction == '0' ? QStringLiteral("正回购") : QStringLiteral("逆回购"),
                         true);
    m_table->setItemDouble(row, ColRate, d->repurchaseRate * 100, 3, XP::NF_NONE, true);
    m_table->setItemInt(row, ColMaturityDate, d->maturitySettleDate, XP::NF_NONE, true);
    m_table->setItemDouble(row, ColMaturityAmount, d->maturitySettleAmount, 2, XP::NF_NONE, true);
    m_table->setItemInt(row, ColPriorApplyDate, d->priorApplyDate, XP::NF_NONE, true);
    m_table->setItemInt(row, ColActualRepurchaseDate, d->actualRepurchaseDate, XP::NF_NONE, true);
    m_table->setItemText(row, ColTrader, XP::sToQs(d->trader), true);
    m_table->setItemText(row, ColDealer, XP::sToQs(d->dealer), true);
    m_table->setItemText(row, ColDealerName, XP::sToQs(d->dealerName), true);
    m_table->setItemText(row, ColCounterpartyTrader, XP::sToQs(d->counterpartyTrader), true);
    m_table->setItemText(row, ColCounterpartyDealer, XP::sToQs(d->counterpartyDealer), true);
    m_table->setItemText(row, ColCounterpartyDealerName, XP::sToQs(d->counterpartyDealerName),
                         true);
    m_table->setItemText(row, ColSupplementaryTerms, XP::sToQs(d->supplementaryTerms), true);
    m_table->setItemText(row, ColTradingEntity, XP::sToQs(d->tradingEntity), true);
    m_table->setItemText(row, ColCounterpartyEntity, XP::sToQs(d->counterpartyEntity), true);
    m_table->setItemText(row, ColPledgee, XP::sToQs(d->pledgee), true);
    m_table->setItemText(
        row, ColRenewType,
        d->renewType == '0' ? QStringLiteral("非第三方续做") : QStringLiteral("第三方续做"), true);

    // Every row carries its 确定 button: painted by the table, not a widget per row.
    auto *answer = new XP::CButtonListCell(m_table);
    answer->addButton(rowBase + kConfirmAnswer, QStringLiteral("确定"), kButtonType);
    // Deployment 200 watches the declarations without answering them.
    answer->setButtonEnabled(rowBase + kConfirmAnswer, !readOnly);
    m_table->setItemWidget(row, ColAction, answer, kButtonAlignment, true);

    if (m_operationType == OPT_AGREEMENT_PLEDGE_RELEASE)
        m_table->setItemDouble(row, ColReleaseSettleAmount, d->releaseSettleAmount, 2, XP::NF_NONE,
                               true);
    else
        m_table->setItemText(row, ColReleaseSettleAmount, QStringLiteral("-"), true);
    m_table->setItemText(row, ColCounterpartyClientName, XP::sToQs(d->counterpartyClientName),
                         true);
    // The counterparty's own texts may be corrected before answering.
    for (int column :
         { ColTrader, ColDealer, ColDealerName, ColCounterpartyTrader, ColCounterpartyDealer,
           ColCounterpartyDealerName, ColPledgee, ColCounterpartyClientName })
        m_table->setItemEditable(row, column, true);

    // The owner type is chosen in a combo box the table paints in the cell.
    auto *owner = new XP::CComboBoxCell(rowBase + ColOwnerType, m_table);
    for (const OwnerType &type : kOwnerTypes)
        owner->addItem(QString::fromUtf8(type.name), type.value);
    owner->setCurrentIndex(owner->findData(d->ownerType));
    m_table->setItemWidget(row, ColOwnerType, owner, kTextAlignment, true);

    m_rowDeclarations[row] = d;
}

void CAgreementConfirmWidget::openPledgeBondDialog(int row)
{
    const DeclarationPtr declaration = rowDeclaration(row);
    if (!declaration)
        return;
    if (!m_pledgeBondDialog)
        m_pledgeBondDialog = new CPledgeBondInfoDialog(this);
    m_pledgeBondDialog->setPledgeBonds(declaration->pledgedBonds);
    m_pledgeBondDialog->exec();
}

void CAgreementConfirmWidget::takeOwnerType(int row, const void *data)
{
    const DeclarationPtr declaration = rowDeclaration(row);
    if (declaration && data)
        declaration->ownerType = static_cast<const QVariant *>(data)->toInt();
}

void CAgreementConfirmWidget::takeEdit(const XP::CTableCellEdit &edit)
{
    const DeclarationPtr declaration = rowDeclaration(edit.row);
    if (!declaration)
        return;
    std::string *field = nullptr;
    switch (edit.column) {
    case ColTrader:
        field = &declaration->trader;
        break;
    case ColDealer:
        field = &declaration->dealer;
        break;
    case ColDealerName:
        field = &declaration->dealerName;
        break;
    case ColCounterpartyTrader:
        field = &declaration->counterpartyTrader;
        break;
    case ColCounterpartyDealer:
        field = &declaration->counterpartyDealer;
        break;
    case ColCounterpartyDealerName:
        field = &declaration->counterpartyDealerName;
        break;
    case ColPledgee:
        field = &declaration->pledgee;
        break;
    case ColCounterpartyClientName:
        field = &declaration->counterpartyClientName;
        break;
    default:
        return; // the other columns are the counterparty's declaration as it stands
    }
    *field = utf8(edit.text);
}

bool CAgreementConfirmWidget::handleEvent(int type, int id, int param, QString text, void *data)
{
    switch (type) {
    case XP::EVT_BUTTON_CHECKED:
        if (id == kRefreshButtonId)
            queryPendingDeclarations();
        else
            doOperation(unsigned(id / kRowIdStep - 1), id % kRowIdStep);
        return true;
    case XP::EVT_TEXT_CLICKED:
        openPledgeBondDialog(id / kRowIdStep - 1);
        return true;
    case XP::EVT_COMBO_CHANGED:
        takeOwnerType(id / kRowIdStep - 1, data);
        return true;
    case XP::EVT_CELL_EDITED:
        if (data)
            takeEdit(*static_cast<const XP::CTableCellEdit *>(data));
        return true;
    default:
        return XP::CBaseWidget::handleEvent(type, id, param, text, data);
    }
}

} // namespace TC
