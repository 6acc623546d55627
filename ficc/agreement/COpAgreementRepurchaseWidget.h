#pragma once

#include "tc/TradeOperationType.h"
#include "xp/CBaseWidget.h"

#include <map>
#include <set>
#include <string>

namespace XP {
class CPushButtonGroup;
} // namespace XP

namespace TC {

class CAgreementConfirmWidget;
class CAgreementPledgeBondWidget;
class CAgreementPledgePosWidget;
class CAgreementTableWidget;
class CAgreementTurnDealWidget;
class IBaseAgreementRepurchaseWidget;

// The agreement repurchase (协议回购) page: a row of operation buttons, the
// operation widget of the chosen operation, and the choice of which agreement
// table below the page is shown for it. The mode switcher creates it, hands
// it the tables and remembers the chosen operation through param().
class COpAgreementRepurchaseWidget : public XP::CBaseWidget
{
public:
    explicit COpAgreementRepurchaseWidget(QWidget *parent);
    ~COpAgreementRepurchaseWidget() override;

    void setContractTableWidget(CAgreementTableWidget *table) { m_contractTable = table; }
    void setPledgeBondWidget(CAgreementPledgeBondWidget *table) { m_pledgeBondTable = table; }
    void setPledgePosWidget(CAgreementPledgePosWidget *table) { m_pledgePosTable = table; }
    void setTurnDealWidget(CAgreementTurnDealWidget *table) { m_turnDealTable = table; }
    void setConfirmWidget(CAgreementConfirmWidget *table) { m_confirmTable = table; }

    void showPage(bool show);
    // The checked operation id ("1003"), or "" when none is checked.
    QString param() const;
    void setParam(const QString &text);
    void selectOperation(int id);
    void updateOperationVisibility();
    void applyTableSelection();
    void declareDealFromTurnDeal(const QString &key);
    void refreshOperations();

    bool handleEvent(int event, int a, int b, QString text, void *data) override;

    int currentOperationId() const { return m_currentId; }
    ETradeOperationType currentOperationType() const { return m_currentType; }
    XP::CPushButtonGroup *buttonGroup() const { return m_buttonGroup; }
    const std::set<std::string> &accountKeys() const { return m_accountKeys; }
    // The operation widget of the checked operation, or null.
    IBaseAgreementRepurchaseWidget *currentOperationWidget() const;
    // The operation widget of `id` (1000-1006), or null.
    IBaseAgreementRepurchaseWidget *operationWidget(int id) const;

private:
    void loadAccountKeys();
    void buildUi();

    XP::CPushButtonGroup *m_buttonGroup = nullptr;
    int m_currentId = -1;
    ETradeOperationType m_currentType = OPT_NONE;
    std::map<int, IBaseAgreementRepurchaseWidget *>
        m_operationWidgets; // owned through Qt parentage
    // Not owned: the mode switcher owns and places the tables.
    CAgreementTableWidget *m_contractTable = nullptr;
    CAgreementPledgeBondWidget *m_pledgeBondTable = nullptr;
    CAgreementPledgePosWidget *m_pledgePosTable = nullptr;
    CAgreementTurnDealWidget *m_turnDealTable = nullptr;
    CAgreementConfirmWidget *m_confirmTable = nullptr;
    std::set<std::string> m_accountKeys;
};

} // namespace TC
