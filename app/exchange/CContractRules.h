#pragma once

#include "ttservice/CRepurchaseAgreementContractInfo.h"

#include <QDate>
#include <QString>

#include <string>

namespace app {

// The exchange's rules for agreement repurchase contracts, apart from the
// records they change: which operation a contract's state allows on a day,
// how its state moves when a trading day starts, and the money of a term.
class CContractRules final
{
public:
    using Contract = ttservice::CRepurchaseAgreementContractInfo;

    // The operations that act on an existing contract.
    enum EAction {
        MATURITY_CONFIRM, // 到期确认
        EARLY_REPURCHASE, // 提前购回
        MATURITY_RENEWAL, // 到期续做
        PLEDGE_CHANGE, // 质押券变更
        PLEDGE_RELEASE, // 解除质押
    };

    // The ttservice::EContractStatus codes the exchange writes.
    enum EStatus {
        STATUS_RUNNING = '1', // 正常
        STATUS_DUE = '2', // 到期
        STATUS_REPURCHASED = '3', // 已购回: bought back early or settled at maturity
        STATUS_RENEWED = '4', // 已续做
        STATUS_RELEASED = '5', // 已解除质押
        STATUS_OVERDUE = '8', // 逾期
    };

    static QString actionName(EAction action);

    // Whether `action` may act on `contract` on `today`, as the contract
    // table offers it:
    //   到期确认, 到期续做  running or due, from the maturity date on
    //   提前购回, 质押券变更  running, after the first settlement and before maturity
    //   解除质押            overdue, or running or due past the maturity date
    static bool allows(EAction action, const Contract &contract, const QDate &today);

    // The status `contract` has once the trading day `today` starts: a
    // running contract is due from its maturity date on; a running or due one
    // is overdue once its settlement day (the maturity, or the first trading
    // day after it when it falls on a closed day) has passed without being
    // settled. Every other status stays.
    static int statusOn(const Contract &contract, const QDate &today);

    // amount x (1 + rate x days / 365), to the cent (half up).
    static double settlementAmount(double amount, double rate, int days);
    // What the contract settles at maturity: the counter's figure, or the
    // amount worked out from its term when the counter reported none.
    static double dueAtMaturity(const Contract &contract);

    // The reference of a declaration the exchange makes about a contract,
    // "<contractNo>/<n>", and the contract it names (empty for any other
    // reference).
    static std::string declarationRef(const std::string &contractNo, int n);
    static std::string contractOfRef(const std::string &ref);

private:
    CContractRules() = delete;
};

} // namespace app
