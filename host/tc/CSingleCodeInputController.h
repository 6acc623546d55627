#pragma once

namespace TC {

// Marks a widget that takes instrument codes from a single code box (the
// pledge tables' bond code entry). The host terminal routes typed codes to
// such widgets; this stand-in needs nothing more of it.
class CSingleCodeInputController
{
public:
    CSingleCodeInputController();
    virtual ~CSingleCodeInputController();
};

} // namespace TC
