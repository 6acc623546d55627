#include "HostFixture.h"
#include "HostServices.h"

#include "tc/CAlgorithmHelpDialog.h"
#include "tc/CExchangeClient.h"
#include "tc/CHostClock.h"
#include "tc/CInstrumentSearchModel.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "tc/ConfigDir.h"
#include "tc/EFilterFlag.h"
#include "tc/HostReset.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/TypeManager.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <boost/make_shared.hpp>

#include <thread>

using TC::CInstrumentSearchModel;

namespace {

// A service the host did not know of when the reset was written.
struct LateService
{
    void resetForTests() { value = 0; }
    int value = 0;
};

ttservice::COrderComandParamPtr command(const std::string &code, long long volume)
{
    auto param = boost::make_shared<ttservice::COrderComandParam>();
    param->commandKind = 0x100000;
    ttservice::CCodeOrderParam order;
    order.stock.market = "SH";
    order.stock.stockCode = code;
    order.volume = volume;
    param->orders.push_back(order);
    return param;
}

// The outcomes reported, as "command number:error code".
struct Outcomes
{
    std::vector<std::string> seen;
    TC::CItCommandCenter::Callback callback()
    {
        return [this](utils::TTError e, int no) {
            seen.push_back(std::to_string(no) + ":" + std::to_string(e.code()));
        };
    }
};

bool place(const std::string &code, long long volume, Outcomes &outcomes)
{
    return commandCenter()->createCommand(command(code, volume), outcomes.callback(), true, 0);
}

// Refuses commands over 1000 张 and reports a counter error for code "122000".
struct TestAcceptor : TC::ICommandAcceptor
{
    bool accept(const TC::CCommandRecord &record, utils::TTError &outcome) override
    {
        const ttservice::CCodeOrderParam &order = record.param->orders.front();
        if (order.volume > 1000) {
            outcome = utils::TTError(9, "超出限额");
            return false;
        }
        if (order.stock.stockCode == "122000")
            outcome = utils::TTError(12, "柜台拒绝");
        return true;
    }
};

ttservice::CQueryDataReqPtr request(int type)
{
    auto req = boost::make_shared<ttservice::CQueryDataReq>();
    req->dataType = type;
    return req;
}

// What a query's handler was called with: "calls 1, ok, records 1" (the last call).
struct Answer
{
    std::string seen = "calls 0";
    int calls = 0;
    std::thread::id thread;

    TC::QueryHandler handler()
    {
        return [this](utils::TTError e, std::vector<ttservice::IDataPtr> r, bson::BSONObj) {
            seen = "calls " + std::to_string(++calls) + (e.isSuccess() ? ", ok" : ", failed")
                + ", records " + std::to_string(r.size());
            thread = std::this_thread::get_id();
        };
    }
};

// Answers with one record at once, keeps the call for later, or refuses it.
struct TestAnswerer : TC::IQueryAnswerer
{
    enum Mode { Now, Later, Refuse };
    explicit TestAnswerer(Mode m)
        : mode(m)
    {
    }
    bool answer(const TC::CQueryCall &call) override
    {
        if (mode == Now)
            call.answer(utils::TTError(), { request(call.request->dataType) });
        else if (mode == Later)
            kept.push_back(call);
        return mode != Refuse;
    }
    Mode mode;
    std::vector<TC::CQueryCall> kept;
};

using Offer = CInstrumentSearchModel::Offer;

} // namespace

using HostServicesTest = HostFixture;
using CommandCenterTest = HostFixture;
using TradeClientTest = HostFixture;

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
    EXPECT_EQ(QStringList({ "没有选择账号, 无法下单!/4/1", "second/1/2" }), announced);
    EXPECT_EQ(QStringLiteral("报警信息"), TC::CMsgService::typeName(4));
}

TEST_F(HostServicesTest, codeInfoAcceptsBareAndMarketQualifiedCodesAndOutlivesTheDirectory)
{
    TC::CExchangeClient *exchange = utils::CManualSingletonT<TC::CExchangeClient>::instance();
    const auto found = [exchange](const QString &code) {
        const auto info = exchange->getCodeInfo(code);
        return info ? info->market + " " + info->instrumentName : std::string("none");
    };
    EXPECT_EQ("SH 国债1901", found("019547"));
    EXPECT_EQ("SZ 国债1902", found("SZ 101901"));
    EXPECT_EQ("SZ 国债1902", found("SZ|101901"));
    EXPECT_EQ("none", found("SH 101901"));
    EXPECT_EQ("none", found("600000"));
    EXPECT_EQ("none", found(QString()));

    const auto held = exchange->getCodeInfo(QStringLiteral("122000"));
    ASSERT_TRUE(held);
    TC::resetHostForTests(); // the directory lets go of its record, the holder keeps it
    EXPECT_EQ("公司债A", held->instrumentName);
    EXPECT_FALSE(exchange->getCodeInfo(QStringLiteral("122000")));
}

TEST_F(HostServicesTest, newTradingDayMovesTheHostClock)
{
    TC::CExchangeClient *exchange = utils::CManualSingletonT<TC::CExchangeClient>::instance();
    std::vector<std::string> days;
    QObject guard;
    QObject::connect(exchange, &TC::CExchangeClient::sigNewTradingDate, &guard,
                     [&](const std::string &day, const std::string &previous) {
                         days.push_back(day + "<" + previous);
                     });
    exchange->notifyNewTradingDate("20240311", "20240308");
    EXPECT_EQ(std::vector<std::string> { "20240311<20240308" }, days);
    EXPECT_EQ(QDate(2024, 3, 11), TC::CHostClock::today());

    exchange->notifyNewTradingDate("bad", "20240311"); // announced, clock unchanged
    EXPECT_EQ(2u, days.size());
    EXPECT_EQ(QDate(2024, 3, 11), TC::CHostClock::today());
}

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

// One reset empties every service, those made later included, and keeps the configuration folder.
TEST_F(HostServicesTest, resetReturnsEveryServiceToItsEmptyState)
{
    QTemporaryDir dir;
    TC::setConfigDir(dir.path());
    auto *stockTypes = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    auto *types = ttservice::TypeManager::instance();
    TC::getUserConfig()->setGlobalOrderHints(1);
    tradeClient()->setQueryAnswerer(boost::make_shared<TestAnswerer>(TestAnswerer::Later));
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
    EXPECT_TRUE(ttservice::TraderCenter::instance()->getDataCenter()->accountKeys().empty());
    EXPECT_TRUE(ttservice::TraderCenter::instance()->getInstCenter()->getAllInstruments().empty());
    EXPECT_FALSE(stockTypes->isTypedStock(186, "SH", "019547"));
    EXPECT_EQ("非限售股", types->getEnumItemName("ttservice::EStkProp", 48, 1));
    EXPECT_EQ(ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN, tradeClient()->getLoginStatus("10001"));
    EXPECT_FALSE(tradeClient()->queryAnswerer());
    EXPECT_TRUE(commands().empty());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(0, TC::CAlgorithmHelpDialog::callCount());
    EXPECT_FALSE(TC::CHostClock::isFixed());
    EXPECT_EQ(0, utils::CSingletonT<LateService>::instance()->value);
    EXPECT_EQ(QDir::cleanPath(dir.path()), TC::getConfigDir());
}

TEST_F(CommandCenterTest, numbersKeepsAndAnnouncesCommandsAndReportsLaterUntilAReset)
{
    std::vector<int> announced;
    QObject guard;
    QObject::connect(commandCenter(), &TC::CItCommandCenter::sigCommandCreated, &guard,
                     [&](int no) { announced.push_back(no); });
    Outcomes outcomes;
    EXPECT_TRUE(place("019547", 100, outcomes));
    EXPECT_TRUE(place("101901", 200, outcomes));
    EXPECT_FALSE(commandCenter()->createCommand({}, outcomes.callback(), true, 0));

    EXPECT_EQ((std::vector<int> { 1, 2 }), announced);
    ASSERT_EQ(2u, commands().size());
    const ttservice::COrderCommandPtr kept = commandCenter()->getCommand(2);
    ASSERT_TRUE(kept);
    ASSERT_EQ(1u, kept->orders.size());
    EXPECT_EQ("101901", kept->orders[0].stock.stockCode);
    EXPECT_FALSE(commandCenter()->getCommand(3));

    // The outcome comes later, through the event loop.
    EXPECT_TRUE(outcomes.seen.empty());
    drainDeliveries();
    EXPECT_EQ((std::vector<std::string> { "1:0", "2:0" }), outcomes.seen);

    // A reset silences the callbacks of earlier commands and numbers afresh.
    ASSERT_TRUE(place("019547", 10, outcomes));
    TC::resetHostForTests();
    drainDeliveries();
    EXPECT_EQ(2u, outcomes.seen.size());
    ASSERT_TRUE(place("019547", 10, outcomes));
    EXPECT_EQ(1, commands().back().commandNo);
}

TEST_F(CommandCenterTest, acceptorDecidesAcceptanceAndOutcome)
{
    commandCenter()->setCommandAcceptor(boost::make_shared<TestAcceptor>());
    QStringList rejected;
    QObject guard;
    QObject::connect(commandCenter(), &TC::CItCommandCenter::sigCommandRejected, &guard,
                     [&](int, QString reason) { rejected << reason; });
    Outcomes outcomes;
    EXPECT_FALSE(place("019547", 5000, outcomes));
    EXPECT_TRUE(place("122000", 10, outcomes));
    drainDeliveries();

    EXPECT_EQ(QStringList { QStringLiteral("超出限额") }, rejected);
    ASSERT_EQ(2u, commands().size());
    EXPECT_FALSE(commands()[0].accepted);
    EXPECT_FALSE(commandCenter()->getCommand(1)); // a refused command is no instruction
    EXPECT_EQ(std::vector<std::string> { "2:12" }, outcomes.seen);
}

TEST_F(CommandCenterTest, registeredInstructionsAreFoundAndNotRenumbered)
{
    auto instruction = boost::make_shared<ttservice::COrderCommand>();
    instruction->commandNo = 7;
    commandCenter()->addCommand(instruction);
    auto unnumbered = boost::make_shared<ttservice::COrderCommand>();
    commandCenter()->addCommand(unnumbered);
    EXPECT_EQ(8, unnumbered->commandNo);
    EXPECT_EQ(instruction, commandCenter()->getCommand(7));
    ASSERT_TRUE(commandCenter()->createCommand(command("019547", 10), {}, true, 0));
    EXPECT_EQ(9, commands().back().commandNo);
}

// A counter reports from its own thread; the change is announced on the GUI thread.
TEST_F(TradeClientTest, announcesLoginChangesOnlyAndOnTheGuiThread)
{
    QStringList changed;
    QObject guard;
    QObject::connect(
        tradeClient(), &TC::CTradeClient::sigLoginStatusChanged, &guard,
        [&](QString key) {
            const bool gui = QThread::currentThread() == QCoreApplication::instance()->thread();
            changed << (gui ? key : key + QStringLiteral(" off the GUI thread"));
        },
        Qt::DirectConnection);
    tradeClient()->setLoginStatus(kLoggedInAccount, ttservice::BROKER_LOGIN_STATUS_OK);
    tradeClient()->setLoginStatus(kLoggedOutAccount, ttservice::BROKER_LOGIN_STATUS_OK);
    EXPECT_EQ(QStringList { QStringLiteral("10002") }, changed);

    std::thread([] {
        tradeClient()->setLoginStatus(kRefreshingAccount, ttservice::BROKER_LOGIN_STATUS_OK);
    }).join();
    EXPECT_EQ(1, changed.size());
    QCoreApplication::processEvents();
    EXPECT_EQ(QStringList({ "10002", "10003" }), changed);

    // Many states at once come in the order asked, unknown keys not logged in.
    tradeClient()->setLoginStatus("10003", ttservice::BROKER_LOGIN_STATUS_REFRESHING);
    EXPECT_EQ(
        tradeClient()->getLoginStatuses({ "10003", "99999", kLoggedInAccount, "" }),
        (std::vector<ttservice::EBROKER_LOGIN_STATUS> {
            ttservice::BROKER_LOGIN_STATUS_REFRESHING, ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN,
            ttservice::BROKER_LOGIN_STATUS_OK, ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN }));
    EXPECT_EQ(ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN, tradeClient()->getLoginStatus("99999"));
}

TEST_F(TradeClientTest, queriesAreAnsweredNowLaterOrWhenTakenAndIncompleteOnesRefused)
{
    Answer waiting;
    EXPECT_TRUE(tradeClient()->queryData(request(788), waiting.handler(), 0));
    EXPECT_EQ("calls 0", waiting.seen);
    const std::vector<TC::CQueryCall> pending = tradeClient()->takePendingQueries();
    ASSERT_EQ(1u, pending.size());
    EXPECT_EQ(788, pending[0].request->dataType);
    EXPECT_TRUE(tradeClient()->pendingQueries().empty());
    pending[0].answer(utils::TTError(3, "断开"), {});
    EXPECT_EQ("calls 1, failed, records 0", waiting.seen);

    tradeClient()->setQueryAnswerer(boost::make_shared<TestAnswerer>(TestAnswerer::Now));
    Answer now;
    EXPECT_TRUE(tradeClient()->queryData(request(795), now.handler(), 0));
    EXPECT_EQ("calls 1, ok, records 1", now.seen);

    auto later = boost::make_shared<TestAnswerer>(TestAnswerer::Later);
    tradeClient()->setQueryAnswerer(later);
    Answer kept;
    EXPECT_TRUE(tradeClient()->queryData(request(793), kept.handler(), 7));
    EXPECT_EQ("calls 0", kept.seen);
    EXPECT_TRUE(tradeClient()->pendingQueries().empty()); // the answerer has it
    ASSERT_EQ(1u, later->kept.size());
    EXPECT_EQ(7, later->kept[0].option);
    std::thread worker([&] { later->kept[0].answer(utils::TTError(), {}); });
    const std::thread::id workerId = worker.get_id();
    worker.join();
    EXPECT_EQ("calls 1, ok, records 0", kept.seen);
    EXPECT_EQ(workerId, kept.thread);

    Answer refused;
    EXPECT_FALSE(tradeClient()->queryData(ttservice::CQueryDataReqPtr(), refused.handler(), 0));
    EXPECT_FALSE(tradeClient()->queryData(request(788), TC::QueryHandler(), 0));
    tradeClient()->setQueryAnswerer(boost::make_shared<TestAnswerer>(TestAnswerer::Refuse));
    EXPECT_FALSE(tradeClient()->queryData(request(788), refused.handler(), 0));
    EXPECT_EQ("calls 0", refused.seen);
}

// Tables query on every refresh: answered requests are released beyond a short history.
TEST_F(TradeClientTest, answeredRequestsAreReleasedBeyondTheHistory)
{
    tradeClient()->setQueryAnswerer(boost::make_shared<TestAnswerer>(TestAnswerer::Now));
    Answer answer;
    boost::weak_ptr<ttservice::CQueryDataReq> first;
    for (size_t i = 0; i < TC::CTradeClient::kHistory + 100; ++i) {
        ttservice::CQueryDataReqPtr req = request(int(788 + i));
        if (i == 0)
            first = req;
        ASSERT_TRUE(tradeClient()->queryData(req, answer.handler(), 0));
    }
    EXPECT_EQ(int(TC::CTradeClient::kHistory + 100), answer.calls);
    EXPECT_TRUE(first.expired()) << "the first request is still held";
    const auto kept = tradeClient()->receivedQueries();
    ASSERT_EQ(TC::CTradeClient::kHistory, kept.size());
    EXPECT_EQ(788 + 100, kept.front()->dataType);
}

// The host's bonds, and a bond listed in two markets, a repurchase, a stock and a foreign bond.
struct InstrumentSearchModelTest : HostFixture
{
    void SetUp() override
    {
        HostFixture::SetUp();
        const auto repurchase = makeBond("SH", "204001", "GC001", 0);
        repurchase->extraDetail = boost::make_shared<ttservice::CBondInfoDetail>();
        const auto stock = makeBond("SZ", "000001", "岚峰银行", 0);
        stock->bondDetail.reset();
        for (const auto &listed : { makeBond("SZ", "122000", "公司债B", 0), repurchase, stock,
                                    makeBond("HK", "008001", "远川债", 0) })
            ttservice::TraderCenter::instance()->getInstCenter()->addInstrument(listed);
    }
};

TEST_F(InstrumentSearchModelTest, offersWhatTheTraderTypeAndFilterAllow)
{
    const std::pair<Offer, QStringList> cases[] = {
        { Offer { 0, false, 0, 0 }, {} }, // trades no exchange bonds
        { Offer { 0x100000, false, TC::FILTER_BOND, 0 },
          { "019547", "101901", "SH 122000", "SZ 122000" } },
        { Offer { 1, false, TC::FILTER_STOCK, 0 }, { "000001" } },
        { Offer { 1, false, TC::FILTER_REPURCHASE | TC::FILTER_STOCK, 0 }, { "000001", "204001" } },
        { Offer { 0, true, TC::FILTER_BOND, 1 },
          { "008001 远川债", "019547 国债1901", "101901 国债1902", "122000 公司债A SH",
            "122000 公司债B SZ" } },
    };
    for (const auto &[offer, entries] : cases)
        EXPECT_EQ(CInstrumentSearchModel(offer).getDataList(), entries)
            << offer.traderType << " " << offer.filterFlag;
    // Code editors share the list of their offer only.
    const auto bonds
        = CInstrumentSearchModel::shared(Offer { 0x100000, false, TC::FILTER_BOND, 1 });
    EXPECT_NE(CInstrumentSearchModel::shared(Offer { 1, false, TC::FILTER_STOCK, 1 }), bonds);
    EXPECT_EQ(CInstrumentSearchModel::shared(Offer { 0x100000, false, TC::FILTER_BOND, 1 }), bonds);
}

TEST_F(InstrumentSearchModelTest, findsWhatATypedCodeStandsFor)
{
    CInstrumentSearchModel model(Offer { 0, true, TC::FILTER_BOND, 1 });
    const std::pair<const char *, std::string> cases[] = {
        { "019547", "SH" },
        { " 019547 ", "SH" },
        { "122000", "none" }, // two markets list it
        { "SZ 122000", "SZ" },
        { "SZ  122000", "SZ" },
        { "122000 公司债A SH", "SH" },
        { "HK 122000", "none" },
        { "SH 122000 x", "none" },
        { "204001", "none" }, // a repurchase variety, not offered
        { "", "none" },
    };
    for (const auto &c : cases) {
        const auto found = model.instrumentFor(QString::fromUtf8(c.first));
        EXPECT_EQ(found ? found->market : "none", c.second) << c.first;
    }
    EXPECT_EQ(model.announcedCode(*model.instrumentFor("SZ 122000")), "SZ 122000");
    EXPECT_EQ(model.announcedCode(*model.instrumentFor("019547")), "019547");
}
