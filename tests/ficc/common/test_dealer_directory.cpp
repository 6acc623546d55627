#include "HostServices.h"
#include "QtPrinters.h"
#include "common/CDealerDirectory.h"
#include "tc/HostReset.h"

#include "tc/ConfigDir.h"
#include "utils/StringHelper.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CPortfolioSearchModel.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <tuple>
#include <vector>

namespace {

using TC::CDealerDirectory;

const char kHeader[] = "交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称";

// A repeated dealer, fewer trader names than codes, traders on a later line, a
// dealer whose only line is too short, and a six-field line without traders.
const char kSample[] = "交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称\n"
                       "D1,银行甲,S1,主体一,T1|T2,张三\n"
                       "D2,券商乙,S3,主体三\n"
                       "D1,银行甲,S2,主体二,T3,李四\n"
                       "D3,基金丙,S4\n"
                       "D2,券商乙,S5,主体五,,\n";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class DealerDirectoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        TC::setConfigDir(m_tmp.path());
        dir()->resetForTests();
    }
    void TearDown() override { dir()->resetForTests(); }

    static CDealerDirectory *dir() { return CDealerDirectory::instance(); }
    QStringList model0() { return dir()->model(0)->getDataList(); }

    QString writeBytes(const QByteArray &bytes, const QString &name = "in.csv")
    {
        const QString path = m_tmp.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    bool loadText(const QString &text)
    {
        QString error;
        return dir()->load(writeBytes(utils::utf8ToGbk(text)), error);
    }
    void expectSampleLoaded()
    {
        EXPECT_EQ(dir()->dealerCodes(), QStringList({ "D1", "D2" }));
        EXPECT_EQ(dir()->dealerList(), QStringList({ "D1 银行甲", "D2 券商乙" }));
        EXPECT_EQ(model0(), dir()->dealerList());
    }

    QTemporaryDir m_tmp;
};

TEST_F(DealerDirectoryTest, everyTraderPositionGivesAnEntryAndIsWrittenBack)
{
    // Fields 5 and 6 of the line, the traders read, and the same fields as save() writes them.
    const std::tuple<const char *, const char *, QStringList, const char *> cases[] = {
        { "T1|T2", "张三", { "T1 张三", "T2" }, "T1|T2,张三|T2" },
        { "", "", { " " }, "," },
        { "", "王五", { " 王五" }, ",王五" },
        { "T1||T3", "a|b|c", { "T1 a", " b", "T3 c" }, "T1||T3,a|b|c" },
        { "T1||T3", "a", { "T1 a", "", "T3" }, "T1||T3,a||T3" },
        { "T1|", "a|", { "T1 a", " " }, "T1|,a|" },
    };
    for (const auto &[codes, names, traders, saved] : cases) {
        SCOPED_TRACE(std::string(codes) + "," + names);
        ASSERT_TRUE(loadText(kHeader + QString("\nD1,n,S1,s,%1,%2\n").arg(codes, names)));
        EXPECT_EQ(dir()->dealer("D1").traders, traders);
        EXPECT_EQ(utils::safeGbk2Utf8(dir()->fileContent()),
                  kHeader + ("\n" + QString("D1,n,S1,s,%1\n").arg(saved)));
    }
}

TEST_F(DealerDirectoryTest, saveWritesOneGbkLinePerSubjectWithTradersOnTheFirst)
{
    ASSERT_TRUE(loadText(kSample));
    ASSERT_TRUE(dir()->save());
    const QByteArray bytes = readAll(CDealerDirectory::filePath());
    EXPECT_TRUE(bytes.startsWith("\xBD\xBB\xD2\xD7\xC9\xCC")); // 交易商 in GBK
    const QStringList lines = { kHeader,
                                "D1,银行甲,S1,主体一,T1|T2|T3,张三|T2|李四",
                                "D1,银行甲,S2,主体二",
                                "D2,券商乙,S3,主体三,,",
                                "D2,券商乙,S5,主体五",
                                "" };
    EXPECT_EQ(utils::safeGbk2Utf8(bytes), lines.join('\n'));
    dir()->resetForTests();
    dir()->loadDefault();
    EXPECT_EQ(dir()->dealer("D1").traders, QStringList({ "T1 张三", "T2 T2", "T3 李四" }));
}

TEST_F(DealerDirectoryTest, saveRightAfterLoadGivesBackWhatWasLoaded)
{
    // The directory as the forms see it. A trader read without a name comes back
    // from a saved file with its code as the name.
    const auto contents = [](bool asSaved) {
        QStringList out = dir()->dealerList();
        for (const QString &code : dir()->dealerCodes()) {
            const CDealerDirectory::DealerEntry dealer = dir()->dealer(code);
            QStringList traders;
            for (const QString &t : dealer.traders)
                traders << (asSaved && !t.contains(' ') ? t + ' ' + t : t);
            out << code + ": " + dealer.subjects.join(" / ") + " | " + traders.join(" / ");
        }
        return out;
    };
    // A name, the lines after the header, and whether the save writes the very lines loaded.
    const std::tuple<const char *, QString, bool> cases[] = {
        { "a dealer under two names, its subjects interleaved with another dealer's",
          "D1,甲,S1,s1,T1,t1\nD2,乙方,S9,s9,,\nD1,乙,S2,s2\nD1,甲,S3,s3\nD1,乙,S4,s4\n", true },
        { "the second name first seen after the first name's subjects",
          "D1,甲,S1,s1,T1,t1\nD1,甲,S2,s2\nD1,乙,S3,s3\n", true },
        // Subjects and traders are cut at their first blank, so the fields move.
        { "blanks inside codes and names", "D 1,银行 甲,S 1,主体 一,T1|T 2,张 三|李四\n", false },
        { "an empty dealer code under two names", ",甲,S1,s1,,\n,乙,S2,s2\n", true },
        { "the sample", QString(kSample).section('\n', 1), false },
    };
    for (const auto &[name, lines, sameBytes] : cases) {
        SCOPED_TRACE(name);
        const QString file = QString(kHeader) + '\n' + lines;
        ASSERT_TRUE(loadText(file));
        const QStringList loaded = contents(true);
        const QByteArray saved = dir()->fileContent();
        if (sameBytes) {
            EXPECT_EQ(utils::safeGbk2Utf8(saved), file);
        }
        QString error;
        ASSERT_TRUE(dir()->loadData(saved, error));
        EXPECT_EQ(contents(false), loaded);
        EXPECT_EQ(dir()->fileContent(), saved) << "a second save changed the file";
    }
}

TEST_F(DealerDirectoryTest, rejectedFilesLeaveTheDirectoryAsItWas)
{
    ASSERT_TRUE(loadText(kSample));
    static const char kBinary[] = "\x00\xff\xfe\x01,\x80\n\x00\x00,,,,,\n";
    const QString kept = "kept";
    const QString headerError = "表头格式错误";
    // A name, what the file holds, and the error told.
    const std::tuple<const char *, QByteArray, QString> cases[] = {
        { "empty", "", kept },
        { "header only", utils::utf8ToGbk(kHeader) + "\n", kept },
        { "wrong header", "code,name,a,b,c,d\nD7,n,S,s\n", headerError },
        { "five header fields", utils::utf8ToGbk("交易商代码,a,b,c,d\nD7,n,S,s\n"), headerError },
        { "binary", QByteArray(kBinary, sizeof kBinary - 1), headerError },
    };
    for (const auto &[name, bytes, told] : cases) {
        SCOPED_TRACE(name);
        QString error = kept;
        EXPECT_FALSE(dir()->load(writeBytes(bytes), error));
        EXPECT_EQ(error, told);
        expectSampleLoaded();
    }
    QString error = kept;
    EXPECT_FALSE(dir()->load(m_tmp.filePath("missing.csv"), error));
    EXPECT_FALSE(dir()->load(m_tmp.path(), error)); // exists but cannot be read
    EXPECT_EQ(error, kept);
    expectSampleLoaded();
}

TEST_F(DealerDirectoryTest, fillModelPicksSubjectsOrTradersOfOneDealer)
{
    ASSERT_TRUE(loadText(kSample));
    XP::CPortfolioSearchModel target;
    for (int kind : { 1, 3 }) {
        dir()->fillModel("D1", &target, kind);
        EXPECT_EQ(target.getDataList(), QStringList({ "S1 主体一", "S2 主体二" }));
    }
    for (int kind : { 2, 4 }) {
        target.init({});
        dir()->fillModel("D1", &target, kind);
        EXPECT_EQ(target.getDataList(), QStringList({ "T1 张三", "T2", "T3 李四" }));
    }
    const quint64 generation = target.generation();
    for (int kind : { 0, 5, -1 })
        dir()->fillModel("D1", &target, kind);
    dir()->fillModel("D404", &target, 1);
    dir()->fillModel("D1", nullptr, 1);
    EXPECT_EQ(target.generation(), generation);
    EXPECT_EQ(dir()->model(5), nullptr);

    // Fixtures reset the whole host through one call; the dealers go with it.
    TC::resetHostForTests();
    EXPECT_TRUE(dir()->dealerList().isEmpty());
    EXPECT_TRUE(model0().isEmpty());
}

TEST_F(DealerDirectoryTest, loadDropsCachedMatchesOfLiveKeyboardWidgets)
{
    auto *kept = new XP::CAutoKeyboardWidget(dir()->model(0));
    auto *gone = new XP::CAutoKeyboardWidget(dir()->model(0));
    dir()->registerKeyboardWidget(0, kept);
    dir()->registerKeyboardWidget(0, gone);
    dir()->registerKeyboardWidget(1, nullptr);
    kept->matches("D");
    delete gone; // its form was closed

    EXPECT_FALSE(loadText("no header\nD1,n,S,s\n"));
    EXPECT_EQ(kept->cachedTexts(), 1);
    ASSERT_TRUE(loadText(kSample));
    EXPECT_EQ(kept->cachedTexts(), 0);
    EXPECT_EQ(kept->matches("D2"), QStringList({ "D2 券商乙" }));
    delete kept;
    EXPECT_TRUE(loadText(kSample));
}

TEST_F(DealerDirectoryTest, importSavesOnlyWhatLoaded)
{
    QString error;
    EXPECT_FALSE(dir()->importFile(writeBytes("bad\nfile\n"), error));
    EXPECT_FALSE(QFile::exists(CDealerDirectory::filePath()));
    ASSERT_TRUE(dir()->importFile(writeBytes(utils::utf8ToGbk(kSample)), error));
    EXPECT_EQ(readAll(CDealerDirectory::filePath()), dir()->fileContent());
}

TEST_F(DealerDirectoryTest, failedSaveKeepsThePreviousFile)
{
    ASSERT_TRUE(loadText(kSample));
    ASSERT_TRUE(dir()->save());
    const QByteArray previous = readAll(CDealerDirectory::filePath());

    // Grow the directory past what the file may hold, then cap the file size: writes fail with
    // EFBIG as on a full disk, even for root; a small file at its flush, a large one at write().
    for (int dealers : { 100, 2000 }) {
        SCOPED_TRACE(dealers);
        QString text = QString(kHeader) + "\n";
        for (int i = 0; i < dealers; ++i)
            text += QString("D%1,交易商%1,S%1,主体%1,T%1,交易员%1\n").arg(i);
        ASSERT_TRUE(loadText(text));
        if (dealers < 1000) {
            ASSERT_LT(dir()->fileContent().size(), 16384) << "kept in the write buffer";
        }
        rlimit old {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        const rlimit capped { 1024, old.rlim_max };
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &capped), 0);
        const bool saved = dir()->save();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(saved);
        EXPECT_EQ(readAll(CDealerDirectory::filePath()), previous);
        EXPECT_EQ(QDir(m_tmp.path()).entryList(QDir::Files),
                  QStringList({ "FiccDealerConfig.csv", "in.csv" }));
    }
}

} // namespace

// A save that fails for what is in the file's place is told once, until a save succeeds.
TEST_F(DealerDirectoryTest, failedSaveIsToldOnceUntilTheFailureChangesOrComesBackAfterASave)
{
    const QString file = "FiccDealerConfig.csv";
    for (bool link : { false, true }) {
        SCOPED_TRACE(link ? "symlink into a missing directory" : "directory in the file's place");
        QTemporaryDir tmp;
        const QDir here(tmp.path());
        ASSERT_TRUE(tmp.isValid());
        TC::setConfigDir(tmp.path());
        msgService()->clear();
        ASSERT_TRUE(loadText(kSample));

        ASSERT_TRUE(link ? QFile::link(here.filePath("gone/target.csv"), here.filePath(file))
                         : here.mkdir(file));
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(dir()->save());
        const std::vector<std::string> shown = messages();
        ASSERT_EQ(shown.size(), 1u) << ::testing::PrintToString(shown);
        // The file's path and a reason follow the text.
        const QRegularExpression told("^交易商配置文件 " + QRegularExpression::escape(tmp.path())
                                      + "\\S* 保存失败: .*[^ :]$");
        EXPECT_TRUE(told.match(QString::fromStdString(shown[0])).hasMatch()) << shown[0];
        EXPECT_EQ(msgService()->messages().front().type, 4);

        ASSERT_TRUE(link ? here.mkdir("gone") : here.rmdir(file));
        EXPECT_TRUE(dir()->save());
        EXPECT_EQ(readAll(CDealerDirectory::filePath()), dir()->fileContent());
        EXPECT_EQ(messages().size(), 1u);
        // The same failure after a good save is told again.
        ASSERT_TRUE(QFile::remove(CDealerDirectory::filePath()));
        ASSERT_TRUE(here.mkdir(file));
        EXPECT_FALSE(dir()->save());
        EXPECT_EQ(messages().size(), 2u);
    }

    // Another configuration directory fails with another path.
    TC::setConfigDir(m_tmp.filePath("in.csv/sub"));
    writeBytes("not a directory");
    EXPECT_FALSE(dir()->save());
    const std::vector<std::string> shown = messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[2].find(m_tmp.filePath("in.csv/sub").toStdString()), std::string::npos)
        << shown[2];
}
