#pragma once

// What the seven agreement operation widgets share: the page of a single-form
// variant, the order button, and the steps of placing a form's orders.
#include "tc/TradeOperationType.h"
#include "ttservice/CCodeOrderParam.h"

#include <QString>

#include <initializer_list>
#include <vector>

class QWidget;

namespace XP {
class CBaseWidget;
class CPushButton;
class CPushButtonGroup;
class CSmallNormalButton;
struct CButtonColorKeys;
} // namespace XP

namespace TC {

class IBaseAgreementContentWidget;

namespace agreement {

// Whether the deployment places agreement orders (its rights, see
// DeploymentRights). Early repurchase places under the same rights as the
// others: the page offers it alone to the sell-only deployment 400, so a
// shorter list (90, 91, 92) would leave that desk a button that never sends,
// and 92 has no agreement panel at all.
bool deploymentPlacesAgreementOrders();

// An order button: no focus, 100 x 30, disabled in the read-only deployment 200.
XP::CSmallNormalButton *makeOrderButton(int id, int buttonType, const QString &text,
                                        QWidget *parent);

// A checkable button of the page's operation row or of the intention's side
// row: horizontal text in the order-mode colours, added to `group`.
XP::CPushButton *addModeButton(XP::CPushButtonGroup *group, const XP::CButtonColorKeys &colors,
                               int id, const char *text);

struct SingleFormPage
{
    ETradeOperationType type;
    int formHeight;
    int buttonId;
    int buttonType;
    const char *buttonText;
    bool zeroMargins; // the outer list without the toolkit's default margins and spacing
};

// Builds the form over its order button into `variant`; `button` stays null
// when the button row cannot be made.
IBaseAgreementContentWidget *buildSingleFormPage(XP::CBaseWidget *variant,
                                                 const SingleFormPage &page,
                                                 XP::CSmallNormalButton *&button);

// The form's checked orders; false after showing the failed check to the trader.
bool buildFormOrders(IBaseAgreementContentWidget *form,
                     std::vector<ttservice::CCodeOrderParam> &orders);

// Offers the orders to the algorithm helper and hands them to the command
// centre as one manual FICC command.
void placeOrders(const std::vector<ttservice::CCodeOrderParam> &orders);

// Hands the orders to the command centre as one manual FICC command, without
// the algorithm helper (the confirmation of a declaration).
void sendManualCommand(const std::vector<ttservice::CCodeOrderParam> &orders);

} // namespace agreement
} // namespace TC
