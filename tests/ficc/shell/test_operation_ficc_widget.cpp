#include "HostFixture.h"
#include "QtPrinters.h"

#include "agreement/CAgreementConfirmWidget.h"
#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementRepurchaseWidgetDec.h"
#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementTableWidget.h"
#include "agreement/CAgreementTurnDealWidget.h"
#include "agreement/COpAgreementRepurchaseWidget.h"
#include "agreement/IBaseAgreementContentWidget.h"
#include "quotation/COpQuotationRepurchaseWidget.h"
#include "quotation/CQuotationTableWidget.h"
#include "shell/COperationFiccWidget.h"
#include "spot/COpTransactionInCashWidget.h"
#include "tc/CCanOrderNum.h"
#include "tc/COpAccountsWidget.h"
#include "tc/COperationPushButtonGroup.h"
#include "tc/CUserManager.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "xp/CParameterCell.h"
#include "xp/CPushButton.h"
#include "xp/CWidgetList.h"

#include <QMap>
#include <QPair>

#include <boost/make_shared.hpp>

#include <memory>

namespace {

// The businesses offered, one bit each, in the order of their modes 1, 2 and 3.
enum Offer { Quotation = 1, Agreement = 2, Spot = 4, AllOffers = 7 };

class SwitcherTest : public HostFixture
{
protected:
    std::unique_ptr<TC::COperationFiccWidget> build(int offer)
    {
        TC::CUserConfig *config = TC::getUserConfig();
        config->setQuotationRepurchase(offer & Quotation);
        config->setPledgeAgreeRepurchase(offer & Agreement);
        config->setSpotTrade(offer & Spot);
        auto w = std::make_unique<TC::COperationFiccWidget>(nullptr);
        w->resize(1200, 500);
        return w;
    }

    // The mode whose page is shown, -1 for several (isHidden: the test switcher has no parent).
    static int shownMode(TC::COperationFiccWidget &w)
    {
        const QWidget *pages[] = { w.quotationPage(), w.agreementPage(), w.spotPage() };
        int shown = 0;
        for (int mode = 1; mode <= 3; ++mode) {
            if (pages[mode - 1] && !pages[mode - 1]->isHidden())
                shown = shown ? -1 : mode;
        }
        return shown;
    }

    // The checked tab, the page shown and the parameter text the panel saves.
    static QString state(TC::COperationFiccWidget &w)
    {
        return QString::asprintf("tab %d, page %d, param ", w.tabGroup()->checkedId(), shownMode(w))
            + w.param();
    }
};

} // namespace

TEST_F(SwitcherTest, tabsPagesAndParameterTextFollowTheOfferedBusinesses)
{
    // The tabs with their images (the last closes the column) and the parameter text of each
    // offered mode, its first field; deployment 100 starts on the intention declaration (1000).
    const struct
    {
        int offer;
        QStringList tabs, params;
    } cases[] = {
        { 0, {}, {} },
        { Quotation, { "报价回购 mode" }, { "1/" } },
        { Agreement, { "协议回购 mode" }, { "2//1000" } },
        { Quotation | Agreement, { "报价回购 top", "协议回购 mode" }, { "1//1000", "2//1000" } },
        { Spot, { "现券交易 mode" }, { "3" } },
        { Quotation | Spot, { "报价回购 top", "现券交易 mode" }, { "1/", "3/" } },
        { Agreement | Spot, { "协议回购 top", "现券交易 mode" }, { "2//1000", "3//1000" } },
        { AllOffers,
          { "报价回购 top", "协议回购 top", "现券交易 mode" },
          { "1//1000", "2//1000", "3//1000" } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << "offer " << c.offer);
        auto w = build(c.offer);
        QStringList tabs;
        for (const XP::CPushButton *tab : w->tabGroup()->buttons())
            tabs << tab->text() + ' ' + tab->imageKey().remove("tc_img_btn_left_tab_");
        EXPECT_EQ(tabs, c.tabs);

        EXPECT_EQ(w->quotationPage() != nullptr, bool(c.offer & Quotation));
        EXPECT_EQ(w->agreementPage() != nullptr, bool(c.offer & Agreement));
        EXPECT_EQ(w->agreementList() != nullptr, bool(c.offer & Agreement));
        if (c.offer & Agreement) {
            EXPECT_EQ(
                w->agreementList()->widgets(),
                (QList<QWidget *> { w->contractTable(), w->pledgeBondTable(), w->pledgePosTable(),
                                    w->turnDealTable(), w->confirmTable() }));
        }
        EXPECT_EQ(w->spotPage() != nullptr, bool(c.offer & Spot));
        EXPECT_EQ(w->spotAccounts() != nullptr, bool(c.offer & Spot));
        // The quotation table always exists, and is never shown.
        ASSERT_NE(w->quotationTable(), nullptr);
        EXPECT_TRUE(w->quotationTable()->isHidden());

        // The first offered mode is shown; a fresh switcher restores each mode from its text.
        const int first = c.params.value(0).left(1).toInt();
        EXPECT_EQ(state(*w),
                  QString::asprintf("tab %d, page %d, param ", first ? first : -1, first)
                      + c.params.value(0));
        for (const QString &text : c.params) {
            const int mode = text.left(1).toInt();
            w->setCurrentOperationType(TC::COperationFiccWidget::operationTypeOfMode(mode));
            EXPECT_EQ(w->param(), text);
            auto restored = build(c.offer);
            restored->setParam(text);
            EXPECT_EQ(state(*restored), QString("tab %1, page %1, param %2").arg(mode).arg(text));
        }
    }
}

TEST_F(SwitcherTest, agreementFieldIsReadInPlaceWhateverTheMode)
{
    auto w = build(Agreement | Spot);
    w->setCurrentOperationType(TC::OPT_AGREEMENT_DEAL_DECLARATION);
    w->setParam(QStringLiteral("2//1001"));
    EXPECT_EQ(state(*w), "tab 2, page 2, param 2//1001");
    w->setParam(QStringLiteral("3"));
    EXPECT_EQ(state(*w), "tab 3, page 3, param 3//1001");

    // An unknown mode, or that of a business no longer offered, leaves the mode as it is but
    // still hands the agreement field over.
    auto all = build(AllOffers);
    all->setParam(QStringLiteral("5//1001"));
    EXPECT_EQ(state(*all), "tab 1, page 1, param 1//1001");
    auto withdrawn = build(Quotation | Spot);
    withdrawn->setParam(QStringLiteral("2//1003"));
    EXPECT_EQ(state(*withdrawn), "tab 1, page 1, param 1/");

    // Garbage keeps a mode that is shown; a non-numeric mode is ignored.
    all = build(AllOffers);
    all->setParam(QStringLiteral("2//1005#1003"));
    EXPECT_EQ(state(*all), "tab 2, page 2, param 2//1005");
    for (const QString &text : { QString("3abc//1004"), QString("-1//x"), QString(5000, '/') }) {
        all->setParam(text);
        EXPECT_EQ(state(*all), "tab 2, page 2, param 2//1004") << text.left(10).toStdString();
    }
}

TEST_F(SwitcherTest, tabClickStoresTypeAndSetsUpTheSpotAccountList)
{
    auto w = build(AllOffers);
    // The stored type, the page shown, and the spot account list's type, side and visibility.
    const auto now = [&] {
        const TC::COpAccountsWidget *list = w->spotAccounts();
        return QString::asprintf("type %d, page %d; accounts %d, side %d%s",
                                 w->currentOperationType(), shownMode(*w), list->tradeOpType(),
                                 list->operationType(), list->isHidden() ? ", hidden" : "");
    };
    w->spotAccounts()->setOperationType(ttservice::OPERATION_TYPE_SELL);
    EXPECT_TRUE(w->handleEvent(5, 3, 0, QString(), nullptr));
    EXPECT_EQ(now(), "type 14014, page 3; accounts 14014, side 1052");
    // The spot page starts on the first logged-in account.
    EXPECT_EQ(w->spotPage()->currentAccount(), kLoggedInAccount);
    EXPECT_TRUE(w->handleEvent(5, 2, 0, QString(), nullptr));
    EXPECT_EQ(now(), "type 14006, page 2; accounts 14006, side 1052, hidden");
    // An unknown tab id reports the quoted repurchase type and switches nothing.
    EXPECT_TRUE(w->handleEvent(5, 7, 0, QString(), nullptr));
    EXPECT_EQ(now(), "type 14001, page 2; accounts 14001, side 1052, hidden");
    // Switching by type shows a page for the three modes only and stores no type.
    w->setCurrentOperationType(TC::OPT_SPOT_BOND_TRADE);
    w->setCurrentOperationType(TC::OPT_AGREEMENT_PLEDGE_RELEASE);
    EXPECT_EQ(now(), "type 14001, page 3; accounts 14014, side 1052");
}

TEST_F(SwitcherTest, spotEventsReachTheAccountListAndPage)
{
    auto w = build(Spot);
    TC::COpAccountsWidget *accounts = w->spotAccounts();

    EXPECT_TRUE(w->handleEvent(1158, 0, Qt::AlignLeft, QString(), nullptr));
    EXPECT_EQ(w->spotPage()->accountsAlignment(), int(Qt::AlignLeft));
    EXPECT_TRUE(w->handleEvent(1158, 0, 4, QString(), nullptr));
    EXPECT_EQ(w->spotPage()->accountsAlignment(), int(Qt::AlignLeft));

    QMap<std::string, QPair<double, double>> split;
    split.insert(kLoggedInAccount, qMakePair(30.0, 0.0));
    EXPECT_TRUE(w->handleEvent(1159, 14014, 0, QString(), nullptr));
    EXPECT_TRUE(w->handleEvent(1159, 14014, 0, QString(), &split));
    EXPECT_EQ(accounts->accountSplitVol(kLoggedInAccount), qMakePair(30.0, 0.0));

    // Quantities of a buy or a sell reach the list; other sides and missing figures do not.
    TC::CCanOrderNum num { 1200, 340 };
    TC::CCanOrderNum out;
    EXPECT_TRUE(w->handleEvent(1160, 1051, 0, kLoggedInAccount, &num));
    EXPECT_TRUE(w->handleEvent(1160, 1052, 0, kLoggedInAccount, nullptr));
    EXPECT_FALSE(accounts->canOrderNum(kLoggedInAccount, &out));
    for (int side : { 1052, 1053 }) {
        num.buyVolume = side;
        EXPECT_TRUE(w->handleEvent(1160, side, 0, kLoggedInAccount, &num));
        ASSERT_TRUE(accounts->canOrderNum(kLoggedInAccount, &out)) << side;
        EXPECT_EQ(out.buyVolume, side);
        EXPECT_EQ(out.sellVolume, 340);
    }

    // The list announces its selection; the page follows it.
    accounts->setSelectedAccount(kRefreshingAccount, true);
    EXPECT_TRUE(w->handleEvent(1161, 0, 0, QString(), nullptr));
    const std::set<QString> selected = accounts->getSelectedAccounts();
    ASSERT_FALSE(selected.empty());
    EXPECT_EQ(w->spotPage()->currentAccount(), selected.rbegin()->toStdString());
}

TEST_F(SwitcherTest, agreementEventsReachThePageAndPositionsTable)
{
    auto w = build(AllOffers);
    // The pledge tables changed: the form shown takes their ticked rows, here none.
    auto *intention = dynamic_cast<TC::CAgreementRepurchaseWidgetIntention *>(
        w->agreementPage()->currentOperationWidget());
    ASSERT_NE(intention, nullptr);
    ttservice::CPledgedBondInfo row;
    row.market = "SH";
    row.bondCode = "019547";
    row.pledgeVolume = 10;
    intention->setPledgePosSelection({ row });
    ASSERT_EQ(intention->repoForm()->firstSelection().size(), 1);
    EXPECT_TRUE(w->handleEvent(1291, 0, 0, QString(), nullptr));
    EXPECT_TRUE(intention->repoForm()->firstSelection().isEmpty());

    // A turned order opens the deal declaration filled from that order.
    auto order = boost::make_shared<ttservice::CRepurchaseIntentionOrder>();
    order->orderNo = "IO1";
    order->repurchaseDays = 14;
    accountData(kLoggedInAccount)->updateData(order, false);
    EXPECT_TRUE(w->handleEvent(1292, 0, 0, QStringLiteral("IO1"), nullptr));
    EXPECT_EQ(w->agreementPage()->param(), QStringLiteral("1001"));
    EXPECT_EQ(w->agreementPage()->currentOperationType(), TC::OPT_AGREEMENT_DEAL_DECLARATION);
    auto *dec = dynamic_cast<TC::CAgreementRepurchaseWidgetDec *>(
        w->agreementPage()->operationWidget(1001));
    ASSERT_NE(dec, nullptr);
    EXPECT_EQ(dec->form()->cells().days->text(), QStringLiteral("14"));
    // A refresh of the accounts reaches the forms: the funds are shown again.
    dec->form()->cells().funds->setText(QString());
    w->refreshAccounts();
    EXPECT_EQ(dec->form()->cells().funds->text(), QStringLiteral("1000000.00"));

    // Bubbling from a table placed below the page reaches the switcher.
    EXPECT_TRUE(w->contractTable()->deliverEvent(1293, 0, 0, QStringLiteral("合同C001")));
    EXPECT_EQ(w->pledgePosTable()->shownContract(), std::string("合同C001"));
}

TEST_F(SwitcherTest, eventsWithoutTargetAreSwallowedAndOthersPassOn)
{
    auto w = build(0);
    TC::CCanOrderNum num;
    for (int e : { 5, 1158, 1160, 1161, 1291, 1292, 1293 })
        EXPECT_TRUE(w->handleEvent(e, 1052, 1, QStringLiteral("x"), &num)) << e;
    EXPECT_FALSE(w->handleEvent(103, 0, 0, QString(), nullptr));
    EXPECT_FALSE(w->handleEvent(71, 0, 0, QString(), nullptr));
}
