#pragma once

#include "xp/CPushButton.h"
#include "xp/ENormalButtonType.h"

namespace XP {

// A filled order button in the colours of its ENormalButtonType (0 sell,
// 1 neutral, 2 accent, 3 buy; other values are drawn neutral). `rounded`
// rounds its corners; square buttons sit flush in table cells.
class CSmallNormalButton : public CPushButton
{
    Q_OBJECT
public:
    CSmallNormalButton(int id, bool rounded, int buttonType, QWidget *parent = nullptr);
    ~CSmallNormalButton() override;

    int buttonType() const { return m_buttonType; }
    void setButtonType(int buttonType);

    // The background colour keys of a button type.
    static CButtonColorKeys colorKeysForType(int buttonType);

private:
    int m_buttonType;
};

} // namespace XP
