#include "AgreementFormFixture.h"

#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementSingleFormWidget.h"
#include "agreement/COpAgreementRepurchaseWidget.h"
#include "tc/CUserManager.h"
#include "ttservice/StockTypeCenter.h"
#include "utils/CSingletonT.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CBaseTableColumnCheckBoxDelegate.h"
#include "xp/CComboBox.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CStandardHpfTable.h"
#include "xp/DefaultStyle.h"
#include "xp/WidgetEvents.h"

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

namespace {

// Ticks the row of `key` as a click on its tick does, and types its quantity.
void pledge(XP::CBaseWidget *widget, XP::CStandardHpfTable *table, int tickId, int quantityId,
            const QString &key, int volume)
{
    auto *ticks = dynamic_cast<XP::CBaseTableColumnCheckBoxDelegate *>(table->columnDelegate(0));
    ASSERT_NE(ticks, nullptr);
    ticks->setItemChecked(key, true);
    widget->handleEvent(XP::EVT_TABLE_CHECKBOX_CLICKED, tickId, 0, key, nullptr);
    QString text = QString::number(volume);
    widget->handleEvent(XP::EVT_TABLE_LINEEDIT_CHANGED, quantityId, 4, key, &text);
}

} // namespace

TEST_F(AgreementPageFormTest, tickedBondsReachTheFormAndItsOrder)
{
    utils::CSingletonT<ttservice::StockTypeCenter>::instance()->addTypedStock(10027, "SH",
                                                                              "019547");
    CAgreementPledgeBondWidget bonds(true, nullptr);
    CAgreementPledgePosWidget positions(true, nullptr);
    COpAgreementRepurchaseWidget page(nullptr);
    page.setPledgeBondWidget(&bonds);
    page.setPledgePosWidget(&positions);
    const QString account = QString::fromLatin1(kLoggedInAccount);

    // 成交申报: 80 张 of the account's 019547 (face value 100) against 6,000 yuan.
    page.handleEvent(5, 1001, 0, QString(), nullptr);
    Form *deal = shownForm(page);
    ASSERT_NE(deal, nullptr);
    positions.showAccountPositions(account, OPT_AGREEMENT_DEAL_DECLARATION);
    pledge(&positions, positions.positionTable(), 0, 4, QStringLiteral("SH|019547"), 80);
    page.applyTableSelection();
    typeInto(deal->cells().amount->getLineEdit(), "6000");
    EXPECT_EQ(deal->cells().ratio->text(), QStringLiteral("75.00"));
    typeInto(deal->cells().rate->getLineEdit(), "2.5");
    typeInto(deal->cells().days->getLineEdit(), "3");
    const std::pair<int, const char *> dealers[]
        = { { 12, "D1 银行甲" }, { 13, "S1 主体一" }, { 14, "S3 主体三" },
            { 19, "T1 张三" },   { 20, "T7 王五" },   { 21, "D2 券商乙" } };
    for (const auto &d : dealers)
        if (XP::CAutoKeyboardLineEdit *cell = deal->dealerCell(d.first))
            cell->setText(QString::fromUtf8(d.second));
    deal->cells().counterpartyDealerName->setText(QStringLiteral("券商乙"));
    std::vector<ttservice::CCodeOrderParam> orders;
    QString error, unused;
    deal->buildOrders(orders, error, unused);
    ASSERT_EQ(orders.size(), 1u) << error.toStdString();
    EXPECT_EQ(orders[0].volume, 80);
    EXPECT_EQ(agreementOf(orders[0]).bondCode, "019547");
    EXPECT_DOUBLE_EQ(agreementOf(orders[0]).conversionRatio, 0.75);

    // Unticking hands the form nothing: the pledge check refuses the order.
    positions.handleEvent(XP::EVT_TABLE_CHECKBOX_CLICKED, 0, 0, QString(), nullptr);
    dynamic_cast<XP::CBaseTableColumnCheckBoxDelegate *>(
        positions.positionTable()->columnDelegate(0))
        ->setItemChecked(QStringLiteral("SH|019547"), false);
    positions.handleEvent(XP::EVT_TABLE_CHECKBOX_CLICKED, 0, 0, QStringLiteral("SH|019547"),
                          nullptr);
    page.applyTableSelection();
    orders.clear();
    EXPECT_FALSE(deal->buildOrders(orders, error, unused));
    EXPECT_TRUE(orders.empty());

    // 意向申报, reverse-repo side: the bond typed into 质押债券 (quantity × 100 yuan).
    page.handleEvent(5, 1000, 0, QString(), nullptr);
    auto *intention
        = dynamic_cast<CAgreementRepurchaseWidgetIntention *>(page.currentOperationWidget());
    ASSERT_NE(intention, nullptr);
    intention->sideGroup()->button(11)->click();
    bonds.handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QStringLiteral("122000"), nullptr);
    pledge(&bonds, bonds.pledgeTable(), 0, 4, QStringLiteral("SH|122000"), 30);
    page.applyTableSelection();
    Form *reverse = intention->reverseRepoForm();
    typeInto(reverse->cells().amount->getLineEdit(), "2400");
    EXPECT_EQ(reverse->cells().ratio->text(), QStringLiteral("80.00"));
    // The repo side's form never hears of the reverse side's bonds.
    EXPECT_NE(intention->currentForm(), nullptr);
    EXPECT_EQ(intention->currentForm(), reverse);
}
