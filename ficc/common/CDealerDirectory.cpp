#include "common/CDealerDirectory.h"

#include "common/CGbkDecoder.h"
#include "utils/ResetRegistry.h"

#include "tc/Services.h"
#include "utils/StringHelper.h"
#include "utils/TTLog.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CPortfolioSearchModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTimer>

#include <boost/thread/mutex.hpp>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cstring>
#include <iterator>
#include <vector>

namespace TC {

namespace {

const char kFileName[] = "FiccDealerConfig.csv";

// A field of a line of the dealer file, as bytes.
struct Field
{
    const char *begin = nullptr;
    const char *end = nullptr;
};

// Takes the next line off [p, end) ("\n" and "\r\n" end a line) and cuts its
// first six fields at ','; returns how many fields it has (7 for more) and
// sets `p` to the next line. One pass over the bytes: this runs for every line
// of files of a million lines. No GBK character holds a '\n', '\r' or ',' byte,
// so lines and fields are those of the decoded file.
int nextLineFields(const char *&p, const char *end, std::array<Field, 6> &fields)
{
    const char *field = p;
    int count = 0;
    for (; p != end; ++p) {
        const char c = *p;
        if (static_cast<unsigned char>(c) > ',') // names and codes: one test for most bytes
            continue;
        if (c == '\n')
            break;
        if (c == ',') {
            if (count < 6)
                fields[size_t(count)] = { field, p };
            ++count;
            field = p + 1;
        }
    }
    const char *fieldEnd = p != field && p[-1] == '\r' ? p - 1 : p;
    if (count < 6)
        fields[size_t(count)] = { field, fieldEnd };
    if (p != end)
        ++p;
    return std::min(count + 1, 7);
}

// Takes the part before the next '|' off `rest`, empty parts kept as
// QString::split keeps them; false once the last part was taken. A '|' byte
// may be the second byte of a GBK character, which is not a separator.
bool nextPart(Field &rest, Field &part)
{
    if (!rest.begin)
        return false;
    const char *p = rest.begin;
    while (p < rest.end && *p != '|')
        p += TC::CGbkDecoder::charSize(p, rest.end);
    part = { rest.begin, p };
    rest = p < rest.end ? Field { p + 1, rest.end } : Field();
    return true;
}

QString gbkText(const char *begin, const char *end)
{
    if (const TC::CGbkDecoder *gbk = TC::CGbkDecoder::instance())
        return gbk->decode(begin, end);
    return utils::safeGbk2Utf8(QByteArray::fromRawData(begin, int(end - begin)));
}

// Completion lists belong to the forms, which are destroyed with their operation widgets.
void dropDestroyed(QMultiMap<int, QPointer<XP::CAutoKeyboardWidget>> &widgets)
{
    for (auto it = widgets.begin(); it != widgets.end();)
        it = it.value() ? std::next(it) : widgets.erase(it);
}

// FNV-1a: Qt 5's string hash spreads codes that differ in a few digits badly.
uint hashOf(QStringView text)
{
    quint64 h = 14695981039346656037ULL;
    for (QChar c : text)
        h = (h ^ c.unicode()) * 1099511628211ULL;
    return uint(h ^ (h >> 32));
}

// Open addressing over the positions of an array, found by their text; the
// hash kept in each slot spares most text comparisons. At most half full.
template<class Slot, class TextOf>
size_t slotOf(const std::vector<Slot> &table, uint hash, QStringView key, TextOf textOf)
{
    const size_t mask = table.size() - 1;
    size_t i = hash & mask;
    while (table[i].position >= 0 && (table[i].hash != hash || textOf(table[i].position) != key))
        i = (i + 1) & mask;
    return i;
}

// The slot of `key` among `used` positions; a free slot when the key is missing.
template<class Slot, class TextOf>
Slot &slotFor(std::vector<Slot> &table, int used, QStringView key, TextOf textOf)
{
    if (size_t(used) * 2 >= table.size()) {
        std::vector<Slot> bigger(std::max<size_t>(64, table.size() * 2));
        const size_t mask = bigger.size() - 1;
        for (const Slot &slot : table) {
            size_t i = slot.hash & mask;
            while (slot.position >= 0 && bigger[i].position >= 0)
                i = (i + 1) & mask;
            if (slot.position >= 0)
                bigger[i] = slot;
        }
        table.swap(bigger);
    }
    const uint hash = hashOf(key);
    Slot &slot = table[slotOf(table, hash, key, textOf)];
    slot.hash = hash;
    return slot;
}

// Appends the last item of `items` to a dealer's chain.
template<class Item> void chain(std::vector<Item> &items, int &first, int &last)
{
    const int index = int(items.size()) - 1;
    if (last >= 0)
        items[last].next = index;
    else
        first = index;
    last = index;
}

std::atomic<CDealerDirectory *> g_instance { nullptr };

boost::mutex &creationMutex()
{
    static boost::mutex mutex;
    return mutex;
}

} // namespace

CDealerDirectory *CDealerDirectory::instance()
{
    CDealerDirectory *directory = g_instance.load(std::memory_order_acquire);
    if (!directory) {
        boost::mutex::scoped_lock lock(creationMutex());
        directory = g_instance.load(std::memory_order_relaxed);
        if (!directory) {
            // Never deleted: forms may still reach it while the process shuts down.
            directory = new CDealerDirectory();
            g_instance.store(directory, std::memory_order_release);
            // The host's test reset forgets the directory's dealers too.
            utils::registerReset("TC::CDealerDirectory",
                                 [] { CDealerDirectory::instance()->resetForTests(); });
        }
    }
    return directory;
}

CDealerDirectory::CDealerDirectory() = default;

CDealerDirectory::~CDealerDirectory() = default;

XP::CPortfolioSearchModel *CDealerDirectory::model(int kind)
{
    if (kind < 0 || kind >= kKindCount)
        return nullptr;
    std::unique_ptr<XP::CPortfolioSearchModel> &slot = m_models[size_t(kind)];
    if (!slot)
        slot = std::make_unique<XP::CPortfolioSearchModel>();
    return slot.get();
}

void CDealerDirectory::registerKeyboardWidget(int kind, XP::CAutoKeyboardWidget *widget)
{
    dropDestroyed(m_keyboardWidgets);
    if (widget && !m_keyboardWidgets.contains(kind, widget))
        m_keyboardWidgets.insert(kind, widget);
}

void CDealerDirectory::fillModel(const QString &dealerCode, XP::CPortfolioSearchModel *model,
                                 int kind) const
{
    if (!model || kind <= 0 || kind >= kKindCount)
        return;
    const DealerEntry entry = dealer(dealerCode);
    if (entry.subjects.isEmpty()) // not in the table: every dealer has a subject
        return;
    model->init(kind % 2 == 1 ? entry.subjects : entry.traders);
}

bool CDealerDirectory::load(const QString &path, QString &error)
{
    if (!QFileInfo::exists(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Read in place: a dealer file can be a hundred megabytes, and a copy of it
    // in the heap would be given back to the system late or not at all.
    const qint64 size = file.size();
    if (size > 0) {
        if (uchar *mapped = file.map(0, size)) {
            const bool loaded = parse(reinterpret_cast<const char *>(mapped), size, error);
            file.unmap(mapped);
            return loaded;
        }
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    return loadData(bytes, error);
}

bool CDealerDirectory::loadData(const QByteArray &bytes, QString &error)
{
    return parse(bytes.constData(), bytes.size(), error);
}

bool CDealerDirectory::parse(const char *data, qint64 size, QString &error)
{
    const char *const end = data + size;
    const char *newline = static_cast<const char *>(std::memchr(data, '\n', size_t(size)));
    if (!newline || newline + 1 == end)
        return false; // no line after the header
    const QString header = gbkText(data, newline);
    if (!header.contains(QStringLiteral("交易商")) || header.count(QLatin1Char(',')) < 5) {
        error = QStringLiteral("表头格式错误");
        return false;
    }

    // Nothing below can fail: the old contents go first, so that a reload
    // does not hold two directories at once.
    clearContents();
    std::vector<HashSlot> listedSlots; // keeps the dealer list free of repeats
    m_subjects.reserve(size_t(size / 64)); // a line is rarely shorter
    // What is kept is a part of the file: the pages reserved beyond it are
    // never touched.
    m_subjectBytes.reserve(int(std::min<qint64>(size, INT_MAX)));
    m_traderBytes.reserve(int(std::min<qint64>(size, INT_MAX)));
    const auto keep = [](QByteArray &bytes, const Field &piece) {
        const int pos = bytes.size();
        bytes.append(piece.begin, int(piece.end - piece.begin));
        return pos;
    };

    int current = -1; // position in m_dealers of the line's dealer
    int currentEntry = -1; // position in m_dealerList of the line's "code name"
    Field lastDealerFields; // the bytes "dealerCode,dealerName" of the line before
    std::array<Field, 6> fields;
    for (const char *line = newline + 1; line < end;) {
        const int count = nextLineFields(line, end, fields);
        if (count < 4)
            continue;

        // Lines of one dealer follow each other: the same bytes, the same dealer.
        const Field dealerFields { fields[0].begin, fields[1].end };
        const size_t dealerSize = size_t(dealerFields.end - dealerFields.begin);
        if (current < 0 || size_t(lastDealerFields.end - lastDealerFields.begin) != dealerSize
            || std::memcmp(lastDealerFields.begin, dealerFields.begin, dealerSize) != 0) {
            lastDealerFields = dealerFields;
            const QString dealerCode = gbkText(fields[0].begin, fields[0].end);
            HashSlot &slot = slotFor(m_dealerSlots, int(m_dealers.size()), dealerCode,
                                     [this](int i) { return code(m_dealers[size_t(i)]); });
            const QString entry
                = dealerCode + QLatin1Char(' ') + gbkText(fields[1].begin, fields[1].end);
            HashSlot &listed = slotFor(listedSlots, m_dealerList.size(), entry,
                                       [this](int i) { return QStringView(m_dealerList.at(i)); });
            if (listed.position < 0) {
                listed.position = m_dealerList.size();
                m_dealerList.append(entry);
            }
            currentEntry = listed.position;
            if (slot.position < 0) {
                // The code is read from the entry the dealer was first listed under.
                slot.position = int(m_dealers.size());
                Dealer dealer;
                dealer.entry = currentEntry;
                dealer.codeSize = dealerCode.size();
                m_dealers.push_back(dealer);
            }
            current = slot.position;
        }
        Dealer &dealer = m_dealers[size_t(current)];
        if (count >= 6) {
            Field codes = fields[4];
            Field names = fields[5];
            Field traderCode;
            Field traderName;
            // Every position is a trader, an empty code too: the trader's name may
            // be all the trader knows of a counterparty, and save() writes it back.
            while (nextPart(codes, traderCode)) {
                const bool named = nextPart(names, traderName);
                Trader trader;
                trader.pos = keep(m_traderBytes, traderCode);
                trader.codeSize = int(traderCode.end - traderCode.begin);
                if (named)
                    keep(m_traderBytes, traderName);
                else
                    trader.codeSize = ~trader.codeSize;
                m_traders.push_back(trader);
                chain(m_traders, dealer.firstTrader, dealer.lastTrader);
            }
        }
        Subject subject;
        subject.pos = keep(m_subjectBytes, Field { fields[2].begin, fields[3].end });
        subject.dealerEntry = currentEntry;
        m_subjects.push_back(subject);
        chain(m_subjects, dealer.firstSubject, dealer.lastSubject);
    }

#ifdef __GLIBC__
    // The old directory's small strings leave free pages inside the heap that
    // the allocator would keep: give them back, a reload should not grow.
    malloc_trim(0);
#endif
    m_loaded = true;
    model(0)->init(m_dealerList);
    dropDestroyed(m_keyboardWidgets);
    for (const QPointer<XP::CAutoKeyboardWidget> &widget : qAsConst(m_keyboardWidgets))
        widget->resetCacheMap();
    // The dealers' search index is built as soon as the terminal is idle, not
    // by the trader's first keystroke. The directory is never destroyed.
    if (QCoreApplication::instance())
        QTimer::singleShot(0, [] { CDealerDirectory::instance()->model(0)->prepare(); });
    return true;
}

void CDealerDirectory::clearContents()
{
    // Swapped with empty ones: clear() would keep the capacity.
    QByteArray().swap(m_subjectBytes);
    QByteArray().swap(m_traderBytes);
    std::vector<Dealer>().swap(m_dealers);
    std::vector<HashSlot>().swap(m_dealerSlots);
    std::vector<Subject>().swap(m_subjects);
    std::vector<Trader>().swap(m_traders);
    QStringList().swap(m_dealerList);
    if (m_models[0])
        m_models[0]->init(QStringList());
}

QString CDealerDirectory::subjectEntry(int index) const
{
    const char *bytes = m_subjectBytes.constData();
    const size_t next = size_t(index) + 1;
    const int end = next < m_subjects.size() ? m_subjects[next].pos : m_subjectBytes.size();
    // "code,name" as read; no GBK character decodes to ',', so the first one
    // is the one between the two fields.
    QString entry = gbkText(bytes + m_subjects[size_t(index)].pos, bytes + end);
    const int comma = entry.indexOf(QLatin1Char(','));
    if (comma >= 0)
        entry[comma] = QLatin1Char(' ');
    return entry;
}

QString CDealerDirectory::traderEntry(int index) const
{
    const Trader &trader = m_traders[size_t(index)];
    const char *code = m_traderBytes.constData() + trader.pos;
    if (trader.codeSize < 0)
        return gbkText(code, code + ~trader.codeSize);
    const size_t next = size_t(index) + 1;
    const int end = next < m_traders.size() ? m_traders[next].pos : m_traderBytes.size();
    return gbkText(code, code + trader.codeSize) + QLatin1Char(' ')
        + gbkText(code + trader.codeSize, m_traderBytes.constData() + end);
}

void CDealerDirectory::loadDefault()
{
    QString ignored;
    load(filePath(), ignored);
}

QStringList CDealerDirectory::dealerCodes() const
{
    QStringList codes;
    codes.reserve(int(m_dealers.size()));
    for (const Dealer &dealer : m_dealers)
        codes.append(code(dealer).toString());
    std::sort(codes.begin(), codes.end());
    return codes;
}

int CDealerDirectory::findDealer(QStringView dealerCode) const
{
    if (m_dealerSlots.empty())
        return -1;
    return m_dealerSlots[slotOf(m_dealerSlots, hashOf(dealerCode), dealerCode,
                                [this](int i) { return code(m_dealers[size_t(i)]); })]
        .position;
}

CDealerDirectory::DealerEntry CDealerDirectory::dealer(const QString &code) const
{
    DealerEntry entry;
    const int index = findDealer(code);
    if (index < 0)
        return entry;
    const Dealer &found = m_dealers[size_t(index)];
    for (int i = found.firstSubject; i >= 0; i = m_subjects[size_t(i)].next)
        entry.subjects.append(subjectEntry(i));
    for (int i = found.firstTrader; i >= 0; i = m_traders[size_t(i)].next)
        entry.traders.append(traderEntry(i));
    return entry;
}

QByteArray CDealerDirectory::fileContent()
{
    QString out
        = QStringLiteral("交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称\n");
    const QStringList entries = model(0)->getDataList();
    // A dealer may be listed under several names, each subject under the name of
    // the line it came from. Walking the list, an entry writes the subjects of its
    // dealers, in file order, up to the first one read under a later entry: each
    // subject is written once, under its own name, and the file loads back to the
    // same list in the same order.
    QHash<QStringView, int> rank;
    for (int i = 0; i < entries.size(); ++i)
        rank.insert(QStringView(entries.at(i)), i); // the list holds each entry once
    QHash<QStringView, QVector<int>> dealersOf; // several codes may make the same entry
    const int dealerCount = int(m_dealers.size());
    for (int d = 0; d < dealerCount; ++d) {
        for (int i = m_dealers.at(d).firstSubject; i >= 0; i = m_subjects.at(i).next) {
            QVector<int> &dealers
                = dealersOf[QStringView(m_dealerList.at(m_subjects.at(i).dealerEntry))];
            if (dealers.isEmpty() || dealers.last() != d)
                dealers.append(d);
        }
    }
    QVector<int> nextSubject(dealerCount);
    for (int d = 0; d < dealerCount; ++d)
        nextSubject[d] = m_dealers.at(d).firstSubject;

    for (int k = 0; k < entries.size(); ++k) {
        for (int d : dealersOf.value(QStringView(entries.at(k)))) {
            const Dealer &dealer = m_dealers.at(d);
            for (int &i = nextSubject[d]; i >= 0; i = m_subjects.at(i).next) {
                const Subject &subject = m_subjects.at(i);
                const QStringView dealerEntry(m_dealerList.at(subject.dealerEntry));
                if (rank.value(dealerEntry, -1) > k)
                    break;
                // "code name": the code is the dealer's, the name follows its blank.
                out.append(code(dealer)).append(QLatin1Char(','));
                out.append(dealerEntry.mid(dealer.codeSize + 1)).append(QLatin1Char(','));
                // "subjectCode subjectName" -> "subjectCode,subjectName"
                QString subjectFields = subjectEntry(i);
                const int cut = subjectFields.indexOf(QLatin1Char(' '));
                if (cut >= 0)
                    subjectFields[cut] = QLatin1Char(',');
                out += subjectFields;
                // Traders go on the dealer's first line only.
                if (i == dealer.firstSubject)
                    out += traderFields(dealer);
                out += QLatin1Char('\n');
            }
        }
    }
    return utils::utf8ToGbk(out);
}

QString CDealerDirectory::traderFields(const Dealer &dealer) const
{
    // Each entry is cut at its first blank into code and name; an entry without
    // one is its own code and name.
    QStringList codes;
    QStringList names;
    for (int i = dealer.firstTrader; i >= 0; i = m_traders.at(i).next) {
        const QString entry = traderEntry(i);
        const int cut = entry.indexOf(QLatin1Char(' '));
        codes.append(cut < 0 ? entry : entry.left(cut));
        names.append(cut < 0 ? entry : entry.mid(cut + 1));
    }
    return QLatin1Char(',') + codes.join(QLatin1Char('|')) + QLatin1Char(',')
        + names.join(QLatin1Char('|'));
}

bool CDealerDirectory::save()
{
    // The terminal collects panel parameters (and so saves) whenever it likes,
    // also before the directory was ever loaded or after the trader's file
    // failed to load: an empty directory must not overwrite that file.
    if (!m_loaded && QFileInfo::exists(filePath())) {
        TT_LOG_INFO(boost::format("dealer file %1% kept: nothing loaded to save")
                    % filePath().toStdString());
        return false;
    }
    const QByteArray bytes = fileContent();
    QSaveFile file(filePath());
    // QSaveFile keeps small writes in its buffer, so write() counts every byte even
    // on a full disk, and commit() ignores a failure of its own final flush: it
    // would replace the trader's file by a truncated or empty one. Flushing here
    // reports that failure while the old file is still in place.
    const bool written
        = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    if (!written)
        file.cancelWriting();
    if (!written || !file.commit()) {
        TT_LOG_INFO(boost::format("dealer file %1% not saved: %2%") % file.fileName().toStdString()
                    % file.errorString().toStdString());
        reportSaveFailure(file.fileName(), file.errorString());
        return false;
    }
    m_reportedSaveFailure.clear();
    return true;
}

void CDealerDirectory::reportSaveFailure(const QString &path, const QString &reason)
{
    // The terminal saves at every param() call: a failure that persists is told
    // once, and told again when it changes or comes back after a good save.
    const QString text = QStringLiteral("交易商配置文件 %1 保存失败: %2").arg(path, reason);
    if (text == m_reportedSaveFailure)
        return;
    m_reportedSaveFailure = text;
    utils::CManualSingletonT<CMsgService>::instance()->showMsg(text.toUtf8().toStdString(), 4, 1,
                                                               false, false);
}

bool CDealerDirectory::importFile(const QString &path, QString &error)
{
    return load(path, error) && save();
}

QString CDealerDirectory::filePath()
{
    return getConfigDir() + QDir::separator() + QLatin1String(kFileName);
}

void CDealerDirectory::resetForTests()
{
    m_loaded = false;
    m_reportedSaveFailure.clear();
    clearContents();
    for (auto &slot : m_models) {
        if (slot)
            slot->init(QStringList());
    }
    m_keyboardWidgets.clear();
}

} // namespace TC
