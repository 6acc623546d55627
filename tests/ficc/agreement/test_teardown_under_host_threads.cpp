// The busy panel destroyed again and again while the counter answers and the host pushes
// from threads of their own: a net for the ASan and TSan builds.
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
#include "utils/CSingletonT.h"
#include "xp/WidgetEvents.h"

#include <atomic>
#include <chrono>
#include <thread>

class TeardownUnderHostThreadsTest : public AgreementFormFixture
{
};

TEST_F(TeardownUnderHostThreadsTest, panelDestroyedWhileAnswersAndPushesArriveTouchesNothingFreed)
{
    utils::CSingletonT<ttservice::StockTypeCenter>::instance()->addTypedStock(10027, "SH",
                                                                              "019547");
    const ttservice::CAccountDataPtr cash = accountData(kLoggedInAccount);
    const int subscriptions = cash->subscriptionCount();
    std::atomic<bool> stop { false };
    std::thread host([&] {
        for (long long n = 1; !stop.load(); ++n) {
            cash->updateData(position("SH", "019547", n % 1000), true);
            cash->updateData(restricted("SH", "019547", int(n % 50)), true);
            auto funds = boost::make_shared<ttservice::CAccountDetail>();
            funds->accountId = kLoggedInAccount;
            funds->availableFunds = 1000.0 * double(n);
            cash->updateData(funds, true);
            tradeClient()->setLoginStatus(kRefreshingAccount,
                                          n % 2 ? ttservice::BROKER_LOGIN_STATUS_OK
                                                : ttservice::BROKER_LOGIN_STATUS_REFRESHING);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    // The counter answers what was asked by then with a record of the type asked for.
    const ttservice::CRepurchasePendingOrderPtr pending = declaration("P", '0');
    std::atomic<int> answered { 0 };
    const auto answerAsked = [&](int serial) {
        return std::thread([&, serial, calls = tradeClient()->takePendingQueries()] {
            for (const TC::CQueryCall &call : calls) {
                auto d = boost::make_shared<ttservice::CRepurchasePendingOrder>(*pending);
                d->pendingOrderRef = "P" + std::to_string(serial);
                auto c = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
                c->accountInfo = d->accountInfo = call.request->accountInfo;
                c->contractNo = "C" + std::to_string(serial);
                c->market = "SH";
                c->direction = c->contractStatus = '1';
                c->firstSettleDate = 20260205;
                c->maturitySettleDate = 20260219;
                ttservice::IDataPtr record = intentionOrder("I" + std::to_string(serial), '1');
                if (call.request->dataType == ttservice::DATA_TYPE_AGREEMENT_CONTRACT)
                    record = c;
                else if (call.request->dataType == ttservice::DATA_TYPE_PENDING_ORDER)
                    record = d;
                call.answer(utils::TTError(), { record });
                ++answered;
            }
        });
    };
    EventSink parent;
    parent.resize(1200, 600);
    parent.show();
    // Destroyed at once, after one pass of the event loop, or after answers came back.
    constexpr int kRounds = 100;
    for (int round = 0; round < kRounds; ++round) {
        auto *panel = new TC::CFiccOperationPanel(1, &parent);
        panel->setParam(QStringLiteral("2//1000"));
        panel->refreshAccounts();
        TC::COperationFiccWidget *switcher = panel->operationWidget();
        switcher->contractTable()->queryContracts(true);
        switcher->turnDealTable()->queryFromServer();
        switcher->confirmTable()->queryPendingDeclarations();
        switcher->pledgePosTable()->showAccountPositions(QStringLiteral("10001"),
                                                         TC::OPT_AGREEMENT_DEAL_DECLARATION);
        switcher->pledgeBondTable()->handleEvent(XP::EVT_CODE_ENTERED, 0, 0,
                                                 QStringLiteral("019547"), nullptr);
        panel->show();
        std::thread counter = answerAsked(round);
        if (round % 3 >= 1)
            QCoreApplication::processEvents();
        if (round % 3 == 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        QCoreApplication::processEvents();
        delete panel;
        if (round % 2)
            QCoreApplication::processEvents();
        counter.join();
    }
    stop = true;
    host.join();
    answerAsked(kRounds).join();
    drainDeliveries();

    EXPECT_EQ(utils::CDeliveryGuard::inFlight(), 0);
    EXPECT_EQ(cash->subscriptionCount(), subscriptions);
    EXPECT_GE(answered.load(), kRounds);
}
