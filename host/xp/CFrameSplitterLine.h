#pragma once

#include <QWidget>

namespace XP {

// A thin separator line in a theme colour. The line fills the widget inside
// its contents margins (setContentsMargins), so that margins shorten it.
class CFrameSplitterLine : public QWidget
{
    Q_OBJECT
public:
    explicit CFrameSplitterLine(const QString &colorKey, QWidget *parent = nullptr);
    ~CFrameSplitterLine() override;

    QString colorKey() const { return m_colorKey; }
    void setColorKey(const QString &key);

    QSize sizeHint() const override { return QSize(1, 1); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_colorKey;
};

} // namespace XP
