#pragma once

#include <QString>

namespace XP {

// Lets a completer match Chinese names by the Latin initials a trader types
// ("chyh" for 澄湖银行). The host has no built-in table; a terminal that ships
// one installs an adapter on the editors that want it.
class IPinyinAdapter
{
public:
    virtual ~IPinyinAdapter() = default;
    // The initials of `text`, one Latin letter per Chinese character; other
    // characters are kept as they are.
    virtual QString initials(const QString &text) const = 0;
};

} // namespace XP
