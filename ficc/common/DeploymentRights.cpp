#include "common/DeploymentRights.h"

#include "tc/Services.h"

namespace TC {

namespace {

struct Row
{
    int code;
    DeploymentRights rights;
};

// panel, agreement operations, 提前购回, buy, sell, places orders, read-only.
// 80 trades from other panels of the terminal: its buttons exist where a
// page is built for it, but the FICC panel itself has no content for it.
// 400 is the sell-only desk; 200 watches without trading.
const Row kRows[] = {
    { 80, { false, true, true, true, true, true, false } },
    { 90, { true, true, true, true, true, true, false } },
    { 91, { true, true, true, true, true, true, false } },
    { 100, { true, true, true, true, true, true, false } },
    { 101, { true, true, true, true, true, true, false } },
    { 200, { true, true, true, true, true, false, true } },
    { 400, { true, false, true, false, true, true, false } },
};

} // namespace

DeploymentRights deploymentRights(int deploymentCode)
{
    for (const Row &row : kRows)
        if (row.code == deploymentCode)
            return row.rights;
    return DeploymentRights();
}

DeploymentRights currentDeploymentRights()
{
    return deploymentRights(getUserConfig()->deploymentCode);
}

} // namespace TC
