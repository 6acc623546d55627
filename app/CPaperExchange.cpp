#include "CPaperExchange.h"

#include "CSimulatedHost.h"

#include "tc/CCommandRecord.h"
#include "tc/CHostClock.h"
#include "tc/CMsgService.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/CBondDetail.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/DataTypes.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/TypeManager.h"
#include "utils/CSingletonT.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <cmath>
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

int dateNumber(const QDate &date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

QDate fromDateNumber(int number)
{
    return QDate(number / 10000, number / 100 % 100, number % 100);
}

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
        const QDate maturity = fromDateNumber(agreement.maturitySettleDate);
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

} // namespace

CPaperExchange::CPaperExchange(std::vector<Desk> desks, int answerDelayMs)
    : m_desks(std::move(desks))
    , m_answerDelayMs(std::max(0, answerDelayMs))
{
    m_thread.setObjectName(QStringLiteral("paper-exchange"));
    m_context = new QObject;
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
    m_thread.quit();
    m_thread.wait();
}

QString CPaperExchange::refusalText(const QString &reason)
{
    return QStringLiteral("委托被拒绝: %1").arg(reason);
}

bool CPaperExchange::accept(const TC::CCommandRecord &record, utils::TTError &)
{
    if (m_stopped || !record.param)
        return true;
    for (const ttservice::CCodeOrderParam &order : record.param->orders)
        post([this, order]() { execute(order); });
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
        QMetaObject::invokeMethod(m_context, job, Qt::QueuedConnection);
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
    QString refused;
    if (!accountOf(order)) {
        refused = QStringLiteral("账户 %1 不存在").arg(accountName(order));
    } else if (int(order.operationType) == OP_BUY || int(order.operationType) == OP_SELL) {
        refused = fillSpot(order);
    } else {
        ttservice::CRepurchaseAgreementParam agreement;
        if (!order.agreementParam.isEmpty())
            agreement.bsonValueFromObj(order.agreementParam);
        if (order.agreementParam.isEmpty())
            refused = QStringLiteral("委托缺少协议回购参数");
        else if (int(order.operationType) == OP_DEAL_DECLARATION)
            refused = declareDeal(order, agreement);
        else if (int(order.operationType) == OP_INTENTION_REPO
                 || int(order.operationType) == OP_INTENTION_REVERSE_REPO)
            refused = declareIntention(order, agreement);
        else if (int(order.operationType) == OP_EARLY_REPURCHASE_REPO
                 || int(order.operationType) == OP_EARLY_REPURCHASE_REVERSE)
            refused = closeContract(order, agreement, false);
        else if (int(order.operationType) == OP_PLEDGE_RELEASE_REPO
                 || int(order.operationType) == OP_PLEDGE_RELEASE_REVERSE)
            refused = closeContract(order, agreement, true);
        else
            refused = QStringLiteral("交易所不受理业务代码 %1").arg(int(order.operationType));
    }
    if (!refused.isEmpty())
        tell(refusalText(refused), TC::CMsgService::MSG_TYPE_ALARM);
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
    const QString terms
        = checkTerms(agreement, termOf(agreement, CSimulatedHost::seedTradingDate()));
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
    const PendingDeal deal { order, desk };
    post([this, deal]() { answerDeal(deal); }, m_answerDelayMs);
    return QString();
}

void CPaperExchange::answerDeal(const PendingDeal &deal)
{
    const ttservice::CCodeOrderParam &order = deal.order;
    ttservice::CRepurchaseAgreementParam agreement;
    agreement.bsonValueFromObj(order.agreementParam);
    const ttservice::CAccountDataPtr data = accountOf(order);
    const ttservice::CInstrumentDetailPtr bond = bondOf(agreement.bondMarket, agreement.bondCode);
    if (!data || !bond)
        return;
    // The position may have moved while the desk looked at the declaration.
    const long long usable = usableOf(data, bond->market, bond->instrumentCode);
    if (usable < order.volume) {
        tell(refusalText(shortOf(*bond, order.volume, usable)), TC::CMsgService::MSG_TYPE_ALARM);
        return;
    }

    const QDate tradingDate = CSimulatedHost::seedTradingDate();
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
    contract->counterpartyDealer = deal.desk->dealer.toStdString();
    contract->counterpartyDealerName = deal.desk->dealerName.toStdString();
    contract->counterpartyEntity = agreement.counterpartyEntity;
    contract->counterpartyTrader = deal.desk->trader.toStdString();
    contract->referenceNo = contract->contractNo;
    contract->supplementaryTerms = agreement.supplementaryTerms;

    // The bonds are pledged first, so that no reader sees the money without them.
    movePosition(data, *bond, 0, -order.volume);
    data->updateData(contract, true);
    moveFunds(data, agreement.repurchaseAmount);
    tell(QStringLiteral("对手方 %1 %2 接受成交申报: 合同 %3, 质押 %4 %5 张, 融入 %6")
             .arg(deal.desk->dealerName, deal.desk->traderName, qs(contract->contractNo),
                  qs(bond->instrumentCode))
             .arg(order.volume)
             .arg(agreement.repurchaseAmount, 0, 'f', 2),
         TC::CMsgService::MSG_TYPE_DEAL);
}

QString CPaperExchange::declareIntention(const ttservice::CCodeOrderParam &order,
                                         const ttservice::CRepurchaseAgreementParam &agreement)
{
    const ttservice::CAccountDataPtr data = accountOf(order);
    const QDate tradingDate = CSimulatedHost::seedTradingDate();
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
    tell(
        QStringLiteral("意向申报已登记: %1 %2 %3")
            .arg(qs(intention->orderNo), repo ? QStringLiteral("正回购") : QStringLiteral("逆回购"))
            .arg(agreement.repurchaseAmount, 0, 'f', 2),
        TC::CMsgService::MSG_TYPE_ORDER);
    return QString();
}

QString CPaperExchange::closeContract(const ttservice::CCodeOrderParam &order,
                                      const ttservice::CRepurchaseAgreementParam &agreement,
                                      bool release)
{
    const ttservice::CAccountDataPtr data = accountOf(order);
    const auto old = boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(
        data->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, agreement.contractNo));
    if (!old)
        return QStringLiteral("合同 %1 不存在").arg(qs(agreement.contractNo));
    const QString operation = release ? QStringLiteral("解除质押") : QStringLiteral("提前购回");
    const int today = dateNumber(TC::CHostClock::today());
    const int status = old->contractStatus;
    // Early repurchase: a running contract after its first settlement and
    // before its maturity. Release: an overdue contract, or one past maturity.
    const bool fits = release
        ? status == '8' || ((status == '1' || status == '2') && today > old->maturitySettleDate)
        : status == '1' && old->firstSettleDate < today && today < old->maturitySettleDate;
    if (!fits)
        return QStringLiteral("合同 %1 状态为%2, 到期日 %3, 不能%4")
            .arg(qs(old->contractNo), statusText(status))
            .arg(old->maturitySettleDate)
            .arg(operation);
    const bool repo = old->direction == '1';
    const bool pays = isSet(agreement.repurchaseAmount) && agreement.repurchaseAmount > 0;
    if (!release && !pays)
        return QStringLiteral("购回金额必须大于0");
    const double amount = pays ? cents(agreement.repurchaseAmount) : 0.0;
    if (repo && fundsOf(data) + 0.005 < amount)
        return QStringLiteral("可用资金不足: 需要 %1, 可用 %2")
            .arg(amount, 0, 'f', 2)
            .arg(fundsOf(data), 0, 'f', 2);

    auto contract = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>(*old);
    contract->contractStatus = release ? '5' : '3';
    // The bonds come back to the side that pledged them before the contract
    // says so, as the money leaves it.
    if (repo) {
        for (const ttservice::CRepurchasePledgedBondPtr &bond : old->pledgedBonds) {
            const ttservice::CInstrumentDetailPtr inst = bondOf(bond->market, bond->bondCode);
            if (inst && bond->pledgeVolume > 0)
                movePosition(data, *inst, 0, bond->pledgeVolume);
        }
    }
    data->updateData(contract, true);
    if (amount > 0)
        moveFunds(data, repo ? -amount : amount);
    tell(QStringLiteral("合同 %1 已%2, 结算金额 %3")
             .arg(qs(contract->contractNo),
                  release ? QStringLiteral("解除质押") : QStringLiteral("购回"))
             .arg(amount, 0, 'f', 2),
         TC::CMsgService::MSG_TYPE_DEAL);
    return QString();
}

bool CPaperExchange::loadDesks(const QString &path, std::vector<Desk> *desks, QStringList *warnings)
{
    QFile file(path);
    if (QFileInfo(path).size() > CSimulatedHost::kMaxSeedFileBytes
        || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (lineNo == 1 || line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = line.split(',');
        Desk desk;
        if (f.size() >= 4) {
            desk.dealer = f[0].trimmed();
            desk.dealerName = f[1].trimmed();
            desk.trader = f[2].trimmed();
            desk.traderName = f[3].trimmed();
        }
        if (desk.dealer.isEmpty() || desk.trader.isEmpty()) {
            warnings->append(QStringLiteral("%1:%2: a desk needs a dealer and a trader code")
                                 .arg(QFileInfo(path).fileName())
                                 .arg(lineNo));
            continue;
        }
        desks->push_back(desk);
    }
    return true;
}

} // namespace app
