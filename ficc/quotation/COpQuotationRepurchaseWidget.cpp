#include "quotation/COpQuotationRepurchaseWidget.h"

#include <QStringList>

namespace TC {

COpQuotationRepurchaseWidget::COpQuotationRepurchaseWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_marbeth_operationcreditwidget"), false, parent)
{
}

COpQuotationRepurchaseWidget::~COpQuotationRepurchaseWidget() = default;

void COpQuotationRepurchaseWidget::setParam(const QString &) { }

QString COpQuotationRepurchaseWidget::param()
{
    const QStringList fields;
    return fields.join(QLatin1Char('#'));
}

void COpQuotationRepurchaseWidget::setQuotationTableWidget(CQuotationTableWidget *) { }

void COpQuotationRepurchaseWidget::showPage(bool show)
{
    setVisible(show);
}

} // namespace TC
