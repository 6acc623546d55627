#include "agreement/IBaseAgreementContentWidget.h"
#include "agreement/AgreementOperationTraits.h"
#include "common/DeploymentRights.h"

#include "agreement/CAgreementFieldTable.h"
#include "common/CDealerDirectory.h"
#include "common/FiccEvents.h"
#include "common/OrderSources.h"
#include "common/SoftAssert.h"
#include "tc/Services.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/DataTypes.h"
#include "utils/DateText.h"
#include "utils/TTLog.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CComboBox.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CWidgetList.h"
#include "xp/IDialogResponder.h"
#include "xp/NumberFormat.h"

#include <QDir>
#include <QVariant>

#include <algorithm>
#include <initializer_list>

namespace TC {

namespace {

// Whether a number is a real date written as yyyyMMdd.
bool isDateNumber(int number)
{
    return number >= 10000000 && number <= 99999999 && utils::dateFromNumber(number).isValid();
}

const char kDateFormat[] = "yyyyMMdd";

bool isDeployment200()
{
    return currentDeploymentRights().readOnly;
}

QString moneyText(double value)
{
    return XP::formatDoubleNumber(value, 2, XP::NF_NONE, false, QStringLiteral("非法值"));
}

// A whole number of days as the days cells hold it; 0 for anything else.
int dayCount(const QString &text)
{
    bool ok = false;
    const int days = text.trimmed().toInt(&ok);
    return ok ? days : 0;
}

} // namespace

IBaseAgreementContentWidget::IBaseAgreementContentWidget(ETradeOperationType type, QWidget *parent,
                                                         const QString &objectName,
                                                         bool styledBackground)
    : XP::CBaseWidget(objectName, styledBackground, parent)
    , m_operationType(type)
{
    reloadTradingCalendar();
    buildUi();
    loadRepurchaseVarieties();
    updateEnabledFields();
    setFocusPolicy(Qt::StrongFocus);

    // The host may deliver its instruments after the form exists, and moves
    // "today" on at the start of each trading day.
    connect(utils::CManualSingletonT<CTradeClient>::instance(), &CTradeClient::sigInitDataFinish,
            this, [this] { loadRepurchaseVarieties(); });
    connect(utils::CManualSingletonT<CExchangeClient>::instance(),
            &CExchangeClient::sigNewTradingDate, this, [this] {
                reloadTradingCalendar();
                recalculate();
            });
}

IBaseAgreementContentWidget::~IBaseAgreementContentWidget() = default;

const AgreementOperationTraits *IBaseAgreementContentWidget::traits() const
{
    return agreementOperationTraits(m_operationType);
}

bool IBaseAgreementContentWidget::hasType(std::initializer_list<int> types) const
{
    return std::find(types.begin(), types.end(), int(m_operationType)) != types.end();
}

void IBaseAgreementContentWidget::buildUi()
{
    auto *columns = new XP::CWidgetList(Qt::Horizontal, this);
    columns->setMargins(0, 0, 0, 0);
    columns->setSpacing(5);
    XP::CWidgetList *lists[2];
    for (XP::CWidgetList *&list : lists) {
        list = new XP::CWidgetList(Qt::Vertical, columns);
        list->setMargins(2, 2, 0, 0);
        list->setSpacing(0);
        list->setMinimumWidth(CAgreementFieldTable::kRowWidth);
        columns->addFixedWidget(list, XP::CWidgetList::ANCHOR_START);
    }

    const bool code200 = isDeployment200();
    for (const CAgreementFieldTable::Spec &spec : CAgreementFieldTable::specs()) {
        if (!spec.createdFor(m_operationType))
            continue;
        XP::CWidgetList *column = lists[spec.column == 2 ? 1 : 0];
        auto *row = new XP::CWidgetList(Qt::Horizontal, column);
        row->setMargins(2, 0, 2, 0);
        row->setFixedSize(CAgreementFieldTable::kRowWidth, CAgreementFieldTable::kRowHeight);
        const QString label = QString::fromUtf8(spec.label);

        QWidget *editor = nullptr;
        QWidget *focusTarget = nullptr;
        if (spec.kind == CAgreementFieldTable::Spec::KIND_DEALER) {
            auto *text = new XP::CSimpleTextWidget(label, row);
            m_labels.append(text);
            row->addStretchWidget(text, 1);
            editor = focusTarget = m_dealerCells.add(spec.id, spec.dealerKind, this, row);
        } else {
            XP::CSimpleTextWidget *text = nullptr;
            editor = CAgreementFieldTable::buildEditor(spec, row, &text, &focusTarget);
            m_labels.append(text);
        }
        // The field table's initial state; updateEnabledFields() follows.
        CAgreementFieldTable::applyInitialState(spec, editor, focusTarget, m_operationType,
                                                code200);

        column->addFixedSpace(5);
        column->addFixedWidget(row, XP::CWidgetList::ANCHOR_START);
        m_rows.append(row);
        m_fields.push_back(Field { spec.id, label, spec.column, editor });
        CAgreementFieldTable::assign(spec, editor, m_cells);
    }
    setInnerStretchWidget(columns, 0, 0, 0, 0);
}

QStringList IBaseAgreementContentWidget::columnLabels(int column) const
{
    QStringList labels;
    for (const Field &field : m_fields) {
        if (field.column == column)
            labels.append(field.label);
    }
    return labels;
}

std::string IBaseAgreementContentWidget::traderCode() const
{
    return m_dealerCells.code(CELL_TRADER).toStdString();
}

// --- accounts ---------------------------------------------------------------

void IBaseAgreementContentWidget::setAccountKeys(const std::set<std::string> &keys)
{
    m_accountKeys = keys;
    if (!m_cells.account)
        return;
    m_cells.account->clear();
    for (const std::string &key : m_accountKeys) {
        const QString qkey = QString::fromStdString(key);
        const CAccountPtr account = getUserConfig()->getAccountData(qkey);
        if (!account)
            continue;
        m_cells.account->addItem(QString::fromStdString(account->getAccountInfo()->accountId),
                                 qkey);
    }
}

QString IBaseAgreementContentWidget::currentAccountKey() const
{
    if (!m_cells.account)
        return QString();
    return m_cells.account->currentData(Qt::UserRole).toString();
}

void IBaseAgreementContentWidget::setCurrentAccount(const QString &key)
{
    if (key.isEmpty() || !m_cells.account)
        return;
    const int index = m_cells.account->indexOfData(key);
    if (index >= 0)
        m_cells.account->setCurrentIndex(index);
}

ttservice::CAccountDataPtr IBaseAgreementContentWidget::getAccountDataPtr()
{
    const QString key = currentAccountKey();
    ttservice::CAccountDataPtr data
        = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(key.toStdString());
    if (!data)
        TT_LOG_INFO(boost::format(
                        "agreement repurchase table match account %1%, but null account data ptr.")
                    % key.toStdString());
    return data;
}

void IBaseAgreementContentWidget::showAvailableFunds()
{
    if (!m_cells.funds)
        return;
    const ttservice::CAccountDataPtr data = getAccountDataPtr();
    const ttservice::CAccountDetailPtr detail = data ? data->getAccountDetail() : nullptr;
    if (detail)
        m_cells.funds->setText(moneyText(detail->availableFunds));
}

void IBaseAgreementContentWidget::refreshAccountInfo()
{
    showAvailableFunds();
    if (m_cells.account) {
        const int index = m_cells.account->indexOfData(currentAccountKey());
        QVariant itemData
            = index >= 0 ? m_cells.account->itemData(index, Qt::UserRole) : QVariant();
        deliverEvent(EVT_COMBO_CHANGED, CELL_ACCOUNT, index, QString(), &itemData);
    }
    if (const ttservice::CAccountDataPtr data = getAccountDataPtr()) {
        // Keeps the counter pushing this account's records; the form reads them on demand.
        m_accountSubscription = data->subscribe(ttservice::DATA_TYPE_ACCOUNT_DETAIL, std::string(),
                                                [](ttservice::IDataPtr) {});
    }
}

ttservice::CRepurchaseAgreementContractInfoPtr
IBaseAgreementContentWidget::findContract(const std::string &key)
{
    const ttservice::CAccountDataPtr data = getAccountDataPtr();
    if (!data)
        return nullptr;
    return boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(
        data->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, key));
}

// --- filling from contracts, turn-deal rows and pledge tables ---------------

void IBaseAgreementContentWidget::setContract(const std::string &contractKey)
{
    m_contractKey = contractKey;
    ContractFill &fill = m_contractFill;
    if (fill.depth > 0 && !isDeployment200()) {
        // The account cannot change during a fill: its data is looked up
        // once (and, like any lookup, logged while there is none).
        if (!fill.data)
            fill.data = getAccountDataPtr();
        if (fill.data)
            fill.keys.push_back(contractKey);
        return;
    }
    if (const ttservice::CRepurchaseAgreementContractInfoPtr contract = findContract(contractKey))
        fillFromContract(*contract);
}

void IBaseAgreementContentWidget::beginContractFill()
{
    if (m_contractFill.depth++ == 0) {
        m_contractFill.keys.clear();
        m_contractFill.data.reset();
    }
}

void IBaseAgreementContentWidget::endContractFill()
{
    FICC_ASSERT(m_contractFill.depth > 0, return );
    if (--m_contractFill.depth > 0)
        return;
    const std::vector<std::string> keys = std::move(m_contractFill.keys);
    const ttservice::CAccountDataPtr data = std::move(m_contractFill.data);
    m_contractFill.keys.clear();
    m_contractFill.data.reset();
    if (!data)
        return;
    // From the last contract back: the one the form shows, then the last one
    // to fill each partly filled cell, until every such cell has its own.
    const unsigned partial = partialCellsFilledBy(nullptr, 0);
    unsigned found = 0;
    ttservice::CRepurchaseAgreementContractInfoPtr shown;
    std::vector<std::pair<size_t, ttservice::CRepurchaseAgreementContractInfoPtr>> earlier;
    const int today = utils::dateNumber(CHostClock::today());
    for (size_t at = keys.size(); at-- > 0 && (!shown || found != partial);) {
        const auto contract
            = boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(
                data->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, keys[at]));
        if (!contract)
            continue;
        const unsigned fills = partialCellsFilledBy(contract.get(), today);
        if (!shown)
            shown = contract;
        else if (fills & ~found)
            earlier.emplace_back(at, contract);
        found |= fills;
    }
    // Replayed in the order they came, each filling everything it fills.
    for (auto step = earlier.rbegin(); step != earlier.rend(); ++step)
        fillFromContract(*step->second);
    if (shown)
        fillFromContract(*shown);
}

unsigned IBaseAgreementContentWidget::partialCellsFilledBy(
    const ttservice::CRepurchaseAgreementContractInfo *contract, int today) const
{
    unsigned filled = 0;
    if (m_cells.settlementAmount && (!contract || contract->market == "SZ"))
        filled |= 1u;
    if (m_operationType == OPT_AGREEMENT_PLEDGE_CHANGE && m_cells.originalPledgeCode
        && (!contract || (!contract->pledgedBonds.empty() && contract->pledgedBonds.front())))
        filled |= 2u;
    // recalculateContractSettlement writes only for a first settlement before today.
    if (traits() && traits()->settlesContract && m_cells.firstSettleDate && m_cells.amount
        && m_cells.maturityAmount
        && (!contract
            || (isDateNumber(contract->firstSettleDate) && contract->firstSettleDate < today)))
        filled |= 4u;
    return filled;
}

void IBaseAgreementContentWidget::fillFromContract(
    const ttservice::CRepurchaseAgreementContractInfo &contractInfo)
{
    const ttservice::CRepurchaseAgreementContractInfo *const contract = &contractInfo;
    const bool settles = traits() && traits()->settlesContract;
    if (settles && m_cells.firstSettleDate)
        m_cells.firstSettleDate->setText(QString::number(contract->firstSettleDate));

    if (isDeployment200()) {
        if (hasType({ OPT_AGREEMENT_MATURITY_CONFIRM, OPT_AGREEMENT_PLEDGE_CHANGE })
            && m_cells.maturityAmount)
            m_cells.maturityAmount->setDouble(contract->maturitySettleAmount, 2);
        if (m_operationType == OPT_AGREEMENT_EARLY_REPURCHASE && m_cells.amount)
            m_cells.amount->setDouble(contract->repurchaseAmount, 2);
        return;
    }

    if (m_cells.contractNo)
        m_cells.contractNo->setText(QString::fromStdString(contract->contractNo));
    if (m_cells.amount) {
        // The amount cannot exceed the face value of the pledged bonds (or,
        // for a pledge change, the contract's amount).
        const double top = m_operationType == OPT_AGREEMENT_PLEDGE_CHANGE
            ? contract->repurchaseAmount
            : CAgreementCalculator::contractPledgeValue(
                *contract, *ttservice::TraderCenter::instance()->getInstCenter());
        m_cells.amount->setDoubleValidator(0.01, top, 2, QString());
        m_cells.amount->setDouble(contract->repurchaseAmount, 2);
    }
    if (m_cells.ratio)
        m_cells.ratio->setDouble(contract->conversionRatio * 100);
    if (m_cells.rate)
        m_cells.rate->setDouble(contract->repurchaseRate * 100);
    if (m_cells.maturityAmount) {
        if (settles)
            recalculateContractSettlement();
        else if (m_operationType != OPT_AGREEMENT_MATURITY_RENEWAL)
            m_cells.maturityAmount->setDouble(contract->maturitySettleAmount, 2);
    }
    m_dealerCells.setText(CELL_TRADER, contract->trader);
    m_dealerCells.setText(CELL_COUNTERPARTY_TRADER, contract->counterpartyTrader);
    m_dealerCells.setText(CELL_COUNTERPARTY_DEALER, contract->counterpartyDealer);
    if (m_cells.counterpartyDealerName)
        m_cells.counterpartyDealerName->setText(
            QString::fromStdString(contract->counterpartyDealerName));
    if (m_cells.originalPledgeAmount)
        m_cells.originalPledgeAmount->setDouble(contract->repurchaseAmount, 2);
    if (m_cells.originalInterest)
        m_cells.originalInterest->setDouble(contract->maturitySettleAmount
                                            - contract->repurchaseAmount);
    if (m_cells.supplementaryTerms)
        m_cells.supplementaryTerms->setText(QString::fromStdString(contract->supplementaryTerms));
    m_dealerCells.setText(CELL_DEALER, contract->dealer);
    m_dealerCells.setText(CELL_SUBJECT, contract->tradingEntity);
    m_dealerCells.setText(CELL_COUNTERPARTY_SUBJECT, contract->counterpartyEntity);
    if (m_cells.settlementAmount && contract->market == "SZ")
        m_cells.settlementAmount->setDouble(contract->maturitySettleAmount);
    if (m_operationType == OPT_AGREEMENT_PLEDGE_CHANGE && m_cells.originalPledgeCode
        && !contract->pledgedBonds.empty() && contract->pledgedBonds.front())
        m_cells.originalPledgeCode->setText(
            QString::fromStdString(contract->pledgedBonds.front()->bondCode));
    m_market = contract->market;
    updateEnabledFields();
    // The contract's own term decides the variety, none when no range covers it.
    m_selectedVariety = CAgreementCalculator::findVariety(
        varieties(m_market), contract->repurchaseDays, CAgreementCalculator::LAST_MATCH);
}

void IBaseAgreementContentWidget::fillFromTurnDeal(const QString &turnDealKey)
{
    if (isDeployment200())
        return;
    const ttservice::CAccountDataPtr data = getAccountDataPtr();
    const auto order = data
        ? boost::dynamic_pointer_cast<ttservice::CRepurchaseIntentionOrder>(
            data->getData(ttservice::DATA_TYPE_INTENTION_ORDER, turnDealKey.toStdString()))
        : nullptr;
    if (!order)
        return;
    if (m_cells.days)
        m_cells.days->setInt(order->repurchaseDays);
    if (m_cells.rate)
        m_cells.rate->setDouble(order->repurchaseRate * 100);
    m_dealerCells.setText(CELL_COUNTERPARTY_TRADER, order->trader);
    m_dealerCells.setText(CELL_COUNTERPARTY_DEALER, order->dealer);
    if (m_cells.counterpartyDealerName)
        m_cells.counterpartyDealerName->setText(QString::fromStdString(order->dealerName));
    // Days and rate came in: the variety, dates and interest follow them.
    recalculate();
}

void IBaseAgreementContentWidget::setPledgeSelection(const PledgeRows &rows)
{
    if (isDeployment200())
        return;
    m_firstSelection = rows;
    if (m_cells.amount) {
        m_firstSelectionTotal = 0.0;
        for (const ttservice::CPledgedBondInfo &row : rows)
            m_firstSelectionTotal += row.pledgeAmount;
    }
    if (m_operationType != OPT_AGREEMENT_PLEDGE_CHANGE) {
        if (!rows.isEmpty()) {
            m_market = rows.first().market;
            updateEnabledFields();
        }
        if (m_cells.amount) {
            m_cells.amount->setDoubleValidator(0.01, m_firstSelectionTotal, 2, QString());
            m_cells.amount->setDouble(m_firstSelectionTotal, 2);
        }
    }
    // Only the ratio follows the new amount. A whole recalculation would pick the
    // first of overlapping varieties again, so the order could carry another
    // instrument than updateEnabledFields() chose, and would rework interest and dates.
    updateConversionRatio();
}

void IBaseAgreementContentWidget::setSecondPledgeSelection(const PledgeRows &rows)
{
    if (isDeployment200())
        return;
    m_secondSelection = rows;
    if (m_cells.amount) {
        m_secondSelectionTotal = 0.0;
        for (const ttservice::CPledgedBondInfo &row : m_secondSelection)
            m_secondSelectionTotal += row.pledgeAmount;
    }
    updateConversionRatio();
}

// --- varieties and enabled states -------------------------------------------

CAgreementCalculator::VarietyList
IBaseAgreementContentWidget::varieties(const std::string &market) const
{
    const auto it = m_varietyTable.find(market);
    return it == m_varietyTable.end() ? CAgreementCalculator::VarietyList() : it->second;
}

void IBaseAgreementContentWidget::loadRepurchaseVarieties()
{
    if (m_varietiesLoaded)
        return;
    std::map<std::string, CAgreementCalculator::VarietyList> table
        = CAgreementCalculator::varietyTable(
            *ttservice::TraderCenter::instance()->getInstCenter(),
            *utils::CSingletonT<ttservice::StockTypeCenter>::instance());
    if (table.empty())
        return; // a later sigInitDataFinish tries again
    m_varietyTable = table;
    m_varietiesLoaded = true;
}

void IBaseAgreementContentWidget::selectVarietyForDays(int days,
                                                       CAgreementCalculator::EVarietyMatch match)
{
    const ttservice::CBondInfoDetailPtr variety
        = CAgreementCalculator::findVariety(varieties(m_market), days, match);
    if (variety)
        m_selectedVariety = variety;
    if (m_cells.variety)
        m_cells.variety->setText(variety ? QString::fromStdString(variety->instrumentName)
                                         : QString());
}

void IBaseAgreementContentWidget::updateEnabledFields()
{
    const bool code200 = isDeployment200();
    const bool isSH = m_market != "SZ";
    for (int id : { CELL_TRADER, CELL_COUNTERPARTY_TRADER, CELL_COUNTERPARTY_DEALER }) {
        if (XP::CAutoKeyboardLineEdit *cell = m_dealerCells.cell(id))
            cell->setEnabled(!code200);
    }
    if (m_cells.counterpartyDealerName)
        m_cells.counterpartyDealerName->setEnabled(false);
    if (m_cells.supplementaryTerms)
        m_cells.supplementaryTerms->setEnabled(isSH && !code200);
    if (m_cells.days) {
        const int days = dayCount(m_cells.days->text());
        if (days > 0)
            selectVarietyForDays(days, CAgreementCalculator::LAST_MATCH);
    }
    if (m_cells.renewType && m_operationType == OPT_AGREEMENT_MATURITY_RENEWAL)
        m_cells.renewType->setEnabled(!code200);
    if (m_cells.amount) {
        const bool typed = traits() && traits()->amountTyped;
        m_cells.amount->setEnabled(typed && !code200);
    }
    if (m_cells.originalInterest)
        m_cells.originalInterest->setEnabled(!isSH && !code200);
    if (m_cells.settlementAmount)
        m_cells.settlementAmount->setEnabled(!isSH);
}

// --- calculations -------------------------------------------------------------

void IBaseAgreementContentWidget::setTradingCalendar(const CTradingCalendar::DayMap &calendar)
{
    m_tradingCalendar = calendar;
}

void IBaseAgreementContentWidget::reloadTradingCalendar()
{
    m_tradingCalendar
        = utils::CSingletonT<CTradingCalendar>::instance()->dayMapAround(CHostClock::today());
}

void IBaseAgreementContentWidget::recalculate()
{
    if (m_cells.account && m_cells.funds)
        showAvailableFunds();

    if (m_cells.days) {
        const QString daysText = m_cells.days->text();
        const int days = dayCount(daysText);
        if (daysText.isEmpty() || days <= 0) {
            for (XP::CLineEdit *edit :
                 { m_cells.variety, m_cells.firstSettleDate, m_cells.maturitySettleDate }) {
                if (edit)
                    edit->setText(QString());
            }
            for (XP::CParameterCell *cell :
                 { m_cells.days, m_cells.actualDays, m_cells.interest, m_cells.maturityAmount }) {
                if (cell)
                    cell->setText(QString());
            }
        } else {
            selectVarietyForDays(days, CAgreementCalculator::FIRST_MATCH);
            if (m_cells.firstSettleDate && m_cells.maturitySettleDate) {
                setSettleAccountDate();
                const QDate first = utils::dateFromDigits(m_cells.firstSettleDate->text());
                const QString maturityText = m_cells.maturitySettleDate->text();
                const QDate maturity = utils::dateFromDigits(maturityText);
                if (m_cells.actualDays) {
                    if (maturityText.isEmpty())
                        m_cells.actualDays->setText(QString());
                    else
                        m_cells.actualDays->setInt(first.daysTo(maturity));
                }
            }
        }
    }

    if (m_cells.days && m_cells.rate && m_cells.amount) {
        const QString daysText = m_cells.days->text();
        const long long occupied = m_cells.actualDays ? dayCount(m_cells.actualDays->text()) : 0;
        const CAgreementCalculator::RepoAmounts amounts = CAgreementCalculator::repoAmounts(
            m_cells.amount->text(), m_cells.rate->text(), occupied);
        const bool valid = !daysText.isEmpty() && dayCount(daysText) > 0 && amounts.valid;
        if (m_cells.interest)
            m_cells.interest->setText(valid ? moneyText(amounts.interest) : QString());
        if (m_cells.maturityAmount)
            m_cells.maturityAmount->setText(valid ? moneyText(amounts.maturityAmount) : QString());
    }

    if (traits() && traits()->settlesContract)
        recalculateContractSettlement();
    if (m_cells.amount)
        updateConversionRatio();
}

void IBaseAgreementContentWidget::setSettleAccountDate()
{
    const int days = m_cells.days ? dayCount(m_cells.days->text()) : 0;
    const QDate today = CHostClock::today();
    const QDate maturity = CAgreementCalculator::maturitySettleDate(today, days, m_tradingCalendar);
    if (!maturity.isValid()) {
        TT_LOG_ERROR("The scope of the trading day is not enough");
        if (m_cells.firstSettleDate)
            m_cells.firstSettleDate->setText(QString());
        if (m_cells.maturitySettleDate)
            m_cells.maturitySettleDate->setText(QString());
        return;
    }
    if (m_cells.firstSettleDate)
        m_cells.firstSettleDate->setText(today.toString(QLatin1String(kDateFormat)));
    if (m_cells.maturitySettleDate)
        m_cells.maturitySettleDate->setText(maturity.toString(QLatin1String(kDateFormat)));
}

void IBaseAgreementContentWidget::recalculateContractSettlement()
{
    if (!m_cells.amount)
        return;
    const QDate first = utils::dateFromDigits(
        m_cells.firstSettleDate ? m_cells.firstSettleDate->text() : QString());
    const qint64 days = first.isValid() ? first.daysTo(CHostClock::today()) : 0;
    if (days <= 0 || !m_cells.maturityAmount)
        return;
    // A rate or amount that is no number (or no rate cell) counts as 0.
    m_cells.maturityAmount->setDouble(
        CAgreementCalculator::contractMaturityAmount(
            m_cells.amount->text(), m_cells.rate ? m_cells.rate->text() : QString(), days),
        2);
}

void IBaseAgreementContentWidget::updateConversionRatio()
{
    double value = 0.0;
    if (!m_contractKey.empty()) {
        if (const auto contract = findContract(m_contractKey))
            value = CAgreementCalculator::contractPledgeValue(
                *contract, *ttservice::TraderCenter::instance()->getInstCenter());
    }
    value += m_firstSelectionTotal - m_secondSelectionTotal;
    double ratio = 0.0;
    const double amount = m_cells.amount ? m_cells.amount->toDouble() : 0.0;
    if (m_cells.ratio && CAgreementCalculator::conversionRatio(amount, value, &ratio))
        m_cells.ratio->setDouble(ratio);
}

// --- orders -------------------------------------------------------------------

CAgreementOrderBuilder::Input IBaseAgreementContentWidget::orderInput()
{
    CAgreementOrderBuilder::Input in;
    in.operationType = m_operationType;
    in.accountKey = currentAccountKey();
    in.contractKey = m_contractKey;
    if (!m_contractKey.empty() && !in.accountKey.isEmpty())
        in.contract = findContract(m_contractKey);
    in.instructionKey = m_instructionKey;
    in.market = m_market;
    in.variety = m_selectedVariety;
    in.firstSelection = m_firstSelection;
    in.secondSelection = m_secondSelection;
    in.firstSelectionTotal = m_firstSelectionTotal;
    in.secondSelectionTotal = m_secondSelectionTotal;

    const Cells &c = m_cells;
    if (c.days)
        in.days = c.days->toInt();
    if (c.variety)
        in.varietyName = c.variety->text();
    if (c.rate)
        in.rate = c.rate->toDouble();
    if (c.amount)
        in.amount = c.amount->toDouble();
    if (c.actualDays)
        in.actualDays = c.actualDays->toInt();
    if (c.maturitySettleDate)
        in.maturitySettleDate = c.maturitySettleDate->toInt();
    if (c.maturityAmount)
        in.maturityAmount = c.maturityAmount->toDouble();
    if (c.originalInterest)
        in.originalInterest = c.originalInterest->toDouble();
    if (c.contactPerson)
        in.contactPerson = c.contactPerson->text();
    if (c.contactMethod)
        in.contactMethod = c.contactMethod->text();
    if (c.counterpartyDealerName)
        in.counterpartyDealerName = c.counterpartyDealerName->text();
    if (c.supplementaryTerms)
        in.supplementaryTerms = c.supplementaryTerms->text();
    if (c.renewType)
        in.renewType = c.renewType->currentData(Qt::UserRole).toInt();
    if (c.subjectType)
        in.subjectType = c.subjectType->currentData(Qt::UserRole).toInt();
    if (c.ratio)
        in.ratio = c.ratio->toDouble();
    if (c.settlementAmount)
        in.settlementAmount = c.settlementAmount->toDouble();
    if (c.swapIncome)
        in.swapIncome = c.swapIncome->toDouble();

    const auto dealerCode = [this](int id) -> std::optional<QString> {
        if (!m_dealerCells.cell(id))
            return std::nullopt;
        return m_dealerCells.code(id);
    };
    in.dealer = dealerCode(CELL_DEALER);
    in.tradingEntity = dealerCode(CELL_SUBJECT);
    in.counterpartyEntity = dealerCode(CELL_COUNTERPARTY_SUBJECT);
    in.trader = dealerCode(CELL_TRADER);
    in.counterpartyTrader = dealerCode(CELL_COUNTERPARTY_TRADER);
    in.counterpartyDealer = dealerCode(CELL_COUNTERPARTY_DEALER);
    return in;
}

CAgreementOrderBuilder::Host
IBaseAgreementContentWidget::orderHost(const CAgreementOrderBuilder::Input &input)
{
    CAgreementOrderBuilder::Host host(*ttservice::TraderCenter::instance()->getInstCenter());
    host.account = readOrderAccount(input.accountKey);
    host.instruction = readInstruction(input.instructionKey);
    host.userName = getUserConfig()->userName.toUtf8().toStdString();
    return host;
}

bool IBaseAgreementContentWidget::checkOrderInput(QString &error)
{
    const CAgreementOrderBuilder::Input input = orderInput();
    return CAgreementOrderBuilder::checkOrderInput(input, orderHost(input), error);
}

int IBaseAgreementContentWidget::orderOperationType()
{
    const ttservice::CRepurchaseAgreementContractInfoPtr contract
        = m_contractKey.empty() ? nullptr : findContract(m_contractKey);
    return CAgreementOrderBuilder::orderOperationType(m_operationType, contract.get());
}

bool IBaseAgreementContentWidget::buildOrders(std::vector<ttservice::CCodeOrderParam> &orders,
                                              QString &error, QString &text)
{
    Q_UNUSED(text);
    const CAgreementOrderBuilder::Input input = orderInput();
    return CAgreementOrderBuilder::buildOrders(input, orderHost(input), orders, error);
}

// --- events -------------------------------------------------------------------

void IBaseAgreementContentWidget::importDealers()
{
    const QString path = XP::getOpenFileName(this, QStringLiteral("导入交易商"), QString(),
                                             QStringLiteral("Excel Files(*.csv);"));
    if (path.isEmpty())
        return;
    // A file that is no dealer file leaves the directory as it was, and the
    // trader is told why the import did nothing.
    QString error;
    if (CDealerDirectory::instance()->importFile(path, error))
        return;
    QString text = QStringLiteral("交易商文件 %1 导入失败").arg(QDir::toNativeSeparators(path));
    if (!error.isEmpty())
        text += QStringLiteral(": ") + error;
    utils::CManualSingletonT<CMsgService>::instance()->showMsg(text.toStdString(), 4, 1, false,
                                                               false);
}

bool IBaseAgreementContentWidget::handleEvent(int event, int a, int b, QString text, void *data)
{
    switch (event) {
    case XP::EVT_BUTTON_CHECKED:
        if (a == CELL_IMPORT)
            importDealers();
        return true;
    case XP::EVT_COMBO_CHANGED:
        if (a == CELL_ACCOUNT) {
            recalculate();
            return false; // the operation widget and the page follow the account too
        }
        return a == CELL_SUBJECT_TYPE;
    case XP::EVT_EDIT_FINISHED:
        if (a == CELL_DAYS || a == CELL_RATE)
            recalculate();
        return true;
    case XP::EVT_PARAM_CELL_EDITED:
        if (a == CELL_DAYS || a == CELL_AMOUNT || a == CELL_RATE || a == CELL_ACTUAL_DAYS)
            recalculate();
        return true;
    case XP::EVT_AUTOKEYBOARD_PICKED:
        if (a == CELL_DEALER || a == CELL_COUNTERPARTY_DEALER)
            m_dealerCells.refillFor(a);
        return true;
    default:
        return XP::CBaseWidget::handleEvent(event, a, b, text, data);
    }
}

void IBaseAgreementContentWidget::setFixFont()
{
    for (XP::CSimpleTextWidget *label : m_labels)
        label->resize(label->sizeHint());
    for (XP::CWidgetList *row : m_rows)
        row->updateWidgetLengths();
}

} // namespace TC
