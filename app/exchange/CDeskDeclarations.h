#pragma once

#include "CPaperExchange.h"

#include "ttservice/CInstrumentDetail.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"

#include <QDate>

#include <string>

namespace app {

// What the paper exchange's counterparty desks declare to the trader (type
// 795 records, addressed to the trader of the contract or intention order),
// apart from the account data the exchange keeps them in. The declaration's
// side is the trader's ('0' 正回购), as the 待确认申报 table reads it.
class CDeskDeclarations final
{
public:
    using Contract = ttservice::CRepurchaseAgreementContractInfo;
    using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;

    // The declaration type ('1'..'4') the desk on the other side of
    // `contract` proposes when the trading day `today` starts, by the state
    // the contract is in then; 0 for none:
    //   '4' 解除质押  an overdue contract
    //   '1' 到期续做  a due contract the desk borrowed on (the trader lent)
    //   '2' 提前购回  a contract the desk borrowed on, half its term or more used
    //   '3' 质押券变更 the same, less than half of its term used
    static int proposalOn(const Contract &contract, const QDate &today);

    // The declaration of `type` about `contract`, with reference `ref`; null
    // when the desk has nothing to propose (no other bond to swap in).
    static DeclarationPtr aboutContract(const Contract &contract, int type,
                                        const CPaperExchange::Desk &desk, const QDate &today,
                                        const std::string &ref);

    // The deal declaration with which `desk` takes up an intention order: on
    // the repo side's `volume` 张 of `bondCode`; to a lender the desk pledges
    // a bond of the market covering the amount. Null when there is no bond.
    static DeclarationPtr fromIntention(const ttservice::CRepurchaseIntentionOrder &intention,
                                        const std::string &bondCode, long long volume,
                                        const CPaperExchange::Desk &desk, const QDate &today,
                                        const std::string &ref);

    // An entry of a pledge: `volume` 张 of `bond`, with its swap flag.
    static ttservice::CRepurchasePledgedBondPtr
    pledgedBond(const ttservice::CInstrumentDetail &bond, int volume, int swapFlag);

private:
    CDeskDeclarations() = delete;
};

} // namespace app
