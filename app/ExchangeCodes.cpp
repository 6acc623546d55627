// The demo terminal puts the module's panels in front of the paper exchange:
// the exchange must take the operation codes the agreement forms and the
// 待确认申报 table send. Checked when the terminal is compiled.
#include "CPaperExchange.h"

#include "agreement/CAgreementConfirmWidget.h"
#include "agreement/CAgreementOrderBuilder.h"

namespace app {

using Form = TC::CAgreementOrderBuilder;
using Confirm = TC::CAgreementConfirmWidget;
static_assert(int(CPaperExchange::OP_DEAL_DECLARATION) == int(Form::OP_DEAL_DECLARATION));
static_assert(int(CPaperExchange::OP_MATURITY_CONFIRM_REPO) == int(Form::OP_MATURITY_CONFIRM_REPO));
static_assert(int(CPaperExchange::OP_MATURITY_CONFIRM_REVERSE)
              == int(Form::OP_MATURITY_CONFIRM_REVERSE));
static_assert(int(CPaperExchange::OP_EARLY_REPURCHASE_REPO) == int(Form::OP_EARLY_REPURCHASE_REPO));
static_assert(int(CPaperExchange::OP_EARLY_REPURCHASE_REVERSE)
              == int(Form::OP_EARLY_REPURCHASE_REVERSE));
static_assert(int(CPaperExchange::OP_MATURITY_RENEWAL_REPO) == int(Form::OP_MATURITY_RENEWAL_REPO));
static_assert(int(CPaperExchange::OP_MATURITY_RENEWAL_REVERSE)
              == int(Form::OP_MATURITY_RENEWAL_REVERSE));
static_assert(int(CPaperExchange::OP_INTENTION_REPO) == int(Form::OP_INTENTION_REPO));
static_assert(int(CPaperExchange::OP_INTENTION_REVERSE_REPO)
              == int(Form::OP_INTENTION_REVERSE_REPO));
static_assert(int(CPaperExchange::OP_PLEDGE_CHANGE) == int(Form::OP_PLEDGE_CHANGE));
static_assert(int(CPaperExchange::OP_PLEDGE_RELEASE_REPO) == int(Form::OP_PLEDGE_RELEASE_REPO));
static_assert(int(CPaperExchange::OP_PLEDGE_RELEASE_REVERSE)
              == int(Form::OP_PLEDGE_RELEASE_REVERSE));
static_assert(int(CPaperExchange::OP_CONFIRM_DEAL) == int(Confirm::OP_CONFIRM_DEAL));
static_assert(int(CPaperExchange::OP_CONFIRM_RENEWAL) == int(Confirm::OP_CONFIRM_RENEWAL));
static_assert(int(CPaperExchange::OP_CONFIRM_PLEDGE_CHANGE)
              == int(Confirm::OP_CONFIRM_PLEDGE_CHANGE));
static_assert(int(CPaperExchange::OP_CONFIRM_EARLY_REPURCHASE_REPO)
              == int(Confirm::OP_CONFIRM_EARLY_REPURCHASE_REPO));
static_assert(int(CPaperExchange::OP_CONFIRM_EARLY_REPURCHASE_REVERSE)
              == int(Confirm::OP_CONFIRM_EARLY_REPURCHASE_REVERSE));
static_assert(int(CPaperExchange::OP_CONFIRM_PLEDGE_RELEASE_REPO)
              == int(Confirm::OP_CONFIRM_PLEDGE_RELEASE_REPO));
static_assert(int(CPaperExchange::OP_CONFIRM_PLEDGE_RELEASE_REVERSE)
              == int(Confirm::OP_CONFIRM_PLEDGE_RELEASE_REVERSE));

} // namespace app
