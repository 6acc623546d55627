#include "HostFixture.h"
#include "HostServices.h"

#include "tc/CAlgorithmHelpDialog.h"
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
class KeepAnswerer : public TC::IQueryAnswerer
{
public:
    bool answer(const TC::CQueryCall &) override { return true; }
};
class AcceptAll : public TC::ICommandAcceptor
{
public:
    bool accept(const TC::CCommandRecord &, utils::TTError &) override { return true; }
};
} // namespace

using HostResetTest = HostFixture;

TEST_F(HostResetTest, returnsEveryServiceToItsEmptyState)
{
    QTemporaryDir dir;
    TC::setConfigDir(dir.path());
    TC::CTradeClient *client = tradeClient();
    auto *stockTypes = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    auto *types = ttservice::TypeManager::instance();
    ttservice::TraderCenter *trader = ttservice::TraderCenter::instance();

    TC::getUserConfig()->setGlobalOrderHints(1);
    TC::getUserConfig()->getTradeSetting()->setHintBeforeOrderFlags(1);
    client->queryData(
        boost::make_shared<ttservice::CQueryDataReq>(),
        [](utils::TTError, std::vector<ttservice::IDataPtr>, bson::BSONObj) {}, 0);
    client->setQueryAnswerer(boost::make_shared<KeepAnswerer>());
    commandCenter()->setCommandAcceptor(boost::make_shared<AcceptAll>());
    commandCenter()->createCommand(boost::make_shared<ttservice::COrderComandParam>(), {}, true, 0);
    msgService()->showMsg("x", 4, 1, false, false);
    stockTypes->addTypedStock(186, "SH", "019547");
    types->setEnumItemName("ttservice::EStkProp", 48, "改过");
    TC::CAlgorithmHelpDialog::tryHelp({});
    TC::CHostClock::setToday(QDate(2020, 1, 2));

    TC::resetHostForTests();

    TC::CUserConfig *config = TC::getUserConfig();
    EXPECT_TRUE(config->userName.isEmpty());
    EXPECT_EQ(0, config->deploymentCode);
    EXPECT_FALSE(config->hasPledgeAgreeRepurchase() || config->hasQuotationRepurchase()
                 || config->hasSpotTrade());
    EXPECT_TRUE(config->getAccountDatas().empty());
    EXPECT_FALSE(config->getAccountData(QStringLiteral("10001")));
    EXPECT_FALSE(config->testGlobalOrderHint(1));
    EXPECT_FALSE(config->getTradeSetting()->testHintBeforeOrderFlag(1));

    EXPECT_TRUE(trader->getDataCenter()->accountKeys().empty());
    EXPECT_TRUE(trader->getInstCenter()->getAllInstruments().empty());
    EXPECT_FALSE(stockTypes->isTypedStock(186, "SH", "019547"));
    EXPECT_EQ("非限售股", types->getEnumItemName("ttservice::EStkProp", 48, 1));

    EXPECT_EQ(ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN, client->getLoginStatus("10001"));
    EXPECT_FALSE(client->queryAnswerer());
    EXPECT_TRUE(client->pendingQueries().empty());
    EXPECT_TRUE(client->receivedQueries().empty());

    EXPECT_TRUE(commands().empty());
    EXPECT_FALSE(commandCenter()->getCommand(1));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(0, TC::CAlgorithmHelpDialog::callCount());
    EXPECT_FALSE(TC::CHostClock::isFixed());

    EXPECT_EQ(QDir::cleanPath(dir.path()), TC::getConfigDir());
}

namespace {
// A service the host did not know of when the reset was written.
class LateService
{
public:
    void resetForTests() { value = 0; }
    int value = 0;
};
class LateManualService
{
public:
    void resetForTests() { value = 0; }
    int value = 0;
};
} // namespace

// A service registers its own reset when it is made, so the one reset cannot
// miss it; a manual singleton that was destroyed is not made again by it.
TEST_F(HostResetTest, servicesMadeLaterAreResetWithoutBeingListed)
{
    utils::CSingletonT<LateService>::instance()->value = 7;
    utils::CManualSingletonT<LateManualService>::instance()->value = 9;
    TC::resetHostForTests();
    EXPECT_EQ(0, utils::CSingletonT<LateService>::instance()->value);
    EXPECT_EQ(0, utils::CManualSingletonT<LateManualService>::instance()->value);

    utils::CManualSingletonT<LateManualService>::destroyInstance();
    TC::resetHostForTests();
    EXPECT_FALSE(utils::CManualSingletonT<LateManualService>::exists());
}
