#pragma once

#include "tc/TradeOperationType.h"
#include "xp/CBaseWidget.h"

namespace XP {
class CPushButton;
class CWidgetList;
} // namespace XP

namespace TC {

class CAgreementConfirmWidget;
class CAgreementPledgeBondWidget;
class CAgreementPledgePosWidget;
class CAgreementTableWidget;
class CAgreementTurnDealWidget;
class COpAccountsWidget;
class COpAgreementRepurchaseWidget;
class COperationPushButtonGroup;
class COpQuotationRepurchaseWidget;
class COpTransactionInCashWidget;
class CQuotationTableWidget;

// The whole content of the FICC operation panel: a column of mode tabs, one
// per business the user may trade, and the page of the chosen business with
// its tables. It routes the widget events between sibling pages and tables,
// and writes and reads the panel's parameter string:
//   mode id "/" quoted repurchase page text "/" agreement page text
// Fields keep their positions whichever pages exist ("2//1001", "3").
class COperationFiccWidget : public XP::CBaseWidget
{
public:
    enum EMode {
        MODE_QUOTATION_REPURCHASE = 1,
        MODE_AGREEMENT_REPURCHASE = 2,
        MODE_SPOT_BOND_TRADE = 3,
    };

    explicit COperationFiccWidget(QWidget *parent);
    ~COperationFiccWidget() override;

    void setParam(const QString &text);
    QString param();

    void setCurrentOperationType(ETradeOperationType type);
    void refreshAccounts();
    void loadAccountGroupSettings();
    void doSlotCanOrderNum();

    bool handleEvent(int event, int a, int b, QString text, void *data) override;

    // Read access for the terminal's tools and tests.
    ETradeOperationType currentOperationType() const { return m_currentOperationType; }
    COperationPushButtonGroup *tabGroup() const { return m_tabGroup; }
    CQuotationTableWidget *quotationTable() const { return m_quotationTable; }
    COpQuotationRepurchaseWidget *quotationPage() const { return m_quotationPage; }
    COpAgreementRepurchaseWidget *agreementPage() const { return m_agreementPage; }
    COpTransactionInCashWidget *spotPage() const { return m_spotPage; }
    COpAccountsWidget *spotAccounts() const { return m_spotAccounts; }
    XP::CWidgetList *agreementList() const { return m_agreementList; }
    CAgreementTableWidget *contractTable() const { return m_contractTable; }
    CAgreementPledgeBondWidget *pledgeBondTable() const { return m_pledgeBondTable; }
    CAgreementPledgePosWidget *pledgePosTable() const { return m_pledgePosTable; }
    CAgreementTurnDealWidget *turnDealTable() const { return m_turnDealTable; }
    CAgreementConfirmWidget *confirmTable() const { return m_confirmTable; }

    static ETradeOperationType operationTypeOfMode(int mode);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    XP::CPushButton *addTab(int id, const QString &text);
    void switchToMode(int mode);

    // Every child is owned through Qt parentage.
    COperationPushButtonGroup *m_tabGroup = nullptr;
    CQuotationTableWidget *m_quotationTable = nullptr;
    CAgreementTableWidget *m_contractTable = nullptr;
    CAgreementPledgeBondWidget *m_pledgeBondTable = nullptr;
    CAgreementPledgePosWidget *m_pledgePosTable = nullptr;
    COpQuotationRepurchaseWidget *m_quotationPage = nullptr;
    COpAgreementRepurchaseWidget *m_agreementPage = nullptr;
    COpAccountsWidget *m_spotAccounts = nullptr;
    COpTransactionInCashWidget *m_spotPage = nullptr;
    XP::CWidgetList *m_agreementList = nullptr;
    CAgreementTurnDealWidget *m_turnDealTable = nullptr;
    CAgreementConfirmWidget *m_confirmTable = nullptr;
    ETradeOperationType m_currentOperationType = OPT_NONE;
};

} // namespace TC
