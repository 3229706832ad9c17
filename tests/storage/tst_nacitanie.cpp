#include "storage/Databaza.h"

#include "Pomocky.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace testdata;
using std::string_literals::operator""s;
using Reason = DovodZastavenia;

namespace {

// The format read literally, one byte at a time, as the yardstick for the buffered reader.
VysledokNacitania referenceLoad(const std::string &bytes)
{
    VysledokNacitania e;
    std::size_t pos = 0;
    auto peek = [&] {
        return pos < bytes.size() ? int(static_cast<unsigned char>(bytes[pos])) : -1;
    };
    // The count as strtoll reads it in the C locale, which saturates as the reader must.
    const std::size_t countAt = std::min(bytes.find_first_not_of(" \t\n\v\f\r"), bytes.size());
    char *end = nullptr;
    e.count = std::strtoll(bytes.c_str(), &end, 10);
    pos = std::size_t(end - bytes.c_str());
    if (pos == 0) // no number: the blanks and a sign are taken all the same
        pos = countAt + (bytes[countAt] == '+' || bytes[countAt] == '-');
    if (e.count < 0 || e.count > std::numeric_limits<std::int32_t>::max()) {
        e.reason = e.count < 0 ? Reason::NegativeCount : Reason::CountOutOfRange;
        e.offset = countAt;
        return e;
    }
    for (std::int64_t i = 0; i < e.count; ++i) {
        Texts t;
        for (int item = 0; item < 17; ++item) {
            const std::size_t start = pos;
            std::string text;
            int ch;
            while ((ch = peek()) > 0 && ch != '|')
                text += bytes[pos++];
            if (ch <= 0 || text == "0") {
                e.reason = ch == -1  ? Reason::EndOfInput
                           : ch == 0 ? Reason::NulByte
                                     : Reason::EndMarker;
                e.record = i + 1;
                e.offset = ch == '|' ? start : pos;
                e.zoznam.VymazVsetky();
                return e;
            }
            ++pos;
            if (item < 10)
                t[0] += text + "|";
            else
                t[item - 9] = text;
        }
        append(e.zoznam, t);
    }
    e.completed = true;
    e.offset = pos;
    return e;
}

// A load must agree in every respect with the literal reading of the same bytes.
void expectSameAsReference(const VysledokNacitania &v, const std::string &bytes)
{
    const VysledokNacitania e = referenceLoad(bytes);
    ASSERT_EQ(v.completed, e.completed);
    ASSERT_EQ(v.count, e.count);
    ASSERT_EQ(recordsOf(v.zoznam), recordsOf(e.zoznam));
    ASSERT_EQ(v.offset, e.offset);
    if (!e.completed) {
        ASSERT_EQ(v.reason, e.reason);
        ASSERT_EQ(v.record, e.record);
    }
}

// ---------------------------------------------------------------------------------------------
// The reader's edge cases, one row each.

struct LoadCase {
    const char *name;
    std::string bytes;
    bool completed;
    std::int64_t count; ///< and, when completed, the records loaded
    Reason reason = Reason::EndOfInput;
    std::int64_t record = 0;
    std::uint64_t offset = 0; ///< when stopped
    bool fails = false;       ///< the source reports a read error after the bytes
};

std::vector<LoadCase> loadCases()
{
    const Texts d = defaults();
    auto with = [&](std::size_t field, const std::string &text) {
        Texts t = d;
        t[field] = text;
        return t;
    };
    const std::string sevenDays =
        fileOf("2", {{"7 dni|b|c|d|e|f|g|h|i|j|", "n", "a", "t", "d", "m", "p", "v"}, d});
    const std::string noLastBar = workedExample.substr(0, workedExample.size() - 1);
    const std::string two = fileOf("2", {d, d}), three = fileOf("3", {d, d});
    Texts high = with(0, "\xFF|\n|\xE1|" + std::string(7, '|'));
    high[2] = "\xFF\xFF";
    high[3] = "a\r\nb";
    const Texts longItems = with(0, std::string(300'000, '\xFF') + std::string(10, '|'));
    return {
        {"worked_example", workedExample, true, 2},
        {"empty_file_is_an_empty_collection", "", true, 0},
        {"minus_zero_is_zero", "-0", true, 0},
        {"header_not_a_number", "abc|def|", true, 0},
        {"lone_sign", "+", true, 0},
        {"white_space_only", " \n\t", true, 0},
        {"white_space_before_count", " \t\n\v\f\r" + fileOf("1", {d}), true, 1},
        {"plus_sign", fileOf("+1", {d}), true, 1},
        {"leading_zeros_in_long_count", "0000000000000000000002" + two.substr(1), true, 2},
        {"count_takes_leading_digit_of_first_title", sevenDays, false, 27, Reason::EndOfInput, 3,
         sevenDays.size()},
        {"field_zero_is_end_marker", fileOf("1", {with(5, "0")}), false, 1, Reason::EndMarker, 1,
         106},
        {"field_double_zero_is_text", fileOf("1", {with(5, "00")}), true, 1},
        {"field_blank_zero_is_text", fileOf("1", {with(5, " 0")}), true, 1},
        {"first_title_zero_in_second_record", fileOf("2", {d, with(0, "0|" + d[0].substr(7))}),
         false, 2, Reason::EndMarker, 2, 141},
        {"bar_in_text_shifts_later_records", fileOf("2", {with(1, "A|B"), d}), true, 2},
        {"high_byte_and_line_breaks_are_ordinary", fileOf("1", {high}), true, 1},
        {"nul_byte_ends_the_load", fileOf("2", {d, with(3, "Typ\0CD"s)}), false, 2, Reason::NulByte,
         2, 232},
        {"zero_item_before_nul_byte_wins", "1Song01|0|\0|"s, false, 1, Reason::EndMarker, 1, 8},
        {"nul_byte_before_zero_item_wins", "1Song01|\0|0|"s, false, 1, Reason::NulByte, 1, 8},
        {"short_count_ignores_later_records", fileOf("1", {d, d}), true, 1},
        {"long_count_runs_into_end", three, false, 3, Reason::EndOfInput, 3, three.size()},
        {"trailing_bytes_ignored", workedExample + "garbage|0|\0\n"s, true, 2},
        {"missing_last_bar", noLastBar, false, 2, Reason::EndOfInput, 2, noLastBar.size()},
        {"item_longer_than_the_buffer", fileOf("2", {longItems, secondExampleRecord}), true, 2},
        {"negative_count", fileOf("-1", {d}), false, -1, Reason::NegativeCount, 0, 0},
        {"largest_count_runs_into_end", "2147483647", false, 2147483647, Reason::EndOfInput, 1, 10},
        {"count_above_int32", "2147483648Song01|", false, 2147483648LL, Reason::CountOutOfRange, 0,
         0},
        {"huge_count_saturates", " 99999999999999999999999999", false,
         std::numeric_limits<std::int64_t>::max(), Reason::CountOutOfRange, 0, 1},
        {"count_wrapping_64_bits", "18446744073709551617" + fileOf("", {d}), false,
         std::numeric_limits<std::int64_t>::max(), Reason::CountOutOfRange, 0, 0},
        {"count_below_int32_is_negative", "-2147483649", false, -2147483649LL,
         Reason::NegativeCount, 0, 0},
        {"read_error_in_a_record", workedExample.substr(0, 200), false, 2, Reason::ReadError, 2,
         200, true},
        {"read_error_in_the_count", " 12", false, 12, Reason::ReadError, 0, 3, true},
    };
}

class LoadTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, CompletesOrStopsWithNothingLoaded)
{
    const LoadCase &c = GetParam();
    // Once in one block, once a few bytes at a time.
    for (unsigned seed : {0u, 17u}) {
        SCOPED_TRACE(seed ? "trickled" : "one block");
        TrickleSource source(c.bytes, seed, c.fails);
        const VysledokNacitania v = NacitajDatabazu(source);
        EXPECT_EQ(v.completed, c.completed);
        EXPECT_EQ(v.count, c.count);
        if (c.completed) {
            EXPECT_EQ(v.zoznam.PocetCd, c.count);
            EXPECT_EQ(v.zoznam.Aktualny, v.zoznam.ZaznamNaPozicii(v.zoznam.PocetCd));
        } else {
            EXPECT_EQ(v.reason, c.reason);
            EXPECT_EQ(v.record, c.record);
            EXPECT_EQ(v.offset, c.offset);
            EXPECT_EQ(v.zoznam.PocetCd, 0);
            EXPECT_EQ(v.zoznam.Prvy, nullptr);
            EXPECT_EQ(v.zoznam.Aktualny, nullptr);
        }
        if (!c.fails)
            expectSameAsReference(v, c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LoadTest, testing::ValuesIn(loadCases()),
                         [](const testing::TestParamInfo<LoadCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(CitajPolozku, TellsEndOfInputFromHighByteAndNulByte)
{
    const std::string bytes = "a|\xFF|\xFF\xFF||b\0c|tail"s;
    TrickleSource source(bytes, 3);
    CitacDatabazy citac(source, 16);
    for (const char *item : {"a", "\xFF", "\xFF\xFF", ""})
        EXPECT_EQ(citac.CitajPolozku(), item);
    EXPECT_EQ(citac.CitajPolozku(), "0"); // "b" is cut off by the NUL byte
    EXPECT_EQ(citac.stop(), CitacDatabazy::Stop::NulByte);
    EXPECT_EQ(citac.stopOffset(), 9u);
    EXPECT_EQ(citac.CitajPolozku(), "c");
    EXPECT_EQ(citac.CitajPolozku(), "0"); // "tail" has no bar
    EXPECT_EQ(citac.stop(), CitacDatabazy::Stop::EndOfInput);
    EXPECT_EQ(citac.stopOffset(), bytes.size());
}

TEST(Prefixes, EveryCutFileLoadsWholeOrStopsWithNothingLoaded)
{
    std::mt19937 random(7);
    std::vector<Texts> records(12); // with a two-digit count
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i] = safeRecord(random, i == 0);
    for (const std::string &file : {workedExample, fileOf("12", records)}) {
        for (std::size_t cut = 0; cut <= file.size(); ++cut) {
            SCOPED_TRACE("cut at " + std::to_string(cut));
            const std::string prefix = file.substr(0, cut);
            TrickleSource source(prefix, unsigned(cut) + 1);
            const VysledokNacitania v = NacitajDatabazu(source);
            if (v.completed) {
                // Only the whole file, or a cut before any digit of the count, is complete.
                ASSERT_TRUE(cut == file.size() || v.count == 0);
                ASSERT_EQ(v.zoznam.PocetCd, v.count);
            } else {
                ASSERT_EQ(v.zoznam.PocetCd, 0);
                ASSERT_EQ(v.zoznam.Prvy, nullptr);
                ASSERT_EQ(v.reason, Reason::EndOfInput);
                ASSERT_EQ(v.offset, cut);
            }
            ASSERT_NO_FATAL_FAILURE(expectSameAsReference(v, prefix));
        }
    }
}

} // namespace
