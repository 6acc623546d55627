#pragma once

#include "xp/CButtonColorKeys.h"
#include "xp/CUiResourceChangeHandler.h"

#include <QPushButton>

namespace XP {

class CPushButtonGroup;

// A themed push button with an integer id.
//
// Its look comes from, in this order: a nine-patch theme image
// (setJiuGongImage), a set of background colour keys, or the application
// style. Text is drawn in the colour of the button's state (setTextColor),
// left to right or, for the vertical mode tabs, one character under the other.
//
// A click delivers EVT_BUTTON_CHECKED (5) with a = id, starting at the nearest
// event deliverer above the button. A button that belongs to a
// CPushButtonGroup leaves the delivery to its group.
class CPushButton : public QPushButton, public CUiResourceChangeHandler
{
    Q_OBJECT
public:
    explicit CPushButton(int id = 0, QWidget *parent = nullptr);
    CPushButton(const QString &text, int id, QWidget *parent);
    // Nine-patch form: the borders are the image's fixed corner sizes.
    CPushButton(const QString &imageKey, int id, int left, int top, int right, int bottom,
                QWidget *parent);
    CPushButton(const CButtonColorKeys &colors, int id, QWidget *parent);
    ~CPushButton() override;

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

    // Paints the theme image stretched as a nine-patch: the corners keep their
    // size, the edges stretch along one axis and the centre along both.
    void setJiuGongImage(const QString &imageKey, int left, int top, int right, int bottom);
    QString imageKey() const { return m_imageKey; }

    void setBackgroundColors(const CButtonColorKeys &colors);
    CButtonColorKeys backgroundColors() const { return m_background; }
    void setFrameColorKey(const QString &key);
    void setCornerRadius(int radius);

    // Text colour keys in the states normal, hover, checked (or pressed), disabled.
    void setTextColor(const QString &normalKey, const QString &hoverKey, const QString &checkedKey,
                      const QString &disabledKey);
    // The text colour for the button's current state.
    QColor currentTextColor() const;

    // false: the characters are stacked top to bottom (vertical tab labels).
    void setHorizontalText(bool horizontal);
    bool isHorizontalText() const { return m_horizontalText; }

    void setTextMargins(int left, int top, int right, int bottom);
    QMargins textMargins() const { return m_textMargins; }

    void setFontKey(const QString &key);
    void setIconKey(const QString &imageKey);

    CPushButtonGroup *group() const { return m_group; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void setFixFont() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    friend class CPushButtonGroup;

    void init();
    bool hasOwnLook() const;
    void paintBackground(QPainter &painter);
    void paintContent(QPainter &painter);
    QString textColorKey() const;

    int m_id;
    CPushButtonGroup *m_group = nullptr; // set by the group that owns the button
    QString m_imageKey;
    QMargins m_imageBorders;
    CButtonColorKeys m_background;
    QString m_frameKey;
    int m_radius = 2;
    QString m_textKeys[4];
    bool m_horizontalText = true;
    QMargins m_textMargins;
    QString m_fontKey = QStringLiteral("fnt_default_normal_fix");
    bool m_hovered = false;
};

} // namespace XP
