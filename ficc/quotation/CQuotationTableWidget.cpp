#include "quotation/CQuotationTableWidget.h"

namespace TC {

CQuotationTableWidget::CQuotationTableWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_quvio_opcreditdealswidget"), false, parent)
{
}

CQuotationTableWidget::~CQuotationTableWidget() = default;

} // namespace TC
