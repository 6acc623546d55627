// A search-as-you-type editor destroyed while its line edit has the focus (a
// panel closed while the trader types a dealer or a bond code): the focus
// leaves the line edit during the destruction, and nothing of the gone editor
// may run then.
#include "EventRecorder.h"
#include "UserInput.h"

#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/WidgetEvents.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

TEST(AutoKeyboardLineEditTeardown, destroyedWithTheFocusPicksNothingAndTellsTheFormNothing)
{
    XP::CPortfolioSearchModel model;
    model.init({ QStringLiteral("100001 澄湖银行"), QStringLiteral("100002 远川银行") });
    EventRecorder form(QStringLiteral("form"), nullptr);
    auto *cell = new XP::CAutoKeyboardLineEdit(&model, 12, &form, true);
    cell->setAllowCustomInput(false); // an unknown text is replaced by its first match on leaving
    form.resize(300, 100);
    form.show();
    QApplication::setActiveWindow(&form);
    cell->getLineEdit()->setFocus();
    ASSERT_TRUE(cell->getLineEdit()->hasFocus());
    type(cell->getLineEdit(), QStringLiteral("1000"));

    delete cell;
    EXPECT_EQ(form.count(XP::EVT_AUTOKEYBOARD_PICKED), 0);
}

} // namespace
