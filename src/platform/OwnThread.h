#pragma once
// Work started on a thread of its own, which still gets done when the system has no thread to give.
#include <functional>
#include <future>

// Runs work on a new thread. When none can be had, work runs on the calling thread before this
// returns. Either way the future gives its end and its failure.
std::future<void> RunOnOwnThread(const std::function<void()> &work);

// Starts work on a new thread and raises std::system_error when none can be had. Replaceable, so a
// test can refuse threads; returns the starter it replaces.
using ThreadStarter = std::function<std::future<void>(const std::function<void()> &work)>;
ThreadStarter SetThreadStarter(ThreadStarter starter);
