#pragma once

#include "PendingDeal.h"

#include "ttservice/CAccountData.h"
#include "ttservice/IData.h"
#include "utils/CThreadRelay.h"

#include <QString>
#include <QThread>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class QSqlQuery;

namespace app {

// The paper exchange's book: the records of the accounts that the exchange
// changes (funds 543, positions 547, restricted volumes 794, contracts 788,
// intention orders 793, declarations 795), kept in an SQLite database in the
// configuration directory, so that the terminal starts again on the desk it
// left. One table per record type; a row holds the record's BSON under its
// account and key, and rows keep the order the records first arrived in.
// Beside the records, the book keeps the deal declarations waiting for a
// desk's answer (pending_deals), so that the desk still answers them when the
// terminal stopped before it did.
//
// The book takes the file for this terminal alone while it is open (SQLite's
// exclusive locking mode): a second terminal on the same directory finds it
// locked. A file the book cannot use is never written: a locked, read-only or
// newer (schema) file is left as it is and this session does not save; a
// corrupt one is renamed aside ("<file>.corrupt-<time>") and a new book is
// started in its place.
//
// Writes: commit() writes every record of the watched accounts that changed
// since the last commit, and the deals that started or stopped waiting, in ONE
// transaction, so an order's changes land together or not at all. The journal is WAL with
// synchronous=FULL: a committed transaction is on disk (the log is synced) before commit() returns,
// so neither a crash of the terminal nor of the machine loses a change the exchange has carried
// out, and each commit costs one sequential sync of the log instead of the rollback journal's
// several. A new book is the exception until its first commit: its schema and the shipped
// state it starts from are written without waiting for the disk (synchronous=NORMAL, still
// atomic), since losing them to a machine crash loses nothing a trader did: the next start
// finds an empty book and writes them again.
//
// Threads: the SQL runs on the book's own thread (a Qt SQL connection belongs
// to the thread that made it); the callers wait for it. open(), restore() and
// track() are called while the host loads; commit() and settle() on one
// thread at a time afterwards (the exchange's).
class CPaperBook final
{
public:
    // user_version of the book this terminal writes: 1 the records, 2 also
    // the orders waiting at a desk. A book of an older schema is brought
    // up to this one when it is opened, keeping its records.
    static constexpr int kSchemaVersion = 2;
    static QString fileName() { return QStringLiteral("paper_book.sqlite"); }

    enum class EState {
        Empty, // no book yet (or a reset): start from the shipped data and write it
        Sound, // the watched accounts' records come from the book
        Locked, // another terminal has it: shipped data, not saved
        ReadOnly, // the file may not be written: shipped data, not saved
        FutureSchema, // written by a newer terminal: shipped data, not saved
        Corrupt, // kept aside; a new book starts from the shipped data
        Unusable, // any other failure to open or read: shipped data, not saved
    };

    explicit CPaperBook(const QString &path);
    ~CPaperBook();
    CPaperBook(const CPaperBook &) = delete;
    CPaperBook &operator=(const CPaperBook &) = delete;

    // Opens the file (creating it when missing) and reads it. With `reset`, the
    // book's records are not read and the first commit() replaces them.
    EState open(bool reset);
    EState state() const { return m_state; }
    // Whether commit() writes to the file.
    bool isSaving() const { return m_saving; }
    // How a commit waits for the disk, read from the open book: SQLite's
    // synchronous level (1 normal, 2 full); -1 when no book is open.
    int synchronousLevel();
    // What the trader is told about the file when it is not used as it was
    // ("paper_book.sqlite: ..."); empty when it is.
    QString notice() const { return m_notice; }
    // Where a corrupt file was moved; empty when none was.
    QString keptAsidePath() const { return m_keptAside; }

    // Whether the book holds the records of the account.
    bool holds(const std::string &accountId) const;
    // Puts the book's records of the account into its data.
    void restore(const ttservice::CAccountDataPtr &data) const;
    // The orders that were waiting at a desk when the book was read (deal
    // declarations for the answer, intention orders to be taken up), in the
    // order they were sent; none after a reset or when
    // the book is not used.
    const std::vector<PendingDeal> &pendingDeals() const { return m_pendingDeals; }

    // Watches the accounts' records. Those the book holds are taken as
    // written; the records of the other accounts are written by the next commit().
    void track(const std::vector<ttservice::CAccountDataPtr> &accounts);
    // Writes the records of the watched accounts that changed since the last
    // commit(), in one transaction. False when the write failed: the changes
    // are kept for the next commit, and the failure is logged and told.
    bool commit();
    // An order starts waiting at a desk (`waiting`) or stops (the desk
    // answered the declaration, or took the intention up): written by the next commit(), in the
    // transaction of the records the same exchange job changed.
    void notePendingDeal(const PendingDeal &deal, bool waiting);
    // Takes the records' present state as known without writing it (changes
    // that are not the exchange's, such as the position feed's market noise).
    // Changes a failed commit() left unwritten stay due.
    void settle();

    // Record types the book keeps, with their tables.
    struct Table
    {
        int type;
        const char *name;
    };
    static const std::vector<Table> &tables();

private:
    struct Row
    {
        int type;
        std::string account;
        std::string key;
        ttservice::IDataPtr record; // null: the record left the account (deleted)
    };
    struct DealChange
    {
        PendingDeal deal;
        bool waiting = false; // false: the desk carried it out, its row goes
    };
    // The record last written (or settled) per account, type and key.
    // Takes a written (or settled) row as what the book holds.
    void remember(const Row &row);
    static const char *tableNamed(int type);
    using Seen = std::map<std::string, std::map<int, std::map<std::string, ttservice::IDataPtr>>>;

    void runOnBookThread(const std::function<void()> &work);
    // On the book's thread.
    EState openFile(bool reset);
    bool writeChanges();
    EState check();
    bool readRecords(int version);
    // Brings the schema from `fromVersion` (0: a new file) to kSchemaVersion.
    bool migrate(int fromVersion);
    bool write(const std::vector<Row> &rows, const std::map<std::string, DealChange> &deals,
               bool clearFirst);
    // Runs `work` in one transaction, committed when it returns true and rolled
    // back otherwise; the error is kept in m_lastError.
    bool inTransaction(const std::function<bool(QSqlQuery &)> &work);
    void keepAside();
    void closeFile();

    std::vector<Row> changedRows() const;
    void tell(const QString &text) const;

    const QString m_path;
    const QString m_connection;
    utils::CEventLoopThread m_thread;
    utils::CThreadRelay *m_context = nullptr; // lives in m_thread
    EState m_state = EState::Unusable;
    bool m_saving = false;
    bool m_clearPending = false; // a reset: the first commit empties the tables
    bool m_writeFailed = false; // told once
    bool m_durable = true; // commits wait for the disk (all but a new book's first)
    QString m_notice;
    QString m_keptAside;
    QString m_lastError;
    QString m_damage; // why a file was kept aside
    std::map<std::string, std::vector<ttservice::IDataPtr>> m_restored; // by account
    std::vector<ttservice::CAccountDataPtr> m_watched;
    Seen m_seen;
    std::set<std::string> m_due; // "account|type|key" a failed commit left unwritten
    std::vector<PendingDeal> m_pendingDeals; // as read
    // Deals that started or stopped waiting since the last commit, by account and key.
    std::map<std::string, DealChange> m_dealChanges;
};

} // namespace app
