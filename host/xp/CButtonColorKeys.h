#pragma once

#include <QString>

namespace XP {

// Theme colour keys of a button's background in its four states. An empty key
// leaves that state transparent.
struct CButtonColorKeys
{
    QString normal;
    QString hover;
    QString press; // also the checked state
    QString disabled;

    bool isEmpty() const
    {
        return normal.isEmpty() && hover.isEmpty() && press.isEmpty() && disabled.isEmpty();
    }
};

} // namespace XP
