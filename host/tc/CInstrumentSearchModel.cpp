#include "tc/CInstrumentSearchModel.h"

#include "tc/EFilterFlag.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/Types.h"

#include <algorithm>
#include <vector>

namespace TC {

namespace {

bool tradesExchangeBonds(int traderType)
{
    return (traderType & (ttservice::VQ_TRADER_TYPE_STOCK | ttservice::VQ_TRADER_TYPE_FICC)) != 0;
}

QString marketCode(const std::string &market, const QString &code)
{
    return QString::fromStdString(market) + QLatin1Char(' ') + code;
}

} // namespace

std::shared_ptr<CInstrumentSearchModel> CInstrumentSearchModel::shared(const Offer &offer)
{
    // A handful of offers exist; a model lives while an editor holds it.
    static std::vector<std::weak_ptr<CInstrumentSearchModel>> models;
    std::shared_ptr<CInstrumentSearchModel> found;
    for (auto it = models.begin(); it != models.end();) {
        std::shared_ptr<CInstrumentSearchModel> model = it->lock();
        if (!model) {
            it = models.erase(it);
            continue;
        }
        if (model->offer() == offer)
            found = model;
        ++it;
    }
    if (!found) {
        found = std::make_shared<CInstrumentSearchModel>(offer);
        models.push_back(found);
    }
    return found;
}

CInstrumentSearchModel::CInstrumentSearchModel(const Offer &offer)
    : m_offer(offer)
{
}

bool CInstrumentSearchModel::isOffered(const ttservice::CInstrumentDetail &instrument) const
{
    if (!m_offer.enableAll) {
        if (!tradesExchangeBonds(m_offer.traderType))
            return false;
        if (instrument.market != "SH" && instrument.market != "SZ")
            return false;
    }
    if (m_offer.filterFlag == FILTER_NONE)
        return true;
    const bool repurchase = instrument.extraDetail != nullptr;
    const bool bond = instrument.bondDetail != nullptr && !repurchase;
    const bool stock = instrument.bondDetail == nullptr && !repurchase;
    return ((m_offer.filterFlag & FILTER_BOND) && bond)
        || ((m_offer.filterFlag & FILTER_REPURCHASE) && repurchase)
        || ((m_offer.filterFlag & FILTER_STOCK) && stock);
}

QString CInstrumentSearchModel::entryOf(const ttservice::CInstrumentDetail &instrument) const
{
    const QString code = QString::fromStdString(instrument.instrumentCode);
    const bool severalMarkets = m_marketsOfCode.value(code) > 1;
    if (m_offer.entryStyle == 0)
        return severalMarkets ? marketCode(instrument.market, code) : code;
    QString entry = code + QLatin1Char(' ') + QString::fromStdString(instrument.instrumentName);
    if (severalMarkets)
        entry += QLatin1Char(' ') + QString::fromStdString(instrument.market);
    return entry;
}

void CInstrumentSearchModel::refresh() const
{
    const ttservice::CInstrumentCenter *center
        = ttservice::TraderCenter::instance()->getInstCenter();
    // Read before the snapshot: a change in between only means one more read.
    const std::uint64_t generation = center->generation();
    if (generation == m_sourceGeneration)
        return;
    m_sourceGeneration = generation;

    const ttservice::CInstrumentCenter::InstrumentMap all = center->getAllInstruments();
    std::vector<ttservice::CInstrumentDetailPtr> offered;
    m_marketsOfCode.clear();
    for (const auto &item : all) {
        if (item.second && isOffered(*item.second)) {
            offered.push_back(item.second);
            ++m_marketsOfCode[QString::fromStdString(item.second->instrumentCode)];
        }
    }
    // Codes first in code order, as a trader scanning the list expects.
    std::stable_sort(offered.begin(), offered.end(), [](const auto &l, const auto &r) {
        return l->instrumentCode < r->instrumentCode;
    });
    m_byEntry.clear();
    m_byMarketCode.clear();
    m_byCode.clear();
    m_byEntry.reserve(int(offered.size()));
    m_byMarketCode.reserve(int(offered.size()));
    QStringList entries;
    entries.reserve(int(offered.size()));
    for (const ttservice::CInstrumentDetailPtr &instrument : offered) {
        const QString entry = entryOf(*instrument);
        entries.append(entry);
        m_byEntry.insert(entry, instrument);
        const QString code = QString::fromStdString(instrument->instrumentCode);
        m_byMarketCode.insert(marketCode(instrument->market, code), instrument);
        if (m_marketsOfCode.value(code) == 1)
            m_byCode.insert(code, instrument);
    }
    m_entries.init(entries);
}

QStringList CInstrumentSearchModel::getDataList() const
{
    refresh();
    return m_entries.getDataList();
}

QStringList CInstrumentSearchModel::search(const QString &text, int limit) const
{
    refresh();
    return m_entries.search(text, limit);
}

bool CInstrumentSearchModel::hasEntry(const QString &entry) const
{
    refresh();
    return m_entries.hasEntry(entry);
}

quint64 CInstrumentSearchModel::generation() const
{
    refresh();
    return m_entries.generation();
}

ttservice::CInstrumentDetailPtr CInstrumentSearchModel::instrumentFor(const QString &text) const
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return nullptr;
    refresh();
    const auto exact = m_byEntry.constFind(typed);
    if (exact != m_byEntry.constEnd())
        return exact.value();
    // A bare code stands for its instrument when only one market lists it;
    // "market code" names the market.
    const QStringList parts = typed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() == 1)
        return m_byCode.value(parts[0]);
    if (parts.size() == 2)
        return m_byMarketCode.value(parts[0] + QLatin1Char(' ') + parts[1]);
    return nullptr;
}

QString CInstrumentSearchModel::announcedCode(const ttservice::CInstrumentDetail &instrument) const
{
    const QString code = QString::fromStdString(instrument.instrumentCode);
    return m_marketsOfCode.value(code) > 1 ? marketCode(instrument.market, code) : code;
}

} // namespace TC
