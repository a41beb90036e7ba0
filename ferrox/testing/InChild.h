// Runs a check in a child process (a GoogleTest death test), so a check that
// overflows the stack or aborts fails the test instead of ending the runner.
// The check returns what it found wrong; empty means all is well, and the
// child's standard error shows the rest. Given a stack size, the check runs
// on a thread with that much stack, so work that recurses on the size of its
// input overflows even where the compiler's frames are small.
#pragma once

#include <gtest/gtest.h>
#include <pthread.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace FrxTest {

using Check = std::function<std::string()>;

inline std::string RunOnStack(const Check& check, size_t stackBytes) {
  if (stackBytes == 0) return check();
  struct Job {
    const Check* check;
    std::string fault;
  } job{&check, {}};
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, stackBytes);
  pthread_t thread;
  auto run = [](void* p) -> void* {
    Job* j = static_cast<Job*>(p);
    j->fault = (*j->check)();
    return nullptr;
  };
  const int made = pthread_create(&thread, &attr, run, &job);
  pthread_attr_destroy(&attr);
  if (made != 0) return "no thread for the check\n";
  pthread_join(thread, nullptr);
  return job.fault;
}

[[noreturn]] inline void ExitWithFault(const std::string& fault) {
  std::fputs(fault.c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(fault.empty() ? 0 : 1);
}

inline void ExpectCleanInChild(const Check& check, size_t stackBytes = 0) {
  EXPECT_EXIT(ExitWithFault(RunOnStack(check, stackBytes)), ::testing::ExitedWithCode(0), "");
}

}  // namespace FrxTest
