// A seeded random trader at every operation of the panel: a crash net for the ASan/TSan builds.
#include "AgreementTableRecords.h"
#include "LogCapture.h"
#include "UserInput.h"

#include "shell/CFiccOperationPanel.h"
#include "ttservice/StockTypeCenter.h"
#include "utils/CSingletonT.h"
#include "xp/CScriptedDialogResponder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

#include <random>

namespace {

const char *const kWords[]
    = { "019547", "0", "1000000", "3.5", "7", "-1", "T301", "abc", "1e309", "" };
const int kKeys[] = { Qt::Key_Return, Qt::Key_Escape, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Delete };

template<class W> W *pick(QWidget *root, std::mt19937 &random)
{
    std::vector<W *> reachable;
    for (W *w : root->findChildren<W *>())
        if (w->isVisible() && w->isEnabled())
            reachable.push_back(w);
    return reachable.empty() ? nullptr : reachable[random() % reachable.size()];
}

// One random event at what a trader can reach: a button, an editor, a combo or a table.
void randomEvent(QWidget *root, std::mt19937 &random)
{
    const unsigned dice = random() % 100;
    if (dice < 30) {
        if (auto *button = pick<QAbstractButton>(root, random))
            button->click();
    } else if (dice < 60) {
        if (auto *edit = pick<QLineEdit>(root, random)) {
            edit->selectAll();
            type(edit, QString::fromLatin1(kWords[random() % std::size(kWords)]));
            pressKey(edit, kKeys[random() % std::size(kKeys)]);
        }
    } else if (dice < 75) {
        if (auto *combo = pick<QComboBox>(root, random))
            pressKey(combo, random() % 2 ? Qt::Key_Down : Qt::Key_Up);
    } else if (auto *view = pick<QTableView>(root, random)) {
        const QSize size = view->viewport()->size().expandedTo(QSize(1, 1));
        clickAt(view->viewport(),
                QPoint(int(random() % size.width()), int(random() % size.height())));
    }
}

} // namespace

class PanelMonkeyTest : public AgreementFormFixture
{
};

TEST_F(PanelMonkeyTest, randomTradingNeverReachesAStateThePanelTakesForImpossible)
{
    auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    types->addTypedStock(10027, "SH", "019547");
    types->addTypedStock(100016, "SZ", "101901");
    loadDealers(QStringLiteral(
        "交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,"
        "交易员名称\nD1,银行甲,S1,主体一,T1|T2,张三\n1004,远帆银行,S3,主体三,T301,李四\n"));
    // Contracts past maturity, in their term and maturing today; an intention order to turn.
    for (const int maturity : { 20260209, 20260219, 20260212 }) {
        auto contract = addContract("M" + std::to_string(maturity), 30000);
        contract->contractStatus = '1';
        contract->firstSettleDate = 20260205;
        contract->maturitySettleDate = maturity;
    }
    accountData(kLoggedInAccount)->updateData(intentionOrder("I1", '1'), false);
    for (const char *key : { kLoggedOutAccount, kRefreshingAccount })
        tradeClient()->setLoginStatus(key, ttservice::BROKER_LOGIN_STATUS_OK);

    LogCapture log;
    std::mt19937 random(20260214);
    // Questions and dialogs are answered at random.
    XP::CScriptedDialogResponder responder;
    responder.setDialogHandler([&random](QDialog *) { return int(random() % 2); });
    TC::CFiccOperationPanel panel(1, nullptr);
    panel.resize(1400, 700);
    panel.show();
    for (TC::ETradeOperationType type :
         { TC::OPT_QUOTATION_REPURCHASE, TC::OPT_AGREEMENT_DEAL_DECLARATION,
           TC::OPT_AGREEMENT_MATURITY_CONFIRM, TC::OPT_AGREEMENT_EARLY_REPURCHASE,
           TC::OPT_AGREEMENT_MATURITY_RENEWAL, TC::OPT_AGREEMENT_INTENTION_REPO,
           TC::OPT_AGREEMENT_INTENTION_REVERSE_REPO, TC::OPT_AGREEMENT_PLEDGE_CHANGE,
           TC::OPT_AGREEMENT_PLEDGE_RELEASE, TC::OPT_SPOT_BOND_TRADE }) {
        panel.setCurrentOperationType(type);
        for (int i = 0; i < 500; ++i) {
            // A cell's choice menu runs its own event loop: it is answered from there.
            QTimer::singleShot(0, &panel, [&random] {
                if (QWidget *popup = QApplication::activePopupWidget()) {
                    pressKey(popup, random() % 3 ? Qt::Key_Down : Qt::Key_Escape);
                    pressKey(popup, Qt::Key_Return);
                    if (QApplication::activePopupWidget() == popup)
                        popup->close();
                }
            });
            if (responder.pendingAnswers() == 0 && random() % 2)
                responder.answerButton(QMessageBox::Yes);
            randomEvent(&panel, random);
            QCoreApplication::processEvents();
        }
    }
    EXPECT_GT(commands().size(), 0u) << "the walk never got an order out";
    for (const std::string &line : log.messages())
        EXPECT_EQ(line.find("unexpected state"), std::string::npos) << line;
}
