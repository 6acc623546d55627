#pragma once

// What the counter answers the agreement tables (intention orders and
// declarations waiting for an answer), the answer to a table's query, and
// the texts a table shows.
#include "AgreementFormFixture.h"
#include "HostServices.h"

#include "tc/CUserManager.h"
#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "xp/COddEvenRowTable.h"

#include <QCoreApplication>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// An intention order of SH 019547 from trader T301 of dealer 1004.
inline ttservice::CRepurchaseIntentionOrderPtr intentionOrder(const std::string &no, int direction)
{
    auto o = boost::make_shared<ttservice::CRepurchaseIntentionOrder>();
    o->orderNo = no;
    o->market = "SH";
    o->direction = direction;
    o->pledgedBond = "019547 16国债19";
    o->trader = "T301";
    o->dealer = "1004";
    o->dealerName = "远帆银行";
    o->repurchaseAmount = 2000000;
    o->conversionRatio = 0.9;
    o->pledgedBondVolume = 30000;
    o->repurchaseDays = 7;
    o->repurchaseRate = 0.035;
    o->maturitySettleDate = 20260219;
    o->maturitySettleAmount = 2001342.47;
    return o;
}

// A declaration to account 10001's trader T401, pledging SH 019547 (SZ 101901).
inline ttservice::CRepurchasePendingOrderPtr declaration(const std::string &ref, int declareType,
                                                         const std::string &market = "SH",
                                                         int direction = '0')
{
    auto d = boost::make_shared<ttservice::CRepurchasePendingOrder>();
    d->accountInfo = boost::make_shared<ttservice::CAccountInfo>(
        *TC::getUserConfig()->getAccountData(QStringLiteral("10001"))->getAccountInfo());
    d->market = market;
    d->contractCode = market == "SH" ? "206007" : "138007";
    d->direction = direction;
    d->trader = "T401";
    d->dealer = "1005";
    d->dealerName = "晨岭基金";
    d->counterpartyTrader = "T301";
    d->counterpartyDealer = "1004";
    d->counterpartyDealerName = "远川银行";
    d->repurchaseAmount = 9000000;
    d->conversionRatio = 0.9;
    d->repurchaseDays = 7;
    d->declareType = declareType;
    d->repurchaseRate = 0.0215;
    d->maturitySettleDate = 20260219;
    d->maturitySettleAmount = 9003710.96;
    d->renewType = '0';
    d->priorApplyDate = 20260212;
    d->actualRepurchaseDate = 20260216;
    d->pledgee = "质权人甲";
    d->supplementaryTerms = "到期按约定利率结算";
    d->pendingOrderRef = ref;
    d->tradingEntity = "100502";
    d->counterpartyEntity = "100401";
    d->releaseSettleAmount = 120000.5;
    d->counterpartyClientName = "远川客户";
    d->ownerType = 2;
    d->pledgedBonds = { pledgedBond(market, market == "SH" ? "019547" : "101901", 100000) };
    return d;
}

// A position of `usable` 张 and a restricted volume of `volume` 张, as the host pushes them.
inline ttservice::CPositionStaticsPtr position(const std::string &market, const std::string &code,
                                               long long usable)
{
    auto p = boost::make_shared<ttservice::CPositionStatics>();
    p->market = market;
    p->instrumentCode = code;
    p->instrumentName = "债" + code;
    p->usableVolume = usable;
    return p;
}

inline ttservice::CNonTradeStockVolumeInfoPtr restricted(const std::string &market,
                                                         const std::string &code, int volume)
{
    auto v = boost::make_shared<ttservice::CNonTradeStockVolumeInfo>();
    v->market = market;
    v->instrumentCode = code;
    v->instrumentName = "债" + code;
    v->volume = volume;
    return v;
}

// Answers the one query waiting, for records of `dataType`, and lets the answer reach the GUI
// thread; returns what was asked.
inline ttservice::CQueryDataReqPtr answerQuery(int dataType,
                                               const std::vector<ttservice::IDataPtr> &records,
                                               const utils::TTError &error = utils::TTError())
{
    std::vector<TC::CQueryCall> calls = tradeClient()->takePendingQueries();
    EXPECT_EQ(calls.size(), 1u);
    if (calls.size() != 1)
        return ttservice::CQueryDataReqPtr();
    EXPECT_EQ(calls.front().request->dataType, dataType);
    calls.front().answer(error, records);
    QCoreApplication::processEvents();
    return calls.front().request;
}

// The texts of the table's headers.
inline QStringList headerTexts(const XP::COddEvenRowTable &table)
{
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column)
        texts << table.headerText(column);
    return texts;
}

// The texts of `row`, column by column.
template<class Table> QStringList rowTexts(const Table &table, int row)
{
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column)
        texts << table.itemText(row, column);
    return texts;
}
