#pragma once

#include "agreement/IBaseAgreementRepurchaseWidget.h"

#include <map>

namespace XP {
class CPushButtonGroup;
class CSmallNormalButton;
} // namespace XP

namespace TC {

class IBaseAgreementContentWidget;

// The 意向申报 (intention declaration) operation: a repo (正回购, side 10) and a
// reverse-repo (逆回购, side 11) form, one shown at a time with its own order
// button. The widget's operation type follows the side.
class CAgreementRepurchaseWidgetIntention : public IBaseAgreementRepurchaseWidget
{
public:
    enum ESide { SIDE_REPO = 10, SIDE_REVERSE_REPO = 11 };

    explicit CAgreementRepurchaseWidgetIntention(QWidget *parent);
    ~CAgreementRepurchaseWidgetIntention() override;

    // The side as "10" or "11".
    void setParam(const QString &text) override;
    QString param() const override;
    void setAccountKeys(std::set<std::string> *keys) override;
    void refreshAccountInfo() override;
    void setContract(const std::string &contractKey) override;
    void beginContractFill() override;
    void endContractFill() override;
    QString currentAccountKey() const override;
    void setCurrentAccount(const QString &key) override;
    void doOperation() override;
    void contractListReloaded() override;
    // Bonds to pledge go to the reverse-repo side, pledged positions to the repo side.
    void setPledgeBondSelection(QList<ttservice::CPledgedBondInfo> rows) override;
    void setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows) override;
    // An intention names no trader.
    std::string traderCode() const override;

    bool handleEvent(int event, int a, int b, QString text, void *data) override;

    void switchSide(int newSide);
    int side() const { return m_side; }
    IBaseAgreementContentWidget *currentForm() const;
    IBaseAgreementContentWidget *repoForm() const { return m_repoForm; }
    IBaseAgreementContentWidget *reverseRepoForm() const { return m_reverseRepoForm; }
    XP::CPushButtonGroup *sideGroup() const { return m_sideGroup; }
    XP::CSmallNormalButton *repoButton() const { return m_repoButton; }
    XP::CSmallNormalButton *reverseRepoButton() const { return m_reverseRepoButton; }

private:
    void buildUi();

    int m_side = -1;
    std::map<int, IBaseAgreementContentWidget *> m_sideForms;
    // Owned through Qt parentage.
    XP::CPushButtonGroup *m_sideGroup = nullptr;
    IBaseAgreementContentWidget *m_repoForm = nullptr;
    IBaseAgreementContentWidget *m_reverseRepoForm = nullptr;
    XP::CSmallNormalButton *m_repoButton = nullptr;
    XP::CSmallNormalButton *m_reverseRepoButton = nullptr;
};

} // namespace TC
