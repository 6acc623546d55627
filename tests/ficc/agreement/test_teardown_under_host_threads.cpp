// The panel, with every table of the agreement page and the account list at
// work, is destroyed again and again while the counter answers their queries
// on its own thread and the host pushes positions, funds, restricted volumes
// and login states from another one. Nothing may touch a widget that is gone:
// the normal build checks the subscriptions and deliveries left behind, the
// ASan and TSan builds check every access.
#include "AgreementTableRecords.h"

#include "agreement/CAgreementConfirmWidget.h"
#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementTableWidget.h"
#include "agreement/CAgreementTurnDealWidget.h"
#include "shell/CFiccOperationPanel.h"
#include "shell/COperationFiccWidget.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/DataTypes.h"
#include "ttservice/StockTypeCenter.h"
#include "xp/WidgetEvents.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr int kRounds = 100;

// The counter's answer to a query: three records of the type asked for. The
// declarations are copies of `declaration`, made on the GUI thread beforehand.
std::vector<ttservice::IDataPtr> recordsFor(const ttservice::CQueryDataReq &request, int serial,
                                            const ttservice::CRepurchasePendingOrder &declaration)
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
            records.push_back(c);
        } else if (request.dataType == ttservice::DATA_TYPE_PENDING_ORDER) {
            auto d = boost::make_shared<ttservice::CRepurchasePendingOrder>(declaration);
            d->accountInfo = request.accountInfo;
            d->pendingOrderRef = "P" + no;
            d->trader = request.queryText;
            records.push_back(d);
        } else if (request.dataType == ttservice::DATA_TYPE_INTENTION_ORDER) {
            records.push_back(intentionOrder("I" + no, '1' + i % 2));
        }
    }
    return records;
}

// One push of the host's subscriptions: a position and a restricted volume of
// 10001, funds of 10001 and 10003, and 10003 between refreshing and logged in.
void pushHostData(const ttservice::CAccountDataPtr &cash,
                  const ttservice::CAccountDataPtr &refreshing, long long n)
{
    cash->updateData(position("SH", n % 2 ? "019547" : "122000", n % 1000), true);
    cash->updateData(restricted("SH", "019547", int(n % 50)), true);
    for (const auto &data : { cash, refreshing }) {
        auto funds = boost::make_shared<ttservice::CAccountDetail>();
        funds->accountId = data->getAccountInfo()->accountId;
        funds->availableFunds = 1000.0 * double(n);
        data->updateData(funds, true);
    }
    tradeClient()->setLoginStatus(refreshing->getAccountInfo()->getKey(),
                                  n % 2 ? ttservice::BROKER_LOGIN_STATUS_OK
                                        : ttservice::BROKER_LOGIN_STATUS_REFRESHING);
}

class TeardownUnderHostThreadsTest : public AgreementFormFixture
{
protected:
    void SetUp() override
    {
        AgreementFormFixture::SetUp();
        auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
        types->addTypedStock(10027, "SH", "019547");
    }
};

// The panel under `parent`, its tables set to work: queries sent, positions
// subscribed, a pledge bond entered.
QWidget *busyPanel(QWidget *parent)
{
    auto *panel = new TC::CFiccOperationPanel(1, parent);
    panel->setParam(QStringLiteral("2//1000"));
    panel->refreshAccounts();
    TC::COperationFiccWidget *switcher = panel->operationWidget();
    switcher->contractTable()->queryContracts(true);
    switcher->turnDealTable()->queryFromServer();
    switcher->confirmTable()->queryPendingDeclarations();
    switcher->pledgePosTable()->showAccountPositions(QStringLiteral("10001"),
                                                     TC::OPT_AGREEMENT_DEAL_DECLARATION);
    switcher->pledgeBondTable()->handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QStringLiteral("019547"),
                                             nullptr);
    return panel;
}

// Each round makes the panel, lets part of the host's traffic reach it and
// destroys it, at a different point of the traffic every round: at once, after
// one pass of the event loop, or after answers had time to come back.
TEST_F(TeardownUnderHostThreadsTest, panelDestroyedWhileAnswersAndPushesArriveTouchesNothingFreed)
{
    const ttservice::CAccountDataPtr cash = accountData(kLoggedInAccount);
    const ttservice::CAccountDataPtr refreshing = accountData(kRefreshingAccount);
    const int cashSubscriptions = cash->subscriptionCount();
    const int refreshingSubscriptions = refreshing->subscriptionCount();

    EventSink parent;
    parent.resize(1200, 600);
    parent.show();
    // The host pushes from a thread of its own, often but not in a busy loop:
    // the GUI thread must keep up.
    std::atomic<bool> stopPushing { false };
    std::atomic<int> pushed { 0 };
    std::thread pusher([&] {
        for (long long n = 1; !stopPushing.load(); ++n, ++pushed) {
            pushHostData(cash, refreshing, n);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    // The counter answers on a thread of its own what was asked by then: of a
    // round's panel while it lives or is destroyed, or of the one before.
    const ttservice::CRepurchasePendingOrderPtr pending = declaration("P", '0');
    std::atomic<int> answered { 0 };
    const auto answerAsked = [&](int serial) {
        return std::thread([&, serial, calls = tradeClient()->takePendingQueries()] {
            for (const TC::CQueryCall &call : calls) {
                call.answer(utils::TTError(), recordsFor(*call.request, serial, *pending));
                ++answered;
            }
        });
    };
    for (int round = 0; round < kRounds; ++round) {
        QWidget *widget = busyPanel(&parent);
        widget->show();
        std::thread counter = answerAsked(round);
        if (round % 3 >= 1)
            QCoreApplication::processEvents();
        if (round % 3 == 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        QCoreApplication::processEvents();
        delete widget;
        if (round % 2)
            QCoreApplication::processEvents();
        counter.join();
    }
    stopPushing = true;
    pusher.join();
    answerAsked(kRounds).join();
    drainDeliveries();

    EXPECT_EQ(utils::CDeliveryGuard::inFlight(), 0);
    EXPECT_EQ(cash->subscriptionCount(), cashSubscriptions);
    EXPECT_EQ(refreshing->subscriptionCount(), refreshingSubscriptions);
    EXPECT_GT(pushed.load(), 0);
    EXPECT_GE(answered.load(), kRounds);
}

} // namespace
