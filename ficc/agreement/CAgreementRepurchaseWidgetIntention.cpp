#include "agreement/CAgreementRepurchaseWidgetIntention.h"

#include "agreement/AgreementVariantSupport.h"
#include "agreement/IBaseAgreementContentWidget.h"
#include "common/FiccEvents.h"
#include "utils/TTLog.h"
#include "xp/CButtonColorKeys.h"
#include "xp/CFrameSplitterLine.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CWidgetList.h"

#include <QStringList>

namespace TC {

CAgreementRepurchaseWidgetIntention::CAgreementRepurchaseWidgetIntention(QWidget *parent)
    : IBaseAgreementRepurchaseWidget(parent)
{
    buildUi();
    setFocusPolicy(Qt::StrongFocus);
    setOperationType(OPT_AGREEMENT_INTENTION_REPO);
}

CAgreementRepurchaseWidgetIntention::~CAgreementRepurchaseWidgetIntention() = default;

void CAgreementRepurchaseWidgetIntention::buildUi()
{
    auto *outer = new XP::CWidgetList(Qt::Vertical, this);
    outer->setMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_sideGroup = new XP::CPushButtonGroup(Qt::Horizontal, 0,
                                           QStringLiteral("clr_order_operation_background"), outer);
    m_sideGroup->setSpacing(0);
    m_sideGroup->setFixedSize(260, 25);
    struct SideButton
    {
        int id;
        const char *text;
        const char *colour; // "buy" or "sell"
    };
    for (const SideButton &s : { SideButton { SIDE_REPO, "正回购", "buy" },
                                 SideButton { SIDE_REVERSE_REPO, "逆回购", "sell" } }) {
        const QString base = QStringLiteral("clr_basket_param_%1_btn_").arg(s.colour);
        const XP::CButtonColorKeys colors { base + "nomal", base + "hover", base + "press",
                                            base + "disable" };
        agreement::addModeButton(m_sideGroup, colors, s.id, s.text);
    }
    m_sideGroup->setCheckedByID(SIDE_REPO);
    m_sideGroup->setFixedHeight(22);

    auto *line
        = new XP::CFrameSplitterLine(QStringLiteral("clr_operation_frame_line_color"), outer);
    line->setFixedHeight(1);
    line->setContentsMargins(0, 0, 3, 0);
    outer->addFixedSpace(2);
    outer->addFixedWidget(m_sideGroup, XP::CWidgetList::ANCHOR_FILL);
    outer->addFixedSpace(2);
    outer->addFixedWidget(line, XP::CWidgetList::ANCHOR_FILL);

    const QString formName = QStringLiteral("zolp_quvio_basewidget");
    m_repoForm
        = new IBaseAgreementContentWidget(OPT_AGREEMENT_INTENTION_REPO, outer, formName, false);
    m_sideForms[SIDE_REPO] = m_repoForm;
    m_repoForm->setFixedHeight(320);
    m_reverseRepoForm = new IBaseAgreementContentWidget(OPT_AGREEMENT_INTENTION_REVERSE_REPO, outer,
                                                        formName, false);
    m_reverseRepoForm->hide();
    m_sideForms[SIDE_REVERSE_REPO] = m_reverseRepoForm;
    m_reverseRepoForm->setFixedHeight(320);
    m_side = SIDE_REPO;
    outer->addFixedWidget(m_repoForm, XP::CWidgetList::ANCHOR_FILL);
    outer->addFixedWidget(m_reverseRepoForm, XP::CWidgetList::ANCHOR_FILL);

    auto *row = new XP::CWidgetList(Qt::Horizontal, outer);
    row->setMargins(10, 0, 0, 0);
    row->setSpacing(0);
    m_repoButton = agreement::makeOrderButton(0, 3, QStringLiteral("正回购"), row);
    m_reverseRepoButton = agreement::makeOrderButton(1, 0, QStringLiteral("逆回购"), row);
    m_reverseRepoButton->hide();
    row->addStretchSpace(1);
    row->addFixedWidget(m_repoButton, XP::CWidgetList::ANCHOR_FILL);
    row->addFixedWidget(m_reverseRepoButton, XP::CWidgetList::ANCHOR_FILL);
    row->addFixedSpace(30);
    outer->addFixedWidget(row, XP::CWidgetList::ANCHOR_FILL);

    setInnerStretchWidget(outer, 0, 0, 0, 0);
}

IBaseAgreementContentWidget *CAgreementRepurchaseWidgetIntention::currentForm() const
{
    const auto it = m_sideForms.find(m_side);
    return it == m_sideForms.end() ? nullptr : it->second;
}

void CAgreementRepurchaseWidgetIntention::switchSide(int newSide)
{
    if (IBaseAgreementContentWidget *old = currentForm())
        old->hide();
    m_side = newSide;
    if (IBaseAgreementContentWidget *form = currentForm()) {
        setOperationType(form->operationType());
        form->show();
    }
    if (m_repoButton)
        m_repoButton->setVisible(m_side == SIDE_REPO);
    if (m_reverseRepoButton)
        m_reverseRepoButton->setVisible(m_side != SIDE_REPO);
}

void CAgreementRepurchaseWidgetIntention::setParam(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('&'));
    if (parts.isEmpty())
        return;
    const int side = parts.first().toInt();
    // Only the two sides exist; anything else leaves the trader's side alone.
    if (side != SIDE_REPO && side != SIDE_REVERSE_REPO)
        return;
    if (m_sideGroup)
        m_sideGroup->setCheckedByID(side);
    switchSide(side);
}

QString CAgreementRepurchaseWidgetIntention::param() const
{
    QStringList fields;
    fields << QString("%1").arg(m_sideGroup ? m_sideGroup->checkedId() : m_side);
    return fields.join(QLatin1Char('&'));
}

void CAgreementRepurchaseWidgetIntention::setAccountKeys(std::set<std::string> *keys)
{
    if (!keys)
        return;
    if (m_repoForm)
        m_repoForm->setAccountKeys(*keys);
    if (m_reverseRepoForm)
        m_reverseRepoForm->setAccountKeys(*keys);
}

void CAgreementRepurchaseWidgetIntention::refreshAccountInfo()
{
    if (m_repoForm)
        m_repoForm->refreshAccountInfo();
    if (m_reverseRepoForm)
        m_reverseRepoForm->refreshAccountInfo();
}

void CAgreementRepurchaseWidgetIntention::setContract(const std::string &contractKey)
{
    if (IBaseAgreementContentWidget *form = currentForm())
        form->setContract(contractKey);
}

void CAgreementRepurchaseWidgetIntention::beginContractFill()
{
    for (IBaseAgreementContentWidget *form : { m_repoForm, m_reverseRepoForm }) {
        if (form)
            form->beginContractFill();
    }
}

void CAgreementRepurchaseWidgetIntention::endContractFill()
{
    for (IBaseAgreementContentWidget *form : { m_repoForm, m_reverseRepoForm }) {
        if (form)
            form->endContractFill();
    }
}

QString CAgreementRepurchaseWidgetIntention::currentAccountKey() const
{
    const IBaseAgreementContentWidget *form = currentForm();
    return form ? form->currentAccountKey() : QString();
}

void CAgreementRepurchaseWidgetIntention::setCurrentAccount(const QString &key)
{
    if (IBaseAgreementContentWidget *form = currentForm())
        form->setCurrentAccount(key);
}

void CAgreementRepurchaseWidgetIntention::doOperation()
{
    IBaseAgreementContentWidget *form = currentForm();
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!form || !agreement::buildFormOrders(form, orders)
        || !agreement::deploymentPlacesAgreementOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetIntention::contractListReloaded()
{
    if (IBaseAgreementContentWidget *form = currentForm())
        form->contractListReloaded();
}

void CAgreementRepurchaseWidgetIntention::setPledgeBondSelection(
    QList<ttservice::CPledgedBondInfo> rows)
{
    if (m_reverseRepoForm)
        m_reverseRepoForm->setPledgeSelection(rows);
}

void CAgreementRepurchaseWidgetIntention::setPledgePosSelection(
    QList<ttservice::CPledgedBondInfo> rows)
{
    if (m_repoForm)
        m_repoForm->setPledgeSelection(rows);
}

std::string CAgreementRepurchaseWidgetIntention::traderCode() const
{
    return std::string();
}

bool CAgreementRepurchaseWidgetIntention::handleEvent(int event, int a, int b, QString text,
                                                      void *data)
{
    if (event == EVT_BUTTON_CHECKED) {
        if (a == SIDE_REPO || a == SIDE_REVERSE_REPO)
            switchSide(a);
        // The page reads the new side's type, or places the order, when the click reaches it.
        return false;
    }
    return IBaseAgreementRepurchaseWidget::handleEvent(event, a, b, text, data);
}

} // namespace TC
