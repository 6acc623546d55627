#include "shell/COperationFiccWidget.h"

#include "agreement/CAgreementConfirmWidget.h"
#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementTableWidget.h"
#include "agreement/CAgreementTurnDealWidget.h"
#include "agreement/COpAgreementRepurchaseWidget.h"
#include "common/FiccEvents.h"
#include "quotation/COpQuotationRepurchaseWidget.h"
#include "quotation/CQuotationTableWidget.h"
#include "spot/COpTransactionInCashWidget.h"
#include "tc/CCanOrderNum.h"
#include "tc/COpAccountsWidget.h"
#include "tc/COperationPushButtonGroup.h"
#include "tc/Services.h"
#include "xp/CPushButton.h"
#include "xp/CWidgetList.h"

#include <QMap>
#include <QPair>
#include <QResizeEvent>
#include <QStringList>

namespace TC {

namespace {
constexpr int kAnchorFill = 3;
} // namespace

COperationFiccWidget::COperationFiccWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_operationficcwidget"), false, parent)
{
    CUserConfig *config = getUserConfig();
    XP::CUiResource *theme = utils::CSingletonT<XP::CUiResource>::instance();

    auto *mainList = new XP::CWidgetList(Qt::Horizontal, this);
    mainList->setMargins(0, 0, 0, 0);
    mainList->setSpacing(2);

    m_tabGroup = new COperationPushButtonGroup(Qt::Vertical, 0, 5, false, mainList);
    m_tabGroup->addFixedSpace(10);
    m_tabGroup->setFixedWidth(theme->getSize(QStringLiteral("tc_siz_operation_tab_width")));
    int defaultMode = 0;

    // The quotation table exists whatever is offered, and is never shown.
    m_quotationTable = new CQuotationTableWidget(mainList);
    m_quotationTable->hide();

    XP::CPushButton *lastTab = nullptr;
    if (config->hasQuotationRepurchase()) {
        lastTab = addTab(MODE_QUOTATION_REPURCHASE, QStringLiteral("报价回购"));
        m_quotationPage = new COpQuotationRepurchaseWidget(mainList);
        m_quotationPage->setQuotationTableWidget(m_quotationTable);
        if (!defaultMode)
            defaultMode = MODE_QUOTATION_REPURCHASE;
    }

    if (config->hasPledgeAgreeRepurchase()) {
        lastTab = addTab(MODE_AGREEMENT_REPURCHASE, QStringLiteral("协议回购"));
        // Built in the main list, where it goes below: moving a built subtree
        // under another parent restyles every widget in it (the application
        // style sheet).
        m_agreementList = new XP::CWidgetList(Qt::Vertical, mainList);
        const int minHeight
            = theme->getSize(QStringLiteral("tc_siz_operation_panel_accounts_min_height"));
        m_contractTable = new CAgreementTableWidget(m_agreementList);
        m_contractTable->hide();
        m_pledgeBondTable = new CAgreementPledgeBondWidget(true, m_agreementList);
        m_pledgeBondTable->setMinimumHeight(minHeight);
        m_pledgeBondTable->hide();
        m_pledgePosTable = new CAgreementPledgePosWidget(true, m_agreementList);
        m_pledgePosTable->setMinimumHeight(minHeight);
        m_pledgePosTable->hide();
        m_turnDealTable = new CAgreementTurnDealWidget(m_agreementList);
        m_confirmTable = new CAgreementConfirmWidget(m_agreementList);
        m_confirmTable->hide();

        m_agreementPage = new COpAgreementRepurchaseWidget(mainList);
        m_agreementPage->hide();
        m_agreementPage->setContractTableWidget(m_contractTable);
        m_agreementPage->setPledgeBondWidget(m_pledgeBondTable);
        m_agreementPage->setPledgePosWidget(m_pledgePosTable);
        m_agreementPage->setTurnDealWidget(m_turnDealTable);
        m_agreementPage->setConfirmWidget(m_confirmTable);

        m_agreementList->addStretchWidget(m_contractTable, 1, kAnchorFill, false);
        m_agreementList->addStretchWidget(m_pledgeBondTable, 1, kAnchorFill, false);
        m_agreementList->addStretchWidget(m_pledgePosTable, 1, kAnchorFill, false);
        m_agreementList->addStretchWidget(m_turnDealTable, 1, kAnchorFill, false);
        m_agreementList->addStretchWidget(m_confirmTable, 1, kAnchorFill, false);
        if (!defaultMode)
            defaultMode = MODE_AGREEMENT_REPURCHASE;
    }

    if (config->hasSpotTrade()) {
        m_spotAccounts = new COpAccountsWidget(4, true, true, this, 1);
        m_spotAccounts->setTradeOpType(OPT_SPOT_BOND_TRADE);
        m_spotAccounts->setSplitVisible(false);
        m_spotAccounts->hide();
        m_spotAccounts->setMinimumHeight(
            theme->getSize(QStringLiteral("tc_siz_operation_panel_accounts_min_height")));
        lastTab = addTab(MODE_SPOT_BOND_TRADE, QStringLiteral("现券交易"));
        m_spotPage = new COpTransactionInCashWidget(mainList);
        m_spotPage->hide();
        m_spotPage->setAccountsWidget(m_spotAccounts);
        if (!defaultMode)
            defaultMode = MODE_SPOT_BOND_TRADE;
    }

    // The last tab closes the column with its own image.
    if (lastTab)
        lastTab->setJiuGongImage(QStringLiteral("tc_img_btn_left_tab_mode"), 3, 18, 3, 56);

    m_tabGroup->setFixedWidth(theme->getSize(QStringLiteral("tc_siz_operation_tab_width")));
    mainList->addFixedWidget(m_tabGroup, kAnchorFill, false);
    m_tabGroup->raise();

    if (m_quotationPage)
        mainList->addFixedWidget(m_quotationPage, kAnchorFill, false);
    if (m_agreementPage)
        mainList->addFixedWidget(m_agreementPage, kAnchorFill, false);
    mainList->addStretchWidget(m_quotationTable, 1, kAnchorFill, false);
    if (m_agreementList) {
        mainList->addStretchWidget(m_agreementList, 1, kAnchorFill, false);
        m_agreementList->raise(); // the last of the main list's children, as when moved in
    }

    setInnerStretchWidget(mainList, 0, 0, 0, 0);

    if (defaultMode) {
        m_tabGroup->setCheckedByID(defaultMode);
        switchToMode(defaultMode);
    }
}

COperationFiccWidget::~COperationFiccWidget() = default;

XP::CPushButton *COperationFiccWidget::addTab(int id, const QString &text)
{
    auto *button = new XP::CPushButton(QStringLiteral("tc_img_btn_left_tab_top"), id, 3, 18, 3, 56,
                                       m_tabGroup);
    button->setText(text);
    button->setTextColor(
        QStringLiteral("clr_text_left_tab_inactive"), QStringLiteral("clr_text_left_tab_inactive"),
        QStringLiteral("clr_text_left_tab_active"), QStringLiteral("clr_text_left_tab_inactive"));
    button->setHorizontalText(false);
    button->setFixedHeight(80);
    button->setTextMargins(0, 0, 5, 0);
    m_tabGroup->addPushButton(button, false);
    return button;
}

ETradeOperationType COperationFiccWidget::operationTypeOfMode(int mode)
{
    switch (mode) {
    case MODE_AGREEMENT_REPURCHASE:
        return OPT_AGREEMENT_DEAL_DECLARATION;
    case MODE_SPOT_BOND_TRADE:
        return OPT_SPOT_BOND_TRADE;
    case MODE_QUOTATION_REPURCHASE:
    default:
        return OPT_QUOTATION_REPURCHASE;
    }
}

void COperationFiccWidget::switchToMode(int mode)
{
    switch (mode) {
    case MODE_QUOTATION_REPURCHASE:
        if (m_agreementPage) {
            m_agreementPage->showPage(false);
            m_agreementList->hide();
        }
        if (m_spotPage)
            m_spotPage->showPage(false);
        if (m_quotationPage)
            m_quotationPage->showPage(true);
        break;
    case MODE_AGREEMENT_REPURCHASE:
        if (m_quotationPage)
            m_quotationPage->showPage(false);
        if (m_agreementPage) {
            m_agreementPage->showPage(true);
            m_agreementList->show();
        }
        if (m_spotPage)
            m_spotPage->showPage(false);
        break;
    case MODE_SPOT_BOND_TRADE:
        if (m_quotationPage)
            m_quotationPage->showPage(false);
        if (m_agreementPage) {
            m_agreementPage->showPage(false);
            m_agreementList->hide();
        }
        if (m_spotPage)
            m_spotPage->showPage(true);
        break;
    default:
        break;
    }
}

void COperationFiccWidget::setParam(const QString &text)
{
    const QStringList fields = text.split(QLatin1Char('/'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (!fields.isEmpty()) {
        bool ok = false;
        int mode = fields.at(0).toInt(&ok, 10);
        if (!ok)
            mode = 0;
        // Asked of the configuration again: a saved mode whose business was
        // since withdrawn is ignored.
        const CUserConfig *config = getUserConfig();
        const bool offered = (mode == MODE_QUOTATION_REPURCHASE && config->hasQuotationRepurchase())
            || (mode == MODE_AGREEMENT_REPURCHASE && config->hasPledgeAgreeRepurchase())
            || (mode == MODE_SPOT_BOND_TRADE && config->hasSpotTrade());
        if (offered) {
            m_tabGroup->setCheckedByID(mode);
            switchToMode(mode);
        }
    }
    if (fields.size() >= 2 && m_quotationPage)
        m_quotationPage->setParam(fields.at(1));
    if (fields.size() >= 3 && m_agreementPage)
        m_agreementPage->setParam(fields.at(2));
}

QString COperationFiccWidget::param()
{
    QStringList fields;
    // No tab is checked only when nothing is offered: the mode field stays empty.
    const int mode = m_tabGroup->checkedId();
    fields << (mode >= 0 ? QString("%1").arg(mode, 0, 10, QLatin1Char(' ')) : QString());
    if (m_quotationPage || m_agreementPage)
        fields << (m_quotationPage ? m_quotationPage->param() : QString());
    if (m_agreementPage)
        fields << m_agreementPage->param();
    return fields.join(QLatin1Char('/'));
}

void COperationFiccWidget::setCurrentOperationType(ETradeOperationType type)
{
    int mode = 0;
    switch (type) {
    case OPT_QUOTATION_REPURCHASE:
        mode = MODE_QUOTATION_REPURCHASE;
        break;
    case OPT_AGREEMENT_DEAL_DECLARATION:
        mode = MODE_AGREEMENT_REPURCHASE;
        break;
    case OPT_SPOT_BOND_TRADE:
        mode = MODE_SPOT_BOND_TRADE;
        break;
    default:
        return;
    }
    m_tabGroup->setCheckedByID(mode);
    switchToMode(mode);
}

void COperationFiccWidget::refreshAccounts()
{
    if (m_agreementPage)
        m_agreementPage->refreshOperations();
    if (m_confirmTable)
        m_confirmTable->queryPendingDeclarations();
}

void COperationFiccWidget::loadAccountGroupSettings()
{
    if (m_spotAccounts)
        m_spotAccounts->loadAccountGroupSettings();
}

void COperationFiccWidget::doSlotCanOrderNum()
{
    if (m_spotPage)
        m_spotPage->queryCanOrderNum();
}

void COperationFiccWidget::resizeEvent(QResizeEvent *event)
{
    XP::CBaseWidget::resizeEvent(event);
    if (m_spotPage)
        m_spotPage->setAvailableSize(size());
}

bool COperationFiccWidget::handleEvent(int event, int a, int b, QString text, void *data)
{
    switch (event) {
    case EVT_BUTTON_CHECKED: {
        const ETradeOperationType type = operationTypeOfMode(a);
        m_currentOperationType = type;
        if (m_spotAccounts) {
            m_spotAccounts->setTradeOpType(type);
            if (type == OPT_SPOT_BOND_TRADE)
                m_spotAccounts->setOperationType(ttservice::OPERATION_TYPE_BUY);
        }
        switchToMode(a);
        return true;
    }
    case EVT_ACCOUNTS_ALIGNMENT:
        if (m_spotPage)
            m_spotPage->setAccountsAlignment(b);
        return true;
    case EVT_ACCOUNT_SPLIT_VOLUME:
        if (data && m_spotAccounts)
            m_spotAccounts->setAccountSplitVol(
                *static_cast<QMap<std::string, QPair<double, double>> *>(data));
        return true;
    case EVT_CAN_ORDER_NUM:
        if ((a == ttservice::OPERATION_TYPE_BUY || a == ttservice::OPERATION_TYPE_SELL) && data
            && m_spotAccounts)
            m_spotAccounts->setCanOrderNum(text.toUtf8().toStdString(),
                                           *static_cast<CCanOrderNum *>(data));
        return true;
    case EVT_SELECTED_ACCOUNTS_CHANGED:
        if (m_spotAccounts && m_spotPage) {
            for (const QString &key : m_spotAccounts->getSelectedAccounts())
                m_spotPage->setCurrentAccount(key.toUtf8().toStdString());
        }
        return true;
    case EVT_PLEDGE_SELECTION_CHANGED:
        if (m_agreementPage)
            m_agreementPage->applyTableSelection();
        return true;
    case EVT_TURN_DEAL_CHOSEN:
        if (m_agreementPage)
            m_agreementPage->declareDealFromTurnDeal(text);
        return true;
    case EVT_CONTRACT_CHOSEN:
        if (m_pledgePosTable)
            m_pledgePosTable->showContractBonds(text.toUtf8().toStdString());
        return true;
    default:
        return XP::CBaseWidget::handleEvent(event, a, b, text, data);
    }
}

} // namespace TC
