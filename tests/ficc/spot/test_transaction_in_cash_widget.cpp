#include "EventRecorder.h"
#include "HostFixture.h"
#include "HostServices.h"
#include "LogCapture.h"
#include "QtPrinters.h"
#include "SpotOrders.h"
#include "UserInput.h"

#include "spot/COpTransactionInCashWidget.h"
#include "tc/CAlgorithmHelpDialog.h"
#include "tc/CCanOrderNum.h"
#include "tc/COpAccountsWidget.h"
#include "tc/COpButton.h"
#include "tc/CStockCodeLineEdit.h"
#include "tc/CUserManager.h"
#include "xp/CComboBox.h"
#include "xp/CLineEdit.h"
#include "xp/CMessageTip.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CUiResource.h"
#include "xp/CWidgetList.h"
#include "xp/WidgetEvents.h"

#include <QMap>

#include <memory>
#include <tuple>

using TC::COpTransactionInCashWidget;

namespace {

using SplitMap = QMap<std::string, QPair<double, double>>;

class SpotPageTest : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        build();
    }

    void build()
    {
        canOrder.clear();
        splits.clear();
        // Stands where the switcher stands: keeps what the page sends upwards, one line each.
        recorder = std::make_unique<EventRecorder>("recorder", nullptr);
        recorder->onEvent = [this](int event, int a, int, const QString &text, void *data) {
            if (event == XP::EVT_CAN_ORDER_NUM && data) {
                const auto *num = static_cast<TC::CCanOrderNum *>(data);
                canOrder << QString::asprintf("%s side %d: buy %lld, sell %lld", qPrintable(text),
                                              a, num->buyVolume, num->sellVolume);
            } else if (event == XP::EVT_ACCOUNT_SPLIT_VOLUME && data) {
                splits << QString("op %1:").arg(a);
                const SplitMap &split = *static_cast<SplitMap *>(data);
                for (auto it = split.begin(); it != split.end(); ++it)
                    splits.last()
                        += QString::asprintf(" %s %g/%g", it.key().c_str(), it->first, it->second);
            }
        };
        accounts = new TC::COpAccountsWidget(4, true, true, recorder.get(), 1);
        page = new COpTransactionInCashWidget(recorder.get());
        page->setAccountsWidget(accounts);
    }

    // The form's texts as one line, in the order of its rows.
    QString form() const
    {
        return QString("%1: %2 at %3, full price %4, interest %5, settlement %6, trader %7, "
                       "agreement %8")
            .arg(edit(0)->text(), edit(3)->text(), edit(4)->text(), edit(7)->text(),
                 edit(6)->text(), edit(5)->text(), edit(9)->text(), edit(10)->text());
    }

    XP::CLineEdit *edit(int id) const { return page->editor(id); }

    void enterCode(const QString &code)
    {
        page->codeEdit()->getLineEdit()->selectAll();
        type(page->codeEdit()->getLineEdit(), code);
    }

    // A complete buy form for the logged-in account: 1000 张 of SH 019547 at 100.
    void fillForm()
    {
        page->setCurrentAccount(kLoggedInAccount);
        enterCode(QStringLiteral("019547"));
        enter(edit(COpTransactionInCashWidget::ID_PRICE), QStringLiteral("100"));
        enter(edit(COpTransactionInCashWidget::ID_QUANTITY), QStringLiteral("1000"));
        enter(edit(COpTransactionInCashWidget::ID_COUNTERPARTY_TRADER), QStringLiteral("Li"));
        enter(edit(COpTransactionInCashWidget::ID_AGREEMENT_NO), QStringLiteral("123"));
    }

    static QString lastMessage()
    {
        const auto all = messages();
        return all.empty() ? QString() : QString::fromStdString(all.back());
    }

    std::unique_ptr<EventRecorder> recorder;
    QStringList canOrder; // "account side n: buy n, sell n"
    QStringList splits; // "op n: account entered/…" per message
    TC::COpAccountsWidget *accounts = nullptr;
    COpTransactionInCashWidget *page = nullptr;
};

} // namespace

TEST_F(SpotPageTest, formHasItsRowsEditorsAndButtons)
{
    QStringList labels;
    for (XP::CSimpleTextWidget *label : page->form()->findChildren<XP::CSimpleTextWidget *>())
        labels << label->text();
    EXPECT_EQ(labels,
              (QStringList { "债券代码", "债券名称", "委托类别", "委托数量", "委托净价", "全价价格",
                             "总应计利息", "结算金额", "对方交易员", "约定号" }));
    for (int id : { 0, 3, 4, 5, 6, 7, 9, 10 }) {
        ASSERT_NE(edit(id), nullptr) << id;
        // Only the quantity, price, trader and agreement number are typed in.
        EXPECT_EQ(edit(id)->isEnabled(), id == 3 || id == 4 || id == 9 || id == 10) << id;
    }
    EXPECT_EQ(page->categoryCombo()->itemText(0), QStringLiteral("指定对手方报价申报"));
    EXPECT_TRUE(XP::uiResource()->missingKeys().isEmpty())
        << XP::uiResource()->missingKeys().join(",").toStdString();
    EXPECT_EQ((QStringList { page->buyButton()->text(), page->sellButton()->text() }),
              (QStringList { "买 入", "卖 出" }));
    // Each button follows its own side only.
    page->setOperationEnabled(ttservice::OPERATION_TYPE_SELL, false);
    page->setOperationEnabled(ttservice::EOperationType(1051), true);
    EXPECT_FALSE(page->sellButton()->isEnabled());
    EXPECT_TRUE(page->buyButton()->isEnabled());
    page->setOperationEnabled(ttservice::OPERATION_TYPE_BUY, false);
    EXPECT_FALSE(page->buyButton()->isEnabled());
}

TEST_F(SpotPageTest, deploymentDecidesTheButtonsAndWhetherOrdersGoOut)
{
    // Deployment, whether it gets a buy and a sell button, and whether a complete order goes out.
    const std::tuple<int, bool, bool, bool> cases[] = {
        { 90, true, true, true },   { 91, true, true, true },   { 101, true, true, true },
        { 100, true, true, true },  { 80, true, true, true },   { 400, false, true, true },
        { 200, true, true, false }, { 0, false, false, false }, { 300, false, false, false },
    };
    for (const auto &[code, buy, sell, sends] : cases) {
        SCOPED_TRACE(code);
        commandCenter()->reset();
        TC::getUserConfig()->deploymentCode = code;
        build();
        EXPECT_EQ(page->buyButton() != nullptr, buy);
        EXPECT_EQ(page->sellButton() != nullptr, sell);
        // 200 only looks, but the agreement number may still be noted.
        const bool readOnly = code == 200;
        EXPECT_EQ(page->codeEdit()->isEnabled(), !readOnly);
        EXPECT_EQ(page->categoryCombo()->isEnabled(), !readOnly);
        for (int id : { 3, 4, 9 })
            EXPECT_EQ(edit(id)->isEnabled(), !readOnly) << id;
        EXPECT_TRUE(edit(10)->isEnabled());
        if (readOnly) {
            EXPECT_FALSE(page->buyButton()->isEnabled());
            EXPECT_FALSE(page->sellButton()->isEnabled());
        }

        // A complete sell order (the form is filled by the program where it is read-only).
        page->setCurrentAccount(kLoggedInAccount);
        page->handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QStringLiteral("019547"), nullptr);
        edit(4)->setText(QStringLiteral("100"));
        page->handleEvent(XP::EVT_EDIT_FINISHED, 4, 0, QStringLiteral("100"), nullptr);
        edit(3)->setText(QStringLiteral("100"));
        edit(9)->setText(QStringLiteral("Li"));
        edit(10)->setText(QStringLiteral("123"));
        EXPECT_TRUE(page->handleEvent(XP::EVT_BUTTON_CHECKED, 12, 0, QString(), nullptr));
        page->doOperation();
        EXPECT_EQ(commands().size(), sends ? 2u : 0u);
    }
}

TEST_F(SpotPageTest, ordersFromTheFormReachTheCommandCentre)
{
    auto capture = std::make_unique<LogCapture>();

    fillForm();
    EXPECT_EQ(page->codeEdit()->code(), QStringLiteral("019547"));
    EXPECT_EQ(form(),
              "国债1901: 1000 at 100.000, full price 101.235, interest 1234.500, settlement "
              "101234.500, trader Li, agreement 123");

    page->buyButton()->click();
    const std::vector<std::string> logged = capture->messages();
    capture.reset();

    EXPECT_TRUE(messages().empty()) << lastMessage().toStdString();
    ASSERT_EQ(commands().size(), 1u);
    // The command's own fields are checked end to end by the terminal's spot order test.
    EXPECT_TRUE(commands().front().confirm);
    ASSERT_EQ(commands().front().param->orders.size(), 1u);
    EXPECT_EQ(summary(commands().front().param->orders.front()),
              "side 1052, 1000 of SH 019547 国债1901 (SH019547) at 100, kind 49, mode 11, "
              "agreement 123, trader Li, account 10001 by trader01");
    EXPECT_EQ(TC::CAlgorithmHelpDialog::callCount(), 1);
    EXPECT_EQ(TC::CAlgorithmHelpDialog::lastOrders().size(), 1u);

    const std::string prefix = "["
        + std::to_string(static_cast<long long>(reinterpret_cast<std::intptr_t>(page)))
        + "] [TC::COpTransactionInCashWidget::";
    EXPECT_EQ(logged,
              (std::vector<std::string> {
                  prefix + "handleEvent] User trader01 do ticc tradeOptype 11",
                  prefix + "doOperation] placeCommands: [manual] Transaction in cash." }));

    // The side follows the button: a sell of the same form; other ids keep the side.
    page->sellButton()->click();
    page->handleEvent(XP::EVT_BUTTON_CHECKED, 77, 0, QString(), nullptr);
    ASSERT_EQ(commands().size(), 3u);
    for (size_t n : { 1, 2 })
        EXPECT_EQ(commands()[n].param->orders.front().operationType,
                  ttservice::OPERATION_TYPE_SELL);
}

TEST_F(SpotPageTest, orderFailureAsksForAttentionWhenHintsAreOn)
{
    XP::CScriptedDialogResponder responder;
    // A buy click under the global order hints and the hint-before-order flags: the last message
    // and how often the trader was asked so far.
    const auto buyWithHints = [&](int global, int beforeOrder) {
        TC::getUserConfig()->setGlobalOrderHints(global);
        TC::getUserConfig()->getTradeSetting()->setHintBeforeOrderFlags(beforeOrder);
        page->buyButton()->click();
        return lastMessage()
            + QString(", asked %1")
                  .arg(responder.askedCount(XP::CScriptedDialogResponder::ASK_CRITICAL));
    };
    // A failed check: the message list only, even with hints.
    EXPECT_EQ(buyWithHints(1, 0), "没有选择账号, 无法下单!, asked 0");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(msgService()->messages().front().type, 4);
    EXPECT_EQ(msgService()->messages().front().level, 1);

    fillForm();
    edit(3)->setText(QStringLiteral("5"));
    // Hints of other kinds than order hints (bit 2) ask nothing.
    EXPECT_EQ(buyWithHints(2, 2), "可下单量不足, 无法下单!, asked 0");
    EXPECT_EQ(buyWithHints(2, 1), "可下单量不足, 无法下单!, asked 1");
    EXPECT_EQ(responder.lastMessage().title, QStringLiteral("参数错误"));
    EXPECT_EQ(responder.lastMessage().text, QStringLiteral("可下单量不足, 无法下单!"));
    EXPECT_EQ(responder.lastMessage().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(messages().size(), 3u) << "the message list gets it as well";
    EXPECT_EQ(buyWithHints(1, 0), "可下单量不足, 无法下单!, asked 2");

    // The login state is read again at the click.
    tradeClient()->setLoginStatus(kLoggedInAccount, ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN);
    edit(3)->setText(QStringLiteral("1000"));
    EXPECT_EQ(buyWithHints(1, 0), "账号 [10001] 尚未登录, 无法下单!, asked 2");
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(TC::CAlgorithmHelpDialog::callCount(), 0);
}

TEST_F(SpotPageTest, editorsTakeOnlyWhatTheirValidatorsAllow)
{
    // The quantity stops at an int's limit, the price at 1,000,000 and three decimals.
    const struct
    {
        int id;
        const char *typed, *shown;
    } cases[] = {
        { 3, "abc-1.5e3", "153" },  { 3, "2147483648", "214748364" }, { 4, "1.2.3", "1.23" },
        { 4, "1000001", "100000" }, { 4, "12.34567", "12.345" },
    };
    for (const auto &c : cases) {
        edit(c.id)->clear();
        type(edit(c.id), QString::fromLatin1(c.typed));
        EXPECT_EQ(edit(c.id)->text(), QString(c.shown)) << c.typed;
    }

    // Garbage that slips in anyway ends in the check's message, never in an order.
    fillForm();
    edit(3)->setText(QStringLiteral("99999999999"));
    page->buyButton()->click();
    EXPECT_EQ(lastMessage(), QStringLiteral("委托数量为0, 无法下单!"));
    EXPECT_TRUE(commands().empty());

    // Spin steps of 10 张 and 0.001.
    edit(3)->clear();
    edit(3)->stepBy(2);
    EXPECT_EQ(edit(3)->text(), QStringLiteral("20"));
    edit(4)->setDouble(0);
    edit(4)->stepBy(2);
    EXPECT_EQ(edit(4)->text(), QStringLiteral("0.002"));
}

TEST_F(SpotPageTest, editingTipsGuideTheAgreementNumberAndTrader)
{
    // The tip shown when `text` is entered at `editor`: none, its own, or one elsewhere.
    QWidget sentinel;
    const auto tipFor = [&](XP::CLineEdit *editor, const QString &text) {
        XP::CMessageTip::showTip(&sentinel, 0, QStringLiteral("sentinel"));
        editor->clear();
        enter(editor, text);
        const QWidget *at = XP::CMessageTip::lastTipEditor();
        return at == &sentinel ? QString()
            : at == editor     ? XP::CMessageTip::lastTipText()
                               : "elsewhere";
    };
    XP::CLineEdit *agreement = edit(10);
    EXPECT_EQ(tipFor(agreement, QStringLiteral("123")), QStringLiteral("请先选择证券代码!"));
    EXPECT_TRUE(agreement->text().isEmpty()) << "no code yet: the number is cleared";
    enterCode(QStringLiteral("019547")); // SH
    EXPECT_EQ(tipFor(agreement, QStringLiteral("012")), QString());
    EXPECT_EQ(tipFor(agreement, QStringLiteral("12")), QStringLiteral("请输入100~999之间的整数!"));
    EXPECT_EQ(agreement->text(), QStringLiteral("12")) << "a tip changes nothing";
    enterCode(QStringLiteral("101901")); // SZ
    EXPECT_EQ(tipFor(agreement, QStringLiteral("1234567")), QString());
    EXPECT_EQ(tipFor(agreement, QStringLiteral("12345678")),
              QStringLiteral("请输入0~999999之间的整数!"));

    // Eight digits on SZ are tipped but still ordered.
    page->setCurrentAccount(kLoggedInAccount);
    enter(edit(4), QStringLiteral("99"));
    enter(edit(3), QStringLiteral("100"));
    edit(9)->setText(QStringLiteral("Li"));
    page->buyButton()->click();
    ASSERT_EQ(commands().size(), 1u) << lastMessage().toStdString();
    EXPECT_EQ(commands().front().param->orders.front().agreementNo, 12345678);

    EXPECT_EQ(tipFor(edit(9), QString()), QStringLiteral("请输入对方交易员!"));
}

TEST_F(SpotPageTest, newCodeClearsTheFormAndShowsTheBond)
{
    fillForm();
    page->handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QStringLiteral("122000"), nullptr);
    EXPECT_EQ(page->stockCode(), QStringLiteral("122000"));
    EXPECT_EQ(page->currentAccount(), kLoggedInAccount);
    EXPECT_EQ(form(),
              "公司债A: 0 at 0.000, full price 2.500, interest 0.000, settlement 0.000, trader , "
              "agreement ")
        << "clean 0 plus the accrued interest";
    // An unlisted code: the form is cleared, name and amounts are not filled in.
    page->handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QStringLiteral("999999"), nullptr);
    EXPECT_EQ(
        form(),
        ": 0 at 0.000, full price 0.000, interest 0.000, settlement 0.000, trader , agreement ");
    page->setStockCode(QStringLiteral("999999"));
    edit(3)->setText(QStringLiteral("10"));
    page->updateAmounts();
    EXPECT_EQ(edit(5)->text(), QStringLiteral("0.000"));
}

TEST_F(SpotPageTest, accountListGetsOrderableAndEnteredQuantities)
{
    // The entered quantity is published for the current account.
    page->setCurrentAccount(kRefreshingAccount);
    enter(edit(3), QStringLiteral("250"));
    EXPECT_EQ(splits.mid(splits.size() - 2),
              QStringList({ "op 14014: 10003 0/0", "op 14014: 10003 250/0" }));

    page->setCurrentAccount(kLoggedInAccount);
    EXPECT_TRUE(canOrder.empty()) << "no bond yet";
    enterCode(QStringLiteral("019547"));
    canOrder.clear();
    // 50,000 / 101.2345 buy 490 张 for the refreshing account.
    enter(edit(4), QStringLiteral("100"));
    EXPECT_EQ(
        canOrder,
        QStringList({ "10001 side 1052: buy 9870, sell 12340", "10002 side 1052: buy 0, sell 0",
                      "10003 side 1052: buy 490, sell 0" }));

    // After a sell click the side travels with the figures.
    page->handleEvent(XP::EVT_BUTTON_CHECKED, 12, 0, QString(), nullptr);
    canOrder.clear();
    page->queryCanOrderNum();
    EXPECT_EQ(
        canOrder,
        QStringList({ "10001 side 1053: buy 9870, sell 12340", "10002 side 1053: buy 0, sell 0",
                      "10003 side 1053: buy 490, sell 0" }));

    // A zero price buys nothing.
    canOrder.clear();
    enter(edit(4), QStringLiteral("0"));
    EXPECT_EQ(canOrder,
              QStringList({ "10001 side 1053: buy 0, sell 12340", "10002 side 1053: buy 0, sell 0",
                            "10003 side 1053: buy 0, sell 0" }));

    // A new code reports once more for the code it replaces; an unlisted code reports nothing.
    canOrder.clear();
    page->handleEvent(XP::EVT_CODE_ENTERED, 0, 0, QStringLiteral("999999"), nullptr);
    EXPECT_EQ(canOrder.size(), accounts->getDisplayedAccounts().size());
    canOrder.clear();
    page->queryCanOrderNum();
    EXPECT_TRUE(canOrder.empty());
}
