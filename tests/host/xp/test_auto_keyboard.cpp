#include "EventRecorder.h"
#include "UserInput.h"

#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/WidgetEvents.h"

#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace XP;

namespace {

struct Dealers
{
    CPortfolioSearchModel model;
    EventRecorder form { QStringLiteral("form"), nullptr };
    CAutoKeyboardLineEdit *cell;

    Dealers()
    {
        model.init({ QStringLiteral("100001 澄湖银行"), QStringLiteral("100002 远川银行"),
                     QStringLiteral("200001 青屿证券") });
        cell = new CAutoKeyboardLineEdit(&model, 12, &form, true);
        form.resize(300, 100);
        form.show();
    }
};

TEST(AutoKeyboardLineEdit, typingListsMatchesAndReturnOrAClickPicksOne)
{
    Dealers d;
    QLineEdit *edit = d.cell->getLineEdit();
    type(edit, QStringLiteral("1000"));
    ASSERT_TRUE(d.cell->isPopupVisible());
    EXPECT_EQ(d.cell->getAutoKeyboardWidget()->count(), 2);
    pressKey(edit, Qt::Key_Down);
    pressKey(edit, Qt::Key_Return);
    EXPECT_FALSE(d.cell->isPopupVisible());
    EXPECT_EQ(d.cell->getText(), QStringLiteral("100002 远川银行"));
    ASSERT_EQ(d.form.count(EVT_AUTOKEYBOARD_PICKED), 1);
    EXPECT_EQ(d.form.last(EVT_AUTOKEYBOARD_PICKED)->a, 12);
    EXPECT_EQ(d.form.last(EVT_AUTOKEYBOARD_PICKED)->text, QStringLiteral("100002 远川银行"));

    // A click on an entry picks it too.
    edit->clear();
    type(edit, QStringLiteral("青屿"));
    QListWidget *list = d.cell->getAutoKeyboardWidget()->listView();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 1);
    clickAt(list->viewport(), list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(d.cell->getText(), QStringLiteral("200001 青屿证券"));
    EXPECT_EQ(d.form.count(EVT_AUTOKEYBOARD_PICKED), 2);
}

TEST(AutoKeyboardLineEdit, typedTextIsFilteredUpperCasedValidatedAndLimited)
{
    Dealers d;
    d.cell->setFilterChars(QStringLiteral("-_"));
    d.cell->setAutoUpper(true);
    type(d.cell->getLineEdit(), QStringLiteral("a-b_c"));
    EXPECT_EQ(d.cell->getText(), QStringLiteral("ABC"));
    d.cell->setFilterSpecialChars(true);
    EXPECT_EQ(d.cell->cleanText(QStringLiteral("x#1 银行!")), QStringLiteral("X1 银行"));

    Dealers v; // the validator alone, with no filter that would drop '#' first
    v.cell->setValidatorRegExp(QStringLiteral("^[\\w ,，.。!！?？]+$"));
    v.cell->setMaxLength(5);
    type(v.cell->getLineEdit(), QStringLiteral("12#3456"));
    EXPECT_EQ(v.cell->getText(), QStringLiteral("12345"));
}

// A panel closed while a dealer is typed: nothing of the gone editor may run as the focus leaves.
TEST(AutoKeyboardLineEdit, destroyedWithTheFocusPicksNothingAndTellsTheFormNothing)
{
    Dealers d;
    d.cell->setAllowCustomInput(false); // an unknown text is replaced by its first match on leaving
    QApplication::setActiveWindow(&d.form);
    d.cell->getLineEdit()->setFocus();
    ASSERT_TRUE(d.cell->getLineEdit()->hasFocus());
    type(d.cell->getLineEdit(), QStringLiteral("1000"));
    delete d.cell;
    EXPECT_EQ(d.form.count(EVT_AUTOKEYBOARD_PICKED), 0);
}

TEST(AutoKeyboardLineEdit, withoutCustomInputAnUnknownTextIsReplaced)
{
    Dealers d;
    d.cell->setAllowCustomInput(false);
    type(d.cell->getLineEdit(), QStringLiteral("2000"));
    pressKey(d.cell->getLineEdit(), Qt::Key_Escape);
    pressKey(d.cell->getLineEdit(), Qt::Key_Return);
    EXPECT_EQ(d.cell->getText(), QStringLiteral("200001 青屿证券"));
    EXPECT_EQ(d.form.count(EVT_AUTOKEYBOARD_PICKED), 1);

    d.cell->setText(QStringLiteral("zzz"));
    pressKey(d.cell->getLineEdit(), Qt::Key_Return);
    EXPECT_EQ(d.cell->getText(), QString());
}

} // namespace
