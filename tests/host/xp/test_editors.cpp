#include "EventRecorder.h"
#include "UserInput.h"

#include "xp/CComboBox.h"
#include "xp/CDoubleValidator.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/WidgetEvents.h"

#include <cfloat>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace XP;

namespace {

// Numbers show formatted and read back without separators; Return delivers the id and text.
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
    edit->setInt(1234567);
    EXPECT_EQ(edit->text(), QStringLiteral("1234567"));

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
    ASSERT_EQ(form.count(EVT_EDIT_FINISHED), 1);
    EXPECT_EQ(form.log().last().a, 10);
    EXPECT_EQ(form.log().last().text, QStringLiteral("123"));
}

// Setting the text an edit already shows ends as QLineEdit::setText would, signals included.
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
    ASSERT_GE(form.count(EVT_EDIT_FINISHED), 3);
    EXPECT_EQ(form.log().last().text, QStringLiteral("0.002"));

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
    ASSERT_EQ(form.count(EVT_PARAM_CELL_EDITED), 1);
    EXPECT_EQ(form.last(EVT_PARAM_CELL_EDITED)->a, 2);
    EXPECT_EQ(form.last(EVT_PARAM_CELL_EDITED)->text, QStringLiteral("7"));

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
    ASSERT_EQ(form.count(EVT_COMBO_CHANGED), 1); // the first item became current
    EXPECT_EQ(form.last(EVT_COMBO_CHANGED)->b, 0);
    EXPECT_EQ(static_cast<QVariant *>(form.last(EVT_COMBO_CHANGED)->data)->toInt(), 2);

    kind->setCurrentIndex(1);
    ASSERT_EQ(form.count(EVT_COMBO_CHANGED), 2);
    const RecordedEvent *e = form.last(EVT_COMBO_CHANGED);
    EXPECT_EQ(e->a, 28);
    EXPECT_EQ(e->b, 1);
    ASSERT_NE(e->data, nullptr);
    EXPECT_EQ(static_cast<QVariant *>(e->data)->toInt(), 0);

    kind->clear();
    EXPECT_EQ(form.count(EVT_COMBO_CHANGED), 2); // an emptied box reports nothing
    EXPECT_EQ(kind->indexOfData(2), -1);
}

} // namespace
