#include "ttservice/CInstrumentCenter.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

using namespace ttservice;

namespace {

CInstrumentDetailPtr listed(const char *market, const char *code, const char *name = "")
{
    auto instrument = boost::make_shared<CInstrumentDetail>();
    instrument->market = market;
    instrument->instrumentCode = code;
    instrument->instrumentName = name;
    return instrument;
}

TEST(InstrumentCenter, findsACodeInTheFirstMarketWhateverTheOrderOfListing)
{
    CInstrumentCenter center;
    center.addInstrument(listed("SZ", "019547"));
    EXPECT_EQ("SZ", center.findByCode("019547")->market);
    center.addInstrument(listed("SH", "019547"));
    EXPECT_EQ("SH", center.findByCode("019547")->market);
    center.addInstrument(listed("SZ", "019547", "换名"));
    EXPECT_EQ("SH", center.findByCode("019547")->market);
    // Listed again under its own key: the new record is the one found.
    center.addInstrument(listed("SH", "019547", "新名"));
    EXPECT_EQ("新名", center.findByCode("019547")->instrumentName);
    center.clear();
    EXPECT_FALSE(center.findByCode("019547"));
}

TEST(InstrumentCenter, everyChangeGivesAGenerationNoDirectoryHadBefore)
{
    CInstrumentCenter first;
    const std::uint64_t empty = first.generation();
    first.addInstrument(listed("SH", "122000"));
    const std::uint64_t one = first.generation();
    EXPECT_NE(one, empty);
    first.addInstrument(nullptr); // nothing listed, nothing changed
    EXPECT_EQ(first.generation(), one);
    first.clear();
    EXPECT_NE(first.generation(), one);
    EXPECT_NE(first.generation(), empty);

    CInstrumentCenter second; // a directory made anew does not look like the old one
    EXPECT_NE(second.generation(), empty);
    EXPECT_NE(second.generation(), one);
}

} // namespace
