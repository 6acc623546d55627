#include "agreement/CAgreementDealerCells.h"

#include "agreement/CAgreementFieldTable.h"
#include "common/CDealerDirectory.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/CWidgetList.h"

#include <utility>
#include <vector>

namespace TC {

XP::CAutoKeyboardLineEdit *CAgreementDealerCells::add(int id, int kind, QWidget *form,
                                                      XP::CWidgetList *row)
{
    CDealerDirectory *directory = CDealerDirectory::instance();
    XP::CPortfolioSearchModel *model = directory->model(kind);
    if (!model)
        return nullptr;
    auto *cell = new XP::CAutoKeyboardLineEdit(model, id, form, true);
    cell->setAutoUpper(false);
    cell->setFilterChars(QList<QChar> { QLatin1Char('-'), QLatin1Char('_') });
    cell->setFilterSpecialChars(false);
    cell->setAllowCustomInput(true);
    cell->setEmptyHint(QStringLiteral("clr_disable_color"),
                       QStringLiteral("fnt_default_normal_fix"));
    cell->setMaxLength(100);
    cell->setFixedSize(CAgreementFieldTable::kEditorWidth, CAgreementFieldTable::kRowHeight);
    cell->setPinyinAdapter(nullptr);
    cell->setValidatorRegExp(QStringLiteral("^[\\w ,，.。!！?？]+$"));
    row->addFixedWidget(cell);
    directory->registerKeyboardWidget(kind, cell->getAutoKeyboardWidget());
    m_cells[id] = cell;
    m_models[id] = model;
    return cell;
}

XP::CAutoKeyboardLineEdit *CAgreementDealerCells::cell(int id) const
{
    const auto it = m_cells.find(id);
    return it == m_cells.end() ? nullptr : it->second;
}

XP::CPortfolioSearchModel *CAgreementDealerCells::model(int id) const
{
    const auto it = m_models.find(id);
    return it == m_models.end() ? nullptr : it->second;
}

QString CAgreementDealerCells::codePart(const QString &text)
{
    const int blank = text.indexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.left(blank);
}

QString CAgreementDealerCells::code(int id) const
{
    const XP::CAutoKeyboardLineEdit *found = cell(id);
    return found ? codePart(found->getText()) : QString();
}

void CAgreementDealerCells::setText(int id, const std::string &text)
{
    if (XP::CAutoKeyboardLineEdit *found = cell(id))
        found->setText(QString::fromStdString(text));
}

void CAgreementDealerCells::refillFor(int pickedId)
{
    const QString dealerCode = code(pickedId);
    if (dealerCode.isEmpty())
        return;
    using Target = std::pair<int, int>; // cell id, directory kind
    const std::vector<Target> targets = pickedId == kDealer
        ? std::vector<Target> { { kTrader, 2 }, { kSubject, 1 } }
        : std::vector<Target> { { kCounterpartySubject, 3 }, { kCounterpartyTrader, 4 } };
    for (const Target &target : targets) {
        XP::CAutoKeyboardLineEdit *found = cell(target.first);
        XP::CPortfolioSearchModel *targetModel = model(target.first);
        if (!found || !targetModel)
            continue;
        found->getAutoKeyboardWidget()->clearCache();
        CDealerDirectory::instance()->fillModel(dealerCode, targetModel, target.second);
        found->getAutoKeyboardWidget()->resetCacheMap();
    }
}

} // namespace TC
