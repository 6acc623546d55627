#include "agreement/CAgreementPledgeBondWidget.h"

#include "common/DeploymentRights.h"
#include "common/SoftAssert.h"

#include "agreement/CAgreementPledgeBondModel.h"
#include "common/FiccEvents.h"
#include "tc/CStockCodeLineEdit.h"
#include "tc/Services.h"
#include "ttservice/CInstrumentDetail.h"
#include "xp/CAutoExpandToolBar.h"
#include "xp/CBaseTableColumnCheckBoxDelegate.h"
#include "xp/CBaseTableColumnLineeditDelegate.h"
#include "xp/CFrameSplitterLine.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/CWidgetList.h"
#include "xp/NumberFormat.h"

#include <boost/make_shared.hpp>

#include <climits>
#include <cmath>

namespace TC {

namespace {

constexpr int kDeleteButtonId = 1;
constexpr int kTickColumn = 0;
constexpr int kQuantityColumn = 4;

bool readOnlyDeployment()
{
    return currentDeploymentRights().readOnly;
}

XP::CFrameSplitterLine *splitterLine(QWidget *parent)
{
    auto *line
        = new XP::CFrameSplitterLine(QStringLiteral("clr_operation_frame_line_color"), parent);
    line->setFixedHeight(1);
    line->setContentsMargins(0, 0, 0, 0);
    return line;
}

} // namespace

CAgreementPledgeBondWidget::CAgreementPledgeBondWidget(bool, QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_quvio_opcreditbuywidget"), false, parent)
{
    buildUi();
}

CAgreementPledgeBondWidget::~CAgreementPledgeBondWidget() = default;

void CAgreementPledgeBondWidget::buildUi()
{
    auto *list = new XP::CWidgetList(Qt::Vertical, this);
    list->setSpacing(0);
    list->setMargins(0, 0, 0, 0);
    list->addFixedSpace(2);
    list->addFixedWidget(splitterLine(list), XP::CWidgetList::ANCHOR_FILL);
    // The title and the table are built under the list they go into: moving a
    // built widget under another parent restyles it and all it holds.
    auto *title = new XP::CSimpleTextWidget(QStringLiteral("  质押债券"), list);
    title->setStyleSheet(QStringLiteral("font: bold"));
    title->setFixedHeight(22);
    list->addFixedWidget(title, XP::CWidgetList::ANCHOR_START);
    list->addFixedSpace(2);
    list->addFixedWidget(splitterLine(list), XP::CWidgetList::ANCHOR_FILL);

    if (!readOnlyDeployment()) {
        auto *toolBar = new XP::CAutoExpandToolBar(list, -1);
        codeBox = new CStockCodeLineEdit(0, 2, toolBar);
        codeBox->setFixedSize(140, 20);
        codeBox->setFrame(false);
        codeBox->setEmptyHintFontKey(QStringLiteral("fnt_default_normal_fix"));
        codeBox->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
        codeBox->setEnableAll();
        codeBox->setTradeType(1048576);
        codeBox->clearCode();
        toolBar->addToolItem(codeBox, false);
        toolBar->addSeperator();
        deleteButton = new XP::CSmallNoNormalButton(kDeleteButtonId, true, this);
        deleteButton->setText(QStringLiteral("删除"));
        deleteButton->setFixedSize(35, 20);
        toolBar->addToolItem(deleteButton, false);
        list->addFixedWidget(toolBar, XP::CWidgetList::ANCHOR_FILL);
    }

    table = new XP::CStandardHpfTable(0, list, 0x1FF);
    table->setFlag(table->flag() | 0x8 | 0x200 | 0x40);
    table->setFocusPolicy(Qt::NoFocus);
    model = new CAgreementPledgeBondModel;
    table->setDataModel(model);
    const int widths[] = { 40, 60, 80, 60, 60, 60 };
    for (int column = 0; column < 6; ++column)
        table->setColumnWidth(column, widths[column]);
    table->setColumnBackgroundColorKey(kQuantityColumn,
                                       QStringLiteral("clr_table_pledge_bond_background"));
    checkBoxDelegate = new XP::CBaseTableColumnCheckBoxDelegate(kTickColumn, table);
    table->setColumnDelegate(kTickColumn, checkBoxDelegate);
    auto *quantity = new XP::CBaseTableColumnLineeditDelegate(kQuantityColumn, table);
    quantity->setIntRange(0, INT_MAX);
    table->setColumnDelegate(kQuantityColumn, quantity);

    list->addStretchWidget(table, 1, XP::CWidgetList::ANCHOR_FILL, false);
    setInnerStretchWidget(list, 0, 0, 0, 0);
}

bool CAgreementPledgeBondWidget::handleEvent(int event, int a, int b, QString text, void *data)
{
    switch (event) {
    case XP::EVT_BUTTON_CHECKED:
        if (a == kDeleteButtonId)
            removeCheckedRows();
        return true;
    case XP::EVT_TABLE_CHECKBOX_CLICKED:
        tickOnly(text);
        return true;
    case XP::EVT_TABLE_LINEEDIT_CHANGED:
        applyQuantity(b, text, data ? *static_cast<const QString *>(data) : QString());
        return true;
    case XP::EVT_CODE_ENTERED:
        addPledgeBond(text);
        return true;
    default:
        return XP::CBaseWidget::handleEvent(event, a, b, text, data);
    }
}

void CAgreementPledgeBondWidget::addPledgeBond(const QString &code)
{
    if (code.isEmpty())
        return;
    const auto instrument
        = utils::CManualSingletonT<CExchangeClient>::instance()->getCodeInfo(code);
    if (!instrument)
        return;
    auto info = boost::make_shared<ttservice::CPledgedBondInfo>();
    info->market = instrument->market;
    info->bondCode = instrument->instrumentCode;
    info->pledgeVolume = 0;
    info->pledgeAmount = 0.0;
    auto row = boost::make_shared<CAgreementPledgeBondData>();
    row->info = info;
    row->bondName = XP::sToQs(instrument->instrumentName);
    const QString key = row->getKey();

    auto *tick
        = dynamic_cast<XP::CBaseTableColumnCheckBoxDelegate *>(table->columnDelegate(kTickColumn));
    checkBoxDelegate = tick;
    if (tick) {
        tick->setItemVisible(key, true, true);
        tick->setItemEnabled(key, !readOnlyDeployment(), true);
        tick->setItemChecked(key, false, true);
        table->setColumnDelegate(kTickColumn, tick);
    }
    model->addData(row);
    auto *quantity = dynamic_cast<XP::CBaseTableColumnLineeditDelegate *>(
        table->columnDelegate(kQuantityColumn));
    if (quantity) {
        quantity->setItemVisible(key, true);
        quantity->setItemText(key, QStringLiteral("0"));
        table->setColumnDelegate(kQuantityColumn, quantity);
    }
    table->updateTable();
    table->adjustColumnWidth();
}

void CAgreementPledgeBondWidget::tickOnly(const QString &key)
{
    clearCheckedRows();
    if (checkBoxDelegate)
        checkBoxDelegate->setItemChecked(key, true, true);
    announceSelection();
    updatePledgeTotals();
}

void CAgreementPledgeBondWidget::applyQuantity(int column, const QString &key, const QString &text)
{
    auto row = boost::dynamic_pointer_cast<CAgreementPledgeBondData>(model->getDataByKey(key));
    if (!row) // the row went with a reload while its cell was being edited
        return;
    FICC_ASSERT(row->info, return );
    if (column == kQuantityColumn) {
        bool ok = false;
        int volume = text.toInt(&ok, 10);
        if (!ok)
            volume = 0;
        if (auto *quantity = dynamic_cast<XP::CBaseTableColumnLineeditDelegate *>(
                table->columnDelegate(kQuantityColumn)))
            quantity->setItemText(key, QString::number(volume));
        row->info->pledgeVolume = volume;
    }
    row->info->pledgeAmount = double(row->info->pledgeVolume) * 100.0;
    model->updateData(row);
    table->updateTable();
    announceSelection();
    updatePledgeTotals();
}

void CAgreementPledgeBondWidget::updatePledgeTotals()
{
    FICC_ASSERT(table && model, return );
    int volume = 0;
    double amount = 0.0;
    for (int index = 0; index < model->size(); ++index) {
        auto row = boost::dynamic_pointer_cast<CAgreementPledgeBondData>(model->getData(index));
        if (!row || !row->info || !checkBoxDelegate
            || !checkBoxDelegate->isItemChecked(row->getKey()))
            continue;
        volume += row->info->pledgeVolume;
        amount += row->info->pledgeAmount;
    }
    model->setTotals(volume, amount);
    table->updateTable();
}

void CAgreementPledgeBondWidget::clearCheckedRows()
{
    if (table && checkBoxDelegate)
        for (int index = 0; index < table->rowCount(); ++index)
            checkBoxDelegate->setItemChecked(table->keyAt(index), false, false);
    if (table)
        table->view()->viewport()->update();
    updatePledgeTotals();
    announceSelection();
}

std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>>
CAgreementPledgeBondWidget::checkedPledgeBonds() const
{
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> bonds;
    FICC_ASSERT(table && checkBoxDelegate, return bonds);
    for (int index = 0; index < table->rowCount(); ++index) {
        const QString key = table->keyAt(index);
        if (!checkBoxDelegate->isItemChecked(key))
            continue;
        auto row = boost::dynamic_pointer_cast<CAgreementPledgeBondData>(model->getData(index));
        if (!row || !row->info || std::fabs(0.0 - row->info->pledgeAmount) <= 0.00001)
            continue;
        bonds.push_back(row->info);
    }
    return bonds;
}

void CAgreementPledgeBondWidget::removeCheckedRows()
{
    if (model) {
        QStringList keys;
        for (int index = 0; index < model->size(); ++index) {
            const auto row = model->getData(index);
            if (row && checkBoxDelegate && checkBoxDelegate->isItemChecked(row->getKey()))
                keys.append(row->getKey());
        }
        for (const QString &key : keys) {
            model->removeDataByKey(key);
            checkBoxDelegate->setItemChecked(key, false, false);
        }
        model->setTotals(0, 0.0);
    }
    if (table)
        table->updateTable();
    announceSelection();
}

void CAgreementPledgeBondWidget::announceSelection()
{
    deliverEvent(EVT_PLEDGE_SELECTION_CHANGED, 0, 0, QString(), nullptr);
}

} // namespace TC
