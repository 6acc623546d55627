#include "HostFixture.h"
#include "HostServices.h"

#include "tc/CExchangeClient.h"
#include "tc/CHostClock.h"
#include "tc/CMsgService.h"
#include "tc/HostReset.h"
#include "utils/CSingletonT.h"

namespace {

TC::CExchangeClient *exchange()
{
    return utils::CManualSingletonT<TC::CExchangeClient>::instance();
}

} // namespace

using HostServicesTest = HostFixture;

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
    EXPECT_EQ(QStringList(
                  { QStringLiteral("没有选择账号, 无法下单!/4/1"), QStringLiteral("second/1/2") }),
              announced);
    EXPECT_EQ(QStringLiteral("报警信息"), TC::CMsgService::typeName(4));
}

TEST_F(HostServicesTest, codeInfoAcceptsBareAndMarketQualifiedCodesAndOutlivesTheDirectory)
{
    const auto bare = exchange()->getCodeInfo(QStringLiteral("019547"));
    ASSERT_TRUE(bare);
    EXPECT_EQ("SH", bare->market);

    const auto spaced = exchange()->getCodeInfo(QStringLiteral("SZ 101901"));
    ASSERT_TRUE(spaced);
    EXPECT_EQ("国债1902", spaced->instrumentName);
    EXPECT_TRUE(exchange()->getCodeInfo(QStringLiteral("SZ|101901")));
    EXPECT_FALSE(exchange()->getCodeInfo(QStringLiteral("SH 101901")));
    EXPECT_FALSE(exchange()->getCodeInfo(QStringLiteral("600000")));
    EXPECT_FALSE(exchange()->getCodeInfo(QString()));

    const auto held = exchange()->getCodeInfo(QStringLiteral("122000"));
    ASSERT_TRUE(held);
    TC::resetHostForTests(); // the directory lets go of its record, the holder keeps it
    EXPECT_EQ("公司债A", held->instrumentName);
    EXPECT_FALSE(exchange()->getCodeInfo(QStringLiteral("122000")));
}

TEST_F(HostServicesTest, newTradingDayMovesTheHostClock)
{
    std::vector<std::string> days;
    QObject guard;
    QObject::connect(exchange(), &TC::CExchangeClient::sigNewTradingDate, &guard,
                     [&](const std::string &day, const std::string &previous) {
                         days.push_back(day + "<" + previous);
                     });
    exchange()->notifyNewTradingDate("20240311", "20240308");
    EXPECT_EQ(std::vector<std::string> { "20240311<20240308" }, days);
    EXPECT_EQ(QDate(2024, 3, 11), TC::CHostClock::today());

    exchange()->notifyNewTradingDate("bad", "20240311"); // announced, clock unchanged
    EXPECT_EQ(2u, days.size());
    EXPECT_EQ(QDate(2024, 3, 11), TC::CHostClock::today());
}
