#pragma once

#include "agreement/CAgreementSingleFormWidget.h"

namespace TC {

// The 质押券变更 (pledged bond change) operation: its content form over the order button.
class CAgreementRepurchaseWidgetChange : public CAgreementSingleFormWidget
{
public:
    explicit CAgreementRepurchaseWidgetChange(QWidget *parent);
    ~CAgreementRepurchaseWidgetChange() override;

    void doOperation() override;
    void setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows) override;
    void setPledgePosSecondSelection(QList<ttservice::CPledgedBondInfo> rows) override;

    using CAgreementSingleFormWidget::setOrderEnabledForContract;
};

} // namespace TC
