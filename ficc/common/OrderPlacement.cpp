#include "common/OrderPlacement.h"

#include "tc/CItCommandCenter.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "ttservice/CAccountInfo.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/Types.h"
#include "utils/CSingletonT.h"

#include <boost/make_shared.hpp>

namespace TC {

bool checkOrderAccount(const QString &accountKey, QString &error)
{
    if (accountKey.isEmpty()) {
        error = QStringLiteral("没有选择账号, 无法下单!");
        return false;
    }
    const CAccountPtr account = getUserConfig()->getAccountData(accountKey);
    if (!account) {
        error = QStringLiteral("账号 [%1] 不存在, 无法下单!").arg(accountKey);
        return false;
    }
    const int status
        = utils::CManualSingletonT<CTradeClient>::instance()->getLoginStatus(account->getKey());
    if (status == ttservice::BROKER_LOGIN_STATUS_REFRESHING) {
        error = QStringLiteral("账号 [%1] 正在刷新, 无法下单!")
                    .arg(QString::fromStdString(
                        ttservice::accountDisplayID(*account->getAccountInfo())));
        return false;
    }
    if (status != ttservice::BROKER_LOGIN_STATUS_OK) {
        error = QStringLiteral("账号 [%1] 尚未登录, 无法下单!")
                    .arg(QString::fromStdString(
                        ttservice::accountDisplayID(*account->getAccountInfo())));
        return false;
    }
    return true;
}

void sendManualCommand(const std::vector<ttservice::CCodeOrderParam> &orders,
                       const std::string &commandText)
{
    auto command = boost::make_shared<ttservice::COrderComandParam>();
    command->commandKind = ttservice::VQ_TRADER_TYPE_FICC;
    command->commandSubKind = 0;
    command->orders = orders;
    command->commandText = commandText;
    command->manual = true;
    command->commandMode = 0;
    command->commandOption = 0;
    utils::CManualSingletonT<CItCommandCenter>::instance()->createCommand(
        command, CItCommandCenter::Callback(), true, 0);
}

} // namespace TC
