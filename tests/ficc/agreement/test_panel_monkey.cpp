// Random traders at the whole panel: thousands of clicks, keys, typed words,
// combo moves and table clicks from a fixed seed, across the three businesses
// and every agreement operation. The command centre records every order that
// goes out; what a monkey may never get out of the panel is checked there.
#include "AgreementTableRecords.h"
#include "LogCapture.h"
#include "UserInput.h"

#include "agreement/CAgreementRepurchaseWidgetIntention.h"
#include "agreement/CAgreementSingleFormWidget.h"
#include "agreement/COpAgreementRepurchaseWidget.h"
#include "shell/CFiccOperationPanel.h"
#include "shell/COperationFiccWidget.h"
#include "spot/COpTransactionInCashWidget.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "ttservice/CRepurchasePledgedBond.h"
#include "ttservice/StockTypeCenter.h"
#include "utils/CSingletonT.h"
#include "xp/CScriptedDialogResponder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

#include <boost/make_shared.hpp>

#include <functional>
#include <random>

namespace {

using TC::ETradeOperationType;

const ETradeOperationType kOperations[] = {
    TC::OPT_QUOTATION_REPURCHASE,
    TC::OPT_AGREEMENT_DEAL_DECLARATION,
    TC::OPT_AGREEMENT_MATURITY_CONFIRM,
    TC::OPT_AGREEMENT_EARLY_REPURCHASE,
    TC::OPT_AGREEMENT_MATURITY_RENEWAL,
    TC::OPT_AGREEMENT_INTENTION_REPO,
    TC::OPT_AGREEMENT_INTENTION_REVERSE_REPO,
    TC::OPT_AGREEMENT_PLEDGE_CHANGE,
    TC::OPT_AGREEMENT_PLEDGE_RELEASE,
    TC::OPT_SPOT_BOND_TRADE,
};

// What a trader types: codes, amounts, rates, days, names, and what no
// editor should take.
const char *const kWords[] = {
    "019547", "122000",    "101901", "0",       "10",
    "100",    "1000",      "30000",  "1000000", "3.5",
    "0.001",  "99.999",    "7",      "14",      "365",
    "366",    "-1",        "T301",   "D1",      "1004",
    "123",    "12345678",  "abc",    "1e309",   "99999999999999999999",
    "",       "0.0000001",
};

const int kKeys[] = { Qt::Key_Return, Qt::Key_Enter,    Qt::Key_Escape,    Qt::Key_Up,
                      Qt::Key_Down,   Qt::Key_Tab,      Qt::Key_Backspace, Qt::Key_Delete,
                      Qt::Key_Space,  Qt::Key_PageDown, Qt::Key_Home,      Qt::Key_F5 };

// Answers every question and dialog at random and never shows a window.
class RandomResponder : public XP::CScriptedDialogResponder
{
public:
    explicit RandomResponder(std::mt19937 &random)
        : m_random(random)
    {
        setDialogHandler([this](QDialog *) {
            return m_random() % 2 ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
    }

    QMessageBox::StandardButton question(QWidget *, const QString &, const QString &,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton, const QPixmap &,
                                         bool) override
    {
        for (QMessageBox::StandardButton b : { QMessageBox::Yes, QMessageBox::Ok })
            if (buttons & b && m_random() % 2)
                return b;
        return defaultButton;
    }

private:
    std::mt19937 &m_random;
};

// Sends random input to whatever of `root` a trader can reach: shown and
// enabled buttons, editors, combos and table rows.
class Monkey
{
public:
    Monkey(QWidget *root, std::mt19937 &random)
        : m_root(root)
        , m_random(random)
    {
    }

    void run(int events)
    {
        for (int i = 0; i < events; ++i) {
            // A cell's choice menu runs its own event loop: the monkey answers it from there.
            QTimer::singleShot(0, m_root, [this] { answerPopup(); });
            const unsigned dice = m_random() % 100;
            if (dice < 30)
                clickButton();
            else if (dice < 55)
                typeWord();
            else if (dice < 70)
                pressAKey();
            else if (dice < 82)
                moveCombo();
            else
                clickTableRow();
            QCoreApplication::processEvents();
        }
    }

    int clicks = 0; // buttons clicked

private:
    template<class W> W *pick()
    {
        std::vector<W *> reachable;
        for (W *w : m_root->findChildren<W *>())
            if (w->isVisible() && w->isEnabled())
                reachable.push_back(w);
        return reachable.empty() ? nullptr : reachable[m_random() % reachable.size()];
    }
    void clickButton()
    {
        if (QAbstractButton *b = pick<QAbstractButton>()) {
            b->click();
            ++clicks;
        }
    }
    void typeWord()
    {
        if (QLineEdit *edit = pick<QLineEdit>()) {
            const char *word = kWords[m_random() % std::size(kWords)];
            if (m_random() % 2)
                edit->selectAll();
            type(edit, QString::fromLatin1(word));
            if (m_random() % 2)
                pressKey(edit, Qt::Key_Return);
        }
    }
    void pressAKey()
    {
        QWidget *target = nullptr;
        switch (m_random() % 3) {
        case 0:
            target = pick<QLineEdit>();
            break;
        case 1:
            target = pick<QAbstractButton>();
            break;
        default:
            target = pick<QTableView>();
        }
        if (target)
            pressKey(target, kKeys[m_random() % std::size(kKeys)]);
    }
    void moveCombo()
    {
        if (QComboBox *combo = pick<QComboBox>())
            pressKey(combo, m_random() % 2 ? Qt::Key_Down : Qt::Key_Up);
    }
    void clickTableRow()
    {
        QTableView *view = pick<QTableView>();
        if (!view || !view->model() || view->model()->rowCount() == 0)
            return;
        const QModelIndex cell
            = view->model()->index(int(m_random() % view->model()->rowCount()),
                                   int(m_random() % std::max(1, view->model()->columnCount())));
        const QRect rect = view->visualRect(cell);
        if (rect.isValid())
            clickAt(view->viewport(), rect.center());
    }

    // Picks an item of an open menu with the keyboard or closes it, as a trader does.
    void answerPopup()
    {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup)
            return;
        if (m_random() % 3 == 0) {
            pressKey(popup, Qt::Key_Escape);
        } else {
            for (unsigned down = m_random() % 4; down > 0; --down)
                pressKey(popup, Qt::Key_Down);
            pressKey(popup, Qt::Key_Return);
        }
        if (QApplication::activePopupWidget() == popup)
            popup->close();
    }

    QWidget *const m_root;
    std::mt19937 &m_random;
};

class PanelMonkeyTest : public AgreementFormFixture
{
protected:
    static constexpr unsigned kSeed = 20260212;

    void SetUp() override
    {
        AgreementFormFixture::SetUp();
        auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
        types->addTypedStock(10027, "SH", "019547");
        types->addTypedStock(100016, "SZ", "101901");
        loadDealers(QStringLiteral("交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,"
                                   "交易员名称\n"
                                   "D1,银行甲,S1,主体一,T1|T2,张三\n"
                                   "1004,远帆银行,S3,主体三,T301,李四\n"));
        // Contracts for every contract operation (past maturity, in their term, maturing
        // today) and an intention order to turn into a deal.
        const int dates[][2]
            = { { 20260202, 20260209 }, { 20260205, 20260219 }, { 20260202, 20260212 } };
        for (const auto &d : dates) {
            auto contract = addContract("M" + std::to_string(d[1]), 30000);
            contract->contractStatus = '1';
            contract->firstSettleDate = d[0];
            contract->maturitySettleDate = d[1];
        }
        accountData(kLoggedInAccount)->updateData(intentionOrder("I1", '1'), false);
    }

    // A random trader at a shown panel: `events` random events at each business
    // and agreement operation in turn, after `prepare` saw the panel. Returns
    // the number of buttons clicked.
    int runMonkey(unsigned seed, int events,
                  const std::function<void(TC::CFiccOperationPanel &)> &prepare = {})
    {
        std::mt19937 random(seed);
        RandomResponder responder(random);
        TC::CFiccOperationPanel panel(1, nullptr);
        panel.resize(1400, 700);
        panel.show();
        if (prepare)
            prepare(panel);
        Monkey monkey(&panel, random);
        for (ETradeOperationType type : kOperations) {
            panel.setCurrentOperationType(type);
            monkey.run(events);
        }
        return monkey.clicks;
    }
};

TEST_F(PanelMonkeyTest, readOnlyDeploymentSendsNothingWhateverIsPressed)
{
    TC::getUserConfig()->deploymentCode = 200;
    EXPECT_GT(runMonkey(kSeed, 300), 500);
    EXPECT_TRUE(commands().empty()) << commands().size() << " commands sent";
}

// The form that sent an order, at the moment it is sent: the spot page, or the
// agreement operation's visible content form.
class FormChecker : public TC::ICommandAcceptor
{
public:
    explicit FormChecker(TC::COperationFiccWidget *switcher)
        : m_switcher(switcher)
    {
    }

    bool accept(const TC::CCommandRecord &record, utils::TTError &) override
    {
        QString error;
        bool checked = false;
        // The page shown is the one the trader acted on (the switcher's stored
        // operation type follows tab clicks only).
        if (m_switcher->spotPage()->isVisible()) {
            checked = m_switcher->spotPage()->checkInput(error);
        } else if (TC::IBaseAgreementContentWidget *form
                   = m_switcher->agreementPage()->isVisible() ? agreementForm() : nullptr) {
            checked = form->checkOrderInput(error);
        } else {
            error = QStringLiteral("sent while no order form is shown");
        }
        if (!checked || record.param->orders.empty())
            failures.push_back(QString::fromStdString(record.param->orders.empty()
                                                          ? std::string("no order")
                                                          : record.param->orders.front().getKey())
                               + ": " + error);
        return true;
    }

    std::vector<QString> failures;

private:
    TC::IBaseAgreementContentWidget *agreementForm() const
    {
        TC::IBaseAgreementRepurchaseWidget *variant
            = m_switcher->agreementPage()->currentOperationWidget();
        if (auto *single = dynamic_cast<TC::CAgreementSingleFormWidget *>(variant))
            return single->form();
        if (auto *intention = dynamic_cast<TC::CAgreementRepurchaseWidgetIntention *>(variant))
            return intention->currentForm();
        return nullptr;
    }

    TC::COperationFiccWidget *const m_switcher;
};

TEST_F(PanelMonkeyTest, unconstrainedEventsSendOnlyOrdersThatPassTheirFormsChecks)
{
    // Every account may trade, so that orders get as far as the form's own checks.
    for (const char *key : { kLoggedOutAccount, kRefreshingAccount })
        tradeClient()->setLoginStatus(key, ttservice::BROKER_LOGIN_STATUS_OK);
    LogCapture log;
    boost::shared_ptr<FormChecker> checker;
    runMonkey(kSeed + 2, 1000, [&checker](TC::CFiccOperationPanel &panel) {
        checker = boost::make_shared<FormChecker>(panel.operationWidget());
        commandCenter()->setCommandAcceptor(checker);
    });

    for (const QString &failure : checker->failures)
        ADD_FAILURE() << failure.toStdString();
    // The monkey got orders out; otherwise the checks above saw nothing.
    EXPECT_GT(commands().size(), 0u);
    // Nothing a trader does reaches a state the panel takes for impossible.
    for (const std::string &line : log.messages())
        EXPECT_EQ(line.find("unexpected state"), std::string::npos) << line;
}

} // namespace
