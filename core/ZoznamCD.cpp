#include "core/ZoznamCD.h"

#include <new>
#include <utility>

ZoznamCD Zoznam;

namespace {

// Places for loaded records are taken in blocks of this many.
constexpr std::size_t kMiestVBloku = 16384;

} // namespace

ZoznamCD::~ZoznamCD()
{
    VymazVsetky();
}

ZoznamCD::ZoznamCD(ZoznamCD &&other) noexcept
    : Prvy(std::exchange(other.Prvy, nullptr)), Aktualny(std::exchange(other.Aktualny, nullptr)),
      Presuvany(std::exchange(other.Presuvany, nullptr)), PocetCd(std::exchange(other.PocetCd, 0)),
      miesta_(std::move(other.miesta_)), volne_(std::exchange(other.volne_, 0)),
      bajty_(std::move(other.bajty_)), poradie_(std::move(other.poradie_))
{
}

ZoznamCD &ZoznamCD::operator=(ZoznamCD &&other) noexcept
{
    if (this != &other) {
        VymazVsetky();
        Prvy = std::exchange(other.Prvy, nullptr);
        Aktualny = std::exchange(other.Aktualny, nullptr);
        Presuvany = std::exchange(other.Presuvany, nullptr);
        PocetCd = std::exchange(other.PocetCd, 0);
        miesta_ = std::move(other.miesta_);
        volne_ = std::exchange(other.volne_, 0);
        bajty_ = std::move(other.bajty_);
        poradie_ = std::move(other.poradie_);
    }
    return *this;
}

ZaznamCD *ZoznamCD::ZaznamNaPozicii(std::int32_t pozicia) const
{
    ZaznamCD *zaznam = Prvy;
    for (std::int32_t i = 1; i < pozicia; ++i)
        zaznam = zaznam->Dalsi;
    return zaznam;
}

void ZoznamCD::PripojZaznam(ZaznamCD *zaznam)
{
    // A sorted list keeps its known order through appends, as long as memory allows.
    if (poradie_.size() == std::size_t(PocetCd) && PocetCd > 0) {
        try {
            poradie_.push_back(zaznam);
        } catch (const std::bad_alloc &) {
            poradie_.clear();
        }
    } else {
        poradie_.clear();
    }
    // Aktualny is the last record between operations, so this is the record
    // a walk of PocetCd - 1 steps from Prvy would reach.
    if (PocetCd > 0)
        Aktualny->Dalsi = zaznam;
    ++PocetCd;
    Aktualny = zaznam;
    if (PocetCd == 1)
        Prvy = zaznam;
}

void ZoznamCD::PodrzBajty(std::unique_ptr<char[]> bajty)
{
    bajty_.push_back(std::move(bajty));
}

ZaznamCD *ZoznamCD::PripojNacitany(const std::array<std::string_view, PocetPoli> &texty)
{
    if (volne_ == 0) {
        // Left uninitialised: a place is written only when a record is made in it.
        std::unique_ptr<Miesto[]> blok(new Miesto[kMiestVBloku]);
        miesta_.push_back(std::move(blok));
        volne_ = kMiestVBloku;
    }
    auto *zaznam = new (miesta_.back().get() + (kMiestVBloku - volne_)) ZaznamCD(texty);
    --volne_;
    PripojZaznam(zaznam);
    return zaznam;
}

void ZoznamCD::Prepoj(std::vector<ZaznamCD *> poradie)
{
    poradie_.clear();
    if (poradie.empty())
        return;
    Prvy = poradie.front();
    for (std::size_t i = 1; i < poradie.size(); ++i)
        poradie[i - 1]->Dalsi = poradie[i];
    Aktualny = poradie.back();
    Aktualny->Dalsi = nullptr;
    poradie_ = std::move(poradie);
}

void ZoznamCD::VymazVsetky()
{
    // A loop bounded by the count, never recursion: ten million records must not
    // exhaust the stack, and the last record's Dalsi is not relied on. Loaded records
    // are only ended here; their storage goes with the blocks below.
    PreKazdy([](ZaznamCD &zaznam) {
        if (zaznam.placement_ == ZaznamCD::Placement::ListStorage)
            zaznam.~ZaznamCD();
        else
            delete &zaznam;
    });
    PocetCd = 0;
    Prvy = nullptr;
    Aktualny = nullptr;
    Presuvany = nullptr;
    miesta_.clear();
    volne_ = 0;
    bajty_.clear();
    poradie_.clear();
    poradie_.shrink_to_fit();
}
