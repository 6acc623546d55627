#pragma once

#include "tc/TradeOperationType.h"
#include "ttservice/CPledgedBondInfo.h"
#include "xp/CBaseWidget.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace TC {

// The pledged positions table: the account's pledgeable positions, or the
// bonds pledged under a chosen contract. Its rows arrive with the positions
// business; for now it takes the switcher's and the page's calls and shows nothing.
class CAgreementPledgePosWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    CAgreementPledgePosWidget(bool editable, QWidget *parent);
    ~CAgreementPledgePosWidget() override;

    void showAccountPositions(const std::string &accountKey, ETradeOperationType type);
    void showContractBonds(const std::string &contractKey);
    std::string shownContract() const { return m_contractKey; }
    // The ticked rows with a pledge amount, in row order: of the account's
    // positions, and of the chosen contract's pledged bonds.
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> checkedPositionBonds() const;
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> checkedContractBonds() const;

private:
    std::string m_contractKey;
};

} // namespace TC
