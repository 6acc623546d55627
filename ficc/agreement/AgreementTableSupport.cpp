#include "agreement/AgreementTableSupport.h"

#include "agreement/IBaseAgreementRepurchaseWidget.h"
#include "tc/Services.h"
#include "ttservice/CQueryDataReq.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CWidgetList.h"

#include <boost/make_shared.hpp>

namespace TC {

CAgreementTableFrame buildAgreementTableFrame(XP::CBaseWidget *owner, const QString &title,
                                              int menuFlags)
{
    CAgreementTableFrame frame;
    auto *outer = new XP::CWidgetList(Qt::Vertical, owner);
    outer->setMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *header = new XP::CWidgetList(Qt::Horizontal, outer);
    frame.titleText = new XP::CSimpleTextWidget(title, header);
    frame.titleText->setFixFont();
    frame.titleText->setFixedWidth(100);
    header->addFixedWidget(frame.titleText, 1);
    frame.refreshButton = new XP::CSmallNoNormalButton(1, false, header);
    frame.refreshButton->setText(QStringLiteral("刷新"));
    header->addFixedWidget(frame.refreshButton, 3);
    outer->addFixedWidget(header, 3);

    frame.table = new XP::COddEvenRowTable(0, outer, menuFlags);
    outer->addStretchWidget(frame.table, 1, 3);
    owner->setInnerStretchWidget(outer, 0, 0, 0, 0);
    return frame;
}

void connectAgreementTable(QObject *table)
{
    QObject::connect(utils::CManualSingletonT<CExchangeClient>::instance(),
                     SIGNAL(sigNewTradingDate(const std::string &, const std::string &)), table,
                     SLOT(slotNewTradingDay(const std::string &, const std::string &)));
    QObject::connect(table,
                     SIGNAL(signal_queryAgreementContract(
                         const utils::TTError &, const std::vector<ttservice::IDataPtr> &, bson::bo,
                         const std::string &, TC::ETradeOperationType)),
                     table,
                     SLOT(slot_queryAgreementContract(
                         const utils::TTError &, const std::vector<ttservice::IDataPtr> &, bson::bo,
                         const std::string &, TC::ETradeOperationType)));
}

void queryAgreementRecords(int dataType, const ttservice::CAccountInfoPtr &accountInfo,
                           utils::CDeliveryGuard &guard, AgreementAnswer apply,
                           const std::string &queryText)
{
    auto request = boost::make_shared<ttservice::CQueryDataReq>();
    request->dataType = dataType;
    request->accountInfo = accountInfo;
    request->queryText = queryText;
    const utils::CDeliveryGuard::Handle delivery = guard.handle();
    const quint64 ticket = guard.newTicket();
    utils::CDeliveryGuard *receiver = &guard; // read on the guard's thread only, while it lives
    auto handler = [delivery, ticket, receiver, apply](utils::TTError error,
                                                       std::vector<ttservice::IDataPtr> records,
                                                       bson::BSONObj raw) {
        delivery.post([ticket, receiver, apply, error, records, raw] {
            if (receiver->isCurrent(ticket))
                apply(error, records, raw);
        });
    };
    utils::CManualSingletonT<CTradeClient>::instance()->queryData(request, handler, 0);
}

ttservice::CAccountInfoPtr
applyAgreementAnswer(IBaseAgreementRepurchaseWidget *operationWidget, const utils::TTError &error,
                     const std::vector<ttservice::IDataPtr> &records, const std::string &accountKey,
                     std::vector<ttservice::IDataPtr> &cache,
                     const std::function<bool(const ttservice::IDataPtr &)> &keep)
{
    const ttservice::CAccountDataPtr accountData
        = operationWidget ? operationWidget->getAccountDataPtr() : ttservice::CAccountDataPtr();
    const ttservice::CAccountInfoPtr accountInfo
        = accountData ? accountData->getAccountInfo() : ttservice::CAccountInfoPtr();
    // The trader moved to another account while the counter answered: the
    // records of the account asked about are not this account's.
    if (accountInfo && !accountKey.empty() && accountKey != accountInfo->getKey())
        return ttservice::CAccountInfoPtr();
    if (!error.isSuccess() || records.empty() || !accountInfo) {
        if (operationWidget)
            operationWidget->contractListReloaded();
        return ttservice::CAccountInfoPtr();
    }
    cache.clear();
    for (const ttservice::IDataPtr &record : records) {
        if (!record)
            continue;
        accountData->updateData(record, false);
        if (keep(record))
            cache.push_back(record);
    }
    return accountInfo;
}

} // namespace TC
