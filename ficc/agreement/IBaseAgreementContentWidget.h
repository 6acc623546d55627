#pragma once

#include "agreement/CAgreementCalculator.h"
#include "agreement/CAgreementDealerCells.h"
#include "agreement/CAgreementOrderBuilder.h"
#include "tc/CTradingCalendar.h"
#include "tc/TradeOperationType.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CCodeOrderParam.h"
#include "ttservice/CPledgedBondInfo.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "xp/CBaseWidget.h"

#include <QList>
#include <QString>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace XP {
class CAutoKeyboardLineEdit;
class CComboBox;
class CLineEdit;
class CParameterCell;
class CPortfolioSearchModel;
class CPushButton;
class CSimpleTextWidget;
class CWidgetList;
} // namespace XP

namespace TC {

struct AgreementOperationTraits;

// The input form of an agreement repurchase operation. Built for one operation
// type, it shows the cells that operation needs in two columns, fills itself
// from the account, a picked contract, a turn-deal row or the pledge tables,
// completes dealers, subjects and traders from the dealer directory, and keeps
// the variety, settlement dates, occupied days, interest, maturity amount and
// conversion ratio up to date while the trader types. The operation widgets
// embed it and talk to it only through the operations below.
class IBaseAgreementContentWidget : public XP::CBaseWidget
{
public:
    // Ids of the cells, as their events carry them. The days cell
    // ("回购天数"/"续做天数") and "折算比例" share id 2.
    enum ECellId {
        CELL_ACCOUNT = 0,
        CELL_FUNDS = 1,
        CELL_DAYS = 2,
        CELL_RATIO = 2,
        CELL_AMOUNT = 3,
        CELL_RATE = 4,
        CELL_ACTUAL_DAYS = 5,
        CELL_INTEREST = 6,
        CELL_MATURITY_AMOUNT = 7,
        CELL_CONTRACT_NO = 8,
        CELL_VARIETY = 9,
        CELL_FIRST_SETTLE_DATE = 10,
        CELL_MATURITY_SETTLE_DATE = 11,
        CELL_DEALER = 12,
        CELL_SUBJECT = 13,
        CELL_COUNTERPARTY_SUBJECT = 14,
        CELL_CONTACT_PERSON = 15,
        CELL_CONTACT_METHOD = 16,
        CELL_ORIGINAL_PLEDGE_CODE = 17,
        CELL_ORIGINAL_PLEDGE_AMOUNT = 18,
        CELL_TRADER = 19,
        CELL_COUNTERPARTY_TRADER = 20,
        CELL_COUNTERPARTY_DEALER = 21,
        CELL_COUNTERPARTY_DEALER_NAME = 22,
        CELL_SUPPLEMENTARY_TERMS = 23,
        CELL_ORIGINAL_INTEREST = 24,
        CELL_RENEW_TYPE = 25,
        CELL_SETTLEMENT_AMOUNT = 26,
        CELL_SWAP_INCOME = 27,
        CELL_SUBJECT_TYPE = 28,
        CELL_IMPORT = 29,
    };

    // The editors of the form; null when the operation type has no such cell.
    // Dealer, subject and trader cells are reached through dealerCell().
    struct Cells
    {
        XP::CComboBox *account = nullptr; // 资金账号: text account id, data account key
        XP::CParameterCell *funds = nullptr; // 可用资金
        XP::CLineEdit *contractNo = nullptr; // 合同编号
        XP::CComboBox *renewType = nullptr; // 续做类型: data 48 or 49
        XP::CParameterCell *days = nullptr; // 续做天数 or 回购天数
        XP::CLineEdit *variety = nullptr; // 回购品种
        XP::CParameterCell *rate = nullptr; // 回购利率, percent
        XP::CParameterCell *amount = nullptr; // 回购金额
        XP::CLineEdit *firstSettleDate = nullptr; // 首次结算日期, yyyyMMdd
        XP::CLineEdit *maturitySettleDate = nullptr; // 到期结算日期, yyyyMMdd
        XP::CParameterCell *actualDays = nullptr; // 实际占款天数
        XP::CParameterCell *originalInterest = nullptr; // 原回购利息
        XP::CParameterCell *interest = nullptr; // 回购利息
        XP::CParameterCell *maturityAmount = nullptr; // 到期结算金额
        XP::CLineEdit *contactPerson = nullptr; // 联系人
        XP::CLineEdit *contactMethod = nullptr; // 联系方式
        XP::CLineEdit *originalPledgeCode = nullptr; // 原质押代码
        XP::CParameterCell *originalPledgeAmount = nullptr; // 原质押金额
        XP::CLineEdit *counterpartyDealerName = nullptr; // 对手交易商名称
        XP::CParameterCell *ratio = nullptr; // 折算比例, percent
        XP::CLineEdit *supplementaryTerms = nullptr; // 补充条款
        XP::CParameterCell *settlementAmount = nullptr; // 结算金额
        XP::CParameterCell *swapIncome = nullptr; // 换出孳息
        XP::CPushButton *importButton = nullptr; // 导入交易商
        XP::CComboBox *subjectType = nullptr; // 主体类型: data 2, 0, 1 or 3
    };

    // A row of the form as it was built.
    struct Field
    {
        int id = 0;
        QString label;
        int column = 1; // 1 or 2
        QWidget *editor = nullptr; // the combo, cell, line edit, dealer cell or button
    };

    using PledgeRows = QList<ttservice::CPledgedBondInfo>;

    IBaseAgreementContentWidget(ETradeOperationType type, QWidget *parent,
                                const QString &objectName, bool styledBackground);
    ~IBaseAgreementContentWidget() override;

    ETradeOperationType operationType() const { return m_operationType; }
    const Cells &cells() const { return m_cells; }
    const std::vector<Field> &fields() const { return m_fields; }
    // Labels of one column, top to bottom.
    QStringList columnLabels(int column) const;
    // The dealer (12, 21), subject (13, 14) and trader (19, 20) cells, or null.
    XP::CAutoKeyboardLineEdit *dealerCell(int id) const { return m_dealerCells.cell(id); }
    XP::CPortfolioSearchModel *dealerCellModel(int id) const { return m_dealerCells.model(id); }

    // Fills the account combo with the configured accounts among `keys`.
    void setAccountKeys(const std::set<std::string> &keys);
    const std::set<std::string> &accountKeys() const { return m_accountKeys; }
    // Key of the current account; empty without an account combo.
    QString currentAccountKey() const;
    void setCurrentAccount(const QString &key);
    // Shows the funds, announces the account (event 71) and subscribes to it.
    void refreshAccountInfo();
    // The current account's data; null (and logged) when the data centre has none.
    ttservice::CAccountDataPtr getAccountDataPtr();

    // Fills the form from the account's contract `contractKey` (type 788).
    void setContract(const std::string &contractKey);
    // Between these two calls (they nest) the contract table hands the form
    // every choosable contract of an answer in turn. Only what the last of
    // them leaves on screen is laid out: the keys are noted, and at the end
    // the form is filled from the last contract, preceded by the last one to
    // fill each cell only some contracts fill (an SZ settlement amount, the
    // original pledge code, a settled maturity amount), so that the form ends
    // exactly as contract-by-contract filling would leave it.
    void beginContractFill();
    void endContractFill();
    const std::string &contractKey() const { return m_contractKey; }
    void contractListReloaded() { }
    // Fills days, rate and counterparty from the intention order `turnDealKey` (type 793).
    void fillFromTurnDeal(const QString &turnDealKey);
    // The ticked rows of the pledge bond or pledged position table.
    void setPledgeSelection(const PledgeRows &rows);
    // The bonds swapped out of a pledge change.
    void setSecondPledgeSelection(const PledgeRows &rows);
    const PledgeRows &firstSelection() const { return m_firstSelection; }
    const PledgeRows &secondSelection() const { return m_secondSelection; }
    double firstSelectionTotal() const { return m_firstSelectionTotal; }
    double secondSelectionTotal() const { return m_secondSelectionTotal; }

    // Code of the "  交易员" cell (its text up to the first blank).
    std::string traderCode() const;
    // The code part of a dealer cell; empty for a missing cell.
    QString dealerCode(int id) const { return m_dealerCells.code(id); }

    const std::string &market() const { return m_market; }
    ttservice::CBondInfoDetailPtr selectedVariety() const { return m_selectedVariety; }
    // Repurchase varieties of "SH" or "SZ", in instrument directory order.
    CAgreementCalculator::VarietyList varieties(const std::string &market) const;

    // Applies the enabled rules of the deployment and market.
    void updateEnabledFields();
    // Reads the repurchase varieties from the instrument directory, until found.
    void loadRepurchaseVarieties();

    // The trading calendar the settlement dates are worked out on; the host's
    // around today unless set.
    const CTradingCalendar::DayMap &tradingCalendar() const { return m_tradingCalendar; }
    void setTradingCalendar(const CTradingCalendar::DayMap &calendar);
    void reloadTradingCalendar();

    // The derived values, in order: funds, variety, dates, occupied days,
    // interest and maturity amount, contract settlement, conversion ratio.
    void recalculate();
    void setSettleAccountDate();
    void recalculateContractSettlement();
    void updateConversionRatio();

    // The form's values as the order rules read them.
    CAgreementOrderBuilder::Input orderInput();
    // The first failed input check; false with its message in `error`.
    bool checkOrderInput(QString &error);
    // The counter's operation code of the order; -1 without a usable contract.
    int orderOperationType();
    // Checks the input and builds the order; `text` is not used.
    bool buildOrders(std::vector<ttservice::CCodeOrderParam> &orders, QString &error,
                     QString &text);
    // The instruction an order must fit; none (empty) unless one is given.
    const std::string &instructionKey() const { return m_instructionKey; }
    void setInstructionKey(const std::string &key) { m_instructionKey = key; }

    bool handleEvent(int event, int a, int b, QString text, void *data) override;
    void setFixFont() override;

private:
    void buildUi();
    void showAvailableFunds();
    void importDealers();
    void selectVarietyForDays(int days, CAgreementCalculator::EVarietyMatch match);
    ttservice::CRepurchaseAgreementContractInfoPtr findContract(const std::string &key);
    void fillFromContract(const ttservice::CRepurchaseAgreementContractInfo &contract);
    // Which of the cells that only some contracts fill `contract` fills, on
    // `today` (yyyyMMdd); with no contract, which of them the form has.
    unsigned partialCellsFilledBy(const ttservice::CRepurchaseAgreementContractInfo *contract,
                                  int today) const;
    bool hasType(std::initializer_list<int> types) const;
    // What the form's operation is; null for a type that is no agreement operation.
    const AgreementOperationTraits *traits() const;

    Cells m_cells;
    std::set<std::string> m_accountKeys;
    const ETradeOperationType m_operationType;
    std::map<std::string, CAgreementCalculator::VarietyList> m_varietyTable;
    CTradingCalendar::DayMap m_tradingCalendar;
    PledgeRows m_firstSelection;
    PledgeRows m_secondSelection;
    std::string m_contractKey;
    // The keys handed over during a contract fill, and the account's data.
    struct ContractFill
    {
        int depth = 0;
        ttservice::CAccountDataPtr data;
        std::vector<std::string> keys;
    } m_contractFill;
    std::string m_instructionKey;
    ttservice::CBondInfoDetailPtr m_selectedVariety;
    ttservice::CSubscribeRequestPtr m_accountSubscription;
    std::string m_market = "SH";
    double m_firstSelectionTotal = 0.0;
    double m_secondSelectionTotal = 0.0;
    bool m_varietiesLoaded = false;
    CAgreementDealerCells m_dealerCells; // the dealer cells and their directory models

    std::vector<Field> m_fields;
    QList<XP::CWidgetList *> m_rows; // owned through Qt parentage
    QList<XP::CSimpleTextWidget *> m_labels;
};

} // namespace TC
