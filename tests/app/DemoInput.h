#pragma once

// A trader's hands on the demo terminal, for the tests that drive it through
// its widgets only: clicks on table rows, typing key by key, waiting for the
// simulated host's answers; and the terminal itself, opened on a page of the
// agreement business as main opens it.
#include "CTerminalWindow.h"
#include "CTradingDayWatch.h"
#include "TableInput.h"
#include "TerminalFixture.h"

#include "shell/CFiccOperationPanel.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CLineEdit.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CParameterCell.h"
#include "xp/CRadioButton.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/DefaultStyle.h"
#include "xp/IBaseHpfTableModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QThread>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace demo {

// Key by key, as the trader types, so that the form recalculates.
inline void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    type(edit, text);
}

// The visible cell of the page labelled `label`, or null.
inline XP::CParameterCell *cellLabelled(QWidget *page, const QString &label)
{
    for (XP::CParameterCell *cell : page->findChildren<XP::CParameterCell *>())
        if (cell->isVisible() && cell->label().trimmed() == label)
            return cell;
    return nullptr;
}

// Runs the event loop until `done`; false after `timeoutMs`.
inline bool waitFor(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

// Clicks the visible button of class `Button` under `parent` that shows `text`.
template<class Button> void clickVisible(QWidget *parent, const QString &text)
{
    for (Button *button : parent->findChildren<Button *>())
        if (button->isVisible() && button->text() == text) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

// The visible pledge table of `tableIndex` (0 the positions, 1 the contract's bonds).
inline XP::CStandardHpfTable *pledgeTable(QWidget *panel, int tableIndex)
{
    for (auto *table : panel->findChildren<XP::CStandardHpfTable *>())
        if (table->isVisible() && table->tableIndex() == tableIndex && table->columnCount() == 9)
            return table;
    return nullptr;
}

// Ticks the row `key` of a pledge table and types its quantity.
inline void pledge(XP::CStandardHpfTable *table, const QString &key, const QString &quantity)
{
    clickRowCell(*table, table->dataModel()->indexOfKey(key), 0);
    clickRowCell(*table, table->dataModel()->indexOfKey(key), 4);
    ASSERT_NE(table->editor(), nullptr) << key.toStdString();
    table->editor()->setFocus();
    enter(table->editor(), quantity);
}

// Clicks the choice radio button of the contract table's `row`; false when
// it is not there to be clicked.
inline bool chooseRow(XP::COddEvenRowTable *table, int row)
{
    auto *radio = dynamic_cast<XP::CRadioButton *>(table->itemControl(row, 0));
    if (!radio || !radio->isEnabled())
        return false;
    clickRowCell(*table, row, 0);
    return radio->isChecked();
}

// The row of the contract table that shows `contractNo`; -1 when none does.
inline int contractRow(XP::COddEvenRowTable *table, const QString &contractNo)
{
    table->flush();
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->itemText(r, 12) == contractNo)
            return r;
    return -1;
}

// Types the repurchase amount, rate (in %) and days into the agreement form.
inline void fillTerms(QWidget *page, const QString &amount, const QString &rate,
                      const QString &days)
{
    const std::pair<const char *, QString> cells[]
        = { { "回购金额", amount }, { "回购利率", rate }, { "回购天数", days } };
    for (const auto &[label, text] : cells) {
        if (text.isEmpty())
            continue;
        XP::CParameterCell *cell = cellLabelled(page, QString::fromUtf8(label));
        ASSERT_NE(cell, nullptr) << label;
        typeInto(cell->getLineEdit(), text);
    }
    QApplication::processEvents();
}

// Fills the form's dealer, entity and trader cells by their ids (12-14 ours
// and the counterparty's entity, 19-21 the traders and counterparty dealer)
// and types the counterparty dealer's name (22) when given.
inline void fillParties(QWidget *page, const std::vector<std::pair<int, const char *>> &cells,
                        const QString &counterpartyName = QString())
{
    for (XP::CAutoKeyboardLineEdit *cell : page->findChildren<XP::CAutoKeyboardLineEdit *>())
        for (const auto &[id, text] : cells)
            if (cell->isVisible() && cell->id() == id)
                cell->setText(QString::fromUtf8(text));
    if (counterpartyName.isEmpty())
        return;
    for (XP::CLineEdit *edit : page->findChildren<XP::CLineEdit *>())
        if (edit->isVisible() && edit->id() == 22)
            typeInto(edit, counterpartyName);
}

// The demo terminal on the shipped data, opened on the FICC panel's `param`
// with its journal in the configuration directory, its host started; with
// `followDays` its "下一交易日" moves the trading day as main wires it.
class DemoTerminalTest : public TerminalFixture
{
protected:
    void open(const QString &param, bool start = true, bool followDays = false)
    {
        host = std::make_unique<app::CSimulatedHost>();
        ASSERT_TRUE(load(*host));
        XP::applyDefaultStyle(qApp);
        if (followDays) {
            days = std::make_unique<app::CTradingDayWatch>();
            app::CSimulatedHost *h = host.get();
            days->setRollOver([h] {
                if (h->exchange())
                    h->exchange()->startTradingDay();
            });
            ASSERT_TRUE(days->check(TC::CHostClock::today()));
        }
        window = std::make_unique<app::CTerminalWindow>(dir.path());
        window->setTradingDayWatch(days.get());
        window->setJournalFile(path("journal.jsonl"));
        window->ficcPanel()->setParam(param);
        window->ficcPanel()->refreshAccounts();
        window->resize(1400, 860);
        window->show();
        if (start) {
            host->start();
            window->followDeliveries(host->exchange());
        }
    }
    void close()
    {
        window.reset();
        days.reset();
        host.reset();
    }
    void TearDown() override
    {
        close();
        TerminalFixture::TearDown();
    }

    QWidget *page() const
    {
        auto *found = window->ficcPanel()->findChild<QWidget *>(
            QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
        EXPECT_NE(found, nullptr);
        return found;
    }

    // The visible agreement table widget with `columns` columns (29: the
    // declarations waiting for confirmation, 0: the first one, the contracts).
    std::pair<QWidget *, XP::COddEvenRowTable *> agreementTable(int columns = 0) const
    {
        for (QWidget *widget : window->ficcPanel()->findChildren<QWidget *>(
                 QStringLiteral("zolp_ficc_agreementtablewidget"))) {
            auto *rows = widget->findChild<XP::COddEvenRowTable *>();
            if (rows && (columns == 0 || (rows->columnCount() == columns && widget->isVisible())))
                return { widget, rows };
        }
        ADD_FAILURE() << "no agreement table of " << columns << " columns";
        return { nullptr, nullptr };
    }

    std::unique_ptr<app::CSimulatedHost> host;
    std::unique_ptr<app::CTradingDayWatch> days;
    std::unique_ptr<app::CTerminalWindow> window;
};

} // namespace demo
