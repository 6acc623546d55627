#include "tc/COperationPushButtonGroup.h"

namespace TC {

COperationPushButtonGroup::COperationPushButtonGroup(Qt::Orientation orientation, int spacing,
                                                     int endMargin, bool painted, QWidget *parent)
    : XP::CPushButtonGroup(orientation, 0,
                           painted ? QStringLiteral("clr_panel_background") : QString(), parent)
{
    setObjectName(QStringLiteral("tc_operationpushbuttongroup"));
    setSpacing(spacing);
    if (orientation == Qt::Vertical)
        setMargins(0, endMargin, 0, endMargin);
    else
        setMargins(endMargin, 0, endMargin, 0);
}

COperationPushButtonGroup::~COperationPushButtonGroup() = default;

} // namespace TC
