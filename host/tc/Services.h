#pragma once

// The terminal's services as the panels and the demo terminal reach them: one
// accessor per service, spelled as the terminal's own interface spells it.
// Code outside the host includes this header and reaches a service only
// through the accessor named here.
//
// TC::getUserConfig()
//     The user's configuration: accounts, businesses, order hints, deploymentCode, user name.
// utils::CManualSingletonT<TC::CTradeClient>::instance()
//     Login states of the accounts, data queries, the signal that trading data is loaded.
// utils::CManualSingletonT<TC::CItCommandCenter>::instance()
//     Order commands, and the instructions that orders are placed against.
// ttservice::TraderCenter::instance()->getDataCenter()
//     The trading data of each account, by account key.
// ttservice::TraderCenter::instance()->getInstCenter()
//     The instrument directory, by market and code.
// ttservice::TraderCenter::instance()->getCalculator()
//     The maximum orderable quantity of an account, instrument, side and price.
// utils::CManualSingletonT<TC::CMsgService>::instance()
//     The message list the trader reads failed checks in.
// utils::CManualSingletonT<TC::CExchangeClient>::instance()
//     Instrument lookup by the code a trader types, and the start of a trading day.
// ttservice::TypeManager::instance()
//     Display names of the host's enumeration values.
// utils::CSingletonT<ttservice::StockTypeCenter>::instance()
//     Whether an instrument is of a given type.
// utils::CSingletonT<TC::CTradingCalendar>::instance()
//     The exchange's trading days.
// TC::CHostClock::today()
//     The terminal's current date.
// TC::getConfigDir()
//     The directory of per-user configuration files.
// TC::CAlgorithmHelpDialog::tryHelp(orders)
//     The algorithm helper, offered every manual command before it is created.
// utils::CSingletonT<XP::CUiResource>::instance()
//     The theme: colours, fonts, sizes and images by key.
//
// Code built over the host's core library alone, without the toolkit,
// includes the headers of the services it uses instead of this one; it
// spells the accessors the same way. Tests return every service to its empty
// state with TC::resetHostForTests() (tc/HostReset.h).

#include "tc/CAlgorithmHelpDialog.h"
#include "tc/CExchangeClient.h"
#include "tc/CHostClock.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/CTradeClient.h"
#include "tc/CTradingCalendar.h"
#include "tc/CUserManager.h"
#include "tc/ConfigDir.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/TypeManager.h"
#include "utils/CSingletonT.h"
#include "xp/CUiResource.h"
