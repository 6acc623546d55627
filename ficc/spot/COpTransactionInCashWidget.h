#pragma once

#include "spot/CSpotOrderRules.h"
#include "spot/IBaseTransactionInCashWidget.h"

#include <QSize>

#include <string>
#include <vector>

namespace XP {
class CComboBox;
class CLineEdit;
class CWidgetList;
} // namespace XP

namespace TC {

class COpButton;
class CStockCodeLineEdit;

// The spot bond (现券交易) page: an order form for buying and selling a bond
// against a named counterparty (bond code and name, order category, quantity,
// clean price, full price, accrued interest, settlement amount, counterparty
// trader, agreement number) with a buy and a sell button. It keeps the amounts
// up to date, reports orderable quantities and the quantity being entered to
// the host's account list, which it places beside itself, and sends one order
// for the current account as a manual command.
//
// Which buttons exist, and whether orders are placed at all, follows the
// deployment: 400 may only sell, 200 only looks (read-only form).
class COpTransactionInCashWidget final : public IBaseTransactionInCashWidget
{
public:
    // Editor ids; they come back with the editors' events.
    enum EEditorId {
        ID_NAME = 0,
        ID_CATEGORY = 2,
        ID_QUANTITY = 3,
        ID_PRICE = 4,
        ID_SETTLEMENT = 5,
        ID_ACCRUED = 6,
        ID_FULL_PRICE = 7,
        ID_COUNTERPARTY_TRADER = 9,
        ID_AGREEMENT_NO = 10,
    };
    enum EButtonId { ID_BUY = 11, ID_SELL = 12 };

    explicit COpTransactionInCashWidget(QWidget *parent);
    ~COpTransactionInCashWidget() override;

    void publishSplitVolume() override;
    std::string currentAccount() const override;
    // Makes `key` current and refreshes the account list's figures for it.
    void setCurrentAccount(const std::string &key) override;
    bool checkInput(QString &error) override;
    void doOperation() override;
    void setOperationEnabled(ttservice::EOperationType side, bool enabled) override;

    bool handleEvent(int event, int a, int b, QString text, void *data) override;

    // Shows or hides the page with its account list; on showing, the first
    // listed account that is logged in is selected.
    void showPage(bool visible);
    // Only 1 (left), 2 (right), 32 (top) and 64 (bottom) are taken; the page is laid out at once.
    void setAccountsAlignment(int flag);
    int accountsAlignment() const { return m_alignment; }
    // The switcher's size; the next paint lays the page out.
    void setAvailableSize(const QSize &size) { m_availableSize = size; }
    QSize availableSize() const { return m_availableSize; }
    // Places the page and the account list in the switcher's page area.
    void layoutWithAccounts();

    // Sends each displayed account's orderable quantities to the account list.
    void queryCanOrderNum();

    // What the host says at this moment about the order of `input`, placed
    // within the instruction numbered `instructionKey` (none when empty).
    static CSpotOrderRules::Host orderHost(const CSpotOrderRules::Input &input,
                                           const std::string &instructionKey);

    void setStockCode(const QString &code);
    QString stockCode() const { return m_stockCode; }
    // Empties the order fields; the bond code and the account stay.
    void clearForm();
    void updateAmounts();

    // The form's parts (null when the deployment leaves them out).
    CStockCodeLineEdit *codeEdit() const { return m_codeEdit; }
    XP::CLineEdit *editor(int id) const;
    XP::CComboBox *categoryCombo() const { return m_categoryCombo; }
    COpButton *buyButton() const { return m_buyButton; }
    COpButton *sellButton() const { return m_sellButton; }
    XP::CWidgetList *contentList() const { return m_contentList; }
    XP::CWidgetList *form() const { return m_form; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildUi();
    XP::CWidgetList *addRow(const QString &label);
    void finishRow(XP::CWidgetList *row, QWidget *editor);
    COpButton *addButton(XP::CWidgetList *row, int id, int buttonType, const QString &text);
    void setReadOnlyForm();

    bool buildOrders(std::vector<ttservice::CCodeOrderParam> &orders, QString &error,
                     std::string &detail);
    CSpotOrderRules::Input formInput() const;
    double fullPrice() const;
    void showTip(QWidget *editor, const QString &text);
    void onAgreementNoEdited(const QString &text);

    int m_alignment = Qt::AlignRight;
    QSize m_availableSize { 0, 0 };
    QString m_stockCode;

    // All owned through Qt parentage.
    XP::CWidgetList *m_contentList = nullptr;
    XP::CWidgetList *m_form = nullptr;
    CStockCodeLineEdit *m_codeEdit = nullptr;
    XP::CLineEdit *m_nameEdit = nullptr;
    XP::CComboBox *m_categoryCombo = nullptr;
    XP::CLineEdit *m_quantityEdit = nullptr;
    XP::CLineEdit *m_priceEdit = nullptr;
    XP::CLineEdit *m_fullPriceEdit = nullptr;
    XP::CLineEdit *m_accruedEdit = nullptr;
    XP::CLineEdit *m_settlementEdit = nullptr;
    XP::CLineEdit *m_traderEdit = nullptr;
    XP::CLineEdit *m_agreementEdit = nullptr;
    COpButton *m_buyButton = nullptr;
    COpButton *m_sellButton = nullptr;
};

} // namespace TC
