#include "agreement/COpAgreementRepurchaseWidget.h"

#include "agreement/AgreementOperationTraits.h"
#include "agreement/AgreementVariantSupport.h"
#include "agreement/CAgreementConfirmWidget.h"
#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementRepurchaseWidgetAdvance.h"
#include "agreement/CAgreementRepurchaseWidgetChange.h"
#include "agreement/CAgreementRepurchaseWidgetConfirm.h"
#include "agreement/CAgreementRepurchaseWidgetDec.h"
#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementRepurchaseWidgetRelease.h"
#include "agreement/CAgreementRepurchaseWidgetRenew.h"
#include "agreement/CAgreementTableWidget.h"
#include "agreement/CAgreementTurnDealWidget.h"
#include "common/DeploymentRights.h"
#include "common/FiccEvents.h"
#include "tc/AccountHelper.h"
#include "tc/Services.h"
#include "xp/CFrameSplitterLine.h"
#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CWidgetList.h"

#include <QStringList>

#include <algorithm>
#include <initializer_list>

namespace TC {

namespace {

struct OperationButton
{
    int id;
    const char *text;
};

const OperationButton kButtons[] = {
    { 1000, "意向申报(沪)" }, { 1001, "成交申报" },   { 1002, "到期确认" }, { 1003, "提前购回" },
    { 1004, "到期续做" },     { 1005, "质押券变更" }, { 1006, "解除质押" },
};

// Whether the deployment offers an operation. Early repurchase is also
// offered to the sell-only desk.
bool buttonOffered(int id, const DeploymentRights &rights)
{
    return id == 1003 ? rights.earlyRepurchase : rights.agreementOperations;
}

// The operation widget of each id shows only for the operation types it works on.
bool widgetShownFor(int id, int type)
{
    const AgreementOperationTraits *traits = agreementOperationTraits(type);
    return traits && traits->buttonId == id;
}

} // namespace

COpAgreementRepurchaseWidget::COpAgreementRepurchaseWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_agreementrepurchasewidget"), false, parent)
{
    loadAccountKeys();
    buildUi();
}

COpAgreementRepurchaseWidget::~COpAgreementRepurchaseWidget() = default;

void COpAgreementRepurchaseWidget::loadAccountKeys()
{
    CUserConfig *config = getUserConfig();
    for (const CAccountPtr &account : config->getAccountDatas()) {
        if (!account)
            continue;
        const ttservice::CAccountInfoPtr info = account->getAccountInfo();
        const ttservice::CAccountDetailPtr detail
            = info ? config->getAccountDetail(*info) : nullptr;
        if (!detail)
            continue;
        if (isBrokerTypeMatchTradeType(info->brokerType, 1))
            m_accountKeys.insert(info->getKey());
    }
}

void COpAgreementRepurchaseWidget::buildUi()
{
    auto *outer = new XP::CWidgetList(Qt::Vertical, this);
    outer->setMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_buttonGroup = new XP::CPushButtonGroup(
        Qt::Horizontal, 0, QStringLiteral("clr_order_operation_background"), outer);
    m_buttonGroup->setSpacing(0);
    const XP::CButtonColorKeys colors { QStringLiteral("clr_basket_param_sell_btn_nomal"),
                                        QStringLiteral("clr_basket_param_sell_btn_hover"),
                                        QStringLiteral("clr_basket_param_sell_btn_press"),
                                        QStringLiteral("clr_basket_param_sell_btn_disable") };
    const DeploymentRights rights = currentDeploymentRights();
    bool has1000 = false;
    bool has1003 = false;
    for (const OperationButton &b : kButtons) {
        if (!buttonOffered(b.id, rights))
            continue;
        agreement::addModeButton(m_buttonGroup, colors, b.id, b.text)->setFixedWidth(100);
        has1000 = has1000 || b.id == 1000;
        has1003 = has1003 || b.id == 1003;
    }
    m_currentId = has1000 ? 1000 : (has1003 ? 1003 : -1);
    m_buttonGroup->setCheckedByID(m_currentId);
    m_buttonGroup->setFixedHeight(22);

    auto *line
        = new XP::CFrameSplitterLine(QStringLiteral("clr_operation_frame_line_color"), outer);
    line->setFixedHeight(1);
    line->setContentsMargins(0, 0, 3, 0);

    outer->addFixedSpace(2);
    outer->addFixedWidget(m_buttonGroup, 3);
    outer->addFixedSpace(2);
    outer->addFixedWidget(line, 3);

    auto *inner = new XP::CWidgetList(Qt::Horizontal, outer);
    const std::pair<int, IBaseAgreementRepurchaseWidget *> widgets[] = {
        { 1000, new CAgreementRepurchaseWidgetIntention(inner) },
        { 1001, new CAgreementRepurchaseWidgetDec(inner) },
        { 1002, new CAgreementRepurchaseWidgetConfirm(inner) },
        { 1003, new CAgreementRepurchaseWidgetAdvance(inner) },
        { 1004, new CAgreementRepurchaseWidgetRenew(inner) },
        { 1005, new CAgreementRepurchaseWidgetChange(inner) },
        { 1006, new CAgreementRepurchaseWidgetRelease(inner) },
    };
    for (const auto &entry : widgets) {
        entry.second->setAccountKeys(&m_accountKeys);
        entry.second->hide();
        inner->addStretchWidget(entry.second, 1, XP::CWidgetList::ANCHOR_FILL);
        m_operationWidgets[entry.first] = entry.second;
    }
    outer->addStretchWidget(inner, 1, XP::CWidgetList::ANCHOR_FILL);
    setInnerStretchWidget(outer, 0, 0, 0, 0);
    setFixedWidth(720);

    selectOperation(m_currentId);
}

IBaseAgreementRepurchaseWidget *COpAgreementRepurchaseWidget::currentOperationWidget() const
{
    return operationWidget(m_currentId);
}

IBaseAgreementRepurchaseWidget *COpAgreementRepurchaseWidget::operationWidget(int id) const
{
    const auto it = m_operationWidgets.find(id);
    return it == m_operationWidgets.end() ? nullptr : it->second;
}

void COpAgreementRepurchaseWidget::showPage(bool show)
{
    setVisible(show);
    if (show)
        updateOperationVisibility();
}

QString COpAgreementRepurchaseWidget::param() const
{
    // The checked button's id as the group gives it, "-1" when none is checked
    // (a deployment offering no agreement operation).
    return QString("%1").arg(m_buttonGroup ? m_buttonGroup->checkedId() : -1);
}

void COpAgreementRepurchaseWidget::setParam(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return;
    const int id = parts.first().toInt();
    if (m_buttonGroup)
        m_buttonGroup->setCheckedByID(id);
    selectOperation(id);
}

void COpAgreementRepurchaseWidget::selectOperation(int id)
{
    m_currentId = id;
    if (IBaseAgreementRepurchaseWidget *widget = currentOperationWidget())
        m_currentType = widget->operationType();
    updateOperationVisibility();
}

void COpAgreementRepurchaseWidget::updateOperationVisibility()
{
    // Only the chosen operation's widget shows; a chosen id without a widget shows none.
    for (const auto &entry : m_operationWidgets)
        entry.second->setVisible(entry.first == m_currentId
                                 && widgetShownFor(entry.first, m_currentType));

    static const AgreementOperationTraits none {};
    const AgreementOperationTraits *found = agreementOperationTraits(m_currentType);
    const AgreementOperationTraits &traits = found ? *found : none;
    const auto show = [](QWidget *table, bool visible) {
        table->setVisible(visible);
        return visible;
    };
    IBaseAgreementRepurchaseWidget *current = currentOperationWidget();
    if (m_contractTable && show(m_contractTable, traits.listsContracts))
        m_contractTable->setOperationWidget(current);
    if (m_pledgeBondTable && show(m_pledgeBondTable, traits.takesNewBonds))
        m_pledgeBondTable->clearCheckedRows();
    if (m_pledgePosTable && show(m_pledgePosTable, traits.takesPositions) && current)
        m_pledgePosTable->showAccountPositions(current->currentAccountKey(),
                                               current->operationType());
    if (m_turnDealTable && show(m_turnDealTable, traits.listsIntentions))
        m_turnDealTable->setOperationWidget(current);
    if (m_confirmTable && show(m_confirmTable, traits.listsDeclarations))
        m_confirmTable->setOperationWidget(current);
}

namespace {
QList<ttservice::CPledgedBondInfo>
toSelection(const std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> &rows)
{
    QList<ttservice::CPledgedBondInfo> list;
    for (const auto &row : rows) {
        if (row)
            list.append(*row);
    }
    return list;
}
} // namespace

void COpAgreementRepurchaseWidget::applyTableSelection()
{
    IBaseAgreementRepurchaseWidget *widget = currentOperationWidget();
    if (!widget)
        return;
    switch (widget->operationType()) {
    case OPT_AGREEMENT_DEAL_DECLARATION:
    case OPT_AGREEMENT_INTENTION_REPO:
    case OPT_AGREEMENT_PLEDGE_CHANGE:
        if (m_pledgePosTable) {
            widget->setPledgePosSelection(toSelection(m_pledgePosTable->checkedPositionBonds()));
            if (widget->operationType() == OPT_AGREEMENT_PLEDGE_CHANGE)
                widget->setPledgePosSecondSelection(
                    toSelection(m_pledgePosTable->checkedContractBonds()));
        }
        break;
    case OPT_AGREEMENT_INTENTION_REVERSE_REPO:
        if (m_pledgeBondTable)
            widget->setPledgeBondSelection(toSelection(m_pledgeBondTable->checkedPledgeBonds()));
        break;
    default:
        break;
    }
}

void COpAgreementRepurchaseWidget::declareDealFromTurnDeal(const QString &key)
{
    if (m_buttonGroup)
        m_buttonGroup->setCheckedByID(1001);
    selectOperation(1001);
    if (auto *dec = dynamic_cast<CAgreementRepurchaseWidgetDec *>(operationWidget(1001))) {
        dec->fillFromTurnDeal(key);
        m_currentType = OPT_AGREEMENT_DEAL_DECLARATION;
        updateOperationVisibility();
    }
}

void COpAgreementRepurchaseWidget::refreshOperations()
{
    for (const auto &entry : m_operationWidgets)
        entry.second->refreshAccountInfo();
}

bool COpAgreementRepurchaseWidget::handleEvent(int event, int a, int b, QString text, void *data)
{
    if (event == EVT_BUTTON_CHECKED) {
        IBaseAgreementRepurchaseWidget *current = currentOperationWidget();
        if (a >= 1000 && a <= 1006) {
            selectOperation(a);
        } else if ((a >= 100 && a <= 101) || (a >= 10 && a <= 11)) {
            // The intention widget has switched its side already.
            if (current)
                m_currentType = current->operationType();
            updateOperationVisibility();
        } else if (a >= 0 && a <= 8) {
            if (current)
                current->doOperation();
        }
        return true;
    }
    if (event == EVT_COMBO_CHANGED) {
        // A form's account changed: the tables follow the account.
        IBaseAgreementRepurchaseWidget *current = currentOperationWidget();
        const AgreementOperationTraits *traits
            = current ? agreementOperationTraits(current->operationType()) : nullptr;
        if (traits) {
            if (m_pledgePosTable && traits->takesPositions)
                m_pledgePosTable->showAccountPositions(current->currentAccountKey(),
                                                       current->operationType());
            if (m_contractTable && traits->listsContracts)
                m_contractTable->queryContracts(false);
            if (m_turnDealTable && traits->listsIntentions)
                m_turnDealTable->queryFromServer();
            if (m_confirmTable && traits->queriesDeclarations)
                m_confirmTable->queryPendingDeclarations();
        }
        return true;
    }
    return XP::CBaseWidget::handleEvent(event, a, b, text, data);
}

} // namespace TC
