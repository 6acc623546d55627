#include "quotation/IBaseQuotationRepurchaseWidget.h"

#include "tc/Services.h"
#include "utils/TTLog.h"

namespace TC {

IBaseQuotationRepurchaseWidget::IBaseQuotationRepurchaseWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_quvio_basewidget"), false, parent)
{
}

IBaseQuotationRepurchaseWidget::~IBaseQuotationRepurchaseWidget() = default;

boost::shared_ptr<ttservice::CAccountData> IBaseQuotationRepurchaseWidget::getAccountDataPtr()
{
    const QString key = currentAccountKey();
    CAccountPtr account = getUserConfig()->getAccountData(key);
    if (!account)
        return boost::shared_ptr<ttservice::CAccountData>();
    boost::shared_ptr<ttservice::CAccountData> data = account->getAccountData();
    if (!data)
        TT_LOG_INFO(boost::format("quotation table match account %1%, but null account data ptr.")
                    % key.toStdString());
    return data;
}

} // namespace TC
