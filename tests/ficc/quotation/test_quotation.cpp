#include "quotation/COpQuotationRepurchaseWidget.h"
#include "quotation/CQuotationRepurchaseWidgets.h"
#include "quotation/CQuotationTableWidget.h"

#include <gtest/gtest.h>

#include <memory>

// Quoted repurchase is shown but not traded: its page keeps no parameters and
// adopts no table, and its operation widgets never build an order.
TEST(QuotationRepurchase, pageKeepsNoParametersAndWidgetsNeverBuildOrders)
{
    TC::COpQuotationRepurchaseWidget page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("zolp_marbeth_operationcreditwidget"));
    EXPECT_TRUE(page.children().isEmpty());
    for (const char *text : { "1#2#3", "a/b" }) {
        page.setParam(QString::fromUtf8(text));
        EXPECT_EQ(page.param(), QString("")) << text;
    }
    TC::CQuotationTableWidget table(nullptr);
    EXPECT_EQ(table.objectName(), QStringLiteral("zolp_quvio_opcreditdealswidget"));
    page.setQuotationTableWidget(&table);
    EXPECT_EQ(table.parent(), nullptr);

    std::vector<std::unique_ptr<TC::IBaseQuotationRepurchaseWidget>> widgets;
    widgets.emplace_back(new TC::CQuotationRepurchaseWidgetBefore(nullptr));
    widgets.emplace_back(new TC::CQuotationRepurchaseWidgetBuy(nullptr));
    widgets.emplace_back(new TC::CQuotationRepurchaseWidgetCancel(nullptr));
    widgets.emplace_back(new TC::CQuotationRepurchaseWidgetReservation(nullptr));
    widgets.emplace_back(new TC::CQuotationRepurchaseWidgetStop(nullptr));
    for (auto &w : widgets) {
        std::set<std::string> keys { "10001" };
        std::vector<ttservice::CCodeOrderParam> orders;
        w->setAccountKeys(&keys);
        w->doOperation();
        EXPECT_FALSE(w->buildOrders(orders));
        EXPECT_TRUE(orders.empty());
        EXPECT_EQ(w->objectName(), QStringLiteral("zolp_quvio_basewidget"));
    }
}
