#include "QtPrinters.h"
#include "utils/StringHelper.h"

#include <gtest/gtest.h>

namespace {

TEST(SafeGbk2Utf8, everyInvalidByteBecomesAReplacementCharacter)
{
    const QString bad(QChar::ReplacementCharacter);
    struct Case
    {
        const char *name;
        QByteArray gbk;
        QString text;
    };
    const Case cases[] = {
        { "plain", "D1,\xD6\xF7\xCC\xE5", QStringLiteral("D1,主体") },
        { "empty", "", QString() },
        { "lead byte cut off at the end", "a\xC5", "a" + bad },
        { "lone lead byte", "\xC5", bad },
        { "lead byte before a line end", "\xC5\nb", bad + "\nb" },
        { "whole character, then a cut one", "\xBD\xBB\xC5", QStringLiteral("交") + bad },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utils::safeGbk2Utf8(c.gbk), c.text);
        const std::string bytes(c.gbk.constData(), size_t(c.gbk.size()));
        EXPECT_EQ(utils::safeGbk2Utf8(bytes), c.text.toStdString());
    }
}

} // namespace
