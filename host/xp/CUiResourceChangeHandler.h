#pragma once

namespace XP {

// Told by the theme when fonts or the scale change. Handlers register
// themselves with the theme for their lifetime.
class CUiResourceChangeHandler
{
public:
    CUiResourceChangeHandler();
    virtual ~CUiResourceChangeHandler();
    CUiResourceChangeHandler(const CUiResourceChangeHandler &) = delete;
    CUiResourceChangeHandler &operator=(const CUiResourceChangeHandler &) = delete;

    virtual void setFixFont() { }
    virtual void scaleChanged() { }
};

} // namespace XP
