#include "AgreementTableRecords.h"

#include "common/CDealerDirectory.h"
#include "tc/CExchangeClient.h"
#include "tc/CHostClock.h"
#include "tc/CMsgService.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"
#include "utils/StringHelper.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CComboBox.h"
#include "xp/CDoubleValidator.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/CPushButton.h"
#include "xp/CScriptedDialogResponder.h"

#include <boost/make_shared.hpp>

#include <QFile>
#include <QLineEdit>

namespace {

using namespace TC;

// Labels exactly as the trader sees them, leading blanks included.
const QString kAccount
    = "资金账号",
    kFunds = "可用资金", kContract = "合同编号", kRenewType = "续做类型", kRenewDays = "续做天数",
    kDays = "回购天数", kVariety = "回购品种", kRate = "回购利率", kAmount = "回购金额",
    kDealer = "  交易商", kSubject = "交易主体", kTrader = "  交易员", kRatio = "折算比例",
    kSubjectType = "主体类型", kRate2 = "      回购利率", kFirst = "  首次结算日期",
    kMaturity = "  到期结算日期", kActual = "  实际占款天数", kOrigInterest = "    原回购利息",
    kInterest = "      回购利息", kMaturityAmount = "  到期结算金额", kContact = "        联系人",
    kContactWay = "      联系方式", kOrigCode = "    原质押代码", kOrigAmount = "    原质押金额",
    kCpTrader = "    对方交易员", kCpDealer = "    对手交易商", kCpName = "对手交易商名称",
    kCpSubject = "  对方交易主体", kTerms = "      补充条款", kSettlement = "      结算金额",
    kSwap = "      换出孳息", kImport = "    导入交易商:";

using ContentFormTest = AgreementFormFixture;
using FormCalculationTest = AgreementFormFixture;
using FormDealerTest = AgreementFormFixture;

const XP::CDoubleValidator *doubleValidator(const XP::CParameterCell *cell)
{
    return qobject_cast<const XP::CDoubleValidator *>(cell->getLineEdit()->validator());
}

// The events the sink received, "event a b data" each.
QStringList eventLines(const EventSink &sink)
{
    QStringList lines;
    for (const EventSink::Event &e : sink.events)
        lines << QString("%1 %2 %3 %4").arg(e.event).arg(e.a).arg(e.b).arg(e.data.toString());
    return lines;
}

// What the form works out: variety, first and maturity settlement, days, interest and amount.
QStringList derived(const IBaseAgreementContentWidget &form)
{
    const IBaseAgreementContentWidget::Cells &c = form.cells();
    return { c.variety->text(),    c.firstSettleDate->text(), c.maturitySettleDate->text(),
             c.actualDays->text(), c.interest->text(),        c.maturityAmount->text() };
}

const char kDealers[] = "交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称\n"
                        "D1,银行甲,S1,主体一,T1|T2,张三\n"
                        "D1,银行甲,S2,主体二\n"
                        "D2,券商乙,S3,主体三,T7|T8,王五|赵六\n";

QStringList entries(IBaseAgreementContentWidget &form, int id)
{
    return form.dealerCellModel(id) ? form.dealerCellModel(id)->getDataList() : QStringList();
}

} // namespace

TEST_F(ContentFormTest, eachOperationTypeShowsItsCellsInTwoColumns)
{
    struct Expected
    {
        ETradeOperationType type;
        QStringList column1, column2;
    };
    // Columns several types share.
    const QStringList contract1 = { kAccount, kFunds,  kContract, kAmount,     kDealer,
                                    kSubject, kTrader, kRatio,    kSubjectType };
    const QStringList pledge1 = { kAccount, kFunds,   kContract, kRate,  kAmount,
                                  kDealer,  kSubject, kTrader,   kRatio, kSubjectType };
    const QStringList intention1
        = { kAccount, kFunds, kDays, kVariety, kRate, kAmount, kDealer, kTrader, kRatio };
    const QStringList intention2 = { kFirst,   kMaturity,   kActual, kInterest, kMaturityAmount,
                                     kContact, kContactWay, kTerms,  kImport };
    const Expected all[] = {
        { OPT_AGREEMENT_DEAL_DECLARATION,
          { kAccount, kFunds, kDays, kVariety, kRate, kAmount, kDealer, kSubject, kTrader, kRatio,
            kSubjectType },
          { kFirst, kMaturity, kActual, kInterest, kMaturityAmount, kCpTrader, kCpDealer, kCpName,
            kCpSubject, kTerms, kImport } },
        { OPT_AGREEMENT_MATURITY_CONFIRM,
          contract1,
          { kRate2, kFirst, kMaturityAmount, kCpTrader, kCpDealer, kCpName, kCpSubject, kImport } },
        { OPT_AGREEMENT_EARLY_REPURCHASE,
          contract1,
          { kRate2, kFirst, kMaturityAmount, kCpTrader, kCpDealer, kCpName, kCpSubject, kTerms,
            kImport } },
        { OPT_AGREEMENT_MATURITY_RENEWAL,
          { kAccount, kFunds, kContract, kRenewType, kRenewDays, kRate, kAmount, kDealer, kSubject,
            kTrader, kRatio, kSubjectType },
          { kFirst, kMaturity, kActual, kOrigInterest, kInterest, kMaturityAmount, kCpTrader,
            kCpDealer, kCpName, kCpSubject, kTerms, kImport } },
        { OPT_AGREEMENT_INTENTION_REPO, intention1, intention2 },
        { OPT_AGREEMENT_INTENTION_REVERSE_REPO, intention1, intention2 },
        { OPT_AGREEMENT_PLEDGE_CHANGE,
          pledge1,
          { kMaturityAmount, kOrigCode, kOrigAmount, kCpTrader, kCpDealer, kCpName, kCpSubject,
            kTerms, kSwap, kImport } },
        { OPT_AGREEMENT_PLEDGE_RELEASE,
          pledge1,
          { kFirst, kMaturityAmount, kCpTrader, kCpDealer, kCpName, kCpSubject, kTerms, kSettlement,
            kImport } },
    };
    for (const Expected &e : all) {
        SCOPED_TRACE(int(e.type));
        const auto form = makeForm(e.type);
        EXPECT_EQ(form->columnLabels(1), e.column1);
        EXPECT_EQ(form->columnLabels(2), e.column2);
        // Every row has its editor, and the cells the type lacks stay null.
        for (const Form::Field &f : form->fields())
            EXPECT_NE(f.editor, nullptr) << f.label.toStdString();
        EXPECT_EQ(form->cells().days != nullptr,
                  e.column1.contains(kDays) || e.column1.contains(kRenewDays));
        EXPECT_EQ(form->dealerCell(21) != nullptr, e.column2.contains(kCpDealer));
        EXPECT_NE(form->cells().ratio, form->cells().days) << "days and ratio share id 2";
    }
}

TEST_F(ContentFormTest, renewalAndSubjectChoicesCarryTheirOrderCodes)
{
    const auto form = makeForm(OPT_AGREEMENT_MATURITY_RENEWAL);
    const Form::Cells &c = form->cells();
    ASSERT_TRUE(c.renewType && c.subjectType);
    EXPECT_EQ(c.renewType->itemText(1), QString("三方续做"));
    QList<int> data;
    for (XP::CComboBox *combo : { c.renewType, c.subjectType }) {
        for (int i = 0; i < combo->count(); ++i)
            data << combo->itemData(i).toInt();
    }
    EXPECT_EQ(data, (QList<int> { 48, 49, 2, 0, 1, 3 }));
    EXPECT_EQ(c.subjectType->itemText(3), QString("自营交易者"));
}

TEST_F(ContentFormTest, editorsTakeOnlyWhatTheirRangesAllow)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    const Form::Cells &c = form->cells();
    const std::tuple<QLineEdit *, const char *, const char *> typed[] = {
        { c.days->getLineEdit(), "366", "36" },       { c.days->getLineEdit(), "7x", "7" },
        { c.rate->getLineEdit(), "100", "10" },       { c.rate->getLineEdit(), "2.5555", "2.555" },
        { c.amount->getLineEdit(), "0.001", "0.00" }, { c.amount->getLineEdit(), "-5", "5" },
    };
    for (const auto &[edit, text, shown] : typed) {
        typeInto(edit, text);
        EXPECT_EQ(edit->text(), QString(shown)) << text;
    }
    const auto intention = makeForm(OPT_AGREEMENT_INTENTION_REPO);
    typeInto(intention->cells().contactMethod, "138a0");
    EXPECT_EQ(intention->cells().contactMethod->text(), QString("1380"));
}

TEST_F(ContentFormTest, enabledStatesFollowTheOperationAndTheDeployment)
{
    for (int deployment : { 100, 200 }) {
        SCOPED_TRACE(deployment);
        getUserConfig()->deploymentCode = deployment;
        const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
        const Form::Cells &c = form->cells();
        const auto intention = makeForm(OPT_AGREEMENT_INTENTION_REPO);
        const auto renewal = makeForm(OPT_AGREEMENT_MATURITY_RENEWAL);
        const auto confirm = makeForm(OPT_AGREEMENT_MATURITY_CONFIRM);
        // Typed by the trader; read-only under 200.
        for (QWidget *w : std::initializer_list<QWidget *> {
                 c.account, c.days, c.rate, c.amount, c.supplementaryTerms, c.subjectType,
                 form->dealerCell(19), form->dealerCell(21), intention->cells().contactPerson,
                 renewal->cells().renewType, confirm->dealerCell(21) })
            EXPECT_EQ(w->isEnabled(), deployment != 200) << w->objectName().toStdString();
        // Worked out or taken from the contract, never typed.
        for (QWidget *w : std::initializer_list<QWidget *> {
                 c.variety, c.maturitySettleDate, c.interest, c.maturityAmount, c.ratio,
                 renewal->cells().originalInterest, confirm->cells().amount })
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_TRUE(c.importButton->isEnabled());
    }

    // Under 200 selections are ignored, and a contract shows only its amounts.
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    form->setPledgeSelection({ pledgeRow("101901", 500000, 5000, "SZ") });
    EXPECT_EQ(line(form->firstSelection().size(), form->market()), "0 SH");
    addContract("C001", 15000);
    const auto confirm = makeForm(OPT_AGREEMENT_MATURITY_CONFIRM, "C001");
    const Form::Cells &c = confirm->cells();
    EXPECT_EQ(texts(c.firstSettleDate, c.maturityAmount, c.contractNo),
              (QStringList { "20260202", "1000700.00", "" }));
    const auto advance = makeForm(OPT_AGREEMENT_EARLY_REPURCHASE, "C001");
    EXPECT_EQ(texts(advance->cells().amount, advance->cells().rate),
              (QStringList { "1000000.00", "" }));
}

TEST_F(ContentFormTest, shenzhenSelectionSwitchesTheMarketRules)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    typeInto(form->cells().days->getLineEdit(), "7");
    EXPECT_EQ(form->cells().variety->text(), QString("SH回购7天"));

    const ttservice::CPledgedBondInfo row = pledgeRow("101901", 800000, 8000, "SZ");
    form->setPledgeSelection({ row, row });
    const Form::Cells &c = form->cells();
    EXPECT_EQ(line(form->market(), c.variety->text(), c.amount->text(), c.ratio->text(),
                   form->selectedVariety()->instrumentCode, form->firstSelectionTotal(),
                   doubleValidator(c.amount)->top(), c.supplementaryTerms->isEnabled()),
              "SZ SZ回购7天 1600000.00 100.00 138007 1600000 1600000 0");

    // The renewal and release rows of a Shenzhen contract open up.
    addContract("SZ01", 10000)->market = "SZ";
    const auto renewal = makeForm(OPT_AGREEMENT_MATURITY_RENEWAL, "SZ01");
    const auto release = makeForm(OPT_AGREEMENT_PLEDGE_RELEASE, "SZ01");
    // A renewal starts a new term: it shows neither the old first settlement nor its amount.
    const Form::Cells &rn = renewal->cells(), &rl = release->cells();
    EXPECT_EQ(line(rn.firstSettleDate->text(), rn.maturityAmount->text(),
                   rn.originalInterest->text(), rl.settlementAmount->text(),
                   rn.originalInterest->isEnabled(), rl.settlementAmount->isEnabled(),
                   rl.supplementaryTerms->isEnabled()),
              "- - 700.00 1000700.00 1 1 0");
    // A Shanghai release settles without an amount of its own.
    addContract("SH01", 10000);
    const auto shanghai = makeForm(OPT_AGREEMENT_PLEDGE_RELEASE, "SH01");
    EXPECT_TRUE(shanghai->cells().settlementAmount->text().isEmpty());
}

TEST_F(ContentFormTest, accountsComboOffersConfiguredAccountsAndShowsTheirFunds)
{
    EventSink sink;
    auto *form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION, {}, &sink).release(); // owned by sink
    form->setAccountKeys({ kLoggedInAccount, "99999", kRefreshingAccount });
    XP::CComboBox *combo = form->cells().account;
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(line(combo->itemText(0), combo->itemText(1), form->currentAccountKey()),
              "10001 10003 10001");
    // An account not offered, or none, keeps the current one.
    form->setCurrentAccount(QStringLiteral("nobody"));
    form->setCurrentAccount(QString());
    EXPECT_EQ(form->currentAccountKey(), QString(kLoggedInAccount));

    // A refresh shows the funds, announces the account to the page and subscribes once.
    const ttservice::CAccountDataPtr data = accountData(kLoggedInAccount);
    form->cells().funds->setText(QString());
    sink.events.clear();
    form->refreshAccountInfo();
    EXPECT_EQ(line(form->cells().funds->text(), eventLines(sink).join(';')),
              "1000000.00 71 0 0 10001");
    form->refreshAccountInfo();
    EXPECT_EQ(data->subscriptionCount(), 1) << "a refresh replaces the subscription";
    // Funds change on the counter: the next refresh shows them.
    auto detail = boost::make_shared<ttservice::CAccountDetail>(*data->getAccountDetail());
    detail->availableFunds = 1234.565;
    data->setAccountDetail(detail);
    form->refreshAccountInfo();
    EXPECT_EQ(form->cells().funds->text(), QString("1234.57"));

    sink.events.clear();
    form->setCurrentAccount(QString::fromLatin1(kRefreshingAccount));
    // The account change travels on to the page.
    EXPECT_EQ(
        line(form->currentAccountKey(), form->cells().funds->text(), eventLines(sink).join(';')),
        "10003 50000.00 71 0 1 10003");
    // A subject type choice stays in the form.
    sink.events.clear();
    form->cells().subjectType->setCurrentIndex(2);
    EXPECT_TRUE(sink.events.empty());
}

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
    EXPECT_EQ(line(c.days->text(), form->selectedVariety()->instrumentCode, c.rate->text(),
                   c.amount->text()),
              "- 206014 2.1 2000000");
    // 366 cannot be typed; a programmatic 400 matches no variety and keeps the last one.
    c.days->setText(QStringLiteral("400"));
    form->recalculate();
    EXPECT_EQ(line(c.variety->text(), form->selectedVariety()->instrumentCode), "- 206014");

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
    EXPECT_EQ(texts(c.contractNo, c.maturityAmount), (QStringList { "", "5.00" }));

    // First settled on 2 February, repurchased on 12 February: ten days.
    form->setContract("C001");
    EXPECT_EQ(texts(c.firstSettleDate, c.contractNo, c.amount, c.rate, c.ratio, c.maturityAmount,
                    c.counterpartyDealerName, c.supplementaryTerms),
              (QStringList { "20260202", "C001", "1000000.00", "3.650", "60.00", "1001000.00",
                             "券商乙", "按约定" }));
    EXPECT_EQ(line(doubleValidator(c.amount)->top(), form->traderCode(), form->dealerCode(19),
                   form->dealerCell(21)->getText(), form->dealerCell(14)->getText(),
                   form->selectedVariety()->instrumentCode),
              "1500000 T1 T1 D2 券商乙 S3 主体三 206007");

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

TEST_F(FormCalculationTest, conversionRatioFromSelectionsAndOfAPledgeChange)
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

    // A pledge change of 1,000,000 of face value keeps its amount; swapping out everything
    // pledged keeps the ratio.
    addContract("C002", 10000)->repurchaseAmount = 600000;
    const auto change = makeForm(OPT_AGREEMENT_PLEDGE_CHANGE, "C002");
    const Form::Cells &ch = change->cells();
    EXPECT_EQ(texts(ch.amount, ch.originalPledgeCode, ch.originalPledgeAmount),
              (QStringList { "600000.00", "019547", "600000.00" }));
    change->setPledgeSelection({ pledgeRow("122000", 500000, 0) });
    EXPECT_EQ(texts(ch.amount, ch.ratio), (QStringList { "600000.00", "40.00" }));
    change->setSecondPledgeSelection({ pledgeRow("019547", 300000, 0) });
    EXPECT_EQ(line(change->secondSelectionTotal(), ch.ratio->text()), "300000 50.00");
    change->setSecondPledgeSelection({ pledgeRow("019547", 1500000, 0) });
    EXPECT_EQ(ch.ratio->text(), QString("50.00"));
}

TEST_F(FormCalculationTest, turnDealRowFillsTermsAndCounterparty)
{
    auto order = intentionOrder("IO1", '1'); // 7 days
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
    EXPECT_EQ(line(c.days->text(), c.rate->text(), c.counterpartyDealerName->text(),
                   c.variety->text(), c.maturitySettleDate->text(), form->dealerCode(20),
                   form->dealerCode(21)),
              "7 2.350 基金丁 SH回购7天 20260224 T9 D9");

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
    EXPECT_EQ(form->varieties("SH").size() + form->varieties("SZ").size(), 18u);
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
    EXPECT_EQ(line(form->selectedVariety()->instrumentCode, form->cells().variety->text()),
              "206000 重叠品种");

    // Ticked bonds take the last variety and set amount and ratio; dates and interest stay.
    CHostClock::setToday(QDate(2026, 3, 6));
    form->setPledgeSelection({ pledgeRow("019547", 2000000, 0) });
    EXPECT_EQ(derived(*form),
              (QStringList { "SH回购7天", "20260212", "20260224", "12", "1200.00", "1001200.00" }));
    EXPECT_EQ(line(form->selectedVariety()->instrumentCode, form->cells().amount->text(),
                   form->cells().ratio->text()),
              "206007 2000000.00 100.00");

    addContract("C007", 1000);
    const auto renewal = makeForm(OPT_AGREEMENT_MATURITY_RENEWAL, "C007");
    EXPECT_EQ(renewal->selectedVariety()->instrumentCode, "206007");
}

TEST_F(FormDealerTest, typedTextOffersDealersAndAPickedOneItsTradersAndSubjects)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    loadDealers(QString::fromUtf8(kDealers));
    XP::CAutoKeyboardWidget *list = form->dealerCell(12)->getAutoKeyboardWidget();
    EXPECT_EQ(list->matches("D"), QStringList({ "D1 银行甲", "D2 券商乙" }));
    EXPECT_EQ(list->matches("券商"), QStringList({ "D2 券商乙" }));
    EXPECT_EQ(form->dealerCell(21)->getAutoKeyboardWidget()->matches("银行"),
              QStringList({ "D1 银行甲" }));

    form->dealerCell(12)->pick(QStringLiteral("D1 银行甲"));
    EXPECT_EQ(entries(*form, 19), QStringList({ "T1 张三", "T2" }));
    EXPECT_EQ(entries(*form, 13), QStringList({ "S1 主体一", "S2 主体二" }));
    EXPECT_EQ(form->dealerCell(19)->getAutoKeyboardWidget()->matches("T"),
              QStringList({ "T1 张三", "T2" }));

    form->dealerCell(21)->pick(QStringLiteral("D2 券商乙"));
    EXPECT_EQ(entries(*form, 14), QStringList({ "S3 主体三" }));
    EXPECT_EQ(entries(*form, 20), QStringList({ "T7 王五", "T8 赵六" }));
    EXPECT_EQ(entries(*form, 19), QStringList({ "T1 张三", "T2" })) << "own side untouched";

    form->dealerCell(19)->pick(QStringLiteral("T1 张三"));
    EXPECT_EQ(form->traderCode(), "T1");

    // A text without a code part leaves the models alone.
    form->dealerCell(12)->pick(QStringLiteral(" 银行甲"));
    EXPECT_EQ(entries(*form, 19), QStringList({ "T1 张三", "T2" }));
    // An unknown dealer fills nothing either.
    form->dealerCell(12)->pick(QStringLiteral("D9 不在名录"));
    EXPECT_EQ(entries(*form, 13), QStringList({ "S1 主体一", "S2 主体二" }));

    // An intention form has only its own side: no counterparty to refill.
    const auto intention = makeForm(OPT_AGREEMENT_INTENTION_REPO);
    EXPECT_EQ(intention->dealerCell(20), nullptr);
    intention->dealerCell(12)->pick(QStringLiteral("D2 券商乙"));
    EXPECT_EQ(entries(*intention, 19), QStringList({ "T7 王五", "T8 赵六" }));
}

TEST_F(FormDealerTest, importLoadsAndKeepsADealerFileAndAFailedOneLosesNothing)
{
    XP::CScriptedDialogResponder responder;
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    responder.answerFile(writeFile("import.csv", utils::utf8ToGbk(QString::fromUtf8(kDealers))));
    form->cells().importButton->click();
    ASSERT_EQ(responder.askedCount(XP::CScriptedDialogResponder::ASK_OPEN_FILE), 1);
    EXPECT_EQ((QStringList { responder.asked().at(0).title, responder.asked().at(0).text }),
              (QStringList { "导入交易商", "Excel Files(*.csv);" }));
    const QStringList dealers = CDealerDirectory::instance()->dealerList();
    EXPECT_EQ(dealers, QStringList({ "D1 银行甲", "D2 券商乙" }));
    EXPECT_TRUE(QFile::exists(CDealerDirectory::filePath())) << "saved for the next start";
    EXPECT_EQ(form->dealerCell(12)->getAutoKeyboardWidget()->matches("D2"),
              QStringList({ "D2 券商乙" }));

    // No dealer file, an empty or a missing file, or a cancelled dialog.
    form->dealerCell(12)->setText(QStringLiteral("D1 银行甲"));
    typeInto(form->cells().amount->getLineEdit(), "1000000");
    responder.answerFile(writeFile("notes.csv", "just,some\nnotes,here\n"));
    responder.answerFile(writeFile("empty.csv", ""));
    responder.answerFile(m_tmp.filePath("gone.csv"));
    responder.answerFile(QString());
    msgService()->clear();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(form->handleEvent(5, Form::CELL_IMPORT, 0, QString(), nullptr));
    EXPECT_EQ(responder.askedCount(XP::CScriptedDialogResponder::ASK_OPEN_FILE), 5);
    // Each file that could not be imported says so once; a cancelled dialog says nothing.
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages().at(0),
              "交易商文件 " + m_tmp.filePath("notes.csv").toStdString()
                  + " 导入失败: 表头格式错误");
    EXPECT_EQ(messages().at(2),
              "交易商文件 " + m_tmp.filePath("gone.csv").toStdString() + " 导入失败");
    EXPECT_EQ(CDealerDirectory::instance()->dealerList(), dealers);
    EXPECT_EQ((QStringList { form->dealerCell(12)->getText(), form->cells().amount->text() }),
              (QStringList { "D1 银行甲", "1000000" }));
}
