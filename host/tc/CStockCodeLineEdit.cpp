#include "tc/CStockCodeLineEdit.h"

#include "xp/WidgetEvents.h"

#include <QEvent>
#include <QLineEdit>
#include <QRegExp>

namespace TC {

namespace {

// Exchange instrument codes are six digits.
bool isCompleteCode(const QString &text)
{
    static const QRegExp sixDigits(QStringLiteral("^\\d{6}$"));
    return sixDigits.indexIn(text) == 0;
}

} // namespace

CStockCodeLineEdit::CStockCodeLineEdit(int id, int entryStyle, QWidget *parent)
    : XP::CAutoKeyboardLineEdit(nullptr, id, parent, false)
    , m_entryStyle(entryStyle)
{
    setObjectName(QStringLiteral("tc_stockcodelineedit"));
    useOffer();
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

void CStockCodeLineEdit::setTradeType(int traderType)
{
    m_traderType = traderType;
    useOffer();
}

void CStockCodeLineEdit::setEnableAll()
{
    m_enableAll = true;
    useOffer();
}

void CStockCodeLineEdit::setFilterFlag(int flags)
{
    m_filterFlag = flags;
    useOffer();
}

void CStockCodeLineEdit::useOffer()
{
    CInstrumentSearchModel::Offer offer;
    offer.traderType = m_traderType;
    offer.enableAll = m_enableAll;
    offer.filterFlag = m_filterFlag;
    offer.entryStyle = m_entryStyle;
    // The model reads the directory when it is first asked for something.
    m_model = CInstrumentSearchModel::shared(offer);
    setModel(m_model.get());
}

void CStockCodeLineEdit::setFrame(bool frame)
{
    getLineEdit()->setFrame(frame);
}

void CStockCodeLineEdit::setEmptyHintFontKey(const QString &fontKey)
{
    setEmptyHint(QString(), fontKey);
}

void CStockCodeLineEdit::clearCode()
{
    m_code.clear();
    setText(QString());
}

void CStockCodeLineEdit::reloadCodes()
{
    m_model->refresh();
}

ttservice::CInstrumentDetailPtr CStockCodeLineEdit::offeredInstrument(const QString &text) const
{
    return m_model->instrumentFor(text);
}

void CStockCodeLineEdit::enterCode(const ttservice::CInstrumentDetailPtr &instrument,
                                   bool announceSame)
{
    const QString announced = m_model->announcedCode(*instrument);
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
