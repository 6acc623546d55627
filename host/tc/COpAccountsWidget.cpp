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

#include "xp/COddEvenRowTable.h"
#include "xp/CTableView.h"

#include <QHeaderView>
#include <QTimer>

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
{
    buildUi(showHeader);
    m_model = std::make_unique<COpAccountsModel>(multiSelect, m_table);
    connectServices();
    loadAccountGroupSettings();
}

COpAccountsWidget::~COpAccountsWidget()
{
    // No new call starts; one still running only posts through the guard,
    // which drops it once this widget is gone.
    m_fundsSubscriptions.clear();
}

void COpAccountsWidget::buildUi(bool showHeader)
{
    // Sorting, copying, export and columns, but no statistics line.
    m_table = new XP::COddEvenRowTable(m_style, this, 0x1FF & ~XP::TF_STAT_LINE);
    m_table->setObjectName(QStringLiteral("tc_opaccountswidget_table"));
    m_table->setFlag(m_table->flag() & ~XP::TF_STAT_LINE);
    // The tick is the selection; the selected row is only a keyboard cursor.
    m_table->setSelectionShownWithoutFocus(false);
    m_table->view()->setShowGrid(m_style != kCompactListStyle);
    m_table->view()->verticalHeader()->setDefaultSectionSize(m_style == kCompactListStyle ? 22
                                                                                          : 26);
    m_table->view()->horizontalHeader()->setVisible(showHeader);
    connect(m_table, &XP::COddEvenRowTable::rowClicked, this, [this](int row) { toggleRow(row); });
    connect(m_table, &XP::COddEvenRowTable::rowActivated, this,
            [this](int row) { toggleRow(row); });
    applyTheme();
    setInnerStretchWidget(m_table, 0, 0, 0, 0);
}

void COpAccountsWidget::connectServices()
{
    // The trade client announces on the GUI thread, whichever thread reported.
    connect(tradeClient(), &CTradeClient::sigLoginStatusChanged, this,
            [this](const QString &key) { onLoginStatusChanged(key); });
}

void COpAccountsWidget::applyTheme()
{
    const QFont font = *XP::uiResource()->getFont(QStringLiteral("fnt_default_normal_fix"));
    m_table->view()->setFont(font);
    m_table->view()->horizontalHeader()->setFont(font);
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
    m_table->setColumnHidden(COpAccountsModel::ColSplitVolume, !visible);
}

void COpAccountsWidget::loadAccountGroupSettings()
{
    const std::set<QString> ticked = m_model->checkedKeys();
    const std::vector<CAccountPtr> &configured = getUserConfig()->getAccountDatas();
    std::vector<COpAccountsModel::AccountEntry> accounts;
    accounts.reserve(configured.size());
    std::vector<ttservice::CAccountDataPtr> datas;
    datas.reserve(configured.size());
    std::vector<std::string> keys;
    keys.reserve(configured.size());
    for (const CAccountPtr &account : configured) {
        // An account always has its data and identity; the identity is read
        // from the account itself, not through its data.
        if (!account || !isBrokerTypeMatchTradeType(account->brokerType(), m_traderType))
            continue;
        const ttservice::CAccountData *data = account->getAccountData().get();
        // The account's texts are made once, when it joins the configuration.
        COpAccountsModel::AccountEntry entry;
        entry.key = account->keyText();
        entry.displayId = account->displayIdText();
        entry.name = account->nameText();
        if (const ttservice::CAccountDetailPtr detail = data->getAccountDetail())
            entry.availableFunds = detail->availableFunds;
        keys.push_back(account->key());
        accounts.push_back(std::move(entry));
        datas.push_back(account->getAccountData());
    }
    // One look at the counters' login states for the whole list.
    const std::vector<ttservice::EBROKER_LOGIN_STATUS> statuses
        = tradeClient()->getLoginStatuses(keys);
    // Subscriptions of accounts still listed (on the same account data) stay;
    // the others are dropped before the rows change.
    std::vector<FundsSubscription> previous;
    previous.swap(m_fundsSubscriptions);
    std::vector<FundsSubscription> kept(accounts.size());
    std::vector<QString> accountKeys;
    accountKeys.reserve(accounts.size());
    m_unsubscribed.clear();
    m_unsubscribed.reserve(accounts.size());
    for (size_t i = 0; i < accounts.size(); ++i) {
        accounts[i].loginStatus = statuses[i];
        accountKeys.push_back(accounts[i].key);
        const int before = previous.empty() ? -1 : m_model->rowOfKey(accounts[i].key);
        if (before >= 0 && previous[size_t(before)].request
            && previous[size_t(before)].data == datas[i].get())
            kept[i] = std::move(previous[size_t(before)]);
        else
            m_unsubscribed.emplace_back(std::move(datas[i]), accounts[i].key);
    }
    previous.clear();
    m_model->setAccounts(std::move(accounts));
    m_fundsSubscriptions.resize(size_t(m_model->rowCount()));
    for (size_t i = 0; i < kept.size(); ++i) {
        if (kept[i].request)
            m_fundsSubscriptions[size_t(m_model->rowOfKey(accountKeys[i]))] = std::move(kept[i]);
    }
    // New accounts are subscribed right after the list is on screen (a timer
    // fires after the posted paint): thousands of subscriptions do not delay
    // the first picture of the list.
    if (!m_unsubscribed.empty())
        QTimer::singleShot(1, this, [this] { subscribePending(); });
    // A ticked account that left the configuration changes the selection.
    applySelectionChange(m_model->checkedKeys() != ticked);
}

void COpAccountsWidget::subscribePending()
{
    std::vector<std::pair<ttservice::CAccountDataPtr, QString>> pending;
    pending.swap(m_unsubscribed);
    for (const auto &account : pending) {
        const int row = m_model->rowOfKey(account.second);
        if (row < 0 || m_fundsSubscriptions[size_t(row)].request)
            continue;
        subscribeFunds(account.first, account.second);
        // Read again once subscribed: a change between the list's first read
        // and the subscription is not lost.
        if (const ttservice::CAccountDetailPtr detail = account.first->getAccountDetail())
            m_model->setAvailableFunds(account.second, detail->availableFunds);
    }
}

void COpAccountsWidget::subscribeFunds(const ttservice::CAccountDataPtr &data, const QString &key)
{
    const utils::CDeliveryGuard::Handle delivery = m_delivery.handle();
    auto callback = [this, delivery, key](const ttservice::IDataPtr &record) {
        const auto detail = boost::dynamic_pointer_cast<ttservice::CAccountDetail>(record);
        if (!detail)
            return;
        const double funds = detail->availableFunds;
        // Pushers call from their own thread; the table is touched on the GUI thread only.
        delivery.post([this, key, funds] { m_model->setAvailableFunds(key, funds); });
    };
    if (ttservice::CSubscribeRequestPtr request
        = data->subscribe(ttservice::DATA_TYPE_ACCOUNT_DETAIL, std::string(), callback))
        m_fundsSubscriptions[size_t(m_model->rowOfKey(key))]
            = FundsSubscription { data.get(), request };
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
