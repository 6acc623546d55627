#include "LogCapture.h"
#include "QtPrinters.h"
#include "utils/DateText.h"
#include "utils/StringHelper.h"
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

    const std::string at = "[" + std::to_string(reinterpret_cast<std::intptr_t>(&s)) + "] ";
    ASSERT_EQ(log.messages(),
              (std::vector<std::string> {
                  at
                      + "[logtest::Sample::logSomething] agreement repurchase table match account "
                        "42, but null account data ptr.",
                  at + "[logtest::Sample::logError] The scope of the trading day is not enough" }));
    const std::vector<LogCapture::Line> lines = log.lines();
    EXPECT_EQ(lines[0].level, 20000);
    EXPECT_EQ(lines[0].line, line);
    EXPECT_EQ(lines[0].file, "host\\test_text");
    EXPECT_EQ(lines[1].level, 40000);
}

TEST(LogFormat, functionsWithoutSignatureSourcesInTerminalNotationAddressesSigned)
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
    // Sources in the terminal's notation, addresses signed.
    EXPECT_EQ(utils::logSourceName("/w/ficc/agreement/CAgreementConfirmWidget.cpp"),
              "ficc\\CAgreementConfirmWidget");
    EXPECT_EQ(utils::logSourceName("/w/host/tc/CMsgService.cpp"), "host\\CMsgService");
    EXPECT_EQ(utils::logSourceName("C:\\src\\ficc\\CFoo.cpp"), "ficc\\CFoo");
    const void *p = reinterpret_cast<const void *>(static_cast<std::intptr_t>(-16));
    EXPECT_EQ(utils::formatLogLine(p, "F", "t"), "[-16] [F] t");
}

namespace {

// The fast date readers must give what QDate::fromString gives for every text.
void expectSameAsParser(const QString &text)
{
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(QDate::fromString(text, QStringLiteral("yyyyMMdd")), utils::dateFromDigits(text));
    EXPECT_EQ(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")), utils::dateFromIsoText(text));
}

TEST(DateText, everyDayOfFourYearsAndEveryTextThatIsNoDateReadAsTheParserReadsThem)
{
    for (QDate day(2023, 12, 25); day <= QDate(2028, 1, 5); day = day.addDays(1)) {
        expectSameAsParser(day.toString(QStringLiteral("yyyyMMdd")));
        expectSameAsParser(day.toString(QStringLiteral("yyyy-MM-dd")));
        const int number = day.toString(QStringLiteral("yyyyMMdd")).toInt();
        EXPECT_EQ(utils::dateNumber(day), number);
        EXPECT_EQ(utils::dateFromNumber(number), day);
    }
    for (int noDate : { 20260230, 20261301, 20260100, 0, -20260101 })
        EXPECT_FALSE(utils::dateFromNumber(noDate).isValid()) << noDate;

    // Texts that are no date in the layout, separated by '|': the empty one first.
    const QStringList texts
        = QString::fromUtf8(
              "|2026061|202606100|20260230|20270229|20261301|20260001|20260600|20260631|00000101|"
              "00010101|99991231|2026 610|2026061x|+2026061|-2026061|２０２６０６１０|2026-6-10|"
              "2026-06-1|2026/06/10|2026-02-30|2026-13-01|2026-00-10|0000-01-01|2026-06-10 |"
              " 2026-06-10|2026-06-1x|20-26-0610|2026--0610|1970-01-01|19700101")
              .split(QLatin1Char('|'));
    ASSERT_EQ(texts.size(), 31);
    for (const QString &text : texts)
        expectSameAsParser(text);
}

TEST(SafeGbk2Utf8, everyInvalidByteBecomesAReplacementCharacter)
{
    const QString bad(QChar::ReplacementCharacter);
    const std::tuple<const char *, QByteArray, QString> cases[] = {
        { "plain", "D1,\xD6\xF7\xCC\xE5", QStringLiteral("D1,主体") },
        { "empty", "", QString() },
        { "lead byte cut off at the end", "a\xC5", "a" + bad },
        { "lone lead byte", "\xC5", bad },
        { "lead byte before a line end", "\xC5\nb", bad + "\nb" },
        { "whole character, then a cut one", "\xBD\xBB\xC5", QStringLiteral("交") + bad },
    };
    for (const auto &[name, gbk, text] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(utils::safeGbk2Utf8(gbk), text);
        const std::string bytes(gbk.constData(), size_t(gbk.size()));
        EXPECT_EQ(utils::safeGbk2Utf8(bytes), text.toStdString());
    }
}

} // namespace
