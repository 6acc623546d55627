#include "xp/CFrameSplitterLine.h"

#include "xp/CUiResource.h"

#include <QPainter>

namespace XP {

CFrameSplitterLine::CFrameSplitterLine(const QString &colorKey, QWidget *parent)
    : QWidget(parent)
    , m_colorKey(colorKey)
{
    setObjectName(QStringLiteral("xp_framesplitterline"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

CFrameSplitterLine::~CFrameSplitterLine() = default;

void CFrameSplitterLine::setColorKey(const QString &key)
{
    m_colorKey = key;
    update();
}

void CFrameSplitterLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(contentsRect(), *uiResource()->getColor(m_colorKey));
}

} // namespace XP
