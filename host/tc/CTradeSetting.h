#pragma once

namespace TC {

// The user's trade settings. Hint flags are bits; flag 1 asks for a
// confirmation before an order is sent.
class CTradeSetting
{
public:
    bool testHintBeforeOrderFlag(int flag) const { return (m_hintBeforeOrderFlags & flag) != 0; }
    void setHintBeforeOrderFlags(int flags) { m_hintBeforeOrderFlags = flags; }
    int hintBeforeOrderFlags() const { return m_hintBeforeOrderFlags; }

private:
    int m_hintBeforeOrderFlags = 0;
};

} // namespace TC
