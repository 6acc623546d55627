#pragma once

#include "tc/CSingleCodeInputController.h"
#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/CPledgedBondInfo.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CSubscribeRequest.h"
#include "utils/CConflatingDelivery.h"
#include "xp/CBaseWidget.h"

#include <boost/shared_ptr.hpp>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace XP {
class CStandardHpfTable;
} // namespace XP

namespace TC {

class CAgreementPledgePosData;
class CAgreementPledgePosModel;

// The "     质押债券" area of the operations that pledge bonds the account
// holds (成交申报, the repo side of 意向申报, 质押券变更): the account's
// pledgeable positions, kept current by the host's pushes, and beside them,
// for a pledge change, the bonds of the chosen contract. The trader ticks a
// row and types its quantity, held within what is available; each change is
// announced as EVT_PLEDGE_SELECTION_CHANGED for the page to hand the ticked
// bonds to the form.
class CAgreementPledgePosWidget final : public XP::CBaseWidget, public CSingleCodeInputController
{
    Q_OBJECT
public:
    CAgreementPledgePosWidget(bool editable, QWidget *parent);
    ~CAgreementPledgePosWidget() override;

    void showAccountPositions(const QString &accountKey, int operationType);
    void showContractBonds(const std::string &contractKey);
    // The ticked rows with a pledge amount, in row order: of the account's
    // positions, and of the chosen contract's pledged bonds.
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> checkedPositionBonds() const;
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> checkedContractBonds() const;

    bool handleEvent(int event, int a, int b, QString text, void *data) override;

    // Whether a bond may be pledged, by the host's instrument types.
    static bool isPledgeableBond(const std::string &market, const std::string &code);

    XP::CStandardHpfTable *positionTable() const { return m_positionTable; }
    XP::CStandardHpfTable *contractBondTable() const { return m_contractBondTable; }
    // Pushes handed over by the host and not yet shown.
    int pendingPushes() const { return m_pushes.pending(); }
    // The contract last handed over by the switcher.
    std::string shownContract() const { return m_contractKey; }

Q_SIGNALS:
    void sigPositionStat(ttservice::CPositionStaticsPtr record);
    void sigNonTradeStockVolume(ttservice::CNonTradeStockVolumeInfoPtr record);

protected Q_SLOTS:
    void slotPositionStat(ttservice::CPositionStaticsPtr record);
    void slotNonTradeStockVolume(ttservice::CNonTradeStockVolumeInfoPtr record);

private:
    void buildUi();
    XP::CStandardHpfTable *buildTable(int tableIndex, CAgreementPledgePosModel **model,
                                      QWidget *parent);
    void loadPositionStatics();
    void loadNonTradeVolumes();
    void applyPositionStatics(const ttservice::CPositionStaticsPtr &record);
    void applyNonTradeVolume(const ttservice::CNonTradeStockVolumeInfoPtr &record);
    // The row of `market`/`code`, made when the position table lacks it.
    boost::shared_ptr<CAgreementPledgePosData>
    positionRow(const std::string &market, const std::string &code, const std::string &name);
    void recomputeRow(CAgreementPledgePosData &row, XP::CStandardHpfTable *table,
                      bool switchProperty) const;
    void uncheckOthers(XP::CStandardHpfTable *table, const QString &key);
    void recomputeTotals(XP::CStandardHpfTable *table);
    void applyQuantity(int delegateId, const QString &key, const QString &text);
    void changeShareProperty(const QString &key, int property);
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>>
    checkedBonds(XP::CStandardHpfTable *table) const;
    void announceSelection();
    // After pushes: the totals, the table and the announcement. Pushes the
    // host sends in a stream announce only when they changed the bonds the
    // form would be handed (the form takes a handed selection's total as its
    // amount, and a feed moving other rows must not undo the trader's typing).
    void finishPushBatch(bool streamed);
    // The ticked bonds as last announced: key, volume and amount.
    std::vector<std::tuple<std::string, int, double>> handedBonds() const;

    // Children through Qt parentage; each table keeps its model.
    XP::CStandardHpfTable *m_positionTable = nullptr;
    CAgreementPledgePosModel *m_positionModel = nullptr;
    XP::CStandardHpfTable *m_contractBondTable = nullptr;
    CAgreementPledgePosModel *m_contractBondModel = nullptr;
    QString accountKey;
    std::map<std::string, ttservice::CSubscribeRequestPtr> positionSubscriptions;
    std::map<std::string, ttservice::CSubscribeRequestPtr> nonTradeSubscriptions;
    int operationType = 14013;
    std::string m_contractKey;
    // True while pushes of one batch are applied (their tail runs once after).
    bool m_inPushBatch = false;
    // Loads so far; a push is applied only if it came from the latest one.
    unsigned m_positionLoads = 0;
    unsigned m_nonTradeLoads = 0;
    // Pushes reach the GUI thread through it, the latest per bond, in batches
    // of at most a few milliseconds, and none after the widget is gone.
    std::vector<std::tuple<std::string, int, double>> m_announcedBonds;
    utils::CConflatingDelivery m_pushes { [this](int) { finishPushBatch(true); } };
};

} // namespace TC
