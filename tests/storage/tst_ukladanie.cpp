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

TEST(Save, WritesTheCountAndTheTextsAsStored)
{
    ZoznamCD zoznam;
    EXPECT_EQ(saved(zoznam), "0");
    // The count is followed directly by the first title; Pesnicky carries its own bars, so
    // none is added after it, even when it lacks the last one.
    append(zoznam, {"7 dni|b", "n", "a", "t", "d", "m", "p", "v"});
    ZaznamCD stale; // a stale link behind the last record must not be followed
    zoznam.Aktualny->Dalsi = &stale;
    EXPECT_EQ(saved(zoznam), "17 dni|bn|a|t|d|m|p|v|");
    zoznam.Aktualny->Dalsi = nullptr;
}

TEST(Save, ReportsADeviceThatIsFull)
{
    // One record fails only when the stream is flushed, thousands already while writing.
    for (int records : {1, 20'000}) {
        ZoznamCD zoznam;
        for (int i = 0; i < records; ++i)
            append(zoznam, defaults());
        std::FILE *full = std::fopen("/dev/full", "wb");
        ASSERT_NE(full, nullptr);
        FileSink sink(full);
        EXPECT_FALSE(UlozDatabazu(sink, zoznam)) << records << " records";
        std::fclose(full);
    }
}

TEST(WorkedExample, BothWaysByteForByteThroughARealFile)
{
    ZoznamCD zoznam;
    zoznam.PripojZaznam(new ZaznamCD);
    append(zoznam, secondExampleRecord);
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
    EXPECT_EQ(v.offset, 255u);
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
        TrickleSource source(bytes, round + 1);
        const VysledokNacitania v = NacitajDatabazu(source);
        ASSERT_TRUE(v.completed) << testing::PrintToString(bytes);
        ASSERT_EQ(v.count, n);
        ASSERT_EQ(recordsOf(v.zoznam), recordsOf(zoznam));
        ASSERT_EQ(saved(v.zoznam), bytes); // loading the saved file again writes the same bytes
    }
}

} // namespace
