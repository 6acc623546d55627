#include "utils/TTLog.h"

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/helpers/pool.h>
#include <log4cxx/spi/loggingevent.h>

#include <gtest/gtest.h>

namespace {

// Keeps every event the logger writes.
class CaptureAppender : public log4cxx::AppenderSkeleton
{
public:
    std::vector<log4cxx::spi::LoggingEventPtr> events;
    void append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &) override
    {
        events.push_back(event);
    }
    void close() override { }
    bool requiresLayout() const override { return false; }
};

std::string messageOf(const log4cxx::spi::LoggingEventPtr &event)
{
    const log4cxx::LogString message = event->getMessage();
    return std::string(message.begin(), message.end());
}

} // namespace

namespace logtest {
struct Sample
{
    int logSomething(int key)
    {
        const char *text
            = "agreement repurchase table match account %1%, but null account data ptr.";
        TT_LOG_INFO(boost::format(text) % key);
        return __LINE__ - 1;
    }
    void logError() { TT_LOG_ERROR("The scope of the trading day is not enough"); }
};
} // namespace logtest

TEST(LogLine, writesAddressFunctionAndFormattedTextToStdFileLogger)
{
    auto appender = std::make_shared<CaptureAppender>();
    utils::stdFileLogger()->addAppender(appender);
    utils::stdFileLogger()->setLevel(log4cxx::Level::getInfo());
    logtest::Sample s;
    const int line = s.logSomething(42);
    s.logError();
    utils::stdFileLogger()->removeAppender(appender);

    ASSERT_EQ(appender->events.size(), 2u);
    const log4cxx::spi::LoggingEventPtr &info = appender->events[0];
    const std::string address
        = std::to_string(static_cast<long long>(reinterpret_cast<std::intptr_t>(&s)));
    EXPECT_EQ(messageOf(info),
              "[" + address
                  + "] [logtest::Sample::logSomething] "
                    "agreement repurchase table match account 42, but null account data ptr.");
    EXPECT_EQ(info->getLevel()->toInt(), 20000);
    EXPECT_EQ(info->getLocationInformation().getLineNumber(), line);
    EXPECT_EQ(std::string(info->getLocationInformation().getFileName()), "host\\test_log");
    EXPECT_NE(std::string(info->getLocationInformation().getMethodName()).find("logSomething"),
              std::string::npos);

    EXPECT_EQ(appender->events[1]->getLevel()->toInt(), 40000);
    EXPECT_EQ(messageOf(appender->events[1]),
              "[" + address
                  + "] [logtest::Sample::logError] The scope of the trading day is not enough");
}

TEST(LogFormat, qualifiedNameDropsReturnTypeParametersAndQualifiers)
{
    EXPECT_EQ(utils::qualifiedFunctionName(
                  "virtual bool TC::CFoo::handleEvent(int, int, int, QString, void*)"),
              "TC::CFoo::handleEvent");
    EXPECT_EQ(utils::qualifiedFunctionName(
                  "boost::shared_ptr<ttservice::CAccountData> "
                  "TC::IBaseAgreementRepurchaseWidget::getAccountDataPtr() const"),
              "TC::IBaseAgreementRepurchaseWidget::getAccountDataPtr");
    EXPECT_EQ(utils::qualifiedFunctionName("void ns::C<std::map<int, int> >::f(std::vector<int>)"),
              "ns::C<std::map<int, int> >::f");
    EXPECT_EQ(utils::qualifiedFunctionName("bool X::operator()(int)"), "X::operator()");
    EXPECT_EQ(utils::qualifiedFunctionName("int main()"), "main");
    // An unnamed namespace as gcc and as clang spell it.
    EXPECT_EQ(utils::qualifiedFunctionName("int {anonymous}::Table::firstRow()"),
              "{anonymous}::Table::firstRow");
    EXPECT_EQ(utils::qualifiedFunctionName("int (anonymous namespace)::Table::firstRow()"),
              "{anonymous}::Table::firstRow");
}

TEST(LogFormat, sourceNameUsesTerminalNotationAndAddressesPrintSigned)
{
    EXPECT_EQ(utils::logSourceName("/w/ficc/agreement/CAgreementConfirmWidget.cpp"),
              "ficc\\CAgreementConfirmWidget");
    EXPECT_EQ(utils::logSourceName("/w/host/tc/CMsgService.cpp"), "host\\CMsgService");
    EXPECT_EQ(utils::logSourceName("C:\\src\\ficc\\CFoo.cpp"), "ficc\\CFoo");
    const void *p = reinterpret_cast<const void *>(static_cast<std::intptr_t>(-16));
    EXPECT_EQ(utils::formatLogLine(p, "F", "t"), "[-16] [F] t");
}
