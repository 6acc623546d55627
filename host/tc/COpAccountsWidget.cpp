#include "tc/COpAccountsWidget.h"

#include "tc/AccountHelper.h"
#include "tc/COpAccountsModel.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "ttservice/DataTypes.h"
#include "utils/CSingletonT.h"
#include "xp/CUiResource.h"
#include "xp/NumberFormat.h"
#include "xp/WidgetEvents.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QTableView>

#include <boost/pointer_cast.hpp>

namespace TC {

namespace {

// The list style of an operation panel: short rows, no grid.
constexpr int kCompactListStyle = 4;

CTradeClient *tradeClient()
{
    return utils::CManualSingletonT<CTradeClient>::instance();
}

} // namespace

COpAccountsWidget::COpAccountsWidget(int style, bool showHeader, bool multiSelect, QWidget *parent,
                                     int traderType)
    : XP::CBaseWidget(QStringLiteral("tc_opaccountswidget"), false, parent)
    , m_style(style)
    , m_traderType(traderType)
    , m_model(new COpAccountsModel(multiSelect, this))
{
    buildUi(showHeader);
    connectServices();
    loadAccountGroupSettings();
}

COpAccountsWidget::~COpAccountsWidget()
{
    // Dropping the subscriptions waits for a pusher inside a callback, so none
    // runs while the widget goes.
    m_fundsSubscriptions.clear();
}

void COpAccountsWidget::buildUi(bool showHeader)
{
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("tc_opaccountswidget_table"));
    m_view->setModel(m_model);
    // The tick is the selection; a highlighted row beside it would only confuse.
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->setShowGrid(m_style != kCompactListStyle);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_style == kCompactListStyle ? 22 : 26);
    QHeaderView *header = m_view->horizontalHeader();
    header->setVisible(showHeader);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setMinimumSectionSize(24);
    m_view->installEventFilter(this);

    connect(m_view, &QTableView::clicked, this,
            [this](const QModelIndex &index) { toggleRow(index.row()); });

    applyColumnLayout();
    applyTheme();
    setInnerStretchWidget(m_view, 0, 0, 0, 0);
}

void COpAccountsWidget::connectServices()
{
    // Queued when the counter reports from its own thread.
    connect(tradeClient(), &CTradeClient::sigLoginStatusChanged, this,
            [this](const QString &key) { onLoginStatusChanged(key); });
}

void COpAccountsWidget::applyColumnLayout()
{
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(COpAccountsModel::ColAccountName, QHeaderView::Stretch);
    m_view->setColumnHidden(COpAccountsModel::ColSplitVolume, !m_splitVisible);
}

void COpAccountsWidget::applyTheme()
{
    XP::CUiResource *theme = XP::uiResource();
    auto color
        = [theme](const char *key) { return theme->getColor(QString::fromLatin1(key))->name(); };
    const QFont font = *theme->getFont(QStringLiteral("fnt_default_normal_fix"));
    m_view->setFont(font);
    m_view->horizontalHeader()->setFont(font);
    m_view->setStyleSheet(
        QStringLiteral("QTableView { background: %1; alternate-background-color: %2; color: %3;"
                       " gridline-color: %4; border: none; }"
                       "QHeaderView::section { background: %2; color: %3; border: none;"
                       " border-bottom: 1px solid %4; padding: 0 4px; }"
                       "QTableCornerButton::section { background: %2; border: none; }"
                       "QTableView::indicator { width: 10px; height: 10px; border-radius: 2px;"
                       " border: 1px solid %4; background: %5; }"
                       "QTableView::indicator:checked { border-color: %6; background: %6; }")
            .arg(color("clr_table_background"), color("clr_table_background2"),
                 color("clr_text_default"), color("clr_edit_border"), color("clr_edit_background"),
                 color("clr_clickable_simple_text")));
}

void COpAccountsWidget::setFixFont()
{
    applyTheme();
}

void COpAccountsWidget::setOperationType(ttservice::EOperationType side)
{
    m_operationType = side;
    m_model->setHighlightedSide(side);
}

void COpAccountsWidget::setSplitVisible(bool visible)
{
    m_splitVisible = visible;
    m_view->setColumnHidden(COpAccountsModel::ColSplitVolume, !visible);
}

void COpAccountsWidget::loadAccountGroupSettings()
{
    const std::set<QString> ticked = m_model->checkedKeys();
    std::vector<COpAccountsModel::AccountEntry> accounts;
    m_fundsSubscriptions.clear();
    for (const CAccountPtr &account : getUserConfig()->getAccountDatas()) {
        const ttservice::CAccountDataPtr data
            = account ? account->getAccountData() : ttservice::CAccountDataPtr();
        const ttservice::CAccountInfoPtr info
            = data ? data->getAccountInfo() : ttservice::CAccountInfoPtr();
        if (!info || !isBrokerTypeMatchTradeType(info->brokerType, m_traderType))
            continue;
        COpAccountsModel::AccountEntry entry;
        entry.key = XP::sToQs(info->getKey());
        entry.displayId = XP::sToQs(info->displayId);
        entry.name = XP::sToQs(info->accountName);
        entry.loginStatus = tradeClient()->getLoginStatus(info->getKey());
        // Subscribed before reading, so that no change falls between the two.
        subscribeFunds(data, entry.key);
        if (const ttservice::CAccountDetailPtr detail = data->getAccountDetail())
            entry.availableFunds = detail->availableFunds;
        accounts.push_back(entry);
    }
    m_model->setAccounts(accounts);
    // A ticked account that left the configuration changes the selection.
    applySelectionChange(m_model->checkedKeys() != ticked);
}

void COpAccountsWidget::subscribeFunds(const ttservice::CAccountDataPtr &data, const QString &key)
{
    const QPointer<COpAccountsWidget> self(this);
    auto callback = [self, key](const ttservice::IDataPtr &record) {
        const auto detail = boost::dynamic_pointer_cast<ttservice::CAccountDetail>(record);
        if (!detail)
            return;
        const double funds = detail->availableFunds;
        // Pushers call from their own thread; the table is touched on the GUI thread only.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, key, funds] {
                if (self)
                    self->m_model->setAvailableFunds(key, funds);
            },
            Qt::QueuedConnection);
    };
    if (ttservice::CSubscribeRequestPtr request
        = data->subscribe(ttservice::DATA_TYPE_ACCOUNT_DETAIL, std::string(), callback))
        m_fundsSubscriptions.push_back(request);
}

void COpAccountsWidget::onLoginStatusChanged(const QString &key)
{
    m_model->setLoginStatus(key, tradeClient()->getLoginStatus(key.toStdString()));
}

std::set<QString> COpAccountsWidget::getDisplayedAccounts() const
{
    return m_model->keys();
}

std::set<QString> COpAccountsWidget::getSelectedAccounts() const
{
    return m_model->checkedKeys();
}

bool COpAccountsWidget::setSelectedAccount(const QString &key, bool selected)
{
    const int row = m_model->rowOfKey(key);
    if (row < 0)
        return false;
    applySelectionChange(m_model->setChecked(row, selected));
    return true;
}

void COpAccountsWidget::toggleRow(int row)
{
    if (row < 0)
        return;
    // With a single account allowed, the list behaves like radio buttons: a
    // click on the ticked account keeps it.
    const bool tick = m_model->isMultiSelect() ? !m_model->isChecked(row) : true;
    applySelectionChange(m_model->setChecked(row, tick));
}

void COpAccountsWidget::applySelectionChange(bool changed)
{
    // The mode switcher hands the ticked accounts to the spot page on this event.
    if (changed)
        deliverEvent(XP::EVT_SELECTED_ACCOUNTS_CHANGED, 0, 0, QString(), nullptr);
}

bool COpAccountsWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        toggleRow(m_view->currentIndex().row());
        return true;
    }
    return XP::CBaseWidget::eventFilter(watched, event);
}

void COpAccountsWidget::setCanOrderNum(const std::string &key, const CCanOrderNum &num)
{
    m_model->setCanOrderNum(XP::sToQs(key), num);
}

bool COpAccountsWidget::canOrderNum(const QString &key, CCanOrderNum *out) const
{
    return m_model->canOrderNum(key, out);
}

void COpAccountsWidget::setAccountSplitVol(const QMap<std::string, QPair<double, double>> &volumes)
{
    m_model->setSplitVolumes(volumes);
}

QPair<double, double> COpAccountsWidget::accountSplitVol(const QString &key) const
{
    return m_model->splitVolume(key);
}

} // namespace TC
