#pragma once

#include "tc/CSingleCodeInputController.h"
#include "ttservice/CPledgedBondInfo.h"
#include "xp/CBaseWidget.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace XP {
class CBaseTableColumnCheckBoxDelegate;
class CSmallNoNormalButton;
class CStandardHpfTable;
} // namespace XP

namespace TC {

class CAgreementPledgeBondModel;
class CStockCodeLineEdit;

// The "  质押债券" table of a reverse-repo intention: the trader types bond
// codes, ticks one row and types its pledge quantity; amounts (quantity ×
// 100 yuan) and totals follow, and every change is announced upwards as
// EVT_PLEDGE_SELECTION_CHANGED for the page to hand the ticked bond to the form.
class CAgreementPledgeBondWidget final : public XP::CBaseWidget, public CSingleCodeInputController
{
public:
    CAgreementPledgeBondWidget(bool editable, QWidget *parent);
    ~CAgreementPledgeBondWidget() override;

    // Unticks every row; the totals follow and the change is announced.
    void clearCheckedRows();
    // The ticked bonds with a pledge amount, in row order.
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> checkedPledgeBonds() const;

    bool handleEvent(int event, int a, int b, QString text, void *data) override;

    XP::CStandardHpfTable *pledgeTable() const { return table; }

private:
    void buildUi();
    void addPledgeBond(const QString &code);
    void tickOnly(const QString &key);
    void applyQuantity(int column, const QString &key, const QString &text);
    void updatePledgeTotals();
    void removeCheckedRows();
    void announceSelection();

    // Children through Qt parentage; the table keeps the model and the delegates.
    XP::CStandardHpfTable *table = nullptr;
    CAgreementPledgeBondModel *model = nullptr;
    CStockCodeLineEdit *codeBox = nullptr; // null in deployment 200
    XP::CSmallNoNormalButton *deleteButton = nullptr; // null in deployment 200
    XP::CBaseTableColumnCheckBoxDelegate *checkBoxDelegate = nullptr;
};

} // namespace TC
