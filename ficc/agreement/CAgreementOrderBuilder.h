#pragma once

#include "common/OrderPlacement.h"
#include "tc/TradeOperationType.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CCodeOrderParam.h"
#include "ttservice/CInstrumentCenter.h"
#include "ttservice/COrderCommand.h"
#include "ttservice/CPledgedBondInfo.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseAgreementParam.h"

#include <QList>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace TC {

// The rules of an agreement repurchase order, apart from the form that
// collects it: the input checks in the order the trader meets them, the
// counter's operation code of each operation and direction, and the order
// with its agreement part. Reads a snapshot of the form (Input) and what the
// host says about the order (Host), no service of the host; touches no widget.
class CAgreementOrderBuilder final
{
public:
    // Operation codes of the agreement orders at the counter.
    enum EAgreementOperation {
        OP_INVALID = -1,
        OP_DEAL_DECLARATION = 1045,
        OP_MATURITY_CONFIRM_REPO = 1047,
        OP_EARLY_REPURCHASE_REPO = 1048,
        OP_EARLY_REPURCHASE_REVERSE = 1049,
        OP_MATURITY_RENEWAL_REPO = 1050,
        OP_MATURITY_RENEWAL_REVERSE = 1051,
        OP_INTENTION_REPO = 1063,
        OP_INTENTION_REVERSE_REPO = 1064,
        OP_PLEDGE_CHANGE = 1069,
        OP_PLEDGE_RELEASE_REPO = 1074,
        OP_MATURITY_CONFIRM_REVERSE = 1077,
        OP_PLEDGE_RELEASE_REVERSE = 1094,
    };

    using PledgeRows = QList<ttservice::CPledgedBondInfo>;

    // What the form holds when the order button is pressed. A cell the
    // operation type does not create is left empty (std::nullopt); numbers are
    // read as the toolkit's editors read them.
    struct Input
    {
        ETradeOperationType operationType = OPT_NONE;
        QString accountKey;
        std::string contractKey;
        // The account's contract (type 788) under contractKey; null when unknown.
        ttservice::CRepurchaseAgreementContractInfoPtr contract;
        std::string instructionKey; // the instruction the order is placed within; empty for none
        std::string market = "SH";
        ttservice::CBondInfoDetailPtr variety; // the selected repurchase variety
        PledgeRows firstSelection;
        PledgeRows secondSelection;
        double firstSelectionTotal = 0.0;
        double secondSelectionTotal = 0.0;

        std::optional<int> days; // 回购天数 or 续做天数
        std::optional<QString> varietyName; // 回购品种
        std::optional<double> rate; // 回购利率, percent
        std::optional<double> amount; // 回购金额
        std::optional<int> actualDays; // 实际占款天数
        std::optional<int> maturitySettleDate; // 到期结算日期, yyyyMMdd
        std::optional<double> maturityAmount; // 到期结算金额
        std::optional<double> originalInterest; // 原回购利息
        std::optional<QString> contactPerson;
        std::optional<QString> contactMethod;
        std::optional<QString> counterpartyDealerName;
        std::optional<QString> supplementaryTerms;
        std::optional<int> renewType; // 续做类型 item data
        std::optional<int> subjectType; // 主体类型 item data
        std::optional<double> ratio; // 折算比例, percent
        std::optional<double> settlementAmount; // 结算金额
        std::optional<double> swapIncome; // 换出孳息

        // Codes (the text up to the first blank) of the dealer cells.
        std::optional<QString> dealer; // 12 交易商
        std::optional<QString> tradingEntity; // 13 交易主体
        std::optional<QString> counterpartyEntity; // 14 对方交易主体
        std::optional<QString> trader; // 19 交易员
        std::optional<QString> counterpartyTrader; // 20 对方交易员
        std::optional<QString> counterpartyDealer; // 21 对手交易商
    };

    // What the host says about the order when the trader places it.
    struct Host
    {
        explicit Host(const ttservice::CInstrumentCenter &instruments)
            : instruments(instruments)
        {
        }

        OrderAccount account; // the account of Input::accountKey and its login state
        // The command centre's instruction of Input::instructionKey; null when there is none.
        ttservice::COrderCommandPtr instruction;
        std::string userName; // the user configuration's user name, UTF-8
        // The instrument directory, which prices the bonds a contract pledges.
        const ttservice::CInstrumentCenter &instruments;
    };

    // The first failed check sets `error` and gives false; `error` is cleared first.
    static bool checkOrderInput(const Input &input, const Host &host, QString &error);

    // The counter's code for the operation; the contract's direction ('1'
    // repo, '2' reverse repo) decides it for the contract operations. -1 when
    // there is no contract or no code for the direction.
    static int orderOperationType(const Input &input);
    static int orderOperationType(ETradeOperationType type,
                                  const ttservice::CRepurchaseAgreementContractInfo *contract);

    // Checks, then builds the one order of the form. On a failed check
    // `orders` is left as it was; after that it holds the order or nothing.
    static bool buildOrders(const Input &input, const Host &host,
                            std::vector<ttservice::CCodeOrderParam> &orders, QString &error);

    // The agreement part of the order and the order's volume and contacts.
    // Expects an input that passed checkOrderInput.
    static ttservice::CRepurchaseAgreementParam buildAgreement(const Input &input, int counterType,
                                                               ttservice::CCodeOrderParam &order);

    // An order placed within an instruction must fit one of its orders for
    // the same account and operation. True without an instruction.
    static bool checkInstruction(const ttservice::COrderCommand *instruction,
                                 const ttservice::CCodeOrderParam &order, QString &error);

private:
    CAgreementOrderBuilder() = delete;
};

} // namespace TC
