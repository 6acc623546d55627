#include "CTerminalWindow.h"
#include "TerminalFixture.h"
#include "UserInput.h"

#include "shell/CFiccOperationPanel.h"
#include "tc/COpAccountsWidget.h"
#include "tc/COpButton.h"
#include "tc/CStockCodeLineEdit.h"
#include "xp/CLineEdit.h"

#include <QApplication>
#include <QJsonArray>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

namespace {

// A trader at the demo terminal, in the spot bond mode of the FICC panel.
class SpotTerminalTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        ASSERT_TRUE(load(host));
        window = std::make_unique<app::CTerminalWindow>(dir.path());
        window->setJournalFile(path("journal.jsonl"));
        window->ficcPanel()->setParam(QStringLiteral("3"));
        page = window->ficcPanel()->findChild<QWidget *>(
            QStringLiteral("zolpcoptransactionincashwidget"));
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override
    {
        window.reset();
        TerminalFixture::TearDown();
    }

    template<class T> T *part(const char *name) const
    {
        T *found = page->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    XP::CLineEdit *editor(const char *name) const { return part<XP::CLineEdit>(name); }

    app::CSimulatedHost host;
    std::unique_ptr<app::CTerminalWindow> window;
    QWidget *page = nullptr;
};

} // namespace

TEST_F(SpotTerminalTest, traderBuysABondPickedFromTheCodeList)
{
    EXPECT_FALSE(page->isHidden());
    auto *accounts = window->ficcPanel()->findChild<TC::COpAccountsWidget *>();
    ASSERT_NE(accounts, nullptr);
    EXPECT_EQ(accounts->getSelectedAccounts(), (std::set<QString> { "880001" }))
        << "the first logged-in account is chosen";

    // Five digits list the bond; Return picks it.
    auto *code = part<TC::CStockCodeLineEdit>("zolp_spot_code");
    type(code->getLineEdit(), QStringLiteral("10150"));
    ASSERT_TRUE(code->isPopupVisible());
    pressKey(code->getLineEdit(), Qt::Key_Return);
    EXPECT_EQ(code->code(), QStringLiteral("101501"));
    EXPECT_EQ(editor("zolp_spot_name")->text(), QStringLiteral("15附息国债01"));

    enter(editor("zolp_spot_price"), QStringLiteral("101.25"));
    enter(editor("zolp_spot_quantity"), QStringLiteral("1000"));
    enter(editor("zolp_spot_trader"), QStringLiteral("Wang"));
    enter(editor("zolp_spot_agreementno"), QStringLiteral("1234567"));
    EXPECT_EQ(editor("zolp_spot_fullprice")->text(), QStringLiteral("103.127"));
    EXPECT_EQ(editor("zolp_spot_accrued")->text(), QStringLiteral("1876.500"));
    EXPECT_EQ(editor("zolp_spot_settlement")->text(), QStringLiteral("103126.500"));

    // 52,000,000.00 at 103.1265 buys 504,235 张; 50,000 张 are held.
    TC::CCanOrderNum num;
    ASSERT_TRUE(accounts->canOrderNum(QStringLiteral("880001"), &num));
    EXPECT_EQ(num.buyVolume, 504230);
    EXPECT_EQ(num.sellVolume, 50000);

    part<TC::COpButton>("zolp_spot_buy")->click();

    EXPECT_EQ(window->messageList()->count(), 0)
        << window->messageList()->item(0)->text().toStdString();
    ASSERT_EQ(window->journalView()->topLevelItemCount(), 1);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    const QJsonObject &command = lines.front();
    const std::pair<const char *, QJsonValue> commandFields[]
        = { { "commandKind", 0x100000 }, { "commandSubKind", 0 }, { "manual", true },
            { "commandMode", 0 },        { "commandOption", 0 },  { "commandText", "" } };
    for (const auto &[key, value] : commandFields)
        EXPECT_EQ(command[key], value) << key;
    const QJsonArray orders = command["orders"].toArray();
    ASSERT_EQ(orders.size(), 1);
    const QJsonObject order = orders.at(0).toObject();
    const std::pair<const char *, QJsonValue> orderFields[] = {
        { "accountId", "880001" },
        { "accountName", "晨岭稳健债券基金" },
        { "orderKind", 49 },
        { "operationType", 1052 },
        { "market", "SZ" },
        { "stockCode", "101501" },
        { "stockName", "15附息国债01" },
        { "instrumentTag", "BOND" },
        { "priceMode", 11 },
        { "price", 101.25 },
        { "volume", "1000" },
        { "userName", "trader01" },
        { "counterpartyTrader", "Wang" },
        { "agreementNo", 1234567 },
    };
    for (const auto &[key, value] : orderFields)
        EXPECT_EQ(order[key], value) << key;
    EXPECT_FALSE(order.contains("agreementParam"));

    // The journal view lists the order with its fields.
    QTreeWidgetItem *orderItem = window->journalView()->topLevelItem(0)->child(0);
    ASSERT_NE(orderItem, nullptr);
    EXPECT_EQ(orderItem->childCount(), order.size());
}
