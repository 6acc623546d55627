#include "agreement/IBaseAgreementRepurchaseWidget.h"

#include "tc/Services.h"
#include "utils/TTLog.h"

namespace TC {

IBaseAgreementRepurchaseWidget::IBaseAgreementRepurchaseWidget(QWidget *parent,
                                                               const QString &objectName)
    : XP::CBaseWidget(objectName, false, parent)
{
}

IBaseAgreementRepurchaseWidget::~IBaseAgreementRepurchaseWidget() = default;

void IBaseAgreementRepurchaseWidget::setParam(const QString &text)
{
    Q_UNUSED(text);
}

QString IBaseAgreementRepurchaseWidget::param() const
{
    return QString();
}

void IBaseAgreementRepurchaseWidget::setPledgeBondSelection(QList<ttservice::CPledgedBondInfo> rows)
{
    Q_UNUSED(rows);
}

void IBaseAgreementRepurchaseWidget::setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows)
{
    Q_UNUSED(rows);
}

void IBaseAgreementRepurchaseWidget::setPledgePosSecondSelection(
    QList<ttservice::CPledgedBondInfo> rows)
{
    Q_UNUSED(rows);
}

boost::shared_ptr<ttservice::CAccountData> IBaseAgreementRepurchaseWidget::getAccountDataPtr()
{
    const QString key = currentAccountKey();
    ttservice::CAccountDataPtr data
        = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(key.toStdString());
    if (!data)
        TT_LOG_INFO(boost::format(
                        "agreement repurchase table match account %1%, but null account data ptr.")
                    % key.toStdString());
    return data;
}

} // namespace TC
