#pragma once

#include "xp/CUiResourceChangeHandler.h"

#include <QComboBox>
#include <QVariant>

namespace XP {

// A themed combo box with an id. Every change of the current item, by the
// trader or by code (setCurrentIndex, the first item added to an empty box),
// delivers EVT_COMBO_CHANGED (71) with a = id, b = the new index and data =
// a QVariant* to the item's data (Qt::UserRole), valid during the delivery.
// A box that becomes empty (index -1) delivers nothing.
class CComboBox : public QComboBox, public CUiResourceChangeHandler
{
    Q_OBJECT
public:
    explicit CComboBox(int id = 0, QWidget *parent = nullptr);
    ~CComboBox() override;

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

    // Width of the drop-down list, when wider than the box itself; applied
    // when the list is first opened, so that a box never opened never builds it.
    void setViewWidth(int width);
    int viewWidth() const { return m_viewWidth; }

    void showPopup() override;

    // Index of the first item whose data equals `data`, or -1.
    int indexOfData(const QVariant &data) const;

    void setFixFont() override;

private:
    void onIndexChanged(int index);

    int m_id;
    int m_viewWidth = 0;
    QVariant m_deliveredData;
};

} // namespace XP
