#include <gtest/gtest.h>

#include <random>

#include "model/Event.h"
#include "model/Note.h"
#include "model/SortedArray.h"

using namespace ks;

TEST(SortedArray, AddKeepsOrderAndTheExistingRecordOnEquality) {
    CSortedArray<CNote> notes;
    EXPECT_EQ(notes.Add(CNote{.time = 10, .duration = 5, .pitch = 60}), 0);
    EXPECT_EQ(notes.Add(CNote{.time = 0, .duration = 5, .pitch = 64}), 0);
    EXPECT_EQ(notes.Add(CNote{.time = 10, .duration = 5, .pitch = 55}), 1);
    // Same time and pitch as an existing note: the old one stays, its index is returned.
    EXPECT_EQ(notes.Add(CNote{.time = 10, .duration = 99, .pitch = 60, .velocity = 1}), 2);
    ASSERT_EQ(notes.size(), 3);
    EXPECT_EQ(notes.at(2).duration, 5);
    EXPECT_EQ(notes.at(2).velocity, 100);
    EXPECT_EQ(notes.at(1).pitch, 55);
}

TEST(SortedArray, TotalGetterGivesTheSharedDefaultRecord) {
    CSortedArray<CNote> notes;
    const CNote& n = notes.at(7);
    EXPECT_EQ(n.pitch, 60);
    EXPECT_EQ(n.velocity, 100);
    EXPECT_EQ(&n, &notes.at(-1));
}

TEST(SortedArray, EventsDifferingOnlyInTextAreEqual) {
    CSortedArray<CEvent> events;
    CEvent a;
    a.time = 5;
    a.type = EventType::Lyric;
    a.text = QStringLiteral("la");
    CEvent b = a;
    b.text = QStringLiteral("di");
    EXPECT_EQ(events.Add(a), 0);
    EXPECT_EQ(events.Add(b), 0);
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events.at(0).text, QStringLiteral("la"));
    // Any data field or the font index makes them different.
    b.data[7] = 1;
    EXPECT_EQ(events.Add(b), 1);
    CEvent c = a;
    c.fontindex = 1;
    EXPECT_EQ(events.Add(c), 1);
    EXPECT_EQ(events.size(), 3);
}

// AddAll is the bulk form of Add: the same content for any order of input.
TEST(SortedArray, AddAllMatchesRepeatedAdd) {
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        CSortedArray<CNote> one, bulk;
        std::vector<CNote> batch;
        for (int i = 0; i < 40; ++i) {
            CNote n{.time = int(rng() % 8), .duration = int(rng() % 100), .pitch = int(rng() % 4)};
            if (i < 10) {
                one.Add(n);
                bulk.Add(n);
            } else {
                one.Add(n);
                batch.push_back(n);
            }
        }
        bulk.AddAll(batch);
        ASSERT_EQ(one.items(), bulk.items()) << "round " << round;
    }
}
