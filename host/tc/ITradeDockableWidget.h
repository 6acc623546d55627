#pragma once

#include "tc/TradeOperationType.h"
#include "ttservice/CAccountInfo.h"
#include "ttservice/Types.h"
#include "xp/IDockableWidget.h"

namespace TC {

// A dockable trading panel: it serves one or more trader types and takes the
// terminal's account and operation calls.
class ITradeDockableWidget : public XP::IDockableWidget
{
    Q_OBJECT
public:
    ITradeDockableWidget(bool floating, const QString &name, int id,
                         QFlags<ttservice::EVqTraderType> traderTypes, QWidget *parent);
    ~ITradeDockableWidget() override;

    QFlags<ttservice::EVqTraderType> traderTypes() const { return m_traderTypes; }
    bool isFloatingPanel() const { return m_floating; }

    virtual void requestAccount(const ttservice::CAccountInfo &account);
    virtual void loadAccountGroupSettings();
    virtual void refreshAccounts();
    // The terminal's own switch of operation type (order side included).
    virtual void setCurrentOperationType(const ETradeOperationType &type, const bool &force,
                                         const ttservice::EOperationType &operation);

protected:
    void setTraderTypes(QFlags<ttservice::EVqTraderType> types) { m_traderTypes = types; }

private:
    bool m_floating;
    QFlags<ttservice::EVqTraderType> m_traderTypes;
};

} // namespace TC
