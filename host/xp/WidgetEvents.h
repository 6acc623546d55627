#pragma once

namespace XP {

// Numbers of the widget events that toolkit controls and the host send upwards
// through CEventDeliverer::deliverEvent(event, a, b, text, data).
enum EWidgetEvent {
    EVT_BUTTON_CHECKED = 5, // a = button id
    EVT_TEXT_CLICKED = 10, // a = text widget id, text = its text
    EVT_CELL_EDITED = 52, // data = row, column and text of a table cell
    EVT_COMBO_CHANGED = 71, // a = combo id, b = index, data = QVariant* item data
    EVT_RADIO_CLICKED = 97, // a = radio button id
    EVT_EDIT_FINISHED = 103, // a = editor id, text = editor text
    EVT_PARAM_CELL_EDITED = 120, // a = cell id, text = cell text
    EVT_TABLE_CHECKBOX_CLICKED = 230, // a = delegate id, text = row key
    EVT_TABLE_LINEEDIT_CHANGED = 234, // a = delegate id, b = column, text = row key
    EVT_AUTOKEYBOARD_PICKED = 252, // a = editor id, text = picked entry
    EVT_TABLE_COMBO_CHANGED = 275, // b = value, text = row key
    EVT_CODE_ENTERED = 1082, // text = instrument code
    EVT_ACCOUNTS_ALIGNMENT = 1158, // b = Qt alignment flag of the account list
    EVT_ACCOUNT_SPLIT_VOLUME = 1159, // data = per-account split volumes
    EVT_CAN_ORDER_NUM = 1160, // data = orderable quantities of one account
    EVT_SELECTED_ACCOUNTS_CHANGED = 1161,
};

} // namespace XP
