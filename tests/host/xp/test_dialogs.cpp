#include "QtPrinters.h"
#include "xp/CCommonDialog.h"
#include "xp/CMessageBox.h"
#include "xp/CScriptedDialogResponder.h"

#include <QLabel>
#include <QPointer>
#include <gtest/gtest.h>

using namespace XP;

namespace {

TEST(ScriptedResponder, answersFromTheScriptInTurnAndRecordsTheQuestion)
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
    EXPECT_EQ(script.asked().size(), 3);

    QDialog *seen = nullptr;
    script.setDialogHandler([&seen](QDialog *d) {
        seen = d;
        return 7;
    });
    EXPECT_EQ(dialog.exec(), 7);
    EXPECT_EQ(seen, &dialog);
}

TEST(ScriptedResponder, unansweredDialogsGetSafeDefaultsWithoutBlocking)
{
    CScriptedDialogResponder script;
    EXPECT_EQ(CMessageBox::question(0, nullptr, "t", "q"), QMessageBox::No);
    EXPECT_EQ(CMessageBox::question(0, nullptr, "t", "q", QMessageBox::Ok | QMessageBox::Cancel),
              QMessageBox::Cancel);
    EXPECT_EQ(CMessageBox::critical(0, nullptr, QStringLiteral("参数错误"), QStringLiteral("e")),
              QMessageBox::Ok);
    EXPECT_EQ(getOpenFileName(nullptr, QStringLiteral("导入交易商"), QString(),
                              QStringLiteral("Excel Files(*.csv);")),
              QString());
    CCommonDialog dialog;
    dialog.setTitle(QStringLiteral("质押债券"));
    EXPECT_EQ(dialog.exec(), int(QDialog::Rejected));
    EXPECT_FALSE(dialog.isVisible());

    ASSERT_EQ(script.asked().size(), 5);
    EXPECT_EQ(script.askedCount(CScriptedDialogResponder::ASK_CRITICAL), 1);
    EXPECT_EQ(script.lastMessage().title, QStringLiteral("参数错误"));
    EXPECT_EQ(script.asked().at(3).title, QStringLiteral("导入交易商"));
    EXPECT_EQ(script.asked().at(3).text, QStringLiteral("Excel Files(*.csv);"));
    EXPECT_EQ(script.asked().at(4).title, QStringLiteral("质押债券"));
}

TEST(ScriptedResponder, restoresThePreviousResponderWhenGone)
{
    IDialogResponder *before = dialogResponder();
    {
        CScriptedDialogResponder outer;
        {
            CScriptedDialogResponder inner;
            EXPECT_EQ(dialogResponder(), &inner);
        }
        EXPECT_EQ(dialogResponder(), &outer);
    }
    EXPECT_EQ(dialogResponder(), before);
}

TEST(CommonDialog, innerWidgetIsReplaced)
{
    CCommonDialog dialog;
    QPointer<QLabel> first = new QLabel(QStringLiteral("a"));
    dialog.setInnerWidget(first);
    EXPECT_EQ(first->parentWidget(), &dialog);
    dialog.setInnerWidget(new QLabel(QStringLiteral("b")));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(qobject_cast<QLabel *>(dialog.innerWidget())->text(), QStringLiteral("b"));
}

} // namespace
