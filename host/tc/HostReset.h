#pragma once

namespace TC {

// Returns every trading service of the host to an empty, known state, for
// tests (and the demo's "restart"):
//  - user configuration: no user, nothing offered, deployment 0, no accounts,
//    no order hints;
//  - data centre and instrument directory empty; instrument types empty;
//    enumeration names back to the default table;
//  - trade client: no login states, no queries, no answerer;
//  - command centre: no commands, numbering from 1, no acceptor, callbacks of
//    earlier commands silenced;
//  - message service empty; algorithm helper uncalled and without helper;
//  - host clock back to the real date; trading calendar without closures
//    (weekends only); table column layouts forgotten;
//  - and whatever else registered a reset (utils/ResetRegistry.h): each
//    service registers its own when it is made, the module's state included.
// The configuration directory is left as it is. Call it on the GUI thread,
// with no pusher thread running.
void resetHostForTests();

} // namespace TC
