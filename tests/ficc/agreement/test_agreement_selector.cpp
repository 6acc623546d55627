#include "HostFixture.h"

#include "agreement/COpAgreementRepurchaseWidget.h"
#include "tc/CUserManager.h"
#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"

namespace {

class AgreementSelectorTest : public HostFixture
{
protected:
    QList<int> buttonIds(TC::COpAgreementRepurchaseWidget &page)
    {
        QList<int> ids;
        for (XP::CPushButton *b : page.buttonGroup()->buttons())
            ids << b->id();
        return ids;
    }
};

} // namespace

TEST_F(AgreementSelectorTest, buttonsFollowTheDeployment)
{
    for (int code : {90, 91, 101, 100, 200, 80}) {
        TC::getUserConfig()->deploymentCode = code;
        TC::COpAgreementRepurchaseWidget page(nullptr);
        EXPECT_EQ(buttonIds(page), (QList<int>{1000, 1001, 1002, 1003, 1004, 1005, 1006})) << code;
        EXPECT_EQ(page.currentOperationId(), 1000);
        EXPECT_EQ(page.param(), QStringLiteral("1000"));
    }
    TC::getUserConfig()->deploymentCode = 400;
    TC::COpAgreementRepurchaseWidget sellOnly(nullptr);
    EXPECT_EQ(buttonIds(sellOnly), QList<int>{1003});
    EXPECT_EQ(sellOnly.currentOperationId(), 1003);
    EXPECT_EQ(sellOnly.param(), QStringLiteral("1003"));

    TC::getUserConfig()->deploymentCode = 7;
    TC::COpAgreementRepurchaseWidget none(nullptr);
    EXPECT_TRUE(buttonIds(none).isEmpty());
    EXPECT_EQ(none.currentOperationId(), -1);
    EXPECT_EQ(none.param(), QString(""));
}

TEST_F(AgreementSelectorTest, buttonTextsAndPageWidth)
{
    TC::COpAgreementRepurchaseWidget page(nullptr);
    QStringList texts;
    for (XP::CPushButton *b : page.buttonGroup()->buttons())
        texts << b->text();
    EXPECT_EQ(texts, (QStringList{"意向申报(沪)", "成交申报", "到期确认", "提前购回", "到期续做", "质押券变更", "解除质押"}));
    EXPECT_EQ(page.width(), 720);
    EXPECT_EQ(page.objectName(), QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
}

TEST_F(AgreementSelectorTest, parameterTextNamesTheCheckedOperation)
{
    TC::COpAgreementRepurchaseWidget page(nullptr);
    page.setParam(QStringLiteral("1005"));
    EXPECT_EQ(page.param(), QStringLiteral("1005"));
    EXPECT_EQ(page.currentOperationId(), 1005);
    page.setParam(QString());
    EXPECT_EQ(page.param(), QStringLiteral("1005"));
    page.setParam(QStringLiteral("##1002#1004"));
    EXPECT_EQ(page.param(), QStringLiteral("1002"));
}

TEST_F(AgreementSelectorTest, onlyAccountsOfTheCashTraderTypeWithFundsAreOffered)
{
    TC::COpAgreementRepurchaseWidget page(nullptr);
    // 10002 has no funds record; the other two are cash accounts with funds.
    EXPECT_EQ(page.accountKeys(), (std::set<std::string>{kLoggedInAccount, kRefreshingAccount}));
}

TEST_F(AgreementSelectorTest, buttonEventsAreConsumedWhateverTheirId)
{
    TC::COpAgreementRepurchaseWidget page(nullptr);
    for (int id : {9, 12, 0, 8, 100, 1007})
        EXPECT_TRUE(page.handleEvent(5, id, 0, QString(), nullptr)) << id;
    EXPECT_EQ(page.currentOperationId(), 1000);
    EXPECT_TRUE(page.handleEvent(5, 1004, 0, QString(), nullptr));
    EXPECT_EQ(page.currentOperationId(), 1004);
    EXPECT_FALSE(page.handleEvent(103, 0, 0, QString(), nullptr));
}
