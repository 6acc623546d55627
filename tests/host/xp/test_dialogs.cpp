#include "QtPrinters.h"
#include "xp/CCommonDialog.h"
#include "xp/CMessageBox.h"
#include "xp/CScriptedDialogResponder.h"

#include <gtest/gtest.h>

using namespace XP;

namespace {

// Scripted answers are used up in turn; once they are gone every dialog gets
// its safe default without blocking, and every question is recorded.
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
    EXPECT_EQ(CMessageBox::critical(0, nullptr, QStringLiteral("参数错误"), QStringLiteral("e")),
              QMessageBox::Ok);
    EXPECT_EQ(script.askedCount(CScriptedDialogResponder::ASK_CRITICAL), 1);
    EXPECT_EQ(script.lastMessage().title, QStringLiteral("参数错误"));
    EXPECT_EQ(getOpenFileName(nullptr, QStringLiteral("导入交易商"), QString(),
                              QStringLiteral("Excel Files(*.csv);")),
              QString());
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
}

} // namespace
