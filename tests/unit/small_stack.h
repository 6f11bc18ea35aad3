#pragma once

#include <gtest/gtest.h>

#include <functional>

#if defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#endif

namespace varnoke::testing {

// Runs the work on a thread with a 256 KiB stack: room for any loop, but far too little
// for one call frame per level of a tree thousands of levels deep.
inline void RunOnSmallStack(std::function<void()> work)
{
#if defined(__unix__) || defined(__APPLE__)
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
    pthread_t thread;
    const auto run = [](void* argument) -> void* {
        (*static_cast<std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
#else
    work();
#endif
}

} // namespace varnoke::testing
