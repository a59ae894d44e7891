// The manual-reset event, with threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/event.h"

namespace ovalin::platform {
namespace {

TEST(ManualResetEvent, KeepsItsStateUntilChanged) {
  ManualResetEvent event(false);
  EXPECT_FALSE(event.IsSet());
  EXPECT_FALSE(event.WaitFor(10));
  event.Set();
  EXPECT_TRUE(event.IsSet());
  EXPECT_TRUE(event.WaitFor(0));
  EXPECT_TRUE(event.IsSet()) << "waiting must not reset a manual-reset event";
  event.Reset();
  EXPECT_FALSE(event.IsSet());

  ManualResetEvent signalled(true);
  EXPECT_TRUE(signalled.IsSet());
  signalled.Wait();
#ifdef _WIN32
  EXPECT_NE(event.NativeHandle(), nullptr);
#else
  EXPECT_EQ(event.NativeHandle(), nullptr);
#endif
}

TEST(ManualResetEvent, SetReleasesEveryWaiter) {
  ManualResetEvent event(false);
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i) {
    waiters.emplace_back([&] {
      event.Wait();
      ++released;
    });
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(released.load(), 0);
  event.Set();
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(released.load(), 3);
}

TEST(ManualResetEvent, WaitForReturnsWhenSetFromAnotherThread) {
  ManualResetEvent event(false);
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    event.Set();
  });
  EXPECT_TRUE(event.WaitFor(10000));
  setter.join();
}

TEST(ManualResetEvent, WaitAndResetLetsOneWaiterPassPerSet) {
  ManualResetEvent event(false);
  std::atomic<int> passed{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 2; ++i) {
    waiters.emplace_back([&] {
      event.WaitAndReset();
      ++passed;
    });
  }
  auto waitForPassed = [&](int count) {
    for (int i = 0; i < 500 && passed.load() < count; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  };
  event.Set();
  waitForPassed(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(passed.load(), 1);
  EXPECT_FALSE(event.IsSet());
  event.Set();
  waitForPassed(2);
  EXPECT_EQ(passed.load(), 2);
  for (auto& waiter : waiters) waiter.join();
  EXPECT_FALSE(event.IsSet());
}

}  // namespace
}  // namespace ovalin::platform
