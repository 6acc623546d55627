#include "AgreementFormFixture.h"

#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementSingleFormWidget.h"
#include "agreement/COpAgreementRepurchaseWidget.h"
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
        if (auto *v = dynamic_cast<CAgreementSingleFormWidget *>(w))
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

    EXPECT_TRUE(page.handleEvent(5, 1005, 0, QString(), nullptr));
    ASSERT_NE(shownForm(page), nullptr);
    EXPECT_EQ(shownForm(page)->operationType(), OPT_AGREEMENT_PLEDGE_CHANGE);
    // Coming back finds the form as the trader left it.
    page.handleEvent(5, 1000, 0, QString(), nullptr);
    EXPECT_EQ(shownForm(page), intention);

    // Without an offered operation there is no form; selling only offers 提前购回.
    getUserConfig()->deploymentCode = 7;
    COpAgreementRepurchaseWidget none(nullptr);
    EXPECT_EQ(shownForm(none), nullptr);
    EXPECT_EQ(none.currentOperationType(), OPT_NONE);
    getUserConfig()->deploymentCode = 400;
    COpAgreementRepurchaseWidget sellOnly(nullptr);
    ASSERT_NE(shownForm(sellOnly), nullptr);
    EXPECT_EQ(shownForm(sellOnly)->operationType(), OPT_AGREEMENT_EARLY_REPURCHASE);
}

TEST_F(AgreementPageFormTest, typingInThePageRecalculatesLive)
{
    COpAgreementRepurchaseWidget page(nullptr);
    page.handleEvent(5, 1001, 0, QString(), nullptr);
    Form *form = shownForm(page);
    ASSERT_NE(form, nullptr);
    const Form::Cells &c = form->cells();
    typeInto(c.rate->getLineEdit(), "2.555");
    typeInto(c.amount->getLineEdit(), "1000500");
    typeInto(c.days->getLineEdit(), "7");
    // 1,000,500 x 2.555% x 12 / 365 = 840.4200...
    EXPECT_EQ(texts(c.variety, c.firstSettleDate, c.maturitySettleDate, c.actualDays, c.interest,
                    c.maturityAmount),
              (QStringList { "SH回购7天", "20260212", "20260224", "12", "840.42", "1001340.42" }));

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

// A declaration takes its amount from the ticked positions: the tables'
// current (empty) selection replaces whatever amount was typed. Operations
// on a contract take nothing from the tables.
TEST_F(AgreementPageFormTest, tableSelectionReachesOnlyTheFormsThatPledgeIt)
{
    CAgreementPledgeBondWidget bonds(true, nullptr);
    CAgreementPledgePosWidget positions(true, nullptr);
    COpAgreementRepurchaseWidget page(nullptr);
    page.setPledgeBondWidget(&bonds);
    page.setPledgePosWidget(&positions);

    page.handleEvent(5, 1001, 0, QString(), nullptr);
    ASSERT_NE(shownForm(page), nullptr);
    XP::CParameterCell *amount = shownForm(page)->cells().amount;
    typeInto(amount->getLineEdit(), "1000500");
    ASSERT_EQ(amount->text(), QString("1000500"));
    page.applyTableSelection();
    EXPECT_EQ(amount->text(), QString("0.00"));

    page.handleEvent(5, 1003, 0, QString(), nullptr);
    ASSERT_NE(shownForm(page), nullptr);
    amount = shownForm(page)->cells().amount;
    amount->setText(QStringLiteral("1000500.00"));
    page.applyTableSelection();
    EXPECT_EQ(amount->text(), QString("1000500.00"));

    // Without an operation widget nothing happens, and nothing crashes.
    page.selectOperation(4711);
    page.applyTableSelection();
    EXPECT_EQ(page.currentOperationWidget(), nullptr);
}
