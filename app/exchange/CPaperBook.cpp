#include "CPaperBook.h"

#include <future>

#include "tc/CMsgService.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "ttservice/DataTypes.h"
#include "utils/CSingletonT.h"
#include "utils/TTLog.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <mongo/bson/bson_validate.h>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <atomic>

namespace app {

namespace {

// SQLite's primary result codes, as the Qt driver reports them.
enum ESqliteCode {
    SQLITE_CODE_PERM = 3,
    SQLITE_CODE_BUSY = 5,
    SQLITE_CODE_LOCKED = 6,
    SQLITE_CODE_READONLY = 8,
    SQLITE_CODE_CORRUPT = 11,
    SQLITE_CODE_NOTADB = 26,
};

CPaperBook::EState stateOf(const QSqlError &error)
{
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case SQLITE_CODE_BUSY:
    case SQLITE_CODE_LOCKED:
        return CPaperBook::EState::Locked;
    case SQLITE_CODE_PERM:
    case SQLITE_CODE_READONLY:
        return CPaperBook::EState::ReadOnly;
    case SQLITE_CODE_CORRUPT:
    case SQLITE_CODE_NOTADB:
        return CPaperBook::EState::Corrupt;
    default:
        return CPaperBook::EState::Unusable;
    }
}

QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

ttservice::IDataPtr makeRecord(int type)
{
    switch (type) {
    case ttservice::DATA_TYPE_ACCOUNT_DETAIL:
        return boost::make_shared<ttservice::CAccountDetail>();
    case ttservice::DATA_TYPE_POSITION_STATICS:
        return boost::make_shared<ttservice::CPositionStatics>();
    case ttservice::DATA_TYPE_NON_TRADE_VOLUME:
        return boost::make_shared<ttservice::CNonTradeStockVolumeInfo>();
    case ttservice::DATA_TYPE_AGREEMENT_CONTRACT:
        return boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
    case ttservice::DATA_TYPE_INTENTION_ORDER:
        return boost::make_shared<ttservice::CRepurchaseIntentionOrder>();
    case ttservice::DATA_TYPE_PENDING_ORDER:
        return boost::make_shared<ttservice::CRepurchasePendingOrder>();
    default:
        return ttservice::IDataPtr();
    }
}

std::string dueKey(const std::string &account, int type, const std::string &key)
{
    return account + '\n' + std::to_string(type) + '\n' + key;
}

// The orders waiting at a desk (deal declarations for the answer, intention
// orders to be taken up), by kind: the order as BSON, keyed like the records.
const QLatin1String kPendingDeals("pending_deals");

// The BSON object of a stored record; false when the bytes are not one whole object.
bool readBson(const QByteArray &bytes, bson::BSONObj *obj)
{
    const bool wellFormed = bytes.size() >= 5
        && mongo::validateBSON(bytes.constData(), uint64_t(bytes.size())).isOK()
        && bson::BSONObj(bytes.constData()).objsize() == bytes.size();
    if (wellFormed)
        *obj = bson::BSONObj(bytes.constData()).getOwned();
    return wellFormed;
}

QString connectionName()
{
    static std::atomic<int> next { 0 };
    return QStringLiteral("paper-book-%1").arg(++next);
}

} // namespace

const std::vector<CPaperBook::Table> &CPaperBook::tables()
{
    static const std::vector<Table> all {
        { ttservice::DATA_TYPE_ACCOUNT_DETAIL, "funds" },
        { ttservice::DATA_TYPE_POSITION_STATICS, "positions" },
        { ttservice::DATA_TYPE_NON_TRADE_VOLUME, "restricted_volumes" },
        { ttservice::DATA_TYPE_AGREEMENT_CONTRACT, "contracts" },
        { ttservice::DATA_TYPE_INTENTION_ORDER, "intention_orders" },
        { ttservice::DATA_TYPE_PENDING_ORDER, "declarations" },
    };
    return all;
}

CPaperBook::CPaperBook(const QString &path)
    : m_path(path)
    , m_connection(connectionName())
{
    m_thread.setObjectName(QStringLiteral("paper-book"));
    m_context = new utils::CThreadRelay;
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

CPaperBook::~CPaperBook()
{
    runOnBookThread([this] { closeFile(); });
    m_thread.quitAndWait();
    delete m_context;
}

void CPaperBook::runOnBookThread(const std::function<void()> &work)
{
    // Waits for the book's thread, through a hand-over the thread checker
    // sees both ways (the relay there, the promise back).
    std::promise<void> done;
    m_context->post([&work, &done] {
        work();
        done.set_value();
    });
    done.get_future().wait();
}

CPaperBook::EState CPaperBook::open(bool reset)
{
    runOnBookThread([this, reset] { m_state = openFile(reset); });
    m_saving = m_state == EState::Sound || m_state == EState::Empty;
    const QString notSaved
        = QStringLiteral("this session starts from the shipped data and saves nothing");
    const QString leftAlone = notSaved + QStringLiteral("; the file is left as it is");
    if (!m_keptAside.isEmpty()) {
        m_notice = QStringLiteral("%1: damaged (%2); kept aside as %3, ")
                       .arg(m_path, m_damage, m_keptAside)
            + (m_saving ? QStringLiteral("a new book starts from the shipped data")
                        : QStringLiteral("a new book cannot be started (%1): %2")
                              .arg(m_lastError, notSaved));
    } else {
        switch (m_state) {
        case EState::Sound:
        case EState::Empty:
            m_notice.clear();
            break;
        case EState::Locked:
            m_notice = QStringLiteral("%1: in use by another terminal; %2").arg(m_path, leftAlone);
            break;
        case EState::ReadOnly:
            m_notice = QStringLiteral("%1: read-only; %2").arg(m_path, leftAlone);
            break;
        case EState::FutureSchema:
            m_notice = QStringLiteral(
                           "%1: written by a newer terminal (%2, this one reads schema %3); %4")
                           .arg(m_path, m_lastError)
                           .arg(kSchemaVersion)
                           .arg(leftAlone);
            break;
        case EState::Corrupt:
            m_notice = QStringLiteral("%1: damaged (%2) and cannot be moved aside; %3")
                           .arg(m_path, m_lastError, leftAlone);
            break;
        case EState::Unusable:
            m_notice
                = QStringLiteral("%1: cannot be used (%2); %3").arg(m_path, m_lastError, leftAlone);
            break;
        }
    }
    if (!m_notice.isEmpty())
        TT_LOG_WARN_FOR(this, m_notice.toStdString());
    else
        TT_LOG_INFO_FOR(this,
                        boost::format("paper book %1%: %2% accounts and %3% orders waiting at a "
                                      "desk read, %4%")
                            % m_path.toStdString() % m_restored.size() % m_pendingDeals.size()
                            % (m_clearPending ? "starting again from the shipped data" : "saving"));
    return m_state;
}

CPaperBook::EState CPaperBook::openFile(bool reset)
{
    m_restored.clear();
    m_clearPending = false;
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile()) {
        m_lastError = QStringLiteral("not a file");
        return EState::Unusable;
    }
    // The owner took the write permission away: the book is not to change,
    // whoever runs the terminal.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return EState::ReadOnly;

    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_path);
        // Another terminal holds its book for as long as it runs: waiting is no use.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        opened = db.open();
        if (!opened)
            m_lastError = errorText(db.lastError());
    }
    EState state = opened ? check() : EState::Unusable;
    if (state != EState::Sound && state != EState::Empty) {
        closeFile(); // no lock is kept on a file this terminal does not write
        m_restored.clear();
        m_pendingDeals.clear();
    }
    if (state == EState::Corrupt && m_keptAside.isEmpty()) {
        m_damage = m_lastError;
        keepAside();
        if (!m_keptAside.isEmpty())
            state = openFile(false);
        return state;
    }
    if (state == EState::Sound && reset) {
        m_restored.clear();
        m_pendingDeals.clear();
        m_clearPending = true;
        return EState::Empty;
    }
    return state;
}

CPaperBook::EState CPaperBook::check()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    const auto failed = [&]() {
        m_lastError = errorText(query.lastError());
        return stateOf(query.lastError());
    };
    // Before the first read: the lock, once taken, is kept until the book closes.
    if (!query.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")))
        return failed();
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed();
    const int version = query.value(0).toInt();
    if (version > kSchemaVersion) {
        m_lastError = QStringLiteral("schema %1").arg(version);
        return EState::FutureSchema;
    }
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
        return failed();
    if (query.value(0).toString() != QLatin1String("ok")) {
        // The first findings, on one line.
        QStringList findings;
        do
            findings << query.value(0).toString().simplified();
        while (findings.size() < 3 && query.next());
        m_lastError = findings.join(QStringLiteral("; "));
        return EState::Corrupt;
    }
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
        return failed();
    const int objects = query.value(0).toInt();
    if (version == 0 && objects > 0) {
        m_lastError = QStringLiteral("a database of something else");
        return EState::Corrupt;
    }
    // A new book: its creation and first commit hold only the shipped state.
    // Set before the journal changes, which is the first write.
    m_durable = version > 0;
    if (!query.exec(m_durable ? QStringLiteral("PRAGMA synchronous = FULL")
                              : QStringLiteral("PRAGMA synchronous = NORMAL")))
        return failed();
    // Read before anything is written: a book whose records do not read is
    // kept aside as it is.
    if (version > 0 && !readRecords(version))
        return EState::Corrupt;
    // Changing the journal writes the file: it takes the exclusive lock, or
    // finds that another terminal has it.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next())
        return failed();
    if (query.value(0).toString() != QLatin1String("wal")) {
        m_lastError = QStringLiteral("journal mode %1").arg(query.value(0).toString());
        return EState::Unusable;
    }
    if (!query.exec(QStringLiteral("BEGIN EXCLUSIVE")))
        return failed();
    if (!query.exec(QStringLiteral("COMMIT")))
        return failed();
    query.finish();
    // Under the lock: no other terminal sees the schema half changed.
    if (version < kSchemaVersion && !migrate(version))
        return EState::Unusable;
    return version == 0 ? EState::Empty : EState::Sound;
}

bool CPaperBook::inTransaction(const std::function<bool(QSqlQuery &)> &work)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        m_lastError = errorText(db.lastError());
        return false;
    }
    bool ok = true;
    {
        QSqlQuery query(db);
        ok = work(query);
        if (!ok)
            m_lastError = errorText(query.lastError());
    }
    if (ok && !db.commit()) {
        m_lastError = errorText(db.lastError());
        ok = false;
    }
    if (!ok)
        db.rollback();
    return ok;
}

bool CPaperBook::migrate(int fromVersion)
{
    return inTransaction([fromVersion](QSqlQuery &query) {
        bool ok = true;
        if (fromVersion < 1) {
            for (const Table &table : tables()) {
                ok = ok
                    && query.exec(QStringLiteral("CREATE TABLE %1 (account TEXT NOT NULL, key "
                                                 "TEXT NOT NULL, record BLOB NOT NULL, "
                                                 "PRIMARY KEY (account, key))")
                                      .arg(QLatin1String(table.name)));
            }
        }
        if (fromVersion < 2) {
            ok = ok
                && query.exec(QStringLiteral("CREATE TABLE %1 (account TEXT NOT NULL, kind "
                                             "INTEGER NOT NULL, key TEXT NOT NULL, trading_day "
                                             "INTEGER NOT NULL, sent_at INTEGER NOT NULL, record "
                                             "BLOB NOT NULL, PRIMARY KEY (account, kind, key))")
                                  .arg(kPendingDeals));
        }
        return ok && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    });
}

bool CPaperBook::readRecords(int version)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    const auto unreadable = [this](QLatin1String table) {
        m_lastError = QStringLiteral("a record of %1 does not read").arg(table);
        m_restored.clear();
        m_pendingDeals.clear();
        return false;
    };
    for (const Table &table : tables()) {
        // rowid: the order the records first arrived in, which the tables show.
        if (!query.exec(QStringLiteral("SELECT account, key, record FROM %1 ORDER BY rowid")
                            .arg(QLatin1String(table.name)))) {
            m_lastError = errorText(query.lastError());
            return false;
        }
        while (query.next()) {
            const std::string account = query.value(0).toString().toStdString();
            const std::string key = query.value(1).toString().toStdString();
            bson::BSONObj obj;
            const bool wellFormed = readBson(query.value(2).toByteArray(), &obj);
            const ttservice::IDataPtr record = makeRecord(table.type);
            if (wellFormed)
                record->bsonValueFromObj(obj);
            if (!wellFormed || record->getKey() != key)
                return unreadable(QLatin1String(table.name));
            m_restored[account].push_back(record);
        }
    }
    if (version < 2)
        return true;
    // In the order they were sent: the desks answer them in that order.
    if (!query.exec(QStringLiteral("SELECT account, kind, key, trading_day, sent_at, record "
                                   "FROM %1 ORDER BY sent_at, rowid")
                        .arg(kPendingDeals))) {
        m_lastError = errorText(query.lastError());
        return false;
    }
    while (query.next()) {
        PendingDeal deal;
        const int kind = query.value(1).toInt();
        deal.kind = PendingDeal::Kind(kind);
        deal.key = query.value(2).toString().toStdString();
        deal.tradingDay = query.value(3).toInt();
        deal.sentAtMs = query.value(4).toLongLong();
        bson::BSONObj obj;
        if (!readBson(query.value(5).toByteArray(), &obj))
            return unreadable(kPendingDeals);
        deal.order.bsonValueFromObj(obj);
        if (kind < int(PendingDeal::Kind::Declaration) || kind > int(PendingDeal::Kind::Intention)
            || deal.key.empty() || deal.account() != query.value(0).toString().toStdString()
            || deal.order.agreementParam.isEmpty())
            return unreadable(kPendingDeals);
        m_pendingDeals.push_back(deal);
    }
    return true;
}

bool CPaperBook::write(const std::vector<Row> &rows, const std::map<std::string, DealChange> &deals,
                       bool clearFirst)
{
    return inTransaction([&rows, &deals, clearFirst](QSqlQuery &query) {
        bool ok = true;
        if (clearFirst) {
            for (const Table &table : tables())
                ok = ok
                    && query.exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table.name)));
            ok = ok && query.exec(QStringLiteral("DELETE FROM %1").arg(kPendingDeals));
        }
        // Changes of one kind come one after the other: their statement is
        // prepared once and bound again for each (preparing costs more than
        // the write).
        QString preparedSql;
        const auto prepare = [&query, &preparedSql](const QString &sql) {
            if (sql == preparedSql)
                return true;
            const bool prepared = query.prepare(sql);
            preparedSql = prepared ? sql : QString();
            return prepared;
        };
        std::map<int, QString> upserts;
        for (const Table &table : tables())
            // An update keeps the row's place (rowid) in the arrival order.
            upserts[table.type] = QStringLiteral("INSERT INTO %1 (account, key, record) VALUES "
                                                 "(?, ?, ?) ON CONFLICT (account, key) DO "
                                                 "UPDATE SET record = excluded.record")
                                      .arg(QLatin1String(table.name));
        for (const Row &row : rows) {
            if (!ok)
                break;
            if (!row.record) {
                ok = prepare(QStringLiteral("DELETE FROM %1 WHERE account = ? AND key = ?")
                                 .arg(QLatin1String(tableNamed(row.type))));
                query.addBindValue(QString::fromStdString(row.account));
                query.addBindValue(QString::fromStdString(row.key));
                ok = ok && query.exec();
                continue;
            }
            const bson::BSONObj obj = row.record->toBson();
            ok = prepare(upserts[row.type]);
            query.addBindValue(QString::fromStdString(row.account));
            query.addBindValue(QString::fromStdString(row.key));
            query.addBindValue(QByteArray(obj.objdata(), obj.objsize()));
            ok = ok && query.exec();
        }
        for (const auto &entry : deals) {
            if (!ok)
                break;
            const PendingDeal &deal = entry.second.deal;
            if (entry.second.waiting) {
                ok = prepare(QStringLiteral("INSERT OR REPLACE INTO %1 (account, kind, key, "
                                            "trading_day, sent_at, record) VALUES (?, ?, ?, ?, "
                                            "?, ?)")
                                 .arg(kPendingDeals));
            } else {
                ok = prepare(QStringLiteral("DELETE FROM %1 WHERE account = ? AND kind = ? AND "
                                            "key = ?")
                                 .arg(kPendingDeals));
            }
            query.addBindValue(QString::fromStdString(deal.account()));
            query.addBindValue(int(deal.kind));
            query.addBindValue(QString::fromStdString(deal.key));
            if (entry.second.waiting) {
                const bson::BSONObj obj = deal.order.toBson();
                query.addBindValue(deal.tradingDay);
                query.addBindValue(deal.sentAtMs);
                query.addBindValue(QByteArray(obj.objdata(), obj.objsize()));
            }
            ok = ok && query.exec();
        }
        return ok;
    });
}

void CPaperBook::keepAside()
{
    closeFile();
    const QString base
        = QStringLiteral("%1.corrupt-%2")
              .arg(m_path,
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = QStringLiteral("%1-%2").arg(base).arg(n);
    if (!QFile::rename(m_path, target))
        return;
    // The log and the journal belong to the file they were written for.
    for (const char *suffix : { "-wal", "-shm", "-journal" }) {
        if (QFileInfo::exists(m_path + suffix))
            QFile::rename(m_path + suffix, target + suffix);
    }
    m_keptAside = target;
}

void CPaperBook::closeFile()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool CPaperBook::holds(const std::string &accountId) const
{
    return m_restored.count(accountId) > 0;
}

void CPaperBook::restore(const ttservice::CAccountDataPtr &data) const
{
    const auto found = m_restored.find(data->getAccountInfo()->accountId);
    if (found == m_restored.end())
        return;
    for (const ttservice::IDataPtr &record : found->second) {
        if (auto detail = boost::dynamic_pointer_cast<ttservice::CAccountDetail>(record)) {
            data->setAccountDetail(detail);
            continue;
        }
        // The tables compare the records' account with the one they show.
        if (auto contract
            = boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(record))
            contract->accountInfo = data->getAccountInfo();
        if (auto declaration
            = boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(record))
            declaration->accountInfo = data->getAccountInfo();
        data->updateData(record, false);
    }
}

void CPaperBook::track(const std::vector<ttservice::CAccountDataPtr> &accounts)
{
    m_watched = accounts;
    m_seen.clear();
    for (const ttservice::CAccountDataPtr &data : accounts) {
        const std::string account = data->getAccountInfo()->accountId;
        if (!holds(account))
            continue;
        for (const Table &table : tables()) {
            std::vector<ttservice::IDataPtr> records;
            data->getVector(table.type, records);
            for (const ttservice::IDataPtr &record : records)
                m_seen[account][table.type][record->getKey()] = record;
        }
    }
}

void CPaperBook::remember(const Row &row)
{
    if (row.record)
        m_seen[row.account][row.type][row.key] = row.record;
    else
        m_seen[row.account][row.type].erase(row.key);
}

const char *CPaperBook::tableNamed(int type)
{
    for (const Table &table : tables())
        if (table.type == type)
            return table.name;
    return "";
}

std::vector<CPaperBook::Row> CPaperBook::changedRows() const
{
    // Records are never changed in place: a changed record is a new object in
    // the old one's place, so comparing the pointers finds every change.
    std::vector<Row> rows;
    for (const ttservice::CAccountDataPtr &data : m_watched) {
        const std::string account = data->getAccountInfo()->accountId;
        const auto seenAccount = m_seen.find(account);
        for (const Table &table : tables()) {
            std::vector<ttservice::IDataPtr> records;
            data->getVector(table.type, records);
            for (const ttservice::IDataPtr &record : records) {
                const std::string key = record->getKey();
                bool known = false;
                if (seenAccount != m_seen.end()) {
                    const auto seenType = seenAccount->second.find(table.type);
                    if (seenType != seenAccount->second.end()) {
                        const auto seen = seenType->second.find(key);
                        known = seen != seenType->second.end() && seen->second == record;
                    }
                }
                if (!known)
                    rows.push_back(Row { table.type, account, key, record });
            }
            // Records the account no longer holds (an answered declaration).
            if (seenAccount == m_seen.end())
                continue;
            const auto seenType = seenAccount->second.find(table.type);
            if (seenType == seenAccount->second.end())
                continue;
            for (const auto &seen : seenType->second) {
                if (seen.second && !data->getData(table.type, seen.first))
                    rows.push_back(Row { table.type, account, seen.first, nullptr });
            }
        }
    }
    return rows;
}

bool CPaperBook::commit()
{
    if (!m_saving)
        return true;
    const bool written = writeChanges();
    if (!m_durable) {
        // The new book holds its first state: from here on a commit is on
        // disk before it returns (the first sync of the log takes the earlier
        // commits with it).
        runOnBookThread([this] {
            QSqlQuery query(QSqlDatabase::database(m_connection, false));
            m_durable = query.exec(QStringLiteral("PRAGMA synchronous = FULL"));
            if (!m_durable)
                TT_LOG_ERROR_FOR(this,
                                 (m_path
                                  + QStringLiteral(": commits do not wait for the "
                                                   "disk (%1)")
                                        .arg(errorText(query.lastError())))
                                     .toStdString());
        });
    }
    return written;
}

int CPaperBook::synchronousLevel()
{
    int level = -1;
    runOnBookThread([this, &level] {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (!db.isOpen())
            return;
        QSqlQuery query(db);
        if (query.exec(QStringLiteral("PRAGMA synchronous")) && query.next())
            level = query.value(0).toInt();
    });
    return level;
}

bool CPaperBook::writeChanges()
{
    const std::vector<Row> rows = changedRows();
    if (rows.empty() && m_dealChanges.empty() && !m_clearPending)
        return true;
    bool written = false;
    runOnBookThread([&] { written = write(rows, m_dealChanges, m_clearPending); });
    if (written) {
        for (const Row &row : rows)
            remember(row);
        m_due.clear();
        m_dealChanges.clear();
        m_clearPending = false;
        return true;
    }
    for (const Row &row : rows)
        m_due.insert(dueKey(row.account, row.type, row.key));
    const QString text
        = QStringLiteral("%1: cannot write %2 changed records (%3); they are written with the "
                         "next change, and are lost if the terminal stops before")
              .arg(m_path)
              .arg(rows.size() + m_dealChanges.size())
              .arg(m_lastError);
    TT_LOG_ERROR_FOR(this, text.toStdString());
    if (!m_writeFailed)
        tell(text);
    m_writeFailed = true;
    return false;
}

void CPaperBook::notePendingDeal(const PendingDeal &deal, bool waiting)
{
    if (!m_saving)
        return;
    // A deal that waited and was answered before a commit wrote it (a failed
    // write) leaves only its deletion, which finds no row.
    m_dealChanges[deal.account() + '\n' + std::to_string(int(deal.kind)) + '\n' + deal.key]
        = DealChange { deal, waiting };
}

void CPaperBook::settle()
{
    if (!m_saving)
        return;
    for (const Row &row : changedRows()) {
        if (!m_due.count(dueKey(row.account, row.type, row.key)))
            remember(row);
    }
}

void CPaperBook::tell(const QString &text) const
{
    utils::CManualSingletonT<TC::CMsgService>::instance()->showMsg(
        text.toUtf8().toStdString(), TC::CMsgService::MSG_TYPE_ALARM, 1, false, false);
}

} // namespace app
