#pragma once

namespace TC {

// What a deployment of the terminal (the user configuration's deploymentCode)
// lets the trader do with the FICC panels. Every widget asks here instead of
// keeping its own list of codes.
struct DeploymentRights
{
    bool panelContent = false; // the panel builds its pages at all
    bool agreementOperations
        = false; // 意向申报, 成交申报, 到期确认, 到期续做, 质押券变更, 解除质押
    bool earlyRepurchase = false; // 提前购回
    bool spotBuy = false; // the spot page's 买 入 button
    bool spotSell = false; // the spot page's 卖 出 button
    bool placesOrders = false; // orders reach the host's command centre
    bool readOnly = false; // forms and tables shown, nothing editable or sent
};

// The rights of a deployment code; unknown codes have none.
DeploymentRights deploymentRights(int deploymentCode);
// The rights of the deployment the host's user configuration names.
DeploymentRights currentDeploymentRights();

} // namespace TC
