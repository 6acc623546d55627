#include "spot/COpTransactionInCashWidget.h"

#include "tc/COpAccountsWidget.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "xp/CUiResource.h"

#include <QPaintEvent>

#include <algorithm>

namespace TC {

COpTransactionInCashWidget::COpTransactionInCashWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolpcoptransactionincashwidget"), false, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // The order form is 280 wide and ten rows of 22 plus its buttons high, with
    // an empty 130-wide column beside it; the account list is placed around that.
    setMinimumSize(280 + 10 + 130, 10 * 22 + 36 + 40);
}

COpTransactionInCashWidget::~COpTransactionInCashWidget() = default;

void COpTransactionInCashWidget::showPage(bool visible)
{
    setVisible(visible);
    if (!m_accounts)
        return;
    m_accounts->setVisible(visible);
    if (!visible)
        return;
    m_accounts->setTradeOpType(OPT_SPOT_BOND_TRADE);
    // Start on the first listed account that can trade now.
    CUserConfig *config = getUserConfig();
    auto *client = utils::CManualSingletonT<CTradeClient>::instance();
    for (const QString &key : m_accounts->getDisplayedAccounts()) {
        const CAccountPtr account = config->getAccountData(key);
        if (account && client->getLoginStatus(account->getAccountInfo()->getKey())
                           == ttservice::BROKER_LOGIN_STATUS_OK) {
            m_accounts->setSelectedAccount(key, true);
            break;
        }
    }
}

void COpTransactionInCashWidget::setAccountsAlignment(int flag)
{
    if (flag != Qt::AlignLeft && flag != Qt::AlignRight && flag != Qt::AlignTop
        && flag != Qt::AlignBottom)
        return;
    m_alignment = flag;
    layoutWithAccounts();
}

void COpTransactionInCashWidget::setCurrentAccount(const std::string &key)
{
    m_currentAccount = key;
    queryCanOrderNum();
}

void COpTransactionInCashWidget::queryCanOrderNum()
{
    // Orderable quantities need the order form's bond and price.
}

void COpTransactionInCashWidget::layoutWithAccounts()
{
    if (!m_accounts)
        return;
    XP::CUiResource *theme = XP::uiResource();
    const QSize f = minimumSize();
    const int t = theme->getSize(QStringLiteral("tc_siz_operation_tab_width"));
    const int wMin = theme->getSize(QStringLiteral("tc_siz_operation_panel_accounts_min_width"));
    const int hMin = theme->getSize(QStringLiteral("tc_siz_operation_panel_accounts_min_height"));
    const QSize a = m_availableSize;
    const int x0 = t - 5;
    QRect list;
    QRect page;
    switch (m_alignment) {
    case Qt::AlignLeft: {
        const int w = std::max(wMin, a.width() - f.width());
        list = QRect(x0, 0, w, f.height());
        page = QRect(x0 + w, 0, f.width(), f.height());
        break;
    }
    case Qt::AlignTop: {
        const int h = std::max(hMin, a.height() - f.height());
        list = QRect(x0, 0, t + f.width() + 200, h);
        page = QRect(x0, h, f.width(), f.height());
        break;
    }
    case Qt::AlignBottom:
        list = QRect(x0, f.height() + 2, t + f.width() + 200, std::max(hMin, a.height() - f.height()));
        page = QRect(t - 6, 0, f.width(), f.height());
        break;
    case Qt::AlignRight:
    default:
        list = QRect(t + f.width() + 2, 0, std::max(wMin, a.width() - f.width()), f.height());
        page = QRect(t - 6, 0, f.width(), f.height());
        break;
    }
    setGeometry(page);
    m_accounts->setGeometry(list);
}

void COpTransactionInCashWidget::paintEvent(QPaintEvent *event)
{
    if (m_tradeOperationType == OPT_SPOT_BOND_TRADE)
        layoutWithAccounts();
    XP::CBaseWidget::paintEvent(event);
}

} // namespace TC
