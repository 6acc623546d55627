#include "AgreementFormFixture.h"

#include "tc/CUserManager.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CComboBox.h"
#include "xp/CDoubleValidator.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/CPushButton.h"

#include <boost/make_shared.hpp>

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
          { kAccount, kFunds, kContract, kRate, kAmount, kDealer, kSubject, kTrader, kRatio,
            kSubjectType },
          { kMaturityAmount, kOrigCode, kOrigAmount, kCpTrader, kCpDealer, kCpName, kCpSubject,
            kTerms, kSwap, kImport } },
        { OPT_AGREEMENT_PLEDGE_RELEASE,
          { kAccount, kFunds, kContract, kRate, kAmount, kDealer, kSubject, kTrader, kRatio,
            kSubjectType },
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

    // Under 200 selections are ignored.
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    form->setPledgeSelection({ pledgeRow("101901", 500000, 5000, "SZ") });
    EXPECT_TRUE(form->firstSelection().isEmpty());
    EXPECT_EQ(form->market(), "SH");
}

TEST_F(ContentFormTest, shenzhenSelectionSwitchesTheMarketRules)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    typeInto(form->cells().days->getLineEdit(), "7");
    EXPECT_EQ(form->cells().variety->text(), QString("SH回购7天"));

    const ttservice::CPledgedBondInfo row = pledgeRow("101901", 800000, 8000, "SZ");
    form->setPledgeSelection({ row, row });
    const Form::Cells &c = form->cells();
    EXPECT_EQ(form->market(), "SZ");
    EXPECT_FALSE(c.supplementaryTerms->isEnabled());
    EXPECT_EQ(texts(c.variety, c.amount, c.ratio),
              (QStringList { "SZ回购7天", "1600000.00", "100.00" }));
    EXPECT_EQ(form->selectedVariety()->instrumentCode, "138007");
    EXPECT_DOUBLE_EQ(form->firstSelectionTotal(), 1600000);
    EXPECT_DOUBLE_EQ(doubleValidator(c.amount)->top(), 1600000);

    // The renewal and release rows of a Shenzhen contract open up.
    const auto renewal = makeForm(OPT_AGREEMENT_MATURITY_RENEWAL);
    const auto release = makeForm(OPT_AGREEMENT_PLEDGE_RELEASE);
    auto contract = addContract("SZ01", 10000);
    contract->market = "SZ";
    renewal->setContract("SZ01");
    release->setContract("SZ01");
    // A renewal starts a new term: it shows neither the old first settlement nor its amount.
    const Form::Cells &rn = renewal->cells(), &rl = release->cells();
    EXPECT_EQ(
        texts(rn.firstSettleDate, rn.maturityAmount, rn.originalInterest, rl.settlementAmount),
        (QStringList { "", "", "700.00", "1000700.00" }));
    EXPECT_EQ(
        (std::vector<bool> { rn.originalInterest->isEnabled(), rl.settlementAmount->isEnabled(),
                             rl.supplementaryTerms->isEnabled() }),
        (std::vector<bool> { true, true, false }));
    // A Shanghai release settles without an amount of its own.
    addContract("SH01", 10000);
    const auto shanghai = makeForm(OPT_AGREEMENT_PLEDGE_RELEASE);
    shanghai->setContract("SH01");
    EXPECT_TRUE(shanghai->cells().settlementAmount->text().isEmpty());
}

TEST_F(ContentFormTest, accountsComboOffersConfiguredAccountsAndShowsTheirFunds)
{
    EventSink sink;
    auto *form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION, &sink).release(); // owned by the sink
    form->setAccountKeys({ kLoggedInAccount, "99999", kRefreshingAccount });
    XP::CComboBox *combo = form->cells().account;
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ((QStringList { combo->itemText(0), combo->itemText(1) }),
              (QStringList { kLoggedInAccount, kRefreshingAccount }));
    EXPECT_EQ(form->currentAccountKey(), QString(kLoggedInAccount));
    EXPECT_EQ(form->accountKeys().size(), 3u);

    form->setCurrentAccount(QStringLiteral("nobody"));
    form->setCurrentAccount(QString());
    EXPECT_EQ(form->currentAccountKey(), QString(kLoggedInAccount));

    // A refresh shows the funds, announces the account to the page and subscribes once.
    const ttservice::CAccountDataPtr data = accountData(kLoggedInAccount);
    form->cells().funds->setText(QString());
    sink.events.clear();
    form->refreshAccountInfo();
    EXPECT_EQ(form->cells().funds->text(), QString("1000000.00"));
    EXPECT_EQ(eventLines(sink), QStringList("71 0 0 10001"));
    EXPECT_EQ(data->subscriptionCount(), 1);
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
    EXPECT_EQ(form->currentAccountKey(), QString(kRefreshingAccount));
    EXPECT_EQ(form->cells().funds->text(), QString("50000.00"));
    // The account change travels on to the page.
    EXPECT_EQ(eventLines(sink), QStringList("71 0 1 10003"));
    // A subject type choice stays in the form.
    sink.events.clear();
    form->cells().subjectType->setCurrentIndex(2);
    EXPECT_TRUE(sink.events.empty());
}
