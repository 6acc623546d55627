#pragma once

#include "tc/ICommandAcceptor.h"
#include "ttservice/CCodeOrderParam.h"

#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <map>
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
//     leaves the available position;
//   - intention orders (1063 正回购, 1064 逆回购) become the account's
//     intention orders (793);
//   - 提前购回 (1048, 1049) closes a running contract inside its term
//     (已购回): the amount the order carries moves (the repo side pays it) and
//     the pledged bonds return to the repo side's available position;
//   - 解除质押 (1074, 1094) releases the bonds of an overdue contract, or of
//     one past its maturity (已解除质押), paying the amount the order carries.
// An order the exchange cannot take is refused with a message in the host's
// message service ("委托被拒绝: <reason>") and changes nothing. The command
// itself is always accepted by the command centre, so the journal holds it.
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

    // Runs `afterEachJob` on the exchange thread after each job (an order, a
    // desk's answer, work handed to runOnExchangeThread) and before the next
    // one: the host's book writes there what the job changed. The messages the
    // job has for the trader are shown after it. Set before commands arrive.
    void setAfterEachJob(std::function<void()> afterEachJob)
    {
        m_afterEachJob = std::move(afterEachJob);
    }

    // Stops the thread; orders and answers not carried out yet are dropped.
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
    struct PendingDeal
    {
        ttservice::CCodeOrderParam order;
        const Desk *desk = nullptr;
    };

    // On the exchange thread from here on.
    void execute(const ttservice::CCodeOrderParam &order);
    QString fillSpot(const ttservice::CCodeOrderParam &order);
    QString declareDeal(const ttservice::CCodeOrderParam &order,
                        const ttservice::CRepurchaseAgreementParam &agreement);
    void answerDeal(const PendingDeal &deal);
    QString declareIntention(const ttservice::CCodeOrderParam &order,
                             const ttservice::CRepurchaseAgreementParam &agreement);
    // 提前购回 and 解除质押: the contract's state is checked by `release`.
    QString closeContract(const ttservice::CCodeOrderParam &order,
                          const ttservice::CRepurchaseAgreementParam &agreement, bool release);
    const Desk *findDesk(const std::string &dealer, const std::string &trader) const;
    void post(std::function<void()> work, int delayMs = -1);
    // Carries out a job on the exchange thread, then the after-each-job hook,
    // then shows the job's messages.
    void runJob(const std::function<void()> &work);

    const std::vector<Desk> m_desks;
    const int m_answerDelayMs;
    QThread m_thread;
    QObject *m_context = nullptr; // lives in m_thread; deleted after it stops
    std::atomic<bool> m_stopped { false };
    std::atomic<int> m_outstanding { 0 };
    int m_lastNumber = 0; // exchange thread only
    std::function<void()> m_afterEachJob;
};

} // namespace app
