#include "AgreementTableRecords.h"

#include "agreement/CAgreementTableWidget.h"
#include "agreement/CPledgeBondInfoDialog.h"
#include "xp/CRadioButton.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CSmallNoNormalButton.h"

#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <functional>
#include <limits>
#include <thread>

namespace {

using ContractPtr = ttservice::CRepurchaseAgreementContractInfoPtr;
constexpr int kContractChosen = 1293;

// The contract table under a parent that records what it announces.
struct Panel
{
    FakeOperation op;
    EventSink sink;
    TC::CAgreementTableWidget *table = new TC::CAgreementTableWidget(&sink);

    Panel(TC::ETradeOperationType type, const std::string &account)
        : op(type, account)
    {
        table->setOperationWidget(&op);
    }
    XP::COddEvenRowTable *rows() const { return table->table(); }
    XP::CRadioButton *radio(int row) const
    {
        return dynamic_cast<XP::CRadioButton *>(rows()->itemControl(row, 0));
    }
    int rowOf(const std::string &key) const
    {
        for (int row = 0; row < rows()->rowCount(); ++row)
            if (table->rowContract(row) && table->rowContract(row)->getKey() == key)
                return row;
        return -1;
    }
    // Contract numbers in display order; with `choosable`, of the rows that can be chosen.
    Keys keys(bool choosableOnly = false) const
    {
        Keys keys;
        for (int index = 0; index < rows()->shownRowCount(); ++index) {
            const int row = rows()->rowID(index);
            const bool choosable = radio(row) && radio(row)->isEnabled();
            EXPECT_EQ(choosable, rows()->isRowSelectEnable(row)) << row;
            if (!choosableOnly || choosable)
                keys.push_back(table->rowContract(row)->getKey());
        }
        return keys;
    }
    Keys announced() const
    {
        Keys keys;
        for (const EventSink::Event &e : sink.events)
            if (e.event == kContractChosen)
                keys.push_back(e.text.toStdString());
        return keys;
    }
    std::string selectedKey() const
    {
        const ContractPtr c = table->rowContract(rows()->selectedRow());
        return c ? c->getKey() : std::string();
    }
};

class ContractTableTest : public AgreementFormFixture
{
protected:
    // Where today (2026-02-12) lies against the contract's settlement dates.
    enum EWhen { BEFORE_FIRST, FIRST_TODAY, IN_TERM, MATURES_TODAY, MATURED };

    ContractPtr contract(const std::string &no, const std::string &market, int direction,
                         int status, EWhen when, const std::string &account = kLoggedInAccount)
    {
        static const int dates[][2] = { { 20260213, 20260220 },
                                        { 20260212, 20260219 },
                                        { 20260205, 20260219 },
                                        { 20260202, 20260212 },
                                        { 20260202, 20260209 } };
        auto c = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
        c->accountInfo = accountData(account)->getAccountInfo();
        c->contractNo = no;
        c->market = market;
        c->direction = direction;
        c->contractStatus = status;
        c->firstSettleDate = dates[when][0];
        c->maturitySettleDate = dates[when][1];
        c->repurchaseAmount = 1000000;
        c->conversionRatio = 0.6;
        c->repurchaseRate = 0.0365;
        c->repurchaseDays = 10;
        c->maturitySettleAmount = 1001000;
        c->supplementaryTerms = "按约定";
        c->dealer = "D1 青禾银行";
        c->tradingEntity = "S1 青禾一号";
        c->counterpartyEntity = "S3 远帆三号";
        return c;
    }
    ContractPtr store(const ContractPtr &c, const std::string &account = kLoggedInAccount)
    {
        accountData(account)->updateData(c, false);
        return c;
    }
};

TEST_F(ContractTableTest, eachOperationListsTheContractsItMayActOnFirst)
{
    struct Made
    {
        std::string no;
        int status;
        EWhen when;
        bool sh, repo;
    };
    std::vector<Made> kept;
    int n = 0;
    for (int status : { '1', '3', '2', '8' })
        for (EWhen when : { BEFORE_FIRST, FIRST_TODAY, IN_TERM, MATURES_TODAY, MATURED })
            for (bool sh : { false, true })
                for (bool repo : { true, false }) {
                    // Numbers against the order of adding, so that no sort passes for it.
                    const Made m { "K" + std::to_string(900 - n++), status, when, sh, repo };
                    store(contract(m.no, sh ? "SH" : "SZ", repo ? '1' : '2', status, when));
                    if (status != '3')
                        kept.push_back(m);
                }

    // A repo contract at or past maturity, not overdue, may be confirmed or renewed.
    const auto endable = [](const Made &m) {
        return (m.when == MATURES_TODAY || m.when == MATURED) && m.repo && m.status != '8';
    };
    const struct
    {
        TC::ETradeOperationType type;
        size_t count;
        std::function<bool(const Made &)> choosable;
    } operations[] = {
        { TC::OPT_AGREEMENT_MATURITY_CONFIRM, 8, endable },
        { TC::OPT_AGREEMENT_MATURITY_RENEWAL, 8, endable },
        { TC::OPT_AGREEMENT_EARLY_REPURCHASE, 9,
          [](const Made &m) { return m.when == IN_TERM && (m.sh || m.repo); } },
        { TC::OPT_AGREEMENT_PLEDGE_CHANGE, 6,
          [](const Made &m) { return m.when == IN_TERM && m.repo; } },
        { TC::OPT_AGREEMENT_PLEDGE_RELEASE, 13,
          [](const Made &m) {
              return (m.status == '8' && m.sh) || (m.when == MATURED && !m.sh && m.repo);
          } },
    };
    // One table moves from operation to operation: each lists from the account's records, unasked.
    std::vector<std::unique_ptr<FakeOperation>> forms;
    Panel p(TC::OPT_AGREEMENT_DEAL_DECLARATION, kLoggedInAccount);
    EXPECT_EQ(p.keys(true), Keys());
    for (const auto &o : operations) {
        SCOPED_TRACE(o.type);
        Keys choosable;
        Keys rest;
        for (const Made &m : kept)
            (o.choosable(m) ? choosable : rest).push_back(m.no);
        ASSERT_EQ(choosable.size(), o.count);
        Keys order = choosable;
        order.insert(order.end(), rest.begin(), rest.end());

        forms.push_back(std::make_unique<FakeOperation>(o.type, kLoggedInAccount));
        p.sink.events.clear();
        p.table->setOperationWidget(forms.back().get());
        EXPECT_EQ(p.keys(), order);
        EXPECT_EQ(p.keys(true), choosable);
        // Each choosable contract reached the form and the switcher as it was added.
        EXPECT_EQ(forms.back()->contracts, choosable);
        EXPECT_EQ(p.announced(), choosable);
        EXPECT_EQ(p.selectedKey(), choosable.back());
        ASSERT_NE(p.rowOf(choosable.back()), -1);
        EXPECT_TRUE(p.radio(p.rowOf(choosable.back()))->isChecked());
        EXPECT_EQ(forms.back()->reloads, 0);
    }
    EXPECT_TRUE(tradeClient()->receivedQueries().empty());
    // The same operation again keeps its rows; a reload lists a contract added since.
    store(contract("K999", "SH", '1', '1', BEFORE_FIRST));
    p.table->setOperationType(TC::OPT_AGREEMENT_PLEDGE_RELEASE);
    EXPECT_EQ(p.rows()->rowCount(), 60);
    p.table->queryContracts(false);
    EXPECT_EQ(p.rows()->rowCount(), 61);
}

TEST_F(ContractTableTest, aClickedRadioChoosesItsContractExceptForDeployment200)
{
    store(contract("B", "SH", '1', '1', MATURED));
    store(contract("A", "SH", '2', '1', IN_TERM));
    store(contract("C", "SZ", '1', '2', IN_TERM));
    for (int deployment : { 100, 200 }) {
        SCOPED_TRACE(deployment);
        TC::getUserConfig()->deploymentCode = deployment;
        Panel p(TC::OPT_AGREEMENT_EARLY_REPURCHASE, kLoggedInAccount);
        ASSERT_EQ(p.keys(), (Keys { "A", "C", "B" }));
        EXPECT_EQ(p.selectedKey(), "C");
        // Sorted, the rows still answer by their id.
        p.rows()->sortByColumn(12, Qt::AscendingOrder);
        p.radio(p.rowOf("A"))->click();
        p.radio(p.rowOf("B"))->click(); // not choosable: its radio is disabled
        if (deployment == 200) {
            // Selected, but neither choosable nor handed on.
            EXPECT_EQ(p.keys(true), Keys());
            EXPECT_TRUE(p.op.contracts.empty() && p.announced().empty());
            continue;
        }
        EXPECT_EQ(p.op.contracts, (Keys { "A", "C", "A" }));
        EXPECT_EQ(p.announced(), (Keys { "A", "C", "A" }));
        EXPECT_EQ(line(p.selectedKey(), p.radio(p.rowOf("A"))->isChecked()), "A 1");
    }
}

TEST_F(ContractTableTest, columnsMaturityAmountAndStatistics)
{
    ContractPtr computed = contract("H-001", "SH", '1', '1', MATURES_TODAY); // 10 days
    computed->maturitySettleAmount = 0;
    ContractPtr given = contract("H-002", "SZ", '2', '8', IN_TERM);
    given->repurchaseAmount = 500000;
    given->maturitySettleAmount = 500100.25;
    given->pledgedBonds = { pledgedBond("SZ", "101901", 10), pledgedBond("SZ", "101902", 20) };
    ContractPtr sameDay = contract("H-003", "SH", '1', '2', MATURES_TODAY);
    sameDay->firstSettleDate = sameDay->maturitySettleDate;
    sameDay->repurchaseAmount = 250000;
    sameDay->maturitySettleAmount = 0;
    for (const ContractPtr &c : { computed, given, sameDay })
        store(c);
    Panel p(TC::OPT_AGREEMENT_MATURITY_CONFIRM, kLoggedInAccount);
    XP::COddEvenRowTable *rows = p.rows();

    EXPECT_EQ(headerTexts(*rows),
              (QStringList { "选择", "资金账号", "账户名称", "交易市场", "质押债券", "折算比例(%)",
                             "回购金额", "回购天数", "回购方向", "回购利率", "到期结算日期",
                             "到期结算金额", "合同编号", "补充条款", "交易商", "交易主体",
                             "对方交易主体", "合约状态" }));
    const auto textsOf = [&](const std::string &key) { return rowTexts(*rows, p.rowOf(key)); };
    EXPECT_EQ(textsOf("H-001"),
              (QStringList { "", "10001", "账户10001", "SH", "0", "60.00", "1000000.000", "10",
                             "正回购", "3.650", "20260212", "1001000.00", "H-001", "按约定",
                             "D1 青禾银行", "S1 青禾一号", "S3 远帆三号", "正常" }));
    EXPECT_EQ(textsOf("H-002").mid(3, 9),
              (QStringList { "SZ", "2", "60.00", "500000.000", "10", "逆回购", "3.650", "20260219",
                             "500100.25" }));
    // The computed amount is written back into the record; the amounts' totals.
    EXPECT_EQ(line(textsOf("H-002").last(), textsOf("H-003").at(11), computed->maturitySettleAmount,
                   rows->statText(6), rows->statText(11)),
              "逾期 0.00 1001000 1750000.000 1501100.250");

    // Figures and dates that are none are shown as such; only choosable rows are handed on.
    ContractPtr noDates = store(contract("Z0", "SH", '1', '1', IN_TERM));
    noDates->firstSettleDate = noDates->maturitySettleDate = 0;
    ContractPtr backwards = store(contract("ZB", "SH", '2', '1', IN_TERM));
    backwards->firstSettleDate = 20260210;
    backwards->maturitySettleDate = 20260201;
    backwards->maturitySettleAmount = 0;
    ContractPtr noAmount = store(contract("ZN", "SH", '1', '1', IN_TERM));
    noAmount->repurchaseAmount = std::numeric_limits<double>::quiet_NaN();
    noAmount->maturitySettleAmount = 0;
    ContractPtr noAccount = store(contract("ZI", "SZ", '1', '1', IN_TERM));
    noAccount->repurchaseRate = std::numeric_limits<double>::infinity();
    noAccount->accountInfo.reset();
    p.sink.events.clear();
    p.op.contracts.clear();
    p.table->queryContracts(false);
    EXPECT_EQ(p.op.contracts, p.keys(true));
    EXPECT_EQ(p.announced(), p.keys(true));
    EXPECT_EQ(line(rows->rowCount(), rows->statText(6), rows->statText(11),
                   rows->itemText(p.rowOf("ZN"), 11), rows->itemText(p.rowOf("ZB"), 11),
                   rows->itemText(p.rowOf("ZI"), 1)),
              "7 非法值 非法值 非法值 0.00 -");
}

TEST_F(ContractTableTest, refreshAppliesTheCurrentAnswerOnlyToTheAccountAndTableThatAsked)
{
    store(contract("OLD", "SH", '1', '1', IN_TERM));
    Panel p(TC::OPT_AGREEMENT_EARLY_REPURCHASE, kLoggedInAccount);
    XP::CSmallNoNormalButton *refresh = p.table->refreshButton();
    refresh->click();
    EXPECT_EQ(p.rows()->rowCount(), 0); // cleared for a cash broker account
    refresh->click();
    ASSERT_EQ(tradeClient()->receivedQueries().size(), 1u);
    const ttservice::CQueryDataReqPtr request = tradeClient()->receivedQueries().front();
    EXPECT_EQ(request->dataType, 788);
    EXPECT_EQ(request->accountInfo->getKey(), kLoggedInAccount);

    const std::vector<ttservice::IDataPtr> answer {
        contract("N1", "SH", '1', '1', MATURED), nullptr, contract("N2", "SZ", '1', '2', IN_TERM),
        contract("N3", "SH", '1', '3', IN_TERM), position("SH", "122000", 1)
    };
    std::vector<TC::CQueryCall> calls = tradeClient()->takePendingQueries();
    ASSERT_EQ(calls.size(), 1u);
    std::thread counter([&] { calls.front().answer(utils::TTError(), answer); });
    counter.join();
    EXPECT_FALSE(refresh->isEnabled()); // the answer waits for the GUI thread
    QCoreApplication::processEvents();
    EXPECT_TRUE(refresh->isEnabled());
    EXPECT_EQ(p.keys(), (Keys { "N2", "N1" }));
    EXPECT_EQ(p.op.contracts.back(), "N2");
    EXPECT_TRUE(accountData(kLoggedInAccount)->getData(788, "N1"));

    // An answer that never comes: the fallback releases the button.
    refresh->click();
    EXPECT_FALSE(refresh->isEnabled());
    auto *fallback = p.table->findChild<QTimer *>(QStringLiteral("refreshTimeout"));
    ASSERT_TRUE(fallback && fallback->isActive());
    EXPECT_EQ(fallback->interval(), 30000);
    QTimerEvent timeout(fallback->timerId());
    QCoreApplication::sendEvent(fallback, &timeout);
    EXPECT_TRUE(refresh->isEnabled());
    refresh->click();
    EXPECT_EQ(tradeClient()->receivedQueries().size(), 3u);
    // The answer to the query the fallback gave up on comes late: it is dropped.
    calls = tradeClient()->takePendingQueries();
    ASSERT_EQ(calls.size(), 2u);
    calls.front().answer(utils::TTError(), { contract("LATE", "SH", '1', '1', IN_TERM) });
    QCoreApplication::processEvents();
    EXPECT_EQ(p.keys(), Keys());
    EXPECT_FALSE(accountData(kLoggedInAccount)->getData(788, "LATE"));

    // An answer for the account the form showed before is not applied to the one it shows.
    const int announced = int(p.announced().size());
    p.op.setCurrentAccount(QString::fromLatin1(kRefreshingAccount));
    calls.back().answer(utils::TTError(), { contract("STALE", "SH", '1', '1', IN_TERM) });
    QCoreApplication::processEvents();
    EXPECT_EQ(line(refresh->isEnabled(), int(p.keys().size()), int(p.announced().size())),
              line(true, 0, announced));
    EXPECT_FALSE(accountData(kRefreshingAccount)->getData(788, "STALE"));
}

TEST_F(ContractTableTest, rowsOfAnotherBrokersAccountOutliveFailedAndEmptyAnswers)
{
    ttservice::CAccountInfo info;
    info.accountId = "10004";
    info.brokerType = 2; // not a cash broker
    TC::getUserConfig()->addAccount(info);
    store(contract("R", "SH", '1', '1', IN_TERM, "10004"), "10004");
    Panel p(TC::OPT_AGREEMENT_EARLY_REPURCHASE, "10004");
    for (const utils::TTError &error : { utils::TTError(-3, "timeout"), utils::TTError() }) {
        p.table->refreshButton()->click();
        ASSERT_TRUE(answerQuery(788, {}, error));
        EXPECT_EQ(p.keys(), Keys { "R" });
        EXPECT_TRUE(p.table->refreshButton()->isEnabled());
    }
    EXPECT_EQ(p.op.reloads, 2);
}

TEST_F(ContractTableTest, bondCountOpensThePledgedBondDialog)
{
    ContractPtr two = contract("P2", "SH", '1', '1', IN_TERM);
    two->pledgedBonds = { pledgedBond("SH", "019547", 1000, '0', "国债1901"),
                          pledgedBond("SZ", "101901", 2500, '0', "国债1902", '1') };
    store(two);
    store(contract("P0", "SH", '1', '1', IN_TERM));
    Panel p(TC::OPT_AGREEMENT_EARLY_REPURCHASE, kLoggedInAccount);
    p.rows()->sortByColumn(12, Qt::AscendingOrder); // P0 first: rows are found by id

    // The dialog is kept for the next click: what it showed is read from it.
    XP::CScriptedDialogResponder responder;
    responder.setDialogHandler([](QDialog *) { return int(QDialog::Accepted); });
    const int row = p.rowOf("P2");
    ASSERT_EQ(p.rows()->itemText(row, 4), QStringLiteral("2"));
    p.rows()->itemControl(row, 4)->click();
    ASSERT_EQ(responder.askedCount(XP::CScriptedDialogResponder::ASK_DIALOG), 1);
    ASSERT_NE(p.table->pledgeBondDialog(), nullptr);
    XP::COddEvenRowTable &bonds = *p.table->pledgeBondDialog()->table();
    EXPECT_EQ(headerTexts(bonds),
              (QStringList { "债券市场", "债券代码", "债券名称", "质押数量", "股份性质" }));
    ASSERT_EQ(bonds.rowCount(), 2);
    EXPECT_EQ(rowTexts(bonds, 0), (QStringList { "SH", "019547", "国债1901", "1000", "非限售股" }));
    EXPECT_EQ(rowTexts(bonds, 1) << bonds.statText(3),
              (QStringList { "SZ", "101901", "国债1902", "2500", "限售股", "3500" }));
    bonds.setColumnFilter(2, { QStringLiteral("国债1902") });
    ASSERT_EQ(bonds.shownRowCount(), 1);

    // Another contract's bonds replace them, and the filter goes.
    p.rows()->itemControl(p.rowOf("P0"), 4)->click();
    EXPECT_EQ(line(responder.askedCount(XP::CScriptedDialogResponder::ASK_DIALOG), bonds.rowCount(),
                   bonds.statText(3), bonds.hasFilter()),
              "2 0 0 0");
}

} // namespace

// A batched fill ends as filling each contract in turn, in any order, leaves the form, cells
// that only some contracts fill (SZ settlement, original pledge code, settled amount) included.
TEST_F(ContractTableTest, aFillEndsWithTheFormAsFillingEachContractInTurnLeavesIt)
{
    std::vector<ContractPtr> made = {
        store(contract("P1", "SZ", '1', '1', IN_TERM)),
        store(contract("P2", "SH", '1', '2', MATURED)),
        store(contract("P3", "SH", '1', '1', BEFORE_FIRST)),
        store(contract("P4", "SZ", '2', '8', FIRST_TODAY)),
    };
    Keys keys;
    for (size_t i = 0; i < made.size(); ++i) {
        made[i]->repurchaseAmount = 100000.0 * double(i + 1);
        made[i]->maturitySettleAmount = made[i]->repurchaseAmount + 500.0 * double(i + 1);
        if (i % 2 == 0)
            made[i]->pledgedBonds.push_back(
                pledgedBond(made[i]->market, "01954" + std::to_string(i), 100, '0', "债券"));
        keys.push_back(made[i]->getKey());
    }
    std::sort(keys.begin(), keys.end());
    const auto formTexts = [](Form &form) {
        QStringList texts;
        for (const QLineEdit *edit : form.findChildren<QLineEdit *>())
            texts << edit->text();
        return texts << QString::fromStdString(form.contractKey());
    };
    for (TC::ETradeOperationType type :
         { TC::OPT_AGREEMENT_MATURITY_CONFIRM, TC::OPT_AGREEMENT_EARLY_REPURCHASE,
           TC::OPT_AGREEMENT_MATURITY_RENEWAL, TC::OPT_AGREEMENT_PLEDGE_CHANGE,
           TC::OPT_AGREEMENT_PLEDGE_RELEASE }) {
        SCOPED_TRACE(type);
        const auto inTurn = makeForm(type);
        const auto batched = makeForm(type);
        int round = 0;
        do {
            Keys fill = keys;
            if (++round % 3 == 0) // a key not found comes last
                fill.push_back("SH-no-such-contract");
            for (const std::string &key : fill)
                inTurn->setContract(key);
            batched->beginContractFill();
            for (const std::string &key : fill)
                batched->setContract(key);
            batched->endContractFill();
            ASSERT_EQ(formTexts(*batched), formTexts(*inTurn)) << ::testing::PrintToString(fill);
        } while (std::next_permutation(keys.begin(), keys.end()));
    }
}
