#include "common/OrderPlacement.h"

#include "tc/Services.h"
#include "ttservice/CAccountInfo.h"
#include "ttservice/COrderComandParam.h"

#include <boost/make_shared.hpp>

namespace TC {

bool checkOrderAccount(const OrderAccount &in, QString &error)
{
    if (in.key.isEmpty()) {
        error = QStringLiteral("没有选择账号, 无法下单!");
        return false;
    }
    if (!in.account) {
        error = QStringLiteral("账号 [%1] 不存在, 无法下单!").arg(in.key);
        return false;
    }
    if (in.loginStatus == ttservice::BROKER_LOGIN_STATUS_REFRESHING) {
        error = QStringLiteral("账号 [%1] 正在刷新, 无法下单!")
                    .arg(QString::fromStdString(
                        ttservice::accountDisplayID(*in.account->getAccountInfo())));
        return false;
    }
    if (in.loginStatus != ttservice::BROKER_LOGIN_STATUS_OK) {
        error = QStringLiteral("账号 [%1] 尚未登录, 无法下单!")
                    .arg(QString::fromStdString(
                        ttservice::accountDisplayID(*in.account->getAccountInfo())));
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
