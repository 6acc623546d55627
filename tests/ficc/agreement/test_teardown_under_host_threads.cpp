// The panel, each table of the agreement page and the account list are
// destroyed again and again while the counter answers their queries on its own
// thread and the host pushes positions, funds, restricted volumes and login
// states from another one. Nothing may touch a widget that is gone: the normal build checks the
// subscriptions and deliveries left behind, the ASan and TSan builds check
// every access.
#include "AgreementFormFixture.h"
#include "HostServices.h"

#include "agreement/CAgreementConfirmWidget.h"
#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementTableWidget.h"
#include "agreement/CAgreementTurnDealWidget.h"
#include "shell/CFiccOperationPanel.h"
#include "shell/COperationFiccWidget.h"
#include "tc/COpAccountsWidget.h"
#include "tc/CTradeClient.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "ttservice/DataTypes.h"
#include "ttservice/StockTypeCenter.h"
#include "utils/CDeliveryGuard.h"
#include "utils/CSingletonT.h"
#include "xp/WidgetEvents.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <boost/make_shared.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace {

constexpr int kRounds = 100;

// The counter: answers every query on its own thread, in the order asked,
// with records of the type asked for.
class ThreadedCounter : public TC::IQueryAnswerer
{
public:
    ThreadedCounter()
        : m_thread([this] { run(); })
    {
    }
    ~ThreadedCounter() override { stop(); }

    bool answer(const TC::CQueryCall &call) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_calls.push_back(call);
        }
        m_wake.notify_one();
        return true;
    }
    // Answers what is still queued, then ends the thread.
    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }
    int answered() const { return m_answered.load(); }

private:
    static std::vector<ttservice::IDataPtr> recordsFor(const ttservice::CQueryDataReq &request,
                                                       int serial)
    {
        std::vector<ttservice::IDataPtr> records;
        for (int i = 0; i < 3; ++i) {
            const std::string no = std::to_string(serial) + "-" + std::to_string(i);
            if (request.dataType == ttservice::DATA_TYPE_AGREEMENT_CONTRACT) {
                auto c = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
                c->accountInfo = request.accountInfo;
                c->contractNo = "C" + no;
                c->market = "SH";
                c->direction = '1';
                c->contractStatus = '1';
                c->firstSettleDate = 20260205;
                c->maturitySettleDate = 20260219;
                c->repurchaseAmount = 1000000;
                c->repurchaseRate = 0.0365;
                c->repurchaseDays = 14;
                records.push_back(c);
            } else if (request.dataType == ttservice::DATA_TYPE_PENDING_ORDER) {
                auto d = boost::make_shared<ttservice::CRepurchasePendingOrder>();
                d->accountInfo = request.accountInfo;
                d->pendingOrderRef = "P" + no;
                d->market = "SH";
                d->contractCode = "206007";
                d->direction = '0';
                d->trader = request.queryText;
                d->repurchaseAmount = 9000000;
                d->repurchaseDays = 7;
                d->repurchaseRate = 0.0215;
                records.push_back(d);
            } else if (request.dataType == ttservice::DATA_TYPE_INTENTION_ORDER) {
                auto o = boost::make_shared<ttservice::CRepurchaseIntentionOrder>();
                o->orderNo = "I" + no;
                o->market = "SH";
                o->direction = '1' + i % 2;
                o->repurchaseAmount = 2000000;
                o->repurchaseDays = 7;
                o->repurchaseRate = 0.035;
                records.push_back(o);
            }
        }
        return records;
    }

    void run()
    {
        for (int serial = 0;; ++serial) {
            TC::CQueryCall call;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return m_stop || !m_calls.empty(); });
                if (m_calls.empty())
                    return;
                call = m_calls.front();
                m_calls.pop_front();
            }
            call.answer(utils::TTError(), recordsFor(*call.request, serial));
            ++m_answered;
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<TC::CQueryCall> m_calls;
    bool m_stop = false;
    std::atomic<int> m_answered { 0 };
    std::thread m_thread; // last: starts once the members above exist
};

// The host's subscription pushes, from a thread of its own until stopped:
// positions and restricted volumes of 10001, funds of 10001 and 10003, and
// 10003 going back and forth between refreshing and logged in.
class HostPusher
{
public:
    HostPusher(ttservice::CAccountDataPtr cash, ttservice::CAccountDataPtr refreshing)
        : m_cash(std::move(cash))
        , m_refreshing(std::move(refreshing))
        , m_thread([this] { run(); })
    {
    }
    ~HostPusher() { stop(); }
    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    int pushed() const { return m_pushed.load(); }

private:
    void run()
    {
        for (long long n = 1; !m_stop.load(); ++n) {
            auto position = boost::make_shared<ttservice::CPositionStatics>();
            position->market = "SH";
            position->instrumentCode = n % 2 ? "019547" : "122000";
            position->usableVolume = n % 1000;
            m_cash->updateData(position, true);

            auto restricted = boost::make_shared<ttservice::CNonTradeStockVolumeInfo>();
            restricted->market = "SH";
            restricted->instrumentCode = "019547";
            restricted->volume = int(n % 50);
            m_cash->updateData(restricted, true);

            for (const auto &data : { m_cash, m_refreshing }) {
                auto funds = boost::make_shared<ttservice::CAccountDetail>();
                funds->accountId = data->getAccountInfo()->accountId;
                funds->availableFunds = 1000.0 * double(n);
                data->updateData(funds, true);
            }
            tradeClient()->setLoginStatus(data(m_refreshing),
                                          n % 2 ? ttservice::BROKER_LOGIN_STATUS_OK
                                                : ttservice::BROKER_LOGIN_STATUS_REFRESHING);
            ++m_pushed;
            // A counter pushes often, not in a busy loop: the GUI thread must keep up.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    static std::string data(const ttservice::CAccountDataPtr &d)
    {
        return d->getAccountInfo()->getKey();
    }

    const ttservice::CAccountDataPtr m_cash;
    const ttservice::CAccountDataPtr m_refreshing;
    std::atomic<bool> m_stop { false };
    std::atomic<int> m_pushed { 0 };
    std::thread m_thread; // last
};

// One widget under test: made under `parent` and set to work (queries sent,
// subscriptions taken), ready to be destroyed.
struct Subject
{
    const char *name;
    bool queries; // sends trade client queries the counter answers
    std::function<QWidget *(QWidget *parent, FakeOperation &op)> make;
};

void PrintTo(const Subject &subject, std::ostream *os)
{
    *os << subject.name;
}

class TeardownUnderHostThreadsTest : public AgreementFormFixture,
                                     public ::testing::WithParamInterface<Subject>
{
protected:
    void SetUp() override
    {
        AgreementFormFixture::SetUp();
        auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
        types->addTypedStock(10027, "SH", "019547");
        counter = boost::make_shared<ThreadedCounter>();
        tradeClient()->setQueryAnswerer(counter);
    }
    void TearDown() override
    {
        counter->stop();
        AgreementFormFixture::TearDown();
    }

    boost::shared_ptr<ThreadedCounter> counter;
};

const Subject kSubjects[] = {
    { "panel", true,
      [](QWidget *parent, FakeOperation &) -> QWidget * {
          auto *panel = new TC::CFiccOperationPanel(1, parent);
          panel->setParam(QStringLiteral("2//1000"));
          panel->refreshAccounts();
          TC::COperationFiccWidget *switcher = panel->operationWidget();
          switcher->contractTable()->queryContracts(true);
          switcher->turnDealTable()->queryFromServer();
          switcher->confirmTable()->queryPendingDeclarations();
          switcher->pledgePosTable()->showAccountPositions(QStringLiteral("10001"),
                                                           TC::OPT_AGREEMENT_DEAL_DECLARATION);
          return panel;
      } },
    { "contract table", true,
      [](QWidget *parent, FakeOperation &op) -> QWidget * {
          auto *table = new TC::CAgreementTableWidget(parent);
          op.setOperationType(TC::OPT_AGREEMENT_EARLY_REPURCHASE);
          table->setOperationWidget(&op);
          table->queryContracts(true);
          return table;
      } },
    { "turn-deal list", true,
      [](QWidget *parent, FakeOperation &op) -> QWidget * {
          auto *list = new TC::CAgreementTurnDealWidget(parent);
          op.setOperationType(TC::OPT_AGREEMENT_INTENTION_REPO);
          list->setOperationWidget(&op);
          list->queryFromServer();
          return list;
      } },
    { "confirmation table", true,
      [](QWidget *parent, FakeOperation &op) -> QWidget * {
          auto *table = new TC::CAgreementConfirmWidget(parent);
          op.setOperationType(TC::OPT_AGREEMENT_DEAL_DECLARATION);
          table->setOperationWidget(&op);
          table->queryPendingDeclarations();
          return table;
      } },
    { "pledged positions", false,
      [](QWidget *parent, FakeOperation &) -> QWidget * {
          auto *positions = new TC::CAgreementPledgePosWidget(true, parent);
          positions->showAccountPositions(QStringLiteral("10001"),
                                          TC::OPT_AGREEMENT_DEAL_DECLARATION);
          return positions;
      } },
    { "pledge bonds", false,
      [](QWidget *parent, FakeOperation &) -> QWidget * {
          auto *bonds = new TC::CAgreementPledgeBondWidget(true, parent);
          bonds->handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QStringLiteral("019547"), nullptr);
          return bonds;
      } },
    { "account list", false,
      [](QWidget *parent, FakeOperation &) -> QWidget * {
          return new TC::COpAccountsWidget(4, true, true, parent, 1);
      } },
};

// Each round makes the widget, lets part of the host's traffic reach it and
// destroys it, at a different point of the traffic every round: at once, after
// one pass of the event loop, or after answers had time to come back.
TEST_P(TeardownUnderHostThreadsTest, destroyedWhileAnswersAndPushesArriveTouchesNothingFreed)
{
    const Subject &subject = GetParam();
    const ttservice::CAccountDataPtr cash = accountData(kLoggedInAccount);
    const ttservice::CAccountDataPtr refreshing = accountData(kRefreshingAccount);
    const int cashSubscriptions = cash->subscriptionCount();
    const int refreshingSubscriptions = refreshing->subscriptionCount();

    EventSink parent;
    parent.resize(1200, 600);
    parent.show();
    // The operation form the tables serve: account 10001, trader T401.
    FakeOperation op(TC::OPT_AGREEMENT_EARLY_REPURCHASE, "10001");
    op.trader = "T401";
    HostPusher pusher(cash, refreshing);
    for (int round = 0; round < kRounds; ++round) {
        QWidget *widget = subject.make(&parent, op);
        widget->show();
        if (round % 3 >= 1)
            QCoreApplication::processEvents();
        if (round % 3 == 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        QCoreApplication::processEvents();
        delete widget;
        if (round % 2)
            QCoreApplication::processEvents();
    }
    pusher.stop();
    counter->stop();
    drainDeliveries();

    EXPECT_EQ(utils::CDeliveryGuard::inFlight(), 0);
    EXPECT_EQ(cash->subscriptionCount(), cashSubscriptions);
    EXPECT_EQ(refreshing->subscriptionCount(), refreshingSubscriptions);
    EXPECT_GT(pusher.pushed(), 0);
    if (subject.queries) {
        EXPECT_GE(counter->answered(), kRounds);
    }
}

INSTANTIATE_TEST_SUITE_P(Widgets, TeardownUnderHostThreadsTest, ::testing::ValuesIn(kSubjects),
                         [](const ::testing::TestParamInfo<Subject> &info) {
                             std::string name;
                             for (const char *c = info.param.name; *c; ++c)
                                 if (*c != ' ' && *c != '-')
                                     name += *c;
                             return name;
                         });

} // namespace
