#include "xp/CParameterCell.h"

#include "xp/CLineEdit.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/WidgetEvents.h"

#include <QHBoxLayout>

namespace XP {

CParameterCell::CParameterCell(int id, const QString &label, const QString &unit, QWidget *parent)
    : CBaseWidget(QStringLiteral("xp_parametercell"), false, parent)
    , m_id(id)
    , m_label(new CSimpleTextWidget(label, this))
    , m_edit(new CLineEdit(id, this, false))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    layout->addWidget(m_label);
    layout->addWidget(m_edit, 1);
    m_edit->setLabels(unit);
    connect(m_edit, &QLineEdit::textEdited, this, &CParameterCell::deliverEdited);
    connect(m_edit, &CLineEdit::valueStepped, this, &CParameterCell::deliverEdited);
}

CParameterCell::~CParameterCell() = default;

void CParameterCell::deliverEdited()
{
    deliverEvent(EVT_PARAM_CELL_EDITED, m_id, 0, m_edit->text());
}

QString CParameterCell::label() const
{
    return m_label->text();
}

void CParameterCell::setLabel(const QString &label)
{
    m_label->setText(label);
}

void CParameterCell::setLabelWidth(int width)
{
    m_label->setFixedWidth(width);
}

void CParameterCell::setDouble(double value, int decimals)
{
    m_edit->setDouble(value, decimals);
}

void CParameterCell::setInt(long long value)
{
    m_edit->setInt(value);
}

void CParameterCell::setText(const QString &text)
{
    m_edit->setText(text);
}

void CParameterCell::clear()
{
    m_edit->clear();
}

QString CParameterCell::text() const
{
    return m_edit->text();
}

QString CParameterCell::toString() const
{
    return m_edit->toString();
}

int CParameterCell::toInt() const
{
    return m_edit->toInt();
}

long long CParameterCell::toLongLong() const
{
    return m_edit->toLongLong();
}

double CParameterCell::toDouble() const
{
    return m_edit->toDouble();
}

void CParameterCell::setLabels(const QString &unit)
{
    m_edit->setLabels(unit);
}

void CParameterCell::setSpin(bool enabled, double step)
{
    m_edit->setSpin(enabled, step);
}

CIntValidator *CParameterCell::setIntValidator(long long bottom, long long top, int maxDigits,
                                               const QString &invalidText)
{
    return m_edit->setIntValidator(bottom, top, maxDigits, invalidText);
}

CDoubleValidator *CParameterCell::setDoubleValidator(double bottom, double top, int decimals,
                                                     const QString &invalidText)
{
    return m_edit->setDoubleValidator(bottom, top, decimals, invalidText);
}

void CParameterCell::setFixFont()
{
    m_label->setFixFont();
    m_edit->setFixFont();
    m_label->adjustSize();
}

} // namespace XP
