#pragma once

#include "xp/CBaseWidget.h"

namespace XP {

// A panel that the terminal can dock, title, save and restore. The terminal
// saves a panel's layout text with param() and hands it back with setParam().
class IDockableWidget : public CBaseWidget
{
    Q_OBJECT
public:
    IDockableWidget(const QString &panelTypeKey, int id, QWidget *parent);
    ~IDockableWidget() override;

    // Panel type key under which the terminal registers the panel ("rnsl", ...).
    QString panelTypeKey() const { return m_panelTypeKey; }
    int panelId() const { return m_panelId; }

    QString panelTitle() const { return m_title; }
    void setPanelTitle(const QString &title) { m_title = title; }

    virtual void setParam(const QString &text);
    virtual QString param() const;

private:
    QString m_panelTypeKey;
    int m_panelId;
    QString m_title;
};

} // namespace XP
