// The pledged positions as a trader meets them in the demo terminal: under
// 成交申报 the account's pledgeable bonds, their available volumes moving
// with the host's feed while the terminal runs.
#include "DemoInput.h"

namespace {

using namespace demo;
using PledgeDemo = DemoTerminalTest;

TEST_F(PledgeDemo, dealDeclarationListsThePledgeablePositionsMovingWithTheFeed)
{
    write("host.ini", "[feed]\npositionIntervalMs=20\n");
    open(QStringLiteral("2//1001"));
    XP::CStandardHpfTable *positions = pledgeTable(window->ficcPanel(), 0);
    ASSERT_NE(positions, nullptr);
    // 880001's pledgeable bonds only: not its convertibles.
    QStringList keys;
    for (int index = 0; index < positions->dataModel()->size(); ++index)
        keys << positions->keyAt(index);
    keys.sort();
    EXPECT_EQ(keys, (QStringList { "SH|019547", "SH|122001", "SZ|101501" }));

    // The feed moves the available volumes while the trader looks.
    const int row = positions->dataModel()->indexOfKey(QStringLiteral("SH|019547"));
    const QString before = positions->itemText(row, 6);
    EXPECT_TRUE(waitFor([&] { return positions->itemText(row, 6) != before; }, 1000));
    screenshot(window.get());
}

} // namespace
