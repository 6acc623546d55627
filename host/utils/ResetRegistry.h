#pragma once

#include <functional>
#include <string>
#include <vector>

namespace utils {

// How the test harness returns the terminal's process-wide state to empty.
// Every object that keeps such state registers its own reset: singletons of
// CSingletonT and CManualSingletonT with a resetForTests() do it when they
// are made; classes of static state register once when their library loads
// (CResetRegistration). TC::resetHostForTests() runs them all, so a new
// service cannot be forgotten by a hand-kept list.
void registerReset(const std::string &name, std::function<void()> reset);
// Runs every registered reset, in the order they were registered. A reset may
// make objects that register resets of their own; those run at the next call.
void runResets();
std::vector<std::string> registeredResets();

// Registers a reset when constructed: a static object of a .cpp file.
struct CResetRegistration
{
    CResetRegistration(const char *name, std::function<void()> reset)
    {
        registerReset(name, std::move(reset));
    }
};

} // namespace utils
