#pragma once

#include "ttservice/CAccountInfo.h"
#include "utils/CDeliveryGuard.h"

#include <QMainWindow>
#include <QPointer>

#include <string>

class QAction;
class QLabel;
class QListWidget;
class QTreeWidget;

namespace TC {
class CFiccOperationPanel;
class CReservationSerialPanel;
} // namespace TC

namespace app {

class CCommandJournal;
class CPaperExchange;
class CTradingDayWatch;

// The demo terminal's main window, acting as the host of the two panels: it
// constructs them through their exported constructors, docks them, hands them
// their saved parameter strings at start and collects them at exit, lists what
// the message service received and journals every order command.
class CTerminalWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `configDir` holds "layout.ini", where the panels' parameter strings live.
    explicit CTerminalWindow(const QString &configDir, QWidget *parent = nullptr);
    ~CTerminalWindow() override;

    // Hands each panel the parameter string saved for it (empty when none).
    void restorePanels();
    // Collects each panel's parameter string and stores it.
    void savePanels();

    // Appends every command as one JSON line to `path` as well.
    void setJournalFile(const QString &path);

    // The trading days the "下一交易日" action moves on; the action is
    // disabled without them.
    void setTradingDayWatch(CTradingDayWatch *watch);
    QAction *nextTradingDayAction() const { return m_nextTradingDay; }

    // Hands the exchange's delivery status of agreement orders to the
    // panel's agreement tables, which reload on it.
    void followDeliveries(CPaperExchange *exchange);

    TC::CFiccOperationPanel *ficcPanel() const { return m_ficcPanel; }
    TC::CReservationSerialPanel *reservationPanel() const { return m_reservationPanel; }
    QListWidget *messageList() const { return m_messages; }
    QTreeWidget *journalView() const { return m_journalView; }

signals:
    // The window's first frame is painted (emitted once, after the paint).
    void firstFramePainted();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildUi();
    void connectHost();
    void appendMessage(const QString &text, int type, int level);
    void appendCommand(int commandNo);
    void showTradingDate(const QString &yyyyMMdd);
    void announceDelivery(const ttservice::CAccountInfoPtr &account, bool delivered,
                          const std::string &text);
    QString layoutFile() const;

    QString m_configDir;
    TC::CFiccOperationPanel *m_ficcPanel = nullptr; // owned through its dock
    TC::CReservationSerialPanel *m_reservationPanel = nullptr; // owned through its dock
    QListWidget *m_messages = nullptr;
    QTreeWidget *m_journalView = nullptr;
    CCommandJournal *m_journal = nullptr;
    CTradingDayWatch *m_tradingDays = nullptr; // not owned: the application's
    QAction *m_nextTradingDay = nullptr;
    QLabel *m_tradingDateLabel = nullptr;
    utils::CDeliveryGuard m_deliveries; // the exchange's reports come through here
    bool m_saved = false;
    bool m_painted = false;
};

} // namespace app
