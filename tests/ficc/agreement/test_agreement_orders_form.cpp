#include "AgreementFormFixture.h"

#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"

#include <memory>

namespace {

using namespace TC;

class AgreementOrderFormTest : public AgreementFormFixture
{
protected:
    static ttservice::CRepurchaseAgreementParam buildOne(Form &form,
                                                         ttservice::CCodeOrderParam &order)
    {
        std::vector<ttservice::CCodeOrderParam> orders;
        QString error, unused;
        EXPECT_TRUE(form.buildOrders(orders, error, unused)) << error.toStdString();
        EXPECT_EQ(orders.size(), 1u);
        if (orders.empty())
            return {};
        order = orders.front();
        return agreementOf(order);
    }
};

} // namespace

TEST_F(AgreementOrderFormTest, contractFormsOrderOnThePickedContract)
{
    const auto contract = addContract("C001", 15000);
    const auto form = makeForm(OPT_AGREEMENT_EARLY_REPURCHASE);
    EXPECT_EQ(form->orderOperationType(), -1) << "no contract picked";
    form->setContract("C404");
    QString error;
    EXPECT_FALSE(form->checkOrderInput(error));
    EXPECT_EQ(error, QStringLiteral("合约信息不存在或没有选中任何合约 [C404] , 无法下单!"));

    form->setContract("C001");
    EXPECT_EQ(form->orderOperationType(), 1048);
    ttservice::CCodeOrderParam order;
    const ttservice::CRepurchaseAgreementParam a = buildOne(*form, order);
    EXPECT_EQ((std::vector<std::string> { order.stock.stockCode, a.contractNo, a.trader,
                                          a.counterpartyDealer }),
              (std::vector<std::string> { "206007", "C001", "T1", "D2" }));
    EXPECT_EQ((std::vector<long long> { order.volume, a.firstSettleDate, a.repurchaseDays }),
              (std::vector<long long> { 15000, 20260202, 7 }));
    // Ten days used of the contract, from 2 to 12 February.
    EXPECT_DOUBLE_EQ(a.repurchaseAmount, 1001000);

    contract->direction = '2';
    EXPECT_EQ(form->orderOperationType(), 1049);
}

TEST_F(AgreementOrderFormTest, missingAccountDataIsLoggedAndChangesNothing)
{
    FakeOperation widget(OPT_AGREEMENT_DEAL_DECLARATION, kLoggedInAccount);
    EXPECT_EQ(widget.getAccountDataPtr(), accountData(kLoggedInAccount));
    LogCapture log;
    widget.setCurrentAccount(QStringLiteral("99999"));
    EXPECT_FALSE(widget.getAccountDataPtr());
    EXPECT_EQ(log.levelOf("] [TC::IBaseAgreementRepurchaseWidget::getAccountDataPtr] agreement "
                          "repurchase table match account 99999, but null account data ptr."),
              20000);

    Form form(OPT_AGREEMENT_DEAL_DECLARATION, nullptr, QStringLiteral("zolp_test_form"), false);
    EXPECT_EQ(form.getAccountDataPtr(), nullptr);
    EXPECT_EQ(log.levelOf("] [TC::IBaseAgreementContentWidget::getAccountDataPtr] agreement "
                          "repurchase table match account , but null account data ptr."),
              20000);
    form.refreshAccountInfo();
    EXPECT_TRUE(form.cells().funds->text().isEmpty());
    form.fillFromTurnDeal(QStringLiteral("IO1"));
    EXPECT_TRUE(form.cells().days->text().isEmpty());
    QString error;
    EXPECT_FALSE(form.checkOrderInput(error));
    EXPECT_EQ(error, QStringLiteral("没有选择账号, 无法下单!"));
}
