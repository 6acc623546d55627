#include "tc/COperationPanel.h"

namespace TC {

COperationPanel::COperationPanel(int id, QWidget *parent)
    : ITradeDockableWidget(false, QStringLiteral("oppl"), id, {}, parent)
{
}

COperationPanel::~COperationPanel() = default;

void COperationPanel::setTradeType(ttservice::EVqTraderType type)
{
    m_tradeType = type;
    setTraderTypes(QFlags<ttservice::EVqTraderType>(type));
}

void COperationPanel::doSlotCanOrderNum() { }

} // namespace TC
