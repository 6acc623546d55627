#include "tc/CSingleCodeInputController.h"

namespace TC {

CSingleCodeInputController::CSingleCodeInputController() = default;
CSingleCodeInputController::~CSingleCodeInputController() = default;

} // namespace TC
