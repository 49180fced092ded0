#include "OwnThread.h"

#include <system_error>
#include <utility>

namespace {

std::future<void> StartThread(const std::function<void()> &work)
{
    // Launched alone and given a copy: a launch that fails raises and leaves work whole. With
    // launch::deferred beside it the library would instead defer a function it had moved away.
    return std::async(std::launch::async, work);
}

ThreadStarter &Starter()
{
    static ThreadStarter starter = StartThread;
    return starter;
}

} // namespace

ThreadStarter SetThreadStarter(ThreadStarter starter)
{
    return std::exchange(Starter(), starter ? std::move(starter) : ThreadStarter(StartThread));
}

std::future<void> RunOnOwnThread(const std::function<void()> &work)
{
    try {
        return Starter()(work);
    } catch (const std::system_error &) {
    }
    std::promise<void> done;
    try {
        work();
        done.set_value();
    } catch (...) {
        done.set_exception(std::current_exception());
    }
    return done.get_future();
}
