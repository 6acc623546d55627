// The pledged positions as a trader meets them in the demo terminal: under
// 成交申报 the account's pledgeable bonds, moving with the host's feed; a
// ticked bond with a quantity goes into the form and the order.
#include "CTerminalWindow.h"
#include "DemoInput.h"
#include "TerminalFixture.h"

#include "shell/CFiccOperationPanel.h"
#include "tc/CItCommandCenter.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "utils/CSingletonT.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CBaseTableColumnCheckBoxDelegate.h"
#include "xp/CLineEdit.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CParameterCell.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/DefaultStyle.h"
#include "xp/IBaseHpfTableModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QThread>

namespace {

using namespace demo;

using PledgeDemo = TerminalFixture;

} // namespace

TEST_F(PledgeDemo, dealDeclarationPledgesATickedPositionWhilePositionsMove)
{
    write("host.ini", "[feed]\npositionIntervalMs=20\n");
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    XP::applyDefaultStyle(qApp);
    app::CTerminalWindow window(dir.path());
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
    // 880001's pledgeable bonds only: not its convertibles.
    QStringList keys;
    for (int index = 0; index < positions->dataModel()->size(); ++index)
        keys << positions->keyAt(index);
    keys.sort();
    EXPECT_EQ(keys, (QStringList { "SH|019547", "SH|122001", "SZ|101501" }));

    // The feed moves the available volumes while the trader looks.
    const QString key = QStringLiteral("SH|019547");
    const int row = positions->dataModel()->indexOfKey(key);
    const QString before = positions->itemText(row, 6);
    for (int i = 0; i < 200 && positions->itemText(row, 6) == before; ++i) {
        QThread::msleep(5);
        QApplication::processEvents();
    }
    EXPECT_NE(positions->itemText(row, 6), before);

    // Tick 019547 and type 1,000 张 into its quantity.
    clickKey(positions, key, 0);
    clickKey(positions, key, 4);
    ASSERT_NE(positions->editor(), nullptr);
    typeAndReturn(positions->editor(), QStringLiteral("1000"));
    EXPECT_EQ(positions->itemText(row, 5), QStringLiteral("100000.00"));
    EXPECT_EQ(positions->statText(5), QStringLiteral("100000.00"));

    // The form takes it: 80,000 against 100,000 of face value is a ratio of 80 %.
    auto *page = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
    ASSERT_NE(page, nullptr);
    XP::CParameterCell *amount = cellLabelled(page, QStringLiteral("回购金额"));
    ASSERT_NE(amount, nullptr);
    typeInto(amount->getLineEdit(), QStringLiteral("80000"));
    typeInto(cellLabelled(page, QStringLiteral("回购利率"))->getLineEdit(), QStringLiteral("2.1"));
    typeInto(cellLabelled(page, QStringLiteral("回购天数"))->getLineEdit(), QStringLiteral("7"));
    QApplication::processEvents();
    EXPECT_EQ(cellLabelled(page, QStringLiteral("折算比例"))->text(), QStringLiteral("80.00"));

    const std::pair<int, const char *> dealers[]
        = { { 12, "D1 银行甲" }, { 13, "S1 主体一" }, { 14, "S3 主体三" },
            { 19, "T1 张三" },   { 20, "T7 王五" },   { 21, "D2 券商乙" } };
    for (XP::CAutoKeyboardLineEdit *cell : page->findChildren<XP::CAutoKeyboardLineEdit *>())
        for (const auto &d : dealers)
            if (cell->isVisible() && cell->id() == d.first)
                cell->setText(QString::fromUtf8(d.second));
    for (XP::CLineEdit *edit : page->findChildren<XP::CLineEdit *>())
        if (edit->isVisible() && edit->id() == 22) // 对手交易商名称
            edit->setText(QStringLiteral("券商乙"));
    auto *commands = utils::CManualSingletonT<TC::CItCommandCenter>::instance();
    const size_t sent = commands->commands().size();
    for (XP::CSmallNormalButton *button : page->findChildren<XP::CSmallNormalButton *>())
        if (button->isVisible() && button->text() == QStringLiteral("正回购"))
            button->click();
    if (qEnvironmentVariableIsSet("FICC_TEST_SCREENSHOT"))
        window.grab().save(QString::fromLocal8Bit(qgetenv("FICC_TEST_SCREENSHOT")));
    ASSERT_EQ(commands->commands().size(), sent + 1)
        << "the form refused: see the message list of the screenshot";
    const auto &orders = commands->commands().back().param->orders;
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].volume, 1000);
}

TEST_F(PledgeDemo, intentionOrderTurnedIntoADealDeclarationIsSentWithItsPledge)
{
    write("host.ini", "[feed]\npositionIntervalMs=0\n");
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    XP::applyDefaultStyle(qApp);
    app::CTerminalWindow window(dir.path());
    window.ficcPanel()->setParam(QStringLiteral("2//1000"));
    window.ficcPanel()->refreshAccounts();
    window.resize(1400, 860);
    window.show();
    host.start();
    // 转成交 on 880001's first reverse-repo intention (SH, 2.10 % for 7 days),
    // once the counter has answered the intention order query.
    XP::CSmallNormalButton *turn = nullptr;
    for (int i = 0; i < 200 && !turn; ++i) {
        QThread::msleep(5);
        QApplication::processEvents();
        for (auto *button : window.ficcPanel()->findChildren<XP::CSmallNormalButton *>())
            if (button->text() == QStringLiteral("转成交") && !turn)
                turn = button;
    }
    ASSERT_NE(turn, nullptr) << "the turn-deal list shows a reverse-repo intention";
    if (qEnvironmentVariableIsSet("FICC_TEST_SCREENSHOT")) {
        // The list as a trader sees it, scrolled to its 转成交 buttons in the last column.
        for (auto *list : window.ficcPanel()->findChildren<XP::COddEvenRowTable *>())
            if (list->isVisible() && list->columnCount() == 14) {
                list->flush();
                QScrollBar *across = list->view()->horizontalScrollBar();
                across->setValue(across->maximum());
            }
        QString path = QString::fromLocal8Bit(qgetenv("FICC_TEST_SCREENSHOT"));
        window.grab().save(path.insert(path.lastIndexOf(QLatin1Char('.')), "-list"));
    }
    turn->click();
    auto *page = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
    ASSERT_NE(page, nullptr);
    XP::CParameterCell *rate = cellLabelled(page, QStringLiteral("回购利率"));
    ASSERT_NE(rate, nullptr) << "the page shows 成交申报";
    EXPECT_EQ(rate->text().toDouble(), 2.1);

    XP::CStandardHpfTable *positions = nullptr;
    for (auto *table : window.ficcPanel()->findChildren<XP::CStandardHpfTable *>())
        if (table->isVisible() && table->tableIndex() == 0 && table->columnCount() == 9)
            positions = table;
    ASSERT_NE(positions, nullptr);
    const QString key = QStringLiteral("SH|019547");
    clickKey(positions, key, 0);
    clickKey(positions, key, 4);
    ASSERT_NE(positions->editor(), nullptr);
    typeAndReturn(positions->editor(), QStringLiteral("500"));
    typeInto(cellLabelled(page, QStringLiteral("回购金额"))->getLineEdit(),
             QStringLiteral("45000"));
    const std::pair<int, const char *> ours[]
        = { { 12, "D1 银行甲" }, { 13, "S1 主体一" }, { 14, "S3 主体三" }, { 19, "T1 张三" } };
    for (XP::CAutoKeyboardLineEdit *cell : page->findChildren<XP::CAutoKeyboardLineEdit *>())
        for (const auto &d : ours)
            if (cell->isVisible() && cell->id() == d.first)
                cell->setText(QString::fromUtf8(d.second));
    auto *commands = utils::CManualSingletonT<TC::CItCommandCenter>::instance();
    const size_t sent = commands->commands().size();
    for (XP::CSmallNormalButton *button : page->findChildren<XP::CSmallNormalButton *>())
        if (button->isVisible() && button->text() == QStringLiteral("正回购"))
            button->click();
    if (qEnvironmentVariableIsSet("FICC_TEST_SCREENSHOT")) {
        QString path = QString::fromLocal8Bit(qgetenv("FICC_TEST_SCREENSHOT"));
        window.grab().save(path.insert(path.lastIndexOf(QLatin1Char('.')), "-turned"));
    }
    ASSERT_EQ(commands->commands().size(), sent + 1)
        << "the form refused: see the message list of the screenshot";
    const ttservice::CCodeOrderParam &order = commands->commands().back().param->orders.at(0);
    EXPECT_EQ(order.volume, 500);
    EXPECT_DOUBLE_EQ(order.price, 0.021);
}
