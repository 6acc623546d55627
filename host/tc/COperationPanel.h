#pragma once

#include "tc/ITradeDockableWidget.h"

namespace TC {

// The terminal's order-entry panel. The terminal calls doSlotCanOrderNum()
// when orderable quantities should be recomputed (after fills, fund changes).
class COperationPanel : public ITradeDockableWidget
{
    Q_OBJECT
public:
    COperationPanel(int id, QWidget *parent);
    ~COperationPanel() override;

    void setTradeType(ttservice::EVqTraderType type);
    ttservice::EVqTraderType tradeType() const { return m_tradeType; }

protected Q_SLOTS:
    virtual void doSlotCanOrderNum();

private:
    ttservice::EVqTraderType m_tradeType = ttservice::VQ_TRADER_TYPE_NONE;
};

} // namespace TC
