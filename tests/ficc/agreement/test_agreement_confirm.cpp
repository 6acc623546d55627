// The confirmation table: declarations awaiting the trader's answer and the order 确定 makes.
#include "AgreementTableRecords.h"

#include "agreement/CAgreementConfirmWidget.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "xp/CButtonListCell.h"
#include "xp/CComboBoxCell.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CTableCellEdit.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace {

using Declaration = ttservice::CRepurchasePendingOrder;
using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;
using Widget = TC::CAgreementConfirmWidget;

// The table under an event sink, its form handed over; `declarations` answer the query.
struct Table
{
    explicit Table(TC::ETradeOperationType type, std::vector<ttservice::IDataPtr> declarations = {},
                   const std::string &trader = "T401")
        : op(type, "10001")
    {
        op.trader = trader;
        sink.resize(1200, 300);
        sink.show();
        widget->setOperationWidget(&op);
        if (!trader.empty())
            answer(declarations);
    }

    void answer(const std::vector<ttservice::IDataPtr> &records,
                const utils::TTError &error = utils::TTError())
    {
        const ttservice::CQueryDataReqPtr request = answerQuery(795, records, error);
        ASSERT_TRUE(request);
        EXPECT_EQ(request->queryText, op.trader);
    }

    XP::COddEvenRowTable *rows() const { return widget->table(); }
    XP::CButtonListCell *answerCell(int row) const
    {
        return dynamic_cast<XP::CButtonListCell *>(rows()->itemControl(row, Widget::ColAction));
    }
    // Presses the row's 确定 as the trader does, answering its question with `answer`.
    void confirm(int row, QMessageBox::StandardButton answer = QMessageBox::Yes)
    {
        responder.answerButton(answer);
        ASSERT_NE(answerCell(row), nullptr);
        answerCell(row)->click();
    }

    XP::CScriptedDialogResponder responder;
    FakeOperation op;
    EventSink sink;
    Widget *widget = new Widget(&sink);
};

} // namespace

using ConfirmTest = AgreementFormFixture;

TEST_F(ConfirmTest, eachOperationAsksOnceForTheTradersDeclarationsAndListsOnlyItsType)
{
    const struct
    {
        TC::ETradeOperationType type;
        int declareType;
        const char *name;
    } cases[] = {
        { TC::OPT_AGREEMENT_DEAL_DECLARATION, '0', "成交申报" },
        { TC::OPT_AGREEMENT_MATURITY_RENEWAL, '1', "到期续做" },
        { TC::OPT_AGREEMENT_EARLY_REPURCHASE, '2', "提前购回" },
        { TC::OPT_AGREEMENT_PLEDGE_CHANGE, '3', "质押券变更" },
        { TC::OPT_AGREEMENT_PLEDGE_RELEASE, '4', "解除质押" },
    };
    std::vector<ttservice::IDataPtr> all;
    for (int type : { '0', '1', '2', '3', '4', '5' })
        all.push_back(declaration(std::string("D") + char(type), type));
    all.push_back(boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>());
    // Without a trader nothing is asked.
    Table t(TC::OPT_AGREEMENT_DEAL_DECLARATION, {}, "");
    EXPECT_EQ(messages(), std::vector<std::string>({ "交易员为空，请填写要查询的交易员!" }));
    EXPECT_TRUE(tradeClient()->pendingQueries().empty() && t.widget->refreshButton()->isEnabled());
    // Once the trader is known, 刷新 asks for that trader's declarations.
    t.op.trader = "T401";
    t.widget->refreshButton()->click();
    EXPECT_FALSE(t.widget->refreshButton()->isEnabled());
    auto *timer = t.widget->findChild<QTimer *>(QStringLiteral("refreshTimeout"));
    ASSERT_TRUE(timer && timer->isActive());
    EXPECT_EQ(timer->interval(), 30000);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        t.widget->setOperationType(c.type); // another type asks once
        t.answer(all);
        EXPECT_TRUE(t.widget->refreshButton()->isEnabled());
        ASSERT_EQ(t.rows()->rowCount(), 1);
        EXPECT_EQ(line(t.widget->rowDeclaration(0)->declareType,
                       t.rows()->itemText(0, Widget::ColDeclareType)),
                  line(c.declareType, c.name));
        // The release amount is shown under 解除质押 only.
        EXPECT_EQ(t.rows()->itemText(0, Widget::ColReleaseSettleAmount),
                  c.type == TC::OPT_AGREEMENT_PLEDGE_RELEASE ? QStringLiteral("120000.50")
                                                             : QStringLiteral("-"));
    }
    EXPECT_FALSE(Widget::keepsDeclaration(TC::OPT_AGREEMENT_MATURITY_CONFIRM, '1'));
    // Back to a type asked before: its cache fills the table.
    t.widget->setOperationType(TC::OPT_AGREEMENT_MATURITY_RENEWAL);
    EXPECT_TRUE(tradeClient()->pendingQueries().empty());
    ASSERT_EQ(t.rows()->rowCount(), 1);
    EXPECT_EQ(t.widget->rowDeclaration(0)->getKey(), "D1");
    // A failed answer keeps nothing and reports the reload.
    t.widget->queryPendingDeclarations();
    t.answer({}, utils::TTError(-1, "timeout"));
    EXPECT_EQ(line(t.op.reloads, t.rows()->rowCount()), "1 0");
    EXPECT_TRUE(t.widget->cachedDeclarations(TC::OPT_AGREEMENT_MATURITY_RENEWAL).empty());
}

TEST_F(ConfirmTest, rowShowsTheDeclarationAndItsChosenOwnerTypeGoesOutAsSubjectType)
{
    DeclarationPtr odd = declaration("D2", '0', "SZ", '1');
    odd->ownerType = 9; // not offered by the combo box
    odd->renewType = '1';
    odd->pledgedBonds
        = { pledgedBond("SZ", "101901", 300, '0'), pledgedBond("SZ", "101902", 500, '1') };
    Table t(TC::OPT_AGREEMENT_DEAL_DECLARATION, { declaration("D1", '0'), odd });
    XP::COddEvenRowTable *rows = t.rows();
    EXPECT_EQ(rows->headerText(25), QStringLiteral("    操作    "));
    EXPECT_EQ(rows->headerText(28), QStringLiteral("订单所有者类型"));
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(line(rows->itemText(0, 0), rows->itemText(0, 2), rows->itemText(0, 3),
                   rows->itemText(0, 5), rows->itemText(0, 6), rows->itemText(0, 8),
                   rows->itemText(0, 9), rows->itemText(0, 12), rows->itemText(0, 17),
                   rows->itemText(0, 24)),
              "10001 SH 1 90.00 9000000.00 正回购 2.150 20260212 T301 非第三方续做");
    EXPECT_EQ(line(rows->itemText(1, 8), rows->itemText(1, 24)), "逆回购 第三方续做");
    // The bond count opens the declaration's bonds.
    int bondRows = -1;
    t.responder.setDialogHandler([&](QDialog *dialog) {
        bondRows = dialog->findChild<XP::COddEvenRowTable *>()->rowCount();
        return int(QDialog::Rejected);
    });
    rows->itemControl(1, Widget::ColPledgedBonds)->click();
    EXPECT_EQ(bondRows, 2);

    ASSERT_NE(t.answerCell(1), nullptr);
    EXPECT_EQ(t.answerCell(1)->buttonText(0), QStringLiteral("确定"));
    auto *combo = dynamic_cast<XP::CComboBoxCell *>(rows->itemControl(0, Widget::ColOwnerType));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("机构投资者"));
    auto *unoffered = dynamic_cast<XP::CComboBoxCell *>(rows->itemControl(1, Widget::ColOwnerType));
    EXPECT_EQ(unoffered->currentIndex(), -1);

    // The owner type chosen goes out as the subject type; one not offered goes out as it came.
    combo->click();
    ASSERT_NE(combo->popup(), nullptr);
    combo->popup()->actions().at(3)->trigger(); // 自营交易者
    QCoreApplication::processEvents();
    EXPECT_EQ(t.widget->rowDeclaration(0)->ownerType, 3);
    t.confirm(0);
    t.confirm(1);
    ASSERT_EQ(commands().size(), 2u);
    EXPECT_EQ(line(agreementOf(commands()[0].param->orders.front()).subjectType,
                   agreementOf(commands()[1].param->orders.front()).subjectType),
              "3 9");

    // Deployment 200 watches the declarations without answering them.
    TC::getUserConfig()->deploymentCode = 200;
    t.widget->refreshButton()->click();
    t.answer({ declaration("D1", '0'), odd });
    t.confirm(1);
    EXPECT_EQ(line(t.answerCell(1)->isButtonEnabled(20000),
                   t.responder.askedCount(XP::CScriptedDialogResponder::ASK_QUESTION),
                   int(commands().size())),
              "0 2 2");
}

TEST_F(ConfirmTest, aConfirmationThatCannotBeBuiltShowsWhyAndSendsNothing)
{
    const struct
    {
        const char *what;
        std::function<void(Declaration &)> spoil;
        const char *message;
    } cases[] = {
        { "account not configured", [](Declaration &d) { d.accountInfo->accountId = "99999"; },
          "账号 [99999] 不存在, 无法下单!" },
        { "no account", [](Declaration &d) { d.accountInfo.reset(); },
          "账号 [] 不存在, 无法下单!" },
        { "unknown contract code", [](Declaration &d) { d.contractCode = "206999"; },
          "协议回购合约代码不存在, 无法下单!" },
        { "contract of the other market", [](Declaration &d) { d.market = "SZ"; },
          "协议回购合约代码不存在, 无法下单!" },
        { "SH without bonds", [](Declaration &d) { d.pledgedBonds.clear(); },
          "债券代码为空, 无法下单，请刷新债券信息!" },
        { "SH with null bond entries only",
          [](Declaration &d) { d.pledgedBonds.assign(2, nullptr); },
          "债券代码为空, 无法下单，请刷新债券信息!" },
        { "SH first bond unknown",
          [](Declaration &d) {
              d.pledgedBonds.insert(d.pledgedBonds.begin(), pledgedBond("SH", "999999", 10));
          },
          "债券代码不存在, 无法下单!" },
        { "SH bond of the other market",
          [](Declaration &d) { d.pledgedBonds = { pledgedBond("SZ", "019547", 10) }; },
          "债券代码不存在, 无法下单!" },
    };
    for (const auto &c : cases) {
        DeclarationPtr d = declaration("D1", '0');
        c.spoil(*d);
        ttservice::CCodeOrderParam order;
        QString error;
        EXPECT_FALSE(
            Widget::buildConfirmation(*d, TC::OPT_AGREEMENT_DEAL_DECLARATION, 2, order, error));
        EXPECT_EQ(error.toStdString(), c.message) << c.what;
    }
    // 确定 shows why, without asking or sending; so does a row without a declaration.
    DeclarationPtr unknown = declaration("D1", '0');
    unknown->contractCode = "206999";
    Table t(TC::OPT_AGREEMENT_DEAL_DECLARATION, { unknown });
    t.confirm(0);
    t.widget->doOperation(5, 0);
    EXPECT_EQ(messages(),
              std::vector<std::string>(
                  { "协议回购合约代码不存在, 无法下单!", "待确认申报数据为空, 无法下单!" }));
    EXPECT_EQ(t.responder.askedCount(XP::CScriptedDialogResponder::ASK_QUESTION), 0);
    EXPECT_TRUE(commands().empty());
}

TEST_F(ConfirmTest, confirmedDeclarationGoesOutAsOneManualCommandAfterTheQuestion)
{
    Table t(TC::OPT_AGREEMENT_DEAL_DECLARATION, { declaration("D1", '0'), declaration("D2", '0') });
    t.confirm(1, QMessageBox::No);
    EXPECT_TRUE(commands().empty()) << "the question was refused";
    t.confirm(1);

    ASSERT_EQ(t.responder.askedCount(XP::CScriptedDialogResponder::ASK_QUESTION), 2);
    EXPECT_EQ(line(t.responder.lastMessage().title, t.responder.lastMessage().text),
              "下单确认 是否确认当前成交申报?");
    EXPECT_EQ(t.responder.lastMessage().buttons, QMessageBox::Yes | QMessageBox::No);
    ASSERT_EQ(commands().size(), 1u);
    const ttservice::COrderComandParam &command = *commands().front().param;
    EXPECT_EQ(line(command.commandKind, command.commandSubKind, command.manual, command.commandMode,
                   command.commandOption, commands().front().confirm),
              "1048576 0 1 0 0 1");
    ASSERT_EQ(command.orders.size(), 1u);
    const ttservice::CCodeOrderParam &order = command.orders.front();
    ASSERT_TRUE(order.accountInfo);
    EXPECT_EQ(line(order.accountInfo->accountId, order.stock.market, order.stock.stockCode,
                   order.stock.stockName, order.userName, order.orderKind, order.operationType,
                   order.volume, order.paramKind, order.price),
              "10001 SH 206007 SH回购7天 trader01 49 1065 100000 2 0.0215");

    const ttservice::CRepurchaseAgreementParam p = agreementOf(order);
    EXPECT_EQ(line(p.bondMarket, p.bondCode, p.trader, p.dealer, p.counterpartyTrader,
                   p.counterpartyDealer, p.counterpartyDealerName, p.pledgee, p.supplementaryTerms,
                   p.tradingEntity, p.counterpartyEntity, p.counterpartyClientName,
                   p.pendingOrderRef, p.swapBondCode, p.contractNo),
              "SH 019547 T401 1005 T301 1004 远川银行 质权人甲 到期按约定利率结算 100502 100401 "
              "远川客户 D2 - -");
    EXPECT_EQ(line(p.repurchaseAmount, p.conversionRatio, p.repurchaseRate, p.settlementAmount,
                   p.repurchaseDays, p.maturitySettleDate, p.firstSettleDate, p.renewType,
                   p.subjectType, p.swapPledgeVolume),
              "9000000 0.9 0.0215 120000.5 7 20260219 20260212 48 2 -");

    // A deployment that places no agreement orders asks, then sends nothing.
    TC::getUserConfig()->deploymentCode = 92;
    t.confirm(0);
    EXPECT_EQ(t.responder.askedCount(XP::CScriptedDialogResponder::ASK_QUESTION), 3);
    EXPECT_EQ(commands().size(), 1u);
    EXPECT_TRUE(messages().empty());
}

TEST_F(ConfirmTest, operationCodeBondsVolumeAndAmountOfEachKindOfAnswer)
{
    const double maturity = 9003710.96; // what ending a contract settles
    const auto change = TC::OPT_AGREEMENT_PLEDGE_CHANGE, deal = TC::OPT_AGREEMENT_DEAL_DECLARATION,
               release = TC::OPT_AGREEMENT_PLEDGE_RELEASE,
               early = TC::OPT_AGREEMENT_EARLY_REPURCHASE,
               renewal = TC::OPT_AGREEMENT_MATURITY_RENEWAL;
    const auto bonds = [](auto... b) { return ttservice::CRepurchasePledgedBondList { b... }; };
    const struct
    {
        const char *what;
        TC::ETradeOperationType type;
        const char *market;
        int direction;
        ttservice::CRepurchasePledgedBondList bonds;
        const char *sent; // operation code, volume, bond, bond swapped out and its volume
        double amount; // 0: the declaration's repurchase amount
    } cases[] = {
        { "change, kept bond first", change, "SH", '0',
          bonds(pledgedBond("SH", "019547", 300, '0'), pledgedBond("SH", "122000", 500, '1')),
          "1070 300 019547 122000 500", 0 },
        { "change, exchanged bond first", change, "SH", '1',
          bonds(pledgedBond("SH", "122000", 500, '1'), pledgedBond("SH", "019547", 300, '0')),
          "1070 300 019547 122000 500", 0 },
        { "one exchanged bond", change, "SH", '0', bonds(pledgedBond("SH", "122000", 500, '1')),
          "1070 500 - 122000 500", 0 },
        { "later bond of a kind wins, empty ones skipped", deal, "SH", '0',
          bonds(pledgedBond("SH", "019547", 10), nullptr, pledgedBond("SH", "122000", 40),
                pledgedBond("SH", "122000", 0)),
          "1065 40 122000 - -", 0 },
        { "SZ without bonds", deal, "SZ", '1', bonds(), "1065 10 - - -", 0 },
        { "renewal", renewal, "SZ", '1', bonds(pledgedBond("SZ", "101901", 70)),
          "1067 70 101901 - -", 0 },
        { "renewal, repo side", renewal, "SZ", '0', bonds(), "1067 10 - - -", 0 },
        { "early repurchase, repo side", early, "SH", '0', bonds(pledgedBond("SH", "019547", 10)),
          "1072 10 019547 - -", maturity },
        { "early repurchase, reverse side", early, "SH", '1',
          bonds(pledgedBond("SH", "019547", 10)), "1092 10 019547 - -", maturity },
        { "early repurchase, other side", early, "SH", '2', bonds(pledgedBond("SH", "019547", 10)),
          "1092 10 019547 - -", maturity },
        { "release, repo side", release, "SZ", '0', bonds(), "1075 10 - - -", maturity },
        { "release, reverse side", release, "SZ", '1', bonds(pledgedBond("SZ", "101901", 20)),
          "1095 20 101901 - -", maturity },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        DeclarationPtr d = declaration("D1", '0', c.market, c.direction);
        d->pledgedBonds = c.bonds;
        ttservice::CCodeOrderParam order;
        QString error;
        ASSERT_TRUE(Widget::buildConfirmation(*d, c.type, 3, order, error)) << error.toStdString();
        const ttservice::CRepurchaseAgreementParam p = agreementOf(order);
        EXPECT_EQ(
            line(order.operationType, order.volume, p.bondCode, p.swapBondCode, p.swapPledgeVolume),
            c.sent);
        EXPECT_EQ(line(order.stock.market, p.repurchaseAmount, p.settlementAmount, p.subjectType),
                  line(c.market, c.amount > 0 ? c.amount : d->repurchaseAmount,
                       d->releaseSettleAmount, 3));
    }
    // Operations that answer no declaration have no confirmation code.
    for (auto type :
         { TC::OPT_AGREEMENT_MATURITY_CONFIRM, TC::OPT_AGREEMENT_INTENTION_REPO, TC::OPT_NONE })
        EXPECT_EQ(Widget::confirmationOperationType(type, '0'), -1) << type;
}

TEST_F(ConfirmTest, editsOfTheEditableColumnsOnlyAreCarriedIntoTheConfirmation)
{
    using Param = ttservice::CRepurchaseAgreementParam;
    const struct
    {
        int column;
        std::string Param::*field; // null: the dealer name, which the order does not carry
        QString text;
    } edits[] = {
        { Widget::ColTrader, &Param::trader, "T402" },
        { Widget::ColDealer, &Param::dealer, "" },
        { Widget::ColDealerName, nullptr, "晨岭基金二部" },
        { Widget::ColCounterpartyTrader, &Param::counterpartyTrader, "T302" },
        { Widget::ColCounterpartyDealer, &Param::counterpartyDealer,
          QString(3000, QLatin1Char('9')) },
        { Widget::ColCounterpartyDealerName, &Param::counterpartyDealerName,
          QString::fromUtf8("远川银行\xF0\x9F\x8F\xA6") }, // a character outside GBK
        { Widget::ColPledgee, &Param::pledgee, "  质权人乙 " },
        { Widget::ColCounterpartyClientName, &Param::counterpartyClientName, "客户,甲\"乙" },
    };
    // What a row would send unedited.
    const auto unedited = [](const std::string &ref) {
        ttservice::CCodeOrderParam order;
        QString error;
        EXPECT_TRUE(Widget::buildConfirmation(*declaration(ref, '0'),
                                              TC::OPT_AGREEMENT_DEAL_DECLARATION, 2, order, error));
        return agreementOf(order);
    };
    Table t(TC::OPT_AGREEMENT_DEAL_DECLARATION,
            { declaration("D1", '0'), declaration("D2", '0'), declaration("D3", '0') });
    for (int column = 0; column < Widget::ColumnCount; ++column) {
        const bool editable
            = (column >= Widget::ColTrader && column <= Widget::ColCounterpartyDealerName)
            || column == Widget::ColPledgee || column == Widget::ColCounterpartyClientName;
        EXPECT_EQ(t.rows()->isItemEditable(0, column), editable) << column;
    }
    // An edit announced for another column leaves the declaration as it came.
    const Declaration before = *t.widget->rowDeclaration(0);
    XP::CTableCellEdit edit { 0, Widget::ColSupplementaryTerms, QStringLiteral("改过的条款") };
    EXPECT_TRUE(t.widget->handleEvent(52, 0, Widget::ColSupplementaryTerms, QString(), &edit));
    EXPECT_TRUE(*t.widget->rowDeclaration(0) == before);

    // The trader types over each editable cell of the third row, then confirms it and the second.
    Param expected = unedited("D3");
    for (const auto &e : edits) {
        SCOPED_TRACE(e.column);
        ASSERT_TRUE(t.rows()->editItem(2, e.column));
        ASSERT_NE(t.rows()->editor(), nullptr);
        t.rows()->editor()->setText(e.text);
        t.rows()->closeEditor(true);
        EXPECT_EQ(t.rows()->itemText(2, e.column), e.text);
        if (e.field)
            expected.*(e.field) = e.text.toStdString();
    }
    EXPECT_EQ(t.widget->rowDeclaration(2)->dealerName, "晨岭基金二部");
    t.confirm(2);
    t.confirm(1);
    ASSERT_EQ(commands().size(), 2u);
    EXPECT_EQ(agreementOf(commands()[0].param->orders.front()), expected);
    EXPECT_EQ(agreementOf(commands()[1].param->orders.front()), unedited("D2"));
}
