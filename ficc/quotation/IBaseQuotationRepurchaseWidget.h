#pragma once

#include "ttservice/CAccountData.h"
#include "ttservice/CCodeOrderParam.h"
#include "xp/CBaseWidget.h"

#include <boost/shared_ptr.hpp>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace TC {

class CQuotationTableWidget;

// Base of the quoted repurchase operation widgets. The business has no trading
// behaviour in this panel: nothing creates these widgets, and the variants
// implement the interface without effect.
class IBaseQuotationRepurchaseWidget : public XP::CBaseWidget
{
public:
    explicit IBaseQuotationRepurchaseWidget(QWidget *parent);
    ~IBaseQuotationRepurchaseWidget() override;

    virtual void refreshAccountInfo() = 0;
    virtual void setAccountKeys(std::set<std::string> *keys) = 0;
    virtual QString currentAccountKey() = 0;
    virtual void setQuotationTableWidget(CQuotationTableWidget *table) = 0;
    virtual bool buildOrders(std::vector<ttservice::CCodeOrderParam> &orders) = 0;
    virtual void doOperation() = 0;
    virtual void clearForm() = 0;
    virtual void updateEnabledFields() { }

    // The account data of the current account; null (and logged) when the
    // account is configured but carries no data.
    boost::shared_ptr<ttservice::CAccountData> getAccountDataPtr();

protected:
    std::map<std::string, std::string> accountNames;
    std::string currentKey;
    std::map<std::string, int> accountStates;
    std::string traderCode;
};

} // namespace TC
