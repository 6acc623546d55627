#pragma once

#include "ttservice/CPledgedBondInfo.h"
#include "xp/CBaseWidget.h"

#include <boost/shared_ptr.hpp>

#include <vector>

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
    // The ticked bonds with a pledge amount, in row order.
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> checkedPledgeBonds() const;
};

} // namespace TC
