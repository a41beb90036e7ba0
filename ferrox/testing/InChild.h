// Runs a check in a child process (a death test) on a thread with `stackBytes`
// of stack: a crash fails the test instead of ending the runner, and work that
// recurses on its input's size overflows even where frames are small. The
// check returns what it found wrong; empty means all is well.
#pragma once

#include <gtest/gtest.h>
#include <pthread.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace FrxTest {

inline void ExpectCleanInChild(std::function<std::string()> check, size_t stackBytes) {
  auto child = [&] {
    std::string fault = "no thread for the check\n";
    auto job = std::function<void()>([&] { fault = check(); });
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, stackBytes);
    pthread_t thread;
    auto run = [](void* f) -> void* { return (*static_cast<std::function<void()>*>(f))(), nullptr; };
    if (pthread_create(&thread, &attr, run, &job) == 0) pthread_join(thread, nullptr);
    std::fputs(fault.c_str(), stderr);
    std::_Exit(fault.empty() ? 0 : 1);
  };
  EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}

}  // namespace FrxTest
