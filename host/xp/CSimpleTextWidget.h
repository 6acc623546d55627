#pragma once

#include "xp/CUiResourceChangeHandler.h"

#include <QWidget>

namespace XP {

// A line of text in a theme colour and font: form labels, table titles and,
// in clickable mode, link-like table cells. A click on a clickable text
// delivers EVT_TEXT_CLICKED (10) with a = id and text = the text, starting at
// the nearest event deliverer above it.
//
// Blanks are kept as given (labels are aligned with leading blanks); text
// that does not fit is elided at the right.
class CSimpleTextWidget : public QWidget, public CUiResourceChangeHandler
{
    Q_OBJECT
public:
    explicit CSimpleTextWidget(const QString &text = QString(), QWidget *parent = nullptr);
    CSimpleTextWidget(bool clickable, int id, const QString &text, QWidget *parent = nullptr);
    ~CSimpleTextWidget() override;

    QString text() const { return m_text; }
    void setText(const QString &text);

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

    bool isClickable() const { return m_clickable; }
    void setClickable(bool clickable);

    void setColorKey(const QString &key);
    QString colorKey() const { return m_colorKey; }
    void setFontKey(const QString &key);
    QString fontKey() const { return m_fontKey; }

    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_alignment; }

    // Re-applies the theme font.
    void setFixFont() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_text;
    int m_id = 0;
    bool m_clickable = false;
    bool m_pressed = false;
    bool m_hovered = false;
    QString m_colorKey = QStringLiteral("clr_text_default");
    QString m_fontKey = QStringLiteral("fnt_default_normal_fix");
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

} // namespace XP
