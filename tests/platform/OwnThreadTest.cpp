// Work meant for a thread of its own is done, and its failure reported, whether or not a thread is had.
#include "OwnThread.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <system_error>
#include <thread>

TEST(OwnThread, WorkThatGetsNoThreadRunsOnTheCallingThreadAndStillReportsItsFailure)
{
    int starts = 0;
    const ThreadStarter previous = SetThreadStarter(nullptr);
    // Every other start is refused, as a system short of threads does.
    SetThreadStarter([&starts, previous](const std::function<void()> &work) {
        if (++starts % 2 == 0)
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        return previous(work);
    });
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id ranOn[4];
    std::future<void> done[4];
    for (int i = 0; i < 4; ++i)
        done[i] = RunOnOwnThread([&ranOn, i] {
            ranOn[i] = std::this_thread::get_id();
            if (i == 3)
                throw std::runtime_error("disk full");
        });
    SetThreadStarter(previous);

    // Refused ones were done before RunOnOwnThread returned.
    EXPECT_EQ(ranOn[1], caller);
    EXPECT_EQ(ranOn[3], caller);
    for (int i = 0; i < 3; ++i)
        EXPECT_NO_THROW(done[i].get());
    EXPECT_NE(ranOn[0], caller);
    EXPECT_NE(ranOn[2], caller);
    EXPECT_THROW(done[3].get(), std::runtime_error);
}
