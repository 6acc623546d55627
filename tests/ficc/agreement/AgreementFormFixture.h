#pragma once

// HostFixture plus the shipped closures, nine varieties per market (typed 279-287 and
// 10057-10065), an own configuration directory and today fixed at Thursday 2026-02-12.
#include "HostFixture.h"
#include "LogCapture.h"
#include "QtPrinters.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "agreement/IBaseAgreementRepurchaseWidget.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/CRepurchasePledgedBond.h"
#include "xp/CBaseWidget.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

class QLineEdit;

using Keys = std::vector<std::string>;

// One field as `line` shows it: numbers to 15 digits, unset numbers and empty texts as "-".
inline std::string fieldText(const QString &text)
{
    return text.isEmpty() ? "-" : text.toStdString();
}
inline std::string fieldText(const std::string &text)
{
    return fieldText(QString::fromStdString(text));
}
inline std::string fieldText(const char *text)
{
    return fieldText(QString::fromUtf8(text));
}
inline std::string fieldText(double number)
{
    const bool unset = number == ttservice::kUnsetInt || number == ttservice::kUnsetDouble;
    return unset ? "-" : QString::number(number, 'g', 15).toStdString();
}
inline std::string fieldText(int number)
{
    return fieldText(double(number));
}
inline std::string fieldText(long long number)
{
    return fieldText(double(number));
}

// Several fields of a record joined by blanks, to compare them in one line.
template<class... Fields> std::string line(const Fields &...fields)
{
    std::string joined;
    ((joined += (joined.empty() ? "" : " ") + fieldText(fields)), ...);
    return joined;
}

// A bond pledged under a contract or a declaration.
ttservice::CRepurchasePledgedBondPtr pledgedBond(const std::string &market, const std::string &code,
                                                 int volume, int swapFlag = '0',
                                                 const std::string &name = std::string(),
                                                 int property = '0');

// A repurchase variety of `minDays` to `maxDays` days, as the host details it.
ttservice::CBondInfoDetailPtr repoVariety(const std::string &market, const std::string &code,
                                          const std::string &name, int minDays, int maxDays);

// A parent that records the events bubbling out of a form and consumes them.
class EventSink : public XP::CBaseWidget
{
public:
    struct Event
    {
        int event, a, b;
        QString text;
        QVariant data;
    };
    EventSink();
    bool handleEvent(int event, int a, int b, QString text, void *data) override;
    std::vector<Event> events;
};

// An operation form that keeps what the agreement tables hand it.
class FakeOperation : public TC::IBaseAgreementRepurchaseWidget
{
public:
    FakeOperation(TC::ETradeOperationType type, const std::string &account)
        : TC::IBaseAgreementRepurchaseWidget(nullptr)
        , m_account(QString::fromStdString(account))
    {
        setOperationType(type);
    }
    void setAccountKeys(std::set<std::string> *) override { }
    void refreshAccountInfo() override { }
    void setContract(const std::string &key) override { contracts.push_back(key); }
    QString currentAccountKey() const override { return m_account; }
    void setCurrentAccount(const QString &key) override { m_account = key; }
    void doOperation() override { }
    void contractListReloaded() override { ++reloads; }
    std::string traderCode() const override { return trader; }

    Keys contracts;
    int reloads = 0;
    std::string trader; // what its 交易员 cell holds

private:
    QString m_account;
};

class AgreementFormFixture : public HostFixture
{
protected:
    using Form = TC::IBaseAgreementContentWidget;

    void SetUp() override;

    // A form of `type` under `parent` (owned by the parent when given), with the accounts 10001
    // and 10003 offered and showing `contract` when one is named.
    std::unique_ptr<Form> makeForm(TC::ETradeOperationType type,
                                   const std::string &contract = std::string(),
                                   QWidget *parent = nullptr);

    // The texts of `cells` in order, to compare several cells of a form at once.
    template<class... Cells> static QStringList texts(const Cells *...cells)
    {
        return { cells->text()... };
    }

    static void addVarieties();
    // A repurchase variety of `minDays` to `maxDays` days, registered under `typeId`.
    static void addVariety(const std::string &market, const std::string &code,
                           const std::string &name, int minDays, int maxDays, int typeId);
    // Types `text` over the editor's text key by key, validators and signals taking part.
    static void typeInto(QLineEdit *edit, const QString &text);
    // Rate, amount and days typed into the form's cells, in that order.
    static void typeTerms(Form &form, const QString &days, const QString &rate,
                          const QString &amount);
    // A contract (type 788) of account 10001 pledging `volume` 张 of SH 019547.
    static ttservice::CRepurchaseAgreementContractInfoPtr addContract(const std::string &no,
                                                                      int volume);
    static ttservice::CPledgedBondInfo pledgeRow(const std::string &code, double amount, int volume,
                                                 const std::string &market = "SH",
                                                 int property = '0');
    // The agreement part an order carries.
    static ttservice::CRepurchaseAgreementParam
    agreementOf(const ttservice::CCodeOrderParam &order);
    // Writes a GBK dealer file into the configuration directory and loads it.
    void loadDealers(const QString &utf8Text);
    QString writeFile(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_tmp;
};
