#include "xp/CLineEdit.h"

#include "xp/CDoubleValidator.h"
#include "xp/CEventDeliverer.h"
#include "xp/CIntValidator.h"
#include "xp/CUiResource.h"
#include "xp/ShowWithParent.h"
#include "xp/TextWidth.h"
#include "xp/WidgetEvents.h"

#include <QKeyEvent>
#include <QLabel>
#include <cfloat>
#include <cmath>

namespace XP {

namespace {

// Digits after the point of a step such as 0.01 (at most 6).
int decimalsOfStep(double step)
{
    for (int d = 0; d < 6; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-9)
            return d;
    }
    return 6;
}

QString numericText(const QString &text)
{
    QString out = text;
    out.remove(QLatin1Char(','));
    out.remove(QLatin1Char(' '));
    return out;
}

} // namespace

CLineEdit::CLineEdit(int id, QWidget *parent, bool frameless)
    : QLineEdit(parent)
    , m_id(id)
{
    setObjectName(QStringLiteral("xp_lineedit"));
    setFrame(!frameless);
    setFixFont();
    connect(this, &QLineEdit::editingFinished, this, [this] {
        CEventDeliverer::deliverEventFrom(this, EVT_EDIT_FINISHED, m_id, 0, text());
    });
}

CLineEdit::~CLineEdit() = default;

void CLineEdit::setFixFont()
{
    applyThemeFont(this, QStringLiteral("fnt_default_normal_fix"));
    if (m_unitLabel && m_unitLabel->font() != font())
        m_unitLabel->setFont(font());
    placeUnitLabel();
}

int CLineEdit::effectiveDecimals() const
{
    if (auto *dv = qobject_cast<const CDoubleValidator *>(validator()))
        return dv->decimals();
    if (m_spinEnabled)
        return decimalsOfStep(m_spinStep);
    return 2;
}

void CLineEdit::setText(const QString &text)
{
    setTextOf(this, text);
}

void CLineEdit::setTextOf(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text && !edit->hasFocus() && !edit->hasSelectedText() && !edit->isModified()
        && !edit->isUndoAvailable() && !edit->isRedoAvailable()
        && edit->cursorPosition() == text.size())
        return;
    edit->QLineEdit::setText(text);
}

void CLineEdit::setDouble(double value, int decimals)
{
    if (decimals < 0)
        decimals = effectiveDecimals();
    setText(formatDoubleNumber(value, decimals, NF_NONE, false, m_invalidText));
}

void CLineEdit::setInt(long long value)
{
    setText(formatIntNumber(value, 0, NF_NONE));
}

QString CLineEdit::toString() const
{
    return text();
}

int CLineEdit::toInt() const
{
    bool ok = false;
    const int v = numericText(text()).toInt(&ok);
    return ok ? v : 0;
}

long long CLineEdit::toLongLong() const
{
    bool ok = false;
    const long long v = numericText(text()).toLongLong(&ok);
    return ok ? v : 0;
}

double CLineEdit::toDouble() const
{
    bool ok = false;
    const double v = numericText(text()).toDouble(&ok);
    return ok ? v : 0.0;
}

void CLineEdit::setLabels(const QString &unit)
{
    if (unit.isEmpty()) {
        delete m_unitLabel;
        m_unitLabel = nullptr;
        setTextMargins(0, 0, 0, 0);
        return;
    }
    if (!m_unitLabel) {
        m_unitLabel = new QLabel(this);
        m_unitLabel->setObjectName(QStringLiteral("xp_lineedit_unit"));
        m_unitLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_unitLabel->setFont(font());
        QPalette pal = m_unitLabel->palette();
        pal.setColor(QPalette::WindowText,
                     *uiResource()->getColor(QStringLiteral("clr_edit_unit_text")));
        m_unitLabel->setPalette(pal);
    }
    m_unitLabel->setText(unit);
    showWithParent(m_unitLabel);
    placeUnitLabel();
}

QString CLineEdit::unit() const
{
    return m_unitLabel ? m_unitLabel->text() : QString();
}

void CLineEdit::placeUnitLabel()
{
    if (!m_unitLabel)
        return;
    const int w = textWidth(m_unitLabel->font(), m_unitLabel->text()) + 4;
    m_unitLabel->setGeometry(width() - w - 2, 0, w, height());
    setTextMargins(0, 0, w, 0);
}

void CLineEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    placeUnitLabel();
}

void CLineEdit::setSpin(double step)
{
    setSpin(true, step);
}

void CLineEdit::setSpin(bool enabled, double step)
{
    m_spinEnabled = enabled && step > 0;
    if (step > 0)
        m_spinStep = step;
}

void CLineEdit::setSpin(const QString &unit, bool enabled, double step)
{
    setLabels(unit);
    setSpin(enabled, step);
}

void CLineEdit::stepBy(int steps)
{
    if (!m_spinEnabled || !isEnabled() || isReadOnly() || steps == 0)
        return;
    double bottom = -DBL_MAX, top = DBL_MAX;
    bool integral = false;
    if (auto *dv = qobject_cast<const CDoubleValidator *>(validator())) {
        bottom = dv->bottom();
        top = dv->top();
    } else if (auto *iv = qobject_cast<const CIntValidator *>(validator())) {
        bottom = double(iv->bottom());
        top = double(iv->top());
        integral = true;
    } else {
        integral = decimalsOfStep(m_spinStep) == 0 && !text().contains(QLatin1Char('.'));
    }
    const double value = qBound(bottom, toDouble() + steps * m_spinStep, top);
    if (integral)
        setInt(std::llround(value));
    else
        setDouble(value);
    emit valueStepped();
    CEventDeliverer::deliverEventFrom(this, EVT_EDIT_FINISHED, m_id, 0, text());
}

void CLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (m_spinEnabled && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CLineEdit::wheelEvent(QWheelEvent *event)
{
    // Only a focused editor takes the wheel, so that scrolling over a form
    // never changes a price by accident.
    if (m_spinEnabled && hasFocus()) {
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0) {
            stepBy(steps);
            event->accept();
            return;
        }
    }
    QLineEdit::wheelEvent(event);
}

CIntValidator *CLineEdit::setIntValidator(long long bottom, long long top, int maxDigits,
                                          const QString &invalidText)
{
    auto *v = new CIntValidator(bottom, top, this);
    v->setMaxDigits(maxDigits);
    const QValidator *old = validator();
    setValidator(v);
    if (old && old->parent() == this)
        delete old;
    m_invalidText = invalidText;
    return v;
}

CDoubleValidator *CLineEdit::setDoubleValidator(double bottom, double top, int decimals,
                                                const QString &invalidText)
{
    auto *v = new CDoubleValidator(bottom, top, decimals, this);
    const QValidator *old = validator();
    setValidator(v);
    if (old && old->parent() == this)
        delete old;
    m_invalidText = invalidText;
    return v;
}

} // namespace XP
