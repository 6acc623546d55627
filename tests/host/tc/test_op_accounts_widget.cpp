#include "EventRecorder.h"
#include "HostFixture.h"
#include "HostServices.h"
#include "TableInput.h"

#include "tc/COpAccountsModel.h"
#include "tc/COpAccountsWidget.h"
#include "tc/CUserManager.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <boost/make_shared.hpp>

#include <thread>

using Model = TC::COpAccountsModel;
using Keys = std::set<QString>;

namespace {

int rowOf(TC::COpAccountsWidget &list, const char *key)
{
    return list.rows().rowOfKey(QString::fromUtf8(key));
}

QString text(TC::COpAccountsWidget &list, const char *key, int column)
{
    return list.rows().text(rowOf(list, key), column);
}

// The row as shown, from the id to the split volume: "10002 | 账户10002 | 未登录 | -- | ...".
QString row(TC::COpAccountsWidget &list, const char *key)
{
    QStringList cells;
    for (int column = Model::ColAccountId; column < Model::ColumnCount; ++column)
        cells << text(list, key, column);
    return cells.join(QStringLiteral(" | "));
}

QColor textColor(TC::COpAccountsWidget &list, const char *key, int column)
{
    return *XP::uiResource()->getColor(list.rows().textColorKey(rowOf(list, key), column));
}

QColor theme(const char *key)
{
    return *XP::uiResource()->getColor(QString::fromLatin1(key));
}

void clickRow(TC::COpAccountsWidget &list, const char *key)
{
    clickRowCell(*list.table(), rowOf(list, key), Model::ColAccountName);
}

// Runs the event loop until `done` holds (at most five seconds).
template<class Done> void waitUntil(Done done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

struct OpAccountsWidgetTest : HostFixture
{
    // The list inside a parent that stands where the mode switcher stands.
    TC::COpAccountsWidget *makeList(bool multiSelect)
    {
        parent.consumes << XP::EVT_SELECTED_ACCOUNTS_CHANGED;
        auto *list = new TC::COpAccountsWidget(4, true, multiSelect, &parent, 1);
        parent.setInnerStretchWidget(list, 0, 0, 0, 0);
        parent.resize(720, 200);
        parent.show();
        return list;
    }
    int selectionEvents() const { return parent.count(XP::EVT_SELECTED_ACCOUNTS_CHANGED); }

    EventRecorder parent { QStringLiteral("recorder"), nullptr };
};

TEST_F(OpAccountsWidgetTest, listsAccountsOfTheTraderTypeWithTheirState)
{
    XP::uiResource()->clearMissingKeys();
    TC::COpAccountsWidget &list = *makeList(true);
    EXPECT_EQ(Keys({ "10001", "10002", "10003" }), list.getDisplayedAccounts());

    EXPECT_EQ("10001 | 账户10001 | 已登录 | 1,000,000.00 | -- | -- | --", row(list, "10001"));
    EXPECT_EQ("10002 | 账户10002 | 未登录 | -- | -- | -- | --", row(list, "10002"));
    EXPECT_EQ("A-10003 | 账户10003 | 刷新中 | 50,000.00 | -- | -- | --", row(list, "10003"));

    // Accounts that cannot trade now are dimmed, the others are not.
    EXPECT_EQ(theme("clr_disable_color"), textColor(list, "10002", Model::ColAccountName));
    EXPECT_EQ(theme("clr_disable_color"), textColor(list, "10003", Model::ColAccountName));
    EXPECT_EQ(theme("clr_text_default"), textColor(list, "10001", Model::ColAccountName));
    list.grab(); // paints every cell and the header
    EXPECT_EQ(XP::uiResource()->missingKeys(), QStringList());

    TC::COpAccountsWidget ficcOnly(4, true, true, nullptr, 0x100000);
    EXPECT_EQ(Keys({ "10002" }), ficcOnly.getDisplayedAccounts());
}

// A reload keeps ticks, quantities and funds subscriptions of the accounts still listed only.
TEST_F(OpAccountsWidgetTest, reloadFollowsTheConfigurationAndKeepsWhatStillListedAccountsHad)
{
    const ttservice::CAccountDataPtr first = accountData(kLoggedInAccount);
    const ttservice::CAccountDataPtr third = accountData(kRefreshingAccount);
    const int firstBefore = first->subscriptionCount();
    const int thirdBefore = third->subscriptionCount();
    TC::COpAccountsWidget &list = *makeList(true);
    waitUntil([&] { return third->subscriptionCount() > thirdBefore; });
    ASSERT_EQ(firstBefore + 1, first->subscriptionCount());
    list.setSplitVisible(false);
    list.setSelectedAccount(QStringLiteral("10001"), true);
    list.setSelectedAccount(QStringLiteral("10003"), true);
    list.setCanOrderNum(kRefreshingAccount, TC::CCanOrderNum { 100, 200 });
    const auto reload = [&list] {
        list.loadAccountGroupSettings();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    reload();
    EXPECT_EQ(2, selectionEvents()); // nothing changed
    EXPECT_EQ(firstBefore + 1, first->subscriptionCount());
    EXPECT_EQ(thirdBefore + 1, third->subscriptionCount());

    // 10001 and 10002 leave, the new 10004 comes before 10003 (added anew).
    const TC::CAccountPtr kept = account(kRefreshingAccount);
    TC::getUserConfig()->reset();
    ttservice::CAccountInfo added;
    added.accountId = "10004";
    added.accountName = "新账户";
    tradeClient()->setLoginStatus("10004", ttservice::BROKER_LOGIN_STATUS_OK);
    TC::getUserConfig()->addAccount(added);
    TC::getUserConfig()->addAccount(*kept->getAccountInfo());
    reload();
    EXPECT_EQ(Keys({ "10003", "10004" }), list.getDisplayedAccounts());
    EXPECT_EQ(Keys({ "10003" }), list.getSelectedAccounts());
    EXPECT_EQ(3, selectionEvents());
    EXPECT_TRUE(list.rows().isChecked(rowOf(list, "10003")));
    EXPECT_EQ("10004 | 新账户 | 已登录 | -- | -- | -- | --", row(list, "10004"));
    EXPECT_EQ("A-10003 | 账户10003 | 刷新中 | -- | 100 | 200 | --", row(list, "10003"));
    EXPECT_TRUE(list.table()->isColumnHidden(Model::ColSplitVolume));
    EXPECT_EQ(firstBefore, first->subscriptionCount());
    EXPECT_EQ(thirdBefore, third->subscriptionCount()); // re-added: new account data
    const ttservice::CAccountDataPtr thirdNow = accountData(kRefreshingAccount);
    ASSERT_TRUE(thirdNow);
    waitUntil([&] { return thirdNow->subscriptionCount() > 0; });
    EXPECT_EQ(1, thirdNow->subscriptionCount());
    std::thread([&thirdNow] { setFunds(thirdNow, kRefreshingAccount, 4321.5); }).join();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(QStringLiteral("4,321.50"), text(list, "10003", Model::ColAvailableFunds));

    // A list that is gone no longer listens.
    delete &list;
    EXPECT_EQ(0, thirdNow->subscriptionCount());
}

TEST_F(OpAccountsWidgetTest, multiSelectDeliversSelectionChangesOnly)
{
    TC::COpAccountsWidget &list = *makeList(true);
    clickRow(list, "10001");
    EXPECT_EQ(Keys({ "10001" }), list.getSelectedAccounts());
    EXPECT_EQ(1, selectionEvents());

    EXPECT_TRUE(list.setSelectedAccount(QStringLiteral("10003"), true));
    EXPECT_EQ(Keys({ "10001", "10003" }), list.getSelectedAccounts());
    EXPECT_TRUE(list.setSelectedAccount(QStringLiteral("10003"), true)); // already ticked
    EXPECT_FALSE(list.setSelectedAccount(QStringLiteral("99999"), true));
    EXPECT_EQ(2, selectionEvents());

    clickRow(list, "10001"); // a second click unticks
    EXPECT_EQ(Keys({ "10003" }), list.getSelectedAccounts());
    EXPECT_EQ(3, selectionEvents());
    EXPECT_FALSE(list.rows().isChecked(rowOf(list, "10001")));
}

TEST_F(OpAccountsWidgetTest, singleSelectKeepsExactlyOneTick)
{
    TC::COpAccountsWidget &list = *makeList(false);
    list.setSelectedAccount(QStringLiteral("10001"), true);
    clickRow(list, "10003");
    EXPECT_EQ(Keys({ "10003" }), list.getSelectedAccounts());
    EXPECT_EQ(2, selectionEvents());
    clickRow(list, "10003"); // the ticked account stays ticked
    EXPECT_EQ(Keys({ "10003" }), list.getSelectedAccounts());
    EXPECT_EQ(2, selectionEvents());

    list.table()->setSelectedRowIndex(list.table()->rowIndex(rowOf(list, "10002")));
    pressKey(list.table()->view(), Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(Keys({ "10002" }), list.getSelectedAccounts());
    EXPECT_EQ(3, selectionEvents());
}

TEST_F(OpAccountsWidgetTest, quantitiesAreKeptAndShownInTheirCells)
{
    TC::COpAccountsWidget &list = *makeList(true);
    TC::CCanOrderNum num;
    EXPECT_FALSE(list.canOrderNum(QStringLiteral("10001"), &num));
    list.setCanOrderNum(kLoggedInAccount, TC::CCanOrderNum { 1234567, 12345 });
    list.setCanOrderNum("99999", TC::CCanOrderNum { 1, 1 });
    ASSERT_TRUE(list.canOrderNum(QStringLiteral("10001"), &num));
    EXPECT_EQ(12345, num.sellVolume);
    EXPECT_FALSE(list.canOrderNum(QStringLiteral("99999"), &num));
    EXPECT_EQ("10001 | 账户10001 | 已登录 | 1,000,000.00 | 1,234,567 | 12,345 | --",
              row(list, "10001"));

    list.setOperationType(ttservice::OPERATION_TYPE_SELL);
    EXPECT_EQ(theme("clr_basket_param_sell_btn_nomal"),
              textColor(list, "10001", Model::ColSellVolume));
    EXPECT_EQ(theme("clr_text_default"), textColor(list, "10001", Model::ColBuyVolume));
    list.setOperationType(ttservice::OPERATION_TYPE_BUY);
    EXPECT_EQ(theme("clr_basket_param_buy_btn_nomal"),
              textColor(list, "10001", Model::ColBuyVolume));

    list.setAccountSplitVol({ { "10001", qMakePair(250.0, 0.0) } });
    EXPECT_EQ(QStringLiteral("250"), text(list, "10001", Model::ColSplitVolume));
    // Each split replaces the last one: the order went to another account.
    list.setAccountSplitVol({ { "10003", qMakePair(30.5, 0.0) } });
    EXPECT_EQ(qMakePair(0.0, 0.0), list.accountSplitVol(QStringLiteral("10001")));
    EXPECT_EQ(QStringLiteral("--"), text(list, "10001", Model::ColSplitVolume));
    EXPECT_EQ("A-10003 | 账户10003 | 刷新中 | 50,000.00 | -- | -- | 30.5", row(list, "10003"));
}
