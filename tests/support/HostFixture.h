#pragma once

// The usual world of the host for tests, reset before and after each test:
//  - user "trader01", deployment 100, all three businesses offered, no order hints;
//  - "10001" logged in, broker type 1, funds 1,000,000.00, 12,345 张 usable in SH 019547;
//    "10002" not logged in, broker type 0x100001, counter type 2, no funds record;
//    "10003" refreshing, display id "A-10003", funds 50,000.00;
//  - bonds (face value 100, accrued interest below): SH 019547 "国债1901",
//    SH 122000 "公司债A", SZ 101901 "国债1902".
#include "tc/CAccount.h"
#include "ttservice/CInstrumentDetail.h"

#include <gtest/gtest.h>

class HostFixture : public ::testing::Test
{
protected:
    static constexpr const char *kLoggedInAccount = "10001";
    static constexpr const char *kLoggedOutAccount = "10002";
    static constexpr const char *kRefreshingAccount = "10003";
    static constexpr double kAccruedSH019547 = 1.2345;
    static constexpr double kAccruedSH122000 = 2.5;
    static constexpr double kAccruedSZ101901 = 0.875;

    void SetUp() override;
    void TearDown() override;

    // An account of the world; fails the test when it is not configured.
    TC::CAccountPtr account(const std::string &key) const;
    ttservice::CAccountDataPtr accountData(const std::string &key) const;
    // Stores a funds record for the account, as the counter pushes it.
    static void setFunds(const ttservice::CAccountDataPtr &data, const std::string &key,
                         double funds);

    static ttservice::CInstrumentDetailPtr makeBond(const std::string &market,
                                                    const std::string &code,
                                                    const std::string &name, double accrued);
};
