#include "tc/CAlgorithmHelpDialog.h"

#include "utils/ResetRegistry.h"

namespace TC {

namespace {
struct HelpState
{
    CAlgorithmHelpDialog::Helper helper;
    int calls = 0;
    std::vector<ttservice::CCodeOrderParam> lastOrders;
};

HelpState &state()
{
    static HelpState s;
    return s;
}
} // namespace

void CAlgorithmHelpDialog::tryHelp(const std::vector<ttservice::CCodeOrderParam> &orders)
{
    HelpState &s = state();
    ++s.calls;
    s.lastOrders = orders;
    if (s.helper)
        s.helper(orders);
}

void CAlgorithmHelpDialog::setHelper(Helper helper)
{
    state().helper = std::move(helper);
}

int CAlgorithmHelpDialog::callCount()
{
    return state().calls;
}

std::vector<ttservice::CCodeOrderParam> CAlgorithmHelpDialog::lastOrders()
{
    return state().lastOrders;
}

void CAlgorithmHelpDialog::reset()
{
    state() = HelpState();
}

namespace {
const utils::CResetRegistration kReset("TC::CAlgorithmHelpDialog",
                                       [] { CAlgorithmHelpDialog::reset(); });
} // namespace

} // namespace TC
