#pragma once

#include "xp/CPushButton.h"

namespace XP {

// A light tool button ("刷新", "删除"): accent text on a transparent ground
// that lights up under the mouse. `framed` draws a thin border around it.
class CSmallNoNormalButton : public CPushButton
{
    Q_OBJECT
public:
    CSmallNoNormalButton(int id, bool framed, QWidget *parent = nullptr);
    ~CSmallNoNormalButton() override;

    bool isFramed() const { return m_framed; }

private:
    bool m_framed;
};

} // namespace XP
