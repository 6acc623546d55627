#pragma once

#include "agreement/CAgreementSingleFormWidget.h"

namespace TC {

// The 成交申报 (deal declaration) operation: its content form over the order button.
class CAgreementRepurchaseWidgetDec : public CAgreementSingleFormWidget
{
public:
    explicit CAgreementRepurchaseWidgetDec(QWidget *parent);
    ~CAgreementRepurchaseWidgetDec() override;

    void doOperation() override;
    void setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows) override;

    // Fills the form from the intention order the trader turns into a deal.
    void fillFromTurnDeal(const QString &turnDealKey);

    bool handleEvent(int event, int a, int b, QString text, void *data) override;
};

} // namespace TC
