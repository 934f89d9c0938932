#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "serial/message_queue.h"
#include "serial/pumped_handover.h"
#include "tests/serial/pump.h"

namespace {

TEST(PumpedHandover, StopDropsARoutineNotYetRun) {
  TscPumpedHandover handover;
  bool ran = false;
  std::jthread worker([&](std::stop_token stop) { handover.Synchronize([&] { ran = true; }, stop); });
  worker.request_stop();
  worker.join();
  handover.RunPending();
  EXPECT_FALSE(ran);
}

TEST(PumpedHandover, StopFromInsideTheRoutineReleasesTheWaiter) {
  // The main thread stops and joins the handing thread from inside its routine, as a
  // handler that closes the port does; without the stop the join would never return.
  TscPumpedHandover handover;
  std::optional<std::jthread> worker;
  bool joined = false;
  worker.emplace([&](std::stop_token stop) {
    handover.Synchronize(
        [&] {
          worker->request_stop();
          worker->join();
          joined = true;
        },
        stop);
  });
  EXPECT_TRUE(PumpUntil(handover, [&] { return joined; }));
}

TEST(MessageQueue, RefusesUntilOpenAndWhenFullKeepsOrder) {
  TscMessageQueue queue;
  EXPECT_FALSE(queue.Post({mkComEvent, 1}));
  queue.Open();
  for (uint32_t i = 0; i < TscMessageQueue::Capacity; ++i) ASSERT_TRUE(queue.Post({mkComEvent, i}));
  EXPECT_FALSE(queue.Post({mkPortFailed, 0}));
  std::stop_source source;
  TscMessage m;
  for (uint32_t i = 0; i < TscMessageQueue::Capacity; ++i) {
    ASSERT_TRUE(queue.Take(m, source.get_token()));
    ASSERT_EQ(m.EventMask, i);
  }
  EXPECT_TRUE(queue.Post({mkPortFailed, 0}));  // room again, across the ring's end
  ASSERT_TRUE(queue.Take(m, source.get_token()));
  EXPECT_EQ(m.Kind, mkPortFailed);
  source.request_stop();
  EXPECT_FALSE(queue.Take(m, source.get_token()));
}

}  // namespace
