#include "storage/Databaza.h"

#include "Pomocky.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace testdata;
using std::string_literals::operator""s;

namespace {

std::string recordFile(const std::string &count, int records)
{
    return fileOf(count, std::vector<Texts>(records, defaults()));
}

/// Offset of the n-th occurrence (1-based) of `what` in `bytes`.
std::uint64_t nth(const std::string &bytes, const std::string &what, int n)
{
    std::size_t at = std::string::npos;
    for (int i = 0; i < n; ++i)
        at = bytes.find(what, at + 1);
    return at;
}

// ---------------------------------------------------------------------------------------------
// The reader's edge cases, one row each.

struct LoadCase {
    const char *name;
    std::string bytes;
    bool completed;
    std::int64_t count;
    std::int32_t records = 0; ///< when completed
    DovodZastavenia reason = DovodZastavenia::EndOfInput;
    std::int64_t record = 0;
    std::uint64_t offset = 0; ///< when stopped
};

std::vector<LoadCase> loadCases()
{
    const Texts d = defaults();
    Texts zeroName = d, doubleZero = d, blankZero = d, bar = d, high = d, nul = d, zeroTitle = d;
    zeroName[5] = "0";
    doubleZero[5] = "00";
    blankZero[5] = " 0";
    bar[1] = "A|B";
    high[2] = "\xFF\xFF";
    nul[3] = "Typ\0CD"s;
    zeroTitle[0] = "Song01|Song02|0|Song04|Song05|Song06|Song07|Song08|Song09|Song10|";
    Texts zeroFirstTitle = d;
    zeroFirstTitle[0] = "0|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|";
    const std::string example = workedExample;
    const std::string sevenDays =
        fileOf("2", {{"7 dni|b|c|d|e|f|g|h|i|j|", "n", "a", "t", "d", "m", "p", "v"}, d});
    const std::string zeroNameFile = fileOf("1", {zeroName});
    const std::string nulFile = fileOf("2", {d, nul});
    const std::string zeroTitleFile = fileOf("2", {d, zeroTitle});
    const std::string zeroFirstTitleFile = fileOf("2", {d, zeroFirstTitle});
    const std::string noLastBar = example.substr(0, example.size() - 1);
    return {
        {"worked_example", example, true, 2, 2},
        {"empty_file_is_an_empty_collection", "", true, 0, 0},
        {"zero_count", "0", true, 0, 0},
        {"minus_zero_is_zero", "-0", true, 0, 0},
        {"header_not_a_number", "abc|def|", true, 0, 0},
        {"sign_without_digits", "-x", true, 0, 0},
        {"lone_sign", "+", true, 0, 0},
        {"white_space_only", " \n\t", true, 0, 0},
        {"white_space_before_count", " \t\n\v\f\r" + recordFile("1", 1).substr(0), true, 1, 1},
        {"plus_sign", recordFile("+1", 1), true, 1, 1},
        {"leading_zeros_in_long_count", recordFile("0000000000000000000002", 2), true, 2, 2},
        {"count_absorbs_leading_digit_of_first_title", sevenDays, false, 27, 0,
         DovodZastavenia::EndOfInput, 3, sevenDays.size()},
        {"field_zero_is_end_marker", zeroNameFile, false, 1, 0, DovodZastavenia::EndMarker, 1,
         nth(zeroNameFile, "|0|", 1) + 1},
        {"field_double_zero_is_text", fileOf("1", {doubleZero}), true, 1, 1},
        {"field_blank_zero_is_text", fileOf("1", {blankZero}), true, 1, 1},
        {"title_zero_in_second_record", zeroTitleFile, false, 2, 0, DovodZastavenia::EndMarker, 2,
         nth(zeroTitleFile, "|0|", 1) + 1},
        {"first_title_zero_in_second_record", zeroFirstTitleFile, false, 2, 0,
         DovodZastavenia::EndMarker, 2, 141},
        {"bar_in_text_shifts_fields_of_the_last_record", fileOf("1", {bar}), true, 1, 1},
        {"bar_in_text_shifts_later_records", fileOf("2", {bar, d}), true, 2, 2},
        {"high_byte_is_ordinary", fileOf("1", {high}), true, 1, 1},
        {"nul_byte_ends_the_load", nulFile, false, 2, 0, DovodZastavenia::NulByte, 2,
         nulFile.find('\0')},
        {"zero_item_before_nul_byte_wins", "1Song01|0|\0|"s, false, 1, 0,
         DovodZastavenia::EndMarker, 1, 8},
        {"nul_byte_before_zero_item_wins", "1Song01|\0|0|"s, false, 1, 0, DovodZastavenia::NulByte,
         1, 8},
        {"short_count_ignores_later_records", recordFile("1", 2), true, 1, 1},
        {"long_count_runs_into_end", recordFile("3", 2), false, 3, 0, DovodZastavenia::EndOfInput,
         3, recordFile("3", 2).size()},
        {"trailing_bytes_ignored", example + "garbage|0|\0\n"s, true, 2, 2},
        {"missing_last_bar", noLastBar, false, 2, 0, DovodZastavenia::EndOfInput, 2,
         noLastBar.size()},
        {"negative_count", recordFile("-1", 1), false, -1, 0, DovodZastavenia::NegativeCount, 0, 0},
        {"negative_count_after_white_space", "  -3", false, -3, 0, DovodZastavenia::NegativeCount,
         0, 2},
        {"largest_count_runs_into_end", "2147483647", false, 2147483647, 0,
         DovodZastavenia::EndOfInput, 1, 10},
        {"count_above_int32", "2147483648Song01|", false, 2147483648LL, 0,
         DovodZastavenia::CountOutOfRange, 0, 0},
        {"huge_count_saturates", " 99999999999999999999999999", false,
         std::numeric_limits<std::int64_t>::max(), 0, DovodZastavenia::CountOutOfRange, 0, 1},
        {"count_below_int32_is_negative", "-2147483649", false, -2147483649LL, 0,
         DovodZastavenia::NegativeCount, 0, 0},
    };
}

class LoadTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, CompletesOrStopsWithNothingLoaded)
{
    const LoadCase &c = GetParam();
    MemorySource source(c.bytes);
    const VysledokNacitania v = NacitajDatabazu(source);
    EXPECT_EQ(v.completed, c.completed);
    EXPECT_EQ(v.count, c.count);
    if (c.completed) {
        EXPECT_EQ(v.zoznam.PocetCd, c.records);
        EXPECT_EQ(recordsOf(v.zoznam).size(), std::size_t(c.records));
        if (c.records > 0) {
            EXPECT_EQ(v.zoznam.Aktualny, v.zoznam.ZaznamNaPozicii(c.records));
        }
    } else {
        EXPECT_EQ(v.reason, c.reason);
        EXPECT_EQ(v.record, c.record);
        EXPECT_EQ(v.offset, c.offset);
        EXPECT_EQ(v.zoznam.PocetCd, 0);
        EXPECT_EQ(v.zoznam.Prvy, nullptr);
        EXPECT_EQ(v.zoznam.Aktualny, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LoadTest, testing::ValuesIn(loadCases()),
                         [](const testing::TestParamInfo<LoadCase> &info) {
                             return std::string(info.param.name);
                         });

// The texts that the rows above only count.

TEST(Load, WorkedExampleGivesBothRecordsBack)
{
    MemorySource source(workedExample);
    const VysledokNacitania v = NacitajDatabazu(source);
    ASSERT_TRUE(v.completed);
    EXPECT_EQ(recordsOf(v.zoznam), (std::vector<Texts>{defaults(), secondExampleRecord()}));
    EXPECT_EQ(v.offset, workedExample.size());
}

TEST(Load, BarInTextShiftsTheItems)
{
    Texts bar = defaults();
    bar[1] = "A|B";
    const std::string file = fileOf("1", {bar});
    MemorySource source(file);
    const VysledokNacitania v = NacitajDatabazu(source);
    ASSERT_TRUE(v.completed);
    const Texts t = textsOf(*v.zoznam.Prvy);
    EXPECT_EQ(t[1], "A");
    EXPECT_EQ(t[2], "B");
    EXPECT_EQ(t[7], "Nedefinovane"); // the surname moved into the due date
    EXPECT_EQ(v.offset, file.size() - std::string("31122100|").size());
}

TEST(Load, CountTakesTheFirstTitlesDigits)
{
    const std::string file =
        fileOf("1", {{"7 dni|b|c|d|e|f|g|h|i|j|", "n", "a", "t", "d", "m", "p", "v"}});
    // "17 dni|..." would be read as 17 records; with one record the count swallows both digits.
    MemorySource source(file);
    EXPECT_EQ(NacitajDatabazu(source).count, 17);
}

TEST(Load, HighBytesAndLineBreaksComeBack)
{
    Texts t = defaults();
    t[2] = "\xFF\xFF";
    t[3] = "a\r\nb";
    t[0] = "\xFF|\n|\xE1|" + std::string(7, '|');
    const std::string file = fileOf("1", {t});
    MemorySource source(file);
    const VysledokNacitania v = NacitajDatabazu(source);
    ASSERT_TRUE(v.completed);
    EXPECT_EQ(textsOf(*v.zoznam.Prvy), t);
}

TEST(Load, ReadErrorStopsWithNothingLoaded)
{
    const std::string cut = workedExample.substr(0, 200);
    FailingSource source(cut);
    const VysledokNacitania v = NacitajDatabazu(source);
    EXPECT_FALSE(v.completed);
    EXPECT_EQ(v.reason, DovodZastavenia::ReadError);
    EXPECT_EQ(v.record, 2);
    EXPECT_EQ(v.offset, 200u);
    EXPECT_EQ(v.zoznam.PocetCd, 0);
}

TEST(Load, ReadErrorInTheCount)
{
    FailingSource source(" 12");
    const VysledokNacitania v = NacitajDatabazu(source);
    EXPECT_FALSE(v.completed);
    EXPECT_EQ(v.reason, DovodZastavenia::ReadError);
    EXPECT_EQ(v.record, 0);
}

TEST(Load, ItemLongerThanTheBuffer)
{
    Texts t = defaults();
    t[0] = std::string(3 << 20, '\xFF') + "|" + std::string(9, '|');
    t[7] = std::string(5 << 20, 'x');
    const std::string file = fileOf("2", {t, secondExampleRecord()});
    MemorySource source(file);
    const VysledokNacitania v = NacitajDatabazu(source);
    ASSERT_TRUE(v.completed);
    EXPECT_EQ(recordsOf(v.zoznam), (std::vector<Texts>{t, secondExampleRecord()}));
}

TEST(Load, FromARealFile)
{
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fwrite(workedExample.data(), 1, workedExample.size(), file);
    std::rewind(file);
    FileSource source(file);
    const VysledokNacitania v = NacitajDatabazu(source);
    std::fclose(file);
    ASSERT_TRUE(v.completed);
    EXPECT_EQ(recordsOf(v.zoznam), (std::vector<Texts>{defaults(), secondExampleRecord()}));
}

// ---------------------------------------------------------------------------------------------
// The item reader on its own.

TEST(CitajPolozku, TellsEndOfInputFromHighByte)
{
    const std::string bytes = "a|\xFF|\xFF\xFF|||tail";
    MemorySource source(bytes);
    CitacDatabazy citac(source, 16);
    EXPECT_EQ(citac.CitajPolozku(), "a");
    EXPECT_EQ(citac.CitajPolozku(), "\xFF");
    EXPECT_EQ(citac.CitajPolozku(), "\xFF\xFF");
    EXPECT_EQ(citac.CitajPolozku(), "");
    EXPECT_EQ(citac.CitajPolozku(), "");
    EXPECT_EQ(citac.stop(), CitacDatabazy::Stop::None);
    EXPECT_EQ(citac.CitajPolozku(), "0"); // "tail" has no bar: dropped
    EXPECT_EQ(citac.stop(), CitacDatabazy::Stop::EndOfInput);
    EXPECT_EQ(citac.stopOffset(), bytes.size());
}

TEST(CitajPolozku, NulByteEndsTheItemAndReadingGoesOnAfterIt)
{
    const std::string bytes = "ab\0cd|ef|"s;
    MemorySource source(bytes);
    CitacDatabazy citac(source, 16);
    EXPECT_EQ(citac.CitajPolozku(), "0");
    EXPECT_EQ(citac.stop(), CitacDatabazy::Stop::NulByte);
    EXPECT_EQ(citac.stopOffset(), 2u);
    EXPECT_EQ(citac.CitajPolozku(), "cd");
    EXPECT_EQ(citac.CitajPolozku(), "ef");
}

TEST(CitajPolozku, ItemsAcrossASmallBuffer)
{
    std::string bytes;
    std::vector<std::string> expected;
    for (int i = 0; i < 200; ++i) {
        expected.push_back(std::string(i % 37, char('a' + i % 26)));
        bytes += expected.back() + "|";
    }
    MemorySource source(bytes);
    CitacDatabazy citac(source, 16);
    for (const std::string &item : expected)
        ASSERT_EQ(citac.CitajPolozku(), item);
    EXPECT_EQ(citac.CitajPolozku(), "0");
}

TEST(CitajPolozku, MatchesAByteByByteSplit)
{
    std::mt19937 random(99);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const int length = random() % 120;
        for (int i = 0; i < length; ++i)
            bytes += "ab|\0\xFF"[random() % 5];
        // The items and end markers that reading one byte at a time gives.
        std::vector<std::string> expected;
        std::string item;
        for (char ch : bytes) {
            if (ch == '|' || ch == '\0') {
                expected.push_back(ch == '|' ? item : "0");
                item.clear();
            } else {
                item += ch;
            }
        }
        expected.push_back("0");
        TrickleSource source(bytes, round);
        CitacDatabazy citac(source, 16);
        for (const std::string &e : expected)
            ASSERT_EQ(citac.CitajPolozku(), e) << testing::PrintToString(bytes);
        ASSERT_EQ(citac.stop(), CitacDatabazy::Stop::EndOfInput);
    }
}

// ---------------------------------------------------------------------------------------------
// Every prefix of a valid file loads whole or stops with nothing loaded.

void checkEveryPrefix(const std::string &file, const std::vector<std::uint64_t> &recordEnds,
                      std::size_t countDigits)
{
    for (std::size_t cut = 0; cut <= file.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        const std::string prefix = file.substr(0, cut);
        MemorySource source(prefix);
        const VysledokNacitania v = NacitajDatabazu(source);
        if (cut == file.size() || cut == 0 || (cut < countDigits && std::stoll(prefix) == 0)) {
            ASSERT_TRUE(v.completed);
            ASSERT_EQ(v.zoznam.PocetCd, cut == file.size() ? std::int32_t(recordEnds.size()) : 0);
            continue;
        }
        ASSERT_FALSE(v.completed);
        ASSERT_EQ(v.zoznam.PocetCd, 0);
        ASSERT_EQ(v.zoznam.Prvy, nullptr);
        ASSERT_EQ(v.reason, DovodZastavenia::EndOfInput);
        ASSERT_EQ(v.offset, cut);
        // A cut count asks for fewer records, so the first one is what runs out.
        const std::size_t complete =
            cut < countDigits
                ? 0
                : std::upper_bound(recordEnds.begin(), recordEnds.end(), cut) - recordEnds.begin();
        ASSERT_EQ(v.record, std::int64_t(complete + 1));
    }
}

TEST(Prefixes, OfTheWorkedExample)
{
    checkEveryPrefix(workedExample, {141, 255}, 1);
}

TEST(Prefixes, OfAFileWithATwoDigitCount)
{
    std::mt19937 random(7);
    std::vector<Texts> records;
    std::vector<std::uint64_t> ends;
    std::string file = "12";
    for (int i = 0; i < 12; ++i) {
        records.push_back(safeRecord(random, i == 0));
        file = fileOf("12", records);
        ends.push_back(file.size());
    }
    checkEveryPrefix(file, ends, 2);
}

// ---------------------------------------------------------------------------------------------
// Differential: the buffered reader against a literal byte-by-byte reading of the format.

struct Expected {
    bool completed = false;
    std::int64_t count = 0;
    std::vector<Texts> records;
    DovodZastavenia reason = DovodZastavenia::EndOfInput;
    std::int64_t record = 0;
    std::uint64_t offset = 0;
};

Expected referenceLoad(const std::string &bytes)
{
    Expected e;
    std::size_t pos = 0;
    auto next = [&]() -> int {
        return pos < bytes.size() ? static_cast<unsigned char>(bytes[pos++]) : -1;
    };
    auto peek = [&]() -> int {
        return pos < bytes.size() ? static_cast<unsigned char>(bytes[pos]) : -1;
    };
    while (peek() != -1 && std::strchr(" \t\n\v\f\r", peek()) && peek() != 0)
        ++pos;
    const std::size_t countAt = pos;
    bool negative = false;
    if (peek() == '+' || peek() == '-')
        negative = next() == '-';
    if (peek() >= '0' && peek() <= '9') {
        long double value = 0;
        while (peek() >= '0' && peek() <= '9')
            value = value * 10 + (next() - '0');
        if (negative)
            value = -value;
        e.count = value >= 9223372036854775808.0L    ? std::numeric_limits<std::int64_t>::max()
                  : value <= -9223372036854775808.0L ? std::numeric_limits<std::int64_t>::min()
                                                     : std::int64_t(value);
        if (value < 0 || value > 2147483647) {
            e.reason =
                value < 0 ? DovodZastavenia::NegativeCount : DovodZastavenia::CountOutOfRange;
            e.offset = countAt;
            return e;
        }
    }
    for (std::int64_t i = 0; i < e.count; ++i) {
        Texts t;
        for (int item = 0; item < 17; ++item) {
            const std::size_t start = pos;
            std::string text;
            int ch;
            while ((ch = next()) != -1 && ch != 0 && ch != '|')
                text += char(ch);
            if (ch == -1 || ch == 0 || text == "0") {
                e.reason = ch == -1  ? DovodZastavenia::EndOfInput
                           : ch == 0 ? DovodZastavenia::NulByte
                                     : DovodZastavenia::EndMarker;
                e.record = i + 1;
                e.offset = ch == -1 ? bytes.size() : ch == 0 ? pos - 1 : start;
                e.records.clear();
                return e;
            }
            if (item < 10)
                t[0] += text + "|";
            else
                t[item - 9] = text;
        }
        e.records.push_back(t);
    }
    e.completed = true;
    e.offset = pos;
    return e;
}

/// Files close to valid ones, with the bytes that matter to the format sprinkled in.
std::string mutatedFile(std::mt19937 &random)
{
    std::vector<Texts> records;
    const int n = random() % 4;
    for (int i = 0; i < n; ++i)
        records.push_back(safeRecord(random, i == 0));
    static const char *counts[] = {"0", "1", "2", "3", " 2", "-1", "+2", "02", "x", ""};
    std::string file = fileOf(counts[random() % 10], records);
    const int edits = random() % 4;
    static const std::string special = "|0\0 9-\xFF"s;
    for (int k = 0; k < edits && !file.empty(); ++k) {
        const std::size_t at = random() % file.size();
        switch (random() % 3) {
        case 0:
            file[at] = special[random() % special.size()];
            break;
        case 1:
            file.insert(at, 1, special[random() % special.size()]);
            break;
        default:
            file.erase(at, 1 + random() % 20);
        }
    }
    return file;
}

TEST(Differential, BufferedReaderMatchesByteByByteReading)
{
    std::mt19937 random(20240501);
    int completed = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string file = mutatedFile(random);
        SCOPED_TRACE(testing::PrintToString(file));
        const Expected e = referenceLoad(file);
        TrickleSource source(file, round);
        const VysledokNacitania v = NacitajDatabazu(source);
        ASSERT_EQ(v.completed, e.completed);
        ASSERT_EQ(v.count, e.count);
        ASSERT_EQ(recordsOf(v.zoznam), e.records);
        ASSERT_EQ(v.offset, e.offset);
        if (!e.completed) {
            ASSERT_EQ(v.reason, e.reason);
            ASSERT_EQ(v.record, e.record);
        }
        completed += e.completed && !e.records.empty();
    }
    // The mutations must leave enough files whole for the comparison to mean something.
    EXPECT_GT(completed, 400);
}

} // namespace
