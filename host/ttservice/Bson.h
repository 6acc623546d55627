#pragma once

// The BSON classes of the host: the legacy MongoDB driver's, under the name
// the terminal uses for them.
#include <mongo/bson/bson.h>

namespace bson = mongo;

namespace mongo {
// The short name the terminal's signatures use for a BSON object.
using bo = BSONObj;
} // namespace mongo
