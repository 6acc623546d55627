#include "AgreementTableRecords.h"

#include "agreement/CAgreementPledgeBondModel.h"
#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosModel.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "tc/CStockCodeLineEdit.h"
#include "ttservice/StockTypeCenter.h"
#include "utils/CSingletonT.h"
#include "xp/CBaseTableColumnCheckBoxDelegate.h"
#include "xp/CBaseTableColumnComboxDelegate.h"
#include "xp/CBaseTableColumnLineeditDelegate.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CStandardHpfTable.h"
#include "xp/WidgetEvents.h"

#include <algorithm>
#include <climits>
#include <thread>

namespace {

constexpr int kSelectionChanged = 1291;
const QString kSH019547 = QStringLiteral("SH|019547");
const QString kSH122000 = QStringLiteral("SH|122000");
const QString kSZ101901 = QStringLiteral("SZ|101901");

int selectionEvents(const EventSink &sink)
{
    return int(std::count_if(sink.events.begin(), sink.events.end(), [](const EventSink::Event &e) {
        return e.event == kSelectionChanged;
    }));
}

XP::CBaseTableColumnCheckBoxDelegate *ticks(XP::CStandardHpfTable *table)
{
    return dynamic_cast<XP::CBaseTableColumnCheckBoxDelegate *>(table->columnDelegate(0));
}

XP::CBaseTableColumnLineeditDelegate *quantities(XP::CStandardHpfTable *table)
{
    return dynamic_cast<XP::CBaseTableColumnLineeditDelegate *>(table->columnDelegate(4));
}

void typeQuantity(XP::CBaseWidget *widget, int delegateId, const QString &key, QString text)
{
    widget->handleEvent(XP::EVT_TABLE_LINEEDIT_CHANGED, delegateId, 4, key, &text);
}

void tick(XP::CBaseWidget *widget, XP::CStandardHpfTable *table, int delegateId, const QString &key)
{
    // What the tick column does on a click before it tells its owner.
    ticks(table)->setItemChecked(key, !ticks(table)->isItemChecked(key));
    widget->handleEvent(XP::EVT_TABLE_CHECKBOX_CLICKED, delegateId, 0, key, nullptr);
}

// The tick of `key` as "shown enabled ticked", a dash for each it is not.
std::string tickOf(XP::CStandardHpfTable *table, const QString &key)
{
    XP::CBaseTableColumnCheckBoxDelegate *t = ticks(table);
    return std::string(t->isItemVisible(key) ? "S" : "-") + (t->isItemEnabled(key) ? "E" : "-")
        + (t->isItemChecked(key) ? "T" : "-");
}

class PledgeTableTest : public AgreementFormFixture
{
protected:
    void SetUp() override
    {
        AgreementFormFixture::SetUp();
        // 019547 and 101901 are pledgeable bonds, 122000 is not.
        auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
        types->addTypedStock(10027, "SH", "019547");
        types->addTypedStock(100016, "SZ", "101901");
        widget = new TC::CAgreementPledgePosWidget(true, &sink);
        bonds = new TC::CAgreementPledgeBondWidget(true, &sink);
    }
    XP::CStandardHpfTable *positions() const { return widget->positionTable(); }
    XP::CStandardHpfTable *contractBonds() const { return widget->contractBondTable(); }
    boost::shared_ptr<TC::CAgreementPledgePosData> row(XP::CStandardHpfTable *table,
                                                       const QString &key) const
    {
        return boost::dynamic_pointer_cast<TC::CAgreementPledgePosData>(
            table->dataModel()->getDataByKey(key));
    }
    EventSink sink;
    TC::CAgreementPledgePosWidget *widget = nullptr; // children of the sink
    TC::CAgreementPledgeBondWidget *bonds = nullptr;
};

TEST_F(PledgeTableTest, enteredCodesBecomeRowsWhoseOneTickedQuantityIsHandedOver)
{
    XP::CStandardHpfTable *table = bonds->pledgeTable();
    const auto enter = [this](const char *code) {
        bonds->handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QString::fromLatin1(code), nullptr);
    };
    // 999999 is unknown: no row, no word.
    for (const char *code : { "019547", "999999", "", "101901", "122000" })
        enter(code);
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(rowTexts(*table, 0), (QStringList { "", "019547", "国债1901", "SH", "0", "0.00" }));
    EXPECT_EQ(line(table->itemText(1, 3), tickOf(table, kSZ101901), selectionEvents(sink)),
              "SZ SE- 0");
    // The same code again is one row under its key.
    enter("019547");
    EXPECT_EQ(table->rowCount(), 3);
    // Delete with nothing ticked removes nothing, yet announces.
    bonds->handleEvent(XP::EVT_BUTTON_CHECKED, 1, 0, QString(), nullptr);
    EXPECT_EQ(line(table->rowCount(), selectionEvents(sink)), "3 1");

    tick(bonds, table, 0, kSH019547);
    typeQuantity(bonds, 4, kSH019547, QStringLiteral("5"));
    EXPECT_EQ(line(table->itemText(0, 5), table->statText(4), table->statText(5)),
              "500.00 5.00 500.00");
    ASSERT_EQ(bonds->checkedPledgeBonds().size(), 1u);
    EXPECT_EQ(bonds->checkedPledgeBonds()[0]->getKey(), "SH|019547");

    // Ticking another row: two announcements, only it ticked, its totals.
    typeQuantity(bonds, 4, kSH122000, QString::number(INT_MAX));
    sink.events.clear();
    tick(bonds, table, 0, kSH122000);
    EXPECT_EQ(line(selectionEvents(sink), tickOf(table, kSH019547), tickOf(table, kSH122000),
                   table->statText(5)),
              "2 SE- SET 214748364700.00");
    EXPECT_EQ(static_cast<TC::CAgreementPledgeBondModel *>(table->dataModel())->totalVolume,
              INT_MAX);
    // Clicking the ticked row keeps it ticked.
    tick(bonds, table, 0, kSH122000);
    EXPECT_TRUE(ticks(table)->isItemChecked(kSH122000));

    // Garbage reads as 0, and a ticked row of amount 0 is not handed over.
    typeQuantity(bonds, 4, kSH122000, QStringLiteral("12abc"));
    EXPECT_EQ(line(quantities(table)->itemText(kSH122000), table->itemText(2, 5)), "0 0.00");
    EXPECT_TRUE(bonds->checkedPledgeBonds().empty());
    typeQuantity(bonds, 4, kSH122000, QStringLiteral("99999999999")); // beyond an int
    EXPECT_EQ(quantities(table)->itemText(kSH122000), QStringLiteral("0"));

    // Delete removes the ticked row; clearing the ticks announces.
    tick(bonds, table, 0, kSH019547);
    bonds->handleEvent(XP::EVT_BUTTON_CHECKED, 1, 0, QString(), nullptr);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(line(table->itemText(1, 1), table->statText(4)), "122000 0.00");
    EXPECT_TRUE(bonds->checkedPledgeBonds().empty());
    sink.events.clear();
    bonds->clearCheckedRows();
    EXPECT_EQ(selectionEvents(sink), 1);

    // Deployment 200 has no way to add bonds and cannot tick them.
    TC::getUserConfig()->deploymentCode = 200;
    auto *readOnly = new TC::CAgreementPledgeBondWidget(true, &sink);
    EXPECT_FALSE(readOnly->findChild<TC::CStockCodeLineEdit *>()
                 || readOnly->findChild<XP::CSmallNoNormalButton *>());
    readOnly->handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QStringLiteral("019547"), nullptr);
    EXPECT_EQ(tickOf(readOnly->pledgeTable(), kSH019547), "S--");
}

TEST_F(PledgeTableTest, pledgeableRuleTakesTheFirstMatchingBranch)
{
    auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    const struct
    {
        const char *market;
        std::vector<int> typeIds;
        bool pledgeable;
    } cases[] = {
        { "SH", { 186 }, true },
        { "SZ", { 186 }, false }, // 186 counts in Shanghai only
        { "SZ", { 10027 }, true },
        { "SH", { 100103, 138 }, true },
        { "SH", {}, false },
        { "SZ", { 100016, 138 }, true }, // Shenzhen before the exclusions
        { "SH", { 100016 }, true },
        { "SH", { 100016, 138 }, false },
        { "SH", { 100016, 108 }, false },
        { "SH", { 100016, 10024 }, false },
        { "SH", { 100016, 10033 }, false },
        { "SH", { 100016, 10034 }, false },
        { "SH", { 100016, 10032 }, false },
        { "SH", { 100016, 999 }, true },
    };
    for (const auto &c : cases) {
        types->clear();
        for (const int id : c.typeIds)
            types->addTypedStock(id, c.market, "X1");
        EXPECT_EQ(TC::CAgreementPledgePosWidget::isPledgeableBond(c.market, "X1"), c.pledgeable)
            << c.market << " first type " << (c.typeIds.empty() ? 0 : c.typeIds[0]);
    }
}

TEST_F(PledgeTableTest, pledgeablePositionsLoadWithQuantitiesHeldToWhatIsAvailable)
{
    const auto data = accountData(kLoggedInAccount);
    data->updateData(position("SH", "019547", 500), false);
    data->updateData(restricted("SH", "019547", 80), false);
    data->updateData(position("SH", "122000", 700), false); // not pledgeable
    data->updateData(restricted("SH", "122000", 70), false);
    data->updateData(restricted("SZ", "101901", 300), false);
    widget->showAccountPositions(QString::fromLatin1(kLoggedInAccount), 14006);
    ASSERT_EQ(positions()->rowCount(), 2);
    EXPECT_EQ(positions()->keyAt(1), kSZ101901);
    EXPECT_EQ(rowTexts(*positions(), 0),
              (QStringList { "", "019547", "债019547", "SH", "0", "0.00", "500", "50000.00",
                             "非限售股" }));
    // A restricted volume alone is not available while the row is 非限售股.
    EXPECT_EQ(row(positions(), kSZ101901)->availableVolume, 0);
    EXPECT_TRUE(contractBonds()->isHidden()); // shown under 质押券变更 only
    EXPECT_EQ(line(selectionEvents(sink), data->subscriptionCount()), "1 2");

    tick(widget, positions(), 0, kSH019547);
    typeQuantity(widget, 4, kSH019547, QStringLiteral("800"));
    EXPECT_EQ(line(quantities(positions())->itemText(kSH019547), positions()->statText(5),
                   positions()->statText(6)),
              "500 50000.00 500");
    const auto bonds = widget->checkedPositionBonds();
    ASSERT_EQ(bonds.size(), 1u);
    EXPECT_EQ(line(bonds[0]->pledgeVolume, bonds[0]->pledgeAmount), "500 50000");

    // 限售股: the restricted volume becomes what is available; the quantity stays.
    auto *property
        = dynamic_cast<XP::CBaseTableColumnComboxDelegate *>(positions()->columnDelegate(8));
    ASSERT_NE(property, nullptr);
    EXPECT_EQ(property->itemTexts(kSH019547), (QStringList { "非限售股", "限售股" }));
    ASSERT_TRUE(property->chooseItem(kSH019547, 1));
    // Shown and totalled: what is available; the quantity and the property kept.
    EXPECT_EQ(line(positions()->itemText(0, 6), positions()->itemText(0, 7),
                   positions()->statText(6), row(positions(), kSH019547)->info->pledgeVolume,
                   row(positions(), kSH019547)->info->stockProperty),
              "80 8000.00 80 500 49");
    // ... until the next quantity, which is held to 80.
    typeQuantity(widget, 4, kSH019547, QStringLiteral("-3"));
    EXPECT_EQ(quantities(positions())->itemText(kSH019547), QStringLiteral("0"));
    typeQuantity(widget, 4, kSH019547, QStringLiteral("90"));
    EXPECT_EQ(quantities(positions())->itemText(kSH019547), QStringLiteral("80"));
    // A ticked row of quantity 0 is left out.
    typeQuantity(widget, 4, kSH019547, QStringLiteral("0"));
    EXPECT_TRUE(widget->checkedPositionBonds().empty());

    // Another account: the rows go, the subscriptions move, and it is announced.
    sink.events.clear();
    widget->showAccountPositions(QString::fromLatin1(kRefreshingAccount), 14011);
    EXPECT_EQ(line(positions()->rowCount(), data->subscriptionCount(), selectionEvents(sink)),
              "0 0 1");
    // Deployment 200 sees ticks it cannot change.
    TC::getUserConfig()->deploymentCode = 200;
    auto *readOnly = new TC::CAgreementPledgePosWidget(true, &sink);
    readOnly->showAccountPositions(QString::fromLatin1(kLoggedInAccount), 14006);
    EXPECT_EQ(tickOf(readOnly->positionTable(), kSH019547), "S--");
}

TEST_F(PledgeTableTest, pushesFromAHostThreadUpdateRowsWithTheShanghaiFilter)
{
    const auto data = accountData(kLoggedInAccount);
    widget->showAccountPositions(QString::fromLatin1(kLoggedInAccount), 14011);
    tick(widget, positions(), 0, kSH019547);
    typeQuantity(widget, 4, kSH019547, QStringLiteral("10000"));
    sink.events.clear();

    std::thread([&] {
        data->updateData(position("SH", "019547", 40), true); // ignored under 14011
        data->updateData(position("SZ", "101901", 250), true);
        data->updateData(position("SH", "122000", 900), true); // not pledgeable
        data->updateData(restricted("SH", "019547", 60), true); // no market filter
    }).join();
    drainDeliveries();
    EXPECT_EQ(line(row(positions(), kSH019547)->normalVolume,
                   row(positions(), kSH019547)->restrictedVolume, positions()->rowCount()),
              "12345 60 2");
    ASSERT_TRUE(row(positions(), kSZ101901));
    EXPECT_EQ(positions()->itemText(1, 6), QStringLiteral("250"));
    // The ticked bond did not change: nothing announced (the form would retake its amount).
    // A restricted push keeps its row ticked, and ticks it alone again after another was.
    EXPECT_EQ(line(selectionEvents(sink), ticks(positions())->isItemChecked(kSH019547)), "0 1");
    tick(widget, positions(), 0, kSZ101901);
    std::thread([&] { data->updateData(restricted("SH", "019547", 70), true); }).join();
    drainDeliveries();
    EXPECT_EQ(tickOf(positions(), kSH019547) + tickOf(positions(), kSZ101901), "SETSE-");

    // Under 成交申报 a Shanghai push counts and clamps the quantity (40 were pushed before).
    widget->showAccountPositions(QString::fromLatin1(kLoggedInAccount), 14006);
    tick(widget, positions(), 0, kSH019547);
    typeQuantity(widget, 4, kSH019547, QStringLiteral("10000"));
    EXPECT_EQ(row(positions(), kSH019547)->info->pledgeVolume, 40);
    sink.events.clear();
    std::thread([&] {
        data->updateData(position("SH", "019547", 25), true);
        data->updateData(position("SZ", "101901", 7), true);
    }).join();
    drainDeliveries();
    // Announced: the ticked bond's quantity was held to 25.
    EXPECT_EQ(line(selectionEvents(sink), row(positions(), kSH019547)->availableVolume,
                   row(positions(), kSH019547)->info->pledgeVolume,
                   quantities(positions())->itemText(kSH019547), positions()->statText(5)),
              "1 25 25 25 2500.00");

    // A push still on its way when the trader turns to another account is not that account's.
    std::thread([&] { data->updateData(position("SZ", "101901", 9), true); }).join();
    widget->showAccountPositions(QStringLiteral("no-such-account"), 14006);
    drainDeliveries();
    EXPECT_EQ(positions()->rowCount(), 0);
}

TEST_F(PledgeTableTest, contractBondsOfAPledgeChangeAndTicksKeptPerTable)
{
    auto contract = addContract("C-SZ", 100);
    contract->market = "SZ";
    contract->pledgedBonds.push_back(pledgedBond("SZ", "101901", 30, '0', "国债1902"));
    contract->pledgedBonds.push_back(nullptr);
    accountData(kLoggedInAccount)->updateData(contract, false);

    // Only under 质押券变更.
    widget->showAccountPositions(QString::fromLatin1(kLoggedInAccount), 14006);
    widget->showContractBonds("C-SZ");
    EXPECT_EQ(contractBonds()->rowCount(), 0);

    widget->showAccountPositions(QString::fromLatin1(kLoggedInAccount), 14013);
    EXPECT_FALSE(contractBonds()->isHidden());
    sink.events.clear();
    widget->showContractBonds("C-SZ");
    ASSERT_EQ(contractBonds()->rowCount(), 2);
    // A Shanghai bond is the trader's to tick; a Shenzhen one goes back ticked.
    EXPECT_EQ(line(selectionEvents(sink), tickOf(contractBonds(), kSH019547),
                   tickOf(contractBonds(), kSZ101901), contractBonds()->itemText(1, 7)),
              "1 SE- S-T 3000.00");

    tick(widget, contractBonds(), 100, kSH019547);
    EXPECT_EQ(contractBonds()->statText(6), QStringLiteral("100")) << "the contract's own totals";
    typeQuantity(widget, 104, kSH019547, QStringLiteral("150")); // held to the pledged 100
    EXPECT_EQ(row(contractBonds(), kSH019547)->info->pledgeVolume, 100);
    tick(widget, positions(), 0, kSH019547);
    typeQuantity(widget, 4, kSH019547, QStringLiteral("7"));
    // Each table keeps its own tick and totals.
    ASSERT_EQ(widget->checkedContractBonds().size(), 1u);
    EXPECT_EQ(line(widget->checkedContractBonds()[0]->getKey(),
                   widget->checkedContractBonds()[0]->pledgeVolume,
                   widget->checkedPositionBonds()[0]->pledgeVolume, contractBonds()->statText(5),
                   positions()->statText(5)),
              "SH|019547 100 7 10000.00 700.00");

    // A contract the account does not hold: the table empties, nothing is announced.
    sink.events.clear();
    widget->showContractBonds("C-NONE");
    EXPECT_EQ(line(contractBonds()->rowCount(), selectionEvents(sink)), "0 0");
}

} // namespace
