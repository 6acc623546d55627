#include "HostFixture.h"

#include "tc/AccountHelper.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

using UserConfigTest = HostFixture;

TEST_F(UserConfigTest, accountsKeepTheirOrderAndShareTheDataCentresAccountData)
{
    TC::CUserConfig *config = TC::getUserConfig();
    EXPECT_EQ(config, utils::CSingletonT<TC::CUserManager>::instance()->getUserConfig());
    std::vector<std::string> keys;
    for (const TC::CAccountPtr &a : config->getAccountDatas())
        keys.push_back(a->getKey());
    EXPECT_EQ((std::vector<std::string> { "10001", "10002", "10003" }), keys);

    EXPECT_FALSE(config->getAccountData(QStringLiteral("99999")));
    const TC::CAccountPtr first = account(kLoggedInAccount);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->getAccountData(),
              ttservice::TraderCenter::instance()->getDataCenter()->getAccountData("10001"));

    ASSERT_TRUE(config->getAccountDetail(*first->getAccountInfo()));
    EXPECT_EQ(1000000.0, config->getAccountDetail(*first->getAccountInfo())->availableFunds);
    EXPECT_FALSE(config->getAccountDetail(*account(kLoggedOutAccount)->getAccountInfo()));
    ttservice::CAccountInfo stranger;
    stranger.accountId = "99999";
    EXPECT_FALSE(config->getAccountDetail(stranger));
}

TEST_F(UserConfigTest, addingAnAccountTwiceKeepsTheFirst)
{
    ttservice::CAccountInfo again;
    again.accountId = kLoggedInAccount;
    again.accountName = "另一个名字";
    const TC::CAccountPtr returned = TC::getUserConfig()->addAccount(again);
    EXPECT_EQ(account(kLoggedInAccount), returned);
    EXPECT_EQ(3u, TC::getUserConfig()->getAccountDatas().size());
    EXPECT_NE("另一个名字", returned->getAccountInfo()->accountName);
}

TEST(AccountHelper, brokerTypesMatchTradeTypesByBits)
{
    EXPECT_TRUE(TC::isBrokerTypeMatchTradeType(0x100001, ttservice::VQ_TRADER_TYPE_STOCK));
    EXPECT_TRUE(TC::isBrokerTypeMatchTradeType(0x100001, ttservice::VQ_TRADER_TYPE_FICC));
    EXPECT_FALSE(TC::isBrokerTypeMatchTradeType(0x100000, ttservice::VQ_TRADER_TYPE_STOCK));
    EXPECT_FALSE(TC::isBrokerTypeMatchTradeType(2, ttservice::VQ_TRADER_TYPE_STOCK));
}
