#include "HostFixture.h"

#include "tc/AccountHelper.h"
#include "tc/CUserManager.h"
#include "ttservice/TraderCenter.h"

using UserConfigTest = HostFixture;

// Accounts keep the order they were added in, an account added again keeps
// its first record, and each shares the data centre's account data.
TEST_F(UserConfigTest, accountsKeepTheirOrderAndFirstRecordAndShareTheAccountData)
{
    TC::CUserConfig *config = TC::getUserConfig();
    ttservice::CAccountInfo again;
    again.accountId = kLoggedInAccount;
    again.accountName = "另一个名字";
    EXPECT_EQ(account(kLoggedInAccount), config->addAccount(again));
    std::vector<std::string> keys;
    for (const TC::CAccountPtr &a : config->getAccountDatas())
        keys.push_back(a->getKey());
    EXPECT_EQ((std::vector<std::string> { "10001", "10002", "10003" }), keys);
    EXPECT_EQ("账户10001", account(kLoggedInAccount)->getAccountInfo()->accountName);

    EXPECT_FALSE(config->getAccountData(QStringLiteral("99999")));
    const TC::CAccountPtr first = account(kLoggedInAccount);
    EXPECT_EQ(first->getAccountData(),
              ttservice::TraderCenter::instance()->getDataCenter()->getAccountData("10001"));
    ASSERT_TRUE(config->getAccountDetail(*first->getAccountInfo()));
    EXPECT_EQ(1000000.0, config->getAccountDetail(*first->getAccountInfo())->availableFunds);
    EXPECT_FALSE(config->getAccountDetail(*account(kLoggedOutAccount)->getAccountInfo()));
}

TEST(AccountHelper, brokerTypesMatchTradeTypesByBits)
{
    EXPECT_TRUE(TC::isBrokerTypeMatchTradeType(0x100001, ttservice::VQ_TRADER_TYPE_STOCK));
    EXPECT_TRUE(TC::isBrokerTypeMatchTradeType(0x100001, ttservice::VQ_TRADER_TYPE_FICC));
    EXPECT_FALSE(TC::isBrokerTypeMatchTradeType(0x100000, ttservice::VQ_TRADER_TYPE_STOCK));
    EXPECT_FALSE(TC::isBrokerTypeMatchTradeType(2, ttservice::VQ_TRADER_TYPE_STOCK));
}
