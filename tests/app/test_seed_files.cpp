// Seed files the simulated host does not read whole: the terminal says so.
#include "CTerminalWindow.h"
#include "TerminalFixture.h"

#include <QListWidget>

#include <vector>

namespace {

using SeedFilesTest = TerminalFixture;

TEST_F(SeedFilesTest, warningsGoToTheMessageListAndStderr)
{
    write("accounts.csv", "header\n1,a,,1,0,logged_in,100\nbad line\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir("ExchangeHolidays.csv"));
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    const QStringList warnings = host.warnings();
    EXPECT_EQ(warnings.filter("accounts.csv:3: ").size(), 1) << warnings.join('\n').toStdString();
    EXPECT_EQ(warnings
                  .filter(QString("ExchangeHolidays.csv: %1 is a directory, its closures are "
                                  "not added")
                              .arg(path("ExchangeHolidays.csv")))
                  .size(),
              1)
        << warnings.join('\n').toStdString();

    app::CTerminalWindow window(dir.path());
    paper::clearMessages();
    const int listed = window.messageList()->count();
    testing::internal::CaptureStderr();
    host.reportWarnings(stderr);
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(paper::messages(), warnings);
    ASSERT_EQ(window.messageList()->count(), listed + warnings.size());
    QString expected;
    for (int i = 0; i < warnings.size(); ++i) {
        EXPECT_TRUE(window.messageList()->item(listed + i)->text().endsWith(warnings[i]));
        expected += "ficc-terminal: " + warnings[i] + "\n";
    }
    EXPECT_EQ(QString::fromStdString(err), expected);
}

struct OversizedCase
{
    const char *file;
    bool required;
    const char *consequence; // of an optional file
};

TEST_F(SeedFilesTest, oversizedFilesAreRefusedBeforeReading)
{
    const qint64 size = app::CSimulatedHost::kMaxSeedFileBytes + 1;
    const std::vector<OversizedCase> cases = {
        { "host.ini", true, "" },
        { "accounts.csv", true, "" },
        { "repo_varieties.csv", true, "" },
        { "contracts.csv", false, "no agreement contracts" },
        { "intention_orders.csv", false, "no intention orders" },
        { "ExchangeHolidays.csv", false, "its closures are not added" },
    };
    for (const OversizedCase &c : cases) {
        SCOPED_TRACE(c.file);
        TC::resetHostForTests();
        const QString file = path(c.file);
        QFile::remove(file);
        QFile sparse(file);
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
        ASSERT_TRUE(sparse.resize(size));
        sparse.close();
        const QString why = QString("%1 is %2 bytes, more than the %3 a seed file may have")
                                .arg(file)
                                .arg(size)
                                .arg(app::CSimulatedHost::kMaxSeedFileBytes);

        app::CSimulatedHost host;
        host.setResetPaper(true); // the seed files, not the book the last case left
        QString error;
        const bool loaded = host.load(QStringLiteral(FICC_APP_DATA_DIR), dir.path(), &error);
        if (c.required) {
            EXPECT_FALSE(loaded);
            EXPECT_EQ(error, why);
        } else {
            EXPECT_TRUE(loaded) << error.toStdString();
            EXPECT_EQ(host.warnings(),
                      QStringList({ QString("%1: %2, %3").arg(c.file, why, c.consequence) }));
        }
        ASSERT_TRUE(QFile::remove(file));
    }
}

} // namespace
