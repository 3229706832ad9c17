#include "storage/Databaza.h"

#include "Pomocky.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace testdata;

namespace {

std::string saved(const ZoznamCD &zoznam)
{
    StringSink sink;
    EXPECT_TRUE(UlozDatabazu(sink, zoznam));
    return sink.bytes;
}

TEST(Save, WorkedExampleByteForByte)
{
    ZoznamCD zoznam;
    zoznam.PripojZaznam(new ZaznamCD);
    append(zoznam, secondExampleRecord());
    const std::string bytes = saved(zoznam);
    EXPECT_EQ(bytes.size(), 255u);
    EXPECT_EQ(bytes, workedExample);
}

TEST(Save, EmptyListIsTheSingleByteZero)
{
    ZoznamCD zoznam;
    EXPECT_EQ(saved(zoznam), "0");
}

TEST(Save, CountIsFollowedDirectlyByTheFirstTitle)
{
    ZoznamCD zoznam;
    append(zoznam, {"7 dni|b|c|d|e|f|g|h|i|j|", "n", "a", "t", "d", "m", "p", "v"});
    append(zoznam, defaults());
    EXPECT_EQ(saved(zoznam).substr(0, 6), "27 dni");
}

TEST(Save, SongTextIsWrittenAsStored)
{
    // Pesnicky carries its own bars; the writer adds none, even when it lacks the last one.
    ZoznamCD zoznam;
    append(zoznam, {"a|b", "n", "a", "t", "d", "m", "p", "v"});
    EXPECT_EQ(saved(zoznam), "1a|bn|a|t|d|m|p|v|");
}

TEST(Save, WalksOnlyPocetCdRecords)
{
    ZoznamCD zoznam;
    append(zoznam, defaults());
    // A stale link behind the last record must not be followed.
    ZaznamCD stale;
    stale.NazovCD = "stale";
    zoznam.Aktualny->Dalsi = &stale;
    const std::string bytes = saved(zoznam);
    zoznam.Aktualny->Dalsi = nullptr;
    EXPECT_EQ(bytes.find("stale"), std::string::npos);
}

/// Accepts a number of bytes, then refuses everything.
class FullSink : public ByteSink {
  public:
    explicit FullSink(std::size_t room, bool flushFails = false)
        : room_(room), flushFails_(flushFails)
    {
    }
    bool write(const char *, std::size_t size) override
    {
        ++writes;
        if (size > room_) {
            room_ = 0;
            return false;
        }
        room_ -= size;
        written += size;
        return true;
    }
    bool flush() override { return !flushFails_; }
    int writes = 0;
    std::size_t written = 0;

  private:
    std::size_t room_;
    bool flushFails_;
};

TEST(Save, ReportsAFullSink)
{
    ZoznamCD zoznam;
    for (int i = 0; i < 20000; ++i) // about 2.8 MB, more than one block
        append(zoznam, defaults());
    FullSink small(100);
    EXPECT_FALSE(UlozDatabazu(small, zoznam));
    EXPECT_EQ(small.writes, 1); // nothing more is offered once a write failed

    FullSink partly(1 << 21);
    EXPECT_FALSE(UlozDatabazu(partly, zoznam));

    FullSink unflushable(1 << 30, true);
    EXPECT_FALSE(UlozDatabazu(unflushable, zoznam));

    FullSink roomy(1 << 30);
    EXPECT_TRUE(UlozDatabazu(roomy, zoznam));
    EXPECT_GE(roomy.written / roomy.writes, std::size_t(16384)); // written in large blocks
}

TEST(Save, ReportsAFileThatCannotBeWritten)
{
    std::FILE *full = std::fopen("/dev/full", "wb");
    if (!full)
        GTEST_SKIP() << "no /dev/full";
    ZoznamCD zoznam;
    append(zoznam, defaults());
    FileSink sink(full);
    EXPECT_FALSE(UlozDatabazu(sink, zoznam));
    std::fclose(full);
}

TEST(RoundTrip, ThroughARealFile)
{
    ZoznamCD zoznam;
    zoznam.PripojZaznam(new ZaznamCD);
    append(zoznam, secondExampleRecord());
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    FileSink sink(file);
    ASSERT_TRUE(UlozDatabazu(sink, zoznam));
    std::rewind(file);
    std::string bytes(300, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    EXPECT_EQ(bytes, workedExample);
    std::rewind(file);
    FileSource source(file);
    const VysledokNacitania v = NacitajDatabazu(source);
    std::fclose(file);
    ASSERT_TRUE(v.completed);
    EXPECT_EQ(recordsOf(v.zoznam), recordsOf(zoznam));
}

TEST(RoundTrip, RandomCollectionsComeBackUnchanged)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        ZoznamCD zoznam;
        const int n = round == 0 ? 0 : 1 + random() % 40;
        for (int i = 0; i < n; ++i)
            append(zoznam, safeRecord(random, i == 0));
        ASSERT_FALSE(NajdiStratu(zoznam).has_value());
        const std::string bytes = saved(zoznam);
        TrickleSource source(bytes, round);
        const VysledokNacitania v = NacitajDatabazu(source);
        ASSERT_TRUE(v.completed) << testing::PrintToString(bytes);
        ASSERT_EQ(v.count, n);
        ASSERT_EQ(recordsOf(v.zoznam), recordsOf(zoznam));
        // Loading the saved file again writes the same bytes.
        ASSERT_EQ(saved(v.zoznam), bytes);
    }
}

} // namespace
