// The paper exchange's book: a terminal started again on the same
// configuration directory shows the desk the exchange left; a book it cannot
// use is left alone (or kept aside when damaged) and the terminal starts from
// the shipped data.
#include "CPaperBook.h"
#include "TerminalFixture.h"

#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/CUserManager.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/CPositionStatics.h"
#include "utils/CSingletonT.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <atomic>
#include <functional>
#include <memory>

namespace {

using ttservice::CCodeOrderParam;

ttservice::CAccountDataPtr account(const std::string &id = "880001")
{
    return TC::getUserConfig()->getAccountData(QString::fromStdString(id))->getAccountData();
}

// Every record of every account that the book keeps, in the order the tables
// show them, as one comparable text.
std::string desk()
{
    std::string text;
    for (const TC::CAccountPtr &a : TC::getUserConfig()->getAccountDatas()) {
        for (const app::CPaperBook::Table &table : app::CPaperBook::tables()) {
            std::vector<ttservice::IDataPtr> records;
            a->getAccountData()->getVector(table.type, records);
            for (const ttservice::IDataPtr &record : records)
                text += record->toBson().toString() + '\n';
        }
    }
    return text;
}

int contractCount()
{
    std::vector<ttservice::IDataPtr> records;
    account()->getVector(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, records);
    return int(records.size());
}

CCodeOrderParam spotBuy(const std::string &code, long long volume)
{
    return paper::spot(1052, "SZ", code, 101.25, volume, "T101");
}

// A deal declaration the desk 1002 / T101 accepts into a running contract.
CCodeOrderParam dealDeclaration()
{
    return paper::deal();
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PaperBookTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        readsPaperBook = true;
        write("host.ini", "[feed]\npositionIntervalMs=0\n[exchange]\nanswerDelayMs=0\n");
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

    // A terminal starting on the fixture's configuration directory, after the
    // one before has gone with all the host's services.
    void restart(bool resetPaper = false)
    {
        host.reset();
        TC::resetHostForTests();
        TC::setConfigDir(dir.path());
        host = std::make_unique<app::CSimulatedHost>();
        host->setResetPaper(resetPaper);
        ASSERT_TRUE(load(*host));
        host->start();
    }

    void send(const CCodeOrderParam &order)
    {
        auto command = boost::make_shared<ttservice::COrderComandParam>();
        command->orders = { order };
        command->manual = true;
        ASSERT_TRUE(utils::CManualSingletonT<TC::CItCommandCenter>::instance()->createCommand(
            command, {}, false, 0));
        ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));
    }

    QString bookPath() const { return path(app::CPaperBook::fileName()); }

    std::string shipped;
    std::unique_ptr<app::CSimulatedHost> host;
};

TEST_F(PaperBookTest, aRestartShowsTheFundsPositionsAndContractsTheExchangeLeft)
{
    restart();
    EXPECT_EQ(desk(), shipped);
    EXPECT_EQ(host->book()->state(), app::CPaperBook::EState::Empty);
    const int contractsBefore = contractCount();
    send(dealDeclaration());
    send(spotBuy("101501", 1000));
    ASSERT_EQ(contractCount(), contractsBefore + 1) << "the desk accepts the declaration";
    const std::string traded = desk();
    ASSERT_NE(traded, shipped);

    restart();
    EXPECT_EQ(host->book()->state(), app::CPaperBook::EState::Sound);
    EXPECT_TRUE(host->warnings().isEmpty()) << host->warnings().join('\n').toStdString();
    EXPECT_EQ(desk(), traded);

    // Changes over a book read back are written as well, in their places.
    send(spotBuy("101501", 500));
    send(dealDeclaration());
    const std::string tradedAgain = desk();
    ASSERT_NE(tradedAgain, traded);
    restart();
    EXPECT_EQ(desk(), tradedAgain);
}

TEST_F(PaperBookTest, aRecordThatLeftTheAccountStaysGoneAfterARestart)
{
    restart();
    std::vector<ttservice::IDataPtr> declarations;
    account()->getVector(ttservice::DATA_TYPE_PENDING_ORDER, declarations);
    ASSERT_GE(declarations.size(), 2u) << "the shipped desk has declarations for 880001";
    const std::string answered = declarations.front()->getKey();
    // As the exchange drops a declaration once it is answered.
    account()->removeData(ttservice::DATA_TYPE_PENDING_ORDER, answered);
    ASSERT_TRUE(host->book()->commit());
    const std::string left = desk();

    restart();
    EXPECT_FALSE(account()->getData(ttservice::DATA_TYPE_PENDING_ORDER, answered));
    std::vector<ttservice::IDataPtr> after;
    account()->getVector(ttservice::DATA_TYPE_PENDING_ORDER, after);
    EXPECT_EQ(after.size(), declarations.size() - 1);
    EXPECT_EQ(desk(), left);
}

TEST_F(PaperBookTest, resetPaperStartsAgainFromTheShippedFilesAndKeepsThat)
{
    restart();
    send(spotBuy("101501", 1000));
    ASSERT_NE(desk(), shipped);

    restart(true);
    EXPECT_EQ(desk(), shipped);
    restart();
    EXPECT_EQ(desk(), shipped);
}

TEST_F(PaperBookTest, theTraderReadsOfAFillOnlyAfterTheBookHasIt)
{
    restart();
    app::CPaperBook *book = host->book();
    const auto fills = []() {
        int count = 0;
        for (const TC::CHostMessage &m :
             utils::CManualSingletonT<TC::CMsgService>::instance()->messages())
            count += QString::fromStdString(m.text).startsWith(QStringLiteral("成交: "));
        return count;
    };
    std::atomic<int> fillsToldBeforeWriting { -1 };
    host->exchange()->setAfterEachJob([&]() {
        fillsToldBeforeWriting = fills();
        book->commit();
    });
    send(spotBuy("101501", 10));
    EXPECT_EQ(fillsToldBeforeWriting, 0);
    EXPECT_EQ(fills(), 1);
}

long long usable(const std::string &key)
{
    const auto pos = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(
        account()->getData(ttservice::DATA_TYPE_POSITION_STATICS, key));
    return pos ? pos->usableVolume : -1;
}

// A change of a position made outside the exchange, as the position feed makes them.
void movePosition(const std::string &key, long long usable)
{
    const auto old = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(
        account()->getData(ttservice::DATA_TYPE_POSITION_STATICS, key));
    auto pos = boost::make_shared<ttservice::CPositionStatics>(*old);
    pos->usableVolume = usable;
    account()->updateData(pos, true);
}

TEST_F(PaperBookTest, changesSettledAsMarketNoiseAreNotWrittenTheExchangesAre)
{
    restart();
    const long long shippedPledgeable = usable("SH|019547");
    const long long shippedBought = usable("SZ|101501");
    movePosition("SH|019547", shippedPledgeable + 700);
    host->book()->settle();
    send(spotBuy("101501", 10)); // the job's commit comes after the noise

    restart();
    EXPECT_EQ(usable("SH|019547"), shippedPledgeable);
    EXPECT_EQ(usable("SZ|101501"), shippedBought + 10);

    // A change after the noise, of the same record, is the exchange's again.
    movePosition("SH|019547", 3);
    host->book()->settle();
    movePosition("SH|019547", 4);
    ASSERT_TRUE(host->book()->commit());
    restart();
    EXPECT_EQ(usable("SH|019547"), 4);
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
    const struct
    {
        const char *name;
        std::function<void()> prepare;
        EState state;
        const char *notice;
        bool keptAside;
    } cases[] = {
        { "locked by another terminal",
          [&]() {
              otherTerminal = std::make_unique<app::CPaperBook>(bookPath());
              ASSERT_EQ(otherTerminal->open(false), EState::Empty);
          },
          EState::Locked, "in use by another terminal", false },
        { "read-only",
          [&]() {
              writeBook();
              QFile(bookPath()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup);
          },
          EState::ReadOnly, "read-only", false },
        { "not a database", [&]() { write(app::CPaperBook::fileName(), QByteArray(8192, 'x')); },
          EState::Empty, "damaged", true },
        { "a damaged page",
          [&]() {
              writeBook();
              QFile file(bookPath());
              ASSERT_TRUE(file.open(QIODevice::ReadWrite));
              ASSERT_TRUE(file.seek(4096)); // the second page: a table's root
              file.write(QByteArray(4096, char(0xa5)));
          },
          EState::Empty, "damaged", true },
        { "a newer schema",
          [&]() {
              writeBook();
              {
                  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
                  db.setDatabaseName(bookPath());
                  ASSERT_TRUE(db.open());
                  ASSERT_TRUE(QSqlQuery(db).exec("PRAGMA user_version = 2"));
                  db.close();
              }
              QSqlDatabase::removeDatabase("newer");
          },
          EState::FutureSchema, "written by a newer terminal (schema 2", false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        host.reset();
        for (const QString &name : QDir(dir.path()).entryList({ "paper_book*" }, QDir::Files))
            QFile::remove(path(name));
        c.prepare();
        const auto bytes = [this]() { return bytesOf(bookPath()) + bytesOf(bookPath() + "-wal"); };
        const QByteArray before = bytes();

        restart();
        EXPECT_EQ(host->book()->state(), c.state);
        EXPECT_EQ(desk(), shipped);
        const QStringList notices = host->warnings().filter(QLatin1String(c.notice));
        ASSERT_EQ(notices.size(), 1) << host->warnings().join('\n').toStdString();
        EXPECT_TRUE(notices[0].startsWith(bookPath()));
        send(spotBuy("101501", 10));
        const std::string traded = desk();
        host.reset();

        if (c.keptAside) {
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
    }
}

} // namespace
