#include "tc/CHostClock.h"

#include "utils/ResetRegistry.h"

#include <boost/thread/mutex.hpp>

namespace TC {

namespace {
boost::mutex clockMutex;
QDate fixedDate; // invalid: the real date
} // namespace

QDate CHostClock::today()
{
    boost::mutex::scoped_lock lock(clockMutex);
    return fixedDate.isValid() ? fixedDate : QDate::currentDate();
}

void CHostClock::setToday(const QDate &date)
{
    boost::mutex::scoped_lock lock(clockMutex);
    fixedDate = date.isValid() ? date : QDate();
}

bool CHostClock::isFixed()
{
    boost::mutex::scoped_lock lock(clockMutex);
    return fixedDate.isValid();
}

namespace {
const utils::CResetRegistration kReset("TC::CHostClock", [] { CHostClock::useRealDate(); });
} // namespace

} // namespace TC
