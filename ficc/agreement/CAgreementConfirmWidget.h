#pragma once

#include "tc/CAccount.h"
#include "tc/TradeOperationType.h"
#include "ttservice/Bson.h"
#include "ttservice/CAccountInfo.h"
#include "ttservice/CCodeOrderParam.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "utils/CDeliveryGuard.h"
#include "utils/TTError.h"
#include "xp/CBaseWidget.h"

#include <QString>

#include <boost/shared_ptr.hpp>

#include <map>
#include <string>
#include <vector>

namespace ttservice {
class CInstrumentCenter;
}

class QTimer;

namespace XP {
struct CTableCellEdit;
class COddEvenRowTable;
class CSimpleTextWidget;
class CSmallNoNormalButton;
} // namespace XP

namespace TC {

class CPledgeBondInfoDialog;
class IBaseAgreementRepurchaseWidget;

// The "待确认申报" table of agreement repurchase: the deal declarations (type
// 795) that counterparties addressed to the trader in the form's 交易员 cell,
// each under the operation it asks of this side (成交申报, 提前购回, 到期续做,
// 质押券变更, 解除质押). A row's 确定 button answers its declaration with an
// order to the command centre, after the trader's yes; the counterparty
// cells, the pledgee and the client name may be corrected in the row first.
class CAgreementConfirmWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    // Operation codes of the confirmations at the counter.
    enum EConfirmOperation {
        OP_INVALID = -1,
        OP_CONFIRM_DEAL = 1065,
        OP_CONFIRM_RENEWAL = 1067,
        OP_CONFIRM_PLEDGE_CHANGE = 1070,
        OP_CONFIRM_EARLY_REPURCHASE_REPO = 1072,
        OP_CONFIRM_PLEDGE_RELEASE_REPO = 1075,
        OP_CONFIRM_EARLY_REPURCHASE_REVERSE = 1092,
        OP_CONFIRM_PLEDGE_RELEASE_REVERSE = 1095,
    };

    // Columns of the table; those marked editable take the trader's corrections.
    enum EColumn {
        ColAccountId,
        ColAccountName,
        ColMarket,
        ColPledgedBonds,
        ColDeclareType,
        ColConversionRatio,
        ColAmount,
        ColDays,
        ColDirection,
        ColRate,
        ColMaturityDate,
        ColMaturityAmount,
        ColPriorApplyDate,
        ColActualRepurchaseDate,
        ColTrader, // editable
        ColDealer, // editable
        ColDealerName, // editable
        ColCounterpartyTrader, // editable
        ColCounterpartyDealer, // editable
        ColCounterpartyDealerName, // editable
        ColSupplementaryTerms,
        ColTradingEntity,
        ColCounterpartyEntity,
        ColPledgee, // editable
        ColRenewType,
        ColAction,
        ColReleaseSettleAmount,
        ColCounterpartyClientName, // editable
        ColOwnerType,
        ColumnCount
    };

    explicit CAgreementConfirmWidget(QWidget *parent);
    ~CAgreementConfirmWidget() override;

    void setOperationWidget(IBaseAgreementRepurchaseWidget *widget);
    IBaseAgreementRepurchaseWidget *operationWidget() const { return m_operationWidget; }
    void setOperationType(ETradeOperationType type);
    ETradeOperationType operationType() const { return m_operationType; }
    void updateTableDataFromCache();
    // Asks the trade client for the declarations waiting for the form's trader.
    void queryPendingDeclarations();
    // Answers the declaration of `row`; `answer` 0 confirms (the only answer
    // the table offers).
    void doOperation(unsigned int row, int answer);
    // The confirmation order of `row`; false with `errorText` set, and nothing
    // appended, when the declaration cannot be answered.
    bool buildOrder(std::vector<ttservice::CCodeOrderParam> &orders, unsigned int row, int answer,
                    QString &errorText) const;

    // The rules of a confirmation, apart from the table.
    // Whether a declaration of `declareType` is listed under `type`.
    static bool keepsDeclaration(ETradeOperationType type, int declareType);
    // The counter's code of confirming under `type` a declaration of `direction`.
    static int confirmationOperationType(ETradeOperationType type, int direction);
    // What a confirmation is checked against and built from: the
    // declaration's account as the user configuration holds it (null when it
    // holds none), the instrument directory and the user's name (UTF-8).
    struct ConfirmationInputs
    {
        CAccountPtr account;
        const ttservice::CInstrumentCenter *instruments = nullptr;
        std::string userName;
    };
    // The inputs of `declaration`, read from the host's services.
    static ConfirmationInputs
    confirmationInputs(const ttservice::CRepurchasePendingOrder &declaration);
    // The order confirming `declaration` under `type`, with `subjectType` as
    // the owner type; false with `errorText` set when it cannot be built.
    static bool buildConfirmation(const ttservice::CRepurchasePendingOrder &declaration,
                                  ETradeOperationType type, int subjectType,
                                  const ConfirmationInputs &inputs,
                                  ttservice::CCodeOrderParam &order, QString &errorText);
    // The same with the inputs read from the host's services.
    static bool buildConfirmation(const ttservice::CRepurchasePendingOrder &declaration,
                                  ETradeOperationType type, int subjectType,
                                  ttservice::CCodeOrderParam &order, QString &errorText);

    XP::COddEvenRowTable *table() const { return m_table; }
    XP::CSmallNoNormalButton *refreshButton() const { return m_refreshButton; }
    CPledgeBondInfoDialog *pledgeBondDialog() const { return m_pledgeBondDialog; }
    // The declaration shown in a row (id from appendRow), null when none.
    ttservice::CRepurchasePendingOrderPtr rowDeclaration(int row) const;
    const std::vector<ttservice::IDataPtr> &cachedDeclarations(ETradeOperationType type) const;

    bool handleEvent(int type, int id, int param, QString text, void *data) override;

Q_SIGNALS:
    void signal_queryAgreementContract(utils::TTError error,
                                       std::vector<ttservice::IDataPtr> records, bson::bo raw,
                                       std::string accountKey,
                                       TC::ETradeOperationType operationType);

public Q_SLOTS:
    void slot_queryAgreementContract(const utils::TTError &error,
                                     const std::vector<ttservice::IDataPtr> &records, bson::bo raw,
                                     const std::string &accountKey,
                                     TC::ETradeOperationType operationType);
    void slotDeliveryStatus(ttservice::CAccountInfoPtr accountInfo, bool flag, std::string text);
    void slotNewTradingDay(const std::string &tradingDate, const std::string &previousDate);

private:
    void buildColumns();
    void fillTable(const std::vector<ttservice::IDataPtr> &declarations,
                   const ttservice::CAccountInfoPtr &accountInfo);
    void addRow(const ttservice::CRepurchasePendingOrderPtr &declaration, bool readOnly);
    void openPledgeBondDialog(int row);
    void takeOwnerType(int row, const void *data);
    // A corrected text of an editable column goes into the row's declaration,
    // so that the confirmation carries it; a reload from the host replaces it.
    void takeEdit(const XP::CTableCellEdit &edit);
    // The owner type chosen in the row's combo box, else the declaration's.
    int ownerTypeOf(int row, const ttservice::CRepurchasePendingOrder &declaration) const;

    XP::CSimpleTextWidget *m_titleText = nullptr; // owned through Qt parentage
    XP::CSmallNoNormalButton *m_refreshButton = nullptr;
    XP::COddEvenRowTable *m_table = nullptr;
    ETradeOperationType m_operationType = OPT_NONE;
    IBaseAgreementRepurchaseWidget *m_operationWidget = nullptr; // not owned: the page owns it
    std::map<ETradeOperationType, std::vector<ttservice::IDataPtr>> m_declarationCache;
    // The declaration of each row, by the row id appendRow() gave.
    std::map<int, ttservice::CRepurchasePendingOrderPtr> m_rowDeclarations;
    CPledgeBondInfoDialog *m_pledgeBondDialog = nullptr; // made on first use, a child
    QTimer *m_refreshTimer = nullptr; // a child: 刷新 comes back after 30 s without an answer
    // Answers of the trade client come from its thread; they reach this
    // widget only while it lives.
    utils::CDeliveryGuard m_delivery;
};

} // namespace TC
