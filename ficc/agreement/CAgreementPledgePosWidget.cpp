#include "agreement/CAgreementPledgePosWidget.h"

#include "common/DeploymentRights.h"
#include "common/SoftAssert.h"

#include "agreement/CAgreementPledgePosModel.h"
#include "common/FiccEvents.h"
#include "tc/Services.h"
#include "tc/TradeOperationType.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CDataCenter.h"
#include "ttservice/CInstrumentCenter.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/DataTypes.h"
#include "xp/CBaseTableColumnCheckBoxDelegate.h"
#include "xp/CBaseTableColumnComboxDelegate.h"
#include "xp/CBaseTableColumnLineeditDelegate.h"
#include "xp/CFrameSplitterLine.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CStandardHpfTable.h"
#include "xp/CWidgetList.h"
#include "xp/NumberFormat.h"

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <algorithm>
#include <climits>
#include <cmath>

Q_DECLARE_METATYPE(ttservice::CPositionStaticsPtr)
Q_DECLARE_METATYPE(ttservice::CNonTradeStockVolumeInfoPtr)

namespace TC {

namespace {

constexpr int kTickColumn = 0;
constexpr int kQuantityColumn = 4;
constexpr int kPropertyColumn = 8;
// Delegate ids: the contract bond table's tick and quantity columns answer
// with 100 and 104, the position table's with their column numbers.
constexpr int kContractTickId = 100;
constexpr int kContractQuantityId = 104;
constexpr int kNormalShares = 48; // '0' 非限售股
constexpr int kRestrictedShares = 49; // '1' 限售股

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

bool isTyped(int type, const std::string &market, const std::string &code)
{
    return utils::CSingletonT<ttservice::StockTypeCenter>::instance()->isTypedStock(type, market,
                                                                                    code);
}

// The face value of one unit of the bond, 0 when the directory does not know it.
double faceValueOf(const std::string &market, const std::string &code)
{
    const ttservice::CInstrumentDetailPtr instrument
        = ttservice::TraderCenter::instance()->getInstCenter()->getInstrument(market, code);
    return instrument && instrument->bondDetail ? instrument->bondDetail->faceValue : 0.0;
}

XP::CBaseTableColumnCheckBoxDelegate *tickColumn(XP::CStandardHpfTable *table)
{
    return table
        ? dynamic_cast<XP::CBaseTableColumnCheckBoxDelegate *>(table->columnDelegate(kTickColumn))
        : nullptr;
}

XP::CBaseTableColumnLineeditDelegate *quantityColumn(XP::CStandardHpfTable *table)
{
    return table ? dynamic_cast<XP::CBaseTableColumnLineeditDelegate *>(
               table->columnDelegate(kQuantityColumn))
                 : nullptr;
}

// Indices of the model rows whose key is ticked, in row order. The ticks are
// few (one, as the trader leaves them) while rows may be many: a push costs
// a look at the ticks, not at every row.
std::vector<int> tickedIndices(XP::CStandardHpfTable *table)
{
    std::vector<int> indices;
    XP::CBaseTableColumnCheckBoxDelegate *ticks = tickColumn(table);
    if (!ticks || !table->dataModel())
        return indices;
    for (const QString &key : ticks->checkedKeys()) {
        const int index = table->dataModel()->indexOfKey(key);
        if (index >= 0)
            indices.push_back(index);
    }
    std::sort(indices.begin(), indices.end());
    return indices;
}

} // namespace

CAgreementPledgePosWidget::CAgreementPledgePosWidget(bool, QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_quvio_opcreditbuywidget"), false, parent)
{
    qRegisterMetaType<ttservice::CPositionStaticsPtr>("ttservice::CPositionStaticsPtr");
    qRegisterMetaType<ttservice::CNonTradeStockVolumeInfoPtr>(
        "ttservice::CNonTradeStockVolumeInfoPtr");
    buildUi();
    connect(this, &CAgreementPledgePosWidget::sigPositionStat, this,
            &CAgreementPledgePosWidget::slotPositionStat);
    connect(this, &CAgreementPledgePosWidget::sigNonTradeStockVolume, this,
            &CAgreementPledgePosWidget::slotNonTradeStockVolume);
}

CAgreementPledgePosWidget::~CAgreementPledgePosWidget()
{
    positionSubscriptions.clear();
    nonTradeSubscriptions.clear();
}

void CAgreementPledgePosWidget::buildUi()
{
    auto *outer = new XP::CWidgetList(Qt::Vertical, this);
    outer->setSpacing(0);
    outer->setMargins(0, 0, 0, 0);
    outer->addFixedSpace(2);
    outer->addFixedWidget(splitterLine(outer), XP::CWidgetList::ANCHOR_FILL);
    // Every part is built under the list it goes into: moving a built widget
    // under another parent restyles it and all it holds.
    auto *title = new XP::CSimpleTextWidget(QStringLiteral("     质押债券"), outer);
    title->setStyleSheet(QStringLiteral("font: bold"));
    title->setFixedHeight(22);
    outer->addFixedWidget(title, XP::CWidgetList::ANCHOR_START);
    outer->addFixedSpace(2);
    outer->addFixedWidget(splitterLine(outer), XP::CWidgetList::ANCHOR_FILL);

    auto *inner = new XP::CWidgetList(Qt::Horizontal, outer);
    m_positionTable = buildTable(0, &m_positionModel, inner);
    m_contractBondTable = buildTable(1, &m_contractBondModel, inner);
    inner->addStretchWidget(m_positionTable, 1, XP::CWidgetList::ANCHOR_FILL, false);
    inner->addFixedSpace(4);
    inner->addStretchWidget(m_contractBondTable, 1, XP::CWidgetList::ANCHOR_FILL, false);
    outer->addStretchWidget(inner);
    setInnerStretchWidget(outer, 0, 0, 0, 0);
}

XP::CStandardHpfTable *CAgreementPledgePosWidget::buildTable(int tableIndex,
                                                             CAgreementPledgePosModel **model,
                                                             QWidget *parent)
{
    auto *table = new XP::CStandardHpfTable(tableIndex, parent, 0x1FF);
    table->setFlag(table->flag() | 0x8 | 0x200 | 0x40);
    table->setFocusPolicy(Qt::NoFocus);
    *model = new CAgreementPledgePosModel(tableIndex);
    table->setDataModel(*model);
    const int widths[] = { 40, 60, 60, 60, 60, 60, 60, 80, 80 };
    for (int column = 0; column < 9; ++column)
        table->setColumnWidth(column, widths[column]);
    table->setColumnBackgroundColorKey(kQuantityColumn,
                                       QStringLiteral("clr_table_pledge_bond_background"));
    const bool positions = tableIndex == 0;
    table->setColumnDelegate(
        kTickColumn,
        new XP::CBaseTableColumnCheckBoxDelegate(positions ? kTickColumn : kContractTickId, table));
    auto *quantity = new XP::CBaseTableColumnLineeditDelegate(
        positions ? kQuantityColumn : kContractQuantityId, table);
    quantity->setIntRange(0, INT_MAX);
    table->setColumnDelegate(kQuantityColumn, quantity);
    if (positions)
        table->setColumnDelegate(kPropertyColumn,
                                 new XP::CBaseTableColumnComboxDelegate(kPropertyColumn, table));
    return table;
}

bool CAgreementPledgePosWidget::isPledgeableBond(const std::string &market, const std::string &code)
{
    if (market == "SH" && isTyped(186, market, code))
        return true;
    if (isTyped(10027, market, code) || isTyped(100103, market, code))
        return true;
    if (!isTyped(100016, market, code))
        return false;
    if (market == "SZ")
        return true;
    for (const int type : { 138, 108, 10024, 10033, 10034, 10032 })
        if (isTyped(type, market, code))
            return false;
    return true;
}

// ---- the account's positions ----------------------------------------------------

void CAgreementPledgePosWidget::showAccountPositions(const QString &key, int type)
{
    accountKey = key;
    operationType = type;
    m_positionModel->clear();
    m_positionTable->clear();
    m_contractBondTable->setVisible(type == OPT_AGREEMENT_PLEDGE_CHANGE);
    loadPositionStatics();
    loadNonTradeVolumes();
    announceSelection();
}

void CAgreementPledgePosWidget::loadPositionStatics()
{
    positionSubscriptions.clear();
    // Pushes still on their way from an earlier load (another account or
    // operation) are dropped on arrival: they are not this table's bonds.
    const unsigned load = ++m_positionLoads;
    const ttservice::CAccountDataPtr account
        = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(
            accountKey.toStdString());
    if (account) {
        std::vector<ttservice::IDataPtr> records;
        account->getVector(ttservice::DATA_TYPE_POSITION_STATICS, records);
        for (const ttservice::IDataPtr &record : records) {
            const auto position = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(record);
            if (position && isPledgeableBond(position->market, position->instrumentCode))
                applyPositionStatics(position);
        }
    }
    recomputeTotals(m_positionTable);
    m_positionTable->updateTable();
    m_positionTable->adjustColumnWidth();
    if (!account)
        return;
    // Runs on the host's thread: it only filters and hands the record over.
    // The filter's operation is the one current now; another operation
    // loads (and subscribes) again.
    const utils::CConflatingDelivery::Handle pushes = m_pushes.handle();
    const int type = operationType;
    const ttservice::CSubscribeRequestPtr request = account->subscribe(
        ttservice::DATA_TYPE_POSITION_STATICS, std::string(),
        [this, pushes, type, load](const ttservice::IDataPtr &record) {
            const auto position = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(record);
            if (!position || !isPledgeableBond(position->market, position->instrumentCode))
                return;
            if (type != OPT_AGREEMENT_DEAL_DECLARATION && position->market == "SH")
                return;
            // A later push of the same bond replaces one not yet shown.
            pushes.post("547/" + std::to_string(load) + '/' + position->getKey(),
                        [this, position, load] {
                            if (load != m_positionLoads)
                                return;
                            m_inPushBatch = true;
                            Q_EMIT sigPositionStat(position);
                        });
        });
    if (request)
        positionSubscriptions[accountKey.toStdString()] = request;
}

void CAgreementPledgePosWidget::loadNonTradeVolumes()
{
    nonTradeSubscriptions.clear();
    const unsigned load = ++m_nonTradeLoads;
    const ttservice::CAccountDataPtr account
        = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(
            accountKey.toStdString());
    if (account) {
        std::vector<ttservice::IDataPtr> records;
        account->getVector(ttservice::DATA_TYPE_NON_TRADE_VOLUME, records);
        for (const ttservice::IDataPtr &record : records) {
            const auto volume
                = boost::dynamic_pointer_cast<ttservice::CNonTradeStockVolumeInfo>(record);
            if (volume && isPledgeableBond(volume->market, volume->instrumentCode))
                applyNonTradeVolume(volume);
        }
    }
    recomputeTotals(m_positionTable);
    m_positionTable->updateTable();
    m_positionTable->adjustColumnWidth();
    if (!account)
        return;
    const utils::CConflatingDelivery::Handle pushes = m_pushes.handle();
    const ttservice::CSubscribeRequestPtr request = account->subscribe(
        ttservice::DATA_TYPE_NON_TRADE_VOLUME, std::string(),
        [this, pushes, load](const ttservice::IDataPtr &record) {
            const auto volume
                = boost::dynamic_pointer_cast<ttservice::CNonTradeStockVolumeInfo>(record);
            if (!volume || !isPledgeableBond(volume->market, volume->instrumentCode))
                return;
            pushes.post("794/" + std::to_string(load) + '/' + volume->getKey(),
                        [this, volume, load] {
                            if (load != m_nonTradeLoads)
                                return;
                            m_inPushBatch = true;
                            Q_EMIT sigNonTradeStockVolume(volume);
                        });
        });
    if (request)
        nonTradeSubscriptions[accountKey.toStdString()] = request;
}

void CAgreementPledgePosWidget::slotPositionStat(ttservice::CPositionStaticsPtr record)
{
    applyPositionStatics(record);
    if (!m_inPushBatch)
        finishPushBatch(false);
}

void CAgreementPledgePosWidget::slotNonTradeStockVolume(
    ttservice::CNonTradeStockVolumeInfoPtr record)
{
    applyNonTradeVolume(record);
    if (!m_inPushBatch)
        finishPushBatch(false);
}

void CAgreementPledgePosWidget::finishPushBatch(bool streamed)
{
    const bool batched = m_inPushBatch;
    m_inPushBatch = false;
    recomputeTotals(m_positionTable);
    m_positionTable->updateTable();
    if (streamed && batched && handedBonds() == m_announcedBonds)
        return;
    announceSelection();
}

std::vector<std::tuple<std::string, int, double>> CAgreementPledgePosWidget::handedBonds() const
{
    std::vector<std::tuple<std::string, int, double>> bonds;
    for (const auto &bond : checkedPositionBonds())
        bonds.emplace_back(bond->getKey(), bond->pledgeVolume, bond->pledgeAmount);
    return bonds;
}

boost::shared_ptr<CAgreementPledgePosData>
CAgreementPledgePosWidget::positionRow(const std::string &market, const std::string &code,
                                       const std::string &name)
{
    const QString key = XP::sToQs(ttservice::CPledgedBondInfo::genKey(market, code));
    auto row
        = boost::dynamic_pointer_cast<CAgreementPledgePosData>(m_positionModel->getDataByKey(key));
    if (row)
        return row;
    auto info = boost::make_shared<ttservice::CPledgedBondInfo>();
    info->bondCode = code;
    info->market = market;
    info->pledgeVolume = 0;
    info->pledgeAmount = 0.0;
    row = boost::make_shared<CAgreementPledgePosData>();
    row->info = info;
    row->bondName = XP::sToQs(name);
    if (XP::CBaseTableColumnCheckBoxDelegate *ticks = tickColumn(m_positionTable)) {
        ticks->setItemVisible(key, true, true);
        ticks->setItemEnabled(key, !readOnlyDeployment(), true);
        ticks->setItemChecked(key, false, true);
    }
    if (XP::CBaseTableColumnLineeditDelegate *quantity = quantityColumn(m_positionTable)) {
        quantity->setItemVisible(key, true, true);
        quantity->setItemText(key, QStringLiteral("0"), true);
    }
    if (auto *property = dynamic_cast<XP::CBaseTableColumnComboxDelegate *>(
            m_positionTable->columnDelegate(kPropertyColumn))) {
        property->hideCombox();
        property->clearItems(key);
        property->addItem(key, QStringLiteral("非限售股"), kNormalShares);
        property->addItem(key, QStringLiteral("限售股"), kRestrictedShares);
        property->setCurrentItem(key, QStringLiteral("非限售股"), kNormalShares);
    }
    m_positionModel->addData(row);
    return row;
}

void CAgreementPledgePosWidget::applyPositionStatics(const ttservice::CPositionStaticsPtr &record)
{
    FICC_ASSERT(m_positionTable, return );
    if (!record)
        return;
    auto row = positionRow(record->market, record->instrumentCode, record->instrumentName);
    row->normalVolume = record->usableVolume;
    recomputeRow(*row, m_positionTable, true);
    m_positionModel->updateData(row);
}

void CAgreementPledgePosWidget::applyNonTradeVolume(
    const ttservice::CNonTradeStockVolumeInfoPtr &record)
{
    FICC_ASSERT(m_positionTable, return );
    if (!record)
        return;
    auto row = positionRow(record->market, record->instrumentCode, record->instrumentName);
    row->restrictedVolume = record->volume;
    recomputeRow(*row, m_positionTable, true);
    const QString key = row->getKey();
    if (XP::CBaseTableColumnCheckBoxDelegate *ticks = tickColumn(m_positionTable)) {
        if (row->info->pledgeAmount != 0.0) {
            uncheckOthers(m_positionTable, key);
            ticks->setItemChecked(key, true, true);
        } else {
            ticks->setItemChecked(key, false, true);
        }
    }
    m_positionModel->updateData(row);
}

void CAgreementPledgePosWidget::recomputeRow(CAgreementPledgePosData &row,
                                             XP::CStandardHpfTable *table,
                                             bool switchProperty) const
{
    ttservice::CPledgedBondInfo &info = *row.info;
    if (switchProperty)
        row.availableVolume
            = info.stockProperty != kNormalShares ? row.restrictedVolume : row.normalVolume;
    const double faceValue = faceValueOf(info.market, info.bondCode);
    const bool known = faceValue != 0.0;
    if (known)
        row.availableFaceValue = double(row.availableVolume) * faceValue;
    if (info.pledgeVolume >= row.availableVolume) {
        info.pledgeVolume = static_cast<int>(std::max(0LL, row.availableVolume));
        // The quantity typed before now shows what is kept.
        if (XP::CBaseTableColumnLineeditDelegate *quantity = quantityColumn(table))
            quantity->setItemText(row.getKey(), QString::number(info.pledgeVolume), true);
    }
    if (known)
        info.pledgeAmount = double(info.pledgeVolume) * faceValue;
}

// ---- the chosen contract's bonds ------------------------------------------------

void CAgreementPledgePosWidget::showContractBonds(const std::string &contractKey)
{
    m_contractKey = contractKey;
    if (operationType != OPT_AGREEMENT_PLEDGE_CHANGE || !m_contractBondTable
        || !m_contractBondModel)
        return;
    m_contractBondModel->clear();
    m_contractBondTable->clear();
    const ttservice::CAccountDataPtr account
        = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(
            accountKey.toStdString());
    if (!account)
        return;
    const auto contract = boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(
        account->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, contractKey));
    if (!contract)
        return;
    XP::CBaseTableColumnCheckBoxDelegate *ticks = tickColumn(m_contractBondTable);
    XP::CBaseTableColumnLineeditDelegate *quantity = quantityColumn(m_contractBondTable);
    for (const ttservice::CRepurchasePledgedBondPtr &bond : contract->pledgedBonds) {
        if (!bond)
            continue;
        const QString key
            = XP::sToQs(ttservice::CPledgedBondInfo::genKey(bond->market, bond->bondCode));
        auto row = boost::dynamic_pointer_cast<CAgreementPledgePosData>(
            m_contractBondModel->getDataByKey(key));
        if (!row) {
            auto info = boost::make_shared<ttservice::CPledgedBondInfo>();
            info->bondCode = bond->bondCode;
            info->market = bond->market;
            info->pledgeVolume = 0;
            info->pledgeAmount = 0.0;
            info->stockProperty = bond->stockProperty;
            row = boost::make_shared<CAgreementPledgePosData>();
            row->info = info;
            row->availableVolume = bond->pledgeVolume;
            row->bondName = XP::sToQs(bond->bondName);
            // A Shenzhen contract's bonds all go back together: ticked, and
            // not for the trader to change.
            const bool shanghai = bond->market == "SH";
            if (ticks) {
                ticks->setItemVisible(key, true, true);
                ticks->setItemEnabled(key, !readOnlyDeployment() && shanghai, true);
                ticks->setItemChecked(key, !shanghai, true);
            }
            if (quantity) {
                quantity->setItemVisible(key, true, true);
                quantity->setItemText(key, QStringLiteral("0"), true);
            }
            m_contractBondModel->addData(row);
        } else {
            row->availableVolume = bond->pledgeVolume;
        }
        recomputeRow(*row, m_contractBondTable, false);
        m_contractBondModel->updateData(row);
    }
    m_contractBondTable->updateTable();
    announceSelection();
}

// ---- the trader's ticks, quantities and choices ------------------------------------

bool CAgreementPledgePosWidget::handleEvent(int event, int a, int b, QString text, void *data)
{
    switch (event) {
    case XP::EVT_TABLE_CHECKBOX_CLICKED: {
        XP::CStandardHpfTable *table = a == kContractTickId ? m_contractBondTable : m_positionTable;
        uncheckOthers(table, text);
        recomputeTotals(table);
        announceSelection();
        return true;
    }
    case XP::EVT_TABLE_LINEEDIT_CHANGED:
        applyQuantity(a, text, data ? *static_cast<const QString *>(data) : QString());
        return true;
    case XP::EVT_TABLE_COMBO_CHANGED:
        changeShareProperty(text, b);
        return true;
    default:
        return XP::CBaseWidget::handleEvent(event, a, b, text, data);
    }
}

void CAgreementPledgePosWidget::uncheckOthers(XP::CStandardHpfTable *table, const QString &key)
{
    XP::CBaseTableColumnCheckBoxDelegate *ticks = tickColumn(table);
    if (!ticks)
        return;
    // Only ticked rows can change: the others are left alone.
    const QSet<QString> ticked = ticks->checkedKeys();
    for (const QString &other : ticked)
        if (other != key)
            ticks->setItemChecked(other, false, true);
    table->updateTable();
}

void CAgreementPledgePosWidget::applyQuantity(int delegateId, const QString &key,
                                              const QString &text)
{
    const bool positions = delegateId == kQuantityColumn;
    XP::CStandardHpfTable *table = positions ? m_positionTable : m_contractBondTable;
    CAgreementPledgePosModel *model = positions ? m_positionModel : m_contractBondModel;
    FICC_ASSERT(table && model, return );
    auto row = boost::dynamic_pointer_cast<CAgreementPledgePosData>(model->getDataByKey(key));
    if (!row) // the row went with a reload while its cell was being edited
        return;
    FICC_ASSERT(row->info, return );
    bool ok = false;
    long long volume = text.toInt(&ok, 10);
    if (!ok || volume < 0)
        volume = 0;
    volume = std::min(volume, row->availableVolume);
    volume = std::max(0LL, volume);
    if (XP::CBaseTableColumnLineeditDelegate *quantity = quantityColumn(table))
        quantity->setItemText(key, QString::number(volume), true);
    row->info->pledgeVolume = static_cast<int>(volume);
    row->info->pledgeAmount = double(row->info->pledgeVolume) * 100.0;
    model->updateData(row);
    table->updateTable();
    recomputeTotals(table);
    announceSelection();
}

void CAgreementPledgePosWidget::changeShareProperty(const QString &key, int property)
{
    auto row
        = boost::dynamic_pointer_cast<CAgreementPledgePosData>(m_positionModel->getDataByKey(key));
    if (!row || !row->info)
        return;
    row->info->stockProperty = property;
    row->availableVolume = property != kNormalShares ? row->restrictedVolume : row->normalVolume;
    const double faceValue = faceValueOf(row->info->market, row->info->bondCode);
    if (faceValue != 0.0)
        row->availableFaceValue = double(row->availableVolume) * faceValue;
    m_positionModel->updateData(row); // the row shows its new available volume
    recomputeTotals(m_positionTable);
    announceSelection();
}

void CAgreementPledgePosWidget::recomputeTotals(XP::CStandardHpfTable *table)
{
    auto *model = table ? dynamic_cast<CAgreementPledgePosModel *>(table->dataModel()) : nullptr;
    if (!model || !tickColumn(table))
        return;
    int volume = 0;
    double faceValue = 0.0;
    double amount = 0.0;
    for (const int index : tickedIndices(table)) {
        const auto row
            = boost::dynamic_pointer_cast<CAgreementPledgePosData>(model->getData(index));
        if (!row || !row->info)
            continue;
        volume += static_cast<int>(row->availableVolume);
        faceValue += row->availableFaceValue;
        amount += row->info->pledgeAmount;
    }
    model->setTotals(volume, faceValue, amount);
    table->updateTable();
}

std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>>
CAgreementPledgePosWidget::checkedBonds(XP::CStandardHpfTable *table) const
{
    std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>> bonds;
    if (!table || !table->dataModel())
        return bonds;
    for (const int index : tickedIndices(table)) {
        const auto row = boost::dynamic_pointer_cast<CAgreementPledgePosData>(
            table->dataModel()->getData(index));
        if (row && row->info && std::fabs(row->info->pledgeAmount) > 0.00001)
            bonds.push_back(row->info);
    }
    return bonds;
}

std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>>
CAgreementPledgePosWidget::checkedPositionBonds() const
{
    return checkedBonds(m_positionTable);
}

std::vector<boost::shared_ptr<ttservice::CPledgedBondInfo>>
CAgreementPledgePosWidget::checkedContractBonds() const
{
    return checkedBonds(m_contractBondTable);
}

void CAgreementPledgePosWidget::announceSelection()
{
    m_announcedBonds = handedBonds();
    deliverEvent(EVT_PLEDGE_SELECTION_CHANGED, 0, 0, QString(), nullptr);
}

} // namespace TC
