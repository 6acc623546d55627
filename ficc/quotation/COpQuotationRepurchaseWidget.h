#pragma once

#include "xp/CBaseWidget.h"

namespace TC {

class CQuotationTableWidget;

// The 报价回购 page: an empty container behind its mode tab. It keeps no
// parameters and does not use the quotation table it is handed.
class COpQuotationRepurchaseWidget : public XP::CBaseWidget
{
public:
    explicit COpQuotationRepurchaseWidget(QWidget *parent);
    ~COpQuotationRepurchaseWidget() override;

    void setParam(const QString &param);
    // The page's fields joined with "#"; the page has none.
    QString param();
    void setQuotationTableWidget(CQuotationTableWidget *table);
    void showPage(bool show);
};

} // namespace TC
