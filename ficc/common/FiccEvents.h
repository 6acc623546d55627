#pragma once

#include "xp/WidgetEvents.h"

namespace TC {

// Widget events of the toolkit that the module handles, and the module's own.
using XP::EVT_ACCOUNT_SPLIT_VOLUME;
using XP::EVT_ACCOUNTS_ALIGNMENT;
using XP::EVT_BUTTON_CHECKED;
using XP::EVT_CAN_ORDER_NUM;
using XP::EVT_CODE_ENTERED;
using XP::EVT_COMBO_CHANGED;
using XP::EVT_SELECTED_ACCOUNTS_CHANGED;

enum EFiccWidgetEvent {
    EVT_PLEDGE_SELECTION_CHANGED = 1291, // a pledge table's ticked rows changed
    EVT_TURN_DEAL_CHOSEN = 1292, // text = key of the intention order to declare
    EVT_CONTRACT_CHOSEN = 1293, // text = key of the contract picked
};

} // namespace TC
