#include "tc/ITradeDockableWidget.h"

namespace TC {

ITradeDockableWidget::ITradeDockableWidget(bool floating, const QString &name, int id,
                                           QFlags<ttservice::EVqTraderType> traderTypes,
                                           QWidget *parent)
    : XP::IDockableWidget(name, id, parent)
    , m_floating(floating)
    , m_traderTypes(traderTypes)
{
}

ITradeDockableWidget::~ITradeDockableWidget() = default;

void ITradeDockableWidget::requestAccount(const ttservice::CAccountInfo &) { }
void ITradeDockableWidget::loadAccountGroupSettings() { }
void ITradeDockableWidget::refreshAccounts() { }
void ITradeDockableWidget::setCurrentOperationType(const ETradeOperationType &, const bool &,
                                                   const ttservice::EOperationType &)
{
}

} // namespace TC
