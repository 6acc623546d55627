#pragma once

#include "ttservice/CInstrumentDetail.h"
#include "xp/CPortfolioSearchModel.h"

#include <QHash>

#include <cstdint>
#include <memory>

namespace TC {

// The instruments an instrument code editor offers, as "code" or "code name"
// search entries in code order, and what a typed code stands for.
//
// Editors that offer the same instruments share one model (shared()). It reads
// the instrument directory again only when the directory changed, checked
// whenever it is asked anything, and keeps its search index until then.
class CInstrumentSearchModel final : public XP::ISearchDataModel
{
public:
    // Which instruments are offered, and how they are listed.
    struct Offer
    {
        int traderType = 0; // stock (0x1) and FICC (0x100000) traders trade "SH" and "SZ" bonds
        bool enableAll = false; // every market, whatever the trader type
        int filterFlag = 0; // EFilterFlag
        int entryStyle = 0; // 0 bare codes, 1 "code name"
        bool operator==(const Offer &other) const
        {
            return traderType == other.traderType && enableAll == other.enableAll
                && filterFlag == other.filterFlag && entryStyle == other.entryStyle;
        }
    };

    // The model of `offer`, shared by every editor that holds it.
    static std::shared_ptr<CInstrumentSearchModel> shared(const Offer &offer);

    explicit CInstrumentSearchModel(const Offer &offer);

    const Offer &offer() const { return m_offer; }
    bool isOffered(const ttservice::CInstrumentDetail &instrument) const;

    // Reads the directory again when it changed since the last read.
    void refresh() const;

    QStringList getDataList() const override;
    QStringList search(const QString &text, int limit) const override;
    bool hasEntry(const QString &entry) const override;
    quint64 generation() const override;

    // The offered instrument that `text` stands for: one of the entries, a code
    // that one market lists, or "market code"; null when none.
    ttservice::CInstrumentDetailPtr instrumentFor(const QString &text) const;
    // The code as an editor announces it: bare, or "market code" when several
    // markets list it.
    QString announcedCode(const ttservice::CInstrumentDetail &instrument) const;

private:
    QString entryOf(const ttservice::CInstrumentDetail &instrument) const;

    Offer m_offer;
    mutable std::uint64_t m_sourceGeneration = 0; // of the directory read; 0: none yet
    mutable XP::CPortfolioSearchModel m_entries;
    mutable QHash<QString, ttservice::CInstrumentDetailPtr> m_byEntry;
    // Offered instruments by "market code", and by bare code when one market lists it.
    mutable QHash<QString, ttservice::CInstrumentDetailPtr> m_byMarketCode;
    mutable QHash<QString, ttservice::CInstrumentDetailPtr> m_byCode;
    mutable QHash<QString, int> m_marketsOfCode;
};

} // namespace TC
