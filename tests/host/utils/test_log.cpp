#include "utils/TTLog.h"

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/helpers/pool.h>
#include <log4cxx/spi/loggingevent.h>

#include <gtest/gtest.h>

namespace {

struct Captured {
    std::string message;
    std::string file;
    std::string method;
    int line = 0;
    int level = 0;
};

// Keeps every event the logger writes.
class CaptureAppender : public log4cxx::AppenderSkeleton
{
public:
    std::vector<Captured> events;
    void append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &) override
    {
        Captured c;
        log4cxx::LogString msg = event->getMessage();
        c.message.assign(msg.begin(), msg.end());
        const auto &loc = event->getLocationInformation();
        c.file = loc.getFileName();
        c.method = loc.getMethodName();
        c.line = loc.getLineNumber();
        c.level = event->getLevel()->toInt();
        events.push_back(c);
    }
    void close() override {}
    bool requiresLayout() const override { return false; }
};

} // namespace

namespace logtest {
struct Sample {
    int logSomething(int key)
    {
        TT_LOG_INFO(boost::format("agreement repurchase table match account %1%, but null account data ptr.") % key);
        return __LINE__ - 1;
    }
    void logError() { TT_LOG_ERROR("The scope of the trading day is not enough"); }
};
} // namespace logtest

namespace {
using logtest::Sample;

class LogLineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appender = std::make_shared<CaptureAppender>();
        utils::stdFileLogger()->addAppender(appender);
        utils::stdFileLogger()->setLevel(log4cxx::Level::getInfo());
    }
    void TearDown() override { utils::stdFileLogger()->removeAppender(appender); }
    std::shared_ptr<CaptureAppender> appender;
};

} // namespace

TEST_F(LogLineTest, writesAddressFunctionAndFormattedTextToStdFileLogger)
{
    Sample s;
    const int line = s.logSomething(42);
    ASSERT_EQ(appender->events.size(), 1u);
    const Captured &c = appender->events[0];
    const long long address = static_cast<long long>(reinterpret_cast<std::intptr_t>(&s));
    EXPECT_EQ(c.message, "[" + std::to_string(address) + "] [logtest::Sample::logSomething] "
                             "agreement repurchase table match account 42, but null account data ptr.");
    EXPECT_EQ(c.level, 20000);
    EXPECT_EQ(c.line, line);
    EXPECT_EQ(c.file, "host\\test_log");
    EXPECT_NE(c.method.find("logSomething"), std::string::npos);
    EXPECT_EQ(std::string(utils::kStdLoggerName), "TTStdFile");
}

TEST_F(LogLineTest, errorLinesUseLevel40000)
{
    Sample s;
    s.logError();
    ASSERT_EQ(appender->events.size(), 1u);
    EXPECT_EQ(appender->events[0].level, 40000);
    EXPECT_NE(appender->events[0].message.find("] [logtest::Sample::logError] The scope of the trading day is not enough"),
              std::string::npos);
}

TEST(LogFormat, qualifiedNameDropsReturnTypeParametersAndQualifiers)
{
    EXPECT_EQ(utils::qualifiedFunctionName("virtual bool TC::CFoo::handleEvent(int, int, int, QString, void*)"),
              "TC::CFoo::handleEvent");
    EXPECT_EQ(utils::qualifiedFunctionName(
                  "boost::shared_ptr<ttservice::CAccountData> TC::IBaseAgreementRepurchaseWidget::getAccountDataPtr() const"),
              "TC::IBaseAgreementRepurchaseWidget::getAccountDataPtr");
    EXPECT_EQ(utils::qualifiedFunctionName("void ns::C<std::map<int, int> >::f(std::vector<int>)"),
              "ns::C<std::map<int, int> >::f");
    EXPECT_EQ(utils::qualifiedFunctionName("bool X::operator()(int)"), "X::operator()");
    EXPECT_EQ(utils::qualifiedFunctionName("int main()"), "main");
}

TEST(LogFormat, sourceNameUsesTerminalNotation)
{
    EXPECT_EQ(utils::logSourceName("/w/ficc/agreement/CAgreementConfirmWidget.cpp"), "ficc\\CAgreementConfirmWidget");
    EXPECT_EQ(utils::logSourceName("/w/host/tc/CMsgService.cpp"), "host\\CMsgService");
    EXPECT_EQ(utils::logSourceName("C:\\src\\ficc\\CFoo.cpp"), "ficc\\CFoo");
}

TEST(LogFormat, negativeAddressesPrintSigned)
{
    const void *p = reinterpret_cast<const void *>(static_cast<std::intptr_t>(-16));
    EXPECT_EQ(utils::formatLogLine(p, "F", "t"), "[-16] [F] t");
}
