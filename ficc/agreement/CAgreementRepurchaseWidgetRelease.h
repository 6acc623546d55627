#pragma once

#include "agreement/CAgreementSingleFormWidget.h"

namespace TC {

// The 解除质押 (release of pledge) operation: its content form over the order button.
class CAgreementRepurchaseWidgetRelease : public CAgreementSingleFormWidget
{
public:
    explicit CAgreementRepurchaseWidgetRelease(QWidget *parent);
    ~CAgreementRepurchaseWidgetRelease() override;

    void doOperation() override;

    using CAgreementSingleFormWidget::setOrderEnabledForContract;
};

} // namespace TC
