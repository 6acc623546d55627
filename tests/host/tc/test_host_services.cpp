#include "HostFixture.h"
#include "HostServices.h"

#include "tc/CAlgorithmHelpDialog.h"
#include "tc/CExchangeClient.h"
#include "tc/CHostClock.h"
#include "tc/CUserManager.h"
#include "tc/ConfigDir.h"
#include "tc/HostReset.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/TypeManager.h"

#include <QTemporaryDir>

#include <boost/make_shared.hpp>

namespace {

TC::CExchangeClient *exchange()
{
    return utils::CManualSingletonT<TC::CExchangeClient>::instance();
}

class KeepAnswerer : public TC::IQueryAnswerer
{
public:
    bool answer(const TC::CQueryCall &) override { return true; }
};

// A service the host did not know of when the reset was written.
class LateService
{
public:
    void resetForTests() { value = 0; }
    int value = 0;
};

} // namespace

using HostServicesTest = HostFixture;

TEST_F(HostServicesTest, messageServiceKeepsAndAnnouncesInOrder)
{
    QStringList announced;
    QObject guard;
    QObject::connect(msgService(), &TC::CMsgService::sigMessage, &guard,
                     [&](QString text, int type, int level) {
                         announced << QStringLiteral("%1/%2/%3").arg(text).arg(type).arg(level);
                     });
    msgService()->showMsg("没有选择账号, 无法下单!", 4, 1, false, false);
    msgService()->showMsg("second", 1, 2, true, true);

    EXPECT_EQ((std::vector<std::string> { "没有选择账号, 无法下单!", "second" }), messages());
    EXPECT_EQ(QStringList(
                  { QStringLiteral("没有选择账号, 无法下单!/4/1"), QStringLiteral("second/1/2") }),
              announced);
    EXPECT_EQ(QStringLiteral("报警信息"), TC::CMsgService::typeName(4));
}

TEST_F(HostServicesTest, codeInfoAcceptsBareAndMarketQualifiedCodesAndOutlivesTheDirectory)
{
    const auto bare = exchange()->getCodeInfo(QStringLiteral("019547"));
    ASSERT_TRUE(bare);
    EXPECT_EQ("SH", bare->market);

    const auto spaced = exchange()->getCodeInfo(QStringLiteral("SZ 101901"));
    ASSERT_TRUE(spaced);
    EXPECT_EQ("国债1902", spaced->instrumentName);
    EXPECT_TRUE(exchange()->getCodeInfo(QStringLiteral("SZ|101901")));
    EXPECT_FALSE(exchange()->getCodeInfo(QStringLiteral("SH 101901")));
    EXPECT_FALSE(exchange()->getCodeInfo(QStringLiteral("600000")));
    EXPECT_FALSE(exchange()->getCodeInfo(QString()));

    const auto held = exchange()->getCodeInfo(QStringLiteral("122000"));
    ASSERT_TRUE(held);
    TC::resetHostForTests(); // the directory lets go of its record, the holder keeps it
    EXPECT_EQ("公司债A", held->instrumentName);
    EXPECT_FALSE(exchange()->getCodeInfo(QStringLiteral("122000")));
}

TEST_F(HostServicesTest, newTradingDayMovesTheHostClock)
{
    std::vector<std::string> days;
    QObject guard;
    QObject::connect(exchange(), &TC::CExchangeClient::sigNewTradingDate, &guard,
                     [&](const std::string &day, const std::string &previous) {
                         days.push_back(day + "<" + previous);
                     });
    exchange()->notifyNewTradingDate("20240311", "20240308");
    EXPECT_EQ(std::vector<std::string> { "20240311<20240308" }, days);
    EXPECT_EQ(QDate(2024, 3, 11), TC::CHostClock::today());

    exchange()->notifyNewTradingDate("bad", "20240311"); // announced, clock unchanged
    EXPECT_EQ(2u, days.size());
    EXPECT_EQ(QDate(2024, 3, 11), TC::CHostClock::today());
}

// Accounts keep the order they were added in and their first record, and share
// the data centre's account data.
TEST_F(HostServicesTest, accountsKeepTheirOrderAndFirstRecordAndShareTheAccountData)
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

// One reset returns every service to its empty state, services made later
// included, and keeps the configuration folder.
TEST_F(HostServicesTest, resetReturnsEveryServiceToItsEmptyState)
{
    QTemporaryDir dir;
    TC::setConfigDir(dir.path());
    auto *stockTypes = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    auto *types = ttservice::TypeManager::instance();
    TC::getUserConfig()->setGlobalOrderHints(1);
    TC::getUserConfig()->getTradeSetting()->setHintBeforeOrderFlags(1);
    tradeClient()->queryData(
        boost::make_shared<ttservice::CQueryDataReq>(),
        [](utils::TTError, std::vector<ttservice::IDataPtr>, bson::BSONObj) {}, 0);
    tradeClient()->setQueryAnswerer(boost::make_shared<KeepAnswerer>());
    commandCenter()->createCommand(boost::make_shared<ttservice::COrderComandParam>(), {}, true, 0);
    msgService()->showMsg("x", 4, 1, false, false);
    stockTypes->addTypedStock(186, "SH", "019547");
    types->setEnumItemName("ttservice::EStkProp", 48, "改过");
    TC::CAlgorithmHelpDialog::tryHelp({});
    TC::CHostClock::setToday(QDate(2020, 1, 2));
    utils::CSingletonT<LateService>::instance()->value = 7;

    TC::resetHostForTests();

    TC::CUserConfig *config = TC::getUserConfig();
    EXPECT_TRUE(config->userName.isEmpty());
    EXPECT_FALSE(config->hasPledgeAgreeRepurchase() || config->hasSpotTrade());
    EXPECT_TRUE(config->getAccountDatas().empty());
    EXPECT_FALSE(config->testGlobalOrderHint(1));
    EXPECT_FALSE(config->getTradeSetting()->testHintBeforeOrderFlag(1));
    EXPECT_TRUE(ttservice::TraderCenter::instance()->getDataCenter()->accountKeys().empty());
    EXPECT_TRUE(ttservice::TraderCenter::instance()->getInstCenter()->getAllInstruments().empty());
    EXPECT_FALSE(stockTypes->isTypedStock(186, "SH", "019547"));
    EXPECT_EQ("非限售股", types->getEnumItemName("ttservice::EStkProp", 48, 1));
    EXPECT_EQ(ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN, tradeClient()->getLoginStatus("10001"));
    EXPECT_FALSE(tradeClient()->queryAnswerer());
    EXPECT_TRUE(tradeClient()->pendingQueries().empty());
    EXPECT_TRUE(commands().empty());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(0, TC::CAlgorithmHelpDialog::callCount());
    EXPECT_FALSE(TC::CHostClock::isFixed());
    EXPECT_EQ(0, utils::CSingletonT<LateService>::instance()->value);
    EXPECT_EQ(QDir::cleanPath(dir.path()), TC::getConfigDir());
}
