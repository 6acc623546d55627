#pragma once

#include "CPaperBook.h"
#include "CPaperExchange.h"
#include "CPositionFeed.h"
#include "SeedFile.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <boost/shared_ptr.hpp>

#include <cstdio>

namespace app {

class CSimulatedCounter;

// The demo terminal's trading host, seeded from data files:
//   host.ini         user name, deployment code, businesses offered, order hints
//   accounts.csv     fund accounts with login state and available funds
//   instruments.csv  listed bonds with face value and accrued interest per 张
//   positions.csv    usable positions per account
//   repo_varieties.csv  agreement repurchase varieties (market, code, name,
//                    day range, type id), listed with their instrument types
//   contracts.csv    agreement repurchase contracts (type 788) per account, with
//                    their pledged bonds; optional (see loadContracts)
//   intention_orders.csv  intention orders (type 793) per account, listed by
//                    the turn-deal list; optional
//   pending_declarations.csv  deal declarations (type 795) waiting for the
//                    confirmation of an account's trader; optional (the file's
//                    header comment describes the columns)
//   desks.csv        the counterparty desks the paper exchange answers for
//                    (see CPaperExchange::loadDesks); optional
// Each file is read from the configuration directory when it is there (so a
// trader can change the simulated host for one directory), else from the
// shipped data directory. The shipped dealer file is copied into the
// configuration directory when that has none, so the panels start with dealers.
//
// The exchange closures ("ExchangeHolidays.csv") are read from the data
// directory and then, when there is one, from the configuration directory,
// whose lines add closures to the trading calendar.
//
// The paper exchange's book (CPaperBook, "paper_book.sqlite" in the
// configuration directory) holds the accounts' records as the exchange left
// them: the funds, positions, restricted volumes, contracts, intention orders
// and declarations of an account the book holds come from it, and the lines of
// those files for that account are not read. Accounts the book does not hold
// (a new book, an account added to accounts.csv) start from the files, and
// their records are written to the book as its first state. The rest (the
// accounts and their login states, instruments, varieties, calendar, desks)
// always comes from the files. After every job of the exchange, the book
// writes what the job changed in one transaction, with the orders that
// started or stopped waiting at a desk (deal declarations for the answer,
// intention orders to be taken up); start() has the desks carry out what the
// last session left waiting. The position feed's moves
// are market noise and are not written. With setResetPaper(true) the book
// starts again from the files.
//
// A seed file larger than kMaxSeedFileBytes, or a directory in a file's place,
// is not read: for a required file the load fails naming it, for an optional
// one (contracts, intention orders, declarations, closures) it is a warning.
class CSimulatedHost
{
public:
    // The seed files are a few kilobytes; anything past this is no seed file,
    // and reading it would keep the terminal from showing up for many seconds.
    static constexpr qint64 kMaxSeedFileBytes = app::kMaxSeedFileBytes;

    CSimulatedHost();
    ~CSimulatedHost();
    CSimulatedHost(const CSimulatedHost &) = delete;
    CSimulatedHost &operator=(const CSimulatedHost &) = delete;

    // Fills the host services. Returns false with `error` set when a required
    // file is missing or unreadable; malformed lines are skipped and reported.
    // A missing contracts file only leaves the accounts without contracts.
    bool load(const QString &dataDir, const QString &configDir, QString *error);

    // Announces that the trading data is loaded, starts answering queries and
    // hands the command centre's commands to the paper exchange.
    void start();

    // Whether the next load() starts the paper book again from the files
    // (the terminal's --reset-paper).
    void setResetPaper(bool reset) { m_resetPaper = reset; }
    // The book the exchange's changes are written to; null before load().
    CPaperBook *book() const { return m_book.get(); }

    // The exchange carrying out the commands; null before start().
    CPaperExchange *exchange() const { return m_exchange.get(); }

    // The date the seed files' day offsets count from, and the date the
    // exchange's deals start on: the first trading day on or after the host
    // clock's date.
    static QDate seedTradingDate();

    // Lines skipped as malformed while loading, "file:line: reason", and
    // optional files not read, "file: reason".
    QStringList warnings() const { return m_warnings; }
    // Shows each warning in the host's message list and writes it to `out`
    // (when given) as a line "ficc-terminal: <warning>".
    void reportWarnings(std::FILE *out) const;

private:
    bool loadUser(const QString &path, QString *error);
    bool loadAccounts(const QString &path, QString *error);
    bool loadInstruments(const QString &path, QString *error);
    bool loadPositions(const QString &path, QString *error);
    bool loadRepoVarieties(const QString &path, QString *error);
    // The host's instrument classification, "typeId,market,code" per line
    // (which bonds may be pledged, by the exchange's kinds); optional.
    void loadStockTypes(const QString &path);
    // Restricted (non-tradable) volumes, type 794 records,
    // "accountId,market,code,name,volume" per line; optional.
    void loadRestrictedVolumes(const QString &path);
    void loadTradingCalendar();
    // Agreement repurchase contracts, stored in each account's data as type 788
    // records. A line of contracts.csv (after the header line; '#' starts a
    // comment line):
    //   accountId,contractNo,market,direction,status,firstSettleOffset,
    //   maturityOffset,amount,rate,conversionRatio,maturitySettleAmount,
    //   pledgedBonds,dealer,tradingEntity,trader,counterpartyDealer,
    //   counterpartyDealerName,counterpartyEntity,counterpartyTrader,
    //   referenceNo,supplementaryTerms
    // - direction and status are the counter's character codes: direction '1'
    //   正回购, '2' 逆回购; status '0'-'8' (1 正常, 2 到期, 3 已购回, 4 已续做,
    //   8 逾期, ...).
    // - The two offsets are calendar days from the trading date (the first
    //   trading day on or after the host clock's date, the day the trading-day
    //   watch announces), so the demo has contracts before their first
    //   settlement, inside their term, maturing today and past maturity on
    //   whatever day it runs. The dates are worked out once, when the file is
    //   loaded: when the trading day moves on while the terminal runs, the
    //   contracts keep their dates, as real contracts do. The dates are not
    //   moved off closed days. The term (repurchaseDays) is the number of days
    //   between them and must be 1-365.
    // - amount in yuan; rate and conversionRatio as fractions (0.0215, 0.9).
    // - maturitySettleAmount: 0 when the counter has not reported it (the
    //   contract table then works it out), else amount x (1 + rate x days / 365)
    //   to the cent.
    // - pledgedBonds: code:volume (张) entries separated by '|', bonds of the
    //   contract's market listed in instruments.csv (the bond name comes from
    //   there); their face value times the conversion ratio covers the amount.
    // - The contract number is unique within the account.
    // Malformed lines are skipped and reported as "contracts.csv:N: reason"; a
    // missing or unreadable file leaves the accounts without contracts.
    void loadContracts(const QString &path);
    void loadIntentionOrders(const QString &path);
    // Declarations a counterparty addressed to an account's trader, stored in
    // the account's data as type 795 records; dates count from the trading
    // date as the contracts' do. Malformed lines are skipped and reported.
    void loadPendingDeclarations(const QString &path);
    QString pick(const QString &name) const;
    // Opens the paper book; its notice, when it has one, becomes a warning.
    void openBook();
    // The account's records come from the book, not from the files.
    bool fromBook(const std::string &accountId) const;
    // Restores the accounts the book holds and writes the others' records.
    void settleBook();

    QString m_dataDir;
    QString m_configDir;
    QStringList m_warnings;
    bool m_resetPaper = false;
    // Before the exchange: its jobs write to the book until it has stopped.
    boost::shared_ptr<CPaperBook> m_book;
    boost::shared_ptr<CSimulatedCounter> m_counter;
    boost::shared_ptr<CPaperExchange> m_exchange;
    std::vector<CPaperExchange::Desk> m_desks;
    CPositionFeed m_positionFeed;
    // host.ini [feed] positionIntervalMs: how often positions move at random
    // (every second by default; 0: never).
    int m_positionIntervalMs = 1000;
    // host.ini [exchange] answerDelayMs: how long a desk takes to answer.
    int m_answerDelayMs = 1500;
};

} // namespace app
