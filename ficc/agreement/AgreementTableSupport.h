#pragma once

#include "ttservice/Bson.h"
#include "ttservice/CAccountInfo.h"
#include "utils/CDeliveryGuard.h"
#include "utils/TTError.h"

#include <QString>

#include <functional>
#include <vector>

class QObject;

namespace XP {
class CBaseWidget;
class COddEvenRowTable;
class CSimpleTextWidget;
class CSmallNoNormalButton;
} // namespace XP

namespace TC {

class IBaseAgreementRepurchaseWidget;

// The frame every agreement table widget shares: a header line with its title
// and the 刷新 button (id 1) over the table, filling the owner.
struct CAgreementTableFrame
{
    XP::CSimpleTextWidget *titleText = nullptr;
    XP::CSmallNoNormalButton *refreshButton = nullptr;
    XP::COddEvenRowTable *table = nullptr;
};
CAgreementTableFrame buildAgreementTableFrame(XP::CBaseWidget *owner, const QString &title,
                                              int menuFlags);

// Connects an agreement table's new-trading-day slot to the exchange client
// and its answer signal to its answer slot, as every agreement table does;
// `table` declares signal_queryAgreementContract, slot_queryAgreementContract
// and slotNewTradingDay with the common signatures.
void connectAgreementTable(QObject *table);

// What an agreement table does with a trade client answer, on its own thread.
using AgreementAnswer = std::function<void(const utils::TTError &,
                                           const std::vector<ttservice::IDataPtr> &, bson::bo)>;

// Queries the trade client for the records of `dataType` of an account,
// narrowed by `queryText` where the record type takes one (the trader code of
// the declarations waiting for confirmation). The counter answers on its own
// thread; the answer reaches `apply` on the guard's thread, only while the
// guard lives and only when no later query of the same guard superseded this one.
void queryAgreementRecords(int dataType, const ttservice::CAccountInfoPtr &accountInfo,
                           utils::CDeliveryGuard &guard, AgreementAnswer apply,
                           const std::string &queryText = std::string());

// Applies a trade client answer as every agreement table does: each record
// goes into the account's data, and those `keep` accepts replace `cache`.
// Returns the account information to fill the table with; null when the
// answer changes nothing: a failed or empty answer (the operation widget then
// hears contractListReloaded()) or an answer for an account the form no
// longer shows (dropped).
ttservice::CAccountInfoPtr
applyAgreementAnswer(IBaseAgreementRepurchaseWidget *operationWidget, const utils::TTError &error,
                     const std::vector<ttservice::IDataPtr> &records, const std::string &accountKey,
                     std::vector<ttservice::IDataPtr> &cache,
                     const std::function<bool(const ttservice::IDataPtr &)> &keep);

} // namespace TC
