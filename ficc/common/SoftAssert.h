#pragma once

// Soft checks for states the code cannot reach: the check logs at error level,
// in the terminal's log line format, which condition failed and where, then
// runs the recovery action (usually a return). The host never crashes on one.
//
//   FICC_ASSERT(m_table, return);
//   FICC_ASSERT(row->info, continue);
//
// Use it only where a state is impossible by construction. Where a missing
// cell, row or record is a normal case of an operation, test it plainly.
// Inside member functions only: the log line carries `this`.

#include "utils/TTLog.h"

#include <QtGlobal>

#define FICC_ASSERT(cond_, action_)                                                                \
    if (Q_LIKELY(cond_)) {                                                                         \
    } else {                                                                                       \
        TT_LOG_ERROR(boost::format("unexpected state: \"%1%\" does not hold (%2%:%3%)") % #cond_   \
                     % ::utils::logSourceName(__FILE__) % __LINE__);                               \
        action_;                                                                                   \
    }                                                                                              \
    do {                                                                                           \
    } while (0)
