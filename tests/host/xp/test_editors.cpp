#include "EventRecorder.h"
#include "QtPrinters.h"
#include "UserInput.h"

#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CComboBox.h"
#include "xp/CCommonDialog.h"
#include "xp/CDoubleValidator.h"
#include "xp/CLineEdit.h"
#include "xp/CMessageBox.h"
#include "xp/CParameterCell.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/WidgetEvents.h"

#include <QLineEdit>
#include <QListWidget>
#include <cfloat>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace XP;

namespace {

TEST(LineEdit, showsNumbersFormattedReadsThemBackAndDeliversTheTextOnReturn)
{
    EventRecorder form(QStringLiteral("form"), nullptr);
    auto *edit = new CLineEdit(10, &form, false);
    edit->setDouble(2.675, 2);
    EXPECT_EQ(edit->text(), QStringLiteral("2.68"));
    edit->setDoubleValidator(0.001, 99.999, 3);
    edit->setDouble(3.5);
    EXPECT_EQ(edit->text(), QStringLiteral("3.500")); // the validator's decimals
    edit->setDouble(DBL_MAX);
    EXPECT_EQ(edit->text(), QStringLiteral("非法值"));
    edit->setDoubleValidator(0, DBL_MAX, 2, QString());
    edit->setDouble(DBL_MAX);
    EXPECT_EQ(edit->text(), QString());

    edit->setText(QStringLiteral("1,234,567"));
    EXPECT_EQ(edit->toInt(), 1234567);
    EXPECT_EQ(edit->toLongLong(), 1234567LL);
    edit->setText(QStringLiteral("12.5"));
    EXPECT_DOUBLE_EQ(edit->toDouble(), 12.5);
    EXPECT_EQ(edit->toInt(), 0);
    edit->setText(QStringLiteral("abc"));
    EXPECT_EQ(edit->toDouble(), 0.0);
    edit->setText(QStringLiteral("9999999999"));
    EXPECT_EQ(edit->toLongLong(), 9999999999LL);

    edit->clear();
    type(edit, QStringLiteral("123"));
    pressKey(edit, Qt::Key_Return);
    EXPECT_EQ(form.heard(EVT_EDIT_FINISHED), QStringList { "10 0 123" });
}

TEST(LineEdit, settingTheSameTextEndsAsQLineEditDoes)
{
    using Step = std::function<void(QLineEdit *)>;
    const std::vector<std::pair<const char *, Step>> before = {
        { "cursor moved", [](QLineEdit *e) { e->setCursorPosition(1); } },
        { "part selected", [](QLineEdit *e) { e->setSelection(1, 2); } },
        { "typed into", [](QLineEdit *e) { type(e, QStringLiteral("5")); } },
        { "marked modified", [](QLineEdit *e) { e->setModified(true); } },
    };
    for (const auto &step : before) {
        CLineEdit ours(1, nullptr, false);
        QLineEdit plain;
        int changes[2] = { 0, 0 };
        int moves[2] = { 0, 0 };
        QLineEdit *edits[2] = { &ours, &plain };
        for (int i = 0; i < 2; ++i) {
            QObject::connect(edits[i], &QLineEdit::textChanged, [&changes, i] { ++changes[i]; });
            QObject::connect(edits[i], &QLineEdit::cursorPositionChanged,
                             [&moves, i] { ++moves[i]; });
            edits[i]->setText(QStringLiteral("1234.50"));
            step.second(edits[i]);
        }
        const QString shown = plain.text();
        ASSERT_EQ(shown, ours.text()) << step.first;
        ours.setText(shown);
        plain.setText(shown);
        EXPECT_EQ(plain.text(), ours.text()) << step.first;
        EXPECT_EQ(plain.cursorPosition(), ours.cursorPosition()) << step.first;
        EXPECT_EQ(plain.selectedText(), ours.selectedText()) << step.first;
        EXPECT_EQ(plain.isModified(), ours.isModified()) << step.first;
        EXPECT_EQ(plain.isUndoAvailable(), ours.isUndoAvailable()) << step.first;
        EXPECT_EQ(changes[1], changes[0]) << step.first;
        EXPECT_EQ(moves[1], moves[0]) << step.first;
    }
}

TEST(LineEdit, spinStepsStayInsideTheRange)
{
    EventRecorder form(QStringLiteral("form"), nullptr);
    auto *price = new CLineEdit(4, &form, false);
    price->setDoubleValidator(0, 1000000, 3)->setMinStep(0.001);
    price->setSpin(QStringLiteral("元"), true, 0.001);
    price->setDouble(0);
    pressKey(price, Qt::Key_Down);
    EXPECT_EQ(price->text(), QStringLiteral("0.000")); // not below the bottom
    pressKey(price, Qt::Key_Up);
    pressKey(price, Qt::Key_Up);
    EXPECT_EQ(price->text(), QStringLiteral("0.002"));
    EXPECT_EQ(form.heard(EVT_EDIT_FINISHED),
              (QStringList { "4 0 0.000", "4 0 0.001", "4 0 0.002" }));

    auto *volume = new CLineEdit(3, &form, false);
    volume->setIntValidator(10, 2147483647);
    volume->setSpin(true, 10);
    volume->setInt(2147483640);
    pressKey(volume, Qt::Key_Up);
    EXPECT_EQ(volume->text(), QStringLiteral("2147483647"));
}

TEST(ParameterCell, typingDeliversCellEditedAndReturnDeliversEditFinished)
{
    EventRecorder form(QStringLiteral("form"), nullptr);
    auto *days = new CParameterCell(2, QStringLiteral("回购天数"), QStringLiteral("天"), &form);
    days->setDoubleValidator(0, 365, 0);
    days->setSpin(true, 1);
    type(days->getLineEdit(), QStringLiteral("7"));
    EXPECT_EQ(form.heard(EVT_PARAM_CELL_EDITED), QStringList { "2 0 7" });

    pressKey(days->getLineEdit(), Qt::Key_Up);
    EXPECT_EQ(days->toInt(), 8);
    EXPECT_EQ(form.count(EVT_PARAM_CELL_EDITED), 2);

    type(days->getLineEdit(), QStringLiteral("x")); // rejected by the validator
    EXPECT_EQ(days->text(), QStringLiteral("8"));
    EXPECT_EQ(form.count(EVT_PARAM_CELL_EDITED), 2);

    pressKey(days->getLineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.last(EVT_EDIT_FINISHED)->a, 2);
}

TEST(ComboBox, everyIndexChangeDeliversIndexAndItemData)
{
    EventRecorder form(QStringLiteral("form"), nullptr);
    auto *kind = new CComboBox(28, &form);
    kind->addItem(QStringLiteral("机构投资者"), 2);
    kind->addItem(QStringLiteral("个人投资者"), 0);
    EXPECT_EQ(form.heard(EVT_COMBO_CHANGED), QStringList { "28 0" }); // the first item is current
    EXPECT_EQ(static_cast<QVariant *>(form.last(EVT_COMBO_CHANGED)->data)->toInt(), 2);
    kind->setCurrentIndex(1);
    EXPECT_EQ(form.heard(EVT_COMBO_CHANGED), (QStringList { "28 0", "28 1" }));
    EXPECT_EQ(static_cast<QVariant *>(form.last(EVT_COMBO_CHANGED)->data)->toInt(), 0);

    kind->clear();
    EXPECT_EQ(form.count(EVT_COMBO_CHANGED), 2); // an emptied box reports nothing
}

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
    EXPECT_EQ(d.form.heard(EVT_AUTOKEYBOARD_PICKED), QStringList { "12 0 100002 远川银行" });

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

TEST(ScriptedResponder, answersFromTheScriptInTurnThenSafeDefaultsAndRecordsEveryQuestion)
{
    CScriptedDialogResponder script;
    script.answerButton(QMessageBox::Yes);
    script.answerFile(QStringLiteral("/tmp/dealers.csv"));
    script.answerDialog(QDialog::Accepted);
    EXPECT_EQ(CMessageBox::question(
                  0, nullptr, QStringLiteral("下单确认"), QStringLiteral("是否确认当前成交申报?"),
                  QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton, false, QPixmap()),
              QMessageBox::Yes);
    EXPECT_EQ(script.lastMessage().kind, CScriptedDialogResponder::ASK_QUESTION);
    EXPECT_EQ(script.lastMessage().title, QStringLiteral("下单确认"));
    EXPECT_EQ(script.lastMessage().text, QStringLiteral("是否确认当前成交申报?"));
    EXPECT_EQ(getOpenFileName(nullptr, "c", "", "f"), QStringLiteral("/tmp/dealers.csv"));
    CCommonDialog dialog;
    EXPECT_EQ(dialog.exec(), int(QDialog::Accepted));
    EXPECT_EQ(script.pendingAnswers(), 0);

    EXPECT_EQ(CMessageBox::question(0, nullptr, "t", "q"), QMessageBox::No);
    EXPECT_EQ(CMessageBox::question(0, nullptr, "t", "q", QMessageBox::Ok | QMessageBox::Cancel),
              QMessageBox::Cancel);
    EXPECT_EQ(CMessageBox::critical(0, nullptr, "参数错误", "e"), QMessageBox::Ok);
    EXPECT_EQ(script.askedCount(CScriptedDialogResponder::ASK_CRITICAL), 1);
    EXPECT_EQ(script.lastMessage().title, QStringLiteral("参数错误"));
    EXPECT_EQ(getOpenFileName(nullptr, "导入交易商", QString(), "Excel Files(*.csv);"), QString());
    dialog.setTitle(QStringLiteral("质押债券"));
    EXPECT_EQ(dialog.exec(), int(QDialog::Rejected));
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(script.asked().size(), 8);
    EXPECT_EQ(script.asked().at(6).title, QStringLiteral("导入交易商"));
    EXPECT_EQ(script.asked().at(6).text, QStringLiteral("Excel Files(*.csv);"));
    EXPECT_EQ(script.asked().at(7).title, QStringLiteral("质押债券"));

    QDialog *seen = nullptr;
    script.setDialogHandler([&seen](QDialog *d) {
        seen = d;
        return 7;
    });
    EXPECT_EQ(dialog.exec(), 7);
    EXPECT_EQ(seen, &dialog);
    {
        CScriptedDialogResponder inner;
    }
    EXPECT_EQ(dialogResponder(), &script); // a gone script hands back the one before it
}

} // namespace
