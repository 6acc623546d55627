#include "CDeskDeclarations.h"

#include "CContractRules.h"

#include "ttservice/CBondDetail.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/TraderCenter.h"
#include "utils/DateText.h"

#include <boost/make_shared.hpp>

#include <cmath>
#include <set>

namespace app {

namespace {

using Rules = CContractRules;

// The listed repurchase variety of `market` whose days take `days` (the first
// of the market when none does); null when the market has none.
ttservice::CInstrumentDetailPtr varietyFor(const std::string &market, int days)
{
    ttservice::CInstrumentDetailPtr fallback;
    for (const auto &entry :
         ttservice::TraderCenter::instance()->getInstCenter()->getAllInstruments()) {
        const ttservice::CInstrumentDetailPtr &inst = entry.second;
        if (!inst || inst->market != market || !inst->extraDetail)
            continue;
        if (!fallback)
            fallback = inst;
        if (inst->extraDetail->minDays <= days && days <= inst->extraDetail->maxDays)
            return inst;
    }
    return fallback;
}

// A listed bond of `market` other than those in `besides`; null when none.
ttservice::CInstrumentDetailPtr otherBond(const std::string &market,
                                          const std::set<std::string> &besides)
{
    for (const auto &entry :
         ttservice::TraderCenter::instance()->getInstCenter()->getAllInstruments()) {
        const ttservice::CInstrumentDetailPtr &inst = entry.second;
        if (inst && inst->market == market && inst->bondDetail && inst->instrumentTag == "BOND"
            && !besides.count(inst->instrumentCode))
            return inst;
    }
    return ttservice::CInstrumentDetailPtr();
}

int daysUsed(const CDeskDeclarations::Contract &c, const QDate &today)
{
    return int(utils::dateFromNumber(c.firstSettleDate).daysTo(today));
}

} // namespace

int CDeskDeclarations::proposalOn(const Contract &c, const QDate &today)
{
    const bool lent = c.direction != '1'; // the desk pledged its bonds
    if (c.contractStatus == Rules::STATUS_OVERDUE)
        return '4';
    if (!lent)
        return 0;
    if (c.contractStatus == Rules::STATUS_DUE)
        return '1';
    if (Rules::allows(Rules::EARLY_REPURCHASE, c, today))
        return 2 * daysUsed(c, today) >= c.repurchaseDays ? '2' : '3';
    return 0;
}

CDeskDeclarations::DeclarationPtr CDeskDeclarations::aboutContract(const Contract &c, int type,
                                                                   const CPaperExchange::Desk &desk,
                                                                   const QDate &today,
                                                                   const std::string &ref)
{
    auto d = boost::make_shared<ttservice::CRepurchasePendingOrder>();
    d->pendingOrderRef = ref;
    d->accountInfo = c.accountInfo;
    d->market = c.market;
    d->direction = c.direction == '1' ? '0' : '1';
    d->declareType = type;
    d->trader = c.trader;
    d->dealer = c.dealer;
    d->counterpartyTrader = desk.trader.toStdString();
    d->counterpartyDealer = desk.dealer.toStdString();
    d->counterpartyDealerName = desk.dealerName.toStdString();
    d->repurchaseAmount = c.repurchaseAmount;
    d->conversionRatio = c.conversionRatio;
    d->repurchaseDays = c.repurchaseDays;
    d->repurchaseRate = c.repurchaseRate;
    d->priorApplyDate = c.firstSettleDate;
    d->maturitySettleDate = c.maturitySettleDate;
    d->actualRepurchaseDate = c.maturitySettleDate;
    d->maturitySettleAmount = Rules::dueAtMaturity(c);
    d->renewType = '0';
    d->releaseSettleAmount = 0;
    d->tradingEntity = c.tradingEntity;
    d->counterpartyEntity = c.counterpartyEntity;
    d->counterpartyClientName = desk.dealerName.toStdString();
    d->ownerType = 2;
    for (const ttservice::CRepurchasePledgedBondPtr &bond : c.pledgedBonds)
        if (bond)
            d->pledgedBonds.push_back(boost::make_shared<ttservice::CRepurchasePledgedBond>(*bond));
    if (type == '4') {
        d->releaseSettleAmount = d->maturitySettleAmount;
    } else if (type == '1') {
        // The same terms again, from today.
        d->priorApplyDate = utils::dateNumber(today);
        d->maturitySettleDate = utils::dateNumber(today.addDays(c.repurchaseDays));
        d->actualRepurchaseDate = d->maturitySettleDate;
        d->maturitySettleAmount
            = Rules::settlementAmount(c.repurchaseAmount, c.repurchaseRate, c.repurchaseDays);
    } else if (type == '2') {
        d->actualRepurchaseDate = utils::dateNumber(today);
        d->maturitySettleAmount
            = Rules::settlementAmount(c.repurchaseAmount, c.repurchaseRate, daysUsed(c, today));
    } else if (type == '3') {
        // The desk swaps its first pledged bond for another of the market, the
        // same number of 张: '0' the bond of the pledge, '1' the one in exchange.
        std::set<std::string> pledged;
        for (const ttservice::CRepurchasePledgedBondPtr &bond : c.pledgedBonds)
            if (bond)
                pledged.insert(bond->bondCode);
        const ttservice::CInstrumentDetailPtr other = otherBond(c.market, pledged);
        if (!other || d->pledgedBonds.empty())
            return DeclarationPtr();
        const ttservice::CRepurchasePledgedBondPtr first = d->pledgedBonds.front();
        first->swapFlag = '0';
        d->pledgedBonds = { first, pledgedBond(*other, first->pledgeVolume, '1') };
    } else {
        return DeclarationPtr();
    }
    if (const ttservice::CInstrumentDetailPtr variety = varietyFor(c.market, c.repurchaseDays))
        d->contractCode = variety->instrumentCode;
    return d;
}

CDeskDeclarations::DeclarationPtr CDeskDeclarations::fromIntention(
    const ttservice::CRepurchaseIntentionOrder &intention, const std::string &bondCode,
    long long volume, const CPaperExchange::Desk &desk, const QDate &today, const std::string &ref)
{
    const bool repo = intention.direction == '0';
    const double amount = intention.repurchaseAmount;
    const auto isSet = [](double v) { return v != ttservice::kUnsetDouble && std::isfinite(v); };
    double ratio = isSet(intention.conversionRatio) && intention.conversionRatio > 0
        ? intention.conversionRatio
        : 0.9;
    ttservice::CInstrumentDetailPtr bond;
    int pledged = int(volume);
    if (repo) {
        bond = ttservice::TraderCenter::instance()->getInstCenter()->getInstrument(intention.market,
                                                                                   bondCode);
        if (bond && bond->bondDetail && pledged > 0 && !isSet(intention.conversionRatio))
            ratio = amount / (double(pledged) * bond->bondDetail->faceValue);
    } else {
        bond = otherBond(intention.market, {});
        if (bond)
            pledged = int(std::ceil(amount / ratio / bond->bondDetail->faceValue / 10.0)) * 10;
    }
    if (!bond || !bond->bondDetail || pledged <= 0)
        return DeclarationPtr();

    auto d = boost::make_shared<ttservice::CRepurchasePendingOrder>();
    d->pendingOrderRef = ref;
    d->market = intention.market;
    if (const ttservice::CInstrumentDetailPtr variety
        = varietyFor(intention.market, intention.repurchaseDays))
        d->contractCode = variety->instrumentCode;
    d->direction = repo ? '0' : '1';
    d->declareType = '0';
    d->trader = intention.trader;
    d->dealer = intention.dealer;
    d->dealerName = intention.dealerName;
    d->counterpartyTrader = desk.trader.toStdString();
    d->counterpartyDealer = desk.dealer.toStdString();
    d->counterpartyDealerName = desk.dealerName.toStdString();
    d->repurchaseAmount = amount;
    d->conversionRatio = ratio;
    d->repurchaseDays = intention.repurchaseDays;
    d->repurchaseRate = intention.repurchaseRate;
    d->priorApplyDate = utils::dateNumber(today);
    d->maturitySettleDate = utils::dateNumber(today.addDays(intention.repurchaseDays));
    d->actualRepurchaseDate = d->maturitySettleDate;
    d->maturitySettleAmount
        = Rules::settlementAmount(amount, intention.repurchaseRate, intention.repurchaseDays);
    d->renewType = '0';
    d->releaseSettleAmount = 0;
    d->counterpartyClientName = desk.dealerName.toStdString();
    d->ownerType = 2;
    d->supplementaryTerms = "意向申报 " + intention.orderNo;
    d->pledgedBonds.push_back(pledgedBond(*bond, pledged, '0'));
    return d;
}

ttservice::CRepurchasePledgedBondPtr
CDeskDeclarations::pledgedBond(const ttservice::CInstrumentDetail &bond, int volume, int swapFlag)
{
    auto pledged = boost::make_shared<ttservice::CRepurchasePledgedBond>();
    pledged->market = bond.market;
    pledged->bondCode = bond.instrumentCode;
    pledged->bondName = bond.instrumentName;
    pledged->pledgeVolume = volume;
    pledged->swapFlag = swapFlag;
    return pledged;
}

} // namespace app
