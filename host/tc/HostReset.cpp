#include "tc/HostReset.h"

#include "tc/CAlgorithmHelpDialog.h"
#include "tc/CHostClock.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/CTradeClient.h"
#include "tc/CTradingCalendar.h"
#include "tc/CUserManager.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/TypeManager.h"
#include "utils/CSingletonT.h"

namespace TC {

void resetHostForTests()
{
    getUserConfig()->reset();

    ttservice::TraderCenter *center = ttservice::TraderCenter::instance();
    center->getDataCenter()->clear();
    center->getInstCenter()->clear();
    utils::CSingletonT<ttservice::StockTypeCenter>::instance()->clear();
    ttservice::TypeManager::instance()->resetToDefaults();

    utils::CManualSingletonT<CTradeClient>::instance()->reset();
    utils::CManualSingletonT<CItCommandCenter>::instance()->reset();
    utils::CManualSingletonT<CMsgService>::instance()->clear();
    CAlgorithmHelpDialog::reset();
    CHostClock::useRealDate();
    utils::CSingletonT<CTradingCalendar>::instance()->clear();
}

} // namespace TC
