#include "HostFixture.h"

#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "tc/HostReset.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

#include <boost/make_shared.hpp>

namespace {

TC::CAccountPtr addAccount(const std::string &id, int brokerType, int counterType,
                           const std::string &displayId, ttservice::EBROKER_LOGIN_STATUS status)
{
    ttservice::CAccountInfo info;
    info.accountId = id;
    info.accountName = "账户" + id;
    info.brokerType = brokerType;
    info.counterType = counterType;
    info.displayId = displayId;
    utils::CManualSingletonT<TC::CTradeClient>::instance()->setLoginStatus(id, status);
    return TC::getUserConfig()->addAccount(info);
}

} // namespace

void HostFixture::SetUp()
{
    TC::resetHostForTests();

    TC::CUserConfig *config = TC::getUserConfig();
    config->userName = QStringLiteral("trader01");
    config->deploymentCode = 100;
    config->setPledgeAgreeRepurchase(true);
    config->setQuotationRepurchase(true);
    config->setSpotTrade(true);

    const TC::CAccountPtr first
        = addAccount(kLoggedInAccount, 1, 0, "", ttservice::BROKER_LOGIN_STATUS_OK);
    setFunds(first->getAccountData(), kLoggedInAccount, 1000000.0);
    auto position = boost::make_shared<ttservice::CPositionStatics>();
    position->market = "SH";
    position->instrumentCode = "019547";
    position->instrumentName = "国债1901";
    position->totalVolume = 20000;
    position->usableVolume = 12345;
    first->getAccountData()->updateData(position, false);

    addAccount(kLoggedOutAccount, 0x100001, 2, "", ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN);
    const TC::CAccountPtr third = addAccount(kRefreshingAccount, 1, 0, "A-10003",
                                             ttservice::BROKER_LOGIN_STATUS_REFRESHING);
    setFunds(third->getAccountData(), kRefreshingAccount, 50000.0);

    ttservice::CInstrumentCenter *instruments
        = ttservice::TraderCenter::instance()->getInstCenter();
    instruments->addInstrument(makeBond("SH", "019547", "国债1901", kAccruedSH019547));
    instruments->addInstrument(makeBond("SH", "122000", "公司债A", kAccruedSH122000));
    instruments->addInstrument(makeBond("SZ", "101901", "国债1902", kAccruedSZ101901));
}

void HostFixture::TearDown()
{
    TC::resetHostForTests();
}

void HostFixture::setFunds(const ttservice::CAccountDataPtr &data, const std::string &key,
                           double funds)
{
    auto detail = boost::make_shared<ttservice::CAccountDetail>();
    detail->accountId = key;
    detail->availableFunds = funds;
    detail->totalAssets = funds;
    data->setAccountDetail(detail);
}

TC::CAccountPtr HostFixture::account(const std::string &key) const
{
    const TC::CAccountPtr found = TC::getUserConfig()->getAccountData(QString::fromStdString(key));
    EXPECT_TRUE(found) << "no account " << key;
    return found;
}

ttservice::CAccountDataPtr HostFixture::accountData(const std::string &key) const
{
    const TC::CAccountPtr found = account(key);
    return found ? found->getAccountData() : ttservice::CAccountDataPtr();
}

ttservice::CInstrumentDetailPtr HostFixture::makeBond(const std::string &market,
                                                      const std::string &code,
                                                      const std::string &name, double accrued)
{
    auto bond = boost::make_shared<ttservice::CInstrumentDetail>();
    bond->market = market;
    bond->instrumentCode = code;
    bond->instrumentName = name;
    bond->instrumentTag = market + code;
    bond->accruedInterest = accrued;
    bond->bondDetail = boost::make_shared<ttservice::CBondDetail>();
    bond->bondDetail->market = market;
    bond->bondDetail->instrumentCode = code;
    bond->bondDetail->faceValue = 100.0;
    return bond;
}
