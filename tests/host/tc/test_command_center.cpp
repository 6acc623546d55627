#include "HostFixture.h"
#include "HostServices.h"

#include "tc/HostReset.h"

#include <boost/make_shared.hpp>

namespace {

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

// The command numbers and error codes the callbacks reported, in order.
struct Outcomes
{
    std::vector<int> commandNos;
    std::vector<int> codes;
    TC::CItCommandCenter::Callback callback()
    {
        return [this](utils::TTError e, int no) {
            commandNos.push_back(no);
            codes.push_back(e.code());
        };
    }
};

bool place(const std::string &code, long long volume, Outcomes &outcomes)
{
    return commandCenter()->createCommand(command(code, volume), outcomes.callback(), true, 0);
}

// Refuses commands over 1000 张 and reports a counter error for code "122000".
class TestAcceptor : public TC::ICommandAcceptor
{
public:
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

void deliverQueuedCalls()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

} // namespace

using CommandCenterTest = HostFixture;

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
    EXPECT_EQ(2, kept->commandNo);
    ASSERT_EQ(1u, kept->orders.size());
    EXPECT_EQ("101901", kept->orders[0].stock.stockCode);
    EXPECT_FALSE(commandCenter()->getCommand(3));

    // The outcome comes later, through the event loop.
    EXPECT_TRUE(outcomes.commandNos.empty());
    deliverQueuedCalls();
    EXPECT_EQ((std::vector<int> { 1, 2 }), outcomes.commandNos);
    EXPECT_EQ((std::vector<int> { 0, 0 }), outcomes.codes);

    // A reset silences the callbacks of earlier commands and numbers afresh.
    ASSERT_TRUE(place("019547", 10, outcomes));
    TC::resetHostForTests();
    deliverQueuedCalls();
    EXPECT_EQ(2u, outcomes.commandNos.size());
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
    deliverQueuedCalls();

    EXPECT_EQ(QStringList { QStringLiteral("超出限额") }, rejected);
    ASSERT_EQ(2u, commands().size());
    EXPECT_FALSE(commands()[0].accepted);
    EXPECT_FALSE(commandCenter()->getCommand(1)); // a refused command is no instruction
    EXPECT_EQ(std::vector<int> { 2 }, outcomes.commandNos);
    EXPECT_EQ(std::vector<int> { 12 }, outcomes.codes);
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
