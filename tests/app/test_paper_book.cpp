// The paper book: a restarted terminal shows the desk the exchange left, or the shipped one.
#include "TerminalFixture.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <future>
#include <tuple>

namespace {

using namespace paper;

CCodeOrderParam spotBuy(const std::string &code, long long volume)
{
    return spot(1052, "SZ", code, 101.25, volume, "T101");
}

// Runs `statements` on the closed book; the last one's first value goes to `value`.
::testing::AssertionResult onFile(const QString &path, const QStringList &statements,
                                  QVariant *value = nullptr)
{
    QString failed;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "by-hand");
        db.setDatabaseName(path);
        db.open(); // a file that cannot be opened fails the first statement
        QSqlQuery query(db);
        for (const QString &statement : statements)
            if (failed.isEmpty() && !query.exec(statement))
                failed = statement + ": " + query.lastError().text();
        if (value && failed.isEmpty())
            *value = query.next() ? query.value(0) : QVariant();
    } // the connection is closed with its last handle
    QSqlDatabase::removeDatabase("by-hand");
    return failed.isEmpty() ? ::testing::AssertionSuccess()
                            : ::testing::AssertionFailure() << failed.toStdString();
}

// A change of a position made outside the exchange, as the position feed makes them.
void movePosition(long long usable)
{
    auto pos = boost::make_shared<ttservice::CPositionStatics>(*position("SH", "019547"));
    pos->usableVolume = usable;
    account()->updateData(pos, true);
}

class PaperBookTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        readsPaperBook = true;
        setAnswerDelay(0);
        // The desk as the shipped files make it, from a directory of its own.
        QTemporaryDir elsewhere;
        {
            app::CSimulatedHost host;
            QString error;
            ASSERT_TRUE(host.load(QStringLiteral(FICC_APP_DATA_DIR), elsewhere.path(), &error))
                << error.toStdString();
            shipped = desk();
        }
        TC::resetHostForTests();
        TC::setConfigDir(dir.path());
    }

    // A terminal starting on the same directory after the one before has gone.
    void restart(bool resetPaper = false)
    {
        host.reset();
        TC::resetHostForTests();
        TC::setConfigDir(dir.path());
        if (day.isValid())
            TC::CHostClock::setToday(day);
        host = std::make_unique<app::CSimulatedHost>();
        host->setResetPaper(resetPaper);
        ASSERT_TRUE(load(*host));
        host->start();
    }

    void send(const CCodeOrderParam &order)
    {
        ASSERT_TRUE(sendCommand({ order }));
        ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));
    }

    // Returns once the exchange (and the book) took the order, before a desk answers.
    void sendAndLeaveTheDeskLooking(const CCodeOrderParam &order)
    {
        ASSERT_TRUE(sendCommand({ order }));
        std::promise<void> taken;
        host->exchange()->runOnExchangeThread([&taken] { taken.set_value(); });
        taken.get_future().wait();
    }

    QString bookPath() const { return path(app::CPaperBook::fileName()); }

    std::string shipped;
    std::unique_ptr<app::CSimulatedHost> host;
    QDate day; // when set, the host clock's date for the terminals restart() starts
};

// Each restart shows what the exchange left, not market noise, over a first-schema book too.
TEST_F(PaperBookTest, aRestartShowsTheFundsPositionsAndContractsTheExchangeLeftUntilThePaperIsReset)
{
    restart();
    EXPECT_EQ(desk(), shipped);
    EXPECT_EQ(host->book()->state(), app::CPaperBook::EState::Empty);
    const size_t contractsBefore = contracts().size();
    // The trader reads of a fill only after the book has it.
    std::atomic<int> fillsToldBeforeWriting { -1 };
    app::CPaperBook *book = host->book();
    host->exchange()->setAfterEachJob([&]() {
        fillsToldBeforeWriting = messages().filter(QStringLiteral("成交: ")).size();
        book->commit();
    });
    send(deal());
    send(spotBuy("101501", 1000));
    EXPECT_EQ(fillsToldBeforeWriting, 0);
    EXPECT_EQ(messages().filter(QStringLiteral("成交: ")).size(), 1);
    ASSERT_EQ(contracts().size(), contractsBefore + 1) << "the desk accepts the declaration";
    const std::string traded = desk();
    ASSERT_NE(traded, shipped);

    restart();
    EXPECT_EQ(host->book()->state(), app::CPaperBook::EState::Sound);
    EXPECT_TRUE(host->warnings().isEmpty()) << host->warnings().join('\n').toStdString();
    EXPECT_EQ(desk(), traded);

    // Changes over a book read back are written; a record that left the account stays gone.
    send(spotBuy("101501", 500));
    send(deal());
    const auto listed = declarations();
    ASSERT_GE(listed.size(), 2u) << "the shipped desk has declarations for 880001";
    const std::string answered = listed.front()->getKey();
    account()->removeData(ttservice::DATA_TYPE_PENDING_ORDER, answered);
    ASSERT_TRUE(host->book()->commit());
    const std::string left = desk();
    ASSERT_NE(left, traded);
    restart();
    EXPECT_FALSE(account()->getData(ttservice::DATA_TYPE_PENDING_ORDER, answered));
    EXPECT_EQ(declarations().size(), listed.size() - 1);
    EXPECT_EQ(desk(), left);

    // The book as the first schema left it: the records' tables only.
    host.reset();
    ASSERT_TRUE(onFile(bookPath(), { "DROP TABLE pending_deals", "PRAGMA user_version = 1" }));
    setAnswerDelay(600000);
    restart();
    EXPECT_EQ(host->book()->state(), app::CPaperBook::EState::Sound);
    EXPECT_TRUE(host->warnings().isEmpty()) << host->warnings().join('\n').toStdString();
    EXPECT_EQ(desk(), left);
    sendAndLeaveTheDeskLooking(deal());
    restart();
    EXPECT_EQ(desk(), left);
    EXPECT_EQ(host->book()->pendingDeals().size(), 1u);

    // Starting again from the shipped files drops it all, the deal waiting too, for good.
    for (const bool resetPaper : { true, false }) {
        restart(resetPaper);
        EXPECT_EQ(desk(), shipped);
        EXPECT_TRUE(host->book()->pendingDeals().empty());
    }
    // The feed's moves are settled as market noise and not written; the exchange's changes are.
    const long long shippedPledgeable = usable("SH", "019547");
    const long long shippedBought = usable("SZ", "101501");
    movePosition(shippedPledgeable + 700);
    host->book()->settle();
    send(spotBuy("101501", 10)); // the job's commit comes after the noise

    restart();
    EXPECT_EQ(usable("SH", "019547"), shippedPledgeable);
    EXPECT_EQ(usable("SZ", "101501"), shippedBought + 10);

    // A change after the noise, of the same record, is the exchange's again.
    movePosition(3);
    host->book()->settle();
    movePosition(4);
    ASSERT_TRUE(host->book()->commit());
    restart();
    EXPECT_EQ(usable("SH", "019547"), 4);
    host.reset();
    QVariant schema;
    ASSERT_TRUE(onFile(bookPath(), { "PRAGMA user_version" }, &schema));
    EXPECT_EQ(schema.toInt(), app::CPaperBook::kSchemaVersion);
}

TEST_F(PaperBookTest, aBookThatCannotBeUsedIsLeftAloneAndTheShippedDataIsUsed)
{
    using EState = app::CPaperBook::EState;
    // Makes a book holding the shipped desk, as a terminal that ran leaves it.
    const auto writeBook = [this]() {
        app::CPaperBook book(bookPath());
        book.open(false);
    };
    std::unique_ptr<app::CPaperBook> otherTerminal;
    // After `prepare` breaks the book: the state it is read in, the one notice containing `notice`,
    // and whether the damaged file is kept aside.
    const auto check = [&](const char *what, EState state, const char *notice, bool keptAside,
                           const std::function<void()> &prepare) {
        SCOPED_TRACE(what);
        host.reset();
        for (const QString &name : QDir(dir.path()).entryList({ "paper_book*" }, QDir::Files))
            QFile::remove(path(name));
        prepare();
        const auto bytes = [this]() { return bytesOf(bookPath()) + bytesOf(bookPath() + "-wal"); };
        const QByteArray before = bytes();

        restart();
        EXPECT_EQ(host->book()->state(), state);
        EXPECT_EQ(desk(), shipped);
        const QStringList notices = host->warnings().filter(QLatin1String(notice));
        ASSERT_EQ(notices.size(), 1) << host->warnings().join('\n').toStdString();
        EXPECT_TRUE(notices[0].startsWith(bookPath()));
        send(spotBuy("101501", 10));
        const std::string traded = desk();
        host.reset();

        if (keptAside) {
            // The damaged bytes are kept as they were; a new book has the order.
            const QStringList aside = QDir(dir.path()).entryList({ "paper_book.sqlite.corrupt-*" });
            ASSERT_EQ(aside.size(), 1);
            EXPECT_TRUE(notices[0].contains(aside[0]));
            EXPECT_EQ(bytesOf(path(aside[0])), before);
            restart();
            EXPECT_EQ(desk(), traded);
        } else {
            EXPECT_TRUE(notices[0].contains("saves nothing"));
            EXPECT_EQ(bytes(), before);
        }
        otherTerminal.reset();
    };
    check("locked by another terminal", EState::Locked, "in use by another terminal", false, [&]() {
        otherTerminal = std::make_unique<app::CPaperBook>(bookPath());
        ASSERT_EQ(otherTerminal->open(false), EState::Empty);
    });
    check("read-only", EState::ReadOnly, "read-only", false, [&]() {
        writeBook();
        QFile(bookPath()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    });
    check("not a database", EState::Empty, "damaged", true,
          [&]() { write(app::CPaperBook::fileName(), QByteArray(8192, 'x')); });
    check("a damaged page", EState::Empty, "damaged", true, [&]() {
        writeBook();
        QFile file(bookPath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(4096)); // the second page: a table's root
        file.write(QByteArray(4096, char(0xa5)));
    });
    check("a waiting deal that does not read", EState::Empty, "damaged", true, [&]() {
        writeBook();
        ASSERT_TRUE(onFile(bookPath(),
                           { "INSERT INTO pending_deals VALUES ('880001', 0, 'CJ1', "
                             "20261209, 0, x'0500000000')" }));
    });
    check("a newer schema", EState::FutureSchema, "written by a newer terminal (schema 3", false,
          [&]() {
              writeBook();
              ASSERT_TRUE(onFile(bookPath(), { "PRAGMA user_version = 3" }));
          });
}

TEST_F(PaperBookTest, anOrderStillWaitingAtADeskWhenTheTerminalStopsIsCarriedOutOnceItRunsAgain)
{
    using Kind = app::PendingDeal::Kind;
    const QDate sent(2026, 12, 9);
    // The deal declaration, or the same terms as an intention order (正回购).
    const auto orderOf = [](Kind kind) {
        CCodeOrderParam order = deal();
        if (kind == Kind::Intention)
            order.operationType = static_cast<ttservice::EOperationType>(1063);
        return order;
    };
    // What happens to the order, its kind, the day it is answered, the message, and what it makes.
    const std::tuple<const char *, Kind, QDate, const char *, bool, size_t> cases[] = {
        { "deal answered on the day it was sent", Kind::Declaration, sent, "接受成交申报", true,
          0 },
        // A declaration is good for its trading day only.
        { "deal answered on a later trading day", Kind::Declaration, sent.addDays(1),
          "对手方当日未应答, 申报已失效", false, 0 },
        { "intention taken up by a desk", Kind::Intention, sent, "接受意向申报", false, 1 },
    };
    for (const auto &[what, kind, answeredOn, message, dealt, declared] : cases) {
        SCOPED_TRACE(what);
        day = sent;
        setAnswerDelay(600000);
        restart(true);
        const size_t contractsBefore = contracts().size();
        const size_t intentionCount = intentions().size();
        const size_t pending = declarations().size();
        const long long pledgeable = usable("SH", "019547");
        const double cash = funds();
        sendAndLeaveTheDeskLooking(orderOf(kind));
        const auto listed = intentions();
        ASSERT_EQ(listed.size(), intentionCount + (kind == Kind::Intention));

        // Stopped twice before the desk answered: the order still waits.
        for (int stop = 0; stop < 2; ++stop) {
            restart();
            ASSERT_EQ(host->book()->pendingDeals().size(), 1u);
            const app::PendingDeal &waiting = host->book()->pendingDeals().front();
            EXPECT_EQ(waiting.kind, kind);
            EXPECT_TRUE(waiting.order == orderOf(kind));
            if (kind == Kind::Intention) {
                EXPECT_EQ(waiting.key, listed.back()->getKey());
            }
            EXPECT_EQ(contracts().size(), contractsBefore);
            EXPECT_EQ(declarations().size(), pending);
        }

        // Its time is past when the terminal runs again: the desk answers at once.
        day = answeredOn;
        setAnswerDelay(1);
        restart();
        ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));
        const QStringList told = messages().filter(QString::fromUtf8(message));
        ASSERT_EQ(told.size(), 1) << messages().join('\n').toStdString();
        if (kind == Kind::Intention) {
            EXPECT_TRUE(told.front().contains(QString::fromStdString(listed.back()->getKey())));
        }
        EXPECT_EQ(contracts().size(), contractsBefore + dealt);
        EXPECT_EQ(usable("SH", "019547"), pledgeable - (dealt ? 1000 : 0));
        EXPECT_DOUBLE_EQ(funds(), cash + (dealt ? 80000 : 0));
        EXPECT_EQ(declarations().size(), pending + declared);

        // Carried out once: the next start has nothing waiting and the same desk.
        const std::string answered = desk();
        restart();
        EXPECT_TRUE(host->book()->pendingDeals().empty());
        ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));
        EXPECT_TRUE(messages().filter(QString::fromUtf8(message)).isEmpty());
        EXPECT_EQ(desk(), answered);
    }
}

// A new book waits for the disk from its second commit: a crash loses only the shipped state.
TEST(PaperBookDurability, onlyANewBooksFirstStateIsWrittenWithoutWaitingForTheDisk)
{
    using EState = app::CPaperBook::EState;
    QTemporaryDir dir;
    const QString path = dir.filePath(app::CPaperBook::fileName());
    {
        app::CPaperBook book(path);
        ASSERT_EQ(book.open(false), EState::Empty);
        EXPECT_EQ(book.synchronousLevel(), 1);
        ASSERT_TRUE(book.commit());
        EXPECT_EQ(book.synchronousLevel(), 2);
        ASSERT_TRUE(book.commit());
        EXPECT_EQ(book.synchronousLevel(), 2);
    }
    // Opened again, or started again from the shipped data clearing the trader's changes.
    for (const auto &[resetPaper, state] :
         { std::pair { false, EState::Sound }, std::pair { true, EState::Empty } }) {
        app::CPaperBook again(path);
        ASSERT_EQ(again.open(resetPaper), state);
        EXPECT_EQ(again.synchronousLevel(), 2);
    }
}

} // namespace
