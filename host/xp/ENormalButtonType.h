#pragma once

namespace XP {

// Colour families of the small order buttons. Chinese markets show buying in
// red and selling in green; the repo side of an agreement uses the buy colours.
enum ENormalButtonType {
    NBT_SELL = 0, // green: sell, reverse repo
    NBT_NORMAL = 1, // neutral grey
    NBT_PRIMARY = 2, // accent blue
    NBT_BUY = 3, // red: buy, repo, confirmations
};

} // namespace XP
