#pragma once

#include <QRadioButton>

namespace XP {

// A radio button with an id (the row choice of tables). A click delivers
// EVT_RADIO_CLICKED (97) with a = id from the nearest event deliverer above it.
// Radio buttons with the same parent exclude each other.
class CRadioButton : public QRadioButton
{
    Q_OBJECT
public:
    CRadioButton(const QString &text, int id, QWidget *parent = nullptr);
    ~CRadioButton() override;

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

private:
    int m_id;
};

} // namespace XP
