#pragma once

#include "ttservice/CRepurchasePledgedBond.h"
#include "xp/CCommonDialog.h"

namespace XP {
class COddEvenRowTable;
}

namespace TC {

// The read-only "质押债券" dialog of a contract or declaration row: its pledged
// bonds (market, code, name, pledged volume, share property) with the total
// pledged volume in the statistics line.
class CPledgeBondInfoDialog : public XP::CCommonDialog
{
    Q_OBJECT
public:
    explicit CPledgeBondInfoDialog(QWidget *parent);
    ~CPledgeBondInfoDialog() override;

    // Replaces the rows and clears any filter the trader set.
    void setPledgeBonds(ttservice::CRepurchasePledgedBondList bonds);

    XP::COddEvenRowTable *table() const { return m_table; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildUi();

    XP::COddEvenRowTable *m_table = nullptr; // owned through Qt parentage
};

} // namespace TC
