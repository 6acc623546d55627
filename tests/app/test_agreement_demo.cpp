// The agreement tab as a trader meets it in the demo terminal: switching
// operations and pressing an order button on an incomplete form.
#include "CTerminalWindow.h"
#include "TerminalFixture.h"

#include "shell/CFiccOperationPanel.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "utils/CSingletonT.h"
#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CSmallNormalButton.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>

using AgreementDemo = TerminalFixture;

TEST_F(AgreementDemo, orderButtonOnAnIncompleteFormShowsTheFirstCheckMessageOnly)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    app::CTerminalWindow window(dir.path());
    window.ficcPanel()->setParam(QStringLiteral("2//1001"));
    window.ficcPanel()->refreshAccounts();
    // Only what the terminal sees: the exported panel and its widget tree.
    auto *page = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
    ASSERT_NE(page, nullptr);
    auto *operations = page->findChild<XP::CPushButtonGroup *>();
    ASSERT_NE(operations, nullptr);
    EXPECT_EQ(operations->checkedId(), 1001);
    const auto visibleOrderButtons = [page]() {
        QList<XP::CSmallNormalButton *> shown;
        for (XP::CSmallNormalButton *b : page->findChildren<XP::CSmallNormalButton *>())
            if (b->isVisibleTo(page))
                shown << b;
        return shown;
    };
    ASSERT_EQ(visibleOrderButtons().size(), 1);
    // The confirmation table may already have asked for the form's trader.
    auto *messages = utils::CManualSingletonT<TC::CMsgService>::instance();
    const size_t before = messages->messages().size();
    ASSERT_EQ(window.messageList()->count(), int(before));
    visibleOrderButtons().front()->click();

    ASSERT_EQ(messages->messages().size(), before + 1);
    ASSERT_EQ(window.messageList()->count(), int(before) + 1);
    EXPECT_TRUE(window.messageList()
                    ->item(int(before))
                    ->text()
                    .contains(QString::fromStdString(messages->messages().back().text)));
    EXPECT_TRUE(utils::CManualSingletonT<TC::CItCommandCenter>::instance()->commands().empty());

    // Switching operations shows another operation's order button.
    XP::CSmallNormalButton *decButton = visibleOrderButtons().front();
    operations->button(1003)->click();
    ASSERT_EQ(visibleOrderButtons().size(), 1);
    EXPECT_NE(visibleOrderButtons().front(), decButton);
    operations->button(1001)->click();
    EXPECT_EQ(visibleOrderButtons().front(), decButton);

    // For a person checking the terminal by eye: FICC_TEST_SCREENSHOT=/tmp/x.png
    if (qEnvironmentVariableIsSet("FICC_TEST_SCREENSHOT")) {
        XP::applyDefaultStyle(qApp);
        window.findChild<QTabWidget *>(QStringLiteral("terminal_tabs"))->setCurrentIndex(1);
        window.resize(1400, 860);
        window.show();
        window.grab().save(QString::fromLocal8Bit(qgetenv("FICC_TEST_SCREENSHOT")));
    }
}
