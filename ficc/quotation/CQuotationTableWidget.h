#pragma once

#include "xp/CBaseWidget.h"

namespace TC {

// The quotation table of quoted repurchase. The business carries no trading
// behaviour in this panel, so the table stays empty and hidden; it has a
// meta-object of its own so that Qt casts recognise it.
class CQuotationTableWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    explicit CQuotationTableWidget(QWidget *parent);
    ~CQuotationTableWidget() override;
};

} // namespace TC
