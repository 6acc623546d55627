#include "xp/CAutoKeyboardLineEdit.h"

#include "xp/CAutoKeyboardWidget.h"
#include "xp/CLineEdit.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegExpValidator>

namespace XP {

namespace {
const int kVisibleRows = 8;
}

CAutoKeyboardLineEdit::CAutoKeyboardLineEdit(ISearchDataModel *model, int id, QWidget *parent,
                                             bool listAllWhenEmpty)
    : CBaseWidget(QStringLiteral("xp_autokeyboardlineedit"), false, parent)
    , m_id(id)
    , m_edit(new QLineEdit(this))
    , m_popup(new CAutoKeyboardWidget(model, this))
    , m_listAllWhenEmpty(listAllWhenEmpty)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);

    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textEdited, this, &CAutoKeyboardLineEdit::onTextEdited);
    connect(m_edit, &QLineEdit::editingFinished, this, &CAutoKeyboardLineEdit::onEditingFinished);
    connect(m_popup, &CAutoKeyboardWidget::picked, this, &CAutoKeyboardLineEdit::pick);
    setFixFont();
}

CAutoKeyboardLineEdit::~CAutoKeyboardLineEdit()
{
    // Destroying the editor while its line edit has the focus moves the focus
    // away once this part of the object is gone: the line edit's
    // editingFinished must not reach it then (it would pick a match and tell
    // the form about an editor that no longer exists).
    disconnect(m_edit, nullptr, this, nullptr);
    m_edit->removeEventFilter(this);
}

void CAutoKeyboardLineEdit::setModel(ISearchDataModel *model)
{
    m_popup->setSearchModel(model);
}

ISearchDataModel *CAutoKeyboardLineEdit::model() const
{
    return m_popup->searchModel();
}

QString CAutoKeyboardLineEdit::getText() const
{
    return m_edit->text();
}

void CAutoKeyboardLineEdit::setText(const QString &text, bool showMatches)
{
    CLineEdit::setTextOf(m_edit, text);
    if (showMatches)
        showPopup(text);
    else
        hidePopup();
}

void CAutoKeyboardLineEdit::setFilterChars(const QList<QChar> &chars)
{
    m_filterChars.clear();
    for (const QChar c : chars)
        m_filterChars.append(c);
}

void CAutoKeyboardLineEdit::setEmptyHint(const QString &colorKey, const QString &fontKey)
{
    if (!colorKey.isEmpty()) {
        QPalette pal = m_edit->palette();
        pal.setColor(QPalette::PlaceholderText, *uiResource()->getColor(colorKey));
        m_edit->setPalette(pal);
    }
    if (!fontKey.isEmpty()) {
        m_fontKey = fontKey;
        setFixFont();
    }
}

void CAutoKeyboardLineEdit::setEmptyHintText(const QString &text)
{
    m_edit->setPlaceholderText(text);
}

void CAutoKeyboardLineEdit::setMaxLength(int length)
{
    m_edit->setMaxLength(length);
}

void CAutoKeyboardLineEdit::setPinyinAdapter(IPinyinAdapter *adapter)
{
    m_popup->setPinyinAdapter(adapter);
}

void CAutoKeyboardLineEdit::setValidatorRegExp(const QString &pattern)
{
    const QValidator *old = m_edit->validator();
    m_edit->setValidator(pattern.isEmpty() ? nullptr
                                           : new QRegExpValidator(QRegExp(pattern), m_edit));
    if (old && old->parent() == m_edit)
        delete old;
}

void CAutoKeyboardLineEdit::setFixFont()
{
    if (!m_fontKey.isEmpty()) {
        applyThemeFont(m_edit, m_fontKey);
        applyThemeFont(m_popup, m_fontKey);
    }
}

QString CAutoKeyboardLineEdit::cleanText(const QString &text) const
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (m_filterChars.contains(c))
            continue;
        if (m_filterSpecial && !c.isLetterOrNumber() && !c.isSpace())
            continue;
        out.append(c);
    }
    return m_autoUpper ? out.toUpper() : out;
}

bool CAutoKeyboardLineEdit::isPopupVisible() const
{
    return m_popup->isVisible();
}

void CAutoKeyboardLineEdit::showPopup(const QString &text)
{
    if (text.trimmed().isEmpty() && !m_listAllWhenEmpty) {
        hidePopup();
        return;
    }
    m_popup->showMatches(text);
    if (m_popup->count() == 0) {
        hidePopup();
        return;
    }
    const QPoint below = m_edit->mapToGlobal(QPoint(0, m_edit->height()));
    m_popup->setGeometry(below.x(), below.y(), qMax(m_edit->width(), 200),
                         m_popup->heightForRows(qMin(m_popup->count(), kVisibleRows)));
    m_popup->show();
    m_popup->raise();
}

void CAutoKeyboardLineEdit::hidePopup()
{
    m_popup->hide();
}

void CAutoKeyboardLineEdit::pick(const QString &entry)
{
    m_edit->setText(entry);
    hidePopup();
    deliverEvent(EVT_AUTOKEYBOARD_PICKED, m_id, 0, entry);
}

void CAutoKeyboardLineEdit::onTextEdited(const QString &text)
{
    const QString clean = cleanText(text);
    if (clean != text) {
        const int removed = text.size() - clean.size();
        const int cursor = m_edit->cursorPosition();
        m_edit->setText(clean);
        m_edit->setCursorPosition(qMax(0, cursor - removed));
    }
    showPopup(clean);
}

void CAutoKeyboardLineEdit::onEditingFinished()
{
    hidePopup();
    const QString text = m_edit->text();
    if (m_allowCustom || text.isEmpty() || !model() || model()->hasEntry(text))
        return;
    const QStringList found = m_popup->matches(text);
    if (found.isEmpty())
        m_edit->clear();
    else
        pick(found.first());
}

bool CAutoKeyboardLineEdit::handleKey(QKeyEvent *event)
{
    const bool open = isPopupVisible();
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (!open) {
            showPopup(m_edit->text());
            return true;
        }
        m_popup->moveCurrent(event->key() == Qt::Key_Down ? 1 : -1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (open && !m_popup->currentText().isEmpty()) {
            pick(m_popup->currentText());
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (open) {
            hidePopup();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CAutoKeyboardLineEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (handleKey(static_cast<QKeyEvent *>(event)))
                return true;
            break;
        case QEvent::FocusIn:
            if (m_listAllWhenEmpty && m_edit->text().isEmpty())
                showPopup(QString());
            break;
        case QEvent::FocusOut:
            if (!m_popup->underMouse())
                hidePopup();
            break;
        default:
            break;
        }
    }
    return CBaseWidget::eventFilter(watched, event);
}

} // namespace XP
