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

TEST_F(FiccOperationPanelTest, onlyDeploymentsWithTheModuleGetTheSwitcherAndTouchTheDealerFile)
{
    const std::string file = std::string(kHeader) + "\n1001,澄湖证券,100101,澄湖证券自营\n";
    for (int deployment : { 90, 91, 100, 400, 200, 101, 0, 1, 99, 102, 300, 401, -100 }) {
        SCOPED_TRACE(deployment);
        const bool module = deployment == 90 || deployment == 91 || deployment == 100
            || deployment == 101 || deployment == 200 || deployment == 400;
        TC::CDealerDirectory::instance()->resetForTests();
        writeDealerFile(file);
        TC::getUserConfig()->deploymentCode = deployment;
        TC::CFiccOperationPanel panel(3, nullptr);
        EXPECT_EQ(int(panel.traderTypes()), 0x100000);
        TC::COperationFiccWidget *switcher = panel.operationWidget();
        ASSERT_EQ(switcher != nullptr, module);
        if (module) {
            EXPECT_EQ(switcher->objectName(), QStringLiteral("zolp_ficc_operationficcwidget"));
            ASSERT_NE(panel.layout(), nullptr);
            EXPECT_EQ(panel.layout()->indexOf(switcher), 0);
            EXPECT_EQ(panel.layout()->contentsMargins(), QMargins(0, 0, 0, 0));
        }
        // Only the module's deployments load the dealers and write them back.
        panel.setParam(QStringLiteral("2//1001"));
        EXPECT_EQ(TC::CDealerDirectory::instance()->dealerList().size(), module ? 1 : 0);
        ASSERT_TRUE(QFile::remove(dealerFile()));
        panel.refreshAccounts();
        panel.requestAccount(ttservice::CAccountInfo());
        panel.loadAccountGroupSettings();
        panel.setCurrentOperationType(TC::OPT_SPOT_BOND_TRADE);
        EXPECT_EQ(panel.param(), QString(""));
        EXPECT_EQ(QFile::exists(dealerFile()), module);
    }
}

TEST_F(FiccOperationPanelTest, setParamReloadsAndParamSavesButNeverOverAnUnreadFile)
{
    TC::getUserConfig()->deploymentCode = 100;
    // A file the directory cannot read (wrong header) survives param().
    const std::string unreadable = "代码,名称\n1001,澄湖证券,100101,澄湖证券自营\n";
    writeDealerFile(unreadable);
    TC::CFiccOperationPanel panel(1, nullptr);
    EXPECT_EQ(panel.param(), QString(""));
    panel.setParam(QString()); // load fails
    EXPECT_EQ(panel.param(), QString(""));
    EXPECT_EQ(readDealerFile(), unreadable);

    // A dealer without traders keeps their two empty fields on its first line.
    const std::string file = std::string(kHeader)
        + "\n1001,澄湖证券,100101,澄湖证券自营,T001,程晓帆\n1002,青屿证券,100201,青屿证券自营,,\n";
    writeDealerFile(file);
    panel.setParam(QString()); // even an empty text reloads
    EXPECT_EQ(TC::CDealerDirectory::instance()->dealerList(),
              QStringList({ QStringLiteral("1001 澄湖证券"), QStringLiteral("1002 青屿证券") }));
    ASSERT_TRUE(QFile::remove(dealerFile()));
    EXPECT_EQ(panel.param(), QString(""));
    EXPECT_EQ(readDealerFile(), file);
}
