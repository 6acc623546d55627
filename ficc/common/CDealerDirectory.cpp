#include "common/CDealerDirectory.h"

#include "utils/ResetRegistry.h"

#include "tc/CMsgService.h"
#include "tc/ConfigDir.h"
#include "utils/CSingletonT.h"
#include "utils/StringHelper.h"
#include "utils/TTLog.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CPortfolioSearchModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <boost/thread/mutex.hpp>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <vector>

namespace TC {

namespace {

const char kFileName[] = "FiccDealerConfig.csv";

// Takes the part before the next `separator` off `rest`, empty parts kept as
// QString::split keeps them; false once the last part was taken.
bool nextPart(QStringView &rest, QChar separator, QStringView &part)
{
    if (rest.isNull())
        return false;
    const qsizetype at = rest.indexOf(separator);
    part = at < 0 ? rest : rest.left(at);
    rest = at < 0 ? QStringView() : rest.mid(at + 1);
    return true;
}

// Takes the next line off `rest`: "\n" and "\r\n" end a line, and a last empty
// line does not count.
QStringView nextLine(QStringView &rest)
{
    const qsizetype end = rest.indexOf(QLatin1Char('\n'));
    const QStringView line = end < 0 ? rest : rest.left(end);
    rest = end < 0 ? QStringView() : rest.mid(end + 1);
    return line.endsWith(QLatin1Char('\r')) ? line.chopped(1) : line;
}

// Takes the next line off `rest` ("\n" and "\r\n" end a line) and cuts its first
// six fields; returns how many fields the line has (6 for more). One pass: this
// runs for every line of files of a hundred thousand lines.
int nextLineFields(QStringView &rest, std::array<QStringView, 6> &fields)
{
    const QChar *p = rest.begin();
    const QChar *const end = rest.end();
    const QChar *field = p;
    int count = 0;
    for (; p != end; ++p) {
        const ushort c = p->unicode();
        if (c > ',') // names and codes: one test for most characters
            continue;
        if (c == '\n')
            break;
        if (c == ',') {
            if (count < 6)
                fields[size_t(count)] = QStringView(field, p);
            ++count;
            field = p + 1;
        }
    }
    rest = p == end ? QStringView() : QStringView(p + 1, end);
    const QChar *fieldEnd = p != field && p[-1] == QLatin1Char('\r') ? p - 1 : p;
    if (count < 6)
        fields[size_t(count)] = QStringView(field, fieldEnd);
    return std::min(count + 1, 6);
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
template<class Item> void chain(QVector<Item> &items, int &first, int &last)
{
    const int index = items.size() - 1;
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
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    return loadData(bytes, error);
}

bool CDealerDirectory::loadData(const QByteArray &bytes, QString &error)
{
    // One decoding call for the whole file: a GBK character never holds a '\n' or
    // ',' byte, so the lines and fields are those of the raw file.
    QString text = utils::safeGbk2Utf8(bytes);
    QChar *const base = text.data(); // the buffer the views below point into
    QStringView rest(base, text.size());
    const QStringView header = nextLine(rest);
    if (rest.isEmpty())
        return false; // no line after the header
    if (!header.contains(QStringLiteral("交易商")) || header.count(QLatin1Char(',')) < 5) {
        error = QStringLiteral("表头格式错误");
        return false;
    }

    // Built aside and swapped in: nothing below can fail, and a failed load
    // above has left the directory as it was.
    std::vector<HashSlot> dealerSlots;
    std::vector<HashSlot> listedSlots; // keeps the dealer list free of repeats
    QVector<Dealer> dealers;
    QVector<Subject> subjects;
    QVector<Trader> traders;
    QStringList dealerList;
    const auto spanOf = [base](QStringView piece) {
        return Span { int(piece.data() - base), int(piece.size()) };
    };
    const auto joinFields = [base](QStringView code, QStringView name) {
        // "code,name" becomes the entry "code name" in place.
        base[name.data() - base - 1] = QLatin1Char(' ');
        return QStringView(code.data(), name.data() + name.size());
    };
    int current = -1;
    QStringView currentCode;
    QStringView lastDealer;
    std::array<QStringView, 6> fields;

    while (!rest.isEmpty()) {
        const int count = nextLineFields(rest, fields);
        if (count < 4)
            continue;
        const QStringView code = fields[0];
        if (current < 0 || code != currentCode) {
            currentCode = code;
            HashSlot &slot = slotFor(dealerSlots, dealers.size(), code, [&dealers, base](int i) {
                return QStringView(base + dealers.at(i).code.pos, dealers.at(i).code.size);
            });
            if (slot.position < 0) {
                slot.position = dealers.size();
                dealers.append(Dealer());
                dealers.last().code = spanOf(code);
            }
            current = slot.position;
        }
        Dealer &dealer = dealers[current];
        if (count >= 6) {
            QStringView codes = fields[4];
            QStringView names = fields[5];
            QStringView traderCode;
            QStringView traderName;
            // Every position is a trader, an empty code too: the trader's name may
            // be all the trader knows of a counterparty, and save() writes it back.
            while (nextPart(codes, QLatin1Char('|'), traderCode)) {
                const bool named = nextPart(names, QLatin1Char('|'), traderName);
                traders.append({ spanOf(traderCode), named ? spanOf(traderName) : Span { 0, -1 } });
                chain(traders, dealer.firstTrader, dealer.lastTrader);
            }
        }
        const QStringView entry = joinFields(code, fields[1]);
        subjects.append({ spanOf(joinFields(fields[2], fields[3])), spanOf(entry) });
        chain(subjects, dealer.firstSubject, dealer.lastSubject);

        if (entry != lastDealer) {
            lastDealer = entry;
            HashSlot &slot = slotFor(listedSlots, dealerList.size(), entry, [&dealerList](int i) {
                return QStringView(dealerList.at(i));
            });
            if (slot.position < 0) {
                slot.position = dealerList.size();
                dealerList.append(entry.toString());
            }
        }
    }

    m_text.swap(text);
    m_dealerSlots.swap(dealerSlots);
    m_dealers.swap(dealers);
    m_subjects.swap(subjects);
    m_traders.swap(traders);
    m_dealerList.swap(dealerList);
    m_loaded = true;
    model(0)->init(m_dealerList);
    dropDestroyed(m_keyboardWidgets);
    for (const QPointer<XP::CAutoKeyboardWidget> &widget : qAsConst(m_keyboardWidgets))
        widget->resetCacheMap();
    return true;
}

void CDealerDirectory::loadDefault()
{
    QString ignored;
    load(filePath(), ignored);
}

QStringList CDealerDirectory::dealerCodes() const
{
    QStringList codes;
    codes.reserve(m_dealers.size());
    for (const Dealer &dealer : m_dealers)
        codes.append(text(dealer.code).toString());
    std::sort(codes.begin(), codes.end());
    return codes;
}

int CDealerDirectory::findDealer(QStringView code) const
{
    if (m_dealerSlots.empty())
        return -1;
    return m_dealerSlots[slotOf(m_dealerSlots, hashOf(code), code,
                                [this](int i) { return text(m_dealers.at(i).code); })]
        .position;
}

CDealerDirectory::DealerEntry CDealerDirectory::dealer(const QString &code) const
{
    DealerEntry entry;
    const int index = findDealer(code);
    if (index < 0)
        return entry;
    const Dealer &found = m_dealers.at(index);
    for (int i = found.firstSubject; i >= 0; i = m_subjects.at(i).next)
        entry.subjects.append(text(m_subjects.at(i).entry).toString());
    for (int i = found.firstTrader; i >= 0; i = m_traders.at(i).next) {
        const Trader &trader = m_traders.at(i);
        QString line = text(trader.code).toString();
        if (trader.name.size >= 0)
            line.append(QLatin1Char(' ')).append(text(trader.name));
        entry.traders.append(line);
    }
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
    for (int d = 0; d < m_dealers.size(); ++d) {
        for (int i = m_dealers.at(d).firstSubject; i >= 0; i = m_subjects.at(i).next) {
            QVector<int> &dealers = dealersOf[text(m_subjects.at(i).dealerEntry)];
            if (dealers.isEmpty() || dealers.last() != d)
                dealers.append(d);
        }
    }
    QVector<int> nextSubject(m_dealers.size());
    for (int d = 0; d < m_dealers.size(); ++d)
        nextSubject[d] = m_dealers.at(d).firstSubject;

    for (int k = 0; k < entries.size(); ++k) {
        for (int d : dealersOf.value(QStringView(entries.at(k)))) {
            const Dealer &dealer = m_dealers.at(d);
            for (int &i = nextSubject[d]; i >= 0; i = m_subjects.at(i).next) {
                const Subject &subject = m_subjects.at(i);
                const QStringView dealerEntry = text(subject.dealerEntry);
                if (rank.value(dealerEntry, -1) > k)
                    break;
                // "code name": the code is the dealer's, the name follows its blank.
                out.append(text(dealer.code)).append(QLatin1Char(','));
                out.append(dealerEntry.mid(dealer.code.size + 1)).append(QLatin1Char(','));
                // "subjectCode subjectName" -> "subjectCode,subjectName"
                QString subjectFields = text(subject.entry).toString();
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
        const Trader &trader = m_traders.at(i);
        QString entry = text(trader.code).toString();
        if (trader.name.size >= 0)
            entry.append(QLatin1Char(' ')).append(text(trader.name));
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
    m_dealerSlots.clear();
    m_dealers.clear();
    m_subjects.clear();
    m_traders.clear();
    m_text.clear();
    m_dealerList.clear();
    for (auto &slot : m_models) {
        if (slot)
            slot->init(QStringList());
    }
    m_keyboardWidgets.clear();
}

} // namespace TC
