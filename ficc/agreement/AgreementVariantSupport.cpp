#include "agreement/AgreementVariantSupport.h"
#include "common/DeploymentRights.h"
#include "common/OrderPlacement.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "tc/Services.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/Types.h"
#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CWidgetList.h"

#include <boost/make_shared.hpp>

#include <algorithm>

namespace TC {
namespace agreement {

bool deploymentPlacesAgreementOrders()
{
    return currentDeploymentRights().placesOrders;
}

XP::CSmallNormalButton *makeOrderButton(int id, int buttonType, const QString &text,
                                        QWidget *parent)
{
    auto *button = new XP::CSmallNormalButton(id, true, buttonType, parent);
    button->setText(text);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(100, 30);
    // Deployment 200 watches the agreement business without trading it.
    if (currentDeploymentRights().readOnly)
        button->setEnabled(false);
    return button;
}

XP::CPushButton *addModeButton(XP::CPushButtonGroup *group, const XP::CButtonColorKeys &colors,
                               int id, const char *text)
{
    auto *button = new XP::CPushButton(colors, id, group);
    button->setText(QString::fromUtf8(text));
    button->setTextColor(QStringLiteral("clr_param_table_order_mode_inactive"),
                         QStringLiteral("clr_param_table_order_mode_active"),
                         QStringLiteral("clr_param_table_order_mode_active"),
                         QStringLiteral("clr_param_table_order_mode_inactive"));
    button->setHorizontalText(true);
    button->setCheckable(true);
    group->addPushButton(button, true);
    return button;
}

IBaseAgreementContentWidget *buildSingleFormPage(XP::CBaseWidget *variant,
                                                 const SingleFormPage &page,
                                                 XP::CSmallNormalButton *&button)
{
    button = nullptr;
    auto *outer = new XP::CWidgetList(Qt::Vertical, variant);
    if (page.zeroMargins) {
        outer->setMargins(0, 0, 0, 0);
        outer->setSpacing(0);
    }
    auto *form = new IBaseAgreementContentWidget(page.type, outer,
                                                 QStringLiteral("zolp_quvio_basewidget"), false);
    form->setFixedHeight(page.formHeight);
    outer->addFixedWidget(form, XP::CWidgetList::ANCHOR_FILL);

    auto *row = new XP::CWidgetList(Qt::Horizontal, outer);
    row->setMargins(10, 0, 0, 0);
    row->setSpacing(0);
    button
        = makeOrderButton(page.buttonId, page.buttonType, QString::fromUtf8(page.buttonText), row);
    row->addStretchSpace(1);
    row->addFixedWidget(button, XP::CWidgetList::ANCHOR_FILL);
    row->addFixedSpace(30);
    outer->addFixedWidget(row, XP::CWidgetList::ANCHOR_FILL);

    variant->setInnerStretchWidget(outer, 0, 0, 0, 0);
    return form;
}

bool buildFormOrders(IBaseAgreementContentWidget *form,
                     std::vector<ttservice::CCodeOrderParam> &orders)
{
    QString error;
    QString text;
    if (form->buildOrders(orders, error, text))
        return true;
    utils::CManualSingletonT<CMsgService>::instance()->showMsg(error.toUtf8().toStdString(), 4, 1,
                                                               false, false);
    return false;
}

void placeOrders(const std::vector<ttservice::CCodeOrderParam> &orders)
{
    CAlgorithmHelpDialog::tryHelp(orders);
    sendManualCommand(orders);
}

void sendManualCommand(const std::vector<ttservice::CCodeOrderParam> &orders)
{
    TC::sendManualCommand(orders, std::string());
}

} // namespace agreement
} // namespace TC
