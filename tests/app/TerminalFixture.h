#pragma once

// A reset host on a temporary configuration directory; the demo account's records and orders.
#include "CPaperBook.h"
#include "CPaperExchange.h"
#include "CSimulatedHost.h"

#include "tc/CHostClock.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "tc/ConfigDir.h"
#include "tc/HostReset.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

class TerminalFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TC::resetHostForTests();
        ASSERT_TRUE(dir.isValid());
        TC::setConfigDir(dir.path());
        // Positions move only where a test asks for the feed (its own host.ini).
        write("host.ini", "[feed]\npositionIntervalMs=0\n");
    }
    void TearDown() override { TC::resetHostForTests(); }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    // A file's bytes; none when it is missing.
    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // No position feed; the desks answer deals after `ms`.
    void setAnswerDelay(int ms)
    {
        write("host.ini",
              "[feed]\npositionIntervalMs=0\n[exchange]\nanswerDelayMs=" + QByteArray::number(ms)
                  + '\n');
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Loads the shipped data and the directory's files; the paper book only if asked for.
    ::testing::AssertionResult load(app::CSimulatedHost &host) const
    {
        if (!readsPaperBook)
            host.setResetPaper(true);
        QString error;
        return host.load(QStringLiteral(FICC_APP_DATA_DIR), dir.path(), &error)
            ? ::testing::AssertionSuccess()
            : ::testing::AssertionFailure() << error.toStdString();
    }

    // Hands `orders` to the command centre as one command of the trader's.
    static bool sendCommand(const std::vector<ttservice::CCodeOrderParam> &orders)
    {
        auto command = boost::make_shared<ttservice::COrderComandParam>();
        command->orders = orders;
        command->manual = true;
        return utils::CManualSingletonT<TC::CItCommandCenter>::instance()->createCommand(
            command, {}, false, 0);
    }

    // The commands of a journal file, one JSON object a line; none when it is missing.
    QList<QJsonObject> journalLines(const QString &name) const
    {
        QList<QJsonObject> lines;
        const QByteArray bytes = bytesOf(path(name));
        EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith('\n')) << "the last line is ended too";
        for (const QByteArray &line : bytes.split('\n')) {
            if (!line.isEmpty())
                lines << QJsonDocument::fromJson(line).object();
        }
        return lines;
    }

    QTemporaryDir dir;
    bool readsPaperBook = false;
};

namespace paper {

using ttservice::CCodeOrderParam;
using ttservice::CRepurchaseAgreementParam;
using Contract = ttservice::CRepurchaseAgreementContractInfo;
using Terms = std::function<void(CRepurchaseAgreementParam &)>;

inline ttservice::CAccountDataPtr account(const std::string &id = "880001")
{
    return ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(id);
}

inline double funds(const std::string &id = "880001")
{
    return account(id)->getAccountDetail()->availableFunds;
}

template<class T>
boost::shared_ptr<T> record(int type, const std::string &key, const std::string &id = "880001")
{
    return boost::dynamic_pointer_cast<T>(account(id)->getData(type, key));
}

template<class T>
std::vector<boost::shared_ptr<T>> records(int type, const std::string &id = "880001")
{
    std::vector<ttservice::IDataPtr> all;
    if (const ttservice::CAccountDataPtr data = account(id))
        data->getVector(type, all);
    std::vector<boost::shared_ptr<T>> out;
    for (const ttservice::IDataPtr &r : all)
        out.push_back(boost::dynamic_pointer_cast<T>(r));
    return out;
}

inline ttservice::CPositionStaticsPtr position(const std::string &market, const std::string &code)
{
    return record<ttservice::CPositionStatics>(ttservice::DATA_TYPE_POSITION_STATICS,
                                               market + ttservice::KEY_SPLITTER + code);
}

inline long long usable(const std::string &market, const std::string &code)
{
    const auto pos = position(market, code);
    return pos ? pos->usableVolume : 0;
}

inline boost::shared_ptr<Contract> contract(const std::string &no, const std::string &id = "880001")
{
    return record<Contract>(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, no, id);
}

inline std::vector<boost::shared_ptr<Contract>> contracts(const std::string &id = "880001")
{
    return records<Contract>(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, id);
}

// Pledged bonds as one line: market, code, name and 张 of each.
inline std::string pledged(const ttservice::CRepurchasePledgedBondList &bonds)
{
    std::string text;
    for (const auto &bond : bonds)
        text += (text.empty() ? "" : " | ") + bond->market + ' ' + bond->bondCode + ' '
            + bond->bondName + ' ' + std::to_string(bond->pledgeVolume);
    return text;
}

// A contract as one line: side, status, term, money, the other desk and the pledged bonds.
inline std::string summary(const Contract &c)
{
    std::ostringstream s;
    s << std::setprecision(15) << c.market << " side " << char(c.direction) << ", status "
      << char(c.contractStatus) << ", " << c.firstSettleDate << " to " << c.maturitySettleDate
      << " (" << c.repurchaseDays << " days), amount " << c.repurchaseAmount << " at "
      << c.repurchaseRate << ", ratio " << c.conversionRatio << ", due " << c.maturitySettleAmount
      << ", desk " << c.counterpartyDealer << ' ' << c.counterpartyDealerName << ' '
      << c.counterpartyTrader << ", bonds " << pledged(c.pledgedBonds);
    return s.str();
}

inline std::vector<ttservice::CRepurchasePendingOrderPtr> declarations(const std::string &id
                                                                       = "880001")
{
    return records<ttservice::CRepurchasePendingOrder>(ttservice::DATA_TYPE_PENDING_ORDER, id);
}

inline std::vector<ttservice::CRepurchaseIntentionOrderPtr> intentions()
{
    return records<ttservice::CRepurchaseIntentionOrder>(ttservice::DATA_TYPE_INTENTION_ORDER);
}

inline ttservice::CRepurchasePendingOrderPtr declaration(const std::string &ref)
{
    return record<ttservice::CRepurchasePendingOrder>(ttservice::DATA_TYPE_PENDING_ORDER, ref);
}

inline QStringList messages()
{
    QStringList texts;
    for (const TC::CHostMessage &m :
         utils::CManualSingletonT<TC::CMsgService>::instance()->messages())
        texts << QString::fromStdString(m.text);
    return texts;
}

inline void clearMessages()
{
    utils::CManualSingletonT<TC::CMsgService>::instance()->clear();
}

// Every record the paper book keeps, of every account, as one comparable text.
inline std::string desk()
{
    std::string text;
    for (const TC::CAccountPtr &a : TC::getUserConfig()->getAccountDatas()) {
        for (const app::CPaperBook::Table &table : app::CPaperBook::tables()) {
            std::vector<ttservice::IDataPtr> records;
            a->getAccountData()->getVector(table.type, records);
            for (const ttservice::IDataPtr &record : records)
                text += record->toBson().toString() + '\n';
        }
    }
    return text;
}

// An order of `data`'s account: `operation` on `market` `code` for `volume`.
inline CCodeOrderParam order(int operation, const std::string &market, const std::string &code,
                             long long volume, const ttservice::CAccountDataPtr &data = account())
{
    CCodeOrderParam order;
    order.accountInfo = data->getAccountInfo();
    order.operationType = static_cast<ttservice::EOperationType>(operation);
    order.stock.market = market;
    order.stock.stockCode = code;
    order.volume = volume;
    return order;
}

inline CCodeOrderParam spot(int operation, const std::string &market, const std::string &code,
                            double price, long long volume, const std::string &counterparty)
{
    CCodeOrderParam spot = order(operation, market, code, volume);
    spot.price = price;
    spot.priceMode = 11;
    spot.counterpartyTrader = counterparty;
    return spot;
}

// An agreement order of trader T1 of 880001 on SH 204007.
inline CCodeOrderParam agreementOrder(int operation, long long volume, const Terms &terms)
{
    CCodeOrderParam order = paper::order(operation, "SH", "204007", volume);
    order.paramKind = 2;
    CRepurchaseAgreementParam agreement;
    agreement.trader = "T1";
    agreement.dealer = "D1";
    terms(agreement);
    order.price = agreement.repurchaseRate;
    order.agreementParam = agreement.toBson();
    return order;
}

// A deal declaration of `volume` 张 of SH `code` to desk T101: 80,000 at 2.1 % for 7 days.
inline CCodeOrderParam deal(const std::string &code = "019547", long long volume = 1000,
                            const Terms &change = {})
{
    return agreementOrder(1045, volume, [&](CRepurchaseAgreementParam &a) {
        a.bondMarket = "SH";
        a.bondCode = code;
        a.counterpartyDealer = "1002";
        a.counterpartyTrader = "T101";
        a.repurchaseAmount = 80000;
        a.repurchaseRate = 0.021;
        a.conversionRatio = 0.8;
        a.repurchaseDays = 7;
        if (change)
            change(a);
    });
}

// The answer the 待确认申报 table gives declaration `d`: its type's code for its side.
inline CCodeOrderParam confirmation(const ttservice::CRepurchasePendingOrder &d,
                                    const ttservice::CAccountDataPtr &data = account())
{
    const bool repo = d.direction == '0';
    const std::map<int, int> codes = { { '0', 1065 },
                                       { '1', 1067 },
                                       { '2', repo ? 1072 : 1092 },
                                       { '3', 1070 },
                                       { '4', repo ? 1075 : 1095 } };
    CCodeOrderParam order
        = paper::order(codes.at(d.declareType), d.market, d.contractCode, 10, data);
    order.paramKind = 2;
    CRepurchaseAgreementParam agreement;
    agreement.pendingOrderRef = d.pendingOrderRef;
    agreement.trader = d.trader;
    agreement.counterpartyDealer = d.counterpartyDealer;
    agreement.counterpartyTrader = d.counterpartyTrader;
    agreement.repurchaseAmount = d.repurchaseAmount;
    order.agreementParam = agreement.toBson();
    return order;
}

} // namespace paper

// The started paper exchange, answering at once, on Wednesday 9 December 2026.
class PaperDeskTest : public TerminalFixture
{
protected:
    static QDate dealDay() { return QDate(2026, 12, 9); }

    void SetUp() override
    {
        TerminalFixture::SetUp();
        setAnswerDelay(answerDelay());
        TC::CHostClock::setToday(dealDay());
        ASSERT_TRUE(load(host));
        host.start();
        ASSERT_NE(host.exchange(), nullptr);
        paper::clearMessages();
    }
    virtual int answerDelay() const { return 0; }

    void send(const std::vector<paper::CCodeOrderParam> &orders)
    {
        ASSERT_TRUE(sendCommand(orders));
        ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));
    }

    // The order is refused with `reason` alone and changes nothing.
    void expectRefused(const paper::CCodeOrderParam &order, const QString &reason)
    {
        paper::clearMessages();
        const std::string before = paper::desk();
        send({ order });
        EXPECT_EQ(paper::messages(), QStringList { app::CPaperExchange::refusalText(reason) });
        EXPECT_EQ(paper::desk(), before);
    }

    app::CSimulatedHost host;
};
