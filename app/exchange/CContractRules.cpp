#include "CContractRules.h"

#include "tc/CTradingCalendar.h"
#include "utils/CSingletonT.h"
#include "utils/DateText.h"

#include <cmath>

namespace app {

QString CContractRules::actionName(EAction action)
{
    switch (action) {
    case MATURITY_CONFIRM:
        return QStringLiteral("到期确认");
    case EARLY_REPURCHASE:
        return QStringLiteral("提前购回");
    case MATURITY_RENEWAL:
        return QStringLiteral("到期续做");
    case PLEDGE_CHANGE:
        return QStringLiteral("质押券变更");
    case PLEDGE_RELEASE:
        return QStringLiteral("解除质押");
    }
    return QString();
}

bool CContractRules::allows(EAction action, const Contract &c, const QDate &today)
{
    const int day = utils::dateNumber(today);
    const int status = c.contractStatus;
    const bool outstanding = status == STATUS_RUNNING || status == STATUS_DUE;
    switch (action) {
    case MATURITY_CONFIRM:
    case MATURITY_RENEWAL:
        return outstanding && day >= c.maturitySettleDate;
    case EARLY_REPURCHASE:
    case PLEDGE_CHANGE:
        return status == STATUS_RUNNING && c.firstSettleDate < day && day < c.maturitySettleDate;
    case PLEDGE_RELEASE:
        return status == STATUS_OVERDUE || (outstanding && day > c.maturitySettleDate);
    }
    return false;
}

int CContractRules::statusOn(const Contract &c, const QDate &today)
{
    const int status = c.contractStatus;
    if (status != STATUS_RUNNING && status != STATUS_DUE)
        return status;
    const QDate maturity = utils::dateFromNumber(c.maturitySettleDate);
    if (!maturity.isValid() || today < maturity)
        return status;
    const QDate settles
        = utils::CSingletonT<TC::CTradingCalendar>::instance()->nextTradingDay(maturity);
    if (settles.isValid() && today > settles)
        return STATUS_OVERDUE;
    return STATUS_DUE;
}

double CContractRules::settlementAmount(double amount, double rate, int days)
{
    return std::floor(amount * (1.0 + rate * days / 365.0) * 100.0 + 0.5) / 100.0;
}

double CContractRules::dueAtMaturity(const Contract &c)
{
    if (c.maturitySettleAmount > 0)
        return c.maturitySettleAmount;
    return settlementAmount(c.repurchaseAmount, c.repurchaseRate, c.repurchaseDays);
}

std::string CContractRules::declarationRef(const std::string &contractNo, int n)
{
    return contractNo + '/' + std::to_string(n);
}

std::string CContractRules::contractOfRef(const std::string &ref)
{
    const size_t slash = ref.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : ref.substr(0, slash);
}

} // namespace app
