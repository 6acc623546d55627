#pragma once

#include "xp/CBaseWidget.h"

namespace TC {

// The pledge bond table of a reverse-repo intention: bonds entered and ticked
// for pledging. Its rows arrive with the pledge business; for now it takes the
// page's calls and shows nothing.
class CAgreementPledgeBondWidget : public XP::CBaseWidget
{
public:
    CAgreementPledgeBondWidget(bool editable, QWidget *parent);
    ~CAgreementPledgeBondWidget() override;

    void clearCheckedRows();
};

} // namespace TC
