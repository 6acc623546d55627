#include "CTerminalWindow.h"

#include "CCommandJournal.h"
#include "CPaperExchange.h"
#include "CTradingDayWatch.h"

#include "reservation/CReservationSerialPanel.h"
#include "shell/CFiccOperationPanel.h"
#include "tc/Services.h"
#include "ttservice/COrderComandParam.h"
#include "xp/TableLayoutStore.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace app {

namespace {
// Ids the terminal gives its panels; the module passes them to its bases unchanged.
constexpr int kFiccPanelId = 1;
constexpr int kReservationPanelId = 2;

QString messageTypeText(int type)
{
    return type == 4 ? QStringLiteral("报警信息") : QStringLiteral("类型%1").arg(type);
}
} // namespace

CTerminalWindow::CTerminalWindow(const QString &configDir, QWidget *parent)
    : QMainWindow(parent)
    , m_configDir(configDir)
    , m_journal(new CCommandJournal)
{
    setObjectName(QStringLiteral("ficc_terminal_window"));
    setWindowTitle(QStringLiteral("FICC 交易终端（模拟主机）"));
    // The column widths a trader gives the tables come back with the terminal.
    XP::setTableLayoutFile(QDir(configDir).filePath(QStringLiteral("TableLayouts.ini")));
    buildUi();
    connectHost();
}

CTerminalWindow::~CTerminalWindow()
{
    delete m_journal;
}

void CTerminalWindow::buildUi()
{
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    // Each panel is built inside its dock: a panel built on its own and then
    // docked would have every one of its widgets styled a second time when it
    // moves under the window's style sheet.
    auto *ficcDock = new QDockWidget(QStringLiteral("FICC交易"), this);
    ficcDock->setObjectName(QStringLiteral("dock_ficc"));
    m_ficcPanel = new TC::CFiccOperationPanel(kFiccPanelId, ficcDock);
    ficcDock->setWidget(m_ficcPanel);
    ficcDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::TopDockWidgetArea, ficcDock);

    auto *reservationDock = new QDockWidget(QStringLiteral("预约流水"), this);
    reservationDock->setObjectName(QStringLiteral("dock_rnsl"));
    m_reservationPanel = new TC::CReservationSerialPanel(kReservationPanelId, reservationDock);
    reservationDock->setWidget(m_reservationPanel);
    reservationDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::RightDockWidgetArea, reservationDock);

    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("terminal_tabs"));
    m_journalView = new QTreeWidget(tabs);
    m_journalView->setObjectName(QStringLiteral("command_journal"));
    m_journalView->setHeaderLabels({ QStringLiteral("指令"), QStringLiteral("内容") });
    m_journalView->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_messages = new QListWidget(tabs);
    m_messages->setObjectName(QStringLiteral("message_list"));
    tabs->addTab(m_journalView, QStringLiteral("指令日志"));
    tabs->addTab(m_messages, QStringLiteral("消息"));
    setCentralWidget(tabs);
    resizeDocks({ ficcDock }, { 540 }, Qt::Vertical);
    resizeDocks({ reservationDock }, { 260 }, Qt::Horizontal);

    // Time moves on only when the trader says so: the simulated exchange
    // settles the day's contracts and the panels reload for the new day.
    auto *days = addToolBar(QStringLiteral("交易日"));
    days->setObjectName(QStringLiteral("toolbar_trading_day"));
    m_nextTradingDay = days->addAction(QStringLiteral("下一交易日"));
    m_nextTradingDay->setObjectName(QStringLiteral("action_next_trading_day"));
    m_nextTradingDay->setToolTip(QStringLiteral("主机时钟进入日历上的下一个交易日"));
    m_nextTradingDay->setEnabled(false);
    connect(m_nextTradingDay, &QAction::triggered, this, [this] {
        if (m_tradingDays)
            m_tradingDays->advance();
    });
    m_tradingDateLabel = new QLabel(this);
    m_tradingDateLabel->setObjectName(QStringLiteral("trading_date"));
    statusBar()->addPermanentWidget(m_tradingDateLabel);
    showTradingDate(TC::CHostClock::today().toString(QStringLiteral("yyyyMMdd")));

    const TC::CUserConfig *config = TC::getUserConfig();
    statusBar()->showMessage(QStringLiteral("用户 %1    部署 %2    账户 %3    配置目录 %4")
                                 .arg(config->userName)
                                 .arg(config->deploymentCode)
                                 .arg(config->getAccountDatas().size())
                                 .arg(m_configDir));
}

void CTerminalWindow::connectHost()
{
    auto *msgService = utils::CManualSingletonT<TC::CMsgService>::instance();
    connect(msgService, &TC::CMsgService::sigMessage, this,
            [this](const QString &text, int type, int level) { appendMessage(text, type, level); });
    auto *commandCenter = utils::CManualSingletonT<TC::CItCommandCenter>::instance();
    connect(commandCenter, &TC::CItCommandCenter::sigCommandCreated, this,
            [this](int commandNo) { appendCommand(commandNo); });
    connect(utils::CManualSingletonT<TC::CExchangeClient>::instance(),
            &TC::CExchangeClient::sigNewTradingDate, this,
            [this](const std::string &day, const std::string &) {
                showTradingDate(QString::fromStdString(day));
            });
}

void CTerminalWindow::setTradingDayWatch(CTradingDayWatch *watch)
{
    m_tradingDays = watch;
    m_nextTradingDay->setEnabled(watch != nullptr);
}

void CTerminalWindow::followDeliveries(CPaperExchange *exchange)
{
    if (!exchange)
        return;
    const utils::CDeliveryGuard::Handle window = m_deliveries.handle();
    exchange->setDeliveryListener([window, this](const ttservice::CAccountInfoPtr &account,
                                                 bool delivered, const std::string &text) {
        window.post(
            [this, account, delivered, text] { announceDelivery(account, delivered, text); });
    });
}

void CTerminalWindow::announceDelivery(const ttservice::CAccountInfoPtr &account, bool delivered,
                                       const std::string &text)
{
    // The module connects nothing to its tables' slotDeliveryStatus: the host
    // does. The tables are not exported, so they are found by that slot. Only
    // the tables on show reload; the others do when they are shown again.
    static const QByteArray slot = QMetaObject::normalizedSignature(
        "slotDeliveryStatus(ttservice::CAccountInfoPtr,bool,std::string)");
    for (QWidget *widget : m_ficcPanel->findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->metaObject()->indexOfSlot(slot) < 0)
            continue;
        QMetaObject::invokeMethod(widget, "slotDeliveryStatus", Qt::DirectConnection,
                                  Q_ARG(ttservice::CAccountInfoPtr, account),
                                  Q_ARG(bool, delivered), Q_ARG(std::string, text));
    }
}

void CTerminalWindow::showTradingDate(const QString &yyyyMMdd)
{
    const QDate day = QDate::fromString(yyyyMMdd, QStringLiteral("yyyyMMdd"));
    m_tradingDateLabel->setText(
        QStringLiteral("交易日 %1").arg(day.toString(QStringLiteral("yyyy-MM-dd"))));
}

void CTerminalWindow::appendMessage(const QString &text, int type, int level)
{
    m_messages->addItem(QStringLiteral("%1  [%2 级别%3]  %4")
                            .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")))
                            .arg(messageTypeText(type))
                            .arg(level)
                            .arg(text));
    m_messages->scrollToBottom();
}

void CTerminalWindow::appendCommand(int commandNo)
{
    auto *commandCenter = utils::CManualSingletonT<TC::CItCommandCenter>::instance();
    ttservice::COrderComandParamPtr command;
    for (const TC::CCommandRecord &record : commandCenter->commands()) {
        if (record.commandNo == commandNo)
            command = record.param;
    }
    if (!command)
        return;
    const QJsonObject entry = CCommandJournal::commandToJson(commandNo, *command);
    m_journal->append(entry);

    auto *item = new QTreeWidgetItem(m_journalView);
    item->setText(0, QStringLiteral("指令 %1").arg(commandNo));
    item->setText(1,
                  QStringLiteral("%1 笔委托  %2")
                      .arg(command->orders.size())
                      .arg(entry.value("time").toString()));
    const auto addFields = [](QTreeWidgetItem *parent, const QJsonObject &fields) {
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            if (it.value().isObject())
                continue;
            auto *field = new QTreeWidgetItem(parent);
            field->setText(0, it.key());
            field->setText(1,
                           it.value().isNull() ? QStringLiteral("（未设置）")
                                               : it.value().toVariant().toString());
        }
    };
    const QJsonArray orders = entry.value("orders").toArray();
    for (int i = 0; i < orders.size(); ++i) {
        const QJsonObject order = orders.at(i).toObject();
        auto *orderItem = new QTreeWidgetItem(item);
        orderItem->setText(0, QStringLiteral("委托 %1").arg(i + 1));
        orderItem->setText(1,
                           QStringLiteral("%1 %2 %3")
                               .arg(order.value("stockCode").toString(),
                                    order.value("stockName").toString(),
                                    order.value("accountId").toString()));
        addFields(orderItem, order);
        if (order.contains("agreementParam")) {
            auto *agreementItem = new QTreeWidgetItem(orderItem);
            agreementItem->setText(0, QStringLiteral("agreementParam"));
            addFields(agreementItem, order.value("agreementParam").toObject());
        }
    }
    m_journalView->expandItem(item);
    m_journalView->scrollToItem(item);
}

QString CTerminalWindow::layoutFile() const
{
    return QDir(m_configDir).filePath(QStringLiteral("layout.ini"));
}

void CTerminalWindow::setJournalFile(const QString &path)
{
    m_journal->setFile(path);
}

void CTerminalWindow::restorePanels()
{
    QSettings settings(layoutFile(), QSettings::IniFormat);
    // A first start opens where the business is: agreement repurchase on
    // 提前购回, with the account's contracts listed.
    m_ficcPanel->setParam(
        settings.value(QStringLiteral("panels/ficc"), QStringLiteral("2//1003")).toString());
    m_reservationPanel->setParam(settings.value(QStringLiteral("panels/rnsl")).toString());
    const QByteArray state = settings.value(QStringLiteral("window/state")).toByteArray();
    if (!state.isEmpty())
        restoreState(state);
}

void CTerminalWindow::savePanels()
{
    QSettings settings(layoutFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("panels/ficc"), m_ficcPanel->param());
    settings.setValue(QStringLiteral("panels/rnsl"), m_reservationPanel->param());
    settings.setValue(QStringLiteral("window/state"), saveState());
    settings.sync();
    XP::syncTableLayouts();
    m_saved = true;
}

bool CTerminalWindow::event(QEvent *event)
{
    // The panels paint within the same pass as the window: the frame is done
    // once control returns to the event loop.
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &CTerminalWindow::firstFramePainted);
    }
    return QMainWindow::event(event);
}

void CTerminalWindow::closeEvent(QCloseEvent *event)
{
    savePanels();
    QMainWindow::closeEvent(event);
}

} // namespace app
