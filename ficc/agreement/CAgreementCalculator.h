#pragma once

#include "tc/CTradingCalendar.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"

#include <QDate>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace ttservice {
class CInstrumentCenter;
class StockTypeCenter;
} // namespace ttservice

namespace TC {

// The arithmetic and date rules of the agreement content form, free of any
// widget: the repurchase variety that covers a term, the maturity settlement
// date on the exchange calendar, interest and maturity amount, and the
// conversion ratio of the amount to the pledged bonds.
class CAgreementCalculator final
{
public:
    using VarietyList = std::vector<ttservice::CBondInfoDetailPtr>;

    // Which variety wins when several cover the same number of days.
    enum EVarietyMatch { FIRST_MATCH, LAST_MATCH };

    // Candidate days tried for the maturity settlement date.
    static constexpr int kSettleCandidates = 365;

    // Instrument types of the agreement repurchase varieties, nine day ranges per market.
    static constexpr int kVarietyTypeCount = 9;
    static constexpr int kShVarietyTypes[kVarietyTypeCount]
        = { 279, 280, 281, 282, 283, 284, 285, 286, 287 };
    static constexpr int kSzVarietyTypes[kVarietyTypeCount]
        = { 10057, 10058, 10059, 10060, 10061, 10062, 10063, 10064, 10065 };

    // The repurchase varieties among the instruments, by market ("SH", "SZ"),
    // in directory order: an instrument typed as a Shenzhen variety goes under
    // "SZ", else one typed as a Shanghai variety under "SH". The day range
    // comes from the instrument's extra record (unset without one).
    static std::map<std::string, VarietyList>
    varietyTable(const ttservice::CInstrumentCenter &instruments,
                 const ttservice::StockTypeCenter &types);

    // The variety with minDays <= days <= maxDays; null when none covers `days`.
    static ttservice::CBondInfoDetailPtr findVariety(const VarietyList &varieties, int days,
                                                     EVarietyMatch match);

    // The maturity settlement date of a `days` term that starts `today`: the
    // first trading day of `calendar` on or after today + days, trying
    // kSettleCandidates days. A day the calendar does not list counts as closed.
    // Invalid when no candidate is a trading day.
    static QDate maturitySettleDate(const QDate &today, int days,
                                    const CTradingCalendar::DayMap &calendar);

    // Interest and maturity settlement amount of an agreement, in yuan, each
    // rounded half up at the cent.
    struct RepoAmounts
    {
        bool valid = false; // false: a text is not a non-negative decimal number
        double interest = 0.0;
        double maturityAmount = 0.0;
    };
    // interest = amount x rate / 100 x days / 365; maturity amount = amount + interest.
    // Worked out exactly on the decimal texts the trader typed ("1,000,000.00",
    // "2.555"), so a half cent is never lost to binary doubles. Thousands
    // separators and blanks are ignored; days < 0 count as 0.
    static RepoAmounts repoAmounts(const QString &amountText, const QString &rateText,
                                   long long days);
    // What a running contract settles `days` after its first settlement:
    // amount x (rate / 100 x days / 365 + 1), rounded half up at the cent. A text
    // that is no non-negative decimal number counts as 0.
    static double contractMaturityAmount(const QString &amountText, const QString &rateText,
                                         long long days);

    // Face value of the contract's pledged bonds that `instruments` lists:
    // the sum of pledgeVolume x faceValue.
    static double contractPledgeValue(const ttservice::CRepurchaseAgreementContractInfo &contract,
                                      const ttservice::CInstrumentCenter &instruments);

    // amount x 100 / pledgeValue, the ratio in percent; false when the
    // pledged value is not positive.
    static bool conversionRatio(double amount, double pledgeValue, double *ratio);

private:
    CAgreementCalculator() = delete;
};

} // namespace TC
