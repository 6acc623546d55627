#include "tc/CStockCodeLineEdit.h"

#include "tc/EFilterFlag.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/Types.h"
#include "xp/WidgetEvents.h"

#include <QEvent>
#include <QLineEdit>
#include <QRegExp>

#include <algorithm>

namespace TC {

namespace {

// Exchange instrument codes are six digits.
bool isCompleteCode(const QString &text)
{
    static const QRegExp sixDigits(QStringLiteral("^\\d{6}$"));
    return sixDigits.indexIn(text) == 0;
}

bool tradesExchangeBonds(int traderType)
{
    return (traderType & (ttservice::VQ_TRADER_TYPE_STOCK | ttservice::VQ_TRADER_TYPE_FICC)) != 0;
}

} // namespace

CStockCodeLineEdit::CStockCodeLineEdit(int id, int entryStyle, QWidget *parent)
    : XP::CAutoKeyboardLineEdit(nullptr, id, parent, false)
    , m_entryStyle(entryStyle)
{
    setObjectName(QStringLiteral("tc_stockcodelineedit"));
    setModel(&m_model);
    setAutoUpper(true);
    setFilterSpecialChars(true);
    setMaxLength(20);
    setEmptyHintText(QStringLiteral("代码/简称"));
    connect(getLineEdit(), &QLineEdit::textEdited, this, [this] { onTyped(); });
    connect(getLineEdit(), &QLineEdit::editingFinished, this, [this] { onFinished(); });
}

CStockCodeLineEdit::~CStockCodeLineEdit()
{
    // The drop-down list is a child that outlives this object's members.
    setModel(nullptr);
}

void CStockCodeLineEdit::setTraderType(int traderType)
{
    m_traderType = traderType;
    reloadCodes();
}

void CStockCodeLineEdit::setEnableAll()
{
    m_enableAll = true;
    reloadCodes();
}

void CStockCodeLineEdit::setFilterFlag(int flags)
{
    m_filterFlag = flags;
    reloadCodes();
}

void CStockCodeLineEdit::setFrame(bool frame)
{
    getLineEdit()->setFrame(frame);
}

void CStockCodeLineEdit::setEmptyHintFont(const QString &fontKey)
{
    setEmptyHint(QString(), fontKey);
}

void CStockCodeLineEdit::clearCode()
{
    m_code.clear();
    setText(QString());
}

bool CStockCodeLineEdit::isOffered(const ttservice::CInstrumentDetail &instrument) const
{
    if (!m_enableAll) {
        if (!tradesExchangeBonds(m_traderType))
            return false;
        if (instrument.market != "SH" && instrument.market != "SZ")
            return false;
    }
    if (m_filterFlag == FILTER_NONE)
        return true;
    const bool repurchase = instrument.extraDetail != nullptr;
    const bool bond = instrument.bondDetail != nullptr && !repurchase;
    const bool stock = instrument.bondDetail == nullptr && !repurchase;
    return ((m_filterFlag & FILTER_BOND) && bond)
        || ((m_filterFlag & FILTER_REPURCHASE) && repurchase)
        || ((m_filterFlag & FILTER_STOCK) && stock);
}

QString CStockCodeLineEdit::entryOf(const ttservice::CInstrumentDetail &instrument) const
{
    const QString code = QString::fromStdString(instrument.instrumentCode);
    if (m_entryStyle == 0)
        return m_marketsOfCode.value(code) > 1
            ? QString::fromStdString(instrument.market) + QLatin1Char(' ') + code
            : code;
    QString entry = code + QLatin1Char(' ') + QString::fromStdString(instrument.instrumentName);
    if (m_marketsOfCode.value(code) > 1)
        entry += QLatin1Char(' ') + QString::fromStdString(instrument.market);
    return entry;
}

void CStockCodeLineEdit::reloadCodes()
{
    const ttservice::CInstrumentCenter::InstrumentMap all
        = ttservice::TraderCenter::instance()->getInstCenter()->getAllInstruments();
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
    m_entries.clear();
    QStringList entries;
    for (const ttservice::CInstrumentDetailPtr &instrument : offered) {
        const QString entry = entryOf(*instrument);
        entries.append(entry);
        m_entries.insert(entry, instrument);
    }
    m_model.init(entries);
}

ttservice::CInstrumentDetailPtr CStockCodeLineEdit::offeredInstrument(const QString &text) const
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return nullptr;
    const auto exact = m_entries.constFind(typed);
    if (exact != m_entries.constEnd())
        return exact.value();
    // A bare code stands for its instrument when only one market lists it;
    // "market code" names the market.
    const QStringList parts = typed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ttservice::CInstrumentDetailPtr found;
    for (const ttservice::CInstrumentDetailPtr &instrument : m_entries) {
        const QString code = QString::fromStdString(instrument->instrumentCode);
        const bool match = parts.size() == 1 ? code == parts[0]
                                             : parts.size() == 2 && code == parts[1]
                && QString::fromStdString(instrument->market) == parts[0];
        if (!match)
            continue;
        if (found)
            return nullptr; // ambiguous without its market
        found = instrument;
    }
    return found;
}

void CStockCodeLineEdit::enterCode(const ttservice::CInstrumentDetailPtr &instrument,
                                   bool announceSame)
{
    const QString code = QString::fromStdString(instrument->instrumentCode);
    const QString announced = m_marketsOfCode.value(code) > 1
        ? QString::fromStdString(instrument->market) + QLatin1Char(' ') + code
        : code;
    if (getText() != announced)
        getLineEdit()->setText(announced);
    hidePopup();
    if (announced == m_code && !announceSame)
        return;
    m_code = announced;
    XP::CEventDeliverer::deliverEventFrom(this, XP::EVT_CODE_ENTERED, id(), 0, announced);
}

void CStockCodeLineEdit::onTyped()
{
    const QString text = getText().trimmed();
    if (!isCompleteCode(text))
        return;
    if (m_entries.isEmpty())
        reloadCodes();
    if (const ttservice::CInstrumentDetailPtr instrument = offeredInstrument(text))
        enterCode(instrument, false);
}

void CStockCodeLineEdit::onFinished()
{
    if (const ttservice::CInstrumentDetailPtr instrument = offeredInstrument(getText()))
        enterCode(instrument, false);
}

bool CStockCodeLineEdit::handleEvent(int event, int a, int b, QString text, void *data)
{
    // A pick from the list is this editor's own: it becomes the code entered.
    if (event == XP::EVT_AUTOKEYBOARD_PICKED && a == id()) {
        if (const ttservice::CInstrumentDetailPtr instrument = offeredInstrument(text))
            enterCode(instrument, true);
        return true;
    }
    return XP::CAutoKeyboardLineEdit::handleEvent(event, a, b, text, data);
}

bool CStockCodeLineEdit::eventFilter(QObject *watched, QEvent *event)
{
    // The directory may have grown since the last look (the host loads it on its own time).
    if (watched == getLineEdit() && event->type() == QEvent::FocusIn)
        reloadCodes();
    return XP::CAutoKeyboardLineEdit::eventFilter(watched, event);
}

} // namespace TC
