#pragma once

#include "dfilm.h"

#include "base/regional.h"
#include "platform/files.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a loaded archive file, kept whole: its records refer to their lines here instead
// of each holding a copy of every text.
struct LoadedLines
{
    LoadedLines(std::unique_ptr<files::OwnBytes> bytesOfFile, const RegionalSettings& settings);
    std::unique_ptr<files::OwnBytes> file;
    std::string_view bytes;
    // How its dates and numbers read.
    RegionalSettings rs;
};

// A table of records numbered from 1. It starts with the classic 2000 rows and grows when a row
// beyond them is written; rows above a table's count keep whatever they last held.
//
// Rows behave as values: copying a table copies every record. The records themselves are shared
// between tables until one of them writes a row, which then gets its own copy; a row loaded from
// a file is a line of that file until it is first read whole or written. So the view of a
// million-record archive costs a word a row, not a second archive.
//
// Readers on several threads use text(), the numbers and formatLine(); row() and the writers
// belong to one thread.
class RecordTable
{
public:
    static constexpr int kInitialRows = 2000;
    using Row = std::shared_ptr<dfilm>;
    enum class Field { titolo, genere, attore1, attore2, regia, posizione, durata, datau, trama };
    // A text field of a record as it is.
    static std::string_view textOf(const dfilm& r, Field f);

    RecordTable();

    int capacity() const { return static_cast<int>(m_rows.size()); }
    // Changes with every write, so derived data can tell when it is out of date. The values are
    // unique in the process: two tables share one only when one is a copy of the other.
    std::uint64_t generation() const { return m_generation; }
    // A row never written reads as an empty record. A loaded line becomes a record of its own.
    const dfilm& row(int i) const;
    // One field of row i, without making it a record.
    std::string_view text(int i, Field f) const;
    // The eight texts from titolo to datau of row i, and its arrival, from one pass over the
    // start of its line.
    void texts(int i, std::string_view (&out)[8], double& dataa) const;
    double dataa(int i) const;
    double dimmb(int i) const;
    // Appends row i's archive line (without its line end).
    void formatLine(int i, const RegionalSettings& rs, std::string& out) const;
    // For writing: grows the table when needed and unshares the row (a copy when shared).
    dfilm& edit(int i);
    void put(int i, Row record);
    // Rows r, r+1, ... become the lines starting at these places of the block; each line must
    // convert, and its fields must be its tab-separated pieces (the parser's window cuts none).
    void putLines(int r, const std::shared_ptr<const LoadedLines>& block, const std::vector<const char*>& lines);
    // Asks the memory system for row i's record ahead of its use (a hint, never required).
    void prefetch(int i) const
    {
        if (i >= 1 && i <= capacity())
            if (const void* p = m_rows[static_cast<std::size_t>(i - 1)].address())
                __builtin_prefetch(p);
    }
    // Row i becomes a copy of row j of another table (or this one).
    void copyRow(int i, const RecordTable& from, int j);
    void reserveRows(int n);
    // Rows 1..n take the rows order[0], order[1], ... (slot numbers, a permutation of 1..n).
    void reorder(const std::vector<int>& order);
    // Copies every row, the stale ones above the count included.
    void copyAllFrom(const RecordTable& other);
    // A table holding copies of rows 1..n only (sharing their records).
    static RecordTable firstRows(const RecordTable& from, int n);

private:
    struct Owned;
    // One row in a word: empty, a shared record of its own, or the start of a loaded line.
    class Slot
    {
    public:
        Slot() = default;
        static Slot record(dfilm&& film);
        static Slot line(const char* start);
        Slot(const Slot& other);
        Slot(Slot&& other) noexcept : m_v(other.m_v) { other.m_v = 0; }
        Slot& operator=(Slot other) noexcept
        {
            std::swap(m_v, other.m_v);
            return *this;
        }
        ~Slot();

        bool empty() const { return m_v == 0; }
        const char* line() const { return (m_v & 1) ? reinterpret_cast<const char*>(static_cast<std::uintptr_t>(m_v >> 1)) : nullptr; }
        Owned* owned() const { return (m_v && !(m_v & 1)) ? reinterpret_cast<Owned*>(static_cast<std::uintptr_t>(m_v)) : nullptr; }
        bool shared() const;
        const void* address() const
        {
            return (m_v & 1) ? static_cast<const void*>(line())
                             : reinterpret_cast<const void*>(static_cast<std::uintptr_t>(m_v));
        }

    private:
        std::uint64_t m_v = 0;
    };

    static std::uint64_t freshGeneration();
    const LoadedLines& blockOf(const char* line) const;
    void keepBlockOf(const RecordTable& from, const char* line);
    // Row i as a record of its own (a loaded line is parsed into one).
    Owned& ownedRow(int i) const;

    mutable std::vector<Slot> m_rows;
    // The blocks the line rows of this table lie in.
    std::vector<std::shared_ptr<const LoadedLines>> m_blocks;
    std::uint64_t m_generation = freshGeneration();
};
