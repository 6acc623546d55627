#include "AgreementFormFixture.h"

#include "agreement/COpAgreementRepurchaseWidget.h"
#include "agreement/CAgreementRepurchaseWidgetAdvance.h"
#include "agreement/CAgreementRepurchaseWidgetChange.h"
#include "agreement/CAgreementRepurchaseWidgetConfirm.h"
#include "agreement/CAgreementRepurchaseWidgetDec.h"
#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementRepurchaseWidgetRelease.h"
#include "agreement/CAgreementRepurchaseWidgetRenew.h"
#include "tc/CUserManager.h"
#include "xp/CComboBox.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/DefaultStyle.h"

#include <QApplication>

namespace {

using namespace TC;

class AgreementPageFormTest : public AgreementFormFixture
{
protected:
    // The form the page's visible operation widget shows, or null.
    static Form *shownForm(const COpAgreementRepurchaseWidget &page)
    {
        IBaseAgreementRepurchaseWidget *w = page.currentOperationWidget();
        if (!w || w->isHidden())
            return nullptr;
        if (auto *v = dynamic_cast<CAgreementRepurchaseWidgetIntention *>(w))
            return v->currentForm();
        if (auto *v = dynamic_cast<CAgreementRepurchaseWidgetDec *>(w))
            return v->form();
        if (auto *v = dynamic_cast<CAgreementRepurchaseWidgetConfirm *>(w))
            return v->form();
        if (auto *v = dynamic_cast<CAgreementRepurchaseWidgetAdvance *>(w))
            return v->form();
        if (auto *v = dynamic_cast<CAgreementRepurchaseWidgetRenew *>(w))
            return v->form();
        if (auto *v = dynamic_cast<CAgreementRepurchaseWidgetChange *>(w))
            return v->form();
        if (auto *v = dynamic_cast<CAgreementRepurchaseWidgetRelease *>(w))
            return v->form();
        return nullptr;
    }
};

} // namespace

TEST_F(AgreementPageFormTest, pageShowsTheFormOfTheCheckedOperation)
{
    COpAgreementRepurchaseWidget page(nullptr);
    page.refreshOperations();
    Form *intention = shownForm(page);
    ASSERT_NE(intention, nullptr);
    EXPECT_EQ(intention->operationType(), OPT_AGREEMENT_INTENTION_REPO);
    EXPECT_EQ(intention->cells().account->count(), 2) << "the page's cash accounts";
    EXPECT_EQ(intention->cells().funds->text(), QString("1000000.00"));

    const std::pair<int, ETradeOperationType> operations[]
        = { { 1001, OPT_AGREEMENT_DEAL_DECLARATION }, { 1002, OPT_AGREEMENT_MATURITY_CONFIRM },
            { 1003, OPT_AGREEMENT_EARLY_REPURCHASE }, { 1004, OPT_AGREEMENT_MATURITY_RENEWAL },
            { 1005, OPT_AGREEMENT_PLEDGE_CHANGE },    { 1006, OPT_AGREEMENT_PLEDGE_RELEASE } };
    for (const auto &op : operations) {
        EXPECT_TRUE(page.handleEvent(5, op.first, 0, QString(), nullptr));
        Form *form = shownForm(page);
        ASSERT_NE(form, nullptr) << op.first;
        EXPECT_EQ(form->operationType(), op.second);
        EXPECT_EQ(page.currentOperationType(), op.second);
        EXPECT_TRUE(page.operationWidget(1000)->isHidden());
    }
    // Coming back finds the form as the trader left it.
    page.handleEvent(5, 1000, 0, QString(), nullptr);
    EXPECT_EQ(shownForm(page), intention);
    EXPECT_FALSE(page.operationWidget(1000)->isHidden());
    EXPECT_EQ(page.currentOperationType(), OPT_AGREEMENT_INTENTION_REPO);
}

TEST_F(AgreementPageFormTest, typingInThePageRecalculatesLive)
{
    COpAgreementRepurchaseWidget page(nullptr);
    page.handleEvent(5, 1001, 0, QString(), nullptr);
    Form *form = shownForm(page);
    ASSERT_NE(form, nullptr);
    typeInto(form->cells().rate->getLineEdit(), "2.555");
    typeInto(form->cells().amount->getLineEdit(), "1000500");
    typeInto(form->cells().days->getLineEdit(), "7");
    const Form::Cells &c = form->cells();
    EXPECT_EQ(c.variety->text(), QString("SH回购7天"));
    EXPECT_EQ(c.firstSettleDate->text(), QString("20260212"));
    EXPECT_EQ(c.maturitySettleDate->text(), QString("20260224"));
    EXPECT_EQ(c.actualDays->text(), QString("12"));
    // 1,000,500 x 2.555% x 12 / 365 = 840.4200...
    EXPECT_EQ(c.interest->text(), QString("840.42"));
    EXPECT_EQ(c.maturityAmount->text(), QString("1001340.42"));

    // For a person checking the form by eye: FICC_TEST_SCREENSHOT=/tmp/x.png
    if (qEnvironmentVariableIsSet("FICC_TEST_SCREENSHOT")) {
        XP::applyDefaultStyle(qApp);
        page.resize(720, 420);
        page.grab().save(QString::fromLocal8Bit(qgetenv("FICC_TEST_SCREENSHOT")));
    }

    // The trader switches account: the funds follow and the page keeps the event.
    c.account->setCurrentIndex(1);
    EXPECT_EQ(c.funds->text(), QString("50000.00"));
}

TEST_F(AgreementPageFormTest, noOperationOfferedMeansNoForm)
{
    getUserConfig()->deploymentCode = 7;
    COpAgreementRepurchaseWidget page(nullptr);
    EXPECT_EQ(shownForm(page), nullptr);
    EXPECT_EQ(page.currentOperationType(), OPT_NONE);
    getUserConfig()->deploymentCode = 400;
    COpAgreementRepurchaseWidget sellOnly(nullptr);
    ASSERT_NE(shownForm(sellOnly), nullptr);
    EXPECT_EQ(shownForm(sellOnly)->operationType(), OPT_AGREEMENT_EARLY_REPURCHASE);
}
