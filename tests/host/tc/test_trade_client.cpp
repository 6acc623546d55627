#include "HostFixture.h"
#include "HostServices.h"

#include "tc/CTradeClient.h"

#include <QCoreApplication>
#include <QThread>

#include <boost/make_shared.hpp>

#include <thread>

namespace {

ttservice::CQueryDataReqPtr request(int type)
{
    auto req = boost::make_shared<ttservice::CQueryDataReq>();
    req->dataType = type;
    return req;
}

// What a handler received.
struct Answer
{
    int calls = 0;
    bool success = false;
    size_t records = 0;
    std::thread::id thread;

    TC::QueryHandler handler()
    {
        return [this](utils::TTError e, std::vector<ttservice::IDataPtr> r, bson::BSONObj) {
            ++calls;
            success = e.isSuccess();
            records = r.size();
            thread = std::this_thread::get_id();
        };
    }
};

// Answers with one record at once, keeps the call for later, or refuses it.
class TestAnswerer : public TC::IQueryAnswerer
{
public:
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

} // namespace

using TradeClientTest = HostFixture;

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

    std::thread counter([] {
        tradeClient()->setLoginStatus(kRefreshingAccount, ttservice::BROKER_LOGIN_STATUS_OK);
    });
    counter.join();
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

    int finished = 0;
    QObject::connect(tradeClient(), &TC::CTradeClient::sigInitDataFinish, &guard,
                     [&] { ++finished; });
    tradeClient()->notifyInitDataFinish();
    EXPECT_EQ(1, finished);
}

// Without an answerer a query waits until the test answers it; an answerer
// answers at once, keeps the call for later (its handler then runs on the
// thread that answers) or refuses; incomplete queries are refused.
TEST_F(TradeClientTest, queriesAreAnsweredNowLaterOrWhenTakenAndIncompleteOnesRefused)
{
    Answer waiting;
    EXPECT_TRUE(tradeClient()->queryData(request(788), waiting.handler(), 0));
    EXPECT_EQ(0, waiting.calls);
    const std::vector<TC::CQueryCall> pending = tradeClient()->takePendingQueries();
    ASSERT_EQ(1u, pending.size());
    EXPECT_EQ(788, pending[0].request->dataType);
    EXPECT_TRUE(tradeClient()->pendingQueries().empty());
    pending[0].answer(utils::TTError(3, "断开"), {});
    EXPECT_EQ(1, waiting.calls);
    EXPECT_FALSE(waiting.success);

    tradeClient()->setQueryAnswerer(boost::make_shared<TestAnswerer>(TestAnswerer::Now));
    Answer now;
    EXPECT_TRUE(tradeClient()->queryData(request(795), now.handler(), 0));
    EXPECT_EQ(1, now.calls);
    EXPECT_TRUE(now.success);
    EXPECT_EQ(1u, now.records);

    auto later = boost::make_shared<TestAnswerer>(TestAnswerer::Later);
    tradeClient()->setQueryAnswerer(later);
    Answer kept;
    EXPECT_TRUE(tradeClient()->queryData(request(793), kept.handler(), 7));
    EXPECT_EQ(0, kept.calls);
    EXPECT_TRUE(tradeClient()->pendingQueries().empty()); // the answerer has it
    ASSERT_EQ(1u, later->kept.size());
    EXPECT_EQ(7, later->kept[0].option);
    std::thread worker([&] { later->kept[0].answer(utils::TTError(), {}); });
    const std::thread::id workerId = worker.get_id();
    worker.join();
    EXPECT_EQ(1, kept.calls);
    EXPECT_EQ(workerId, kept.thread);
    EXPECT_EQ(3u, tradeClient()->receivedQueries().size());

    Answer refused;
    EXPECT_FALSE(tradeClient()->queryData(ttservice::CQueryDataReqPtr(), refused.handler(), 0));
    EXPECT_FALSE(tradeClient()->queryData(request(788), TC::QueryHandler(), 0));
    tradeClient()->setQueryAnswerer(boost::make_shared<TestAnswerer>(TestAnswerer::Refuse));
    EXPECT_FALSE(tradeClient()->queryData(request(788), refused.handler(), 0));
    EXPECT_EQ(0, refused.calls);
}

// Tables query on every refresh: an answered request is not kept, apart from
// a short history of the last ones.
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
