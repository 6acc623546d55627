#include "AgreementFormFixture.h"
#include "HostServices.h"

#include "agreement/CAgreementRepurchaseWidgetAdvance.h"
#include "agreement/CAgreementRepurchaseWidgetChange.h"
#include "agreement/CAgreementRepurchaseWidgetConfirm.h"
#include "agreement/CAgreementRepurchaseWidgetDec.h"
#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementRepurchaseWidgetRelease.h"
#include "agreement/CAgreementRepurchaseWidgetRenew.h"
#include "agreement/CAgreementSingleFormWidget.h"
#include "tc/CAlgorithmHelpDialog.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/CUserManager.h"
#include "utils/CSingletonT.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CComboBox.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CSmallNormalButton.h"

#include <memory>

namespace {

using namespace TC;

struct SingleVariant
{
    const char *name;
    CAgreementSingleFormWidget *(*make)();
    ETradeOperationType type;
    int buttonId, buttonType;
    const char *buttonText;
    bool takesPositions, takesSecond;
};

template<class T> CAgreementSingleFormWidget *make()
{
    return new T(nullptr);
}

const SingleVariant kSingleVariants[] = {
    { "Dec", make<CAgreementRepurchaseWidgetDec>, OPT_AGREEMENT_DEAL_DECLARATION, 2, 3, "正回购",
      true, false },
    { "Confirm", make<CAgreementRepurchaseWidgetConfirm>, OPT_AGREEMENT_MATURITY_CONFIRM, 4, 0,
      "到期确认", false, false },
    { "Advance", make<CAgreementRepurchaseWidgetAdvance>, OPT_AGREEMENT_EARLY_REPURCHASE, 5, 0,
      "提前购回", false, false },
    { "Renew", make<CAgreementRepurchaseWidgetRenew>, OPT_AGREEMENT_MATURITY_RENEWAL, 6, 0,
      "到期续做", false, false },
    { "Change", make<CAgreementRepurchaseWidgetChange>, OPT_AGREEMENT_PLEDGE_CHANGE, 7, 0,
      "质押券变更", true, true },
    { "Release", make<CAgreementRepurchaseWidgetRelease>, OPT_AGREEMENT_PLEDGE_RELEASE, 8, 0,
      "解除质押", false, false },
};

class AgreementVariantTest : public AgreementFormFixture
{
protected:
    // A valid declaration: 1,000,000 for 3 days at 2.5% against 1,200,000 of face value.
    void fillValidDeclaration(CAgreementRepurchaseWidgetDec &dec)
    {
        dec.setAccountKeys(&m_keys);
        dec.setPledgePosSelection({ pledgeRow("019547", 500000, 5000),
                                    pledgeRow("122000", 400000, 4000),
                                    pledgeRow("019548", 300000, 3000) });
        Form &form = *dec.form();
        typeTerms(form, "3", "2.5", "1000000");
        const std::pair<int, const char *> texts[]
            = { { 12, "D1 银行甲" }, { 13, "S1 主体一" }, { 14, "S3 主体三" },
                { 19, "T1 张三" },   { 20, "T7 王五" },   { 21, "D2 券商乙" } };
        for (const auto &t : texts) {
            if (XP::CAutoKeyboardLineEdit *cell = form.dealerCell(t.first))
                cell->setText(QString::fromUtf8(t.second));
        }
        form.cells().counterpartyDealerName->setText(QStringLiteral(" 券商乙 "));
        form.cells().subjectType->setCurrentIndex(3);
    }

    std::set<std::string> m_keys { kLoggedInAccount, kRefreshingAccount };
};

} // namespace

TEST_F(AgreementVariantTest, singleFormVariantsBuildTheirFormAndButtonAndForwardToTheForm)
{
    for (int deployment : { 100, 200 }) {
        getUserConfig()->deploymentCode = deployment;
        for (const SingleVariant &v : kSingleVariants) {
            SCOPED_TRACE(std::string(v.name) + " " + std::to_string(deployment));
            std::unique_ptr<CAgreementSingleFormWidget> w(v.make());
            Form *form = w->form();
            const XP::CSmallNormalButton *b = w->orderButton();
            EXPECT_EQ(
                line(w->operationType(), form->operationType(), b->id(), b->buttonType(), b->text(),
                     b->isEnabled()),
                line(v.type, v.type, v.buttonId, v.buttonType, v.buttonText, deployment != 200));
            if (deployment == 200)
                continue;

            w->setAccountKeys(&m_keys);
            EXPECT_EQ(form->accountKeys(), m_keys);
            w->setCurrentAccount(QString::fromLatin1(kRefreshingAccount));
            EXPECT_EQ(w->currentAccountKey(), QString::fromLatin1(kRefreshingAccount));
            if (XP::CAutoKeyboardLineEdit *trader = form->dealerCell(Form::CELL_TRADER)) {
                trader->setText(QStringLiteral("T9 李四"));
                EXPECT_EQ(w->traderCode(), std::string("T9"));
            }

            const QList<ttservice::CPledgedBondInfo> first { pledgeRow("019547", 500000, 5000) };
            const QList<ttservice::CPledgedBondInfo> second { pledgeRow("122000", 400000, 4000),
                                                              pledgeRow("019548", 100, 1) };
            w->setPledgeBondSelection(second);
            EXPECT_TRUE(form->firstSelection().isEmpty()) << "pledge bond rows are the intention's";
            w->setPledgePosSelection(first);
            EXPECT_EQ(form->firstSelection().size(), v.takesPositions ? 1 : 0);
            w->setPledgePosSecondSelection(second);
            EXPECT_EQ(form->secondSelection().size(), v.takesSecond ? 2 : 0);
        }
    }
    CAgreementRepurchaseWidgetIntention intention(nullptr);
    EXPECT_FALSE(intention.repoButton()->isEnabled() || intention.reverseRepoButton()->isEnabled());
}

TEST_F(AgreementVariantTest, contractWidgetsEnableTheirButtonOnlyForTheirInstruction)
{
    CAgreementRepurchaseWidgetRelease release(nullptr);
    release.form()->setInstructionKey("I-7");
    release.setOrderEnabledForContract("I-8", false);
    EXPECT_TRUE(release.orderButton()->isEnabled());
    release.setOrderEnabledForContract("I-7", false);
    EXPECT_FALSE(release.orderButton()->isEnabled());
    release.setOrderEnabledForContract("I-7", true);
    EXPECT_TRUE(release.orderButton()->isEnabled());

    CAgreementRepurchaseWidgetConfirm confirm(nullptr);
    confirm.setOrderEnabledForContract(std::string(), false);
    EXPECT_FALSE(confirm.orderButton()->isEnabled()) << "no instruction matches the empty key";
}

TEST_F(AgreementVariantTest, intentionSwitchesSidesAndForwardsToTheSideShown)
{
    CAgreementRepurchaseWidgetIntention w(nullptr);
    // The side shown: its form, its order button, its operation type and parameter text.
    const auto expectSide = [&w](bool repo) {
        EXPECT_EQ(w.currentForm(), repo ? w.repoForm() : w.reverseRepoForm());
        EXPECT_EQ(line(w.side(), w.param(), w.operationType(), w.repoForm()->isHidden(),
                       w.reverseRepoForm()->isHidden(), w.repoButton()->isHidden(),
                       w.reverseRepoButton()->isHidden()),
                  repo ? line(10, "10", OPT_AGREEMENT_INTENTION_REPO, 0, 1, 0, 1)
                       : line(11, "11", OPT_AGREEMENT_INTENTION_REVERSE_REPO, 1, 0, 1, 0));
    };
    ASSERT_TRUE(w.repoForm() && w.reverseRepoForm());
    expectSide(true);
    // Each side's form type, the side checked, and the buttons' ids, kinds and texts.
    EXPECT_EQ(line(w.repoForm()->operationType(), w.reverseRepoForm()->operationType(),
                   w.sideGroup()->checkedId(), w.repoButton()->id(), w.repoButton()->buttonType(),
                   w.reverseRepoButton()->id(), w.reverseRepoButton()->buttonType(),
                   w.repoButton()->text(), w.reverseRepoButton()->text()),
              line(OPT_AGREEMENT_INTENTION_REPO, OPT_AGREEMENT_INTENTION_REVERSE_REPO, 10, 0, 3, 1,
                   0, "正回购", "逆回购"));

    // Accounts go to both sides, pledge bonds to the reverse side, positions to the repo side.
    w.setAccountKeys(&m_keys);
    EXPECT_TRUE(w.repoForm()->accountKeys() == m_keys
                && w.reverseRepoForm()->accountKeys() == m_keys);
    w.setPledgeBondSelection({ pledgeRow("019547", 500000, 5000) });
    w.setPledgePosSelection({ pledgeRow("122000", 400000, 4000), pledgeRow("019548", 1, 1) });
    w.setPledgePosSecondSelection({ pledgeRow("122000", 400000, 4000) });
    EXPECT_EQ(
        line(w.repoForm()->firstSelection().size(), w.reverseRepoForm()->firstSelection().size(),
             w.repoForm()->secondSelection().size(), w.reverseRepoForm()->secondSelection().size()),
        "2 1 0 0");
    // The account calls reach only the side shown.
    w.setCurrentAccount(QString::fromLatin1(kRefreshingAccount));
    EXPECT_EQ(line(w.repoForm()->currentAccountKey(), w.reverseRepoForm()->currentAccountKey()),
              "10003 10001");

    // The trader clicks 逆回购 in the side group; order clicks travel on to the page.
    w.sideGroup()->button(11)->click();
    expectSide(false);
    EXPECT_FALSE(w.handleEvent(5, 0, 0, QString(), nullptr));
    EXPECT_FALSE(w.handleEvent(5, 12, 0, QString(), nullptr));
    EXPECT_EQ(w.side(), 11) << "other clicks change nothing";
    EXPECT_FALSE(CAgreementRepurchaseWidgetDec(nullptr).handleEvent(5, 2, 0, QString(), nullptr));
    EXPECT_EQ(w.currentAccountKey(), QString::fromLatin1(kLoggedInAccount));
    // A saved side is its first number; any other text leaves the side alone.
    w.setParam(QStringLiteral("10&11&x"));
    expectSide(true);
    for (const bool repo : { true, false }) {
        w.setParam(QString(repo ? "10" : "11"));
        for (const char *text : { "", "12", "abc" }) {
            SCOPED_TRACE(text);
            w.setParam(QString::fromLatin1(text));
            expectSide(repo);
        }
    }
}

TEST_F(AgreementVariantTest, validDeclarationIsPlacedAsOneManualCommandOfWhatTheFormShows)
{
    CAgreementRepurchaseWidgetDec dec(nullptr);
    fillValidDeclaration(dec);
    LogCapture log;
    dec.doOperation();

    ASSERT_EQ(commandCenter()->commands().size(), 1u);
    const CCommandRecord &record = commandCenter()->commands().front();
    ASSERT_TRUE(record.param);
    const ttservice::COrderComandParam &command = *record.param;
    EXPECT_EQ(line(command.commandKind, command.commandSubKind, command.manual, command.commandMode,
                   command.commandOption, record.confirm, record.option, command.commandText),
              "1048576 0 1 0 0 1 0 -");

    // The orders are the form's own.
    std::vector<ttservice::CCodeOrderParam> expected;
    QString error, unused;
    ASSERT_TRUE(dec.form()->buildOrders(expected, error, unused)) << error.toStdString();
    EXPECT_EQ(command.orders, expected);
    EXPECT_EQ(CAlgorithmHelpDialog::callCount(), 1);
    EXPECT_EQ(CAlgorithmHelpDialog::lastOrders(), expected);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(log.count("[TC::CAgreementRepurchaseWidgetDec::doOperation] "
                        "placeCommands: [manual] repurchase deal."),
              1);

    // And they carry what the form shows.
    EXPECT_EQ(dec.form()->orderOperationType(), 1045);
    ASSERT_EQ(command.orders.size(), 1u);
    const ttservice::CCodeOrderParam &order = command.orders.front();
    const ttservice::CRepurchaseAgreementParam a = agreementOf(order);
    EXPECT_EQ(line(order.accountInfo->getKey(), order.stock.stockCode, order.stock.stockName,
                   a.bondCode, a.dealer, a.tradingEntity, a.counterpartyEntity, a.trader,
                   a.counterpartyTrader, a.counterpartyDealer, a.counterpartyDealerName),
              "10001 206003 SH回购3天 019548 D1 S1 S3 T1 T7 D2 券商乙");
    // Three days from Thursday 12 February settle after the Spring Festival.
    EXPECT_EQ(line(order.operationType, order.volume, a.maturitySettleDate, a.repurchaseDays,
                   a.subjectType, order.price, a.repurchaseAmount, a.conversionRatio),
              "1045 3000 20260224 12 3 0.025 1000000 0.8333");
}

TEST_F(AgreementVariantTest, onlyPlacingDeploymentsHandOrdersToTheCommandCentre)
{
    // Filled while trading is on, then the deployment changes: only the placing rule can stop it.
    size_t placed = 0;
    for (int code : { 200, 92, 7, 0, 90, 91, 101, 100, 400, 80 }) {
        SCOPED_TRACE(code);
        const bool places = code != 200 && code != 92 && code != 7 && code != 0;
        getUserConfig()->deploymentCode = 100;
        CAgreementRepurchaseWidgetDec dec(nullptr);
        fillValidDeclaration(dec);
        getUserConfig()->deploymentCode = code;
        LogCapture log;
        dec.doOperation();
        placed += places ? 1 : 0;
        EXPECT_EQ(commandCenter()->commands().size(), placed);
        EXPECT_EQ(log.count("placeCommands"), places ? 1 : 0);
        EXPECT_TRUE(messages().empty()) << "silent under every deployment";
    }
    EXPECT_EQ(CAlgorithmHelpDialog::callCount(), int(placed));

    // An early repurchase without a contract is refused with a message under every deployment.
    for (int code : { 100, 400, 200 }) {
        getUserConfig()->deploymentCode = code;
        CAgreementRepurchaseWidgetAdvance advance(nullptr);
        advance.setAccountKeys(&m_keys);
        advance.doOperation();
    }
    EXPECT_EQ(commandCenter()->commands().size(), placed);
    EXPECT_EQ(CAlgorithmHelpDialog::callCount(), int(placed));
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages().front(), "合约信息不存在或没有选中任何合约 [] , 无法下单!");
    EXPECT_EQ(line(msgService()->messages().front().type, msgService()->messages().front().level),
              "4 1");
}
