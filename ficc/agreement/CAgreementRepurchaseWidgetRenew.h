#pragma once

#include "agreement/CAgreementSingleFormWidget.h"

namespace TC {

// The 到期续做 (maturity renewal) operation: its content form over the order button.
class CAgreementRepurchaseWidgetRenew : public CAgreementSingleFormWidget
{
public:
    explicit CAgreementRepurchaseWidgetRenew(QWidget *parent);
    ~CAgreementRepurchaseWidgetRenew() override;

    void doOperation() override;

    using CAgreementSingleFormWidget::setOrderEnabledForContract;
};

} // namespace TC
