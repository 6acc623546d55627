#pragma once

#include "agreement/CAgreementSingleFormWidget.h"

namespace TC {

// The 到期确认 (maturity confirmation) operation: its content form over the order button.
class CAgreementRepurchaseWidgetConfirm : public CAgreementSingleFormWidget
{
public:
    explicit CAgreementRepurchaseWidgetConfirm(QWidget *parent);
    ~CAgreementRepurchaseWidgetConfirm() override;

    void doOperation() override;

    using CAgreementSingleFormWidget::setOrderEnabledForContract;
};

} // namespace TC
