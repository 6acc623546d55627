#include "shell/CDealerDirectory.h"
#include "shell/CFiccOperationPanel.h"
#include "shell/COperationFiccWidget.h"

#include "tc/CUserManager.h"
#include "tc/ConfigDir.h"
#include "tc/HostReset.h"
#include "utils/StringHelper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char *kHeader = "交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称";

class FiccOperationPanelTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        TC::resetHostForTests();
        ASSERT_TRUE(dir.isValid());
        TC::setConfigDir(dir.path());
        TC::CDealerDirectory::instance()->resetForTests();
    }
    void TearDown() override
    {
        TC::CDealerDirectory::instance()->resetForTests();
        TC::resetHostForTests();
    }
    void setDeployment(int code) { TC::getUserConfig()->deploymentCode = code; }
    QString dealerFile() const { return QDir(dir.path()).filePath("FiccDealerConfig.csv"); }
    void writeDealerFile(const QString &body)
    {
        QFile f(dealerFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(utils::utf8ToGbk(QString::fromUtf8(kHeader) + "\n" + body));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(FiccOperationPanelTest, declaresFiccTraderType)
{
    setDeployment(100);
    TC::CFiccOperationPanel panel(3, nullptr);
    EXPECT_EQ(panel.tradeType(), ttservice::VQ_TRADER_TYPE_FICC);
    EXPECT_EQ(int(panel.traderTypes()), 0x100000);
    EXPECT_EQ(panel.panelId(), 3);
}

class FiccDeploymentWithContent : public FiccOperationPanelTest {};

TEST_P(FiccDeploymentWithContent, buildsTheSwitcherAsItsWholeContent)
{
    setDeployment(GetParam());
    TC::CFiccOperationPanel panel(1, nullptr);
    TC::COperationFiccWidget *switcher = panel.operationWidget();
    ASSERT_NE(switcher, nullptr);
    EXPECT_EQ(switcher->parentWidget(), &panel);
    EXPECT_EQ(switcher->objectName(), QStringLiteral("zolp_ficc_operationficcwidget"));
    ASSERT_NE(panel.layout(), nullptr);
    EXPECT_EQ(panel.layout()->indexOf(switcher), 0);
    const QMargins m = panel.layout()->contentsMargins();
    EXPECT_EQ(m, QMargins(0, 0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Deployments, FiccDeploymentWithContent, ::testing::Values(90, 91, 100, 400, 200, 101));

class FiccDeploymentWithoutContent : public FiccOperationPanelTest {};

TEST_P(FiccDeploymentWithoutContent, staysEmptyAndNeverTouchesTheDealerFile)
{
    setDeployment(GetParam());
    writeDealerFile("1001,海通证券,100101,海通证券自营\n");
    QFile f(dealerFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    TC::CFiccOperationPanel panel(1, nullptr);
    EXPECT_EQ(panel.operationWidget(), nullptr);
    panel.setParam(QStringLiteral("2//1001"));
    EXPECT_TRUE(TC::CDealerDirectory::instance()->dealerList().isEmpty()) << "setParam must not reload";
    EXPECT_EQ(panel.param(), QString(""));
    // Forwarding operations are no-ops.
    panel.refreshAccounts();
    panel.requestAccount(ttservice::CAccountInfo());
    panel.loadAccountGroupSettings();
    panel.setCurrentOperationType(TC::OPT_SPOT_BOND_TRADE);

    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before) << "param() must not save";
}

INSTANTIATE_TEST_SUITE_P(Deployments, FiccDeploymentWithoutContent, ::testing::Values(0, 1, 99, 102, 300, 401, -100));

TEST_F(FiccOperationPanelTest, setParamReloadsDealerDirectoryEvenWithEmptyText)
{
    setDeployment(100);
    writeDealerFile("1001,海通证券,100101,海通证券自营,T001,张伟\n1002,国泰君安,100201,国泰君安自营\n");
    TC::CFiccOperationPanel panel(1, nullptr);
    panel.setParam(QString());
    EXPECT_EQ(TC::CDealerDirectory::instance()->dealerList(),
              QStringList({QStringLiteral("1001 海通证券"), QStringLiteral("1002 国泰君安")}));
}

TEST_F(FiccOperationPanelTest, paramSavesDealerDirectory)
{
    setDeployment(90);
    TC::CFiccOperationPanel panel(1, nullptr);
    writeDealerFile("1001,海通证券,100101,海通证券自营,T001,张伟\n");
    panel.setParam(QString());
    QFile::remove(dealerFile());
    ASSERT_FALSE(QFile::exists(dealerFile()));

    EXPECT_EQ(panel.param(), QString(""));
    ASSERT_TRUE(QFile::exists(dealerFile()));
    QFile f(dealerFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = utils::safeGbk2Utf8(f.readAll());
    EXPECT_TRUE(text.startsWith(QString::fromUtf8(kHeader)));
    EXPECT_TRUE(text.contains(QStringLiteral("1001,海通证券,100101,海通证券自营,T001,张伟")));
}

TEST_F(FiccOperationPanelTest, savingBeforeAnyLoadKeepsTheTradersFile)
{
    setDeployment(100);
    // A file the directory cannot read (wrong header) must survive param().
    QFile f(dealerFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(utils::utf8ToGbk(QStringLiteral("代码,名称\n1001,海通证券,100101,海通证券自营\n")));
    f.close();
    TC::CFiccOperationPanel panel(1, nullptr);
    EXPECT_EQ(panel.param(), QString(""));
    panel.setParam(QString()); // load fails
    EXPECT_EQ(panel.param(), QString(""));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(utils::safeGbk2Utf8(f.readAll()), QStringLiteral("代码,名称\n1001,海通证券,100101,海通证券自营\n"));
}
