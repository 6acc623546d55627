#include "AgreementFormFixture.h"
#include "HostServices.h"

#include "common/CDealerDirectory.h"
#include "tc/CMsgService.h"
#include "utils/StringHelper.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/CPushButton.h"
#include "xp/CScriptedDialogResponder.h"

#include <QFile>
#include <QLineEdit>

namespace {

using namespace TC;

const char kDealers[] = "交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称\n"
                        "D1,银行甲,S1,主体一,T1|T2,张三\n"
                        "D1,银行甲,S2,主体二\n"
                        "D2,券商乙,S3,主体三,T7|T8,王五|赵六\n";

class FormDealerTest : public AgreementFormFixture
{
protected:
    static QStringList entries(Form &form, int id)
    {
        return form.dealerCellModel(id) ? form.dealerCellModel(id)->getDataList() : QStringList();
    }
};

} // namespace

TEST_F(FormDealerTest, typedTextOffersDealersAndAPickedOneItsTradersAndSubjects)
{
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    loadDealers(QString::fromUtf8(kDealers));
    XP::CAutoKeyboardWidget *list = form->dealerCell(12)->getAutoKeyboardWidget();
    EXPECT_EQ(list->matches("D"), QStringList({ "D1 银行甲", "D2 券商乙" }));
    EXPECT_EQ(list->matches("券商"), QStringList({ "D2 券商乙" }));
    EXPECT_EQ(form->dealerCell(21)->getAutoKeyboardWidget()->matches("银行"),
              QStringList({ "D1 银行甲" }));

    form->dealerCell(12)->pick(QStringLiteral("D1 银行甲"));
    EXPECT_EQ(entries(*form, 19), QStringList({ "T1 张三", "T2" }));
    EXPECT_EQ(entries(*form, 13), QStringList({ "S1 主体一", "S2 主体二" }));
    EXPECT_EQ(form->dealerCell(19)->getAutoKeyboardWidget()->matches("T"),
              QStringList({ "T1 张三", "T2" }));

    form->dealerCell(21)->pick(QStringLiteral("D2 券商乙"));
    EXPECT_EQ(entries(*form, 14), QStringList({ "S3 主体三" }));
    EXPECT_EQ(entries(*form, 20), QStringList({ "T7 王五", "T8 赵六" }));
    EXPECT_EQ(entries(*form, 19), QStringList({ "T1 张三", "T2" })) << "own side untouched";

    form->dealerCell(19)->pick(QStringLiteral("T1 张三"));
    EXPECT_EQ(form->traderCode(), "T1");

    // A text without a code part leaves the models alone.
    form->dealerCell(12)->pick(QStringLiteral(" 银行甲"));
    EXPECT_EQ(entries(*form, 19), QStringList({ "T1 张三", "T2" }));
    // An unknown dealer fills nothing either.
    form->dealerCell(12)->pick(QStringLiteral("D9 不在名录"));
    EXPECT_EQ(entries(*form, 13), QStringList({ "S1 主体一", "S2 主体二" }));

    // An intention form has only its own side: no counterparty to refill.
    const auto intention = makeForm(OPT_AGREEMENT_INTENTION_REPO);
    EXPECT_EQ(intention->dealerCell(20), nullptr);
    intention->dealerCell(12)->pick(QStringLiteral("D2 券商乙"));
    EXPECT_EQ(entries(*intention, 19), QStringList({ "T7 王五", "T8 赵六" }));
}

TEST_F(FormDealerTest, importLoadsAndKeepsADealerFileAndAFailedOneLosesNothing)
{
    XP::CScriptedDialogResponder responder;
    const auto form = makeForm(OPT_AGREEMENT_DEAL_DECLARATION);
    responder.answerFile(writeFile("import.csv", utils::utf8ToGbk(QString::fromUtf8(kDealers))));
    form->cells().importButton->click();
    ASSERT_EQ(responder.askedCount(XP::CScriptedDialogResponder::ASK_OPEN_FILE), 1);
    EXPECT_EQ((QStringList { responder.asked().at(0).title, responder.asked().at(0).text }),
              (QStringList { "导入交易商", "Excel Files(*.csv);" }));
    const QStringList dealers = CDealerDirectory::instance()->dealerList();
    EXPECT_EQ(dealers, QStringList({ "D1 银行甲", "D2 券商乙" }));
    EXPECT_TRUE(QFile::exists(CDealerDirectory::filePath())) << "saved for the next start";
    EXPECT_EQ(form->dealerCell(12)->getAutoKeyboardWidget()->matches("D2"),
              QStringList({ "D2 券商乙" }));

    // No dealer file, an empty or a missing file, or a cancelled dialog.
    form->dealerCell(12)->setText(QStringLiteral("D1 银行甲"));
    typeInto(form->cells().amount->getLineEdit(), "1000000");
    responder.answerFile(writeFile("notes.csv", "just,some\nnotes,here\n"));
    responder.answerFile(writeFile("empty.csv", ""));
    responder.answerFile(m_tmp.filePath("gone.csv"));
    responder.answerFile(QString());
    msgService()->clear();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(form->handleEvent(5, Form::CELL_IMPORT, 0, QString(), nullptr));
    EXPECT_EQ(responder.askedCount(XP::CScriptedDialogResponder::ASK_OPEN_FILE), 5);
    // Each file that could not be imported says so once; a cancelled dialog says nothing.
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages().at(0),
              "交易商文件 " + m_tmp.filePath("notes.csv").toStdString()
                  + " 导入失败: 表头格式错误");
    EXPECT_EQ(messages().at(2),
              "交易商文件 " + m_tmp.filePath("gone.csv").toStdString() + " 导入失败");
    EXPECT_EQ(CDealerDirectory::instance()->dealerList(), dealers);
    EXPECT_EQ((QStringList { form->dealerCell(12)->getText(), form->cells().amount->text() }),
              (QStringList { "D1 银行甲", "1000000" }));
}
