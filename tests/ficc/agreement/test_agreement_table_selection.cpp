#include "AgreementFormFixture.h"

#include "agreement/CAgreementPledgeBondWidget.h"
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/CAgreementRepurchaseWidgetAdvance.h"
#include "agreement/CAgreementRepurchaseWidgetDec.h"
#include "agreement/COpAgreementRepurchaseWidget.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"

namespace {

class AgreementTableSelectionTest : public AgreementFormFixture
{
protected:
    void SetUp() override
    {
        AgreementFormFixture::SetUp();
        page = std::make_unique<TC::COpAgreementRepurchaseWidget>(nullptr);
        bondTable = std::make_unique<TC::CAgreementPledgeBondWidget>(true, nullptr);
        posTable = std::make_unique<TC::CAgreementPledgePosWidget>(true, nullptr);
        page->setPledgeBondWidget(bondTable.get());
        page->setPledgePosWidget(posTable.get());
    }
    void TearDown() override
    {
        page.reset();
        AgreementFormFixture::TearDown();
    }
    std::unique_ptr<TC::COpAgreementRepurchaseWidget> page;
    std::unique_ptr<TC::CAgreementPledgeBondWidget> bondTable;
    std::unique_ptr<TC::CAgreementPledgePosWidget> posTable;
};

} // namespace

// A deal declaration takes its amount from the ticked positions: the tables'
// current (empty) selection replaces whatever amount was typed.
TEST_F(AgreementTableSelectionTest, dealDeclarationTakesTheTickedPositions)
{
    page->handleEvent(5, 1001, 0, QString(), nullptr);
    auto *dec = dynamic_cast<TC::CAgreementRepurchaseWidgetDec *>(page->currentOperationWidget());
    ASSERT_NE(dec, nullptr);
    ASSERT_NE(dec->form(), nullptr);
    typeInto(dec->form()->cells().amount->getLineEdit(), "1000500");
    ASSERT_EQ(dec->form()->cells().amount->text(), QString("1000500"));
    page->applyTableSelection();
    EXPECT_EQ(dec->form()->cells().amount->text(), QString("0.00"));
}

TEST_F(AgreementTableSelectionTest, operationsWithoutPledgeSelectionKeepTheirForm)
{
    page->handleEvent(5, 1003, 0, QString(), nullptr);
    auto *advance = dynamic_cast<TC::CAgreementRepurchaseWidgetAdvance *>(page->currentOperationWidget());
    ASSERT_NE(advance, nullptr);
    ASSERT_NE(advance->form(), nullptr);
    XP::CParameterCell *amount = advance->form()->cells().amount;
    if (amount && amount->isEnabled()) {
        typeInto(amount->getLineEdit(), "1000500");
        page->applyTableSelection();
        EXPECT_EQ(amount->text(), QString("1000500"));
    }
    // Without an operation widget nothing happens, and nothing crashes.
    page->selectOperation(4711);
    page->applyTableSelection();
    EXPECT_EQ(page->currentOperationWidget(), nullptr);
}
