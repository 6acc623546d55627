// libFuzzer target: what a trader types into the agreement form's cells. One
// form per operation lives for the whole run, so each input starts from what
// the inputs before it left, as a form does through a trading day.
//
//   fuzz_agreement_cells -max_total_time=60 corpus/agreement_cells/
//
// Input: a byte picking the operation, then entries of a byte picking the
// cell, a length byte and that many bytes of UTF-8 text (or, for a combo, a
// byte picking the item). Each text is typed into the cell as one key
// press, so that validators and editing signals take part, and Return ends it.
// Then the form's order rules run: a form whose input passes its checks builds
// exactly one order, and a failed check says why.
#include "FuzzSupport.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "tc/CUserManager.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using TC::ETradeOperationType;

const ETradeOperationType kOperations[] = {
    TC::OPT_AGREEMENT_DEAL_DECLARATION, TC::OPT_AGREEMENT_MATURITY_CONFIRM,
    TC::OPT_AGREEMENT_EARLY_REPURCHASE, TC::OPT_AGREEMENT_MATURITY_RENEWAL,
    TC::OPT_AGREEMENT_INTENTION_REPO,   TC::OPT_AGREEMENT_INTENTION_REVERSE_REPO,
    TC::OPT_AGREEMENT_PLEDGE_CHANGE,    TC::OPT_AGREEMENT_PLEDGE_RELEASE,
};

// Made on first use and never destroyed: the widgets must not outlive the
// platform at exit, and the run's last state is of no further use.
TC::IBaseAgreementContentWidget *form(ETradeOperationType type)
{
    static auto *forms = new std::map<ETradeOperationType, TC::IBaseAgreementContentWidget *>;
    TC::IBaseAgreementContentWidget *&made = (*forms)[type];
    if (!made) {
        made = new TC::IBaseAgreementContentWidget(type, nullptr,
                                                   QStringLiteral("fuzz_agreement_form"), false);
        std::set<std::string> keys;
        for (const TC::CAccountPtr &account : TC::getUserConfig()->getAccountDatas())
            keys.insert(account->getKey());
        made->setAccountKeys(keys);
        made->show();
    }
    return made;
}

void typeText(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &typed);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    fuzz::loadDemoHost();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    TC::IBaseAgreementContentWidget *f = form(kOperations[data[0] % std::size(kOperations)]);
    const std::vector<TC::IBaseAgreementContentWidget::Field> &fields = f->fields();
    FUZZ_CHECK(!fields.empty());
    size_t at = 1;
    while (at + 2 <= size) {
        QWidget *editor = fields[data[at] % fields.size()].editor;
        const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
        const char *bytes = reinterpret_cast<const char *>(data + at + 2);
        at += 2 + length;
        if (!editor || !editor->isEnabled())
            continue;
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            if (combo->count() > 0 && length > 0)
                combo->setCurrentIndex(static_cast<unsigned char>(bytes[0]) % combo->count());
        } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
            typeText(edit, QString::fromUtf8(bytes, int(length)));
        } else if (auto *inner = editor->findChild<QLineEdit *>()) {
            if (inner->isEnabled())
                typeText(inner, QString::fromUtf8(bytes, int(length)));
        }
    }
    f->recalculate();

    QString error;
    const bool valid = f->checkOrderInput(error);
    FUZZ_CHECK(valid == error.isEmpty());
    std::vector<ttservice::CCodeOrderParam> orders;
    QString text;
    FUZZ_CHECK(f->buildOrders(orders, error, text) == valid);
    FUZZ_CHECK(orders.size() == (valid ? 1u : 0u));
    return 0;
}
