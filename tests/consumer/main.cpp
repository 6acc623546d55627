// Hosts both exported panels the way a terminal does, from the installed headers.
#include "reservation/CReservationSerialPanel.h"
#include "shell/CFiccOperationPanel.h"
#include "tc/CUserManager.h"

#include <QApplication>
#include <cstdio>
#include <log4cxx/basicconfigurator.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    log4cxx::BasicConfigurator::configure();
    TC::getUserConfig()->deploymentCode = 100; // a deployment with FICC content
    TC::getUserConfig()->setPledgeAgreeRepurchase(true);
    QWidget host;
    auto *ficc = new TC::CFiccOperationPanel(1, &host);
    auto *reservation = new TC::CReservationSerialPanel(2, &host);
    ficc->setParam(QStringLiteral("2//1003")); // agreement repurchase, early repurchase
    const QString saved = ficc->param();
    const bool ok
        = ficc->operationWidget() && saved.startsWith('2') && reservation->param().isEmpty();
    std::printf("consumer: FICC panel %s, parameter text \"%s\"\n", ok ? "restored" : "FAILED",
                qPrintable(saved));
    return ok ? 0 : 1;
}
