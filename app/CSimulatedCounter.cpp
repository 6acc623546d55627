#include "CSimulatedCounter.h"

#include "tc/Services.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "ttservice/DataTypes.h"
#include "utils/CThreadRelay.h"

#include <boost/pointer_cast.hpp>

#include <QThread>

#include <algorithm>

namespace app {

CSimulatedCounter::CSimulatedCounter(int delayMs)
    : m_delayMs(delayMs)
{
    m_pool.setMaxThreadCount(1);
}

CSimulatedCounter::~CSimulatedCounter()
{
    shutdown();
}

void CSimulatedCounter::shutdown()
{
    m_stopped = true;
    utils::waitForPool(m_pool);
}

bool CSimulatedCounter::answer(const TC::CQueryCall &call)
{
    if (m_stopped || !call.request)
        return false;
    utils::startInPool(m_pool, [this, call]() {
        QThread::msleep(m_delayMs);
        if (m_stopped)
            return;
        std::vector<ttservice::IDataPtr> records;
        const ttservice::CQueryDataReq &req = *call.request;
        if (!req.accountInfo) {
            call.answer(utils::TTError(1, "查询缺少账户"), records);
            return;
        }
        ttservice::CAccountDataPtr data
            = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(
                req.accountInfo->getKey());
        if (!data) {
            call.answer(utils::TTError(2, "账户不存在"), records);
            return;
        }
        data->getVector(req.dataType, records);
        // Declarations are asked for per trader: those addressed to that one.
        if (req.dataType == ttservice::DATA_TYPE_PENDING_ORDER && !req.queryText.empty()) {
            records.erase(
                std::remove_if(
                    records.begin(), records.end(),
                    [&req](const ttservice::IDataPtr &record) {
                        const auto declaration
                            = boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(
                                record);
                        return !declaration || declaration->trader != req.queryText;
                    }),
                records.end());
        }
        call.answer(utils::TTError::success(), records);
    });
    return true;
}

} // namespace app
