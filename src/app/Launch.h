#pragma once

#include <QString>

// The first steps of every start: settings keys the shell reads, the
// analytics client and the crash reporter (in that order, each only with
// consent and configuration) and the launch event. Runs before the store is
// created, so the store's load failures can already be reported.
namespace Launch {

inline constexpr auto welcomeShownKey = "tarnwick.welcome.shown";

struct State {
    bool showWelcome = true;
};

State begin();

} // namespace Launch
