// libFuzzer target: the FICC panel's parameter string, as the terminal hands
// back a saved layout to the exported panel. One panel lives for the whole
// run, over the demo's host world, as in the terminal.
//
//   fuzz_panel_param -max_total_time=60 corpus/panel_param/
//
// Any text must be taken without harm, and what the panel then saves must
// restore to the same panel: param() after setParam(param()) is unchanged.
#include "FuzzSupport.h"

#include "shell/CFiccOperationPanel.h"

#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

TC::CFiccOperationPanel *panel = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    fuzz::loadDemoHost();
    panel = new TC::CFiccOperationPanel(1, nullptr);
    panel->resize(1400, 700);
    panel->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    panel->setParam(text);
    QCoreApplication::processEvents();
    const QString saved = panel->param();
    panel->setParam(saved);
    QCoreApplication::processEvents();
    FUZZ_CHECK(panel->param() == saved);
    return 0;
}
