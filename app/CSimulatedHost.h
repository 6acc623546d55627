#pragma once

#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <boost/shared_ptr.hpp>

namespace app {

class CSimulatedCounter;

// The demo terminal's trading host, seeded from data files:
//   host.ini         user name, deployment code, businesses offered, order hints
//   accounts.csv     fund accounts with login state and available funds
//   instruments.csv  listed bonds with face value and accrued interest per 张
//   positions.csv    usable positions per account
//   repo_varieties.csv  agreement repurchase varieties (market, code, name,
//                    day range, type id), listed with their instrument types
// Each file is read from the configuration directory when it is there (so a
// trader can change the simulated host for one directory), else from the
// shipped data directory. The shipped dealer file is copied into the
// configuration directory when that has none, so the panels start with dealers.
//
// The exchange closures ("ExchangeHolidays.csv") are read from the data
// directory and then, when there is one, from the configuration directory,
// whose lines add closures to the trading calendar.
class CSimulatedHost
{
public:
    CSimulatedHost();
    ~CSimulatedHost();
    CSimulatedHost(const CSimulatedHost &) = delete;
    CSimulatedHost &operator=(const CSimulatedHost &) = delete;

    // Fills the host services. Returns false with `error` set when a required
    // file is missing or unreadable; malformed lines are skipped and counted.
    bool load(const QString &dataDir, const QString &configDir, QString *error);

    // Announces that the trading data is loaded and starts answering queries.
    void start();

    // Lines skipped as malformed while loading, "file:line: reason".
    QStringList warnings() const { return m_warnings; }

private:
    bool loadUser(const QString &path, QString *error);
    bool loadAccounts(const QString &path, QString *error);
    bool loadInstruments(const QString &path, QString *error);
    bool loadPositions(const QString &path, QString *error);
    bool loadRepoVarieties(const QString &path, QString *error);
    void loadTradingCalendar();
    QString pick(const QString &name) const;

    QString m_dataDir;
    QString m_configDir;
    QStringList m_warnings;
    boost::shared_ptr<CSimulatedCounter> m_counter;
};

} // namespace app
