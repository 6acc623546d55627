#pragma once

#include "tc/TradeOperationType.h"

namespace TC {

// What an agreement repurchase operation is: the page's button that offers
// it, the tables of the page that serve it, and the parts of the form's
// rules that depend on it. The page, the tables and the form ask here
// instead of listing operation types.
struct AgreementOperationTraits
{
    ETradeOperationType type;
    int buttonId; // the page's operation button (both intention sides share 1000)
    bool listsContracts; // 回购合约信息: the operation works on a chosen contract
    bool takesNewBonds; // 质押债券 of bonds typed in (the reverse-repo intention)
    bool takesPositions; // 质押债券 of the account's positions
    bool listsIntentions; // 转成交申报
    bool listsDeclarations; // 待确认申报 shown
    bool queriesDeclarations; // 待确认申报 asked again when the form's account changes
    bool settlesContract; // the contract's settlement is worked out (到期确认, 提前购回, 解除质押)
    bool amountTyped; // 回购金额 is the trader's to type
};

// The traits of an agreement operation; null for any other operation type.
const AgreementOperationTraits *agreementOperationTraits(int type);

} // namespace TC
