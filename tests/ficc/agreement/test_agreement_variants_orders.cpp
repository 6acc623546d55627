#include "AgreementFormFixture.h"
#include "HostServices.h"

#include "agreement/CAgreementRepurchaseWidgetAdvance.h"
#include "agreement/CAgreementRepurchaseWidgetDec.h"
#include "tc/CAlgorithmHelpDialog.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/CUserManager.h"
#include "utils/CSingletonT.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CComboBox.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/CSmallNormalButton.h"

namespace {

using namespace TC;

class AgreementVariantOrderTest : public AgreementFormFixture
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

TEST_F(AgreementVariantOrderTest, validDeclarationIsPlacedAsOneManualCommandOfWhatTheFormShows)
{
    CAgreementRepurchaseWidgetDec dec(nullptr);
    fillValidDeclaration(dec);
    LogCapture log;
    dec.doOperation();

    ASSERT_EQ(commandCenter()->commands().size(), 1u);
    const CCommandRecord &record = commandCenter()->commands().front();
    ASSERT_TRUE(record.param);
    const ttservice::COrderComandParam &command = *record.param;
    EXPECT_EQ((std::vector<int> { command.commandKind, command.commandSubKind, command.manual,
                                  command.commandMode, command.commandOption, record.confirm,
                                  record.option }),
              (std::vector<int> { 0x100000, 0, true, 0, 0, true, 0 }));
    EXPECT_TRUE(command.commandText.empty());

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
    EXPECT_EQ((std::vector<std::string> {
                  order.accountInfo->getKey(), order.stock.stockCode, order.stock.stockName,
                  a.bondCode, a.dealer, a.tradingEntity, a.counterpartyEntity, a.trader,
                  a.counterpartyTrader, a.counterpartyDealer, a.counterpartyDealerName }),
              (std::vector<std::string> { kLoggedInAccount, "206003", "SH回购3天", "019548", "D1",
                                          "S1", "S3", "T1", "T7", "D2", "券商乙" }));
    // Three days from Thursday 12 February settle after the Spring Festival.
    EXPECT_EQ((std::vector<long long> { order.operationType, order.volume, a.maturitySettleDate,
                                        a.repurchaseDays, a.subjectType }),
              (std::vector<long long> { 1045, 3000, 20260224, 12, 3 }));
    EXPECT_DOUBLE_EQ(order.price, 0.025);
    EXPECT_DOUBLE_EQ(a.repurchaseAmount, 1000000);
    EXPECT_DOUBLE_EQ(a.conversionRatio, 0.8333);
}

TEST_F(AgreementVariantOrderTest, onlyPlacingDeploymentsHandOrdersToTheCommandCentre)
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
    EXPECT_EQ(msgService()->messages().front().type, 4);
    EXPECT_EQ(msgService()->messages().front().level, 1);
}
