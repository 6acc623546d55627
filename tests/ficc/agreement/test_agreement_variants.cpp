#include "AgreementFormFixture.h"

#include "agreement/CAgreementRepurchaseWidgetAdvance.h"
#include "agreement/CAgreementRepurchaseWidgetChange.h"
#include "agreement/CAgreementRepurchaseWidgetConfirm.h"
#include "agreement/CAgreementRepurchaseWidgetDec.h"
#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementRepurchaseWidgetRelease.h"
#include "agreement/CAgreementRepurchaseWidgetRenew.h"
#include "tc/CUserManager.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CComboBox.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CSmallNormalButton.h"

#include <functional>
#include <memory>

namespace {

using namespace TC;

ttservice::CPledgedBondInfo row(const std::string &code, double amount, int volume)
{
    ttservice::CPledgedBondInfo r;
    r.market = "SH";
    r.bondCode = code;
    r.pledgeAmount = amount;
    r.pledgeVolume = volume;
    return r;
}

struct SingleVariant
{
    const char *name;
    std::function<IBaseAgreementRepurchaseWidget *()> make;
    std::function<IBaseAgreementContentWidget *(IBaseAgreementRepurchaseWidget *)> form;
    std::function<XP::CSmallNormalButton *(IBaseAgreementRepurchaseWidget *)> button;
    ETradeOperationType type;
    int formHeight, buttonId, buttonType;
    QString buttonText;
    bool takesPositions, takesSecond;
};

template<class T>
SingleVariant variant(const char *name, ETradeOperationType type, int formHeight, int buttonId,
                      int buttonType, const char *text, bool takesPositions, bool takesSecond)
{
    return SingleVariant {
        name,
        [] { return new T(nullptr); },
        [](IBaseAgreementRepurchaseWidget *w) { return static_cast<T *>(w)->form(); },
        [](IBaseAgreementRepurchaseWidget *w) { return static_cast<T *>(w)->orderButton(); },
        type,
        formHeight,
        buttonId,
        buttonType,
        QString::fromUtf8(text),
        takesPositions,
        takesSecond
    };
}

std::vector<SingleVariant> singleVariants()
{
    return {
        variant<CAgreementRepurchaseWidgetDec>("Dec", OPT_AGREEMENT_DEAL_DECLARATION, 340, 2, 3,
                                               "正回购", true, false),
        variant<CAgreementRepurchaseWidgetConfirm>("Confirm", OPT_AGREEMENT_MATURITY_CONFIRM, 300,
                                                   4, 0, "到期确认", false, false),
        variant<CAgreementRepurchaseWidgetAdvance>("Advance", OPT_AGREEMENT_EARLY_REPURCHASE, 300,
                                                   5, 0, "提前购回", false, false),
        variant<CAgreementRepurchaseWidgetRenew>("Renew", OPT_AGREEMENT_MATURITY_RENEWAL, 400, 6, 0,
                                                 "到期续做", false, false),
        variant<CAgreementRepurchaseWidgetChange>("Change", OPT_AGREEMENT_PLEDGE_CHANGE, 300, 7, 0,
                                                  "质押券变更", true, true),
        variant<CAgreementRepurchaseWidgetRelease>("Release", OPT_AGREEMENT_PLEDGE_RELEASE, 300, 8,
                                                   0, "解除质押", false, false),
    };
}

class AgreementVariantTest : public AgreementFormFixture
{
protected:
    std::set<std::string> m_keys { kLoggedInAccount, kRefreshingAccount };
};

} // namespace

TEST_F(AgreementVariantTest, singleFormVariantsBuildTheirFormAndOrderButton)
{
    for (const SingleVariant &v : singleVariants()) {
        SCOPED_TRACE(v.name);
        std::unique_ptr<IBaseAgreementRepurchaseWidget> w(v.make());
        EXPECT_EQ(w->operationType(), v.type);
        EXPECT_EQ(w->objectName(), QStringLiteral("zolp_quvio_opcreditdealswidget"));
        EXPECT_EQ(w->focusPolicy(), Qt::StrongFocus);
        Form *form = v.form(w.get());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->operationType(), v.type);
        EXPECT_EQ(form->objectName(), QStringLiteral("zolp_quvio_basewidget"));
        EXPECT_EQ(form->height(), v.formHeight);
        XP::CSmallNormalButton *button = v.button(w.get());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->id(), v.buttonId);
        EXPECT_EQ(button->buttonType(), v.buttonType);
        EXPECT_EQ(button->text(), v.buttonText);
        EXPECT_EQ(button->size(), QSize(100, 30));
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(button->isEnabled());
    }
    CAgreementRepurchaseWidgetRenew renew(nullptr);
    EXPECT_EQ(renew.height(), 520) << "the renewal form needs more room";
}

TEST_F(AgreementVariantTest, readOnlyDeploymentDisablesEveryOrderButton)
{
    getUserConfig()->deploymentCode = 200;
    for (const SingleVariant &v : singleVariants()) {
        std::unique_ptr<IBaseAgreementRepurchaseWidget> w(v.make());
        EXPECT_FALSE(v.button(w.get())->isEnabled()) << v.name;
    }
    CAgreementRepurchaseWidgetIntention intention(nullptr);
    EXPECT_FALSE(intention.repoButton()->isEnabled());
    EXPECT_FALSE(intention.reverseRepoButton()->isEnabled());
}

TEST_F(AgreementVariantTest, singleFormVariantsForwardToTheirForm)
{
    for (const SingleVariant &v : singleVariants()) {
        SCOPED_TRACE(v.name);
        std::unique_ptr<IBaseAgreementRepurchaseWidget> w(v.make());
        Form *form = v.form(w.get());
        w->setAccountKeys(&m_keys);
        EXPECT_EQ(form->accountKeys(), m_keys);
        ASSERT_NE(form->cells().account, nullptr);
        EXPECT_EQ(form->cells().account->count(), 2);

        w->setCurrentAccount(QString::fromLatin1(kRefreshingAccount));
        EXPECT_EQ(form->currentAccountKey(), QString::fromLatin1(kRefreshingAccount));
        EXPECT_EQ(w->currentAccountKey(), QString::fromLatin1(kRefreshingAccount));
        w->setCurrentAccount(QString::fromLatin1(kLoggedInAccount));
        EXPECT_EQ(w->currentAccountKey(), QString::fromLatin1(kLoggedInAccount));

        if (XP::CAutoKeyboardLineEdit *trader = form->dealerCell(Form::CELL_TRADER)) {
            trader->setText(QStringLiteral("T9 李四"));
            EXPECT_EQ(w->traderCode(), std::string("T9"));
        }

        const QList<ttservice::CPledgedBondInfo> first { row("019547", 500000, 5000) };
        const QList<ttservice::CPledgedBondInfo> second { row("122000", 400000, 4000),
                                                          row("019548", 100, 1) };
        w->setPledgeBondSelection(second);
        EXPECT_TRUE(form->firstSelection().isEmpty()) << "pledge bond rows are the intention's";
        w->setPledgePosSelection(first);
        EXPECT_EQ(form->firstSelection().size(), v.takesPositions ? 1 : 0);
        w->setPledgePosSecondSelection(second);
        EXPECT_EQ(form->secondSelection().size(), v.takesSecond ? 2 : 0);
    }
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

TEST_F(AgreementVariantTest, buttonClicksOfDecAndIntentionTravelOnToThePage)
{
    CAgreementRepurchaseWidgetDec dec(nullptr);
    EXPECT_FALSE(dec.handleEvent(5, 2, 0, QString(), nullptr));
    CAgreementRepurchaseWidgetIntention intention(nullptr);
    EXPECT_FALSE(intention.handleEvent(5, 0, 0, QString(), nullptr));
    EXPECT_FALSE(intention.handleEvent(5, 11, 0, QString(), nullptr));
    EXPECT_EQ(intention.operationType(), OPT_AGREEMENT_INTENTION_REVERSE_REPO);
    // Other clicks change nothing.
    EXPECT_FALSE(intention.handleEvent(5, 12, 0, QString(), nullptr));
    EXPECT_EQ(intention.side(), 11);
}

TEST_F(AgreementVariantTest, intentionSwitchesSidesWithFormButtonAndType)
{
    CAgreementRepurchaseWidgetIntention w(nullptr);
    EXPECT_EQ(w.operationType(), OPT_AGREEMENT_INTENTION_REPO);
    EXPECT_EQ(w.side(), 10);
    ASSERT_NE(w.repoForm(), nullptr);
    ASSERT_NE(w.reverseRepoForm(), nullptr);
    EXPECT_EQ(w.repoForm()->operationType(), OPT_AGREEMENT_INTENTION_REPO);
    EXPECT_EQ(w.reverseRepoForm()->operationType(), OPT_AGREEMENT_INTENTION_REVERSE_REPO);
    EXPECT_EQ(w.repoForm()->height(), 320);
    EXPECT_EQ(w.sideGroup()->checkedId(), 10);
    EXPECT_EQ(w.sideGroup()->width(), 260);
    EXPECT_EQ(w.repoButton()->id(), 0);
    EXPECT_EQ(w.repoButton()->buttonType(), 3);
    EXPECT_EQ(w.repoButton()->text(), QStringLiteral("正回购"));
    EXPECT_EQ(w.reverseRepoButton()->id(), 1);
    EXPECT_EQ(w.reverseRepoButton()->buttonType(), 0);
    EXPECT_EQ(w.reverseRepoButton()->text(), QStringLiteral("逆回购"));
    EXPECT_FALSE(w.repoForm()->isHidden());
    EXPECT_TRUE(w.reverseRepoForm()->isHidden());
    EXPECT_FALSE(w.repoButton()->isHidden());
    EXPECT_TRUE(w.reverseRepoButton()->isHidden());
    EXPECT_EQ(w.param(), QStringLiteral("10"));

    // The trader clicks 逆回购 in the side group.
    w.sideGroup()->button(11)->click();
    EXPECT_EQ(w.operationType(), OPT_AGREEMENT_INTENTION_REVERSE_REPO);
    EXPECT_EQ(w.currentForm(), w.reverseRepoForm());
    EXPECT_TRUE(w.repoForm()->isHidden());
    EXPECT_FALSE(w.reverseRepoForm()->isHidden());
    EXPECT_TRUE(w.repoButton()->isHidden());
    EXPECT_FALSE(w.reverseRepoButton()->isHidden());
    EXPECT_EQ(w.param(), QStringLiteral("11"));

    w.setParam(QStringLiteral("10&11&x"));
    EXPECT_EQ(w.operationType(), OPT_AGREEMENT_INTENTION_REPO);
    EXPECT_EQ(w.param(), QStringLiteral("10"));
    EXPECT_FALSE(w.repoButton()->isHidden());
    for (const char *text : { "", "12", "abc" }) {
        w.setParam(QString::fromLatin1(text));
        EXPECT_EQ(w.param(), QStringLiteral("10")) << text;
        EXPECT_EQ(w.side(), 10) << text;
    }
    w.setParam(QStringLiteral("11"));
    EXPECT_EQ(w.param(), QStringLiteral("11"));
    EXPECT_EQ(w.operationType(), OPT_AGREEMENT_INTENTION_REVERSE_REPO);
}

TEST_F(AgreementVariantTest, intentionForwardsToItsSides)
{
    CAgreementRepurchaseWidgetIntention w(nullptr);
    w.setAccountKeys(&m_keys);
    EXPECT_EQ(w.repoForm()->accountKeys(), m_keys);
    EXPECT_EQ(w.reverseRepoForm()->accountKeys(), m_keys);

    w.setPledgeBondSelection({ row("019547", 500000, 5000) });
    EXPECT_EQ(w.reverseRepoForm()->firstSelection().size(), 1);
    EXPECT_TRUE(w.repoForm()->firstSelection().isEmpty());
    w.setPledgePosSelection({ row("122000", 400000, 4000), row("019548", 1, 1) });
    EXPECT_EQ(w.repoForm()->firstSelection().size(), 2);
    EXPECT_EQ(w.reverseRepoForm()->firstSelection().size(), 1);
    w.setPledgePosSecondSelection({ row("122000", 400000, 4000) });
    EXPECT_TRUE(w.repoForm()->secondSelection().isEmpty());
    EXPECT_TRUE(w.reverseRepoForm()->secondSelection().isEmpty());

    // The account calls reach only the side shown.
    w.setCurrentAccount(QString::fromLatin1(kRefreshingAccount));
    EXPECT_EQ(w.repoForm()->currentAccountKey(), QString::fromLatin1(kRefreshingAccount));
    EXPECT_EQ(w.reverseRepoForm()->currentAccountKey(), QString::fromLatin1(kLoggedInAccount));
    w.switchSide(11);
    EXPECT_EQ(w.currentAccountKey(), QString::fromLatin1(kLoggedInAccount));

    for (Form *form : { w.repoForm(), w.reverseRepoForm() }) {
        if (XP::CAutoKeyboardLineEdit *trader = form->dealerCell(Form::CELL_TRADER))
            trader->setText(QStringLiteral("T1 张三"));
    }
    EXPECT_EQ(w.traderCode(), std::string());
}
