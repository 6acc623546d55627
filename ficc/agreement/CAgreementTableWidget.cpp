#include "agreement/CAgreementTableWidget.h"
#include "common/DeploymentRights.h"

#include "agreement/AgreementTableSupport.h"
#include "agreement/CPledgeBondInfoDialog.h"
#include "agreement/IBaseAgreementRepurchaseWidget.h"
#include "common/FiccEvents.h"
#include "tc/AccountHelper.h"
#include "tc/Services.h"
#include "ttservice/CQueryDataReq.h"
#include "ttservice/DataTypes.h"
#include "utils/DateText.h"
#include "utils/StringHelper.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CRadioButton.h"
#include "xp/CSimpleTextCell.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CWidgetList.h"
#include "xp/NumberFormat.h"

#include <QDate>
#include <QPointer>
#include <QScopeGuard>

#include <QTimer>
#include <typeinfo>

#include <boost/bind/bind.hpp>
#include <boost/function.hpp>
#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

namespace TC {

namespace {

using ContractPtr = ttservice::CRepurchaseAgreementContractInfoPtr;

constexpr int kRefreshButtonId = 1;
constexpr int kRefreshTimeoutMs = 30000;
constexpr int kMenuFlags = 511;
constexpr int kPledgedBondsColumn = 4;

enum EColumn {
    ColChoice,
    ColAccountId,
    ColAccountName,
    ColMarket,
    ColPledgedBonds,
    ColConversionRatio,
    ColAmount,
    ColDays,
    ColDirection,
    ColRate,
    ColMaturityDate,
    ColMaturityAmount,
    ColContractNo,
    ColSupplementaryTerms,
    ColDealer,
    ColTradingEntity,
    ColCounterpartyEntity,
    ColStatus,
    ColumnCount
};

// The record as a contract, null for records of other kinds. Answers hold
// thousands of contracts: the exact type is recognised without a full cast.
ContractPtr asContract(const ttservice::IDataPtr &record)
{
    if (record && typeid(*record) == typeid(ttservice::CRepurchaseAgreementContractInfo))
        return boost::static_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(record);
    return boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(record);
}

// A contract the tables keep: running ('1'), matured ('2') or overdue ('8').
ContractPtr keptContract(const ttservice::IDataPtr &record)
{
    ContractPtr contract = asContract(record);
    if (!contract)
        return ContractPtr();
    const int status = contract->contractStatus;
    return status == '1' || status == '2' || status == '8' ? contract : ContractPtr();
}

int todayNumber()
{
    return utils::dateNumber(CHostClock::today());
}

// The maturity settlement amount of a contract: the counter's figure when it
// gave one, else the amount with simple interest over the days between the
// first and the maturity settlement date. Zero days (or dates that are not
// dates) leave the figure as it is: nothing is divided by them.
double maturitySettleAmountOf(const ttservice::CRepurchaseAgreementContractInfo &contract)
{
    double amount = contract.maturitySettleAmount;
    if (amount <= 0) {
        const QDate first = utils::dateFromNumber(contract.firstSettleDate);
        const QDate maturity = utils::dateFromNumber(contract.maturitySettleDate);
        const qint64 days = first.isValid() && maturity.isValid() ? first.daysTo(maturity) : 0;
        if (days > 0)
            amount = contract.repurchaseAmount * (1 + contract.repurchaseRate * double(days) / 365);
    }
    return amount;
}

} // namespace

// Contracts of one account mostly share their account, market, dealer,
// entities and terms: the text of the row before is reused (shared, not
// copied) instead of being converted again for every row.
class CRowTexts
{
public:
    const QString &operator()(int column, const std::string &source)
    {
        Entry &entry = m_entries[column];
        if (!entry.valid || entry.source != source) {
            entry.source = source;
            entry.text = XP::sToQs(source);
            entry.valid = true;
        }
        return entry.text;
    }

    // The type manager's name of a contract status, asked once per status.
    const QString &status(int code)
    {
        if (!m_statusValid || m_statusCode != code) {
            m_statusCode = code;
            m_status = XP::sToQs(ttservice::TypeManager::instance()->getEnumItemName(
                "ttservice::EContractStatus", code, 0x100000));
            m_statusValid = true;
        }
        return m_status;
    }

private:
    struct Entry
    {
        bool valid = false;
        std::string source;
        QString text;
    };
    Entry m_entries[ColumnCount];
    bool m_statusValid = false;
    int m_statusCode = 0;
    QString m_status;
};

CAgreementTableWidget::CAgreementTableWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_agreementtablewidget"), false, parent)
{
    buildUi();
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

CAgreementTableWidget::~CAgreementTableWidget()
{
    QObject::disconnect(this, nullptr, nullptr, nullptr);
}

void CAgreementTableWidget::buildUi()
{
    const CAgreementTableFrame frame
        = buildAgreementTableFrame(this, QStringLiteral("  回购合约信息"), kMenuFlags);
    m_titleText = frame.titleText;
    m_refreshButton = frame.refreshButton;
    m_table = frame.table;

    m_table->clear();
    m_table->clearColumns();
    m_table->setColumnCount(ColumnCount);
    m_table->setColumnWidth(ColChoice, 40);
    static const char *const kHeaders[ColumnCount]
        = { "选择",     "资金账号", "账户名称", "交易市场", "质押债券",     "折算比例(%)",
            "回购金额", "回购天数", "回购方向", "回购利率", "到期结算日期", "到期结算金额",
            "合同编号", "补充条款", "交易商",   "交易主体", "对方交易主体", "合约状态" };
    static const int kHeaderOrder[ColumnCount]
        = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 14, 15, 16 };
    for (int column : kHeaderOrder)
        m_table->setHeaderText(column, QString::fromUtf8(kHeaders[column]));
}

void CAgreementTableWidget::setOperationWidget(IBaseAgreementRepurchaseWidget *widget)
{
    if (!widget)
        return;
    m_operationWidget = widget;
    setOperationType(widget->operationType());
}

void CAgreementTableWidget::setOperationType(ETradeOperationType type)
{
    if (type == m_operationType)
        return;
    m_operationType = type;
    queryContracts(false);
}

const std::vector<ttservice::IDataPtr> &
CAgreementTableWidget::cachedContracts(ETradeOperationType type) const
{
    static const std::vector<ttservice::IDataPtr> none;
    const auto it = m_contractCache.find(type);
    return it == m_contractCache.end() ? none : it->second;
}

ContractPtr CAgreementTableWidget::rowContract(int row) const
{
    return row >= 0 && row < int(m_rowContracts.size()) ? m_rowContracts[size_t(row)]
                                                        : ContractPtr();
}

void CAgreementTableWidget::queryContracts(bool fromServer)
{
    if (!m_operationWidget)
        return;
    const ttservice::CAccountDataPtr accountData = m_operationWidget->getAccountDataPtr();
    if (!accountData)
        return;
    const ttservice::CAccountInfoPtr accountInfo = accountData->getAccountInfo();
    if (!accountInfo)
        return;

    std::vector<ttservice::IDataPtr> &cache = m_contractCache[m_operationType];
    if (isBrokerTypeMatchTradeType(accountInfo->brokerType, 1)) {
        m_table->clear();
        m_rowContracts.clear();
        cache.clear();
    }

    if (!fromServer) {
        cache.clear();
        std::vector<ttservice::IDataPtr> records;
        accountData->getVector(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, records);
        for (const ttservice::IDataPtr &record : records)
            if (keptContract(record))
                cache.push_back(record);
        fillTable(cache, accountInfo);
        return;
    }

    m_refreshButton->setEnabled(false);
    // The answer comes through the signal, on this widget's thread, while it
    // lives; a later query (after the 30 s fallback) supersedes this one.
    const ETradeOperationType type = m_operationType;
    const std::string accountKey = accountInfo->getKey();
    queryAgreementRecords(
        ttservice::DATA_TYPE_AGREEMENT_CONTRACT, accountInfo, m_delivery,
        [this, accountKey, type](const utils::TTError &error,
                                 const std::vector<ttservice::IDataPtr> &records, bson::bo raw) {
            Q_EMIT signal_queryAgreementContract(error, records, raw, accountKey, type);
        });
    m_refreshTimer->start();
}

void CAgreementTableWidget::slot_queryAgreementContract(
    const utils::TTError &error, const std::vector<ttservice::IDataPtr> &records, bson::bo,
    const std::string &accountKey, TC::ETradeOperationType operationType)
{
    m_refreshButton->setEnabled(true);
    const ttservice::CAccountInfoPtr accountInfo = applyAgreementAnswer(
        m_operationWidget, error, records, accountKey, m_contractCache[operationType],
        [](const ttservice::IDataPtr &record) { return bool(keptContract(record)); });
    if (accountInfo)
        fillTable(m_contractCache[m_operationType], accountInfo);
}

void CAgreementTableWidget::slotDeliveryStatus(ttservice::CAccountInfoPtr, bool, std::string)
{
    if (m_operationWidget)
        m_operationWidget->contractListReloaded();
    queryContracts(true);
}

void CAgreementTableWidget::slotNewTradingDay(const std::string &, const std::string &)
{
    if (m_operationWidget)
        m_operationWidget->contractListReloaded();
    queryContracts(true);
}

bool CAgreementTableWidget::isContractShown(
    const ttservice::CRepurchaseAgreementContractInfo &contract) const
{
    return isContractShownOn(contract, todayNumber());
}

bool CAgreementTableWidget::isContractShownOn(
    const ttservice::CRepurchaseAgreementContractInfo &contract, int today) const
{
    const int first = contract.firstSettleDate;
    const int maturity = contract.maturitySettleDate;
    const bool repo = contract.direction == '1';
    const int status = contract.contractStatus;
    const bool sh = contract.market == "SH";
    const bool sz = contract.market == "SZ";
    switch (m_operationType) {
    case OPT_AGREEMENT_MATURITY_CONFIRM:
    case OPT_AGREEMENT_MATURITY_RENEWAL:
        return today >= maturity && repo && status != '8';
    case OPT_AGREEMENT_EARLY_REPURCHASE:
        return first < today && today < maturity && (sh || (sz && repo));
    case OPT_AGREEMENT_PLEDGE_RELEASE:
        return (status == '8' && sh) || (today > maturity && sz && repo);
    case OPT_AGREEMENT_PLEDGE_CHANGE:
        return first < today && today < maturity && repo;
    default:
        return false;
    }
}

void CAgreementTableWidget::fillTable(const std::vector<ttservice::IDataPtr> &contracts,
                                      const ttservice::CAccountInfoPtr &accountInfo)
{
    if (contracts.empty() || !accountInfo || !m_table) {
        if (m_operationWidget)
            m_operationWidget->contractListReloaded();
        return;
    }
    m_table->clear();
    m_rowContracts.clear();
    m_rowContracts.reserve(contracts.size());

    CRowTexts texts;
    const int today = todayNumber();
    std::vector<ContractPtr> notChoosable;
    notChoosable.reserve(contracts.size());
    // Every choosable contract goes to the form in turn; the form lays out
    // only what the last one leaves when the fill ends.
    const QPointer<IBaseAgreementRepurchaseWidget> form = m_operationWidget;
    if (form)
        form->beginContractFill();
    auto endFill = qScopeGuard([&form] {
        if (form)
            form->endContractFill();
    });
    for (const ttservice::IDataPtr &record : contracts) {
        // Records of other types are not listed at all.
        ContractPtr contract = asContract(record);
        if (!contract)
            continue;
        if (isContractShownOn(*contract, today))
            addRow(contract, true, texts);
        else
            notChoosable.push_back(std::move(contract));
    }
    for (const ContractPtr &contract : notChoosable)
        addRow(contract, false, texts);

    for (int column : { int(ColAmount), int(ColMaturityAmount) }) {
        double sum = 0.0;
        for (int index = 0; index < m_table->shownRowCount(); ++index)
            sum += m_table->itemDouble(m_table->rowID(index), column);
        m_table->setStatText(
            column, XP::formatDoubleNumber(sum, 3, XP::NF_NONE, false, QStringLiteral("非法值")));
    }
}

void CAgreementTableWidget::addRow(const ContractPtr &contract, bool choosable, CRowTexts &texts)
{
    if (!m_table || !contract)
        return;
    const int row = m_table->appendRow();
    if (row >= int(m_rowContracts.size()))
        m_rowContracts.resize(size_t(row) + 1);
    m_rowContracts[size_t(row)] = contract;

    auto *radio = new XP::CRadioButton(QString(), row * 1000, m_table);
    m_table->setItemWidget(row, ColChoice, radio, 4, true);
    const ttservice::CAccountInfoPtr &account = contract->accountInfo;
    static const std::string none;
    m_table->setItemText(row, ColAccountId,
                         texts(ColAccountId, account ? account->accountId : none), true);
    m_table->setItemText(row, ColAccountName,
                         texts(ColAccountName, account ? account->accountName : none), true);
    m_table->setItemText(row, ColMarket, texts(ColMarket, contract->market), true);
    auto *bonds = new XP::CSimpleTextCell(
        true, (row + 1) * 1000 + kPledgedBondsColumn,
        XP::sToQs(utils::formatIntNumber(static_cast<long long>(contract->pledgedBonds.size()), 0)),
        m_table);
    bonds->setColorKey(QStringLiteral("clr_clickable_simple_text"));
    m_table->setItemWidget(row, ColPledgedBonds, bonds, 132, true);
    m_table->setItemDouble(row, ColConversionRatio, contract->conversionRatio * 100, 2, XP::NF_NONE,
                           true);
    m_table->setItemDouble(row, ColAmount, contract->repurchaseAmount, 3, XP::NF_NONE, true);
    m_table->setItemInt(row, ColDays, contract->repurchaseDays, XP::NF_NONE, true);
    m_table->setItemText(
        row, ColDirection,
        contract->direction == '1' ? QStringLiteral("正回购") : QStringLiteral("逆回购"), true);
    m_table->setItemDouble(row, ColRate, contract->repurchaseRate * 100, 3, XP::NF_NONE, true);
    m_table->setItemInt(row, ColMaturityDate, contract->maturitySettleDate, XP::NF_NONE, true);
    contract->maturitySettleAmount = maturitySettleAmountOf(*contract);
    m_table->setItemDouble(row, ColMaturityAmount, contract->maturitySettleAmount, 2, XP::NF_NONE,
                           true);
    m_table->setItemText(row, ColContractNo, XP::sToQs(contract->contractNo), true);
    m_table->setItemText(row, ColSupplementaryTerms,
                         texts(ColSupplementaryTerms, contract->supplementaryTerms), true);
    m_table->setItemText(row, ColDealer, texts(ColDealer, contract->dealer), true);
    m_table->setItemText(row, ColTradingEntity, texts(ColTradingEntity, contract->tradingEntity),
                         true);
    m_table->setItemText(row, ColCounterpartyEntity,
                         texts(ColCounterpartyEntity, contract->counterpartyEntity), true);
    m_table->setItemText(row, ColStatus, texts.status(contract->contractStatus), true);

    if (!choosable) {
        radio->setEnabled(false);
        m_table->setRowSelectEnable(row, false);
        return;
    }
    selectRow(row, radio);
    if (currentDeploymentRights().readOnly) {
        radio->setEnabled(false);
        m_table->setRowSelectEnable(row, false);
        return;
    }
    radio->setEnabled(true);
    m_table->setRowSelectEnable(row, true);
    const std::string key = contract->getKey();
    if (m_operationWidget)
        m_operationWidget->setContract(key);
    deliverEvent(EVT_CONTRACT_CHOSEN, 0, 0, XP::sToQs(key), nullptr);
}

void CAgreementTableWidget::selectRow(int row, XP::CRadioButton *radio)
{
    if (!m_table || row < 0 || row >= m_table->rowCount())
        return;
    if (m_table->selectedRow() != row)
        m_table->setSelectedRowIndex(m_table->rowIndex(row));
    if (!radio)
        radio = dynamic_cast<XP::CRadioButton *>(m_table->itemControl(row, ColChoice));
    if (radio && !radio->isChecked())
        radio->setChecked(true);
}

void CAgreementTableWidget::chooseRow(int row)
{
    selectRow(row);
    const ContractPtr contract = rowContract(row);
    if (!contract)
        return;
    const std::string key = contract->getKey();
    if (m_operationWidget)
        m_operationWidget->setContract(key);
    deliverEvent(EVT_CONTRACT_CHOSEN, 0, 0, XP::sToQs(key), nullptr);
}

void CAgreementTableWidget::openPledgeBondDialog(int row)
{
    const ContractPtr contract = rowContract(row);
    if (!contract)
        return;
    if (!m_pledgeBondDialog)
        m_pledgeBondDialog = new CPledgeBondInfoDialog(this);
    m_pledgeBondDialog->setPledgeBonds(contract->pledgedBonds);
    m_pledgeBondDialog->exec();
}

bool CAgreementTableWidget::handleEvent(int type, int id, int param, QString text, void *data)
{
    switch (type) {
    case XP::EVT_BUTTON_CHECKED:
        if (id == kRefreshButtonId)
            queryContracts(true);
        return true;
    case XP::EVT_TEXT_CLICKED:
        openPledgeBondDialog(id / 1000 - 1);
        return true;
    case XP::EVT_RADIO_CLICKED:
        chooseRow(id / 1000);
        return true;
    default:
        return XP::CBaseWidget::handleEvent(type, id, param, text, data);
    }
}

} // namespace TC
