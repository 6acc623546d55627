#include "AgreementFormFixture.h"
#include "HostServices.h"

#include "agreement/CAgreementConfirmWidget.h"
#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementSingleFormWidget.h"
#include "agreement/CAgreementTableWidget.h"
#include "agreement/CAgreementTurnDealWidget.h"
#include "agreement/COpAgreementRepurchaseWidget.h"
#include "agreement/IBaseAgreementContentWidget.h"
#include "tc/CMsgService.h"
#include "tc/CUserManager.h"
#include "xp/CComboBox.h"
#include "xp/CParameterCell.h"
#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"

namespace {

using AgreementSelectorTest = HostFixture;

// The page's buttons as "id text".
QStringList buttons(TC::COpAgreementRepurchaseWidget &page)
{
    QStringList buttons;
    for (XP::CPushButton *b : page.buttonGroup()->buttons())
        buttons << QString::number(b->id()) + " " + b->text();
    return buttons;
}

// The page with the five tables below it, as the mode switcher wires them.
struct WiredPage
{
    TC::COpAgreementRepurchaseWidget page { nullptr };
    TC::CAgreementTableWidget contracts { nullptr };
    TC::CAgreementPledgeBondWidget pledgeBonds { true, nullptr };
    TC::CAgreementPledgePosWidget positions { true, nullptr };
    TC::CAgreementTurnDealWidget turnDeals { nullptr };
    TC::CAgreementConfirmWidget confirmations { nullptr };

    WiredPage()
    {
        page.setContractTableWidget(&contracts);
        page.setPledgeBondWidget(&pledgeBonds);
        page.setPledgePosWidget(&positions);
        page.setTurnDealWidget(&turnDeals);
        page.setConfirmWidget(&confirmations);
    }
    // Which tables show: contracts, pledge bonds, positions, turn deals, confirmations.
    std::string shownTables() const
    {
        std::string s;
        for (const QWidget *t : std::initializer_list<const QWidget *> {
                 &contracts, &pledgeBonds, &positions, &turnDeals, &confirmations })
            s += t->isHidden() ? '-' : 'x';
        return s;
    }
    // How many operation widgets show.
    int shownWidgets() const
    {
        int n = 0;
        for (int id = 1000; id <= 1006; ++id)
            n += page.operationWidget(id) && !page.operationWidget(id)->isHidden() ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(AgreementSelectorTest, buttonsFollowTheDeployment)
{
    for (int code : { 90, 91, 101, 100, 200, 80 }) {
        TC::getUserConfig()->deploymentCode = code;
        TC::COpAgreementRepurchaseWidget page(nullptr);
        EXPECT_EQ(
            buttons(page),
            (QStringList { "1000 意向申报(沪)", "1001 成交申报", "1002 到期确认", "1003 提前购回",
                           "1004 到期续做", "1005 质押券变更", "1006 解除质押" }))
            << code;
        EXPECT_EQ(page.param(), QStringLiteral("1000"));
    }
    TC::getUserConfig()->deploymentCode = 400;
    TC::COpAgreementRepurchaseWidget sellOnly(nullptr);
    EXPECT_EQ(buttons(sellOnly), QStringList { "1003 提前购回" });
    EXPECT_EQ(sellOnly.currentOperationId(), 1003);

    // No operation offered: no button, every widget and table hidden.
    TC::getUserConfig()->deploymentCode = 7;
    WiredPage none;
    none.page.showPage(true);
    EXPECT_TRUE(buttons(none.page).isEmpty());
    EXPECT_EQ(none.page.currentOperationWidget(), nullptr);
    // The group's param is "-1" when nothing is checked.
    EXPECT_EQ(line(none.page.currentOperationId(), none.page.param(), none.shownWidgets(),
                   none.shownTables()),
              "-1 -1 0 -----");
}

TEST_F(AgreementSelectorTest, cashAccountsAndOrderButtonsReachTheVisibleOperation)
{
    TC::COpAgreementRepurchaseWidget page(nullptr);
    // 10002 has no funds record; the other two are cash accounts with funds.
    EXPECT_EQ(page.accountKeys(), (std::set<std::string> { kLoggedInAccount, kRefreshingAccount }));
    // A refresh shows the funds in the forms, which offer the page's accounts.
    auto *intention
        = dynamic_cast<TC::CAgreementRepurchaseWidgetIntention *>(page.currentOperationWidget());
    ASSERT_NE(intention, nullptr);
    intention->currentForm()->cells().funds->setText(QString());
    page.refreshOperations();
    EXPECT_EQ(line(intention->currentForm()->cells().account->count(),
                   intention->currentForm()->cells().funds->text()),
              "2 1000000.00");

    // Order buttons run the visible operation: the empty intention form's refusal shows it.
    EXPECT_TRUE(page.handleEvent(5, 0, 0, QString(), nullptr));
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_TRUE(page.handleEvent(5, 8, 0, QString(), nullptr));
    EXPECT_EQ(messages().size(), 2u);
    // Other ids neither run nor switch anything.
    for (int id : { 9, 12, 99, 100, 102, 1007 })
        EXPECT_TRUE(page.handleEvent(5, id, 0, QString(), nullptr)) << id;
    EXPECT_EQ(line(int(messages().size()), page.currentOperationId()), "2 1000");
}

TEST_F(AgreementSelectorTest, eachOperationShowsItsWidgetAndTables)
{
    WiredPage w;
    const struct
    {
        int id;
        TC::ETradeOperationType type;
        const char *tables;
    } expected[] = {
        { 1001, TC::OPT_AGREEMENT_DEAL_DECLARATION, "--x-x" },
        { 1002, TC::OPT_AGREEMENT_MATURITY_CONFIRM, "x----" },
        { 1003, TC::OPT_AGREEMENT_EARLY_REPURCHASE, "x---x" },
        { 1004, TC::OPT_AGREEMENT_MATURITY_RENEWAL, "x---x" },
        { 1005, TC::OPT_AGREEMENT_PLEDGE_CHANGE, "x-x-x" },
        { 1006, TC::OPT_AGREEMENT_PLEDGE_RELEASE, "x---x" },
        { 1000, TC::OPT_AGREEMENT_INTENTION_REPO, "--xx-" },
    };
    for (const auto &e : expected) {
        SCOPED_TRACE(e.id);
        EXPECT_TRUE(w.page.handleEvent(5, e.id, 0, QString(), nullptr));
        TC::IBaseAgreementRepurchaseWidget *current = w.page.currentOperationWidget();
        ASSERT_EQ(current, w.page.operationWidget(e.id));
        EXPECT_EQ(w.page.currentOperationType(), e.type);
        EXPECT_EQ(line(current->isHidden(), w.shownWidgets(), w.shownTables()),
                  line(0, 1, e.tables));
        // A table that shows works on the visible widget.
        const auto serves = [current](const auto &table) {
            return table.isHidden() || table.operationWidget() == current;
        };
        EXPECT_TRUE(serves(w.contracts) && serves(w.confirmations) && serves(w.turnDeals));
        // An account change makes the operations that answer declarations ask again.
        msgService()->clear();
        EXPECT_TRUE(w.page.handleEvent(71, 0, 0, QString(), nullptr));
        EXPECT_EQ(messages(),
                  e.id >= 1003 && e.id <= 1006
                      ? std::vector<std::string> { "交易员为空，请填写要查询的交易员!" }
                      : std::vector<std::string>());
    }

    // The intention's side switch reaches the page and turns the pledge bond table on.
    auto *intention
        = dynamic_cast<TC::CAgreementRepurchaseWidgetIntention *>(w.page.operationWidget(1000));
    ASSERT_NE(intention, nullptr);
    intention->sideGroup()->button(11)->click();
    EXPECT_EQ(w.page.currentOperationType(), TC::OPT_AGREEMENT_INTENTION_REVERSE_REPO);
    EXPECT_EQ(line(w.shownTables(), intention->isHidden()), "-x-x- 0");
    EXPECT_EQ(w.turnDeals.operationWidget(), intention);
    intention->sideGroup()->button(10)->click();
    EXPECT_EQ(w.page.currentOperationType(), TC::OPT_AGREEMENT_INTENTION_REPO);
    EXPECT_EQ(w.shownTables(), std::string("--xx-"));
}

TEST_F(AgreementSelectorTest, restoredOrTurnDealOperationShowsItsWidgetAndTables)
{
    WiredPage w;
    w.page.setParam(QStringLiteral("1005"));
    EXPECT_EQ(line(w.page.param(), w.page.operationWidget(1005)->isHidden(), w.shownWidgets(),
                   w.shownTables()),
              "1005 0 1 x-x-x");
    // An empty text keeps the operation; of several numbers the first counts.
    w.page.setParam(QString());
    EXPECT_EQ(w.page.param(), QStringLiteral("1005"));
    w.page.setParam(QStringLiteral("##1002#1004"));
    EXPECT_EQ(w.page.param(), QStringLiteral("1002"));
    // An intention order turned into a deal opens the deal declaration.
    w.page.declareDealFromTurnDeal(QStringLiteral("SH|T0001"));
    EXPECT_EQ(w.page.currentOperationType(), TC::OPT_AGREEMENT_DEAL_DECLARATION);
    EXPECT_EQ(line(w.page.param(), w.shownTables()), "1001 --x-x");
    // It takes its amount from the ticked positions: none here, over what was typed.
    auto *deal = dynamic_cast<TC::CAgreementSingleFormWidget *>(w.page.currentOperationWidget());
    ASSERT_NE(deal, nullptr);
    deal->form()->cells().amount->setText(QStringLiteral("1000500"));
    w.page.applyTableSelection();
    EXPECT_EQ(deal->form()->cells().amount->text(), QStringLiteral("0.00"));
}
