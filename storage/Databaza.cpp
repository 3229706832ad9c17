#include "storage/Databaza.h"

#include <array>
#include <charconv>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

/// Collects the file in large blocks, so the sink sees a few big writes.
class BufferedWriter {
  public:
    BufferedWriter(ByteSink &sink, std::size_t capacity)
        : sink_(sink), capacity_(capacity), buffer_(new char[capacity])
    {
    }

    void append(const char *data, std::size_t size)
    {
        if (size <= capacity_ - used_) {
            std::memcpy(buffer_.get() + used_, data, size);
            used_ += size;
            return;
        }
        flushBuffer();
        if (size >= capacity_) {
            if (ok_)
                ok_ = sink_.write(data, size);
        } else {
            std::memcpy(buffer_.get(), data, size);
            used_ = size;
        }
    }
    void append(std::string_view text) { append(text.data(), text.size()); }
    bool ok() const { return ok_; }
    bool finish()
    {
        flushBuffer();
        return ok_ && sink_.flush();
    }

  private:
    void flushBuffer()
    {
        // Once the sink has refused bytes, nothing more is offered to it.
        if (ok_ && used_ > 0)
            ok_ = sink_.write(buffer_.get(), used_);
        used_ = 0;
    }

    ByteSink &sink_;
    const std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool ok_ = true;
};

/// Stops the load: the records read so far are freed and the list is left empty.
void stopLoad(VysledokNacitania &result, DovodZastavenia reason, std::int64_t record,
              std::uint64_t offset)
{
    result.zoznam.VymazVsetky();
    result.completed = false;
    result.reason = reason;
    result.record = record;
    result.offset = offset;
}

// The loss of the record that is the file's `number`th (1-based).
std::optional<StrataPriUlozeni> lossAt(const ZaznamCD &zaznam, std::int32_t number)
{
    std::optional<StrataTextu> strata = zaznam.strata();
    if (number == 1)
        strata = firstRecordLoss(strata, zaznam.Pesnicky());
    if (!strata)
        return std::nullopt;
    return StrataPriUlozeni{number, strata->pole, strata->druh, strata->title};
}

DovodZastavenia reasonFor(CitacDatabazy::Stop stop)
{
    switch (stop) {
    case CitacDatabazy::Stop::NulByte:
        return DovodZastavenia::NulByte;
    case CitacDatabazy::Stop::ReadError:
        return DovodZastavenia::ReadError;
    case CitacDatabazy::Stop::EndOfInput:
    case CitacDatabazy::Stop::None:
        break;
    }
    return DovodZastavenia::EndOfInput;
}

} // namespace

bool UlozDatabazu(ByteSink &sink, const ZoznamCD &zoznam, std::optional<StrataPriUlozeni> *strata,
                  std::size_t bufferSize)
{
    if (strata)
        strata->reset();
    BufferedWriter writer(sink, bufferSize < 16 ? 16 : bufferSize);
    char count[16];
    const auto written = std::to_chars(count, count + sizeof count, zoznam.PocetCd);
    writer.append(count, static_cast<std::size_t>(written.ptr - count));

    // The count is followed directly by the first title. A record keeps its texts laid out
    // as the file holds them (Pesnicky with its own bars, every other text followed by one),
    // so each record is one piece. Each record has known its own loss since its texts were
    // set: until the first is found, the writer looks at a byte of each record (an inline
    // test, which keeps a million-record save as fast as one without the search), and at the
    // first record's first title.
    std::int32_t number = 0;
    zoznam.PreKazdy([&](const ZaznamCD &zaznam) {
        writer.append(zaznam.ulozenie());
        ++number;
        if (strata && !*strata && (number == 1 || zaznam.strata()))
            *strata = lossAt(zaznam, number);
        return writer.ok();
    });
    return writer.finish();
}

std::optional<StrataPriUlozeni> NajdiStratu(const ZoznamCD &zoznam)
{
    std::optional<StrataPriUlozeni> found;
    std::int32_t number = 0;
    zoznam.PreKazdy([&](const ZaznamCD &zaznam) {
        found = lossAt(zaznam, ++number);
        return !found;
    });
    return found;
}

VysledokNacitania NacitajDatabazu(ByteSource &source, std::size_t blockSize)
{
    VysledokNacitania result;
    // The records' texts stay in the blocks the file was read into, which the list keeps.
    CitacDatabazy citac(source, blockSize, true);

    const CitacDatabazy::Count count = citac.readCount();
    result.count = count.value;
    if (citac.stop() == CitacDatabazy::Stop::ReadError) {
        stopLoad(result, DovodZastavenia::ReadError, 0, citac.stopOffset());
        return result;
    }
    // An empty file, or one of white space only, is an empty collection; anything else
    // without a count is some other kind of file, whatever bytes follow.
    if (!count.present && !count.blank) {
        stopLoad(result, DovodZastavenia::NotADatabase, 0, count.offset);
        return result;
    }
    if (count.value < 0) {
        stopLoad(result, DovodZastavenia::NegativeCount, 0, count.offset);
        return result;
    }
    if (count.outOfRange) {
        stopLoad(result, DovodZastavenia::CountOutOfRange, 0, count.offset);
        return result;
    }

    constexpr auto kItems = std::size_t(kItemsPerRecord);
    std::string_view items[kItems];
    std::array<std::string_view, PocetPoli> texts;
    for (std::int64_t i = 0; i < count.value; ++i) {
        const std::size_t read = citac.readItems(kItems, items);
        // Items are checked in file order, so an item "0" before the place where reading
        // stopped is what ends the load, as it would when reading item by item.
        for (std::size_t k = 0; k < read; ++k) {
            if (items[k] == "0") {
                stopLoad(result, DovodZastavenia::EndMarker, i + 1,
                         citac.offsetOf(items[k].data()));
                return result;
            }
        }
        if (read < kItems) {
            stopLoad(result, reasonFor(citac.stop()), i + 1, citac.stopOffset());
            return result;
        }
        // The record's items lie side by side in the file, laid out as its block holds them.
        const char *first = items[0].data();
        const std::string_view last = items[kItems - 1];
        if (!TextBlock::fits(std::size_t(last.data() + last.size() + 1 - first))) {
            stopLoad(result, DovodZastavenia::RecordTooLarge, i + 1, citac.offsetOf(first));
            return result;
        }
        // The titles with their bars are exactly what Pesnicky holds, so the run is taken whole.
        const std::string_view lastTitle = items[kSongTitles - 1];
        texts[0] =
            std::string_view(first, std::size_t(lastTitle.data() + lastTitle.size() + 1 - first));
        for (int f = 1; f < PocetPoli; ++f)
            texts[f] = items[kSongTitles + f - 1];
        result.zoznam.PripojNacitany(texts);
    }
    result.completed = true;
    result.offset = citac.offset();
    for (std::unique_ptr<char[]> &block : citac.takeBlocks())
        result.zoznam.PodrzBajty(std::move(block));
    return result;
}
