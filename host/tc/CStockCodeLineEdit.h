#pragma once

#include "tc/CInstrumentSearchModel.h"
#include "ttservice/CInstrumentDetail.h"
#include "xp/CAutoKeyboardLineEdit.h"

#include <memory>

namespace TC {

// Entry of an instrument code, bound to a trader type.
//
// As the trader types, the listed instruments that the trader type trades and
// that pass the filter flag (EFilterFlag) are offered as "code name" entries,
// matched by code prefix or by any part of the name. A code is entered when
//  - six typed digits name such an instrument,
//  - an entry is picked from the list, or
//  - the editor is left (or Return pressed) on such a code or entry;
// then EVT_CODE_ENTERED (1082) is delivered upwards with text = the code. The
// text is the bare code, or "market code" when the code is listed in several
// markets (CExchangeClient::getCodeInfo reads both). A code equal to the one
// last entered is announced again only when it is picked from the list.
//
// Editors offering the same instruments share one CInstrumentSearchModel: the
// list is built once per change of the instrument directory, not per editor
// or per focus.
class CStockCodeLineEdit : public XP::CAutoKeyboardLineEdit
{
    Q_OBJECT
public:
    // `entryStyle`: 0 lists bare codes, 1 "code name" entries.
    CStockCodeLineEdit(int id, int entryStyle, QWidget *parent);
    ~CStockCodeLineEdit() override;

    // Stock (0x1) and FICC (0x100000) traders trade the bonds of "SH" and "SZ".
    void setTradeType(int traderType);
    int traderType() const { return m_traderType; }
    // Offers the instruments of every market, not only those of the trader type.
    void setEnableAll();
    bool isAllEnabled() const { return m_enableAll; }
    void setFilterFlag(int flags);
    int filterFlag() const { return m_filterFlag; }

    void setFrame(bool frame);
    // Font of the editor and of its hint while empty.
    void setEmptyHintFontKey(const QString &fontKey);

    // The code last entered, as announced; empty at start and after clearCode().
    QString code() const { return m_code; }
    // Empties the editor and forgets the code entered.
    void clearCode();

    // Brings the list up to the instrument directory (done each time the editor
    // takes the focus); nothing to do when the directory did not change.
    void reloadCodes();
    // The offered instrument a typed code or entry stands for; null when none.
    ttservice::CInstrumentDetailPtr offeredInstrument(const QString &text) const;

    bool handleEvent(int event, int a, int b, QString text, void *data) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Takes the shared model of the current offer.
    void useOffer();
    void onTyped();
    void onFinished();
    void enterCode(const ttservice::CInstrumentDetailPtr &instrument, bool announceSame);

    int m_entryStyle;
    int m_traderType = 0;
    bool m_enableAll = false;
    int m_filterFlag = 0;
    QString m_code;
    std::shared_ptr<CInstrumentSearchModel> m_model; // shared with editors of the same offer
};

} // namespace TC
