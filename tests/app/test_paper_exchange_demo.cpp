// A deal declaration through the demo terminal's widgets, answered by the
// paper exchange: the trader ticks a bond, fills the 成交申报 form and presses
// 正回购; the desk accepts, the contract shows under 提前购回 and the bond's
// available volume drops.
#include "CPaperExchange.h"
#include "CTerminalWindow.h"
#include "DemoInput.h"
#include "TerminalFixture.h"

#include "shell/CFiccOperationPanel.h"
#include "tc/CHostClock.h"
#include "tc/CItCommandCenter.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CLineEdit.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CParameterCell.h"
#include "xp/CPushButton.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/DefaultStyle.h"
#include "xp/IBaseHpfTableModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QThread>

#include <boost/pointer_cast.hpp>

#include <functional>

namespace {

using namespace demo;

using PaperExchangeDemo = TerminalFixture;

void clickOperation(QWidget *page, const QString &text)
{
    for (XP::CPushButton *button : page->findChildren<XP::CPushButton *>())
        if (button->isVisible() && button->text() == text) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no operation button " << text.toStdString();
}

} // namespace

TEST_F(PaperExchangeDemo, aDeclaredDealBecomesAContractUnderEarlyRepurchase)
{
    write("host.ini", "[exchange]\nanswerDelayMs=50\n");
    // A Wednesday: the deal settles first today and can be bought back tomorrow.
    TC::CHostClock::setToday(QDate(2026, 12, 9));
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    XP::applyDefaultStyle(qApp);
    app::CTerminalWindow window(dir.path());
    window.setJournalFile(path("journal.jsonl"));
    window.ficcPanel()->setParam(QStringLiteral("2//1001"));
    window.ficcPanel()->refreshAccounts();
    window.resize(1400, 860);
    window.show();
    host.start();

    XP::CStandardHpfTable *positions = nullptr;
    for (auto *table : window.ficcPanel()->findChildren<XP::CStandardHpfTable *>())
        if (table->isVisible() && table->tableIndex() == 0 && table->columnCount() == 9)
            positions = table;
    ASSERT_NE(positions, nullptr);
    const QString key = QStringLiteral("SH|019547");
    ASSERT_TRUE(waitFor([&] { return positions->dataModel()->indexOfKey(key) >= 0; }));
    // 可用数量 of the bond's row, as the table shows it.
    const auto availableText
        = [&] { return positions->itemText(positions->dataModel()->indexOfKey(key), 6); };
    const double available = QString(availableText()).remove(',').toDouble();
    ASSERT_GT(available, 1000);

    clickKey(positions, key, 0);
    clickKey(positions, key, 4);
    ASSERT_NE(positions->editor(), nullptr);
    typeAndReturn(positions->editor(), QStringLiteral("1000"));

    auto *page = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
    ASSERT_NE(page, nullptr);
    typeInto(cellLabelled(page, QStringLiteral("回购金额"))->getLineEdit(),
             QStringLiteral("80000"));
    typeInto(cellLabelled(page, QStringLiteral("回购利率"))->getLineEdit(), QStringLiteral("2.1"));
    typeInto(cellLabelled(page, QStringLiteral("回购天数"))->getLineEdit(), QStringLiteral("7"));
    QApplication::processEvents();
    const std::pair<int, const char *> dealers[]
        = { { 12, "1001 澄湖证券" }, { 13, "100101 澄湖证券自营" }, { 14, "100201 青屿证券自营" },
            { 19, "T001 程晓帆" },   { 20, "T101 葛书宁" },         { 21, "1002 青屿证券" } };
    for (XP::CAutoKeyboardLineEdit *cell : page->findChildren<XP::CAutoKeyboardLineEdit *>())
        for (const auto &d : dealers)
            if (cell->isVisible() && cell->id() == d.first)
                cell->setText(QString::fromUtf8(d.second));
    for (XP::CLineEdit *edit : page->findChildren<XP::CLineEdit *>())
        if (edit->isVisible() && edit->id() == 22) // 对手交易商名称
            typeInto(edit, QStringLiteral("青屿证券"));

    auto *commands = utils::CManualSingletonT<TC::CItCommandCenter>::instance();
    const size_t sent = commands->commands().size();
    for (XP::CSmallNormalButton *button : page->findChildren<XP::CSmallNormalButton *>())
        if (button->isVisible() && button->text() == QStringLiteral("正回购"))
            button->click();
    ASSERT_EQ(commands->commands().size(), sent + 1)
        << "the form refused: " << window.messageList()->count();
    ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));

    // The desk accepted: the message list says so and names the contract.
    QString contractNo;
    ASSERT_TRUE(waitFor([&] {
        for (int i = 0; i < window.messageList()->count(); ++i) {
            const QString text = window.messageList()->item(i)->text();
            const int at = text.indexOf(QStringLiteral("合同 PX"));
            if (at >= 0)
                contractNo = text.mid(at + 3, text.indexOf(',', at) - at - 3);
        }
        return !contractNo.isEmpty();
    })) << "no acceptance in the message list";

    // The pledged bond leaves the available volume.
    EXPECT_TRUE(waitFor([&] {
        return QString(availableText()).remove(',').toDouble() == available - 1000;
    })) << availableText().toStdString();

    // From the day after its first settlement, 提前购回 lists the new contract.
    TC::CHostClock::setToday(QDate(2026, 12, 10));
    clickOperation(page, QStringLiteral("提前购回"));
    auto *contracts = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementtablewidget"));
    ASSERT_NE(contracts, nullptr);
    auto *table = contracts->findChild<XP::COddEvenRowTable *>();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(waitFor([&] {
        table->flush();
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->itemText(r, 12) == contractNo)
                return true;
        return false;
    })) << contractNo.toStdString();
    EXPECT_TRUE(contracts->isVisible());
    // 质押券变更 lists it too: a running repo contract inside its term.
    clickOperation(page, QStringLiteral("质押券变更"));
    EXPECT_TRUE(waitFor([&] {
        table->flush();
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->itemText(r, 12) == contractNo)
                return true;
        return false;
    })) << contractNo.toStdString();

    // The repo side received the amount; the bond is still held, only pledged.
    const auto data
        = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData("880001");
    EXPECT_DOUBLE_EQ(data->getAccountDetail()->availableFunds, 52000000.00 + 80000.00);
    const auto held = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(
        data->getData(ttservice::DATA_TYPE_POSITION_STATICS, "SH|019547"));
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->totalVolume - held->usableVolume, 1000);

    // The journal holds the declaration.
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.back()["orders"].toArray().at(0).toObject()["operationType"].toInt(), 1045);

    if (qEnvironmentVariableIsSet("FICC_TEST_SCREENSHOT"))
        window.grab().save(QString::fromLocal8Bit(qgetenv("FICC_TEST_SCREENSHOT")));
}
