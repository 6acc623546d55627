#include "tc/CInstrumentSearchModel.h"
#include "tc/EFilterFlag.h"
#include "tc/HostReset.h"
#include "ttservice/TraderCenter.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

using TC::CInstrumentSearchModel;

namespace {

enum Kind { Bond, Repurchase, Stock };

ttservice::CInstrumentDetailPtr list(const char *market, const char *code, const char *name,
                                     Kind kind = Bond)
{
    auto instrument = boost::make_shared<ttservice::CInstrumentDetail>();
    instrument->market = market;
    instrument->instrumentCode = code;
    instrument->instrumentName = name;
    if (kind != Stock)
        instrument->bondDetail = boost::make_shared<ttservice::CBondDetail>();
    if (kind == Repurchase)
        instrument->extraDetail = boost::make_shared<ttservice::CBondInfoDetail>();
    ttservice::TraderCenter::instance()->getInstCenter()->addInstrument(instrument);
    return instrument;
}

CInstrumentSearchModel::Offer offer(int traderType, bool all, int filter, int style)
{
    return { traderType, all, filter, style };
}

class InstrumentSearchModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TC::resetHostForTests();
        list("SH", "019547", "国债1901");
        list("SH", "122000", "公司债A");
        list("SZ", "122000", "公司债B");
        list("SH", "204001", "GC001", Repurchase);
        list("SZ", "000001", "岚峰银行", Stock);
        list("HK", "008001", "远川债", Bond);
    }
    void TearDown() override { TC::resetHostForTests(); }
};

TEST_F(InstrumentSearchModelTest, offersWhatTheTraderTypeAndFilterAllow)
{
    struct Case
    {
        CInstrumentSearchModel::Offer offer;
        QStringList entries;
    };
    const Case cases[] = {
        { offer(0, false, 0, 0), {} }, // trades no exchange bonds
        { offer(0x100000, false, TC::FILTER_BOND, 0), { "019547", "SH 122000", "SZ 122000" } },
        { offer(1, false, TC::FILTER_STOCK, 0), { "000001" } },
        { offer(1, false, TC::FILTER_REPURCHASE | TC::FILTER_STOCK, 0), { "000001", "204001" } },
        { offer(0, true, TC::FILTER_BOND, 1),
          { "008001 远川债", "019547 国债1901", "122000 公司债A SH", "122000 公司债B SZ" } },
    };
    for (const Case &c : cases) {
        CInstrumentSearchModel model(c.offer);
        EXPECT_EQ(model.getDataList(), c.entries)
            << c.offer.traderType << " " << c.offer.filterFlag;
    }
}

TEST_F(InstrumentSearchModelTest, findsWhatATypedCodeStandsFor)
{
    CInstrumentSearchModel model(offer(0, true, TC::FILTER_BOND, 1));
    struct Case
    {
        const char *typed;
        const char *market; // null: none
    };
    const Case cases[] = {
        { "019547", "SH" },
        { " 019547 ", "SH" },
        { "122000", nullptr }, // two markets list it
        { "SZ 122000", "SZ" },
        { "SZ  122000", "SZ" },
        { "122000 公司债A SH", "SH" },
        { "HK 122000", nullptr },
        { "SH 122000 x", nullptr },
        { "204001", nullptr }, // a repurchase variety, not offered
        { "", nullptr },
    };
    for (const Case &c : cases) {
        const ttservice::CInstrumentDetailPtr found
            = model.instrumentFor(QString::fromUtf8(c.typed));
        if (!c.market) {
            EXPECT_FALSE(found) << c.typed;
            continue;
        }
        ASSERT_TRUE(found) << c.typed;
        EXPECT_EQ(found->market, c.market) << c.typed;
    }
    EXPECT_EQ(model.announcedCode(*model.instrumentFor(QStringLiteral("SZ 122000"))),
              QStringLiteral("SZ 122000"));
    EXPECT_EQ(model.announcedCode(*model.instrumentFor(QStringLiteral("019547"))),
              QStringLiteral("019547"));
}

} // namespace
