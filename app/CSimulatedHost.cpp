#include "CSimulatedHost.h"

#include "CSimulatedCounter.h"

#include "tc/CTradeClient.h"
#include "tc/CTradingCalendar.h"
#include "tc/CUserManager.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/CBondDetail.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTextStream>

#include <boost/make_shared.hpp>

#include <functional>

namespace app {

namespace {

constexpr const char *kDealerFile = "FiccDealerConfig.csv";

// Reads a UTF-8 CSV with a header line (no quoting: the seed files need none).
// Calls `row` with the fields of each data line; a false return marks the line
// as malformed.
bool readCsv(const QString &path, int minFields, QStringList *warnings, QString *error,
             const std::function<bool(const QStringList &)> &row)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    QTextStream in(&file);
    in.setCodec("UTF-8");
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (lineNo == 1 || line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = line.split(',');
        if (fields.size() < minFields || !row(fields))
            warnings->append(QStringLiteral("%1:%2: malformed line").arg(QFileInfo(path).fileName()).arg(lineNo));
    }
    return true;
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

} // namespace

CSimulatedHost::CSimulatedHost() = default;

CSimulatedHost::~CSimulatedHost()
{
    if (m_counter) {
        m_counter->shutdown();
        utils::CManualSingletonT<TC::CTradeClient>::instance()->setQueryAnswerer(TC::IQueryAnswererPtr());
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
    if (!QFileInfo::exists(ownDealers)) {
        QDir().mkpath(configDir);
        QFile::copy(QDir(dataDir).filePath(kDealerFile), ownDealers);
        QFile(ownDealers).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                         | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }

    const bool loaded = loadUser(pick(QStringLiteral("host.ini")), error)
        && loadAccounts(pick(QStringLiteral("accounts.csv")), error)
        && loadInstruments(pick(QStringLiteral("instruments.csv")), error)
        && loadPositions(pick(QStringLiteral("positions.csv")), error)
        && loadRepoVarieties(pick(QStringLiteral("repo_varieties.csv")), error);
    if (loaded)
        loadTradingCalendar();
    return loaded;
}

bool CSimulatedHost::loadUser(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    TC::CUserConfig *config = utils::CSingletonT<TC::CUserManager>::instance()->getUserConfig();
    config->userName = ini.value(QStringLiteral("user/name"), QStringLiteral("trader01")).toString();
    config->deploymentCode = ini.value(QStringLiteral("user/deploymentCode"), 100).toInt();
    config->setQuotationRepurchase(ini.value(QStringLiteral("user/quotationRepurchase"), true).toBool());
    config->setPledgeAgreeRepurchase(ini.value(QStringLiteral("user/agreementRepurchase"), true).toBool());
    config->setSpotTrade(ini.value(QStringLiteral("user/spotTrade"), true).toBool());
    const bool hint = ini.value(QStringLiteral("user/orderHint"), false).toBool();
    config->setGlobalOrderHints(hint ? 1 : 0);
    return true;
}

bool CSimulatedHost::loadAccounts(const QString &path, QString *error)
{
    TC::CUserConfig *config = utils::CSingletonT<TC::CUserManager>::instance()->getUserConfig();
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
        if (inst->market.empty() || inst->instrumentCode.empty() || !okFace || !okInterest || face <= 0)
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
    if (!calendar->loadClosures(shipped, &m_warnings))
        m_warnings.append(QStringLiteral("%1: cannot read, weekends only").arg(fileName));
    const QString own = QDir(m_configDir).filePath(fileName);
    if (QFileInfo::exists(own) && own != shipped)
        calendar->loadClosures(own, &m_warnings);
}

void CSimulatedHost::start()
{
    if (!m_counter) {
        m_counter = boost::make_shared<CSimulatedCounter>();
        utils::CManualSingletonT<TC::CTradeClient>::instance()->setQueryAnswerer(m_counter);
    }
    utils::CManualSingletonT<TC::CTradeClient>::instance()->notifyInitDataFinish();
}

} // namespace app
