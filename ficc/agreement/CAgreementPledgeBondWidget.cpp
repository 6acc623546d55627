#include "agreement/CAgreementPledgeBondWidget.h"

namespace TC {

CAgreementPledgeBondWidget::CAgreementPledgeBondWidget(bool, QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_quvio_opcreditbuywidget"), false, parent)
{
}

CAgreementPledgeBondWidget::~CAgreementPledgeBondWidget() = default;

void CAgreementPledgeBondWidget::clearCheckedRows() { }

std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>>
CAgreementPledgeBondWidget::checkedPledgeBonds() const
{
    return {}; // no rows until bonds can be entered
}

} // namespace TC
