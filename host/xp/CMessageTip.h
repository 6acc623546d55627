#pragma once

#include <QString>

class QWidget;

namespace XP {

// A short hint beside an editor ("请输入对方交易员!") that goes away by itself.
// One tip shows at a time; a new tip replaces the previous one.
class CMessageTip
{
public:
    // Levels of a tip: its colour.
    enum ELevel { TIP_INFO = 0, TIP_OK = 1, TIP_WARNING = 2 };

    // `alignFlags` (Qt::Alignment) place the tip: AlignTop above the editor,
    // AlignBottom below it, otherwise beside its right edge; AlignLeft,
    // AlignRight and AlignHCenter line it up with the editor's left edge,
    // right edge or centre. The tip stays `seconds` seconds and then fades
    // out over `fadeMs` milliseconds.
    static void showTip(QWidget *editor, int alignFlags, const QString &text,
                        int level = TIP_WARNING, int fadeMs = 300, int seconds = 2);

    // The last tip shown, for tests and the terminal's journal.
    static QString lastTipText();
    static QWidget *lastTipEditor();
    static bool isTipVisible();
    static void hideTip();

private:
    CMessageTip() = delete;
};

} // namespace XP
