#include "LogCapture.h"

#include "utils/TTLog.h"

#include <gtest/gtest.h>

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
    LogCapture log;
    logtest::Sample s;
    const int line = s.logSomething(42);
    s.logError();

    const std::vector<LogCapture::Line> lines = log.lines();
    ASSERT_EQ(lines.size(), 2u);
    const std::string address
        = std::to_string(static_cast<long long>(reinterpret_cast<std::intptr_t>(&s)));
    EXPECT_EQ(lines[0].message,
              "[" + address
                  + "] [logtest::Sample::logSomething] "
                    "agreement repurchase table match account 42, but null account data ptr.");
    EXPECT_EQ(lines[0].level, 20000);
    EXPECT_EQ(lines[0].line, line);
    EXPECT_EQ(lines[0].file, "host\\test_log");
    EXPECT_EQ(lines[1].level, 40000);
    EXPECT_EQ(lines[1].message,
              "[" + address
                  + "] [logtest::Sample::logError] The scope of the trading day is not enough");
}

TEST(LogFormat, qualifiedNameDropsReturnTypeParametersAndQualifiers)
{
    const std::pair<const char *, const char *> cases[] = {
        { "virtual bool TC::CFoo::handleEvent(int, int, int, QString, void*)",
          "TC::CFoo::handleEvent" },
        { "boost::shared_ptr<ttservice::CAccountData> "
          "TC::IBaseAgreementRepurchaseWidget::getAccountDataPtr() const",
          "TC::IBaseAgreementRepurchaseWidget::getAccountDataPtr" },
        { "void ns::C<std::map<int, int> >::f(std::vector<int>)", "ns::C<std::map<int, int> >::f" },
        { "bool X::operator()(int)", "X::operator()" },
        { "int main()", "main" },
        // An unnamed namespace as gcc and as clang spell it.
        { "int {anonymous}::Table::firstRow()", "{anonymous}::Table::firstRow" },
        { "int (anonymous namespace)::Table::firstRow()", "{anonymous}::Table::firstRow" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(utils::qualifiedFunctionName(c.first), c.second);
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
