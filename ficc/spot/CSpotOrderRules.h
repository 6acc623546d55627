#pragma once

#include "common/OrderPlacement.h"
#include "tc/CCanOrderNum.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CCalculator.h"
#include "ttservice/CCodeOrderParam.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/COrderCommand.h"
#include "ttservice/Types.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace TC {

// The rules of a spot bond order with a named counterparty, apart from the
// form that collects it: the input checks, the amounts, the orderable
// quantities and the order itself. Reads no service of the host: the form
// hands over what the host says (Host) with what it holds (Input). Touches
// no widget.
class CSpotOrderRules
{
public:
    // What the form holds. Numbers are read from the texts as the toolkit's
    // editors read them (separators and blanks ignored, 0 when not a number).
    struct Input
    {
        std::string accountKey;
        bool hasCodeEditor = true;
        QString stockCode; // the bond code entered last; empty when none
        bool hasAgreementEditor = true;
        QString agreementNo;
        QString priceText; // clean price per 100 yuan of face value
        QString quantityText; // 张
        QString counterpartyTrader;
        double fullPrice = 0.0; // as the form shows it; kUnsetDouble when invalid
    };

    // What the host says about the order when the trader places it.
    struct Host
    {
        explicit Host(const ttservice::CCalculator &calculator)
            : calculator(calculator)
        {
        }

        OrderAccount account; // the account of Input::accountKey and its login state
        // The data centre's trading data of Input::accountKey; null when it has none.
        ttservice::CAccountDataPtr accountData;
        // The exchange's listing of Input::stockCode; null when the code is not listed.
        std::shared_ptr<ttservice::CInstrumentDetail> instrument;
        // The instruction the order is placed within; null when it is placed within none.
        ttservice::COrderCommandPtr instruction;
        std::string userName; // the user configuration's user name, UTF-8
        const ttservice::CCalculator &calculator; // the host's orderable quantities
    };

    struct Amounts
    {
        double fullPrice = 0.0;
        double totalAccruedInterest = 0.0;
        double settlementAmount = 0.0;
    };

    // Full price = clean price + accrued interest per 张; the accrued interest
    // and the settlement amount are for the whole quantity.
    static Amounts amounts(double cleanPrice, long long quantity, double accruedInterest);

    // The editing tip for an agreement number typed for a bond of `market`;
    // empty when the number is fine or the market has no rule.
    static QString agreementNoTip(const std::string &market, const QString &text);

    // The first failed check, in the order of the form; true when an order may be built.
    static bool checkInput(const Input &input, const Host &host, QString &error);

    // The calculator's maximum for the account, bond, side and price; 0 without account data.
    static long long maxOrderQuantity(const ttservice::CCalculator &calculator,
                                      const ttservice::CAccountDataPtr &accountData,
                                      const std::string &market, const std::string &code,
                                      ttservice::EOperationType side, double price);

    // Orderable quantities shown in the account list. Buying needs a usable
    // clean and full price (neither invalid nor zero); `buyFresh` tells whether
    // the buy quantity was computed. Selling is always computed, at the full
    // price when the clean price was usable, else at the clean price.
    static CCanOrderNum canOrderNum(const ttservice::CCalculator &calculator,
                                    const ttservice::CAccountDataPtr &accountData,
                                    const ttservice::CInstrumentDetail &instrument,
                                    double cleanPrice, double fullPrice, bool *buyFresh = nullptr);

    // The quantity to order: the entered one capped by the maximum, rounded
    // down to whole lots of 10 张 (0 below one lot).
    static long long orderVolume(long long entered, long long maximum);

    // An order placed within an instruction must fit one of the instruction's
    // orders for the same account, bond and side. True without an instruction.
    static bool checkInstructionLimit(const ttservice::COrderCommand *instruction,
                                      const ttservice::CCodeOrderParam &order, long long volume,
                                      QString &error);

    // Builds the one order of the form for `side`; on failure `orders` is empty.
    static bool buildOrders(const Input &input, const Host &host, ttservice::EOperationType side,
                            std::vector<ttservice::CCodeOrderParam> &orders, QString &error);

    // A number as the toolkit's editors read it.
    static double toDouble(const QString &text);
    static int toInt(const QString &text);

    static bool isZero(double value) { return value >= -0.00001 && value <= 0.00001; }

private:
    CSpotOrderRules() = delete;
};

} // namespace TC
