#include "agreement/CAgreementOrderBuilder.h"

#include "agreement/CAgreementCalculator.h"
#include "common/InstructionLimit.h"
#include "ttservice/DataHelper.h"

#include <cmath>
#include <initializer_list>

namespace TC {

namespace {

bool isOneOf(ETradeOperationType type, std::initializer_list<ETradeOperationType> types)
{
    for (ETradeOperationType t : types) {
        if (t == type)
            return true;
    }
    return false;
}

bool isIntention(ETradeOperationType type)
{
    return isOneOf(type, { OPT_AGREEMENT_INTENTION_REPO, OPT_AGREEMENT_INTENTION_REVERSE_REPO });
}

// Declarations that pledge the selected bonds rather than a contract's.
bool isDeclaration(ETradeOperationType type)
{
    return type == OPT_AGREEMENT_DEAL_DECLARATION || isIntention(type);
}

bool isContractOperation(ETradeOperationType type)
{
    return isOneOf(type,
                   { OPT_AGREEMENT_MATURITY_CONFIRM, OPT_AGREEMENT_EARLY_REPURCHASE,
                     OPT_AGREEMENT_MATURITY_RENEWAL, OPT_AGREEMENT_PLEDGE_CHANGE,
                     OPT_AGREEMENT_PLEDGE_RELEASE });
}

bool isBlank(const std::optional<QString> &text)
{
    return text->trimmed().isEmpty();
}

std::string utf8(const QString &text)
{
    return text.toUtf8().toStdString();
}

std::string trimmedUtf8(const std::optional<QString> &text)
{
    return text ? utf8(text->trimmed()) : std::string();
}

std::string code(const std::optional<QString> &text)
{
    return text ? utf8(*text) : std::string();
}

bool fail(QString &error, const QString &message)
{
    error = message;
    return false;
}

} // namespace

bool CAgreementOrderBuilder::checkOrderInput(const Input &in, const Host &host, QString &error)
{
    error.clear();
    const ETradeOperationType type = in.operationType;
    if (!checkOrderAccount(host.account, error))
        return false;

    if (isContractOperation(type) && !in.contract)
        return fail(error,
                    QStringLiteral("合约信息不存在或没有选中任何合约 [%1] , 无法下单!")
                        .arg(QString::fromStdString(in.contractKey)));
    if (isDeclaration(type) && in.firstSelection.isEmpty())
        return fail(error, QStringLiteral("未选择质押券或质押金额为0，无法下单！"));
    // Intention orders are a Shanghai business only.
    if (isIntention(type) && in.firstSelection.first().market != "SH")
        return fail(error, QStringLiteral("意向申报只支持上海协议回购 , 无法下单!"));

    // A pledge change that swaps out income alone names no bonds.
    if (type == OPT_AGREEMENT_PLEDGE_CHANGE && in.ratio && in.swapIncome && *in.swapIncome <= 0) {
        if (in.firstSelection.isEmpty() && in.secondSelection.isEmpty())
            return fail(error, QStringLiteral("请选择换入或者换出的债券!"));
        const double pledged = in.contract
            ? CAgreementCalculator::contractPledgeValue(*in.contract, host.instruments)
            : 0.0;
        const double value = pledged + in.firstSelectionTotal - in.secondSelectionTotal;
        if (value <= 0 || in.amount.value_or(0.0) > value)
            return fail(error, QStringLiteral("换出债券金额过大，请调整换入债券金额!"));
    }

    if (!in.variety)
        return fail(error, QStringLiteral("协议回购合约代码不存在"));
    if (in.days && (*in.days <= 0 || *in.days > 365))
        return fail(error, QStringLiteral("回购天数必须大于0且小于366"));
    if (in.varietyName && isBlank(in.varietyName))
        return fail(error, QStringLiteral("回购品种为空"));
    if (in.rate && (*in.rate <= 0 || *in.rate >= 100))
        return fail(error, QStringLiteral("回购利率必须大于0且小于1"));
    if (in.amount && *in.amount <= 0)
        return fail(error, QStringLiteral("回购金额必须大于0"));

    const bool sh = in.market == "SH";
    if (sh && in.contactPerson && isBlank(in.contactPerson))
        return fail(error, QStringLiteral("联系人为空"));
    if (sh && in.contactMethod && isBlank(in.contactMethod))
        return fail(error, QStringLiteral("联系方式为空"));
    if (sh && in.originalInterest && *in.originalInterest <= 0)
        return fail(error, QStringLiteral("原合约利息必须大于0"));
    if (in.trader && in.trader->isEmpty())
        return fail(error, QStringLiteral("交易员为空"));
    if (in.counterpartyTrader && in.counterpartyTrader->isEmpty())
        return fail(error, QStringLiteral("对手交易员为空"));
    if (in.counterpartyDealer && in.counterpartyDealer->isEmpty())
        return fail(error, QStringLiteral("对手交易商为空"));
    if (in.market == "SZ" && in.settlementAmount && *in.settlementAmount <= 0)
        return fail(error, QStringLiteral("解除质押结算金额必须大于0!"));
    return true;
}

int CAgreementOrderBuilder::orderOperationType(const Input &input)
{
    return orderOperationType(input.operationType, input.contract.get());
}

int CAgreementOrderBuilder::orderOperationType(
    ETradeOperationType type, const ttservice::CRepurchaseAgreementContractInfo *contract)
{
    // Contract operations: repo side and reverse side have codes of their own.
    const auto byDirection = [contract](int repo, int reverse) {
        if (!contract)
            return int(OP_INVALID);
        if (contract->direction == '1')
            return repo;
        return contract->direction == '2' ? reverse : int(OP_INVALID);
    };
    switch (type) {
    case OPT_AGREEMENT_DEAL_DECLARATION:
        return OP_DEAL_DECLARATION;
    case OPT_AGREEMENT_INTENTION_REPO:
        return OP_INTENTION_REPO;
    case OPT_AGREEMENT_INTENTION_REVERSE_REPO:
        return OP_INTENTION_REVERSE_REPO;
    case OPT_AGREEMENT_EARLY_REPURCHASE:
        return byDirection(OP_EARLY_REPURCHASE_REPO, OP_EARLY_REPURCHASE_REVERSE);
    case OPT_AGREEMENT_MATURITY_RENEWAL:
        return byDirection(OP_MATURITY_RENEWAL_REPO, OP_MATURITY_RENEWAL_REVERSE);
    case OPT_AGREEMENT_MATURITY_CONFIRM:
        return byDirection(OP_MATURITY_CONFIRM_REPO, OP_MATURITY_CONFIRM_REVERSE);
    case OPT_AGREEMENT_PLEDGE_CHANGE:
        return contract ? int(OP_PLEDGE_CHANGE) : int(OP_INVALID);
    case OPT_AGREEMENT_PLEDGE_RELEASE:
        return byDirection(OP_PLEDGE_RELEASE_REPO, OP_PLEDGE_RELEASE_REVERSE);
    default:
        return OP_INVALID;
    }
}

ttservice::CRepurchaseAgreementParam
CAgreementOrderBuilder::buildAgreement(const Input &in, int counterType,
                                       ttservice::CCodeOrderParam &order)
{
    const ETradeOperationType type = in.operationType;
    ttservice::CRepurchaseAgreementParam agreement;
    if (in.days && in.actualDays)
        agreement.repurchaseDays = *in.actualDays;
    if (in.amount) {
        if (type == OPT_AGREEMENT_MATURITY_RENEWAL && in.originalInterest) {
            // Counters other than this kind expect the original interest rolled in.
            agreement.repurchaseAmount = ttservice::DataHelper::isKcxpPts(counterType)
                ? *in.amount
                : *in.originalInterest + *in.amount;
        } else if (isOneOf(type,
                           { OPT_AGREEMENT_EARLY_REPURCHASE, OPT_AGREEMENT_MATURITY_CONFIRM,
                             OPT_AGREEMENT_PLEDGE_RELEASE })
                   && in.maturityAmount) {
            agreement.repurchaseAmount = *in.maturityAmount;
        } else {
            agreement.repurchaseAmount = *in.amount;
        }
    }
    if (in.rate)
        agreement.repurchaseRate = *in.rate / 100;
    if (in.contactPerson)
        order.contactPerson = trimmedUtf8(in.contactPerson);
    if (in.contactMethod)
        order.contactMethod = trimmedUtf8(in.contactMethod);
    agreement.trader = code(in.trader);
    agreement.counterpartyTrader = code(in.counterpartyTrader);
    agreement.counterpartyDealer = code(in.counterpartyDealer);
    if (in.counterpartyDealerName)
        agreement.counterpartyDealerName = trimmedUtf8(in.counterpartyDealerName);
    if (in.supplementaryTerms)
        agreement.supplementaryTerms = trimmedUtf8(in.supplementaryTerms);
    if (in.renewType)
        agreement.renewType = *in.renewType;
    if (in.ratio)
        agreement.conversionRatio = *in.ratio / 100;
    agreement.dealer = code(in.dealer);
    agreement.tradingEntity = code(in.tradingEntity);
    agreement.counterpartyEntity = code(in.counterpartyEntity);
    if (in.settlementAmount && in.market == "SZ")
        agreement.settlementAmount = *in.settlementAmount;
    if (in.subjectType)
        agreement.subjectType = *in.subjectType;

    if (isDeclaration(type)) {
        // The agreement carries one bond: the last selected row.
        for (const ttservice::CPledgedBondInfo &row : in.firstSelection) {
            agreement.bondMarket = row.market;
            agreement.bondCode = row.bondCode;
            agreement.maturitySettleDate = in.maturitySettleDate.value_or(ttservice::kUnsetInt);
            agreement.stockProperty = row.stockProperty;
            order.volume = row.pledgeVolume;
        }
        return agreement;
    }
    if (!in.contract)
        return agreement;
    const ttservice::CRepurchaseAgreementContractInfo &contract = *in.contract;
    agreement.firstSettleDate = contract.firstSettleDate;
    agreement.contractNo = contract.contractNo;
    agreement.referenceNo = contract.referenceNo;
    if (type == OPT_AGREEMENT_MATURITY_RENEWAL) {
        agreement.maturitySettleDate = in.maturitySettleDate.value_or(ttservice::kUnsetInt);
    } else {
        agreement.repurchaseDays = contract.repurchaseDays;
        agreement.maturitySettleDate = contract.maturitySettleDate;
    }

    if (type == OPT_AGREEMENT_PLEDGE_CHANGE) {
        if (in.swapIncome && *in.swapIncome > 0) {
            // Only the income of the bonds swapped out changes hands.
            agreement.repurchaseAmount = *in.swapIncome;
            order.volume = 10;
            return agreement;
        }
        for (const ttservice::CPledgedBondInfo &row : in.firstSelection) {
            agreement.bondMarket = row.market;
            agreement.bondCode = row.bondCode;
            agreement.stockProperty = row.stockProperty;
            order.volume = row.pledgeVolume;
        }
        for (const ttservice::CPledgedBondInfo &row : in.secondSelection) {
            agreement.bondMarket = row.market;
            agreement.swapBondCode = row.bondCode;
            agreement.swapStockProperty = row.stockProperty;
            agreement.swapPledgeVolume = row.pledgeVolume;
            if (in.firstSelection.isEmpty())
                order.volume = row.pledgeVolume;
        }
        agreement.repurchaseAmount = 0;
        return agreement;
    }
    for (const ttservice::CRepurchasePledgedBondPtr &bond : contract.pledgedBonds) {
        if (!bond || bond->pledgeVolume <= 0)
            continue;
        agreement.bondMarket = bond->market;
        agreement.bondCode = bond->bondCode;
        agreement.stockProperty = bond->stockProperty;
        order.volume = bond->pledgeVolume;
    }
    return agreement;
}

bool CAgreementOrderBuilder::checkInstruction(const ttservice::COrderCommand *instruction,
                                              const ttservice::CCodeOrderParam &order,
                                              QString &error)
{
    return checkInstructionLimit(instruction, order, order.volume,
                                 EInstructionMatch::ACCOUNT_AND_SIDE, error);
}

bool CAgreementOrderBuilder::buildOrders(const Input &in, const Host &host,
                                         std::vector<ttservice::CCodeOrderParam> &orders,
                                         QString &error)
{
    if (!checkOrderInput(in, host, error))
        return false;
    orders.clear();
    const CAccountPtr &account = host.account.account;
    if (!account)
        return fail(error, QStringLiteral("账号 [%1] 不存在, 无法下单!").arg(in.accountKey));
    const ttservice::CAccountInfoPtr info = account->getAccountInfo();

    ttservice::CCodeOrderParam order;
    order.operationType = static_cast<ttservice::EOperationType>(orderOperationType(in));
    order.userName = host.userName;
    if (in.variety) {
        order.stock.market = in.variety->market;
        order.stock.stockCode = in.variety->instrumentCode;
        order.stock.stockName = in.variety->instrumentName;
    }
    order.accountInfo = info;
    order.price = 100.0;
    order.orderKind = '1';

    const ttservice::CRepurchaseAgreementParam agreement
        = buildAgreement(in, info ? info->counterType : 0, order);
    // The counter reads the rate from the price of an agreement order.
    order.price = agreement.repurchaseRate;
    order.paramKind = 2;
    order.agreementParam = agreement.toBson();

    if (!checkInstruction(host.instruction.get(), order, error))
        return false;
    orders.push_back(order);
    return true;
}

} // namespace TC
