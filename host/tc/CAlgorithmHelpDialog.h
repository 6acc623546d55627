#pragma once

#include "ttservice/CCodeOrderParam.h"

#include <boost/function.hpp>

#include <vector>

namespace TC {

// The terminal's algorithmic-order helper, offered before every manual
// command. This host shows nothing unless a helper is installed (the demo may
// install one); it counts the calls and keeps the last orders. GUI thread only.
class CAlgorithmHelpDialog
{
public:
    using Helper = boost::function<void(const std::vector<ttservice::CCodeOrderParam> &)>;

    static void tryHelp(const std::vector<ttservice::CCodeOrderParam> &orders);

    static void setHelper(Helper helper);
    static int callCount();
    static std::vector<ttservice::CCodeOrderParam> lastOrders();
    // No calls, no orders, no helper.
    static void reset();

private:
    CAlgorithmHelpDialog() = delete;
};

} // namespace TC
