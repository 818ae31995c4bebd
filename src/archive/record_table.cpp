#include "record_table.h"

#include "archive_line.h"

#include "base/dates.h"
#include "base/numbers.h"

#include <algorithm>
#include <atomic>
#include <cstring>

struct RecordTable::Owned
{
    std::atomic<int> refs{1};
    dfilm film;
};

namespace {

const dfilm kEmpty;
std::atomic<std::uint64_t> g_lastGeneration{0};

// Where the line starting at p ends: at its first CR or LF (the block ends with a line feed).
const char* lineEnd(const char* p, const char* end)
{
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    if (!lf)
        lf = end;
    const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(lf - p)));
    return cr ? cr : lf;
}

// Piece k of a line that has its eleven tabs: 0..10 the tab-separated pieces, 11 the rest.
std::string_view piece(const char* p, const char* end, int k)
{
    for (int t = 0; t < k; ++t)
        p = static_cast<const char*>(std::memchr(p, '\t', static_cast<std::size_t>(end - p))) + 1;
    if (k == 11)
        return {p, static_cast<std::size_t>(lineEnd(p, end) - p)};
    const auto* tab = static_cast<const char*>(std::memchr(p, '\t', static_cast<std::size_t>(end - p)));
    return {p, static_cast<std::size_t>(tab - p)};
}

int pieceOf(RecordTable::Field f) { return f == RecordTable::Field::trama ? 11 : static_cast<int>(f); }

} // namespace

std::string_view RecordTable::textOf(const dfilm& r, Field f)
{
    using F = RecordTable::Field;
    switch (f) {
    case F::titolo: return r.titolo;
    case F::genere: return r.genere;
    case F::attore1: return r.attore1;
    case F::attore2: return r.attore2;
    case F::regia: return r.regia;
    case F::posizione: return r.posizione;
    case F::durata: return r.durata;
    case F::datau: return r.datau;
    case F::trama: return r.trama;
    }
    return {};
}

LoadedLines::LoadedLines(std::unique_ptr<files::OwnBytes> bytesOfFile, const RegionalSettings& settings)
    : file(std::move(bytesOfFile)), bytes(file->view()), rs(settings)
{
}

std::uint64_t RecordTable::freshGeneration() { return ++g_lastGeneration; }

RecordTable::Slot RecordTable::Slot::record(dfilm&& film)
{
    Slot s;
    s.m_v = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(new Owned{{1}, std::move(film)}));
    return s;
}

RecordTable::Slot RecordTable::Slot::line(const char* start)
{
    Slot s;
    s.m_v = (static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(start)) << 1) | 1;
    return s;
}

RecordTable::Slot::Slot(const Slot& other) : m_v(other.m_v)
{
    if (Owned* o = owned())
        o->refs.fetch_add(1, std::memory_order_relaxed);
}

RecordTable::Slot::~Slot()
{
    if (Owned* o = owned())
        if (o->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete o;
}

bool RecordTable::Slot::shared() const
{
    const Owned* o = owned();
    return o && o->refs.load(std::memory_order_acquire) > 1;
}

RecordTable::RecordTable() : m_rows(kInitialRows) {}

const LoadedLines& RecordTable::blockOf(const char* line) const
{
    for (const auto& b : m_blocks)
        if (line >= b->bytes.data() && line < b->bytes.data() + b->bytes.size())
            return *b;
    // Every line row has its block in the table: copyRow and putLines see to it.
    std::abort();
}

void RecordTable::keepBlockOf(const RecordTable& from, const char* line)
{
    if (&from == this)
        return;
    for (const auto& b : m_blocks)
        if (line >= b->bytes.data() && line < b->bytes.data() + b->bytes.size())
            return;
    for (const auto& b : from.m_blocks)
        if (line >= b->bytes.data() && line < b->bytes.data() + b->bytes.size()) {
            m_blocks.push_back(b);
            return;
        }
}

RecordTable::Owned& RecordTable::ownedRow(int i) const
{
    Slot& s = m_rows[static_cast<std::size_t>(i - 1)];
    if (const char* p = s.line()) {
        const LoadedLines& b = blockOf(p);
        const char* end = b.bytes.data() + b.bytes.size();
        dfilm film;
        archiveline::parse(std::string_view(p, static_cast<std::size_t>(lineEnd(p, end) - p)), b.rs, film);
        s = Slot::record(std::move(film));
    }
    return *s.owned();
}

const dfilm& RecordTable::row(int i) const
{
    if (i < 1 || i > capacity())
        return kEmpty;
    const Slot& s = m_rows[static_cast<std::size_t>(i - 1)];
    if (s.empty())
        return kEmpty;
    return ownedRow(i).film;
}

std::string_view RecordTable::text(int i, Field f) const
{
    if (i < 1 || i > capacity())
        return {};
    const Slot& s = m_rows[static_cast<std::size_t>(i - 1)];
    if (const char* p = s.line()) {
        const LoadedLines& b = blockOf(p);
        return piece(p, b.bytes.data() + b.bytes.size(), pieceOf(f));
    }
    if (const Owned* o = s.owned())
        return textOf(o->film, f);
    return {};
}

void RecordTable::texts(int i, std::string_view (&out)[8], double& dataa) const
{
    const Slot* s = i >= 1 && i <= capacity() ? &m_rows[static_cast<std::size_t>(i - 1)] : nullptr;
    if (const char* p = s ? s->line() : nullptr) {
        const LoadedLines& b = blockOf(p);
        const char* end = b.bytes.data() + b.bytes.size();
        for (int k = 0; k < 9; ++k) {
            const auto* tab = static_cast<const char*>(std::memchr(p, '\t', static_cast<std::size_t>(end - p)));
            const std::string_view piece(p, static_cast<std::size_t>(tab - p));
            if (k < 8)
                out[k] = piece;
            else
                dataa = dates::parseShortDate(piece, b.rs);
            p = tab + 1;
        }
        return;
    }
    const dfilm& r = s && s->owned() ? s->owned()->film : kEmpty;
    for (int k = 0; k < 8; ++k)
        out[k] = textOf(r, static_cast<Field>(k));
    dataa = r.dataa;
}

double RecordTable::dataa(int i) const
{
    if (i < 1 || i > capacity())
        return 0;
    const Slot& s = m_rows[static_cast<std::size_t>(i - 1)];
    if (const char* p = s.line()) {
        const LoadedLines& b = blockOf(p);
        return dates::parseShortDate(piece(p, b.bytes.data() + b.bytes.size(), 8), b.rs);
    }
    const Owned* o = s.owned();
    return o ? o->film.dataa : 0;
}

double RecordTable::dimmb(int i) const
{
    if (i < 1 || i > capacity())
        return 0;
    const Slot& s = m_rows[static_cast<std::size_t>(i - 1)];
    if (const char* p = s.line()) {
        const LoadedLines& b = blockOf(p);
        return numbers::parseFloat(piece(p, b.bytes.data() + b.bytes.size(), 9), b.rs);
    }
    const Owned* o = s.owned();
    return o ? o->film.dimmb : 0;
}

void RecordTable::formatLine(int i, const RegionalSettings& rs, std::string& out) const
{
    const Slot* s = i >= 1 && i <= capacity() ? &m_rows[static_cast<std::size_t>(i - 1)] : nullptr;
    const char* p = s ? s->line() : nullptr;
    if (!p) {
        const Owned* o = s ? s->owned() : nullptr;
        archiveline::format(o ? o->film : kEmpty, rs, out);
        return;
    }
    const LoadedLines& b = blockOf(p);
    const char* end = b.bytes.data() + b.bytes.size();
    archiveline::Fields f;
    for (int k = 0; k < 11; ++k) {
        const auto* tab = static_cast<const char*>(std::memchr(p, '\t', static_cast<std::size_t>(end - p)));
        const std::string_view text(p, static_cast<std::size_t>(tab - p));
        if (k < 8)
            f.texts[k] = text;
        else if (k == 8)
            f.dataa = dates::parseShortDate(text, b.rs);
        else if (k == 9)
            f.dimmb = numbers::parseFloat(text, b.rs);
        else
            f.riservato = numbers::parseInt(text);
        p = tab + 1;
    }
    f.trama = std::string_view(p, static_cast<std::size_t>(lineEnd(p, end) - p));
    archiveline::format(f, rs, out);
}

dfilm& RecordTable::edit(int i)
{
    m_generation = freshGeneration();
    if (i > capacity())
        m_rows.resize(std::max<std::size_t>(static_cast<std::size_t>(i), m_rows.size() * 3 / 2));
    Slot& s = m_rows[static_cast<std::size_t>(i - 1)];
    if (s.empty())
        s = Slot::record(dfilm());
    else if (s.line())
        ownedRow(i);
    else if (s.shared())
        s = Slot::record(dfilm(s.owned()->film));
    return s.owned()->film;
}

void RecordTable::put(int i, Row record)
{
    m_generation = freshGeneration();
    reserveRows(i);
    Slot s;
    if (record)
        s = Slot::record(record.use_count() == 1 ? std::move(*record) : dfilm(*record));
    m_rows[static_cast<std::size_t>(i - 1)] = std::move(s);
}

void RecordTable::putLines(int r, const std::shared_ptr<const LoadedLines>& block, const std::vector<const char*>& lines)
{
    m_generation = freshGeneration();
    if (lines.empty())
        return;
    reserveRows(r + static_cast<int>(lines.size()) - 1);
    if (std::find(m_blocks.begin(), m_blocks.end(), block) == m_blocks.end())
        m_blocks.push_back(block);
    for (std::size_t k = 0; k < lines.size(); ++k)
        m_rows[static_cast<std::size_t>(r - 1) + k] = Slot::line(lines[k]);
}

void RecordTable::reserveRows(int n)
{
    m_generation = freshGeneration();
    if (n > capacity())
        m_rows.resize(static_cast<std::size_t>(n));
}

void RecordTable::copyAllFrom(const RecordTable& other)
{
    if (&other != this) {
        m_rows = other.m_rows;
        m_blocks = other.m_blocks;
        m_generation = freshGeneration();
    }
}

RecordTable RecordTable::firstRows(const RecordTable& from, int n)
{
    RecordTable t;
    const auto rows = static_cast<std::size_t>(std::clamp(n, 0, from.capacity()));
    const auto head = static_cast<std::ptrdiff_t>(std::min(rows, t.m_rows.size()));
    std::copy(from.m_rows.begin(), from.m_rows.begin() + head, t.m_rows.begin());
    if (rows > t.m_rows.size())
        t.m_rows.insert(t.m_rows.end(), from.m_rows.begin() + static_cast<std::ptrdiff_t>(t.m_rows.size()),
                        from.m_rows.begin() + static_cast<std::ptrdiff_t>(rows));
    t.m_blocks = from.m_blocks;
    return t;
}

void RecordTable::copyRow(int i, const RecordTable& from, int j)
{
    m_generation = freshGeneration();
    reserveRows(i);
    Slot source = j >= 1 && j <= from.capacity() ? from.m_rows[static_cast<std::size_t>(j - 1)] : Slot();
    if (const char* p = source.line())
        keepBlockOf(from, p);
    m_rows[static_cast<std::size_t>(i - 1)] = std::move(source);
}

void RecordTable::reorder(const std::vector<int>& order)
{
    m_generation = freshGeneration();
    std::vector<Slot> moved(order.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        moved[k] = std::move(m_rows[static_cast<std::size_t>(order[k] - 1)]);
    std::move(moved.begin(), moved.end(), m_rows.begin());
}
