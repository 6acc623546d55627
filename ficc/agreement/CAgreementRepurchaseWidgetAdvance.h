#pragma once

#include "agreement/CAgreementSingleFormWidget.h"

namespace TC {

// The 提前购回 (early repurchase) operation: its content form over the order button.
class CAgreementRepurchaseWidgetAdvance : public CAgreementSingleFormWidget
{
public:
    explicit CAgreementRepurchaseWidgetAdvance(QWidget *parent);
    ~CAgreementRepurchaseWidgetAdvance() override;

    void doOperation() override;

    using CAgreementSingleFormWidget::setOrderEnabledForContract;
};

} // namespace TC
