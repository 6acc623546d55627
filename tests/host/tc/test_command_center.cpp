#include "HostFixture.h"

#include "tc/CItCommandCenter.h"
#include "tc/HostReset.h"
#include "utils/CSingletonT.h"

#include <QCoreApplication>

#include <boost/make_shared.hpp>

namespace {

TC::CItCommandCenter *center()
{
    return utils::CManualSingletonT<TC::CItCommandCenter>::instance();
}

ttservice::COrderComandParamPtr command(const std::string &code, long long volume)
{
    auto param = boost::make_shared<ttservice::COrderComandParam>();
    param->commandKind = 0x100000;
    param->manual = true;
    ttservice::CCodeOrderParam order;
    order.stock.market = "SH";
    order.stock.stockCode = code;
    order.volume = volume;
    param->orders.push_back(order);
    return param;
}

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

class CommandCenterTest : public HostFixture
{
};

TEST_F(CommandCenterTest, numbersKeepsAndAnnouncesCommandsAndReportsLater)
{
    std::vector<int> announced;
    QObject guard;
    QObject::connect(center(), &TC::CItCommandCenter::sigCommandCreated, &guard,
                     [&](int no) { announced.push_back(no); });
    Outcomes outcomes;
    const auto first = command("019547", 100);
    EXPECT_TRUE(center()->createCommand(first, outcomes.callback(), true, 0));
    EXPECT_TRUE(center()->createCommand(command("101901", 200), outcomes.callback(), true, 0));

    EXPECT_EQ((std::vector<int> { 1, 2 }), announced);
    ASSERT_EQ(2u, center()->commands().size());
    EXPECT_EQ(first, center()->commands()[0].param);
    EXPECT_TRUE(center()->commands()[0].confirm);
    const ttservice::COrderCommandPtr kept = center()->getCommand(2);
    ASSERT_TRUE(kept);
    EXPECT_EQ(2, kept->commandNo);
    ASSERT_EQ(1u, kept->orders.size());
    EXPECT_EQ("101901", kept->orders[0].stock.stockCode);
    EXPECT_FALSE(center()->getCommand(3));
    EXPECT_FALSE(
        center()->createCommand(ttservice::COrderComandParamPtr(), outcomes.callback(), true, 0));

    // The outcome comes later, through the event loop.
    EXPECT_TRUE(outcomes.commandNos.empty());
    deliverQueuedCalls();
    EXPECT_EQ((std::vector<int> { 1, 2 }), outcomes.commandNos);
    EXPECT_EQ((std::vector<int> { 0, 0 }), outcomes.codes);
}

TEST_F(CommandCenterTest, acceptorDecidesAcceptanceAndOutcome)
{
    center()->setCommandAcceptor(boost::make_shared<TestAcceptor>());
    QStringList rejected;
    QObject guard;
    QObject::connect(center(), &TC::CItCommandCenter::sigCommandRejected, &guard,
                     [&](int, QString reason) { rejected << reason; });
    Outcomes outcomes;
    EXPECT_FALSE(center()->createCommand(command("019547", 5000), outcomes.callback(), true, 0));
    EXPECT_TRUE(center()->createCommand(command("122000", 10), outcomes.callback(), true, 0));
    deliverQueuedCalls();

    EXPECT_EQ(QStringList { QStringLiteral("超出限额") }, rejected);
    ASSERT_EQ(2u, center()->commands().size());
    EXPECT_FALSE(center()->commands()[0].accepted);
    EXPECT_FALSE(center()->getCommand(1)); // a refused command is no instruction
    EXPECT_EQ(std::vector<int> { 2 }, outcomes.commandNos);
    EXPECT_EQ(std::vector<int> { 12 }, outcomes.codes);
}

TEST_F(CommandCenterTest, registeredInstructionsAreFoundAndNotRenumbered)
{
    auto instruction = boost::make_shared<ttservice::COrderCommand>();
    instruction->commandNo = 7;
    center()->addCommand(instruction);
    auto unnumbered = boost::make_shared<ttservice::COrderCommand>();
    center()->addCommand(unnumbered);
    EXPECT_EQ(8, unnumbered->commandNo);
    EXPECT_EQ(instruction, center()->getCommand(7));
    ASSERT_TRUE(center()->createCommand(command("019547", 10), {}, true, 0));
    EXPECT_EQ(9, center()->commands().back().commandNo);
}

TEST_F(CommandCenterTest, resetSilencesCallbacksOfEarlierCommands)
{
    Outcomes outcomes;
    ASSERT_TRUE(center()->createCommand(command("019547", 10), outcomes.callback(), true, 0));
    TC::resetHostForTests();
    deliverQueuedCalls();
    EXPECT_TRUE(outcomes.commandNos.empty());
    ASSERT_TRUE(center()->createCommand(command("019547", 10), outcomes.callback(), true, 0));
    EXPECT_EQ(1, center()->commands().back().commandNo);
}
