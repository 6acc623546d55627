#include "common/CDealerDirectory.h"
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

class FiccOperationPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TC::resetHostForTests();
        ASSERT_TRUE(dir.isValid());
        TC::setConfigDir(dir.path());
    }
    void TearDown() override { TC::resetHostForTests(); }
    void setDeployment(int code) { TC::getUserConfig()->deploymentCode = code; }
    QString dealerFile() const { return QDir(dir.path()).filePath("FiccDealerConfig.csv"); }
    void writeDealerFile(const std::string &text)
    {
        QFile f(dealerFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(utils::utf8ToGbk(QString::fromStdString(text)));
    }
    std::string readDealerFile() const
    {
        QFile f(dealerFile());
        return f.open(QIODevice::ReadOnly) ? utils::safeGbk2Utf8(f.readAll()).toStdString()
                                           : "<unreadable>";
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(FiccOperationPanelTest, deploymentsWithTheModuleGetTheSwitcherAsTheWholeContent)
{
    for (int deployment : { 90, 91, 100, 400, 200, 101 }) {
        SCOPED_TRACE(deployment);
        setDeployment(deployment);
        TC::CFiccOperationPanel panel(3, nullptr);
        EXPECT_EQ(panel.tradeType(), ttservice::VQ_TRADER_TYPE_FICC);
        EXPECT_EQ(int(panel.traderTypes()), 0x100000);
        EXPECT_EQ(panel.panelId(), 3);
        TC::COperationFiccWidget *switcher = panel.operationWidget();
        ASSERT_NE(switcher, nullptr);
        EXPECT_EQ(switcher->parentWidget(), &panel);
        EXPECT_EQ(switcher->objectName(), QStringLiteral("zolp_ficc_operationficcwidget"));
        ASSERT_NE(panel.layout(), nullptr);
        EXPECT_EQ(panel.layout()->indexOf(switcher), 0);
        EXPECT_EQ(panel.layout()->contentsMargins(), QMargins(0, 0, 0, 0));
    }
}

TEST_F(FiccOperationPanelTest, otherDeploymentsStayEmptyAndNeverTouchTheDealerFile)
{
    const std::string file = std::string(kHeader) + "\n1001,澄湖证券,100101,澄湖证券自营\n";
    writeDealerFile(file);
    for (int deployment : { 0, 1, 99, 102, 300, 401, -100 }) {
        SCOPED_TRACE(deployment);
        setDeployment(deployment);
        TC::CFiccOperationPanel panel(1, nullptr);
        EXPECT_EQ(panel.operationWidget(), nullptr);
        panel.setParam(QStringLiteral("2//1001"));
        EXPECT_TRUE(TC::CDealerDirectory::instance()->dealerList().isEmpty())
            << "setParam must not reload";
        EXPECT_EQ(panel.param(), QString(""));
        // Forwarding operations are no-ops.
        panel.refreshAccounts();
        panel.requestAccount(ttservice::CAccountInfo());
        panel.loadAccountGroupSettings();
        panel.setCurrentOperationType(TC::OPT_SPOT_BOND_TRADE);
        EXPECT_EQ(readDealerFile(), file) << "param() must not save";
    }
}

TEST_F(FiccOperationPanelTest, setParamReloadsAndParamSavesTheDealerDirectory)
{
    setDeployment(100);
    // A dealer without traders keeps their two empty fields on its first line.
    const std::string file = std::string(kHeader)
        + "\n1001,澄湖证券,100101,澄湖证券自营,T001,程晓帆\n1002,青屿证券,100201,青屿证券自营,,\n";
    writeDealerFile(file);
    TC::CFiccOperationPanel panel(1, nullptr);
    panel.setParam(QString()); // even an empty text reloads
    EXPECT_EQ(TC::CDealerDirectory::instance()->dealerList(),
              QStringList({ QStringLiteral("1001 澄湖证券"), QStringLiteral("1002 青屿证券") }));

    ASSERT_TRUE(QFile::remove(dealerFile()));
    EXPECT_EQ(panel.param(), QString(""));
    EXPECT_EQ(readDealerFile(), file);
}

TEST_F(FiccOperationPanelTest, savingBeforeAnyLoadKeepsTheTradersFile)
{
    setDeployment(100);
    // A file the directory cannot read (wrong header) must survive param().
    const std::string unreadable = "代码,名称\n1001,澄湖证券,100101,澄湖证券自营\n";
    writeDealerFile(unreadable);
    TC::CFiccOperationPanel panel(1, nullptr);
    EXPECT_EQ(panel.param(), QString(""));
    panel.setParam(QString()); // load fails
    EXPECT_EQ(panel.param(), QString(""));
    EXPECT_EQ(readDealerFile(), unreadable);
}
