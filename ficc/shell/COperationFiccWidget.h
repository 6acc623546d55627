#pragma once

#include "tc/TradeOperationType.h"
#include "xp/CBaseWidget.h"

namespace TC {

// The whole content of the FICC operation panel: the column of mode tabs and
// the page of the chosen business. The panel forwards the terminal's calls here.
class COperationFiccWidget : public XP::CBaseWidget
{
public:
    explicit COperationFiccWidget(QWidget *parent);
    ~COperationFiccWidget() override;

    void setParam(const QString &text);
    QString param();

    void setCurrentOperationType(ETradeOperationType type);
    void refreshAccounts();
    void loadAccountGroupSettings();
    void doSlotCanOrderNum();
};

} // namespace TC
