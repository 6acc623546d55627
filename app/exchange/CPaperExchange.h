#pragma once

#include "CContractRules.h"
#include "PendingDeal.h"

#include "tc/ICommandAcceptor.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CCodeOrderParam.h"
#include "utils/CThreadRelay.h"

#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace ttservice {
class CRepurchaseAgreementParam;
} // namespace ttservice

namespace app {

// The simulated host's exchange: every command the command centre is handed
// comes here, and each of its orders is carried out on the exchange's own
// thread by changing the accounts' records in the data centre, pushed to the
// subscribers as a counter pushes fills:
//   - spot buys and sells (1052, 1053) whose counterparty trader is one of
//     the simulated desks fill at once at the order's price plus the bond's
//     accrued interest: funds (543) and the position (547) change;
//   - a deal declaration (1045) waits at the counterparty desk, which accepts
//     it after the answer delay: the deal becomes a running contract (788)
//     with its pledged bond, the repo side receives the amount and the bond
//     leaves the available position. A deal still waiting when the terminal
//     stops is kept by the host's book and answered once the terminal runs
//     again (resumeDeals); a deal is good for the trading day it was sent on,
//     and lapses unanswered when that day has passed;
//   - intention orders (1063 正回购, 1064 逆回购) become the account's
//     intention orders (793); a desk takes each one up after the answer delay
//     and declares the deal to the order's trader (795, type 成交申报); an
//     intention not taken up yet when the terminal stops is kept by the
//     host's book like a waiting deal, and taken up once it runs again;
//   - on a contract (the order's contract number; the code's side, 正回购 or
//     逆回购, must be the contract's):
//       到期确认 (1047, 1077) settles it at maturity (已购回): the amount the
//         order carries moves (the repo side pays it), the pledged bonds
//         return to the repo side's available position;
//       提前购回 (1048, 1049) does the same inside the term;
//       到期续做 (1050, 1051) closes it (已续做) into a new running contract
//         with the order's amount, rate and term, the same bonds pledged; the
//         repo side pays what the old one owes and receives the new amount;
//       质押券变更 (1069) swaps pledged bonds inside the term: the bond named
//         as swapped out (swapBondCode) returns to the available position,
//         the bond named in (bondCode, the order's volume) leaves it;
//       解除质押 (1074, 1094) releases the bonds of an overdue contract, or of
//         one past its maturity (已解除质押), paying the amount the order carries;
//   - a confirmation from the 待确认申报 table (1065, 1067, 1070, 1072/1092,
//     1075/1095) answers the declaration its pendingOrderRef names, which
//     then leaves the account's declarations: a deal becomes a contract, the
//     others act on the contract the declaration is about, as above;
//   - when a trading day starts (startTradingDay) contracts past maturity
//     become due or overdue, and the desks declare on the trader's contracts
//     with them: release of an overdue contract, renewal of a due 逆回购
//     contract, pledge change or early repurchase inside a 逆回购 term.
// Dates are the host clock's. An order the exchange cannot take is refused
// with a message in the host's message service ("委托被拒绝: <reason>") and
// changes nothing. The command itself is always accepted by the command
// centre, so the journal holds it.
class CPaperExchange final : public TC::ICommandAcceptor
{
public:
    // A counterparty desk the exchange answers for.
    struct Desk
    {
        QString dealer; // dealer code, as the order's counterparty dealer
        QString dealerName;
        QString trader; // trader code, as the order's counterparty trader
        QString traderName;
    };

    // Order operation codes the exchange carries out.
    enum EOrderOperation {
        OP_BUY = 1052,
        OP_SELL = 1053,
        OP_DEAL_DECLARATION = 1045,
        OP_INTENTION_REPO = 1063,
        OP_INTENTION_REVERSE_REPO = 1064,
        OP_EARLY_REPURCHASE_REPO = 1048,
        OP_EARLY_REPURCHASE_REVERSE = 1049,
        OP_PLEDGE_RELEASE_REPO = 1074,
        OP_PLEDGE_RELEASE_REVERSE = 1094,
        OP_MATURITY_CONFIRM_REPO = 1047,
        OP_MATURITY_CONFIRM_REVERSE = 1077,
        OP_MATURITY_RENEWAL_REPO = 1050,
        OP_MATURITY_RENEWAL_REVERSE = 1051,
        OP_PLEDGE_CHANGE = 1069,
        // Confirmations of declarations a counterparty addressed to the trader.
        OP_CONFIRM_DEAL = 1065,
        OP_CONFIRM_RENEWAL = 1067,
        OP_CONFIRM_PLEDGE_CHANGE = 1070,
        OP_CONFIRM_EARLY_REPURCHASE_REPO = 1072,
        OP_CONFIRM_EARLY_REPURCHASE_REVERSE = 1092,
        OP_CONFIRM_PLEDGE_RELEASE_REPO = 1075,
        OP_CONFIRM_PLEDGE_RELEASE_REVERSE = 1095,
    };

    // `answerDelayMs`: how long a desk takes to answer a deal declaration.
    CPaperExchange(std::vector<Desk> desks, int answerDelayMs);
    ~CPaperExchange() override;

    // Hands the command's orders to the exchange thread; always true.
    bool accept(const TC::CCommandRecord &record, utils::TTError &outcome) override;

    // Runs `work` on the exchange thread, after what was handed over before;
    // other writers of the records it changes (the position feed) go through
    // here so that no change is lost between them.
    void runOnExchangeThread(std::function<void()> work) { post(std::move(work)); }

    // Starts the host clock's trading day at the exchange: contracts change
    // state and the desks declare (see above). Called before the day is
    // announced, so that the tables reloading then see the day's records;
    // returns once that is done (after the orders handed over before).
    void startTradingDay();

    // Told, on the exchange thread, when an agreement order of an account was
    // carried out (`delivered`) or refused (`text`: why), and when a desk's
    // answer changed the account's agreement records, as a counter reports
    // an order's delivery status to the host.
    using DeliveryListener = std::function<void(const ttservice::CAccountInfoPtr &account,
                                                bool delivered, const std::string &text)>;
    void setDeliveryListener(DeliveryListener listener);

    // Runs `afterEachJob` on the exchange thread after each job (an order, a
    // desk's answer, work handed to runOnExchangeThread) and before the next
    // one: the host's book writes there what the job changed. The messages the
    // job has for the trader are shown after it. Set before commands arrive.
    void setAfterEachJob(std::function<void()> afterEachJob)
    {
        m_afterEachJob = std::move(afterEachJob);
    }

    // Told, on the exchange thread, when an order starts waiting at a desk
    // (`waiting`: a deal declaration for its answer, an intention order to be
    // taken up) and when it stops (answered, refused, lapsed or taken up),
    // within the job that did it: the host's book keeps the waiting orders
    // with the job's other changes. Set before commands arrive.
    using PendingDealListener = std::function<void(const PendingDeal &deal, bool waiting)>;
    void setPendingDealListener(PendingDealListener listener)
    {
        m_pendingDealListener = std::move(listener);
    }

    // Has the desks answer the deals and take up the intention orders that
    // were still waiting when the terminal stopped (as the book kept them),
    // each once. Called before commands arrive.
    void resumeDeals(const std::vector<PendingDeal> &deals);

    // Stops the thread; orders and answers not carried out yet are dropped
    // (the orders waiting at a desk stay in the host's book).
    void shutdown();

    // Waits (running the caller's event loop) until every order handed over
    // and every answer due has been carried out; false after `timeoutMs`.
    bool waitUntilIdle(int timeoutMs);

    const std::vector<Desk> &desks() const { return m_desks; }
    int answerDelayMs() const { return m_answerDelayMs; }

    // Reads "dealer,dealerName,trader,traderName" lines (after a header line;
    // '#' starts a comment); malformed lines go to `warnings` as "file:N: reason".
    static bool loadDesks(const QString &path, std::vector<Desk> *desks, QStringList *warnings);

    // The text of a refusal, as the message service shows it.
    static QString refusalText(const QString &reason);

private:
    // On the exchange thread from here on.
    void execute(const ttservice::CCodeOrderParam &order);
    QString fillSpot(const ttservice::CCodeOrderParam &order);
    QString declareDeal(const ttservice::CCodeOrderParam &order,
                        const ttservice::CRepurchaseAgreementParam &agreement);
    void answerDeal(const PendingDeal &deal);
    QString declareIntention(const ttservice::CCodeOrderParam &order,
                             const ttservice::CRepurchaseAgreementParam &agreement);
    // 到期确认, 提前购回 and 解除质押: the contract's state is checked for `action`.
    QString closeContract(const ttservice::CCodeOrderParam &order,
                          const ttservice::CRepurchaseAgreementParam &agreement,
                          CContractRules::EAction action);
    QString renewContract(const ttservice::CCodeOrderParam &order,
                          const ttservice::CRepurchaseAgreementParam &agreement);
    QString changePledge(const ttservice::CCodeOrderParam &order,
                         const ttservice::CRepurchaseAgreementParam &agreement);
    QString answerDeclaration(const ttservice::CCodeOrderParam &order,
                              const ttservice::CRepurchaseAgreementParam &agreement);
    // A desk declares the deal of an intention order (the account's key and
    // the order's number) to the order's trader.
    void takeUpIntention(const PendingDeal &pickup);
    void rollTradingDay();
    void reportDelivery(const ttservice::CAccountInfoPtr &account, bool delivered,
                        const std::string &text);
    // A number for a new record of `type` in the account: prefix, trading
    // date, a running number.
    std::string nextNumber(const char *prefix, const ttservice::CAccountDataPtr &data, int type);
    // The same, counting with `last`, for a number `taken` does not know.
    static std::string nextNumber(const char *prefix, int &last,
                                  const std::function<bool(const std::string &)> &taken);
    const Desk *findDesk(const std::string &dealer, const std::string &trader) const;
    void post(std::function<void()> work, int delayMs = -1);
    // Carries out a job on the exchange thread, then the after-each-job hook,
    // then shows the job's messages.
    void runJob(const std::function<void()> &work);

    const std::vector<Desk> m_desks;
    const int m_answerDelayMs;
    utils::CEventLoopThread m_thread;
    utils::CThreadRelay *m_context = nullptr; // lives in m_thread; deleted after it stops
    std::atomic<bool> m_stopped { false };
    std::atomic<int> m_outstanding { 0 };
    std::mutex m_listenerMutex;
    DeliveryListener m_deliveryListener; // under m_listenerMutex
    int m_lastNumber = 0; // exchange thread only
    // Declarations answered, "accountKey|ref": a second answer is refused.
    std::set<std::string> m_answered; // exchange thread only
    // What the desks declared about a contract, "accountKey|contractNo|type":
    // each proposal is made once.
    std::set<std::string> m_proposed; // exchange thread only
    // The deals waiting for their desk's answer, by key; numbered apart from
    // the records, whose numbers the trader reads.
    std::set<std::string> m_waitingDeals; // exchange thread only
    int m_lastDealNumber = 0; // exchange thread only
    std::function<void()> m_afterEachJob;
    PendingDealListener m_pendingDealListener;
};

} // namespace app
