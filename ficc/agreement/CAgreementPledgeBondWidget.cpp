#include "agreement/CAgreementPledgeBondWidget.h"

namespace TC {

CAgreementPledgeBondWidget::CAgreementPledgeBondWidget(bool, QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_quvio_opcreditbuywidget"), false, parent)
{
}

CAgreementPledgeBondWidget::~CAgreementPledgeBondWidget() = default;

void CAgreementPledgeBondWidget::clearCheckedRows() {}

} // namespace TC
