#include "agreement/CAgreementFieldTable.h"

#include "xp/CComboBox.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"
#include "xp/CPushButton.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CWidgetList.h"

#include <QRegExpValidator>

#include <cfloat>
#include <climits>
#include <cmath>

namespace TC {

namespace {

using Spec = CAgreementFieldTable::Spec;
using Item = CAgreementFieldTable::Item;

constexpr unsigned T06 = CAgreementFieldTable::T06;
constexpr unsigned T08 = CAgreementFieldTable::T08;
constexpr unsigned T09 = CAgreementFieldTable::T09;
constexpr unsigned T10 = CAgreementFieldTable::T10;
constexpr unsigned T11 = CAgreementFieldTable::T11;
constexpr unsigned T12 = CAgreementFieldTable::T12;
constexpr unsigned T13 = CAgreementFieldTable::T13;
constexpr unsigned T15 = CAgreementFieldTable::T15;
constexpr unsigned ALL = CAgreementFieldTable::ALL_TYPES;
// Types that declare a new agreement and so have days, variety and dates.
constexpr unsigned NEW_DEAL = T06 | T11 | T12;
// The intention declarations have no counterparty.
constexpr unsigned INTENTION = T11 | T12;
// Types working on a running contract whose counterparty is fixed by it.
constexpr unsigned FIXED_COUNTERPARTY = T08 | T09 | T10 | T13;

const Item kRenewTypes[] = { { "非三方续做", '0' }, { "三方续做", '1' } };
const Item kSubjectTypes[]
    = { { "机构投资者", 2 }, { "个人投资者", 0 }, { "会员", 1 }, { "自营交易者", 3 } };

Spec make(const char *label, int id, Spec::EKind kind, unsigned types, int column,
          unsigned state = 0, unsigned disabledTypes = 0)
{
    Spec spec { label, id, kind, types, column };
    spec.state = state;
    spec.disabledTypes = disabledTypes;
    return spec;
}

Spec cell(const char *label, int id, const char *unit, Spec::EValidator validator, double bottom,
          double top, double step, unsigned types, int column, unsigned state = 0,
          unsigned disabledTypes = 0)
{
    Spec spec = make(label, id, Spec::KIND_CELL, types, column, state, disabledTypes);
    spec.unit = unit;
    spec.validator = validator;
    spec.bottom = bottom;
    spec.top = top;
    spec.step = step;
    return spec;
}

Spec combo(const char *label, int id, const Item *items, int count, unsigned types, int column,
           unsigned state)
{
    Spec spec = make(label, id, Spec::KIND_COMBO, types, column, state);
    spec.itemList = items;
    spec.itemCount = count;
    return spec;
}

Spec dealer(const char *label, int id, int kind, unsigned types, int column,
            unsigned disabledTypes = 0)
{
    Spec spec = make(label, id, Spec::KIND_DEALER, types, column, 0, disabledTypes);
    spec.dealerKind = kind;
    return spec;
}

std::vector<Spec> buildSpecs()
{
    const auto D = Spec::VALIDATOR_DOUBLE;
    const auto I = Spec::VALIDATOR_INT;
    const unsigned OFF = Spec::DISABLED;
    const unsigned OFF200 = Spec::DISABLED_200;
    const double INT_TOP = INT_MAX;

    std::vector<Spec> s;
    s.push_back(combo("资金账号", 0, nullptr, 0, ALL, 1, OFF200));
    s.push_back(cell("可用资金", 1, "元", D, 0, DBL_MAX, 1, ALL, 1,
                     Spec::EDITOR_DISABLED | Spec::NO_FOCUS));
    s.push_back(make("合同编号", 8, Spec::KIND_EDIT, ALL & ~NEW_DEAL, 1, OFF));
    s.push_back(combo("续做类型", 25, kRenewTypes, 2, T10, 1, OFF));
    s.push_back(cell("续做天数", 2, "天", D, 0, 365, 1, T10, 1, OFF200));
    s.push_back(cell("回购天数", 2, "天", D, 0, 365, 1, NEW_DEAL, 1, Spec::NO_FOCUS | OFF200));
    s.push_back(make("回购品种", 9, Spec::KIND_EDIT, NEW_DEAL, 1, OFF | Spec::NO_FOCUS));
    s.push_back(
        cell("回购利率", 4, "%", D, 0.001, 99.999, 0.001, ALL & ~(T08 | T09), 1, OFF200, T13));
    s.push_back(cell("      回购利率", 4, "%", D, 0.001, 99.999, 0.001, T08 | T09, 2, OFF200));
    s.push_back(cell("回购金额", 3, "元", D, 0.01, DBL_MAX, 0.01, ALL, 1, OFF200));
    s.push_back(dealer("  交易商", 12, 0, ALL, 1));
    s.push_back(dealer("交易主体", 13, 1, ALL & ~INTENTION, 1));
    s.push_back(make("  首次结算日期", 10, Spec::KIND_EDIT, ALL & ~T13, 2, OFF));
    s.push_back(make("  到期结算日期", 11, Spec::KIND_EDIT, NEW_DEAL | T10, 2, OFF));
    s.push_back(cell("  实际占款天数", 5, "天", D, 0, INT_TOP, 1, NEW_DEAL | T10, 2,
                     Spec::EDITOR_DISABLED));
    s.push_back(cell("    原回购利息", 24, "元", D, 0, DBL_MAX, 0.01, T10, 2));
    s.push_back(cell("      回购利息", 6, "元", I, 0, INT_TOP, 10, NEW_DEAL | T10, 2, OFF));
    s.push_back(cell("  到期结算金额", 7, "元", I, 0, INT_TOP, 10, ALL, 2, OFF));
    s.push_back(make("        联系人", 15, Spec::KIND_EDIT, INTENTION, 2, OFF200));
    Spec contact = make("      联系方式", 16, Spec::KIND_EDIT, INTENTION, 2, OFF200);
    contact.pattern = "(8|[0-9\\.]+$)";
    s.push_back(contact);
    s.push_back(make("    原质押代码", 17, Spec::KIND_EDIT, T13, 2, OFF));
    s.push_back(cell("    原质押金额", 18, "元", I, 0, INT_TOP, 10, T13, 2, OFF));
    s.push_back(dealer("  交易员", 19, 2, ALL, 1));
    s.push_back(dealer("    对方交易员", 20, 4, ALL & ~INTENTION, 2));
    s.push_back(dealer("    对手交易商", 21, 0, ALL & ~INTENTION, 2, FIXED_COUNTERPARTY));
    s.push_back(make("对手交易商名称", 22, Spec::KIND_EDIT, ALL & ~INTENTION, 2, OFF200,
                     FIXED_COUNTERPARTY));
    s.push_back(dealer("  对方交易主体", 14, 3, ALL & ~INTENTION, 2));
    s.push_back(cell("折算比例", 2, "%", D, 0.01, 100, 0.01, ALL, 1, OFF));
    Spec terms = make("      补充条款", 23, Spec::KIND_EDIT, ALL & ~T08, 2, OFF200);
    terms.maxLength = 170;
    s.push_back(terms);
    s.push_back(cell("      结算金额", 26, "元", D, 0.01, DBL_MAX, 0.01, T15, 2, OFF200));
    s.push_back(cell("      换出孳息", 27, "元", D, 0, DBL_MAX, 0.01, T13, 2, OFF200));
    Spec import = make("    导入交易商:", 29, Spec::KIND_BUTTON, ALL, 2);
    import.icon = "ic_img_homepage_runtrade_setting";
    s.push_back(import);
    s.push_back(combo("主体类型", 28, kSubjectTypes, 4, ALL & ~INTENTION, 1, OFF200));
    return s;
}

} // namespace

unsigned CAgreementFieldTable::typeBit(ETradeOperationType type)
{
    switch (type) {
    case OPT_AGREEMENT_DEAL_DECLARATION:
        return T06;
    case OPT_AGREEMENT_MATURITY_CONFIRM:
        return T08;
    case OPT_AGREEMENT_EARLY_REPURCHASE:
        return T09;
    case OPT_AGREEMENT_MATURITY_RENEWAL:
        return T10;
    case OPT_AGREEMENT_INTENTION_REPO:
        return T11;
    case OPT_AGREEMENT_INTENTION_REVERSE_REPO:
        return T12;
    case OPT_AGREEMENT_PLEDGE_CHANGE:
        return T13;
    case OPT_AGREEMENT_PLEDGE_RELEASE:
        return T15;
    default:
        return 0;
    }
}

bool CAgreementFieldTable::Spec::createdFor(ETradeOperationType type) const
{
    return (types & typeBit(type)) != 0;
}

bool CAgreementFieldTable::Spec::disabledFor(ETradeOperationType type, bool deployment200) const
{
    return (state & DISABLED) || (deployment200 && (state & DISABLED_200))
        || (disabledTypes & typeBit(type)) != 0;
}

int CAgreementFieldTable::Spec::decimals() const
{
    for (int d = 0; d < 6; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-9)
            return d;
    }
    return 6;
}

const std::vector<CAgreementFieldTable::Spec> &CAgreementFieldTable::specs()
{
    static const std::vector<Spec> table = buildSpecs();
    return table;
}

void CAgreementFieldTable::assign(const Spec &spec, QWidget *editor,
                                  IBaseAgreementContentWidget::Cells &cells)
{
    using Form = IBaseAgreementContentWidget;
    auto *cell = spec.kind == Spec::KIND_CELL ? static_cast<XP::CParameterCell *>(editor) : nullptr;
    auto *edit = spec.kind == Spec::KIND_EDIT ? static_cast<XP::CLineEdit *>(editor) : nullptr;
    auto *box = spec.kind == Spec::KIND_COMBO ? static_cast<XP::CComboBox *>(editor) : nullptr;
    switch (spec.id) {
    case Form::CELL_ACCOUNT:
        cells.account = box;
        break;
    case Form::CELL_FUNDS:
        cells.funds = cell;
        break;
    case Form::CELL_DAYS: // also CELL_RATIO
        (QString::fromUtf8(spec.label) == QStringLiteral("折算比例") ? cells.ratio : cells.days)
            = cell;
        break;
    case Form::CELL_AMOUNT:
        cells.amount = cell;
        break;
    case Form::CELL_RATE:
        cells.rate = cell;
        break;
    case Form::CELL_ACTUAL_DAYS:
        cells.actualDays = cell;
        break;
    case Form::CELL_INTEREST:
        cells.interest = cell;
        break;
    case Form::CELL_MATURITY_AMOUNT:
        cells.maturityAmount = cell;
        break;
    case Form::CELL_CONTRACT_NO:
        cells.contractNo = edit;
        break;
    case Form::CELL_VARIETY:
        cells.variety = edit;
        break;
    case Form::CELL_FIRST_SETTLE_DATE:
        cells.firstSettleDate = edit;
        break;
    case Form::CELL_MATURITY_SETTLE_DATE:
        cells.maturitySettleDate = edit;
        break;
    case Form::CELL_CONTACT_PERSON:
        cells.contactPerson = edit;
        break;
    case Form::CELL_CONTACT_METHOD:
        cells.contactMethod = edit;
        break;
    case Form::CELL_ORIGINAL_PLEDGE_CODE:
        cells.originalPledgeCode = edit;
        break;
    case Form::CELL_ORIGINAL_PLEDGE_AMOUNT:
        cells.originalPledgeAmount = cell;
        break;
    case Form::CELL_COUNTERPARTY_DEALER_NAME:
        cells.counterpartyDealerName = edit;
        break;
    case Form::CELL_SUPPLEMENTARY_TERMS:
        cells.supplementaryTerms = edit;
        break;
    case Form::CELL_ORIGINAL_INTEREST:
        cells.originalInterest = cell;
        break;
    case Form::CELL_RENEW_TYPE:
        cells.renewType = box;
        break;
    case Form::CELL_SETTLEMENT_AMOUNT:
        cells.settlementAmount = cell;
        break;
    case Form::CELL_SWAP_INCOME:
        cells.swapIncome = cell;
        break;
    case Form::CELL_SUBJECT_TYPE:
        cells.subjectType = box;
        break;
    case Form::CELL_IMPORT:
        cells.importButton
            = spec.kind == Spec::KIND_BUTTON ? static_cast<XP::CPushButton *>(editor) : nullptr;
        break;
    default: // dealer cells live in the form's dealer maps
        break;
    }
}

QWidget *CAgreementFieldTable::buildEditor(const Spec &spec, XP::CWidgetList *row,
                                           XP::CSimpleTextWidget **label, QWidget **focusTarget)
{
    const QString text = QString::fromUtf8(spec.label);
    const int labelWidth = kRowWidth - 4 - kEditorWidth - 4; // row margins, then a gap of 4
    QWidget *editor = nullptr;
    if (spec.kind == Spec::KIND_CELL) {
        auto *cell = new XP::CParameterCell(spec.id, text, QString::fromUtf8(spec.unit), row);
        cell->setLabelWidth(labelWidth);
        cell->getLineEdit()->setFixedSize(kEditorWidth, kRowHeight);
        if (spec.validator == Spec::VALIDATOR_INT) {
            cell->setIntValidator(qint64(spec.bottom), qint64(spec.top), 10, QString());
            cell->setSpin(true, 1);
        } else {
            cell->setDoubleValidator(spec.bottom, spec.top, spec.decimals(), QString());
            cell->setSpin(true, spec.step);
        }
        row->addStretchWidget(cell, 1);
        *label = cell->getLabel();
        *focusTarget = cell->getLineEdit();
        return cell;
    }

    *label = new XP::CSimpleTextWidget(text, row);
    if (spec.kind == Spec::KIND_BUTTON) {
        auto *button = new XP::CPushButton(spec.id, row);
        button->setIconKey(QString::fromUtf8(spec.icon));
        button->setFixedSize(kRowHeight, kRowHeight);
        row->setSpacing(4);
        (*label)->setFixedWidth(labelWidth);
        row->addFixedWidget(*label);
        row->addFixedWidget(button, XP::CWidgetList::ANCHOR_CENTER);
        *focusTarget = button;
        return button;
    }
    if (spec.kind == Spec::KIND_COMBO) {
        auto *combo = new XP::CComboBox(spec.id, row);
        for (const Item &item : spec.items())
            combo->addItem(QString::fromUtf8(item.text), item.data);
        editor = combo;
    } else {
        auto *edit = new XP::CLineEdit(spec.id, row, false);
        if (spec.maxLength > 0)
            edit->setMaxLength(spec.maxLength);
        if (spec.pattern)
            edit->setValidator(
                new QRegExpValidator(QRegExp(QString::fromUtf8(spec.pattern)), edit));
        editor = edit;
    }
    editor->setFixedSize(kEditorWidth, kRowHeight);
    row->addStretchWidget(*label, 1);
    row->addFixedWidget(editor);
    *focusTarget = editor;
    return editor;
}

void CAgreementFieldTable::applyInitialState(const Spec &spec, QWidget *editor,
                                             QWidget *focusTarget, ETradeOperationType type,
                                             bool deployment200)
{
    if (!editor || !focusTarget)
        return;
    if (spec.disabledFor(type, deployment200))
        editor->setEnabled(false);
    if (spec.state & Spec::EDITOR_DISABLED)
        focusTarget->setEnabled(false);
    if (spec.state & Spec::NO_FOCUS)
        focusTarget->setFocusPolicy(Qt::NoFocus);
}

} // namespace TC
