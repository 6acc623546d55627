#include "spot/COpTransactionInCashWidget.h"

#include "common/OrderPlacement.h"
#include "common/SoftAssert.h"

#include "common/DeploymentRights.h"

#include "common/FiccEvents.h"
#include "common/OrderSources.h"
#include "tc/CCanOrderNum.h"
#include "tc/COpAccountsWidget.h"
#include "tc/COpButton.h"
#include "tc/CStockCodeLineEdit.h"
#include "tc/EFilterFlag.h"
#include "tc/Services.h"
#include "ttservice/COrderComandParam.h"
#include "utils/TTLog.h"
#include "xp/CComboBox.h"
#include "xp/CDoubleValidator.h"
#include "xp/CLineEdit.h"
#include "xp/CMessageBox.h"
#include "xp/CMessageTip.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CWidgetList.h"
#include "xp/ENormalButtonType.h"

#include <QMap>
#include <QPaintEvent>
#include <QPair>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cfloat>
#include <initializer_list>

namespace TC {

namespace {

constexpr int kRowHeight = 22;
constexpr int kEditorWidth = 140;
constexpr int kSideColumnWidth = 130;

bool hasBuyButton()
{
    return currentDeploymentRights().spotBuy;
}
bool hasSellButton()
{
    return currentDeploymentRights().spotSell;
}
bool placesOrders()
{
    return currentDeploymentRights().placesOrders;
}

std::shared_ptr<ttservice::CInstrumentDetail> listedBond(const QString &code)
{
    return utils::CManualSingletonT<CExchangeClient>::instance()->getCodeInfo(code);
}

const QStringList &rowLabels()
{
    static const QStringList labels = {
        QStringLiteral("债券代码"),   QStringLiteral("债券名称"), QStringLiteral("委托类别"),
        QStringLiteral("委托数量"),   QStringLiteral("委托净价"), QStringLiteral("全价价格"),
        QStringLiteral("总应计利息"), QStringLiteral("结算金额"), QStringLiteral("对方交易员"),
        QStringLiteral("约定号"),
    };
    return labels;
}

} // namespace

COpTransactionInCashWidget::COpTransactionInCashWidget(QWidget *parent)
    : IBaseTransactionInCashWidget(QStringLiteral("zolpcoptransactionincashwidget"), parent)
{
    setTradeOperationType(OPT_SPOT_BOND_TRADE);
    setOperationType(ttservice::OPERATION_TYPE_BUY);
    buildUi();
    if (currentDeploymentRights().readOnly)
        setReadOnlyForm();
    setFocusPolicy(Qt::StrongFocus);
}

COpTransactionInCashWidget::~COpTransactionInCashWidget() = default;

XP::CWidgetList *COpTransactionInCashWidget::addRow(const QString &label)
{
    auto *row = new XP::CWidgetList(Qt::Horizontal, m_form);
    row->setMargins(0, 0, 0, 0);
    row->setFixedHeight(kRowHeight);
    auto *text = new XP::CSimpleTextWidget(label, row);
    text->setFixedHeight(kRowHeight);
    row->addFixedWidget(text, XP::CWidgetList::ANCHOR_END);
    row->addFixedSpace(20);
    return row;
}

void COpTransactionInCashWidget::finishRow(XP::CWidgetList *row, QWidget *editor)
{
    editor->setFixedSize(kEditorWidth, kRowHeight);
    row->addFixedWidget(editor, XP::CWidgetList::ANCHOR_FILL);
    m_form->addFixedWidget(row, XP::CWidgetList::ANCHOR_FILL);
}

COpButton *COpTransactionInCashWidget::addButton(XP::CWidgetList *row, int id, int buttonType,
                                                 const QString &text)
{
    auto *button = new COpButton(id, buttonType, text, row);
    button->setFontKeys(QStringLiteral("tc_fnt_operation_btn_text_option"),
                        QStringLiteral("tc_fnt_operation_btn_text_price"),
                        QStringLiteral("tc_fnt_operation_btn_text_volume"));
    button->setFixedSize(90, 36);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setBoldOnHover(true);
    button->setObjectName(id == ID_BUY ? QStringLiteral("zolp_spot_buy")
                                       : QStringLiteral("zolp_spot_sell"));
    row->addFixedWidget(button, XP::CWidgetList::ANCHOR_FILL);
    return button;
}

void COpTransactionInCashWidget::buildUi()
{
    m_contentList = new XP::CWidgetList(Qt::Horizontal, this);
    m_contentList->setMargins(0, 0, 0, 0);
    m_contentList->setSpacing(10);
    m_form = new XP::CWidgetList(Qt::Vertical, m_contentList);
    m_form->setObjectName(QStringLiteral("zolp_spot_form"));
    m_form->setMargins(20, 20, 0, 0);
    m_form->setSpacing(10);

    XP::CWidgetList *row = addRow(rowLabels().at(0));
    m_codeEdit = new CStockCodeLineEdit(0, 1, row);
    m_codeEdit->setObjectName(QStringLiteral("zolp_spot_code"));
    m_codeEdit->setFrame(false);
    m_codeEdit->setEmptyHintFontKey(QStringLiteral("fnt_default_normal_fix"));
    m_codeEdit->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    m_codeEdit->setEnableAll();
    m_codeEdit->setTradeType(ttservice::VQ_TRADER_TYPE_FICC);
    m_codeEdit->setFilterFlag(FILTER_BOND);
    m_codeEdit->clearCode();
    finishRow(row, m_codeEdit);

    row = addRow(rowLabels().at(1));
    m_nameEdit = new XP::CLineEdit(ID_NAME, row, false);
    m_nameEdit->setObjectName(QStringLiteral("zolp_spot_name"));
    m_nameEdit->setReadOnly(true);
    m_nameEdit->setFocusPolicy(Qt::NoFocus);
    m_nameEdit->setEnabled(false);
    finishRow(row, m_nameEdit);

    row = addRow(rowLabels().at(2));
    m_categoryCombo = new XP::CComboBox(ID_CATEGORY, row);
    m_categoryCombo->setObjectName(QStringLiteral("zolp_spot_category"));
    m_categoryCombo->addItem(QStringLiteral("指定对手方报价申报"), QVariant());
    m_categoryCombo->setViewWidth(160);
    finishRow(row, m_categoryCombo);

    row = addRow(rowLabels().at(3));
    m_quantityEdit = new XP::CLineEdit(ID_QUANTITY, row, false);
    m_quantityEdit->setObjectName(QStringLiteral("zolp_spot_quantity"));
    m_quantityEdit->setLabels(QStringLiteral("张"));
    m_quantityEdit->setSpin(QStringLiteral("张"), true, 10);
    m_quantityEdit->setIntValidator(10, 2147483647);
    finishRow(row, m_quantityEdit);

    row = addRow(rowLabels().at(4));
    m_priceEdit = new XP::CLineEdit(ID_PRICE, row, false);
    m_priceEdit->setObjectName(QStringLiteral("zolp_spot_price"));
    m_priceEdit->setLabels(QStringLiteral("元"));
    m_priceEdit->setSpin(QStringLiteral("元"), true, 0.001);
    m_priceEdit->setDoubleValidator(0, 1000000, 3)->setMinStep(0.001);
    m_priceEdit->setDouble(0);
    finishRow(row, m_priceEdit);

    row = addRow(rowLabels().at(5));
    m_fullPriceEdit = new XP::CLineEdit(ID_FULL_PRICE, row, false);
    m_fullPriceEdit->setObjectName(QStringLiteral("zolp_spot_fullprice"));
    m_fullPriceEdit->setLabels(QStringLiteral("元"));
    m_fullPriceEdit->setDoubleValidator(0, DBL_MAX, 3);
    m_fullPriceEdit->setDouble(0);
    m_fullPriceEdit->setEnabled(false);
    finishRow(row, m_fullPriceEdit);

    row = addRow(rowLabels().at(6));
    m_accruedEdit = new XP::CLineEdit(ID_ACCRUED, row, false);
    m_accruedEdit->setObjectName(QStringLiteral("zolp_spot_accrued"));
    m_accruedEdit->setLabels(QStringLiteral("元"));
    m_accruedEdit->setDoubleValidator(0, DBL_MAX, 3);
    m_accruedEdit->setEnabled(false);
    finishRow(row, m_accruedEdit);

    row = addRow(rowLabels().at(7));
    m_settlementEdit = new XP::CLineEdit(ID_SETTLEMENT, row, false);
    m_settlementEdit->setObjectName(QStringLiteral("zolp_spot_settlement"));
    m_settlementEdit->setLabels(QStringLiteral("元"));
    m_settlementEdit->setDoubleValidator(0, DBL_MAX, 3);
    m_settlementEdit->setEnabled(false);
    finishRow(row, m_settlementEdit);

    row = addRow(rowLabels().at(8));
    m_traderEdit = new XP::CLineEdit(ID_COUNTERPARTY_TRADER, row, false);
    m_traderEdit->setObjectName(QStringLiteral("zolp_spot_trader"));
    finishRow(row, m_traderEdit);

    row = addRow(rowLabels().at(9));
    m_agreementEdit = new XP::CLineEdit(ID_AGREEMENT_NO, row, false);
    m_agreementEdit->setObjectName(QStringLiteral("zolp_spot_agreementno"));
    finishRow(row, m_agreementEdit);

    // One width for every label so that the editors line up.
    const QList<XP::CSimpleTextWidget *> labels = m_form->findChildren<XP::CSimpleTextWidget *>();
    int labelWidth = 0;
    for (const XP::CSimpleTextWidget *label : labels)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (XP::CSimpleTextWidget *label : labels)
        label->setFixedWidth(labelWidth);

    auto *buttons = new XP::CWidgetList(Qt::Horizontal, m_form);
    buttons->setMargins(10, 10, 0, 0);
    buttons->setSpacing(30);
    buttons->setFixedHeight(56);
    buttons->addStretchSpace();
    if (hasBuyButton())
        m_buyButton = addButton(buttons, ID_BUY, XP::NBT_BUY, QStringLiteral("买 入"));
    if (hasSellButton())
        m_sellButton = addButton(buttons, ID_SELL, XP::NBT_SELL, QStringLiteral("卖 出"));
    buttons->addStretchSpace();
    m_form->addFixedWidget(buttons, XP::CWidgetList::ANCHOR_FILL);

    // Ten rows and the buttons, and never less than the rows and their
    // spacing need, so that the buttons stay on the form with any theme font.
    const int sellHeight = m_sellButton ? m_sellButton->height() : 0;
    const int height
        = std::max(10 * kRowHeight + sellHeight + 40, m_form->minimumSizeHint().height());
    m_form->setFixedSize(280, height);

    m_contentList->addFixedWidget(m_form, XP::CWidgetList::ANCHOR_START);
    // An empty column beside the form; nothing is placed in it.
    auto *side = new XP::CWidgetList(Qt::Vertical, m_contentList);
    side->setMargins(0, 0, 0, 0);
    side->setSpacing(0);
    side->setFixedWidth(kSideColumnWidth);
    m_contentList->addFixedWidget(side, XP::CWidgetList::ANCHOR_FILL);

    m_contentList->setMinimumSize(m_form->width() + kSideColumnWidth, m_form->height());
    setMinimumSize(m_contentList->minimumSize());
    setInnerStretchWidget(m_contentList, 0, 0, 0, 0);
}

void COpTransactionInCashWidget::setReadOnlyForm()
{
    // The agreement number stays editable: it may be noted while looking.
    for (QWidget *w : std::initializer_list<QWidget *> { m_codeEdit, m_categoryCombo,
                                                         m_quantityEdit, m_priceEdit, m_traderEdit,
                                                         m_buyButton, m_sellButton }) {
        if (w)
            w->setEnabled(false);
    }
}

XP::CLineEdit *COpTransactionInCashWidget::editor(int id) const
{
    switch (id) {
    case ID_NAME:
        return m_nameEdit;
    case ID_QUANTITY:
        return m_quantityEdit;
    case ID_PRICE:
        return m_priceEdit;
    case ID_SETTLEMENT:
        return m_settlementEdit;
    case ID_ACCRUED:
        return m_accruedEdit;
    case ID_FULL_PRICE:
        return m_fullPriceEdit;
    case ID_COUNTERPARTY_TRADER:
        return m_traderEdit;
    case ID_AGREEMENT_NO:
        return m_agreementEdit;
    default:
        return nullptr;
    }
}

void COpTransactionInCashWidget::publishSplitVolume()
{
    FICC_ASSERT(m_quantityEdit, return );
    QMap<std::string, QPair<double, double>> volumes;
    volumes.insert(m_currentAccount, qMakePair(m_quantityEdit->toDouble(), 0.0));
    deliverEvent(EVT_ACCOUNT_SPLIT_VOLUME, OPT_SPOT_BOND_TRADE, 0, QString(), &volumes);
}

std::string COpTransactionInCashWidget::currentAccount() const
{
    return m_currentAccount;
}

void COpTransactionInCashWidget::setCurrentAccount(const std::string &key)
{
    m_currentAccount = key;
    queryCanOrderNum();
    publishSplitVolume();
}

void COpTransactionInCashWidget::setOperationEnabled(ttservice::EOperationType side, bool enabled)
{
    if (side == ttservice::OPERATION_TYPE_BUY && m_buyButton)
        m_buyButton->setEnabled(enabled);
    else if (side == ttservice::OPERATION_TYPE_SELL && m_sellButton)
        m_sellButton->setEnabled(enabled);
}

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
        if (account
            && client->getLoginStatus(account->getAccountInfo()->getKey())
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

void COpTransactionInCashWidget::layoutWithAccounts()
{
    if (!m_accounts)
        return;
    XP::CUiResource *theme = utils::CSingletonT<XP::CUiResource>::instance();
    const QSize f = m_contentList ? m_contentList->minimumSize() : QSize(0, 0);
    const int t = theme->getSize(QStringLiteral("tc_siz_operation_tab_width"));
    const int wMin = theme->getSize(QStringLiteral("tc_siz_operation_panel_accounts_min_width"));
    const int hMin = theme->getSize(QStringLiteral("tc_siz_operation_panel_accounts_min_height"));
    const QSize a = m_availableSize;
    // The rectangles start just under the tab column's right edge; the
    // switcher keeps the tabs raised above them.
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
        list = QRect(x0, f.height() + 2, t + f.width() + 200,
                     std::max(hMin, a.height() - f.height()));
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

double COpTransactionInCashWidget::fullPrice() const
{
    FICC_ASSERT(m_fullPriceEdit, return ttservice::kUnsetDouble);
    // The editor shows its invalid text for a price that could not be computed.
    if (m_fullPriceEdit->text() == m_fullPriceEdit->invalidText())
        return ttservice::kUnsetDouble;
    return m_fullPriceEdit->toDouble();
}

void COpTransactionInCashWidget::queryCanOrderNum()
{
    if (!m_accounts || !m_priceEdit)
        return;
    const auto bond = listedBond(m_stockCode);
    if (!bond)
        return;
    ttservice::CDataCenter *dataCenter = ttservice::TraderCenter::instance()->getDataCenter();
    const ttservice::CCalculator *calculator = ttservice::TraderCenter::instance()->getCalculator();
    for (const QString &key : m_accounts->getDisplayedAccounts()) {
        CCanOrderNum num = CSpotOrderRules::canOrderNum(
            *calculator, dataCenter->getAccountData(key.toStdString()), *bond,
            m_priceEdit->toDouble(), fullPrice());
        deliverEvent(EVT_CAN_ORDER_NUM, m_operationType, 0, key, &num);
    }
}

void COpTransactionInCashWidget::setStockCode(const QString &code)
{
    m_stockCode = code;
    if (const auto bond = listedBond(code)) {
        if (m_nameEdit)
            m_nameEdit->setText(QString::fromStdString(bond->instrumentName));
    }
    updateAmounts();
}

void COpTransactionInCashWidget::clearForm()
{
    for (XP::CLineEdit *e : { m_nameEdit, m_traderEdit, m_agreementEdit }) {
        if (e)
            e->clear();
    }
    if (m_quantityEdit)
        m_quantityEdit->setInt(0);
    for (XP::CLineEdit *e : { m_priceEdit, m_fullPriceEdit, m_accruedEdit, m_settlementEdit }) {
        if (e)
            e->setDouble(0);
    }
}

void COpTransactionInCashWidget::updateAmounts()
{
    FICC_ASSERT(m_quantityEdit && m_accruedEdit && m_settlementEdit && m_priceEdit, return );
    const auto bond = listedBond(m_stockCode);
    if (!bond)
        return;
    const CSpotOrderRules::Amounts amounts = CSpotOrderRules::amounts(
        m_priceEdit->toDouble(), m_quantityEdit->toInt(), bond->accruedInterest);
    if (m_fullPriceEdit)
        m_fullPriceEdit->setDouble(amounts.fullPrice);
    m_accruedEdit->setDouble(amounts.totalAccruedInterest);
    m_settlementEdit->setDouble(amounts.settlementAmount);
}

CSpotOrderRules::Input COpTransactionInCashWidget::formInput() const
{
    CSpotOrderRules::Input input;
    input.accountKey = m_currentAccount;
    input.hasCodeEditor = m_codeEdit != nullptr;
    input.stockCode = m_stockCode;
    input.hasAgreementEditor = m_agreementEdit != nullptr;
    input.agreementNo = m_agreementEdit ? m_agreementEdit->toString() : QString();
    input.priceText = m_priceEdit ? m_priceEdit->text() : QString();
    input.quantityText = m_quantityEdit ? m_quantityEdit->text() : QString();
    input.counterpartyTrader = m_traderEdit ? m_traderEdit->text() : QString();
    input.fullPrice = fullPrice();
    return input;
}

CSpotOrderRules::Host COpTransactionInCashWidget::orderHost(const CSpotOrderRules::Input &input,
                                                            const std::string &instructionKey)
{
    CSpotOrderRules::Host host(*ttservice::TraderCenter::instance()->getCalculator());
    host.account = readOrderAccount(QString::fromStdString(input.accountKey));
    host.accountData
        = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(input.accountKey);
    host.instrument = listedBond(input.stockCode);
    host.instruction = readInstruction(instructionKey);
    host.userName = getUserConfig()->userName.toUtf8().toStdString();
    return host;
}

bool COpTransactionInCashWidget::checkInput(QString &error)
{
    const CSpotOrderRules::Input input = formInput();
    return CSpotOrderRules::checkInput(input, orderHost(input, m_instructionKey), error);
}

bool COpTransactionInCashWidget::buildOrders(std::vector<ttservice::CCodeOrderParam> &orders,
                                             QString &error, std::string &)
{
    const CSpotOrderRules::Input input = formInput();
    return CSpotOrderRules::buildOrders(input, orderHost(input, m_instructionKey), m_operationType,
                                        orders, error);
}

void COpTransactionInCashWidget::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    QString error;
    std::string detail;
    if (!buildOrders(orders, error, detail)) {
        CUserConfig *config = getUserConfig();
        if (config->getTradeSetting()->testHintBeforeOrderFlag(1) || config->testGlobalOrderHint(1))
            XP::CMessageBox::critical(0, this, QStringLiteral("参数错误"), error, QMessageBox::Ok);
        utils::CManualSingletonT<CMsgService>::instance()->showMsg(error.toUtf8().toStdString(), 4,
                                                                   1, false, false);
        return;
    }
    // Read-only deployments (200) build the order but never place it.
    if (!placesOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] Transaction in cash.");
    CAlgorithmHelpDialog::tryHelp(orders);
    sendManualCommand(orders, detail);
}

void COpTransactionInCashWidget::showTip(QWidget *editor, const QString &text)
{
    XP::CMessageTip::showTip(editor, Qt::AlignLeft | Qt::AlignBottom, text,
                             XP::CMessageTip::TIP_WARNING, 300);
}

void COpTransactionInCashWidget::onAgreementNoEdited(const QString &text)
{
    if (!m_agreementEdit)
        return;
    if (m_stockCode.isEmpty()) {
        m_agreementEdit->clear();
        showTip(m_agreementEdit, QStringLiteral("请先选择证券代码!"));
        return;
    }
    if (const auto bond = listedBond(m_stockCode)) {
        const QString tip = CSpotOrderRules::agreementNoTip(bond->market, text);
        if (!tip.isEmpty())
            showTip(m_agreementEdit, tip);
    }
}

bool COpTransactionInCashWidget::handleEvent(int event, int a, int b, QString text, void *data)
{
    switch (event) {
    case EVT_BUTTON_CHECKED: {
        if (a == ID_BUY)
            setOperationType(ttservice::OPERATION_TYPE_BUY);
        else if (a == ID_SELL)
            setOperationType(ttservice::OPERATION_TYPE_SELL);
        QString error;
        if (!checkInput(error)) {
            utils::CManualSingletonT<CMsgService>::instance()->showMsg(error.toUtf8().toStdString(),
                                                                       4, 1, false, false);
            return true;
        }
        TT_LOG_INFO(boost::format("User %1% do ticc tradeOptype %2%")
                    % getUserConfig()->userName.toUtf8().toStdString() % a);
        doOperation();
        return true;
    }
    case XP::EVT_EDIT_FINISHED:
        switch (a) {
        case ID_AGREEMENT_NO:
            onAgreementNoEdited(text);
            break;
        case ID_COUNTERPARTY_TRADER:
            if (text.isEmpty() && m_traderEdit)
                showTip(m_traderEdit, QStringLiteral("请输入对方交易员!"));
            break;
        case ID_PRICE:
            if (m_priceEdit)
                m_priceEdit->setDouble(text.toDouble());
            updateAmounts();
            queryCanOrderNum();
            break;
        case ID_QUANTITY:
            updateAmounts();
            publishSplitVolume();
            break;
        default:
            break;
        }
        return true;
    case EVT_CODE_ENTERED:
        clearForm();
        // The account list still gets the figures of the previous code here;
        // the next price entry refreshes them for the new one.
        queryCanOrderNum();
        setStockCode(text);
        publishSplitVolume();
        return true;
    default:
        return XP::CBaseWidget::handleEvent(event, a, b, text, data);
    }
}

} // namespace TC
