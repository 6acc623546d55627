#include "agreement/CAgreementPledgePosWidget.h"

namespace TC {

CAgreementPledgePosWidget::CAgreementPledgePosWidget(bool, QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_quvio_opcreditbuywidget"), false, parent)
{
}

CAgreementPledgePosWidget::~CAgreementPledgePosWidget() = default;

void CAgreementPledgePosWidget::showAccountPositions(const std::string &, ETradeOperationType) { }

void CAgreementPledgePosWidget::showContractBonds(const std::string &contractKey)
{
    m_contractKey = contractKey;
}

} // namespace TC

namespace TC {

// No rows until the positions are listed.
std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>>
CAgreementPledgePosWidget::checkedPositionBonds() const
{
    return {};
}

std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>>
CAgreementPledgePosWidget::checkedContractBonds() const
{
    return {};
}

} // namespace TC
