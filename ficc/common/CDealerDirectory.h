#pragma once

#include <QByteArray>
#include <QMultiMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

#include <array>
#include <memory>
#include <vector>

namespace XP {
class CAutoKeyboardWidget;
class CPortfolioSearchModel;
} // namespace XP

namespace TC {

// The dealers (交易商) a trader deals with in agreement repurchase, with their
// trading subjects (交易主体) and traders (交易员). It feeds the completing dealer
// cells of the agreement form and is kept as "FiccDealerConfig.csv", in GBK, in
// the terminal's configuration directory.
//
// One instance per process, created on first use and never destroyed. Apart
// from instance(), every call comes from the GUI thread.
class CDealerDirectory final
{
public:
    // One dealer's "code name" entries, in file order.
    struct DealerEntry
    {
        QStringList subjects; // "subjectCode subjectName", duplicates kept
        QStringList traders; // "traderCode traderName", or the code alone without a name
    };

    // Input kinds of the form's cells: 0 all dealers; 1 and 3 the subjects, 2 and 4
    // the traders of the dealer picked in the first or the counterparty dealer cell.
    static constexpr int kKindCount = 5;

    static CDealerDirectory *instance();

    // The model of `kind`, created empty on first request and owned by the
    // directory; null for a kind outside 0-4.
    XP::CPortfolioSearchModel *model(int kind);
    // Completion lists of the form's cells; told to drop their cached matches
    // after each load. They belong to the forms and may go first.
    void registerKeyboardWidget(int kind, XP::CAutoKeyboardWidget *widget);
    // Puts the subjects (kind 1, 3) or traders (kind 2, 4) of `dealerCode` into
    // `model`. No-op for a null model, an unknown dealer or another kind.
    void fillModel(const QString &dealerCode, XP::CPortfolioSearchModel *model, int kind) const;

    // Replaces the contents with the dealer file at `path`. Returns false and
    // changes nothing when the file is missing, unreadable, has fewer than two
    // lines, or has a bad header ("表头格式错误" in `error`; otherwise `error`
    // is not touched).
    bool load(const QString &path, QString &error);
    // load() on the raw GBK bytes of a dealer file.
    bool loadData(const QByteArray &bytes, QString &error);
    // load() of the configuration file, error ignored.
    void loadDefault();

    // Writes the dealers of model 0 to the configuration file. The file is
    // replaced only when everything was written; otherwise the old file is kept
    // and false is returned. Before any successful load an existing file is
    // never overwritten. A failure is shown to the trader in the host's message
    // list with the path and the reason, once while the same failure persists.
    bool save();
    // The GBK bytes save() writes: a line per subject, under the dealer name of the
    // line it was read from, and the dealer's traders on its first line. They load
    // back to the same dealers, names and subjects.
    QByteArray fileContent();
    // The user's import: load `path` and, when that succeeded, save at once so the
    // imported dealers survive a restart. False when the load failed (contents
    // unchanged) or the save failed (contents imported, old file kept).
    bool importFile(const QString &path, QString &error);

    // <configuration directory>/FiccDealerConfig.csv
    static QString filePath();

    // The dealer table: codes in ascending order, and one dealer's entries
    // (empty for an unknown code).
    QStringList dealerCodes() const;
    DealerEntry dealer(const QString &code) const;
    // "dealerCode dealerName" entries, each once, in order of first appearance.
    const QStringList &dealerList() const { return m_dealerList; }

    // Tests share the process-wide instance: this empties the table, the dealer
    // list and every model (the model objects stay valid) and forgets the
    // registered keyboard widgets.
    void resetForTests();

private:
    // A slot of the hash index of dealers by code (position -1: free).
    struct HashSlot
    {
        uint hash = 0;
        int position = -1;
    };
    // Subjects and traders of all dealers in two arrays in file order, each
    // dealer's chained by index (-1 ends a chain). Their text stays in GBK, as
    // read, one after the other in m_subjectBytes and m_traderBytes, and is
    // decoded when a dealer is asked for: a piece ends where the next begins.
    struct Subject
    {
        int pos = 0; // "subjectCode,subjectName" in m_subjectBytes
        int dealerEntry = 0; // "dealerCode dealerName" of the line, in m_dealerList: a
                             // dealer may go by several names
        int next = -1;
    };
    struct Trader
    {
        int pos = 0; // the code in m_traderBytes, its name right after it
        int codeSize = 0; // ~size when the line gave no name for this code
        int next = -1;
    };
    struct Dealer
    {
        int entry = 0; // the first "code name" of the dealer in m_dealerList
        int codeSize = 0;
        int firstSubject = -1;
        int lastSubject = -1;
        int firstTrader = -1;
        int lastTrader = -1;
    };

    CDealerDirectory();
    ~CDealerDirectory();
    CDealerDirectory(const CDealerDirectory &) = delete;
    CDealerDirectory &operator=(const CDealerDirectory &) = delete;

    // load() on `size` bytes at `data`.
    bool parse(const char *data, qint64 size, QString &error);
    // Frees the dealer table, the dealer list and model 0's entries.
    void clearContents();
    QStringView code(const Dealer &dealer) const
    {
        return QStringView(m_dealerList.at(dealer.entry)).left(dealer.codeSize);
    }
    // "subjectCode subjectName" of m_subjects[index]
    QString subjectEntry(int index) const;
    // "traderCode traderName", or the code alone, of m_traders[index]
    QString traderEntry(int index) const;
    // Position in m_dealers, -1 for an unknown code.
    int findDealer(QStringView dealerCode) const;
    // ",traderCodes,traderNames" that end the dealer's first line in the file.
    QString traderFields(const Dealer &dealer) const;
    void reportSaveFailure(const QString &path, const QString &reason);

    std::array<std::unique_ptr<XP::CPortfolioSearchModel>, kKindCount> m_models;
    // Several forms register a cell of the same kind, so all are kept.
    QMultiMap<int, QPointer<XP::CAutoKeyboardWidget>> m_keyboardWidgets;

    // The dealer table: the GBK text of subjects and traders, and the records
    // over them and over the dealer list.
    QByteArray m_subjectBytes;
    QByteArray m_traderBytes;
    std::vector<Dealer> m_dealers;
    std::vector<HashSlot> m_dealerSlots; // index of m_dealers by code
    std::vector<Subject> m_subjects;
    std::vector<Trader> m_traders;
    QStringList m_dealerList;
    bool m_loaded = false; // a file was loaded since start (or since resetForTests)
    QString m_reportedSaveFailure; // the message of the last failed save, until one succeeds
};

} // namespace TC
