#pragma once

#include "xp/CPushButtonGroup.h"

namespace TC {

// The column of mode tabs at the left of an operation panel.
//
// `spacing` separates neighbouring tabs; `endMargin` is the blank length
// before the first and after the last tab along the column (the tabs keep the
// full width of the column); `painted` fills the column with the panel ground,
// otherwise the column is transparent and the panel shows through.
class COperationPushButtonGroup : public XP::CPushButtonGroup
{
    Q_OBJECT
public:
    COperationPushButtonGroup(Qt::Orientation orientation, int spacing, int endMargin, bool painted,
                              QWidget *parent = nullptr);
    ~COperationPushButtonGroup() override;
};

} // namespace TC
