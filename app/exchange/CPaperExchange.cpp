#include "CPaperExchange.h"

#include "CContractRules.h"
#include "CDeskDeclarations.h"
#include "SeedFile.h"

#include "tc/CCommandRecord.h"
#include "tc/CHostClock.h"
#include "tc/CMsgService.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/CBondDetail.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "ttservice/DataTypes.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/TypeManager.h"
#include "utils/CSingletonT.h"
#include "utils/CThreadRelay.h"
#include "utils/DateText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <algorithm>
#include <cmath>
#include <future>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace app {

namespace {

QString qs(const std::string &s)
{
    return QString::fromStdString(s);
}

double cents(double yuan)
{
    return std::floor(yuan * 100.0 + 0.5) / 100.0;
}

using utils::dateNumber;

bool isSet(double v)
{
    return v != ttservice::kUnsetDouble && std::isfinite(v);
}

// What the job running on this thread tells the trader, held back until the
// host has written what the job changed: a trader never reads of a fill that
// a crash could still take back. Null outside a job.
thread_local std::vector<std::pair<std::string, int>> *t_heldMessages = nullptr;

void showNow(const std::string &text, int type)
{
    utils::CManualSingletonT<TC::CMsgService>::instance()->showMsg(text, type, 1, false, false);
}

void tell(const QString &text, int type)
{
    if (t_heldMessages)
        t_heldMessages->emplace_back(text.toUtf8().toStdString(), type);
    else
        showNow(text.toUtf8().toStdString(), type);
}

ttservice::CAccountDataPtr accountOf(const ttservice::CCodeOrderParam &order)
{
    if (!order.accountInfo)
        return ttservice::CAccountDataPtr();
    return ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(
        order.accountInfo->getKey());
}

QString accountName(const ttservice::CCodeOrderParam &order)
{
    return order.accountInfo ? qs(order.accountInfo->accountId) : QStringLiteral("(无)");
}

ttservice::CInstrumentDetailPtr bondOf(const std::string &market, const std::string &code)
{
    const ttservice::CInstrumentDetailPtr inst
        = ttservice::TraderCenter::instance()->getInstCenter()->getInstrument(market, code);
    return inst && inst->bondDetail ? inst : ttservice::CInstrumentDetailPtr();
}

ttservice::CPositionStaticsPtr positionOf(const ttservice::CAccountDataPtr &data,
                                          const std::string &market, const std::string &code)
{
    return boost::dynamic_pointer_cast<ttservice::CPositionStatics>(data->getData(
        ttservice::DATA_TYPE_POSITION_STATICS, market + ttservice::KEY_SPLITTER + code));
}

long long usableOf(const ttservice::CAccountDataPtr &data, const std::string &market,
                   const std::string &code)
{
    const ttservice::CPositionStaticsPtr pos = positionOf(data, market, code);
    return pos ? pos->usableVolume : 0;
}

double fundsOf(const ttservice::CAccountDataPtr &data)
{
    const ttservice::CAccountDetailPtr detail = data->getAccountDetail();
    return detail && isSet(detail->availableFunds) ? detail->availableFunds : 0.0;
}

// Records are shared with the readers of the data centre: a change is a
// changed copy put in the old one's place.
void moveFunds(const ttservice::CAccountDataPtr &data, double change)
{
    auto detail = boost::make_shared<ttservice::CAccountDetail>();
    if (const ttservice::CAccountDetailPtr old = data->getAccountDetail())
        *detail = *old;
    detail->accountId = data->getAccountInfo()->accountId;
    detail->availableFunds = cents(fundsOf(data) + change);
    data->setAccountDetail(detail);
}

void movePosition(const ttservice::CAccountDataPtr &data, const ttservice::CInstrumentDetail &bond,
                  long long totalChange, long long usableChange)
{
    auto pos = boost::make_shared<ttservice::CPositionStatics>();
    if (const ttservice::CPositionStaticsPtr old
        = positionOf(data, bond.market, bond.instrumentCode))
        *pos = *old;
    pos->market = bond.market;
    pos->instrumentCode = bond.instrumentCode;
    pos->instrumentName = bond.instrumentName;
    pos->totalVolume += totalChange;
    pos->usableVolume += usableChange;
    data->updateData(pos, true);
}

// The term of an agreement order: its days, else the days up to its maturity
// settlement date; 0 when it names neither.
int termOf(const ttservice::CRepurchaseAgreementParam &agreement, const QDate &tradingDate)
{
    if (agreement.repurchaseDays != ttservice::kUnsetInt)
        return agreement.repurchaseDays;
    if (agreement.maturitySettleDate != ttservice::kUnsetInt) {
        const QDate maturity = utils::dateFromNumber(agreement.maturitySettleDate);
        if (maturity.isValid())
            return int(tradingDate.daysTo(maturity));
    }
    return 0;
}

// The checks an agreement order's money terms must pass; empty when they do.
QString checkTerms(const ttservice::CRepurchaseAgreementParam &agreement, int days)
{
    if (!isSet(agreement.repurchaseAmount) || agreement.repurchaseAmount <= 0)
        return QStringLiteral("回购金额必须大于0");
    if (!isSet(agreement.repurchaseRate) || agreement.repurchaseRate <= 0
        || agreement.repurchaseRate >= 1)
        return QStringLiteral("回购利率必须在0%~100%之间");
    if (days < 1 || days > 365)
        return QStringLiteral("回购天数必须在1~365之间");
    return QString();
}

// The money terms of a declaration, checked as an order's are.
QString checkDeclaredTerms(const ttservice::CRepurchasePendingOrder &d)
{
    ttservice::CRepurchaseAgreementParam terms;
    terms.repurchaseAmount = d.repurchaseAmount;
    terms.repurchaseRate = d.repurchaseRate;
    return checkTerms(terms, d.repurchaseDays);
}

QString statusText(int status)
{
    return qs(ttservice::TypeManager::instance()->getEnumItemName("ttservice::EContractStatus",
                                                                  status, 0));
}

QString shortOf(const ttservice::CInstrumentDetail &bond, long long wanted, long long usable)
{
    return QStringLiteral("%1 %2 可用数量不足: 需要 %3 张, 可用 %4 张")
        .arg(qs(bond.instrumentCode), qs(bond.instrumentName))
        .arg(wanted)
        .arg(usable);
}

using ContractPtr = ttservice::CRepurchaseAgreementContractInfoPtr;
using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;

// The index of an earlier order of `orders` that declares the same as order
// `i` (same account, operation, volume and agreement); -1 when none does.
int sameDeclarationBefore(const std::vector<ttservice::CCodeOrderParam> &orders, size_t i)
{
    const ttservice::CCodeOrderParam &order = orders[i];
    const int operation = int(order.operationType);
    if (operation != CPaperExchange::OP_DEAL_DECLARATION
        && operation != CPaperExchange::OP_INTENTION_REPO
        && operation != CPaperExchange::OP_INTENTION_REVERSE_REPO)
        return -1;
    const std::string account = order.accountInfo ? order.accountInfo->getKey() : std::string();
    for (size_t j = 0; j < i; ++j) {
        const ttservice::CCodeOrderParam &other = orders[j];
        const std::string otherAccount
            = other.accountInfo ? other.accountInfo->getKey() : std::string();
        if (int(other.operationType) == operation && otherAccount == account
            && other.volume == order.volume
            && other.agreementParam.binaryEqual(order.agreementParam))
            return int(j);
    }
    return -1;
}

ContractPtr contractOf(const ttservice::CAccountDataPtr &data, const std::string &contractNo)
{
    return boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(
        data->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, contractNo));
}

QString sideName(int direction)
{
    return direction == '1' ? QStringLiteral("正回购") : QStringLiteral("逆回购");
}

// The contract side ('1' 正回购, '2' 逆回购) an operation code is for; 0
// when the code serves both.
int sideOfOperation(int operation)
{
    switch (operation) {
    case CPaperExchange::OP_MATURITY_CONFIRM_REPO:
    case CPaperExchange::OP_EARLY_REPURCHASE_REPO:
    case CPaperExchange::OP_MATURITY_RENEWAL_REPO:
    case CPaperExchange::OP_PLEDGE_RELEASE_REPO:
    case CPaperExchange::OP_PLEDGE_CHANGE: // only the side that pledged changes the pledge
        return '1';
    case CPaperExchange::OP_MATURITY_CONFIRM_REVERSE:
    case CPaperExchange::OP_EARLY_REPURCHASE_REVERSE:
    case CPaperExchange::OP_MATURITY_RENEWAL_REVERSE:
    case CPaperExchange::OP_PLEDGE_RELEASE_REVERSE:
        return '2';
    default:
        return 0;
    }
}

QString notInState(const ttservice::CRepurchaseAgreementContractInfo &contract,
                   CContractRules::EAction action)
{
    return QStringLiteral("合同 %1 状态为%2, 到期日 %3, 不能%4")
        .arg(qs(contract.contractNo), statusText(contract.contractStatus))
        .arg(contract.maturitySettleDate)
        .arg(CContractRules::actionName(action));
}

// The account's contract an order acts on, after the checks every contract
// operation makes: the number, the side of the operation code, the state.
QString findContract(const ttservice::CAccountDataPtr &data, int operation,
                     const std::string &contractNo, CContractRules::EAction action,
                     ContractPtr *found)
{
    if (contractNo.empty())
        return QStringLiteral("委托缺少合同编号");
    const ContractPtr contract = contractOf(data, contractNo);
    if (!contract)
        return QStringLiteral("合同 %1 不存在").arg(qs(contractNo));
    const int side = sideOfOperation(operation);
    if (side && contract->direction != side)
        return QStringLiteral("业务代码 %1 不适用于%2合同 %3")
            .arg(operation)
            .arg(sideName(contract->direction), qs(contractNo));
    if (!CContractRules::allows(action, *contract, TC::CHostClock::today()))
        return notInState(*contract, action);
    *found = contract;
    return QString();
}

QString shortOfFunds(double amount, double available)
{
    return QStringLiteral("可用资金不足: 需要 %1, 可用 %2")
        .arg(amount, 0, 'f', 2)
        .arg(available, 0, 'f', 2);
}

// Closes `old` with `status`: the repo side pays `amount` and has its pledged
// bonds available again; the reverse-repo side receives `amount`.
void closeWith(const ttservice::CAccountDataPtr &data,
               const ttservice::CRepurchaseAgreementContractInfo &old, int status, double amount)
{
    const bool repo = old.direction == '1';
    auto contract = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>(old);
    contract->contractStatus = status;
    // The bonds come back to the side that pledged them before the contract
    // says so, as the money leaves it.
    if (repo) {
        for (const ttservice::CRepurchasePledgedBondPtr &bond : old.pledgedBonds) {
            const ttservice::CInstrumentDetailPtr inst = bondOf(bond->market, bond->bondCode);
            if (inst && bond->pledgeVolume > 0)
                movePosition(data, *inst, 0, bond->pledgeVolume);
        }
    }
    data->updateData(contract, true);
    if (amount > 0)
        moveFunds(data, repo ? -amount : amount);
}

// A bond going into or out of a pledge.
struct BondMove
{
    ttservice::CInstrumentDetailPtr bond;
    int volume = 0;
};

// The pledged volume of `code` under `contract`.
int pledgedVolume(const ttservice::CRepurchaseAgreementContractInfo &contract,
                  const std::string &code)
{
    int volume = 0;
    for (const ttservice::CRepurchasePledgedBondPtr &bond : contract.pledgedBonds)
        if (bond && bond->bondCode == code)
            volume += bond->pledgeVolume;
    return volume;
}

// Why the swap cannot be made (bonds not pledged, not available, the new
// pledge not covering the amount); empty when it can. The repo side's
// position is checked when `ownBonds`.
QString checkSwap(const ttservice::CAccountDataPtr &data,
                  const ttservice::CRepurchaseAgreementContractInfo &contract,
                  const std::vector<BondMove> &in, const std::vector<BondMove> &out, bool ownBonds)
{
    if (in.empty() && out.empty())
        return QStringLiteral("质押券变更未列出换入或换出的债券");
    double faceValue = 0.0;
    for (const ttservice::CRepurchasePledgedBondPtr &bond : contract.pledgedBonds) {
        const ttservice::CInstrumentDetailPtr inst
            = bond ? bondOf(bond->market, bond->bondCode) : ttservice::CInstrumentDetailPtr();
        if (inst)
            faceValue += double(bond->pledgeVolume) * inst->bondDetail->faceValue;
    }
    for (const BondMove &move : out) {
        const int pledged = pledgedVolume(contract, move.bond->instrumentCode);
        if (pledged < move.volume)
            return QStringLiteral("合同 %1 质押的 %2 只有 %3 张, 不能换出 %4 张")
                .arg(qs(contract.contractNo), qs(move.bond->instrumentCode))
                .arg(pledged)
                .arg(move.volume);
        faceValue -= double(move.volume) * move.bond->bondDetail->faceValue;
    }
    for (const BondMove &move : in) {
        const long long usable
            = ownBonds ? usableOf(data, move.bond->market, move.bond->instrumentCode) : 0;
        if (ownBonds && usable < move.volume)
            return shortOf(*move.bond, move.volume, usable);
        faceValue += double(move.volume) * move.bond->bondDetail->faceValue;
    }
    const double covered = cents(faceValue * contract.conversionRatio);
    if (covered + 0.005 < contract.repurchaseAmount)
        return QStringLiteral("换券后质押券折算金额 %1 不足回购金额 %2")
            .arg(covered, 0, 'f', 2)
            .arg(contract.repurchaseAmount, 0, 'f', 2);
    return QString();
}

// Swaps the bonds of `old` (checked by checkSwap): out of the pledge and, for
// the repo side's own bonds, back to its available position; in likewise.
void swapWith(const ttservice::CAccountDataPtr &data,
              const ttservice::CRepurchaseAgreementContractInfo &old,
              const std::vector<BondMove> &in, const std::vector<BondMove> &out, bool ownBonds)
{
    auto contract = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>(old);
    contract->pledgedBonds.clear();
    std::map<std::string, int> volumes; // code -> volume, in the contract's order
    std::vector<std::string> order;
    std::map<std::string, ttservice::CRepurchasePledgedBondPtr> first;
    for (const ttservice::CRepurchasePledgedBondPtr &bond : old.pledgedBonds) {
        if (!bond)
            continue;
        if (!volumes.count(bond->bondCode)) {
            order.push_back(bond->bondCode);
            first[bond->bondCode] = bond;
        }
        volumes[bond->bondCode] += bond->pledgeVolume;
    }
    for (const BondMove &move : out)
        volumes[move.bond->instrumentCode] -= move.volume;
    for (const BondMove &move : in) {
        if (!volumes.count(move.bond->instrumentCode))
            order.push_back(move.bond->instrumentCode);
        volumes[move.bond->instrumentCode] += move.volume;
    }
    for (const std::string &code : order) {
        if (volumes[code] <= 0)
            continue;
        auto bond = boost::make_shared<ttservice::CRepurchasePledgedBond>();
        if (first.count(code))
            *bond = *first[code];
        const ttservice::CInstrumentDetailPtr inst = bondOf(old.market, code);
        bond->market = old.market;
        bond->bondCode = code;
        if (inst)
            bond->bondName = inst->instrumentName;
        bond->pledgeVolume = volumes[code];
        bond->swapFlag = '0';
        contract->pledgedBonds.push_back(bond);
    }
    if (ownBonds) {
        for (const BondMove &move : in)
            movePosition(data, *move.bond, 0, -move.volume);
        for (const BondMove &move : out)
            movePosition(data, *move.bond, 0, move.volume);
    }
    data->updateData(contract, true);
}

// The declaration type ('0'..'4') a confirmation code answers.
int declareTypeOf(int operation)
{
    switch (operation) {
    case CPaperExchange::OP_CONFIRM_DEAL:
        return '0';
    case CPaperExchange::OP_CONFIRM_RENEWAL:
        return '1';
    case CPaperExchange::OP_CONFIRM_EARLY_REPURCHASE_REPO:
    case CPaperExchange::OP_CONFIRM_EARLY_REPURCHASE_REVERSE:
        return '2';
    case CPaperExchange::OP_CONFIRM_PLEDGE_CHANGE:
        return '3';
    default:
        return '4';
    }
}

QString declareTypeText(int type)
{
    return qs(
        ttservice::TypeManager::instance()->getEnumItemName("ttservice::EDeclareType", type, 1));
}

} // namespace

CPaperExchange::CPaperExchange(std::vector<Desk> desks, int answerDelayMs)
    : m_desks(std::move(desks))
    , m_answerDelayMs(std::max(0, answerDelayMs))
{
    m_thread.setObjectName(QStringLiteral("paper-exchange"));
    m_context = new utils::CThreadRelay;
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

CPaperExchange::~CPaperExchange()
{
    shutdown();
    delete m_context;
}

void CPaperExchange::shutdown()
{
    m_stopped = true;
    m_thread.quitAndWait();
}

QString CPaperExchange::refusalText(const QString &reason)
{
    return QStringLiteral("委托被拒绝: %1").arg(reason);
}

bool CPaperExchange::accept(const TC::CCommandRecord &record, utils::TTError &)
{
    if (m_stopped || !record.param)
        return true;
    const std::vector<ttservice::CCodeOrderParam> &orders = record.param->orders;
    for (size_t i = 0; i < orders.size(); ++i) {
        const ttservice::CCodeOrderParam &order = orders[i];
        const int same = sameDeclarationBefore(orders, i);
        if (same >= 0) {
            post([same]() {
                tell(refusalText(
                         QStringLiteral("重复申报: 与同一指令的第 %1 笔委托相同").arg(same + 1)),
                     TC::CMsgService::MSG_TYPE_ALARM);
            });
            continue;
        }
        post([this, order]() { execute(order); });
    }
    return true;
}

void CPaperExchange::post(std::function<void()> work, int delayMs)
{
    ++m_outstanding;
    auto job = [this, work]() {
        if (!m_stopped)
            runJob(work);
        --m_outstanding;
    };
    if (delayMs < 0)
        m_context->post(job);
    else
        QTimer::singleShot(delayMs, m_context, job); // called on the exchange thread
}

void CPaperExchange::runJob(const std::function<void()> &work)
{
    std::vector<std::pair<std::string, int>> held;
    t_heldMessages = &held;
    work();
    if (m_afterEachJob)
        m_afterEachJob();
    t_heldMessages = nullptr;
    for (const auto &message : held)
        showNow(message.first, message.second);
}

bool CPaperExchange::waitUntilIdle(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (m_outstanding > 0) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    // The pushes and messages the orders made reach the GUI thread queued.
    QCoreApplication::processEvents();
    return true;
}

const CPaperExchange::Desk *CPaperExchange::findDesk(const std::string &dealer,
                                                     const std::string &trader) const
{
    const QString dealerCode = qs(dealer).trimmed();
    const QString traderCode = qs(trader).trimmed();
    for (const Desk &desk : m_desks) {
        const bool traderFits = traderCode == desk.trader || traderCode == desk.traderName;
        if (traderFits && (dealerCode.isEmpty() || dealerCode == desk.dealer))
            return &desk;
    }
    return nullptr;
}

void CPaperExchange::execute(const ttservice::CCodeOrderParam &order)
{
    using Rules = CContractRules;
    QString refused;
    const int operation = int(order.operationType);
    if (!accountOf(order)) {
        refused = QStringLiteral("账户 %1 不存在").arg(accountName(order));
    } else if (operation == OP_BUY || operation == OP_SELL) {
        refused = fillSpot(order);
    } else {
        ttservice::CRepurchaseAgreementParam agreement;
        if (!order.agreementParam.isEmpty())
            agreement.bsonValueFromObj(order.agreementParam);
        if (order.agreementParam.isEmpty())
            refused = QStringLiteral("委托缺少协议回购参数");
        else if (agreement == ttservice::CRepurchaseAgreementParam())
            refused = QStringLiteral("协议回购参数无法识别");
        else {
            switch (operation) {
            case OP_DEAL_DECLARATION:
                refused = declareDeal(order, agreement);
                break;
            case OP_INTENTION_REPO:
            case OP_INTENTION_REVERSE_REPO:
                refused = declareIntention(order, agreement);
                break;
            case OP_MATURITY_CONFIRM_REPO:
            case OP_MATURITY_CONFIRM_REVERSE:
                refused = closeContract(order, agreement, Rules::MATURITY_CONFIRM);
                break;
            case OP_EARLY_REPURCHASE_REPO:
            case OP_EARLY_REPURCHASE_REVERSE:
                refused = closeContract(order, agreement, Rules::EARLY_REPURCHASE);
                break;
            case OP_PLEDGE_RELEASE_REPO:
            case OP_PLEDGE_RELEASE_REVERSE:
                refused = closeContract(order, agreement, Rules::PLEDGE_RELEASE);
                break;
            case OP_MATURITY_RENEWAL_REPO:
            case OP_MATURITY_RENEWAL_REVERSE:
                refused = renewContract(order, agreement);
                break;
            case OP_PLEDGE_CHANGE:
                refused = changePledge(order, agreement);
                break;
            case OP_CONFIRM_DEAL:
            case OP_CONFIRM_RENEWAL:
            case OP_CONFIRM_PLEDGE_CHANGE:
            case OP_CONFIRM_EARLY_REPURCHASE_REPO:
            case OP_CONFIRM_EARLY_REPURCHASE_REVERSE:
            case OP_CONFIRM_PLEDGE_RELEASE_REPO:
            case OP_CONFIRM_PLEDGE_RELEASE_REVERSE:
                refused = answerDeclaration(order, agreement);
                break;
            default:
                refused = QStringLiteral("交易所不受理业务代码 %1").arg(operation);
            }
        }
    }
    if (!refused.isEmpty())
        tell(refusalText(refused), TC::CMsgService::MSG_TYPE_ALARM);
    if (operation != OP_BUY && operation != OP_SELL && order.accountInfo)
        reportDelivery(order.accountInfo, refused.isEmpty(),
                       refused.isEmpty() ? std::string("委托已受理")
                                         : refused.toUtf8().toStdString());
}

void CPaperExchange::setDeliveryListener(DeliveryListener listener)
{
    std::lock_guard<std::mutex> lock(m_listenerMutex);
    m_deliveryListener = std::move(listener);
}

void CPaperExchange::reportDelivery(const ttservice::CAccountInfoPtr &account, bool delivered,
                                    const std::string &text)
{
    DeliveryListener listener;
    {
        std::lock_guard<std::mutex> lock(m_listenerMutex);
        listener = m_deliveryListener;
    }
    if (listener)
        listener(account, delivered, text);
}

QString CPaperExchange::fillSpot(const ttservice::CCodeOrderParam &order)
{
    const ttservice::CAccountDataPtr data = accountOf(order);
    const Desk *desk = findDesk(std::string(), order.counterpartyTrader);
    if (!desk)
        return QStringLiteral("对手方 %1 不是模拟交易台").arg(qs(order.counterpartyTrader));
    const ttservice::CInstrumentDetailPtr bond = bondOf(order.stock.market, order.stock.stockCode);
    if (!bond)
        return QStringLiteral("%1 %2 不是上市债券")
            .arg(qs(order.stock.market), qs(order.stock.stockCode));
    if (order.volume <= 0)
        return QStringLiteral("数量必须大于0");
    if (!isSet(order.price) || order.price <= 0)
        return QStringLiteral("价格必须大于0");
    const bool buy = int(order.operationType) == OP_BUY;
    // Net price per 100 yuan of face value, plus the accrued interest: per 张.
    const double amount = cents((order.price + bond->accruedInterest) * double(order.volume));
    if (buy && fundsOf(data) + 0.005 < amount)
        return QStringLiteral("可用资金不足: 需要 %1, 可用 %2")
            .arg(amount, 0, 'f', 2)
            .arg(fundsOf(data), 0, 'f', 2);
    const long long usable = usableOf(data, bond->market, bond->instrumentCode);
    if (!buy && usable < order.volume)
        return shortOf(*bond, order.volume, usable);

    moveFunds(data, buy ? -amount : amount);
    const long long change = buy ? order.volume : -order.volume;
    movePosition(data, *bond, change, change);
    tell(QStringLiteral("成交: %1 %2 %3 %4 张, 净价 %5, 结算金额 %6, 对手方 %7")
             .arg(accountName(order), buy ? QStringLiteral("买入") : QStringLiteral("卖出"),
                  qs(bond->instrumentCode))
             .arg(order.volume)
             .arg(order.price, 0, 'f', 3)
             .arg(amount, 0, 'f', 2)
             .arg(desk->traderName),
         TC::CMsgService::MSG_TYPE_DEAL);
    return QString();
}

QString CPaperExchange::declareDeal(const ttservice::CCodeOrderParam &order,
                                    const ttservice::CRepurchaseAgreementParam &agreement)
{
    const ttservice::CAccountDataPtr data = accountOf(order);
    const Desk *desk = findDesk(agreement.counterpartyDealer, agreement.counterpartyTrader);
    if (!desk)
        return QStringLiteral("对手方 %1 %2 不是模拟交易台")
            .arg(qs(agreement.counterpartyDealer), qs(agreement.counterpartyTrader));
    const QString terms = checkTerms(agreement, termOf(agreement, TC::CHostClock::today()));
    if (!terms.isEmpty())
        return terms;
    const ttservice::CInstrumentDetailPtr bond = bondOf(agreement.bondMarket, agreement.bondCode);
    if (!bond)
        return QStringLiteral("质押券 %1 %2 不是上市债券")
            .arg(qs(agreement.bondMarket), qs(agreement.bondCode));
    if (order.volume <= 0)
        return QStringLiteral("质押数量必须大于0");
    const long long usable = usableOf(data, bond->market, bond->instrumentCode);
    if (usable < order.volume)
        return shortOf(*bond, order.volume, usable);

    tell(QStringLiteral("成交申报已送达对手方 %1 %2").arg(desk->dealerName, desk->traderName),
         TC::CMsgService::MSG_TYPE_ORDER);
    PendingDeal deal;
    deal.key = nextNumber("CJ", m_lastDealNumber,
                          [this](const std::string &key) { return m_waitingDeals.count(key) > 0; });
    deal.order = order;
    deal.tradingDay = dateNumber(TC::CHostClock::today());
    deal.sentAtMs = QDateTime::currentMSecsSinceEpoch();
    m_waitingDeals.insert(deal.key);
    // Kept with this job's changes: the trader reads that the deal was sent
    // only once it would survive a restart.
    if (m_pendingDealListener)
        m_pendingDealListener(deal, true);
    post([this, deal]() { answerDeal(deal); }, m_answerDelayMs);
    return QString();
}

void CPaperExchange::resumeDeals(const std::vector<PendingDeal> &deals)
{
    if (deals.empty())
        return;
    post([this, deals]() {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        for (const PendingDeal &deal : deals) {
            if (deal.kind == PendingDeal::Kind::Declaration)
                m_waitingDeals.insert(deal.key);
            // The desk answers as long after the deal was sent as it would
            // have had the terminal run on (with this session's delay): a
            // restart neither hurries the desk nor holds it up, and a deal whose
            // time came while the terminal was stopped is answered at once.
            const qint64 remaining = std::min<qint64>(
                std::max<qint64>(deal.sentAtMs + m_answerDelayMs - now, 0), m_answerDelayMs);
            post(
                [this, deal]() {
                    if (deal.kind == PendingDeal::Kind::Declaration)
                        answerDeal(deal);
                    else
                        takeUpIntention(deal);
                },
                int(remaining));
        }
    });
}

void CPaperExchange::answerDeal(const PendingDeal &deal)
{
    // Whatever the answer, the deal no longer waits.
    m_waitingDeals.erase(deal.key);
    if (m_pendingDealListener)
        m_pendingDealListener(deal, false);
    const ttservice::CCodeOrderParam &order = deal.order;
    ttservice::CRepurchaseAgreementParam agreement;
    agreement.bsonValueFromObj(order.agreementParam);
    const ttservice::CAccountDataPtr data = accountOf(order);
    const ttservice::CInstrumentDetailPtr bond = bondOf(agreement.bondMarket, agreement.bondCode);
    if (!data || !bond)
        return;
    const QDate tradingDate = TC::CHostClock::today();
    // Found again: the desks file may have changed while the deal waited.
    const Desk *desk = findDesk(agreement.counterpartyDealer, agreement.counterpartyTrader);
    const long long usable = usableOf(data, bond->market, bond->instrumentCode);
    QString refused;
    if (deal.tradingDay != dateNumber(tradingDate))
        refused = QStringLiteral("成交申报 %1 发出于交易日 %2, 对手方当日未应答, 申报已失效")
                      .arg(qs(deal.key))
                      .arg(deal.tradingDay);
    else if (!desk)
        refused = QStringLiteral("对手方 %1 %2 不是模拟交易台")
                      .arg(qs(agreement.counterpartyDealer), qs(agreement.counterpartyTrader));
    else if (usable < order.volume) // the position moved while the desk looked
        refused = shortOf(*bond, order.volume, usable);
    if (!refused.isEmpty()) {
        tell(refusalText(refused), TC::CMsgService::MSG_TYPE_ALARM);
        reportDelivery(data->getAccountInfo(), false, refused.toUtf8().toStdString());
        return;
    }

    const int days = termOf(agreement, tradingDate);
    auto contract = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
    do {
        contract->contractNo = QStringLiteral("PX%1%2")
                                   .arg(dateNumber(tradingDate))
                                   .arg(++m_lastNumber, 4, 10, QLatin1Char('0'))
                                   .toStdString();
    } while (data->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, contract->contractNo));
    contract->accountInfo = data->getAccountInfo();
    contract->market = bond->market;
    contract->direction = '1';
    contract->contractStatus = '1';
    contract->repurchaseAmount = agreement.repurchaseAmount;
    contract->repurchaseRate = agreement.repurchaseRate;
    contract->repurchaseDays = days;
    contract->firstSettleDate = dateNumber(tradingDate);
    contract->maturitySettleDate = dateNumber(tradingDate.addDays(days));
    contract->maturitySettleAmount
        = cents(agreement.repurchaseAmount * (1.0 + agreement.repurchaseRate * days / 365.0));
    const double faceValue = double(order.volume) * bond->bondDetail->faceValue;
    contract->conversionRatio = isSet(agreement.conversionRatio)
        ? agreement.conversionRatio
        : agreement.repurchaseAmount / faceValue;
    auto pledged = boost::make_shared<ttservice::CRepurchasePledgedBond>();
    pledged->market = bond->market;
    pledged->bondCode = bond->instrumentCode;
    pledged->bondName = bond->instrumentName;
    pledged->pledgeVolume = int(order.volume);
    if (agreement.stockProperty != ttservice::kUnsetInt)
        pledged->stockProperty = agreement.stockProperty;
    contract->pledgedBonds.push_back(pledged);
    contract->dealer = agreement.dealer;
    contract->tradingEntity = agreement.tradingEntity;
    contract->trader = agreement.trader;
    contract->counterpartyDealer = desk->dealer.toStdString();
    contract->counterpartyDealerName = desk->dealerName.toStdString();
    contract->counterpartyEntity = agreement.counterpartyEntity;
    contract->counterpartyTrader = desk->trader.toStdString();
    contract->referenceNo = contract->contractNo;
    contract->supplementaryTerms = agreement.supplementaryTerms;

    // The bonds are pledged first, so that no reader sees the money without them.
    movePosition(data, *bond, 0, -order.volume);
    data->updateData(contract, true);
    moveFunds(data, agreement.repurchaseAmount);
    tell(QStringLiteral("对手方 %1 %2 接受成交申报: 合同 %3, 质押 %4 %5 张, 融入 %6")
             .arg(desk->dealerName, desk->traderName, qs(contract->contractNo),
                  qs(bond->instrumentCode))
             .arg(order.volume)
             .arg(agreement.repurchaseAmount, 0, 'f', 2),
         TC::CMsgService::MSG_TYPE_DEAL);
    reportDelivery(data->getAccountInfo(), true, "对手方接受成交申报");
}

QString CPaperExchange::declareIntention(const ttservice::CCodeOrderParam &order,
                                         const ttservice::CRepurchaseAgreementParam &agreement)
{
    const ttservice::CAccountDataPtr data = accountOf(order);
    const QDate tradingDate = TC::CHostClock::today();
    const int days = termOf(agreement, tradingDate);
    const QString terms = checkTerms(agreement, days);
    if (!terms.isEmpty())
        return terms;
    const bool repo = int(order.operationType) == OP_INTENTION_REPO;
    ttservice::CInstrumentDetailPtr bond;
    if (!agreement.bondCode.empty()) {
        bond = bondOf(agreement.bondMarket, agreement.bondCode);
        if (!bond)
            return QStringLiteral("质押券 %1 %2 不是上市债券")
                .arg(qs(agreement.bondMarket), qs(agreement.bondCode));
        if (order.volume < 0)
            return QStringLiteral("质押数量不能为负");
    }

    auto intention = boost::make_shared<ttservice::CRepurchaseIntentionOrder>();
    do {
        intention->orderNo = QStringLiteral("YX%1%2")
                                 .arg(dateNumber(tradingDate))
                                 .arg(++m_lastNumber, 4, 10, QLatin1Char('0'))
                                 .toStdString();
    } while (data->getData(ttservice::DATA_TYPE_INTENTION_ORDER, intention->orderNo));
    intention->market = bond ? bond->market : order.stock.market;
    intention->direction = repo ? '0' : '1';
    if (bond) {
        intention->pledgedBond = bond->instrumentCode + " " + bond->instrumentName;
        intention->pledgedBondVolume = int(order.volume);
    }
    intention->trader = agreement.trader;
    intention->dealer = agreement.dealer;
    intention->dealerName = agreement.dealer;
    intention->repurchaseAmount = agreement.repurchaseAmount;
    intention->repurchaseRate = agreement.repurchaseRate;
    intention->conversionRatio = agreement.conversionRatio;
    intention->repurchaseDays = days;
    intention->maturitySettleDate = dateNumber(tradingDate.addDays(days));
    intention->maturitySettleAmount
        = cents(agreement.repurchaseAmount * (1.0 + agreement.repurchaseRate * days / 365.0));
    data->updateData(intention, true);
    // A desk takes the intention up and declares the deal to the trader. Kept
    // with this job's changes, as a deal declaration waiting for its answer is.
    PendingDeal pickup;
    pickup.kind = PendingDeal::Kind::Intention;
    pickup.key = intention->orderNo;
    pickup.order = order;
    pickup.order.accountInfo = data->getAccountInfo();
    pickup.tradingDay = dateNumber(tradingDate);
    pickup.sentAtMs = QDateTime::currentMSecsSinceEpoch();
    if (m_pendingDealListener)
        m_pendingDealListener(pickup, true);
    post([this, pickup]() { takeUpIntention(pickup); }, m_answerDelayMs);
    tell(
        QStringLiteral("意向申报已登记: %1 %2 %3")
            .arg(qs(intention->orderNo), repo ? QStringLiteral("正回购") : QStringLiteral("逆回购"))
            .arg(agreement.repurchaseAmount, 0, 'f', 2),
        TC::CMsgService::MSG_TYPE_ORDER);
    return QString();
}

std::string CPaperExchange::nextNumber(const char *prefix, const ttservice::CAccountDataPtr &data,
                                       int type)
{
    return nextNumber(prefix, m_lastNumber,
                      [&](const std::string &number) { return bool(data->getData(type, number)); });
}

std::string CPaperExchange::nextNumber(const char *prefix, int &last,
                                       const std::function<bool(const std::string &)> &taken)
{
    const int day = utils::dateNumber(TC::CHostClock::today());
    std::string number;
    do {
        number = QStringLiteral("%1%2%3")
                     .arg(QLatin1String(prefix))
                     .arg(day)
                     .arg(++last, 4, 10, QLatin1Char('0'))
                     .toStdString();
    } while (taken(number));
    return number;
}

QString CPaperExchange::closeContract(const ttservice::CCodeOrderParam &order,
                                      const ttservice::CRepurchaseAgreementParam &agreement,
                                      CContractRules::EAction action)
{
    using Rules = CContractRules;
    const ttservice::CAccountDataPtr data = accountOf(order);
    ContractPtr old;
    const QString refused
        = findContract(data, int(order.operationType), agreement.contractNo, action, &old);
    if (!refused.isEmpty())
        return refused;
    const bool repo = old->direction == '1';
    const bool pays = isSet(agreement.repurchaseAmount) && agreement.repurchaseAmount > 0;
    if (action == Rules::EARLY_REPURCHASE && !pays)
        return QStringLiteral("购回金额必须大于0");
    if (action == Rules::MATURITY_CONFIRM && !pays)
        return QStringLiteral("到期结算金额必须大于0");
    if (isSet(agreement.repurchaseAmount) && agreement.repurchaseAmount < 0)
        return QStringLiteral("结算金额不能为负");
    const double amount = pays ? cents(agreement.repurchaseAmount) : 0.0;
    if (repo && fundsOf(data) + 0.005 < amount)
        return shortOfFunds(amount, fundsOf(data));

    const bool release = action == Rules::PLEDGE_RELEASE;
    closeWith(data, *old, release ? Rules::STATUS_RELEASED : Rules::STATUS_REPURCHASED, amount);
    const QString done = release            ? QStringLiteral("解除质押")
        : action == Rules::EARLY_REPURCHASE ? QStringLiteral("购回")
                                            : QStringLiteral("到期结算");
    tell(QStringLiteral("合同 %1 已%2, 结算金额 %3")
             .arg(qs(old->contractNo), done)
             .arg(amount, 0, 'f', 2),
         TC::CMsgService::MSG_TYPE_DEAL);
    return QString();
}

QString CPaperExchange::renewContract(const ttservice::CCodeOrderParam &order,
                                      const ttservice::CRepurchaseAgreementParam &agreement)
{
    using Rules = CContractRules;
    const ttservice::CAccountDataPtr data = accountOf(order);
    ContractPtr old;
    const QString refused = findContract(data, int(order.operationType), agreement.contractNo,
                                         Rules::MATURITY_RENEWAL, &old);
    if (!refused.isEmpty())
        return refused;
    const QDate today = TC::CHostClock::today();
    const int days = termOf(agreement, today);
    const QString terms = checkTerms(agreement, days);
    if (!terms.isEmpty())
        return terms;
    // The repo side pays what the old contract owes and receives the new amount.
    const bool repo = old->direction == '1';
    const double owed = Rules::dueAtMaturity(*old);
    const double amount = cents(agreement.repurchaseAmount);
    const double change = repo ? amount - owed : owed - amount;
    if (change < 0 && fundsOf(data) + 0.005 < -change)
        return shortOfFunds(-change, fundsOf(data));

    auto closed = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>(*old);
    closed->contractStatus = Rules::STATUS_RENEWED;
    auto renewed = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>(*old);
    renewed->contractNo = nextNumber("PX", data, ttservice::DATA_TYPE_AGREEMENT_CONTRACT);
    renewed->referenceNo = renewed->contractNo;
    renewed->contractStatus = Rules::STATUS_RUNNING;
    renewed->repurchaseAmount = amount;
    renewed->repurchaseRate = agreement.repurchaseRate;
    renewed->repurchaseDays = days;
    renewed->firstSettleDate = utils::dateNumber(today);
    renewed->maturitySettleDate = utils::dateNumber(today.addDays(days));
    renewed->maturitySettleAmount = Rules::settlementAmount(amount, agreement.repurchaseRate, days);
    if (!agreement.supplementaryTerms.empty())
        renewed->supplementaryTerms = agreement.supplementaryTerms;
    data->updateData(closed, true);
    data->updateData(renewed, true);
    if (std::abs(change) >= 0.005)
        moveFunds(data, change);
    tell(QStringLiteral("合同 %1 已续做为合同 %2: 回购金额 %3, %4 天, 到期结算金额 %5")
             .arg(qs(old->contractNo), qs(renewed->contractNo))
             .arg(amount, 0, 'f', 2)
             .arg(days)
             .arg(renewed->maturitySettleAmount, 0, 'f', 2),
         TC::CMsgService::MSG_TYPE_DEAL);
    return QString();
}

QString CPaperExchange::changePledge(const ttservice::CCodeOrderParam &order,
                                     const ttservice::CRepurchaseAgreementParam &agreement)
{
    const ttservice::CAccountDataPtr data = accountOf(order);
    ContractPtr old;
    const QString refused = findContract(data, int(order.operationType), agreement.contractNo,
                                         CContractRules::PLEDGE_CHANGE, &old);
    if (!refused.isEmpty())
        return refused;
    const std::string market = agreement.bondMarket.empty() ? old->market : agreement.bondMarket;
    std::vector<BondMove> in, out;
    if (!agreement.bondCode.empty()) {
        const ttservice::CInstrumentDetailPtr bond = bondOf(market, agreement.bondCode);
        if (!bond)
            return QStringLiteral("质押券 %1 %2 不是上市债券")
                .arg(qs(market), qs(agreement.bondCode));
        if (order.volume <= 0)
            return QStringLiteral("换入数量必须大于0");
        in.push_back({ bond, int(order.volume) });
    }
    if (!agreement.swapBondCode.empty()) {
        const ttservice::CInstrumentDetailPtr bond = bondOf(market, agreement.swapBondCode);
        if (!bond)
            return QStringLiteral("质押券 %1 %2 不是上市债券")
                .arg(qs(market), qs(agreement.swapBondCode));
        if (agreement.swapPledgeVolume == ttservice::kUnsetInt || agreement.swapPledgeVolume <= 0)
            return QStringLiteral("换出数量必须大于0");
        out.push_back({ bond, agreement.swapPledgeVolume });
    }
    // Only the income of the bonds swapped out (换出孳息) changes hands: the
    // counterparty hands it to the side that owns the bonds.
    if (in.empty() && out.empty() && isSet(agreement.repurchaseAmount)
        && agreement.repurchaseAmount > 0) {
        const double income = cents(agreement.repurchaseAmount);
        moveFunds(data, income);
        tell(QStringLiteral("合同 %1 换出孳息 %2 已划入")
                 .arg(qs(old->contractNo))
                 .arg(income, 0, 'f', 2),
             TC::CMsgService::MSG_TYPE_DEAL);
        return QString();
    }
    const QString swap = checkSwap(data, *old, in, out, true);
    if (!swap.isEmpty())
        return swap;

    swapWith(data, *old, in, out, true);
    QStringList moved;
    for (const BondMove &move : in)
        moved
            << QStringLiteral("换入 %1 %2 张").arg(qs(move.bond->instrumentCode)).arg(move.volume);
    for (const BondMove &move : out)
        moved
            << QStringLiteral("换出 %1 %2 张").arg(qs(move.bond->instrumentCode)).arg(move.volume);
    tell(QStringLiteral("合同 %1 质押券已变更: %2").arg(qs(old->contractNo), moved.join(", ")),
         TC::CMsgService::MSG_TYPE_DEAL);
    return QString();
}

QString CPaperExchange::answerDeclaration(const ttservice::CCodeOrderParam &order,
                                          const ttservice::CRepurchaseAgreementParam &agreement)
{
    using Rules = CContractRules;
    const ttservice::CAccountDataPtr data = accountOf(order);
    const std::string &ref = agreement.pendingOrderRef;
    if (ref.empty())
        return QStringLiteral("确认委托缺少申报编号");
    const std::string answeredKey = data->getAccountInfo()->getKey() + '|' + ref;
    if (m_answered.count(answeredKey))
        return QStringLiteral("申报 %1 已应答, 不能重复确认").arg(qs(ref));
    const auto d = boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(
        data->getData(ttservice::DATA_TYPE_PENDING_ORDER, ref));
    if (!d)
        return QStringLiteral("申报 %1 不存在").arg(qs(ref));
    const int operation = int(order.operationType);
    if (d->declareType != declareTypeOf(operation))
        return QStringLiteral("申报 %1 的类型为%2, 不能以业务代码 %3 确认")
            .arg(qs(ref), declareTypeText(d->declareType))
            .arg(operation);
    const Desk *desk = findDesk(d->counterpartyDealer, d->counterpartyTrader);
    if (!desk)
        return QStringLiteral("对手方 %1 %2 不是模拟交易台")
            .arg(qs(d->counterpartyDealer), qs(d->counterpartyTrader));
    const QDate today = TC::CHostClock::today();
    // The declaration's side is this account's: '0' 正回购.
    const bool repo = d->direction == '0';
    QString done;

    if (d->declareType == '0') {
        const int days = d->repurchaseDays;
        const QString terms = checkDeclaredTerms(*d);
        if (!terms.isEmpty())
            return terms;
        std::vector<BondMove> bonds;
        for (const ttservice::CRepurchasePledgedBondPtr &bond : d->pledgedBonds) {
            const ttservice::CInstrumentDetailPtr inst
                = bond ? bondOf(bond->market, bond->bondCode) : ttservice::CInstrumentDetailPtr();
            if (!inst)
                return QStringLiteral("质押券 %1 %2 不是上市债券")
                    .arg(qs(d->market), bond ? qs(bond->bondCode) : QString());
            if (bond->pledgeVolume > 0)
                bonds.push_back({ inst, bond->pledgeVolume });
        }
        if (bonds.empty())
            return QStringLiteral("成交申报 %1 没有质押券").arg(qs(ref));
        const double amount = cents(d->repurchaseAmount);
        for (const BondMove &move : bonds) {
            const long long usable = usableOf(data, move.bond->market, move.bond->instrumentCode);
            if (repo && usable < move.volume)
                return shortOf(*move.bond, move.volume, usable);
        }
        if (!repo && fundsOf(data) + 0.005 < amount)
            return shortOfFunds(amount, fundsOf(data));

        auto contract = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
        contract->contractNo = nextNumber("PX", data, ttservice::DATA_TYPE_AGREEMENT_CONTRACT);
        contract->accountInfo = data->getAccountInfo();
        contract->market = d->market;
        contract->direction = repo ? '1' : '2';
        contract->contractStatus = Rules::STATUS_RUNNING;
        contract->repurchaseAmount = amount;
        contract->repurchaseRate = d->repurchaseRate;
        contract->repurchaseDays = days;
        contract->firstSettleDate = utils::dateNumber(today);
        contract->maturitySettleDate = utils::dateNumber(today.addDays(days));
        contract->maturitySettleAmount = Rules::settlementAmount(amount, d->repurchaseRate, days);
        contract->conversionRatio = d->conversionRatio;
        for (const BondMove &move : bonds)
            contract->pledgedBonds.push_back(
                CDeskDeclarations::pledgedBond(*move.bond, move.volume, '0'));
        contract->dealer = d->dealer;
        contract->tradingEntity = d->tradingEntity;
        contract->trader = d->trader;
        contract->counterpartyDealer = desk->dealer.toStdString();
        contract->counterpartyDealerName = desk->dealerName.toStdString();
        contract->counterpartyEntity = d->counterpartyEntity;
        contract->counterpartyTrader = desk->trader.toStdString();
        contract->referenceNo = ref;
        contract->supplementaryTerms = d->supplementaryTerms;
        if (repo) {
            for (const BondMove &move : bonds)
                movePosition(data, *move.bond, 0, -move.volume);
        }
        data->updateData(contract, true);
        moveFunds(data, repo ? amount : -amount);
        done = QStringLiteral("成为合同 %1").arg(qs(contract->contractNo));
    } else {
        static const Rules::EAction actions[] = { Rules::MATURITY_RENEWAL, Rules::EARLY_REPURCHASE,
                                                  Rules::PLEDGE_CHANGE, Rules::PLEDGE_RELEASE };
        const Rules::EAction action = actions[d->declareType - '1'];
        const ContractPtr old = contractOf(data, Rules::contractOfRef(ref));
        if (!old)
            return QStringLiteral("申报 %1 没有对应的合同").arg(qs(ref));
        if ((old->direction == '1') != repo)
            return QStringLiteral("申报 %1 与合同 %2 的回购方向不符")
                .arg(qs(ref), qs(old->contractNo));
        if (!Rules::allows(action, *old, today))
            return notInState(*old, action);
        const bool ownBonds = old->direction == '1';

        if (action == Rules::EARLY_REPURCHASE || action == Rules::PLEDGE_RELEASE) {
            const double declared = action == Rules::PLEDGE_RELEASE && isSet(d->releaseSettleAmount)
                    && d->releaseSettleAmount > 0
                ? d->releaseSettleAmount
                : d->maturitySettleAmount;
            const double amount = isSet(declared) && declared > 0 ? cents(declared) : 0.0;
            if (action == Rules::EARLY_REPURCHASE && amount <= 0)
                return QStringLiteral("购回金额必须大于0");
            if (ownBonds && fundsOf(data) + 0.005 < amount)
                return shortOfFunds(amount, fundsOf(data));
            closeWith(data, *old,
                      action == Rules::PLEDGE_RELEASE ? Rules::STATUS_RELEASED
                                                      : Rules::STATUS_REPURCHASED,
                      amount);
            done = QStringLiteral("合同 %1 已%2, 结算金额 %3")
                       .arg(qs(old->contractNo), Rules::actionName(action))
                       .arg(amount, 0, 'f', 2);
        } else if (action == Rules::MATURITY_RENEWAL) {
            const int days = d->repurchaseDays;
            const QString terms = checkDeclaredTerms(*d);
            if (!terms.isEmpty())
                return terms;
            const double owed = Rules::dueAtMaturity(*old);
            const double amount = cents(d->repurchaseAmount);
            const double change = ownBonds ? amount - owed : owed - amount;
            if (change < 0 && fundsOf(data) + 0.005 < -change)
                return shortOfFunds(-change, fundsOf(data));
            auto closed = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>(*old);
            closed->contractStatus = Rules::STATUS_RENEWED;
            auto renewed = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>(*old);
            renewed->contractNo = nextNumber("PX", data, ttservice::DATA_TYPE_AGREEMENT_CONTRACT);
            renewed->referenceNo = ref;
            renewed->contractStatus = Rules::STATUS_RUNNING;
            renewed->repurchaseAmount = amount;
            renewed->repurchaseRate = d->repurchaseRate;
            renewed->repurchaseDays = days;
            renewed->firstSettleDate = utils::dateNumber(today);
            renewed->maturitySettleDate = utils::dateNumber(today.addDays(days));
            renewed->maturitySettleAmount
                = Rules::settlementAmount(amount, d->repurchaseRate, days);
            data->updateData(closed, true);
            data->updateData(renewed, true);
            if (std::abs(change) >= 0.005)
                moveFunds(data, change);
            done = QStringLiteral("合同 %1 已续做为合同 %2")
                       .arg(qs(old->contractNo), qs(renewed->contractNo));
        } else {
            // A bond of the existing pledge ('0') goes out, one pledged in
            // exchange ('1') comes in.
            std::vector<BondMove> in, out;
            for (const ttservice::CRepurchasePledgedBondPtr &bond : d->pledgedBonds) {
                const ttservice::CInstrumentDetailPtr inst = bond
                    ? bondOf(bond->market, bond->bondCode)
                    : ttservice::CInstrumentDetailPtr();
                if (!inst)
                    return QStringLiteral("质押券 %1 %2 不是上市债券")
                        .arg(qs(d->market), bond ? qs(bond->bondCode) : QString());
                if (bond->pledgeVolume > 0)
                    (bond->swapFlag == '1' ? in : out).push_back({ inst, bond->pledgeVolume });
            }
            const QString swap = checkSwap(data, *old, in, out, ownBonds);
            if (!swap.isEmpty())
                return swap;
            swapWith(data, *old, in, out, ownBonds);
            done = QStringLiteral("合同 %1 质押券已变更").arg(qs(old->contractNo));
        }
    }
    data->removeData(ttservice::DATA_TYPE_PENDING_ORDER, ref);
    m_answered.insert(answeredKey);
    tell(QStringLiteral("已确认对手方 %1 %2 的%3申报 %4: %5")
             .arg(desk->dealerName, desk->traderName, declareTypeText(d->declareType), qs(ref),
                  done),
         TC::CMsgService::MSG_TYPE_DEAL);
    return QString();
}

void CPaperExchange::takeUpIntention(const PendingDeal &pickup)
{
    // Taken up or not (the intention withdrawn meanwhile), it no longer
    // waits. An intention order stands until withdrawn: a desk takes it up on
    // a later trading day as well.
    if (m_pendingDealListener)
        m_pendingDealListener(pickup, false);
    const std::string &orderNo = pickup.key;
    ttservice::CRepurchaseAgreementParam agreement;
    agreement.bsonValueFromObj(pickup.order.agreementParam);
    const ttservice::CInstrumentDetailPtr bond = agreement.bondCode.empty()
        ? ttservice::CInstrumentDetailPtr()
        : bondOf(agreement.bondMarket, agreement.bondCode);
    const std::string bondCode = bond ? bond->instrumentCode : std::string();
    const long long volume = pickup.order.volume;
    const ttservice::CAccountDataPtr data
        = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(pickup.account());
    const auto intention = data ? boost::dynamic_pointer_cast<ttservice::CRepurchaseIntentionOrder>(
                               data->getData(ttservice::DATA_TYPE_INTENTION_ORDER, orderNo))
                                : ttservice::CRepurchaseIntentionOrderPtr();
    if (!intention || m_desks.empty() || intention->trader.empty())
        return;
    const Desk &desk = m_desks[size_t(m_lastNumber) % m_desks.size()];
    const ttservice::CRepurchasePendingOrderPtr d = CDeskDeclarations::fromIntention(
        *intention, bondCode, volume, desk, TC::CHostClock::today(),
        nextNumber("SB", data, ttservice::DATA_TYPE_PENDING_ORDER));
    if (!d)
        return;
    d->accountInfo = data->getAccountInfo();
    data->updateData(d, true);
    tell(QStringLiteral("对手方 %1 %2 接受意向申报 %3, 向交易员 %4 发出成交申报 %5")
             .arg(desk.dealerName, desk.traderName, qs(orderNo), qs(d->trader),
                  qs(d->pendingOrderRef)),
         TC::CMsgService::MSG_TYPE_ORDER);
    reportDelivery(data->getAccountInfo(), true, "对手方发出成交申报");
}

void CPaperExchange::startTradingDay()
{
    if (m_stopped)
        return;
    // Waits: the tables reload once the day is announced, after this. A job
    // dropped unrun (the exchange stopping) breaks the promise, which ends the
    // wait as well.
    auto rolled = std::make_shared<std::promise<void>>();
    std::future<void> done = rolled->get_future();
    m_context->post([this, rolled]() {
        // A job like an order's: the book writes what the day changed.
        if (!m_stopped)
            runJob([this]() { rollTradingDay(); });
        rolled->set_value();
    });
    done.wait();
}

void CPaperExchange::rollTradingDay()
{
    using Rules = CContractRules;
    const QDate today = TC::CHostClock::today();
    auto *dataCenter = ttservice::TraderCenter::instance()->getDataCenter();
    int moved = 0, declared = 0;
    for (const std::string &key : dataCenter->accountKeys()) {
        const ttservice::CAccountDataPtr data = dataCenter->getAccountData(key);
        if (!data)
            continue;
        std::vector<ttservice::IDataPtr> records;
        data->getVector(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, records);
        std::vector<ttservice::IDataPtr> declarations;
        data->getVector(ttservice::DATA_TYPE_PENDING_ORDER, declarations);
        std::set<std::string> open; // contracts with a declaration waiting
        for (const ttservice::IDataPtr &record : declarations)
            open.insert(Rules::contractOfRef(record->getKey()));
        for (const ttservice::IDataPtr &record : records) {
            ContractPtr contract
                = boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(record);
            if (!contract)
                continue;
            const int status = Rules::statusOn(*contract, today);
            if (status != contract->contractStatus) {
                contract
                    = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>(*contract);
                contract->contractStatus = status;
                data->updateData(contract, true);
                ++moved;
            }

            // The desk on the other side of the contract proposes what its
            // state calls for, once each.
            const Desk *desk = findDesk(contract->counterpartyDealer, contract->counterpartyTrader);
            if (!desk || open.count(contract->contractNo) || contract->trader.empty())
                continue;
            const int type = CDeskDeclarations::proposalOn(*contract, today);
            const std::string proposal = key + '|' + contract->contractNo + '|' + char(type);
            if (!type || m_proposed.count(proposal))
                continue;
            const ttservice::CRepurchasePendingOrderPtr d = CDeskDeclarations::aboutContract(
                *contract, type, *desk, today,
                Rules::declarationRef(contract->contractNo, ++m_lastNumber));
            if (!d)
                continue;
            d->accountInfo = data->getAccountInfo();
            data->updateData(d, true);
            m_proposed.insert(proposal);
            ++declared;
        }
    }
    tell(QStringLiteral("交易日 %1 开始: %2 笔合同状态变更, 对手方申报 %3 笔")
             .arg(today.toString(QStringLiteral("yyyy-MM-dd")))
             .arg(moved)
             .arg(declared),
         TC::CMsgService::MSG_TYPE_ORDER);
}

bool CPaperExchange::loadDesks(const QString &path, std::vector<Desk> *desks, QStringList *warnings)
{
    return readCsvLines(path, warnings, nullptr, [desks](const QStringList &f) {
        Desk desk;
        if (f.size() >= 4) {
            desk.dealer = f[0].trimmed();
            desk.dealerName = f[1].trimmed();
            desk.trader = f[2].trimmed();
            desk.traderName = f[3].trimmed();
        }
        if (desk.dealer.isEmpty() || desk.trader.isEmpty())
            return QStringLiteral("a desk needs a dealer and a trader code");
        desks->push_back(desk);
        return QString();
    });
}

} // namespace app
