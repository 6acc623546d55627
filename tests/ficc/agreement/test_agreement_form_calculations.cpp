#include "AgreementFormFixture.h"

#include "tc/CExchangeClient.h"
#include "tc/CHostClock.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CDoubleValidator.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"

#include <boost/make_shared.hpp>

namespace {

using namespace TC;

class FormCalculationTest : public AgreementFormFixture
{
protected:
    static QStringList derived(const Form &form)
    {
        const Form::Cells &c = form.cells();
        return texts(c.variety, c.firstSettleDate, c.maturitySettleDate, c.actualDays, c.interest,
                     c.maturityAmount);
    }
};

} // namespace

TEST_F(FormCalculationTest, typingTermsFillsVarietyDatesInterestAndMaturityAmount)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    typeTerms(*form, "1", "2.555", "1000000");
    // Thursday 2026-02-12 plus one day: Friday.
    EXPECT_EQ(derived(*form),
              (QStringList { "SH回购1天", "20260212", "20260213", "1", "70.00", "1000070.00" }));
    EXPECT_EQ(form->selectedVariety()->instrumentCode, "206001");

    // Sunday 15 February is in the Spring Festival closure (15-23): back on the 24th.
    typeInto(form->cells().days->getLineEdit(), "3");
    EXPECT_EQ(derived(*form),
              (QStringList { "SH回购3天", "20260212", "20260224", "12", "840.00", "1000840.00" }));

    // The amount and rate follow as they are typed.
    typeInto(form->cells().amount->getLineEdit(), "1000005");
    typeInto(form->cells().rate->getLineEdit(), "3.65");
    typeInto(form->cells().days->getLineEdit(), "10");
    EXPECT_EQ(
        derived(*form),
        (QStringList { "SH回购14天", "20260212", "20260224", "12", "1200.01", "1001205.01" }));
}

TEST_F(FormCalculationTest, settlementDatesAcrossWeekendsAndThe2026Closures)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    typeTerms(*form, "7", "2", "1000000");
    // Today, days typed, then the maturity and the occupied days shown.
    const std::tuple<QDate, int, QString> cases[] = {
        { QDate(2026, 9, 24), 7, "20261008 14" }, // 1 October: National Day week
        { QDate(2026, 9, 24), 1, "20260928 4" }, // 25-27 September: Mid-Autumn, weekend
        { QDate(2026, 4, 2), 1, "20260403 1" }, // Friday before Qingming
        { QDate(2026, 4, 2), 2, "20260407 5" }, // Qingming 4-6 April
        { QDate(2026, 4, 30), 1, "20260506 6" }, // Labour Day 1-5 May
        { QDate(2026, 6, 18), 1, "20260622 4" }, // Dragon Boat 19-21 June
        { QDate(2025, 12, 31), 1, "20260105 5" }, // New Year 1-3 January, then Sunday
        { QDate(2026, 2, 12), 365, "20270212 365" }, // 2027: weekends only
        { QDate(2026, 3, 6), 1, "20260309 3" }, // plain weekend
    };
    for (const auto &[today, days, settled] : cases) {
        SCOPED_TRACE(today.toString(Qt::ISODate).toStdString() + " +" + std::to_string(days));
        CHostClock::setToday(today);
        form->reloadTradingCalendar();
        typeInto(form->cells().days->getLineEdit(), QString::number(days));
        EXPECT_EQ(derived(*form).mid(1, 3),
                  QStringList(today.toString("yyyyMMdd")) + settled.split(' '));
    }

    // The exchange's new trading day moves today and the calendar around it.
    utils::CManualSingletonT<CExchangeClient>::instance()->notifyNewTradingDate("20260924",
                                                                                "20260923");
    EXPECT_EQ(derived(*form).mid(1, 3), (QStringList { "20260924", "20260928", "4" }));
    EXPECT_TRUE(form->tradingCalendar().contains("2027-09-24"));
}

TEST_F(FormCalculationTest, incompleteTermsEmptyOnlyWhatTheyFeed)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    const Form::Cells &c = form->cells();
    // No rate or no amount: the dates stay, the money goes; a zero rate earns nothing.
    typeTerms(*form, "7", "3.65", "1000000");
    typeInto(c.rate->getLineEdit(), "");
    EXPECT_EQ(derived(*form), (QStringList { "SH回购7天", "20260212", "20260224", "12", "", "" }));
    typeInto(c.rate->getLineEdit(), "0");
    EXPECT_EQ(texts(c.interest, c.maturityAmount), (QStringList { "0.00", "1000000.00" }));
    typeInto(c.amount->getLineEdit(), "");
    EXPECT_EQ(c.interest->text(), QString());

    // Zero days clear all that is derived; the variety, rate and amount stay for the checks.
    typeTerms(*form, "14", "2.1", "2000000");
    typeInto(c.days->getLineEdit(), "0");
    EXPECT_EQ(derived(*form), QStringList({ "", "", "", "", "", "" }));
    EXPECT_TRUE(c.days->text().isEmpty());
    EXPECT_EQ(form->selectedVariety()->instrumentCode, "206014");
    EXPECT_EQ(texts(c.rate, c.amount), (QStringList { "2.1", "2000000" }));
    // 366 cannot be typed; a programmatic 400 matches no variety and keeps the last one.
    c.days->setText(QStringLiteral("400"));
    form->recalculate();
    EXPECT_EQ(c.variety->text(), QString());
    EXPECT_EQ(form->selectedVariety()->instrumentCode, "206014");

    // No trading day within reach: logged as an error, the dates left empty.
    CTradingCalendar::DayMap closed;
    for (int i = 0; i < 800; ++i)
        closed.insert(CTradingCalendar::dateKey(QDate(2026, 2, 12).addDays(i)),
                      CTradingCalendar::DayRecord());
    form->setTradingCalendar(closed);
    LogCapture log;
    typeTerms(*form, "7", "3.65", "1000000");
    EXPECT_EQ(derived(*form), (QStringList { "SH回购7天", "", "", "", "0.00", "1000000.00" }));
    EXPECT_EQ(log.levelOf("] [TC::IBaseAgreementContentWidget::setSettleAccountDate] The scope "
                          "of the trading day is not enough"),
              40000);
}

TEST_F(FormCalculationTest, contractSettlementForAnEarlyRepurchase)
{
    addContract("C001", 15000);
    const auto form = makeForm(OPT_AGREEMENT_EARLY_REPURCHASE);
    const Form::Cells &c = form->cells();
    // An unknown contract changes nothing.
    c.maturityAmount->setText(QStringLiteral("5.00"));
    form->setContract("NOPE");
    EXPECT_TRUE(c.contractNo->text().isEmpty());
    EXPECT_EQ(c.maturityAmount->text(), QString("5.00"));

    // First settled on 2 February, repurchased on 12 February: ten days.
    form->setContract("C001");
    EXPECT_EQ(texts(c.firstSettleDate, c.contractNo, c.amount, c.rate, c.ratio, c.maturityAmount,
                    c.counterpartyDealerName, c.supplementaryTerms),
              (QStringList { "20260202", "C001", "1000000.00", "3.650", "60.00", "1001000.00",
                             "券商乙", "按约定" }));
    EXPECT_DOUBLE_EQ(
        qobject_cast<const XP::CDoubleValidator *>(c.amount->getLineEdit()->validator())->top(),
        1500000.0);
    EXPECT_EQ(form->traderCode(), "T1");
    EXPECT_EQ((QStringList { form->dealerCode(19), form->dealerCell(21)->getText(),
                             form->dealerCell(14)->getText() }),
              (QStringList { "T1", "D2 券商乙", "S3 主体三" }));
    EXPECT_EQ(form->selectedVariety()->instrumentCode, "206007");

    // A later trading day adds the days in between; a rate or amount that is no number is 0.
    CHostClock::setToday(QDate(2026, 2, 24));
    const std::tuple<const char *, const char *, const char *> cases[] = {
        { "3.650", "1000000.00", "1002200.00" },
        { "", "1000000.00", "1000000.00" },
        { "3.6x", "1000000.00", "1000000.00" },
        { "3.650", "", "0.00" },
    };
    for (const auto &[rate, amount, maturityAmount] : cases) {
        c.rate->setText(rate);
        c.amount->setText(amount);
        form->recalculate();
        EXPECT_EQ(c.maturityAmount->text(), QString(maturityAmount)) << rate << " " << amount;
    }
    c.amount->setText(QStringLiteral("1000000.00"));

    // Settled today: nothing accrued yet, the amount stays as it was.
    CHostClock::setToday(QDate(2026, 2, 2));
    c.maturityAmount->setText(QStringLiteral("kept"));
    form->recalculateContractSettlement();
    EXPECT_EQ(c.maturityAmount->text(), QString("kept"));
}

TEST_F(FormCalculationTest, contractUnderDeployment200ShowsOnlyItsAmounts)
{
    getUserConfig()->deploymentCode = 200;
    addContract("C001", 15000);
    const auto confirm = makeForm(OPT_AGREEMENT_MATURITY_CONFIRM);
    confirm->setContract("C001");
    const Form::Cells &c = confirm->cells();
    EXPECT_EQ(texts(c.firstSettleDate, c.maturityAmount, c.contractNo),
              (QStringList { "20260202", "1000700.00", "" }));
    const auto advance = makeForm(OPT_AGREEMENT_EARLY_REPURCHASE);
    advance->setContract("C001");
    EXPECT_EQ(advance->cells().amount->text(), QString("1000000.00"));
    EXPECT_TRUE(advance->cells().rate->text().isEmpty());
}

TEST_F(FormCalculationTest, conversionRatioFromSelectionsWithoutAContract)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    const Form::Cells &c = form->cells();
    form->setPledgeSelection({ pledgeRow("019547", 1200000, 0), pledgeRow("122000", 800000, 0) });
    EXPECT_EQ(c.amount->text(), QString("2000000.00"));
    typeInto(c.amount->getLineEdit(), "1500000");
    EXPECT_EQ(c.ratio->text(), QString("75.00"));
    // More than the pledged bonds cover cannot be typed; no selection keeps the ratio.
    typeInto(c.amount->getLineEdit(), "2500000");
    EXPECT_EQ(texts(c.amount, c.ratio), (QStringList { "250000", "12.50" }));
    form->setPledgeSelection({});
    EXPECT_EQ(c.ratio->text(), QString("12.50"));
}

TEST_F(FormCalculationTest, conversionRatioOfAPledgeChange)
{
    auto contract = addContract("C002", 10000); // 1,000,000 of face value
    contract->repurchaseAmount = 600000;
    const auto form = makeForm(OPT_AGREEMENT_PLEDGE_CHANGE);
    form->setContract("C002");
    const Form::Cells &c = form->cells();
    EXPECT_EQ(texts(c.amount, c.originalPledgeCode, c.originalPledgeAmount),
              (QStringList { "600000.00", "019547", "600000.00" }));
    // A change keeps the amount; swapping out everything pledged keeps the ratio.
    form->setPledgeSelection({ pledgeRow("122000", 500000, 0) });
    EXPECT_EQ(texts(c.amount, c.ratio), (QStringList { "600000.00", "40.00" }));
    form->setSecondPledgeSelection({ pledgeRow("019547", 300000, 0) });
    EXPECT_DOUBLE_EQ(form->secondSelectionTotal(), 300000);
    EXPECT_EQ(c.ratio->text(), QString("50.00"));
    form->setSecondPledgeSelection({ pledgeRow("019547", 1500000, 0) });
    EXPECT_EQ(c.ratio->text(), QString("50.00"));
}

TEST_F(FormCalculationTest, turnDealRowFillsTermsAndCounterparty)
{
    auto order = boost::make_shared<ttservice::CRepurchaseIntentionOrder>();
    order->orderNo = "IO1";
    order->market = "SH";
    order->direction = '1';
    order->repurchaseDays = 7;
    order->repurchaseRate = 0.0235;
    order->trader = "T9 王五";
    order->dealer = "D9 基金丁";
    order->dealerName = "基金丁";
    accountData(kLoggedInAccount)->updateData(order, false);

    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    form->fillFromTurnDeal(QStringLiteral("missing"));
    EXPECT_TRUE(form->cells().days->text().isEmpty());
    form->fillFromTurnDeal(QStringLiteral("IO1"));
    const Form::Cells &c = form->cells();
    // 19 February falls in the Spring Festival closure.
    EXPECT_EQ(texts(c.days, c.rate, c.counterpartyDealerName, c.variety, c.maturitySettleDate),
              (QStringList { "7", "2.350", "基金丁", "SH回购7天", "20260224" }));
    EXPECT_EQ((QStringList { form->dealerCode(20), form->dealerCode(21) }),
              (QStringList { "T9", "D9" }));

    getUserConfig()->deploymentCode = 200;
    const auto readOnly = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    readOnly->fillFromTurnDeal(QStringLiteral("IO1"));
    EXPECT_TRUE(readOnly->cells().days->text().isEmpty());
}

TEST_F(FormCalculationTest, varietiesArriveWithTheHostsInitialData)
{
    ttservice::TraderCenter::instance()->getInstCenter()->clear();
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    EXPECT_TRUE(form->varieties("SH").empty());
    utils::CManualSingletonT<CTradeClient>::instance()->notifyInitDataFinish();
    EXPECT_TRUE(form->varieties("SH").empty()) << "still nothing: tries again next time";
    addVarieties();
    utils::CManualSingletonT<CTradeClient>::instance()->notifyInitDataFinish();
    EXPECT_EQ(form->varieties("SH").size(), 9u);
    EXPECT_EQ(form->varieties("SZ").size(), 9u);
    typeInto(form->cells().days->getLineEdit(), "91");
    EXPECT_EQ(form->cells().variety->text(), QString("SH回购91天"));
    // Once loaded, the table stays as it was.
    ttservice::TraderCenter::instance()->getInstCenter()->clear();
    utils::CManualSingletonT<CTradeClient>::instance()->notifyInitDataFinish();
    EXPECT_EQ(form->varieties("SH").size(), 9u);
}

TEST_F(FormCalculationTest, overlappingVarietiesTypedDaysTakeTheFirstSelectionsAndContractsTheLast)
{
    // Listed before the others, a variety covering 7 to 14 days overlaps the 4-7 one.
    addVariety("SH", "206000", "重叠品种", 7, 14, 282);

    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    typeTerms(*form, "7", "3.65", "1000000");
    EXPECT_EQ(form->selectedVariety()->instrumentCode, "206000");
    EXPECT_EQ(form->cells().variety->text(), QString("重叠品种"));

    // Ticked bonds take the last variety and set amount and ratio; dates and interest stay.
    CHostClock::setToday(QDate(2026, 3, 6));
    form->setPledgeSelection({ pledgeRow("019547", 2000000, 0) });
    EXPECT_EQ(form->selectedVariety()->instrumentCode, "206007");
    EXPECT_EQ(derived(*form),
              (QStringList { "SH回购7天", "20260212", "20260224", "12", "1200.00", "1001200.00" }));
    EXPECT_EQ(texts(form->cells().amount, form->cells().ratio),
              (QStringList { "2000000.00", "100.00" }));

    addContract("C007", 1000);
    const auto renewal = makeForm(OPT_AGREEMENT_MATURITY_RENEWAL);
    renewal->setContract("C007");
    EXPECT_EQ(renewal->selectedVariety()->instrumentCode, "206007");
}
