#include "xp/CComboBox.h"

#include "xp/CEventDeliverer.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <QAbstractItemView>

namespace XP {

CComboBox::CComboBox(int id, QWidget *parent)
    : QComboBox(parent)
    , m_id(id)
{
    setObjectName(QStringLiteral("xp_combobox"));
    setFixFont();
    connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CComboBox::onIndexChanged);
}

CComboBox::~CComboBox() = default;

void CComboBox::onIndexChanged(int index)
{
    if (index < 0)
        return;
    // A member, not a local: handlers may keep reading it while the event travels.
    m_deliveredData = itemData(index, Qt::UserRole);
    CEventDeliverer::deliverEventFrom(this, EVT_COMBO_CHANGED, m_id, index, QString(),
                                      &m_deliveredData);
}

void CComboBox::setViewWidth(int width)
{
    m_viewWidth = width;
}

void CComboBox::showPopup()
{
    if (view()->minimumWidth() != m_viewWidth)
        view()->setMinimumWidth(m_viewWidth);
    QComboBox::showPopup();
}

int CComboBox::indexOfData(const QVariant &data) const
{
    return findData(data, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void CComboBox::setFixFont()
{
    applyThemeFont(this, QStringLiteral("fnt_default_normal_fix"));
}

} // namespace XP
