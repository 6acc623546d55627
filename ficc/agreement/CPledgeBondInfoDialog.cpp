#include "agreement/CPledgeBondInfoDialog.h"

#include "common/SoftAssert.h"
#include "tc/Services.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CWidgetList.h"
#include "xp/NumberFormat.h"

namespace TC {

CPledgeBondInfoDialog::CPledgeBondInfoDialog(QWidget *parent)
    : XP::CCommonDialog(parent)
{
    setTitle(QStringLiteral("质押债券"));
    setFixedSize(600, 300);
    buildUi();
}

CPledgeBondInfoDialog::~CPledgeBondInfoDialog() = default;

void CPledgeBondInfoDialog::buildUi()
{
    auto *list = new XP::CWidgetList(Qt::Vertical, this);
    list->setMargins(0, 0, 0, 0);
    list->setSpacing(0);
    m_table = new XP::COddEvenRowTable(0, list, 0x1FF);
    // A dialog's columns are not part of the trader's saved layout.
    m_table->setFlag(m_table->flag() & ~0x200);
    m_table->clear();
    m_table->clearColumns();
    m_table->setColumnCount(5);
    m_table->setHeaderTexts({ QStringLiteral("债券市场"), QStringLiteral("债券代码"),
                              QStringLiteral("债券名称"), QStringLiteral("质押数量"),
                              QStringLiteral("股份性质") });
    for (int column = 1; column <= 4; ++column)
        m_table->setColumnFilterable(column, true);
    list->addStretchWidget(m_table, 1, 3, false);
    setInnerWidget(list);
}

void CPledgeBondInfoDialog::setPledgeBonds(ttservice::CRepurchasePledgedBondList bonds)
{
    FICC_ASSERT(m_table, return );
    m_table->clear();
    m_table->clearFilter();
    m_table->setRowCount(static_cast<int>(bonds.size()));
    long long total = 0;
    for (int row = 0; row < static_cast<int>(bonds.size()); ++row) {
        const ttservice::CRepurchasePledgedBondPtr &bond = bonds[size_t(row)];
        if (!bond)
            continue; // a null entry keeps its empty row
        m_table->setItemText(row, 0, XP::sToQs(bond->market), true);
        m_table->setItemText(row, 1, XP::sToQs(bond->bondCode), true);
        m_table->setItemText(row, 2, XP::sToQs(bond->bondName), true);
        m_table->setItemText(row, 3, QString::number(bond->pledgeVolume), true);
        m_table->setItemText(row, 4,
                             XP::sToQs(ttservice::TypeManager::instance()->getEnumItemName(
                                 "ttservice::EStkProp", bond->stockProperty, 1)),
                             true);
        total += bond->pledgeVolume;
    }
    m_table->setStatText(3, QString::number(total));
    m_table->adjustVisibleRowsColumnWidth();
}

void CPledgeBondInfoDialog::showEvent(QShowEvent *event)
{
    if (m_table)
        m_table->adjustVisibleRowsColumnWidth();
    XP::CCommonDialog::showEvent(event);
}

} // namespace TC
