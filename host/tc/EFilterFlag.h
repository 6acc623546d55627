#pragma once

namespace TC {

// Which instruments an instrument code editor offers. Flags combine: an
// instrument passes when it is of any kind set; 0 lets every instrument pass.
enum EFilterFlag {
    FILTER_NONE = 0,
    FILTER_STOCK = 0x1, // instruments without bond terms
    FILTER_REPURCHASE = 0x2, // agreement repurchase varieties
    FILTER_BOND = 0x4, // bonds traded outright (bond terms, not a repurchase variety)
};

} // namespace TC
