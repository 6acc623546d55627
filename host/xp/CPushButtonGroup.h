#pragma once

#include "xp/CBaseWidget.h"

#include <QBoxLayout>

class QButtonGroup;

namespace XP {

class CPushButton;

// A row or column of exclusive, checkable CPushButtons (mode tabs, operation
// selectors). A click by the user checks the button and delivers
// EVT_BUTTON_CHECKED (5) with a = the button's id, starting at the group.
// setCheckedByID() checks a button without delivering anything.
//
// `margin` is the blank border around the buttons; `backgroundColorKey`, when
// not empty, paints the group's ground in that theme colour.
class CPushButtonGroup : public CBaseWidget
{
    Q_OBJECT
public:
    CPushButtonGroup(Qt::Orientation orientation, int margin, const QString &backgroundColorKey,
                     QWidget *parent = nullptr);
    ~CPushButtonGroup() override;

    Qt::Orientation orientation() const { return m_orientation; }

    // Adds the button at the end and makes it checkable. `stretch`: the
    // button shares the free length of the group instead of keeping its size.
    void addPushButton(CPushButton *button, bool stretch = false);
    void addFixedSpace(int length);
    void addStretchSpace(int stretch = 1);
    void setSpacing(int spacing);
    void setMargins(int left, int top, int right, int bottom);

    // False when no button has that id.
    bool setCheckedByID(int id);
    CPushButton *checkedButton() const;
    int checkedId() const; // -1 when none is checked
    CPushButton *button(int id) const;
    QList<CPushButton *> buttons() const;

    void setBackgroundColorKey(const QString &key);
    QString backgroundColorKey() const { return m_backgroundKey; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void onButtonClicked(CPushButton *button);

    Qt::Orientation m_orientation;
    QBoxLayout *m_layout;
    QButtonGroup *m_group;
    QString m_backgroundKey;
};

} // namespace XP
