#pragma once

// The five quoted repurchase operation widgets. They are identical apart from
// their names: every operation is without effect.

#include "quotation/IBaseQuotationRepurchaseWidget.h"

#define TC_DECLARE_QUOTATION_REPURCHASE_WIDGET(Name)                                               \
    class Name : public IBaseQuotationRepurchaseWidget                                             \
    {                                                                                              \
    public:                                                                                        \
        explicit Name(QWidget *parent)                                                             \
            : IBaseQuotationRepurchaseWidget(parent)                                               \
        {                                                                                          \
        }                                                                                          \
        void refreshAccountInfo() override { }                                                     \
        void setAccountKeys(std::set<std::string> *) override { }                                  \
        QString currentAccountKey() override { return QString(); }                                 \
        void setQuotationTableWidget(CQuotationTableWidget *) override { }                         \
        bool buildOrders(std::vector<ttservice::CCodeOrderParam> &) override { return false; }     \
        void doOperation() override { }                                                            \
        void clearForm() override { }                                                              \
    }

namespace TC {

TC_DECLARE_QUOTATION_REPURCHASE_WIDGET(CQuotationRepurchaseWidgetBefore);
TC_DECLARE_QUOTATION_REPURCHASE_WIDGET(CQuotationRepurchaseWidgetBuy);
TC_DECLARE_QUOTATION_REPURCHASE_WIDGET(CQuotationRepurchaseWidgetCancel);
TC_DECLARE_QUOTATION_REPURCHASE_WIDGET(CQuotationRepurchaseWidgetReservation);
TC_DECLARE_QUOTATION_REPURCHASE_WIDGET(CQuotationRepurchaseWidgetStop);

} // namespace TC

#undef TC_DECLARE_QUOTATION_REPURCHASE_WIDGET
