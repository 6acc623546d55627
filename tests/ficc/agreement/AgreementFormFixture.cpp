#include "AgreementFormFixture.h"
#include "UserInput.h"

#include "common/CDealerDirectory.h"
#include "tc/CHostClock.h"
#include "tc/CTradingCalendar.h"
#include "tc/CUserManager.h"
#include "tc/ConfigDir.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"
#include "utils/StringHelper.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include <boost/make_shared.hpp>

ttservice::CRepurchasePledgedBondPtr pledgedBond(const std::string &market, const std::string &code,
                                                 int volume, int swapFlag, const std::string &name,
                                                 int property)
{
    auto bond = boost::make_shared<ttservice::CRepurchasePledgedBond>();
    bond->market = market;
    bond->bondCode = code;
    bond->bondName = name;
    bond->pledgeVolume = volume;
    bond->swapFlag = swapFlag;
    bond->stockProperty = property;
    return bond;
}

ttservice::CBondInfoDetailPtr repoVariety(const std::string &market, const std::string &code,
                                          const std::string &name, int minDays, int maxDays)
{
    auto variety = boost::make_shared<ttservice::CBondInfoDetail>();
    variety->market = market;
    variety->instrumentCode = code;
    variety->instrumentName = name;
    variety->minDays = minDays;
    variety->maxDays = maxDays;
    return variety;
}

EventSink::EventSink()
    : XP::CBaseWidget(QStringLiteral("test_eventsink"), false, nullptr)
{
}

bool EventSink::handleEvent(int event, int a, int b, QString text, void *data)
{
    QVariant value;
    if (event == 71 && data)
        value = *static_cast<QVariant *>(data);
    events.push_back(Event { event, a, b, text, value });
    return true;
}

void AgreementFormFixture::SetUp()
{
    HostFixture::SetUp();
    ASSERT_TRUE(m_tmp.isValid());
    TC::setConfigDir(m_tmp.path());
    auto *calendar = utils::CSingletonT<TC::CTradingCalendar>::instance();
    calendar->clear();
    ASSERT_TRUE(calendar->loadClosures(QFileInfo(QStringLiteral(__FILE__))
                                           .absoluteDir()
                                           .filePath("../../../app/data/ExchangeHolidays.csv")));
    TC::CHostClock::setToday(QDate(2026, 2, 12));
    addVarieties();
}

std::unique_ptr<AgreementFormFixture::Form>
AgreementFormFixture::makeForm(TC::ETradeOperationType type, const std::string &contract,
                               QWidget *parent)
{
    auto form = std::make_unique<Form>(type, parent, QStringLiteral("zolp_test_form"), false);
    form->setAccountKeys({ kLoggedInAccount, kRefreshingAccount });
    if (!contract.empty())
        form->setContract(contract);
    return form;
}

void AgreementFormFixture::addVarieties()
{
    const int ranges[9][2] = { { 1, 1 },   { 2, 3 },   { 4, 7 },    { 8, 14 },   { 15, 28 },
                               { 29, 63 }, { 64, 91 }, { 92, 182 }, { 183, 365 } };
    for (const auto &market : { std::make_pair("SH", 279), std::make_pair("SZ", 10057) }) {
        for (int i = 0; i < 9; ++i) {
            const std::string days = std::to_string(ranges[i][1]);
            addVariety(market.first,
                       (market.first == std::string("SH") ? "206" : "138")
                           + QString::fromStdString(days).rightJustified(3, '0').toStdString(),
                       market.first + std::string("回购") + days + "天", ranges[i][0], ranges[i][1],
                       market.second + i);
        }
    }
}

void AgreementFormFixture::addVariety(const std::string &market, const std::string &code,
                                      const std::string &name, int minDays, int maxDays, int typeId)
{
    auto inst = boost::make_shared<ttservice::CInstrumentDetail>();
    inst->market = market;
    inst->instrumentCode = code;
    inst->instrumentName = name;
    inst->extraDetail = repoVariety(market, code, name, minDays, maxDays);
    ttservice::TraderCenter::instance()->getInstCenter()->addInstrument(inst);
    utils::CSingletonT<ttservice::StockTypeCenter>::instance()->addTypedStock(typeId, market, code);
}

void AgreementFormFixture::typeInto(QLineEdit *edit, const QString &text)
{
    // Select everything and type over it; an empty text is a Backspace.
    edit->selectAll();
    if (text.isEmpty())
        pressKey(edit, Qt::Key_Backspace);
    type(edit, text);
}

void AgreementFormFixture::typeTerms(Form &form, const QString &days, const QString &rate,
                                     const QString &amount)
{
    typeInto(form.cells().rate->getLineEdit(), rate);
    typeInto(form.cells().amount->getLineEdit(), amount);
    typeInto(form.cells().days->getLineEdit(), days);
}

ttservice::CRepurchaseAgreementContractInfoPtr
AgreementFormFixture::addContract(const std::string &no, int volume)
{
    auto contract = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
    contract->contractNo = no;
    contract->market = "SH";
    contract->direction = '1';
    contract->repurchaseAmount = 1000000;
    contract->conversionRatio = 0.6;
    contract->repurchaseRate = 0.0365;
    contract->repurchaseDays = 7;
    contract->firstSettleDate = 20260202;
    contract->maturitySettleDate = 20260209;
    contract->maturitySettleAmount = 1000700;
    contract->trader = "T1 张三";
    contract->counterpartyTrader = "T7";
    contract->counterpartyDealer = "D2 券商乙";
    contract->counterpartyDealerName = "券商乙";
    contract->supplementaryTerms = "按约定";
    contract->dealer = "D1 银行甲";
    contract->tradingEntity = "S1 主体一";
    contract->counterpartyEntity = "S3 主体三";
    contract->pledgedBonds.push_back(pledgedBond("SH", "019547", volume));
    TC::getUserConfig()
        ->getAccountData(QString::fromLatin1(kLoggedInAccount))
        ->getAccountData()
        ->updateData(contract, false);
    return contract;
}

ttservice::CPledgedBondInfo AgreementFormFixture::pledgeRow(const std::string &code, double amount,
                                                            int volume, const std::string &market,
                                                            int property)
{
    ttservice::CPledgedBondInfo row;
    row.market = market;
    row.bondCode = code;
    row.pledgeAmount = amount;
    row.pledgeVolume = volume;
    row.stockProperty = property;
    return row;
}

ttservice::CRepurchaseAgreementParam
AgreementFormFixture::agreementOf(const ttservice::CCodeOrderParam &order)
{
    ttservice::CRepurchaseAgreementParam agreement;
    agreement.bsonValueFromObj(order.agreementParam);
    return agreement;
}

QString AgreementFormFixture::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_tmp.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

void AgreementFormFixture::loadDealers(const QString &utf8Text)
{
    QString error;
    ASSERT_TRUE(TC::CDealerDirectory::instance()->load(
        writeFile(QStringLiteral("dealers.csv"), utils::utf8ToGbk(utf8Text)), error))
        << error.toStdString();
}
