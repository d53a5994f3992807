#pragma once

#include <functional>

// A busy database is waited for with the window repainted, but no clicks or keys taken.
namespace WaitIndicator {

// Called with true when a busy database starts being waited for and with false when the wait ends; a
// program with a window shows a busy pointer meanwhile. Unset in the teacher's tool.
inline std::function<void(bool waiting)> hook;

// Tells the hook of the outermost of nested waits (a locked file inside a retried store).
class Shown {
public:
    Shown() = default;
    Shown(const Shown&) = delete;
    Shown& operator=(const Shown&) = delete;
    ~Shown();
    void show();

private:
    bool shown = false;
};

// Lets time pass with the window repainted and timers served, but no clicks or keys taken.
void pause(int milliseconds);

} // namespace WaitIndicator
