#pragma once

#include <QString>

#include <map>
#include <string>

class QWidget;

namespace XP {
class CAutoKeyboardLineEdit;
class CPortfolioSearchModel;
class CWidgetList;
} // namespace XP

namespace TC {

// The dealer (交易商), trading subject (交易主体) and trader (交易员) cells of an
// agreement form, completing from the dealer directory's models. A cell's text
// is "code name"; orders and the directory want the code.
class CAgreementDealerCells final
{
public:
    // Ids of the two dealer cells and the cells they feed.
    static constexpr int kDealer = 12;
    static constexpr int kSubject = 13;
    static constexpr int kCounterpartySubject = 14;
    static constexpr int kTrader = 19;
    static constexpr int kCounterpartyTrader = 20;
    static constexpr int kCounterpartyDealer = 21;

    // Builds cell `id` over the directory model of `kind` at the end of `row`
    // and registers its completion list with the directory. Events of the
    // cell start at `form`. Null, and nothing built, when the directory has no
    // model for the kind.
    XP::CAutoKeyboardLineEdit *add(int id, int kind, QWidget *form, XP::CWidgetList *row);

    XP::CAutoKeyboardLineEdit *cell(int id) const;
    XP::CPortfolioSearchModel *model(int id) const;
    // The text of cell `id` up to its first blank; empty for a missing cell.
    QString code(int id) const;
    // Sets the text of cell `id`, when the form has it, without offering matches.
    void setText(int id, const std::string &text);

    // After a pick in the dealer cell `pickedId` (kDealer or kCounterpartyDealer):
    // the trader and subject cells of that side offer the picked dealer's
    // traders and subjects. Nothing when the picked text has no code.
    void refillFor(int pickedId);

    static QString codePart(const QString &text);

private:
    std::map<int, XP::CAutoKeyboardLineEdit *> m_cells; // owned by the form through Qt parentage
    std::map<int, XP::CPortfolioSearchModel *> m_models; // owned by the dealer directory
};

} // namespace TC
