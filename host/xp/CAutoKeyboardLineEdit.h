#pragma once

#include "xp/CBaseWidget.h"

class QLineEdit;

namespace XP {

class CAutoKeyboardWidget;
class IPinyinAdapter;
class ISearchDataModel;

// A search-as-you-type editor: as the trader types, a list under the editor
// shows the model's matches; Up/Down move in it, Return or a click picks an
// entry, Escape closes it.
//
// Picking sets the editor's text to the entry and delivers
// EVT_AUTOKEYBOARD_PICKED (252) with a = id and text = the entry, starting at
// this widget.
//
// `listAllWhenEmpty`: an empty editor that gets the focus lists the first
// entries of the model, so that a short directory can be browsed without typing.
class CAutoKeyboardLineEdit : public CBaseWidget
{
    Q_OBJECT
public:
    CAutoKeyboardLineEdit(ISearchDataModel *model, int id, QWidget *parent = nullptr,
                          bool listAllWhenEmpty = true);
    ~CAutoKeyboardLineEdit() override;

    int id() const { return m_id; }
    QLineEdit *getLineEdit() const { return m_edit; }
    CAutoKeyboardWidget *getAutoKeyboardWidget() const { return m_popup; }
    void setModel(ISearchDataModel *model);
    ISearchDataModel *model() const;

    QString getText() const;
    // Sets the text without picking; `showMatches` opens the list for it.
    void setText(const QString &text, bool showMatches = false);

    // Typed letters become capitals (instrument and dealer codes).
    void setAutoUpper(bool on) { m_autoUpper = on; }
    // Characters dropped from what the trader types.
    void setFilterChars(const QString &chars) { m_filterChars = chars; }
    void setFilterChars(const QList<QChar> &chars);
    // Drops every character that is neither a letter, a digit nor a blank.
    void setFilterSpecialChars(bool on) { m_filterSpecial = on; }
    // false: on leaving the editor, a text that is no entry of the model is
    // replaced by its first match, or cleared when nothing matches.
    void setAllowCustomInput(bool on) { m_allowCustom = on; }
    // Colour and font of the hint shown while the editor is empty; the font
    // is also the editor's font.
    void setEmptyHint(const QString &colorKey, const QString &fontKey);
    void setEmptyHintText(const QString &text);
    void setMaxLength(int length);
    void setPinyinAdapter(IPinyinAdapter *adapter);
    // Only text matching the pattern can be typed; an empty pattern removes the rule.
    void setValidatorRegExp(const QString &pattern);

    // The typed text after upper-casing and filtering.
    QString cleanText(const QString &text) const;

    bool isPopupVisible() const;
    void showPopup(const QString &text);
    void hidePopup();
    // Takes `entry` as the editor's text and reports the pick.
    void pick(const QString &entry);

    void setFixFont() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onTextEdited(const QString &text);
    void onEditingFinished();
    bool handleKey(QKeyEvent *event);

    int m_id;
    QLineEdit *m_edit;
    CAutoKeyboardWidget *m_popup;
    bool m_listAllWhenEmpty;
    bool m_autoUpper = false;
    bool m_filterSpecial = false;
    bool m_allowCustom = true;
    QString m_filterChars;
    QString m_fontKey = QStringLiteral("fnt_default_normal_fix");
};

} // namespace XP
