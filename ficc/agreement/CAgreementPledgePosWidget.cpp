#include "agreement/CAgreementPledgePosWidget.h"

namespace TC {

CAgreementPledgePosWidget::CAgreementPledgePosWidget(bool, QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_quvio_opcreditbuywidget"), false, parent)
{
}

CAgreementPledgePosWidget::~CAgreementPledgePosWidget() = default;

void CAgreementPledgePosWidget::showAccountPositions(const std::string &, ETradeOperationType) {}

void CAgreementPledgePosWidget::showContractBonds(const std::string &contractKey)
{
    m_contractKey = contractKey;
}

} // namespace TC
