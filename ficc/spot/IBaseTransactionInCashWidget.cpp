#include "spot/IBaseTransactionInCashWidget.h"

namespace TC {

IBaseTransactionInCashWidget::IBaseTransactionInCashWidget(const QString &objectName,
                                                           QWidget *parent)
    : XP::CBaseWidget(objectName, false, parent)
{
}

IBaseTransactionInCashWidget::~IBaseTransactionInCashWidget() = default;

} // namespace TC
