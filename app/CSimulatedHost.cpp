#include "CSimulatedHost.h"
#include "SeedFile.h"

#include "CPaperExchange.h"
#include "CSimulatedCounter.h"

#include "tc/Services.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/CBondDetail.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "ttservice/DataTypes.h"
#include "utils/DateText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTextStream>

#include <boost/make_shared.hpp>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace app {

namespace {

constexpr const char *kDealerFile = "FiccDealerConfig.csv";

// As readCsvLines, for files whose lines are either taken or "malformed".
bool readCsv(const QString &path, int minFields, QStringList *warnings, QString *error,
             const std::function<bool(const QStringList &)> &row)
{
    return readCsvLines(path, warnings, error, [&](const QStringList &fields) {
        return fields.size() >= minFields && row(fields) ? QString()
                                                         : QStringLiteral("malformed line");
    });
}

ttservice::EBROKER_LOGIN_STATUS loginStatusFromText(const QString &text, bool *ok)
{
    *ok = true;
    if (text == QLatin1String("logged_in"))
        return ttservice::BROKER_LOGIN_STATUS_OK;
    if (text == QLatin1String("refreshing"))
        return ttservice::BROKER_LOGIN_STATUS_REFRESHING;
    if (text == QLatin1String("not_logged_in"))
        return ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN;
    *ok = false;
    return ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN;
}

// The columns of contracts.csv, in file order.
enum ContractColumn {
    COL_ACCOUNT,
    COL_CONTRACT_NO,
    COL_MARKET,
    COL_DIRECTION,
    COL_STATUS,
    COL_FIRST_SETTLE_OFFSET,
    COL_MATURITY_OFFSET,
    COL_AMOUNT,
    COL_RATE,
    COL_CONVERSION_RATIO,
    COL_MATURITY_AMOUNT,
    COL_PLEDGED_BONDS,
    COL_DEALER,
    COL_TRADING_ENTITY,
    COL_TRADER,
    COL_COUNTERPARTY_DEALER,
    COL_COUNTERPARTY_DEALER_NAME,
    COL_COUNTERPARTY_ENTITY,
    COL_COUNTERPARTY_TRADER,
    COL_REFERENCE_NO,
    COL_SUPPLEMENTARY_TERMS,
    CONTRACT_COLUMNS
};

// Half a cent, and a little for the binary fractions: amounts given to the
// cent agree with the ones worked out here within this.
constexpr double kCentTolerance = 0.006;

using utils::dateNumber;

std::string field(const QStringList &f, int column)
{
    return f[column].trimmed().toStdString();
}

// The counter's one-character code ('1' -> 49) when `text` is one of `codes`, else 0.
int characterCode(const QString &text, const char *codes)
{
    const QString code = text.trimmed();
    if (code.size() != 1 || code[0].unicode() <= ' ' || code[0].unicode() > 127
        || !std::strchr(codes, code[0].toLatin1()))
        return 0;
    return code[0].toLatin1();
}

// Principal and simple interest on an actual/365 basis, to the cent (half up).
double maturitySettleAmount(double amount, double rate, int days)
{
    return std::floor(amount * (1.0 + rate * days / 365.0) * 100.0 + 0.5) / 100.0;
}

// Fills `contract->pledgedBonds` from "code:volume|code:volume" of the contract's
// market; returns why the list is not usable, empty when it is.
QString readPledgedBonds(const QString &text, ttservice::CRepurchaseAgreementContractInfo *contract)
{
    const auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    if (text.trimmed().isEmpty())
        return QStringLiteral("no pledged bonds");
    double faceValue = 0.0;
    for (const QString &entry : text.split('|')) {
        const QStringList parts = entry.split(':');
        bool okVolume = false;
        const int volume = parts.size() == 2 ? parts[1].trimmed().toInt(&okVolume) : 0;
        if (!okVolume || volume <= 0)
            return QStringLiteral("pledged bond \"%1\" is not code:volume").arg(entry);
        auto bond = boost::make_shared<ttservice::CRepurchasePledgedBond>();
        bond->market = contract->market;
        bond->bondCode = parts[0].trimmed().toStdString();
        bond->pledgeVolume = volume;
        const ttservice::CInstrumentDetailPtr inst
            = instruments->getInstrument(bond->market, bond->bondCode);
        if (!inst || !inst->bondDetail)
            return QStringLiteral("pledged bond %1 is no %2 bond of instruments.csv")
                .arg(parts[0].trimmed(), QString::fromStdString(contract->market));
        for (const ttservice::CRepurchasePledgedBondPtr &other : contract->pledgedBonds) {
            if (other->bondCode == bond->bondCode)
                return QStringLiteral("bond %1 pledged twice").arg(parts[0].trimmed());
        }
        bond->bondName = inst->instrumentName;
        faceValue += double(volume) * inst->bondDetail->faceValue;
        contract->pledgedBonds.push_back(bond);
    }
    if (faceValue * contract->conversionRatio + kCentTolerance < contract->repurchaseAmount)
        return QStringLiteral("pledged face value %1 at ratio %2 does not cover the amount")
            .arg(faceValue, 0, 'f', 2)
            .arg(contract->conversionRatio);
    return QString();
}

// A contract of contracts.csv with dates counted from `tradingDate`; returns
// why the line is malformed, empty when `contract` is filled.
QString readContract(const QStringList &f, const QDate &tradingDate,
                     ttservice::CRepurchaseAgreementContractInfo *contract)
{
    if (f.size() < CONTRACT_COLUMNS)
        return QStringLiteral("%1 fields, %2 expected").arg(f.size()).arg(int(CONTRACT_COLUMNS));
    contract->contractNo = field(f, COL_CONTRACT_NO);
    if (contract->contractNo.empty())
        return QStringLiteral("no contract number");
    contract->market = field(f, COL_MARKET);
    if (contract->market != "SH" && contract->market != "SZ")
        return QStringLiteral("market is neither SH nor SZ");
    contract->direction = characterCode(f[COL_DIRECTION], "12");
    if (!contract->direction)
        return QStringLiteral("direction is neither 1 nor 2");
    contract->contractStatus = characterCode(f[COL_STATUS], "012345678");
    if (!contract->contractStatus)
        return QStringLiteral("unknown contract status \"%1\"").arg(f[COL_STATUS].trimmed());

    bool okFirst = false, okMaturity = false;
    const int firstOffset = f[COL_FIRST_SETTLE_OFFSET].trimmed().toInt(&okFirst);
    const int maturityOffset = f[COL_MATURITY_OFFSET].trimmed().toInt(&okMaturity);
    if (!okFirst || !okMaturity)
        return QStringLiteral("settlement offsets are not whole days");
    contract->repurchaseDays = maturityOffset - firstOffset;
    if (contract->repurchaseDays < 1 || contract->repurchaseDays > 365)
        return QStringLiteral("term of %1 days is not 1-365").arg(contract->repurchaseDays);
    contract->firstSettleDate = dateNumber(tradingDate.addDays(firstOffset));
    contract->maturitySettleDate = dateNumber(tradingDate.addDays(maturityOffset));

    bool okAmount = false, okRate = false, okRatio = false, okMaturityAmount = false;
    contract->repurchaseAmount = f[COL_AMOUNT].trimmed().toDouble(&okAmount);
    contract->repurchaseRate = f[COL_RATE].trimmed().toDouble(&okRate);
    contract->conversionRatio = f[COL_CONVERSION_RATIO].trimmed().toDouble(&okRatio);
    contract->maturitySettleAmount = f[COL_MATURITY_AMOUNT].trimmed().toDouble(&okMaturityAmount);
    if (!okAmount || contract->repurchaseAmount <= 0)
        return QStringLiteral("amount is not a positive number");
    // A rate of 2.15 is a percentage typed where the fraction 0.0215 belongs.
    if (!okRate || contract->repurchaseRate <= 0 || contract->repurchaseRate >= 1)
        return QStringLiteral("rate is not a fraction between 0 and 1");
    if (!okRatio || contract->conversionRatio <= 0 || contract->conversionRatio > 1)
        return QStringLiteral("conversion ratio is not a fraction between 0 and 1");
    if (!okMaturityAmount || contract->maturitySettleAmount < 0)
        return QStringLiteral("maturity amount is not a number");
    if (contract->maturitySettleAmount > 0) {
        const double due = maturitySettleAmount(contract->repurchaseAmount,
                                                contract->repurchaseRate, contract->repurchaseDays);
        if (std::abs(contract->maturitySettleAmount - due) > kCentTolerance)
            return QStringLiteral("maturity amount %1 is not the %2 due")
                .arg(contract->maturitySettleAmount, 0, 'f', 2)
                .arg(due, 0, 'f', 2);
    }

    const QString bonds = readPledgedBonds(f[COL_PLEDGED_BONDS], contract);
    if (!bonds.isEmpty())
        return bonds;

    contract->dealer = field(f, COL_DEALER);
    contract->tradingEntity = field(f, COL_TRADING_ENTITY);
    contract->trader = field(f, COL_TRADER);
    contract->counterpartyDealer = field(f, COL_COUNTERPARTY_DEALER);
    contract->counterpartyDealerName = field(f, COL_COUNTERPARTY_DEALER_NAME);
    contract->counterpartyEntity = field(f, COL_COUNTERPARTY_ENTITY);
    contract->counterpartyTrader = field(f, COL_COUNTERPARTY_TRADER);
    contract->referenceNo = field(f, COL_REFERENCE_NO);
    contract->supplementaryTerms = field(f, COL_SUPPLEMENTARY_TERMS);
    return QString();
}

// The columns of pending_declarations.csv, in file order.
enum DeclarationColumn {
    DCL_REF,
    DCL_ACCOUNT,
    DCL_MARKET,
    DCL_CONTRACT_CODE,
    DCL_DIRECTION,
    DCL_DECLARE_TYPE,
    DCL_TRADER,
    DCL_DEALER,
    DCL_DEALER_NAME,
    DCL_COUNTERPARTY_TRADER,
    DCL_COUNTERPARTY_DEALER,
    DCL_COUNTERPARTY_DEALER_NAME,
    DCL_AMOUNT,
    DCL_RATE,
    DCL_CONVERSION_RATIO,
    DCL_FIRST_SETTLE_OFFSET,
    DCL_DAYS,
    DCL_ACTUAL_REPURCHASE_OFFSET,
    DCL_RENEW_TYPE,
    DCL_PLEDGEE,
    DCL_SUPPLEMENTARY_TERMS,
    DCL_TRADING_ENTITY,
    DCL_COUNTERPARTY_ENTITY,
    DCL_RELEASE_SETTLE_AMOUNT,
    DCL_COUNTERPARTY_CLIENT_NAME,
    DCL_OWNER_TYPE,
    DCL_PLEDGED_BONDS,
    DECLARATION_COLUMNS
};

// Fills `d->pledgedBonds` from "code:volume[:swapFlag]|..." of the
// declaration's market; an empty text names no bond. Returns why the list is
// not usable, empty when it is.
QString readDeclaredBonds(const QString &text, ttservice::CRepurchasePendingOrder *d)
{
    if (text.trimmed().isEmpty())
        return QString();
    const auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    for (const QString &entry : text.split('|')) {
        const QStringList parts = entry.split(':');
        bool okVolume = false;
        const int volume = parts.size() >= 2 ? parts[1].trimmed().toInt(&okVolume) : 0;
        const int swapFlag = parts.size() == 3 ? characterCode(parts[2], "01") : '0';
        if (parts.size() > 3 || !okVolume || volume <= 0 || !swapFlag)
            return QStringLiteral("pledged bond \"%1\" is not code:volume[:0|1]").arg(entry);
        auto bond = boost::make_shared<ttservice::CRepurchasePledgedBond>();
        bond->market = d->market;
        bond->bondCode = parts[0].trimmed().toStdString();
        bond->pledgeVolume = volume;
        bond->swapFlag = swapFlag;
        const ttservice::CInstrumentDetailPtr inst
            = instruments->getInstrument(bond->market, bond->bondCode);
        if (!inst || !inst->bondDetail)
            return QStringLiteral("pledged bond %1 is no %2 bond of instruments.csv")
                .arg(parts[0].trimmed(), QString::fromStdString(d->market));
        bond->bondName = inst->instrumentName;
        d->pledgedBonds.push_back(bond);
    }
    return QString();
}

// A declaration of pending_declarations.csv with dates counted from
// `tradingDate`; returns why the line is malformed, empty when `d` is filled.
QString readDeclaration(const QStringList &f, const QDate &tradingDate,
                        ttservice::CRepurchasePendingOrder *d)
{
    if (f.size() < DECLARATION_COLUMNS)
        return QStringLiteral("%1 fields, %2 expected").arg(f.size()).arg(int(DECLARATION_COLUMNS));
    d->pendingOrderRef = field(f, DCL_REF);
    if (d->pendingOrderRef.empty())
        return QStringLiteral("no declaration reference");
    d->market = field(f, DCL_MARKET);
    if (d->market != "SH" && d->market != "SZ")
        return QStringLiteral("market is neither SH nor SZ");
    d->contractCode = field(f, DCL_CONTRACT_CODE);
    if (!ttservice::TraderCenter::instance()->getInstCenter()->getInstrument(d->market,
                                                                             d->contractCode))
        return QStringLiteral("contract code %1 is no listed repurchase variety")
            .arg(f[DCL_CONTRACT_CODE].trimmed());
    d->direction = characterCode(f[DCL_DIRECTION], "01");
    if (!d->direction)
        return QStringLiteral("direction is neither 0 nor 1");
    d->declareType = characterCode(f[DCL_DECLARE_TYPE], "01234");
    if (!d->declareType)
        return QStringLiteral("declaration type is not 0-4");
    d->renewType = characterCode(f[DCL_RENEW_TYPE], "01");
    if (!d->renewType)
        return QStringLiteral("renewal type is neither 0 nor 1");

    bool okAmount = false, okRate = false, okRatio = false, okFirst = false, okDays = false,
         okActual = true, okRelease = false, okOwner = false;
    d->repurchaseAmount = f[DCL_AMOUNT].trimmed().toDouble(&okAmount);
    d->repurchaseRate = f[DCL_RATE].trimmed().toDouble(&okRate);
    d->conversionRatio = f[DCL_CONVERSION_RATIO].trimmed().toDouble(&okRatio);
    const int firstOffset = f[DCL_FIRST_SETTLE_OFFSET].trimmed().toInt(&okFirst);
    d->repurchaseDays = f[DCL_DAYS].trimmed().toInt(&okDays);
    const QString actualText = f[DCL_ACTUAL_REPURCHASE_OFFSET].trimmed();
    const int actualOffset
        = actualText.isEmpty() ? firstOffset + d->repurchaseDays : actualText.toInt(&okActual);
    d->releaseSettleAmount = f[DCL_RELEASE_SETTLE_AMOUNT].trimmed().toDouble(&okRelease);
    d->ownerType = f[DCL_OWNER_TYPE].trimmed().toInt(&okOwner);
    if (!okAmount || d->repurchaseAmount <= 0)
        return QStringLiteral("amount is not a positive number");
    if (!okRate || d->repurchaseRate <= 0 || d->repurchaseRate >= 1)
        return QStringLiteral("rate is not a fraction between 0 and 1");
    if (!okRatio || d->conversionRatio <= 0 || d->conversionRatio > 1)
        return QStringLiteral("conversion ratio is not a fraction between 0 and 1");
    if (!okFirst || !okDays || d->repurchaseDays < 1 || d->repurchaseDays > 365)
        return QStringLiteral("first settlement offset or term of 1-365 days missing");
    if (!okActual || actualOffset <= firstOffset || actualOffset > firstOffset + d->repurchaseDays)
        return QStringLiteral("actual repurchase is not within the term");
    if (!okRelease || d->releaseSettleAmount < 0)
        return QStringLiteral("release settlement amount is not a number");
    if (!okOwner)
        return QStringLiteral("owner type is not a number");
    d->priorApplyDate = dateNumber(tradingDate.addDays(firstOffset));
    d->maturitySettleDate = dateNumber(tradingDate.addDays(firstOffset + d->repurchaseDays));
    d->actualRepurchaseDate = dateNumber(tradingDate.addDays(actualOffset));
    d->maturitySettleAmount
        = maturitySettleAmount(d->repurchaseAmount, d->repurchaseRate, actualOffset - firstOffset);

    const QString bonds = readDeclaredBonds(f[DCL_PLEDGED_BONDS], d);
    if (!bonds.isEmpty())
        return bonds;
    d->trader = field(f, DCL_TRADER);
    d->dealer = field(f, DCL_DEALER);
    d->dealerName = field(f, DCL_DEALER_NAME);
    d->counterpartyTrader = field(f, DCL_COUNTERPARTY_TRADER);
    d->counterpartyDealer = field(f, DCL_COUNTERPARTY_DEALER);
    d->counterpartyDealerName = field(f, DCL_COUNTERPARTY_DEALER_NAME);
    d->pledgee = field(f, DCL_PLEDGEE);
    d->supplementaryTerms = field(f, DCL_SUPPLEMENTARY_TERMS);
    d->tradingEntity = field(f, DCL_TRADING_ENTITY);
    d->counterpartyEntity = field(f, DCL_COUNTERPARTY_ENTITY);
    d->counterpartyClientName = field(f, DCL_COUNTERPARTY_CLIENT_NAME);
    if (d->trader.empty())
        return QStringLiteral("no trader the declaration is addressed to");
    return QString();
}

} // namespace

CSimulatedHost::CSimulatedHost() = default;

CSimulatedHost::~CSimulatedHost()
{
    // The feed's rounds run on the exchange's thread: the feed stops first.
    m_positionFeed.stop();
    if (m_exchange) {
        m_exchange->shutdown();
        utils::CManualSingletonT<TC::CItCommandCenter>::instance()->setCommandAcceptor(
            TC::ICommandAcceptorPtr());
    }
    if (m_counter) {
        m_counter->shutdown();
        utils::CManualSingletonT<TC::CTradeClient>::instance()->setQueryAnswerer(
            TC::IQueryAnswererPtr());
    }
}

QString CSimulatedHost::pick(const QString &name) const
{
    const QString own = QDir(m_configDir).filePath(name);
    if (QFileInfo::exists(own))
        return own;
    return QDir(m_dataDir).filePath(name);
}

bool CSimulatedHost::load(const QString &dataDir, const QString &configDir, QString *error)
{
    m_dataDir = dataDir;
    m_configDir = configDir;
    m_warnings.clear();

    const QString ownDealers = QDir(configDir).filePath(kDealerFile);
    QDir().mkpath(configDir);
    if (!QFileInfo::exists(ownDealers)) {
        QFile::copy(QDir(dataDir).filePath(kDealerFile), ownDealers);
        QFile(ownDealers)
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                            | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }

    openBook();
    const bool loaded = loadUser(pick(QStringLiteral("host.ini")), error)
        && loadAccounts(pick(QStringLiteral("accounts.csv")), error)
        && loadInstruments(pick(QStringLiteral("instruments.csv")), error)
        && loadPositions(pick(QStringLiteral("positions.csv")), error)
        && loadRepoVarieties(pick(QStringLiteral("repo_varieties.csv")), error);
    if (loaded) {
        loadTradingCalendar();
        // After the calendar: the contract dates count from the trading date.
        loadContracts(pick(QStringLiteral("contracts.csv")));
        loadIntentionOrders(pick(QStringLiteral("intention_orders.csv")));
        loadPendingDeclarations(pick(QStringLiteral("pending_declarations.csv")));
        loadStockTypes(pick(QStringLiteral("stock_types.csv")));
        loadRestrictedVolumes(pick(QStringLiteral("restricted_volumes.csv")));
        m_desks.clear();
        if (!CPaperExchange::loadDesks(pick(QStringLiteral("desks.csv")), &m_desks, &m_warnings))
            m_warnings.append(
                QStringLiteral("desks.csv: cannot read, the exchange answers no counterparty"));
        settleBook();
    }
    return loaded;
}

void CSimulatedHost::openBook()
{
    // The old book lets go of its file first: it may be the same one.
    m_book.reset();
    m_book = boost::make_shared<CPaperBook>(QDir(m_configDir).filePath(CPaperBook::fileName()));
    m_book->open(m_resetPaper);
    if (!m_book->notice().isEmpty())
        m_warnings.append(m_book->notice());
}

bool CSimulatedHost::fromBook(const std::string &accountId) const
{
    return m_book && m_book->holds(accountId);
}

void CSimulatedHost::settleBook()
{
    std::vector<ttservice::CAccountDataPtr> accounts;
    TC::CUserConfig *config = TC::getUserConfig();
    for (const TC::CAccountPtr &account : config->getAccountDatas()) {
        accounts.push_back(account->getAccountData());
        m_book->restore(accounts.back());
    }
    m_book->track(accounts);
    // The first state of a new book, and of accounts new to it; a failure is
    // told by the book.
    m_book->commit();
}

bool CSimulatedHost::loadUser(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QString refused = refusal(path);
    if (!refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    TC::CUserConfig *config = TC::getUserConfig();
    config->userName
        = ini.value(QStringLiteral("user/name"), QStringLiteral("trader01")).toString();
    config->deploymentCode = ini.value(QStringLiteral("user/deploymentCode"), 100).toInt();
    config->setQuotationRepurchase(
        ini.value(QStringLiteral("user/quotationRepurchase"), true).toBool());
    config->setPledgeAgreeRepurchase(
        ini.value(QStringLiteral("user/agreementRepurchase"), true).toBool());
    config->setSpotTrade(ini.value(QStringLiteral("user/spotTrade"), true).toBool());
    const bool hint = ini.value(QStringLiteral("user/orderHint"), false).toBool();
    config->setGlobalOrderHints(hint ? 1 : 0);
    m_positionIntervalMs = ini.value(QStringLiteral("feed/positionIntervalMs"), 1000).toInt();
    m_answerDelayMs = ini.value(QStringLiteral("exchange/answerDelayMs"), 1500).toInt();
    return true;
}

bool CSimulatedHost::loadAccounts(const QString &path, QString *error)
{
    TC::CUserConfig *config = TC::getUserConfig();
    auto *client = utils::CManualSingletonT<TC::CTradeClient>::instance();
    // accountId,accountName,displayId,brokerType,counterType,loginStatus,availableFunds
    return readCsv(path, 7, &m_warnings, error, [&](const QStringList &f) {
        bool okBroker = false, okCounter = false, okLogin = false, okFunds = false;
        ttservice::CAccountInfo info;
        info.accountId = f[0].trimmed().toStdString();
        info.accountName = f[1].trimmed().toStdString();
        info.displayId = f[2].trimmed().toStdString();
        info.brokerType = f[3].toInt(&okBroker);
        info.counterType = f[4].toInt(&okCounter);
        const auto status = loginStatusFromText(f[5].trimmed(), &okLogin);
        const double funds = f[6].toDouble(&okFunds);
        if (info.accountId.empty() || !okBroker || !okCounter || !okLogin || !okFunds)
            return false;
        TC::CAccountPtr account = config->addAccount(info);
        auto detail = boost::make_shared<ttservice::CAccountDetail>();
        detail->accountId = info.accountId;
        detail->availableFunds = funds;
        detail->totalAssets = funds;
        account->getAccountData()->setAccountDetail(detail);
        client->setLoginStatus(info.accountId, status);
        return true;
    });
}

bool CSimulatedHost::loadInstruments(const QString &path, QString *error)
{
    auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    // market,code,name,tag,faceValue,accruedInterest
    return readCsv(path, 6, &m_warnings, error, [&](const QStringList &f) {
        bool okFace = false, okInterest = false;
        auto inst = boost::make_shared<ttservice::CInstrumentDetail>();
        inst->market = f[0].trimmed().toStdString();
        inst->instrumentCode = f[1].trimmed().toStdString();
        inst->instrumentName = f[2].trimmed().toStdString();
        inst->instrumentTag = f[3].trimmed().toStdString();
        const double face = f[4].toDouble(&okFace);
        inst->accruedInterest = f[5].toDouble(&okInterest);
        if (inst->market.empty() || inst->instrumentCode.empty() || !okFace || !okInterest
            || face <= 0)
            return false;
        inst->bondDetail = boost::make_shared<ttservice::CBondDetail>();
        inst->bondDetail->market = inst->market;
        inst->bondDetail->instrumentCode = inst->instrumentCode;
        inst->bondDetail->faceValue = face;
        instruments->addInstrument(inst);
        return true;
    });
}

bool CSimulatedHost::loadPositions(const QString &path, QString *error)
{
    auto *dataCenter = ttservice::TraderCenter::instance()->getDataCenter();
    // accountId,market,code,name,usableVolume
    return readCsv(path, 5, &m_warnings, error, [&](const QStringList &f) {
        if (fromBook(f[0].trimmed().toStdString()))
            return true;
        bool okVolume = false;
        ttservice::CAccountDataPtr data = dataCenter->getAccountData(f[0].trimmed().toStdString());
        auto pos = boost::make_shared<ttservice::CPositionStatics>();
        pos->market = f[1].trimmed().toStdString();
        pos->instrumentCode = f[2].trimmed().toStdString();
        pos->instrumentName = f[3].trimmed().toStdString();
        pos->usableVolume = f[4].toLongLong(&okVolume);
        pos->totalVolume = pos->usableVolume;
        if (!data || !okVolume || pos->usableVolume < 0)
            return false;
        data->updateData(pos, false);
        return true;
    });
}

bool CSimulatedHost::loadRepoVarieties(const QString &path, QString *error)
{
    auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    // market,code,name,minDays,maxDays,typeId
    return readCsv(path, 6, &m_warnings, error, [&](const QStringList &f) {
        bool okMin = false, okMax = false, okType = false;
        auto variety = boost::make_shared<ttservice::CBondInfoDetail>();
        variety->market = f[0].trimmed().toStdString();
        variety->instrumentCode = f[1].trimmed().toStdString();
        variety->instrumentName = f[2].trimmed().toStdString();
        variety->minDays = f[3].toInt(&okMin);
        variety->maxDays = f[4].toInt(&okMax);
        const int type = f[5].toInt(&okType);
        // Shanghai varieties are typed 279-287, Shenzhen ones 10057-10065.
        const bool typeFits = (variety->market == "SH" && type >= 279 && type <= 287)
            || (variety->market == "SZ" && type >= 10057 && type <= 10065);
        if (variety->instrumentCode.empty() || !okMin || !okMax || !okType || !typeFits
            || variety->minDays < 1 || variety->maxDays < variety->minDays)
            return false;
        auto inst = boost::make_shared<ttservice::CInstrumentDetail>();
        inst->market = variety->market;
        inst->instrumentCode = variety->instrumentCode;
        inst->instrumentName = variety->instrumentName;
        inst->instrumentTag = "REPO";
        inst->extraDetail = variety;
        instruments->addInstrument(inst);
        types->addTypedStock(type, inst->market, inst->instrumentCode);
        return true;
    });
}

void CSimulatedHost::loadTradingCalendar()
{
    auto *calendar = utils::CSingletonT<TC::CTradingCalendar>::instance();
    calendar->clear();
    const QString fileName = TC::CTradingCalendar::fileName();
    const QString shipped = QDir(m_dataDir).filePath(fileName);
    QString refused = refusal(shipped);
    if (!refused.isEmpty())
        m_warnings.append(QStringLiteral("%1: %2, weekends only").arg(fileName, refused));
    else if (!calendar->loadClosures(shipped, &m_warnings))
        m_warnings.append(QStringLiteral("%1: cannot read, weekends only").arg(fileName));
    const QString own = QDir(m_configDir).filePath(fileName);
    if (!QFileInfo::exists(own) || own == shipped)
        return;
    refused = refusal(own);
    if (refused.isEmpty() && !calendar->loadClosures(own, &m_warnings))
        refused = QStringLiteral("cannot read %1").arg(own);
    if (!refused.isEmpty())
        m_warnings.append(
            QStringLiteral("%1: %2, its closures are not added").arg(fileName, refused));
}

QDate CSimulatedHost::seedTradingDate()
{
    // The day the trading-day watch announces; a calendar without a trading
    // day ahead leaves the clock's date.
    const QDate today = TC::CHostClock::today();
    const QDate next = utils::CSingletonT<TC::CTradingCalendar>::instance()->nextTradingDay(today);
    return next.isValid() ? next : today;
}

void CSimulatedHost::loadContracts(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    const QDate tradingDate = seedTradingDate();
    auto *dataCenter = ttservice::TraderCenter::instance()->getDataCenter();
    const QString refused = refusal(path);
    if (!refused.isEmpty()) {
        m_warnings.append(QStringLiteral("%1: %2, no agreement contracts").arg(fileName, refused));
        return;
    }
    const bool read
        = readCsvLines(path, &m_warnings, nullptr, [&](const QStringList &f) -> QString {
              const QString accountId = f[COL_ACCOUNT].trimmed();
              const ttservice::CAccountDataPtr data
                  = dataCenter->getAccountData(accountId.toStdString());
              if (!data)
                  return QStringLiteral("unknown account \"%1\"").arg(accountId);
              if (fromBook(accountId.toStdString()))
                  return QString();
              auto contract = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
              const QString reason = readContract(f, tradingDate, contract.get());
              if (!reason.isEmpty())
                  return reason;
              if (data->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, contract->getKey()))
                  return QStringLiteral("contract %1 twice in the account")
                      .arg(QString::fromStdString(contract->contractNo));
              contract->accountInfo = data->getAccountInfo();
              data->updateData(contract, false);
              return QString();
          });
    if (!read)
        m_warnings.append(QStringLiteral("%1: cannot read, no agreement contracts").arg(fileName));
}

void CSimulatedHost::loadIntentionOrders(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    const QDate tradingDate = seedTradingDate();
    auto *dataCenter = ttservice::TraderCenter::instance()->getDataCenter();
    const QString refused = refusal(path);
    if (!refused.isEmpty()) {
        m_warnings.append(QStringLiteral("%1: %2, no intention orders").arg(fileName, refused));
        return;
    }
    // orderNo,accountId,market,direction,pledgedBond,pledgedBondVolume,trader,
    // dealer,dealerName,amount,rate,conversionRatio,days
    const bool read
        = readCsvLines(path, &m_warnings, nullptr, [&](const QStringList &f) -> QString {
              if (f.size() < 13)
                  return QStringLiteral("%1 fields, 13 expected").arg(f.size());
              const ttservice::CAccountDataPtr data = dataCenter->getAccountData(field(f, 1));
              if (!data)
                  return QStringLiteral("unknown account \"%1\"").arg(f[1].trimmed());
              if (fromBook(field(f, 1)))
                  return QString();
              auto order = boost::make_shared<ttservice::CRepurchaseIntentionOrder>();
              order->orderNo = field(f, 0);
              order->market = field(f, 2);
              order->direction = characterCode(f[3], "01");
              order->pledgedBond = field(f, 4);
              bool okVolume = false, okAmount = false, okRate = false, okRatio = false,
                   okDays = false;
              order->pledgedBondVolume = f[5].trimmed().toInt(&okVolume);
              order->trader = field(f, 6);
              order->dealer = field(f, 7);
              order->dealerName = field(f, 8);
              order->repurchaseAmount = f[9].trimmed().toDouble(&okAmount);
              order->repurchaseRate = f[10].trimmed().toDouble(&okRate);
              order->conversionRatio = f[11].trimmed().toDouble(&okRatio);
              order->repurchaseDays = f[12].trimmed().toInt(&okDays);
              if (order->orderNo.empty())
                  return QStringLiteral("no order number");
              if (order->market != "SH" && order->market != "SZ")
                  return QStringLiteral("market is neither SH nor SZ");
              if (!order->direction)
                  return QStringLiteral("direction is neither 0 nor 1");
              if (!okVolume || !okAmount || !okRate || !okRatio || !okDays
                  || order->pledgedBondVolume < 0 || order->repurchaseAmount <= 0
                  || order->repurchaseRate <= 0 || order->repurchaseRate >= 1
                  || order->conversionRatio <= 0 || order->conversionRatio > 1
                  || order->repurchaseDays < 1 || order->repurchaseDays > 365)
                  return QStringLiteral("a number is missing or out of range");
              order->maturitySettleDate = dateNumber(tradingDate.addDays(order->repurchaseDays));
              order->maturitySettleAmount = maturitySettleAmount(
                  order->repurchaseAmount, order->repurchaseRate, order->repurchaseDays);
              if (data->getData(ttservice::DATA_TYPE_INTENTION_ORDER, order->getKey()))
                  return QStringLiteral("order %1 twice in the account")
                      .arg(QString::fromStdString(order->orderNo));
              data->updateData(order, false);
              return QString();
          });
    if (!read)
        m_warnings.append(QStringLiteral("%1: cannot read, no intention orders").arg(fileName));
}

void CSimulatedHost::loadPendingDeclarations(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    const QDate tradingDate = seedTradingDate();
    auto *dataCenter = ttservice::TraderCenter::instance()->getDataCenter();
    const QString refused = refusal(path);
    if (!refused.isEmpty()) {
        m_warnings.append(
            QStringLiteral("%1: %2, no declarations to confirm").arg(fileName, refused));
        return;
    }
    const bool read = readCsvLines(
        path, &m_warnings, nullptr, [&](const QStringList &f) -> QString {
            const ttservice::CAccountDataPtr data = f.size() > DCL_ACCOUNT
                ? dataCenter->getAccountData(field(f, DCL_ACCOUNT))
                : ttservice::CAccountDataPtr();
            if (!data)
                return QStringLiteral("unknown account \"%1\"").arg(f.value(DCL_ACCOUNT).trimmed());
            if (fromBook(field(f, DCL_ACCOUNT)))
                return QString();
            auto declaration = boost::make_shared<ttservice::CRepurchasePendingOrder>();
            const QString reason = readDeclaration(f, tradingDate, declaration.get());
            if (!reason.isEmpty())
                return reason;
            if (data->getData(ttservice::DATA_TYPE_PENDING_ORDER, declaration->getKey()))
                return QStringLiteral("declaration %1 twice in the account")
                    .arg(QString::fromStdString(declaration->pendingOrderRef));
            declaration->accountInfo = data->getAccountInfo();
            data->updateData(declaration, false);
            return QString();
        });
    if (!read)
        m_warnings.append(
            QStringLiteral("%1: cannot read, no declarations to confirm").arg(fileName));
}

void CSimulatedHost::reportWarnings(std::FILE *out) const
{
    auto *messages = utils::CManualSingletonT<TC::CMsgService>::instance();
    for (const QString &warning : m_warnings) {
        messages->showMsg(warning.toUtf8().toStdString(), 4, 1, false, false);
        if (out)
            std::fprintf(out, "ficc-terminal: %s\n", warning.toUtf8().constData());
    }
    if (out)
        std::fflush(out);
}

void CSimulatedHost::start()
{
    auto *client = utils::CManualSingletonT<TC::CTradeClient>::instance();
    if (!m_counter) {
        m_counter = boost::make_shared<CSimulatedCounter>();
        client->setQueryAnswerer(m_counter);
        // Queries the panels made before the counter was up are answered now.
        for (const TC::CQueryCall &call : client->takePendingQueries())
            m_counter->answer(call);
    }
    client->notifyInitDataFinish();
    if (!m_exchange) {
        m_exchange = boost::make_shared<CPaperExchange>(m_desks, m_answerDelayMs);
        if (const boost::shared_ptr<CPaperBook> book = m_book) {
            m_exchange->setAfterEachJob([book] { book->commit(); });
            m_exchange->setPendingDealListener([book](const PendingDeal &deal, bool waiting) {
                book->notePendingDeal(deal, waiting);
            });
            // Before the first command: the desks answer what the last session left waiting.
            m_exchange->resumeDeals(book->pendingDeals());
        }
        utils::CManualSingletonT<TC::CItCommandCenter>::instance()->setCommandAcceptor(m_exchange);
    }
    if (!m_positionFeed.isRunning()) {
        std::vector<ttservice::CAccountDataPtr> accounts;
        TC::CUserConfig *config = TC::getUserConfig();
        for (const TC::CAccountPtr &account : config->getAccountDatas())
            accounts.push_back(account->getAccountData());
        const boost::shared_ptr<CPaperExchange> exchange = m_exchange;
        const boost::shared_ptr<CPaperBook> book = m_book;
        // The feed's moves are market noise, not the exchange's: the book does
        // not write them (a restart shows the positions the orders left).
        m_positionFeed.start(accounts, m_positionIntervalMs, 20261206,
                             [exchange, book](std::function<void()> round) {
                                 exchange->runOnExchangeThread([book, round] {
                                     round();
                                     if (book)
                                         book->settle();
                                 });
                             });
    }
}

void CSimulatedHost::loadStockTypes(const QString &path)
{
    auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    const auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    const bool read = readCsvLines(path, &m_warnings, nullptr, [&](const QStringList &f) {
        bool okType = false;
        const int type = f.value(0).trimmed().toInt(&okType);
        const std::string market = f.value(1).trimmed().toStdString();
        const std::string code = f.value(2).trimmed().toStdString();
        if (f.size() < 3 || !okType)
            return QStringLiteral("malformed line");
        if (!instruments->getInstrument(market, code))
            return QStringLiteral("%1 %2 is not in instruments.csv")
                .arg(QString::fromStdString(market), QString::fromStdString(code));
        types->addTypedStock(type, market, code);
        return QString();
    });
    if (!read)
        m_warnings.append(QStringLiteral("stock_types.csv: cannot read, no bond can be pledged"));
}

void CSimulatedHost::loadRestrictedVolumes(const QString &path)
{
    auto *dataCenter = ttservice::TraderCenter::instance()->getDataCenter();
    const bool read = readCsvLines(path, &m_warnings, nullptr, [&](const QStringList &f) {
        if (f.size() < 5)
            return QStringLiteral("malformed line");
        const ttservice::CAccountDataPtr data
            = dataCenter->getAccountData(f[0].trimmed().toStdString());
        if (!data)
            return QStringLiteral("account %1 is not in accounts.csv").arg(f[0].trimmed());
        if (fromBook(f[0].trimmed().toStdString()))
            return QString();
        bool okVolume = false;
        auto volume = boost::make_shared<ttservice::CNonTradeStockVolumeInfo>();
        volume->market = f[1].trimmed().toStdString();
        volume->instrumentCode = f[2].trimmed().toStdString();
        volume->instrumentName = f[3].trimmed().toStdString();
        volume->volume = f[4].trimmed().toInt(&okVolume);
        if (!okVolume || volume->volume < 0)
            return QStringLiteral("volume is not a whole number of 张");
        data->updateData(volume, false);
        return QString();
    });
    if (!read)
        m_warnings.append(
            QStringLiteral("restricted_volumes.csv: cannot read, no restricted volumes"));
}

} // namespace app
