#pragma once

#include "agreement/IBaseAgreementContentWidget.h"

#include <vector>

namespace XP {
class CSimpleTextWidget;
class CWidgetList;
} // namespace XP

namespace TC {

// The rows of the agreement content form: which operation types show a row,
// its label, editor, validator and initial state. The form builds itself from
// this table, in table order.
class CAgreementFieldTable final
{
public:
    // Operation types as bits of a mask.
    enum ETypeBit : unsigned {
        T06 = 0x01, // 成交申报 14006
        T08 = 0x02, // 到期确认 14008
        T09 = 0x04, // 提前购回 14009
        T10 = 0x08, // 到期续做 14010
        T11 = 0x10, // 意向申报 正回购 14011
        T12 = 0x20, // 意向申报 逆回购 14012
        T13 = 0x40, // 质押券变更 14013
        T15 = 0x80, // 解除质押 14015
        ALL_TYPES = 0xff,
    };

    struct Item
    {
        const char *text;
        int data;
    };

    struct Spec
    {
        enum EKind { KIND_COMBO, KIND_CELL, KIND_EDIT, KIND_DEALER, KIND_BUTTON };
        enum EValidator { VALIDATOR_NONE, VALIDATOR_DOUBLE, VALIDATOR_INT };
        enum EState : unsigned {
            DISABLED = 0x1, // the whole row's editor
            DISABLED_200 = 0x2, // disabled under deployment 200
            EDITOR_DISABLED = 0x4, // the cell's line edit only
            NO_FOCUS = 0x8, // the editor (a cell's line edit) takes no focus
        };

        const char *label;
        int id;
        EKind kind;
        unsigned types; // ETypeBit mask of the types that have the row
        int column; // 1 or 2
        unsigned state = 0; // EState flags
        unsigned disabledTypes = 0; // types for which the editor starts disabled
        const char *unit = "";
        EValidator validator = VALIDATOR_NONE;
        double bottom = 0.0;
        double top = 0.0;
        double step = 0.0;
        int dealerKind = -1; // dealer directory kind of a dealer cell
        const Item *itemList = nullptr; // combo items
        int itemCount = 0;
        int maxLength = 0;
        const char *pattern = nullptr; // line edit validator
        const char *icon = nullptr; // button image key

        bool createdFor(ETradeOperationType type) const;
        bool disabledFor(ETradeOperationType type, bool deployment200) const;
        // Digits after the point of the validator's step (1 -> 0, 0.01 -> 2).
        int decimals() const;
        std::vector<Item> items() const { return { itemList, itemList + itemCount }; }
    };

    // Every row is kRowWidth x kRowHeight with its editor kEditorWidth wide.
    static constexpr int kRowWidth = 280;
    static constexpr int kRowHeight = 22;
    static constexpr int kEditorWidth = 140;

    static unsigned typeBit(ETradeOperationType type);
    static const std::vector<Spec> &specs();
    // Stores the editor built for `spec` in its member of `cells`.
    static void assign(const Spec &spec, QWidget *editor,
                       IBaseAgreementContentWidget::Cells &cells);
    // Builds the label and the editor of a cell, combo, line edit or button
    // row into `row`. Returns the editor; `label` receives the label widget and
    // `focusTarget` the widget that takes the focus (a cell's line edit).
    static QWidget *buildEditor(const Spec &spec, XP::CWidgetList *row,
                                XP::CSimpleTextWidget **label, QWidget **focusTarget);
    // Disables the editor and sets its focus as the row's initial state says.
    static void applyInitialState(const Spec &spec, QWidget *editor, QWidget *focusTarget,
                                  ETradeOperationType type, bool deployment200);

private:
    CAgreementFieldTable() = delete;
};

} // namespace TC
