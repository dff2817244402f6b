#pragma once
// One running copy per user and desktop. The first copy listens under a name made of the
// user id and the display; a later start finds it there, asks it to come to the front and
// ends. A name left by a copy that crashed (its socket or lock file) is taken over.
#include <functional>
#include <string>

namespace vx::win {

enum class InstanceStart {
    First,      // no copy answered: this one runs, and listens for later starts
    Activated,  // a running copy answered and comes to the front: this one ends
    Unanswered, // a copy holds the name but did not answer in time
};

// "<program>-<uid>-<display>": the display without its screen number ("unix:0.1" is ":0"),
// every character but letters, digits, '.', '-' and '_' as '_', at most 40 of them.
std::string instanceName(const std::string& program, unsigned long uid, const std::string& display);

// Claims the name of this user and desktop in the user's runtime folder (the temporary
// folder without one). onActivate runs on the GUI thread, from the event service, for each
// later start. Needs the application object; the listener goes with it.
InstanceStart claimInstance(const std::string& program, std::function<void()> onActivate);

// The same at a given socket path; a running copy has answerMs milliseconds to answer.
InstanceStart claimInstanceAt(const std::string& path, std::function<void()> onActivate,
                              int answerMs = 2000);
// Stops listening and removes the socket.
void releaseInstance();

} // namespace vx::win
