// The contract table as a trader meets it in the demo terminal: the shipped
// contracts under 提前购回, the last choosable one in the form, and the pledged
// bonds of a contract in their dialog.
#include "CTerminalWindow.h"
#include "TerminalFixture.h"

#include "shell/CFiccOperationPanel.h"
#include "xp/CLineEdit.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CRadioButton.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CTableView.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabWidget>

using ContractDemo = TerminalFixture;

namespace {

void clickCell(XP::COddEvenRowTable *table, int row, int column)
{
    table->flush();
    QTableView *view = table->view();
    const QPoint at = view->visualRect(view->model()->index(table->rowIndex(row), column)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
}

void saveScreenshot(QWidget *widget, const char *suffix)
{
    // For a person checking the terminal by eye: FICC_TEST_SCREENSHOT=/tmp/x.png
    if (!qEnvironmentVariableIsSet("FICC_TEST_SCREENSHOT"))
        return;
    QString path = QString::fromLocal8Bit(qgetenv("FICC_TEST_SCREENSHOT"));
    path.insert(path.lastIndexOf(QLatin1Char('.')), QLatin1String(suffix));
    widget->grab().save(path);
}

// True when a visible editor of the agreement page shows `text`.
bool formShows(QWidget *page, const QString &text)
{
    for (XP::CLineEdit *edit : page->findChildren<XP::CLineEdit *>())
        if (edit->isVisible() && edit->text() == text)
            return true;
    return false;
}

} // namespace

TEST_F(ContractDemo, earlyRepurchaseListsContractsPutsTheLastChoosableInTheFormAndShowsItsBonds)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    XP::applyDefaultStyle(qApp);
    app::CTerminalWindow window(dir.path());
    window.ficcPanel()->setParam(QStringLiteral("2//1003"));
    window.ficcPanel()->refreshAccounts();
    window.resize(1400, 860);
    window.show();

    // Only what the terminal sees: the exported panel and its widget tree.
    auto *contracts = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementtablewidget"));
    auto *page = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
    ASSERT_NE(contracts, nullptr);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(contracts->isVisible());
    auto *table = contracts->findChild<XP::COddEvenRowTable *>();
    ASSERT_NE(table, nullptr);
    table->flush();
    ASSERT_GT(table->rowCount(), 1);

    // Choosable rows come first; the selected row is the last of them.
    int choosable = 0;
    while (choosable < table->rowCount()
           && static_cast<XP::CRadioButton *>(table->itemControl(choosable, 0))->isEnabled())
        ++choosable;
    ASSERT_GT(choosable, 0) << "the demo has contracts inside their term";
    for (int row = choosable; row < table->rowCount(); ++row)
        EXPECT_FALSE(static_cast<XP::CRadioButton *>(table->itemControl(row, 0))->isEnabled());
    EXPECT_EQ(table->selectedRow(), choosable - 1);
    const QString chosen = table->itemText(choosable - 1, 12);
    EXPECT_TRUE(chosen.startsWith(QLatin1String("HT"))) << chosen.toStdString();
    EXPECT_TRUE(formShows(page, chosen));
    saveScreenshot(&window, "-contracts");

    // The first row's pledged-bond count opens the dialog with that contract's bonds.
    XP::CScriptedDialogResponder responder;
    int bondRows = -1;
    responder.setDialogHandler([&](QDialog *dialog) {
        auto *bonds = dialog->findChild<XP::COddEvenRowTable *>();
        if (dialog->windowTitle() == QStringLiteral("质押债券") && bonds) {
            bondRows = bonds->rowCount();
            dialog->show();
            saveScreenshot(dialog, "-bonds");
            dialog->hide();
        }
        return int(QDialog::Rejected);
    });
    clickCell(table, 0, 4);
    EXPECT_EQ(QString::number(bondRows), table->itemText(0, 4));
    EXPECT_GT(bondRows, 0);
    EXPECT_TRUE(formShows(page, chosen)) << "looking at the bonds chooses nothing";
}
