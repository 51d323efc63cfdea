#include <gtest/gtest.h>

#include <thread>

#include "playback/PlayBackQueue.h"

using namespace ks;

TEST(PlayBackQueue, HoldsAtMost1023EventsInOrder) {
    auto q = std::make_unique<PlayBackQueue>();
    EXPECT_TRUE(q->empty());
    for (int i = 0; i < 1023; ++i)
        ASSERT_TRUE(q->push(CPlayBackEvent{.time = i}));
    EXPECT_FALSE(q->push(CPlayBackEvent{.time = 9999}));  // full: refused, nothing lost
    EXPECT_EQ(q->waiting(), 1023u);
    ASSERT_NE(q->front(), nullptr);
    EXPECT_EQ(q->front()->time, 0);
    q->pop();
    EXPECT_TRUE(q->push(CPlayBackEvent{.time = 1023}));  // one slot freed, one taken
    for (int i = 1; i <= 1023; ++i) {
        ASSERT_NE(q->front(), nullptr);
        EXPECT_EQ(q->front()->time, i);
        q->pop();
    }
    EXPECT_TRUE(q->empty());
    q->push(CPlayBackEvent{});
    q->discard();
    EXPECT_TRUE(q->empty());
}

TEST(PlayBackQueue, OneWriterAndOneReaderOnTwoThreads) {
    auto q = std::make_unique<PlayBackQueue>();
    constexpr int kCount = 200000;
    std::thread writer([&] {
        for (int i = 0; i < kCount; ++i)
            while (!q->push(CPlayBackEvent{.time = i, .pitch = i % 128}))
                std::this_thread::yield();
    });
    int expected = 0;
    while (expected < kCount) {
        if (const CPlayBackEvent* e = q->front()) {
            ASSERT_EQ(e->time, expected);
            ASSERT_EQ(e->pitch, expected % 128);
            q->pop();
            ++expected;
        }
    }
    writer.join();
    EXPECT_TRUE(q->empty());
}
