#pragma once

#include <QString>

namespace TC {

// The directory of per-user configuration files. Defaults to
// "$XDG_CONFIG_HOME/ficc-terminal" (or ~/.config/ficc-terminal); the terminal's
// --config-dir option and tests set it. Created on first use.
QString getConfigDir();
void setConfigDir(const QString &dir);

} // namespace TC
