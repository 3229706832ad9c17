// Records of a loaded file live in their list's storage and point into the bytes it read:
// they must behave like any other record when changed, copied, relinked by hand and freed.
#include "core/Triedenie.h"
#include "storage/Databaza.h"

#include "Pomocky.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testdata;

TEST(LoadedRecords, ChangedCopiedRelinkedAndFreedLikeOthers)
{
    std::vector<Texts> records(3, defaults());
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i][6] = std::string(1, char('C' - i)); // surnames C, B, A
    const std::string bytes = fileOf("3", records);
    MemorySource source(bytes);
    VysledokNacitania v = NacitajDatabazu(source);
    ASSERT_TRUE(v.completed);
    ZoznamCD zoznam = std::move(v.zoznam);
    ZoradZoznam(zoznam, 4, nullptr); // A, B, C: an order the list remembers

    // Relinked by hand back to C, B, A: walks follow Dalsi, not what the sort left.
    ZaznamCD *a = zoznam.Prvy, *b = a->Dalsi, *c = b->Dalsi;
    zoznam.Prvy = c;
    c->Dalsi = b;
    b->Dalsi = a;
    zoznam.Aktualny = a;
    StringSink sink;
    ASSERT_TRUE(UlozDatabazu(sink, zoznam));
    EXPECT_EQ(sink.bytes, bytes);

    // A change is the record's own; the loss check sees it; a copy outlives the list.
    b->setDatumVratenia("0");
    b->setTypCD(b->Meno()); // a view into the bytes this change moves
    const auto loss = NajdiStratu(zoznam);
    ASSERT_TRUE(loss.has_value());
    EXPECT_EQ(loss->record, 2);
    EXPECT_STREQ(loss->field, "DatumVratenia");
    const ZaznamCD copy = *c, changed = *b;
    zoznam.VymazVsetky();
    records[1][3] = records[1][5];
    records[1][7] = "0";
    EXPECT_EQ(textsOf(copy), records[0]);
    EXPECT_EQ(textsOf(changed), records[1]);
    ZoznamCD other; // the copy carries the loss on, the changed record being gone
    other.PripojZaznam(new ZaznamCD);
    other.PripojZaznam(new ZaznamCD(changed));
    const auto carried = NajdiStratu(other);
    ASSERT_TRUE(carried.has_value());
    EXPECT_EQ(carried->record, 2);
}
