#include "agreement/CAgreementCalculator.h"

#include "ttservice/CInstrumentCenter.h"
#include "ttservice/StockTypeCenter.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <iterator>

namespace TC {

namespace {

__extension__ typedef __int128 Int128;

// Digits accepted so that the products below stay inside 128 bits: amounts
// and rates of twenty and twelve digits, days up to a million.
constexpr int kMaxAmountDigits = 20;
constexpr int kMaxRateDigits = 12;
constexpr long long kMaxDays = 1000000;

struct Decimal
{
    Int128 mantissa = 0; // value = mantissa / 10^scale
    int scale = 0;
};

Int128 pow10(int n)
{
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// A plain decimal number as the order cells hold it: digits with at most one
// point, an optional sign; thousands separators and blanks are ignored.
bool parseDecimal(const QString &text, int maxDigits, Decimal *out)
{
    Decimal d;
    bool negative = false;
    bool point = false;
    int digits = 0;
    int i = 0;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == ',' || u == ' ')
            continue;
        if ((u == '-' || u == '+') && i == 0 && digits == 0 && !point) {
            negative = u == '-';
        } else if (u == '.' && !point) {
            point = true;
        } else if (u >= '0' && u <= '9') {
            if (++digits > maxDigits)
                return false;
            d.mantissa = d.mantissa * 10 + (u - '0');
            if (point)
                ++d.scale;
        } else {
            return false;
        }
        ++i;
    }
    if (digits == 0)
        return false;
    if (negative)
        d.mantissa = -d.mantissa;
    *out = d;
    return true;
}

// numerator / denominator rounded half up; both non-negative, denominator > 0.
Int128 roundHalfUp(Int128 numerator, Int128 denominator)
{
    const Int128 quotient = numerator / denominator;
    const Int128 remainder = numerator % denominator;
    return remainder * 2 >= denominator ? quotient + 1 : quotient;
}

double centsToYuan(Int128 cents)
{
    return double(cents) / 100.0;
}

// An amount or rate text as a non-negative decimal; false for anything else.
bool parseNonNegative(const QString &text, int maxDigits, Decimal *out)
{
    Decimal d;
    if (!parseDecimal(text, maxDigits, &d) || d.mantissa < 0)
        return false;
    *out = d;
    return true;
}

CAgreementCalculator::RepoAmounts amountsOf(const Decimal &amount, const Decimal &rate,
                                            long long days)
{
    CAgreementCalculator::RepoAmounts result;
    const Int128 n = qBound(0LL, days, kMaxDays);

    // In cents over the common denominator 10^(amount scale + rate scale) x 365:
    //   interest = amount x rate x days / (10^scales x 365)   (x100 cents, /100 percent)
    //   amount   = amount x 100 x 10^rate scale x 365 / (10^scales x 365)
    const Int128 denominator = pow10(amount.scale + rate.scale) * 365;
    const Int128 interest = amount.mantissa * rate.mantissa * n;
    const Int128 principal = amount.mantissa * 100 * pow10(rate.scale) * 365;
    result.valid = true;
    result.interest = centsToYuan(roundHalfUp(interest, denominator));
    result.maturityAmount = centsToYuan(roundHalfUp(interest + principal, denominator));
    return result;
}

bool typedAsAnyOf(const ttservice::StockTypeCenter &types,
                  const int (&ids)[CAgreementCalculator::kVarietyTypeCount],
                  const ttservice::CInstrumentDetail &instrument)
{
    return std::any_of(std::begin(ids), std::end(ids), [&](int id) {
        return types.isTypedStock(id, instrument.market, instrument.instrumentCode);
    });
}

} // namespace

std::map<std::string, CAgreementCalculator::VarietyList>
CAgreementCalculator::varietyTable(const ttservice::CInstrumentCenter &instruments,
                                   const ttservice::StockTypeCenter &types)
{
    std::map<std::string, VarietyList> table;
    for (const auto &entry : instruments.getAllInstruments()) {
        const ttservice::CInstrumentDetailPtr &instrument = entry.second;
        if (!instrument)
            continue;
        std::string market;
        if (typedAsAnyOf(types, kSzVarietyTypes, *instrument))
            market = "SZ";
        else if (typedAsAnyOf(types, kShVarietyTypes, *instrument))
            market = "SH";
        else
            continue;
        auto variety = boost::make_shared<ttservice::CBondInfoDetail>();
        variety->market = instrument->market;
        variety->instrumentCode = instrument->instrumentCode;
        variety->instrumentName = instrument->instrumentName;
        if (instrument->extraDetail) {
            variety->minDays = instrument->extraDetail->minDays;
            variety->maxDays = instrument->extraDetail->maxDays;
        }
        table[market].push_back(variety);
    }
    return table;
}

ttservice::CBondInfoDetailPtr CAgreementCalculator::findVariety(const VarietyList &varieties,
                                                                int days, EVarietyMatch match)
{
    ttservice::CBondInfoDetailPtr found;
    for (const ttservice::CBondInfoDetailPtr &variety : varieties) {
        if (!variety || variety->minDays > days || days > variety->maxDays)
            continue;
        found = variety;
        if (match == FIRST_MATCH)
            break;
    }
    return found;
}

QDate CAgreementCalculator::maturitySettleDate(const QDate &today, int days,
                                               const CTradingCalendar::DayMap &calendar)
{
    if (!today.isValid())
        return QDate();
    for (int skip = 0; skip < kSettleCandidates; ++skip) {
        const QDate candidate = today.addDays(qint64(days) + skip);
        const auto it = calendar.constFind(CTradingCalendar::dateKey(candidate));
        if (it != calendar.constEnd() && it->tradingDay != 0)
            return candidate;
    }
    return QDate();
}

CAgreementCalculator::RepoAmounts CAgreementCalculator::repoAmounts(const QString &amountText,
                                                                    const QString &rateText,
                                                                    long long days)
{
    Decimal amount, rate;
    if (!parseNonNegative(amountText, kMaxAmountDigits, &amount)
        || !parseNonNegative(rateText, kMaxRateDigits, &rate))
        return RepoAmounts();
    return amountsOf(amount, rate, days);
}

double CAgreementCalculator::contractMaturityAmount(const QString &amountText,
                                                    const QString &rateText, long long days)
{
    Decimal amount, rate; // 0 unless the text is a number
    parseNonNegative(amountText, kMaxAmountDigits, &amount);
    parseNonNegative(rateText, kMaxRateDigits, &rate);
    return amountsOf(amount, rate, days).maturityAmount;
}

double CAgreementCalculator::contractPledgeValue(
    const ttservice::CRepurchaseAgreementContractInfo &contract,
    const ttservice::CInstrumentCenter &instruments)
{
    double value = 0.0;
    for (const ttservice::CRepurchasePledgedBondPtr &bond : contract.pledgedBonds) {
        if (!bond)
            continue;
        const ttservice::CInstrumentDetailPtr instrument
            = instruments.getInstrument(bond->market, bond->bondCode);
        if (instrument && instrument->bondDetail)
            value += double(bond->pledgeVolume) * instrument->bondDetail->faceValue;
    }
    return value;
}

bool CAgreementCalculator::conversionRatio(double amount, double pledgeValue, double *ratio)
{
    if (!(pledgeValue > 0.0))
        return false;
    if (ratio)
        *ratio = amount * 100.0 / pledgeValue;
    return true;
}

} // namespace TC
