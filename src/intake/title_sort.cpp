#include "title_sort.h"

#include "base/middle_pivot_sort.h"
#include "base/parallel.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// A title's key lives in one shared buffer; its first eight bytes, big-endian and zero-padded,
// decide most comparisons without leaving the item.
struct Item
{
    std::uint64_t head;
    std::size_t offset;
    std::uint32_t length;
    int from;
};

class Keys
{
public:
    explicit Keys(const std::string& buffer) : m_data(buffer.data()) {}

    bool less(const Item& a, const Item& b) const
    {
        if (a.head != b.head)
            return a.head < b.head;
        return text(a) < text(b);
    }

private:
    std::string_view text(const Item& i) const { return {m_data + i.offset, i.length}; }
    const char* m_data;
};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Keys of rows lo..hi (1-based) into the buffer, which already holds their room.
void makeKeys(const RecordTable& table, int lo, int hi, std::string& buffer, std::vector<Item>& items)
{
    for (int k = lo; k <= hi; ++k) {
        table.prefetch(k + 8);
        Item& item = items[static_cast<std::size_t>(k - 1)];
        char* out = buffer.data() + item.offset;
        const std::string_view titolo = table.text(k, RecordTable::Field::titolo);
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < titolo.size(); ++i) {
            out[i] = lower(titolo[i]);
            if (i < 8)
                head |= static_cast<std::uint64_t>(static_cast<unsigned char>(out[i])) << (56 - 8 * i);
        }
        item.head = head;
        item.from = k;
    }
}

} // namespace

std::vector<int> titleSort(RecordTable& table, int count)
{
    std::vector<int> order;
    if (count < 1)
        return order;
    std::vector<Item> items(static_cast<std::size_t>(count));
    std::size_t total = 0;
    for (int k = 1; k <= count; ++k) {
        const std::size_t length = table.text(k, RecordTable::Field::titolo).size();
        items[static_cast<std::size_t>(k - 1)].offset = total;
        items[static_cast<std::size_t>(k - 1)].length = static_cast<std::uint32_t>(length);
        total += length;
    }
    std::string buffer(total, '\0');
    if (count < 20000) {
        makeKeys(table, 1, count, buffer, items);
    } else {
        const int half = count / 2;
        runBoth([&] { makeKeys(table, 1, half, buffer, items); },
                [&] { makeKeys(table, half + 1, count, buffer, items); });
    }
    const Keys keys(buffer);
    middlePivotSort(items, 0, count - 1, [&keys](const Item& a, const Item& b) { return keys.less(a, b); });
    order.reserve(items.size());
    for (const Item& item : items)
        order.push_back(item.from);
    table.reorder(order);
    return order;
}

void SortArchiveTable(ArchiveModel& model) { titleSort(model.ArchiveTable, model.ArchiveCount); }

void SortIntakeTable(IntakeModel& intake)
{
    const std::vector<int> order = titleSort(intake.IntakeTable, intake.IntakeCount);
    std::vector<std::string> names;
    std::vector<bool> associated;
    names.reserve(order.size());
    associated.reserve(order.size());
    for (int from : order) {
        names.push_back(intake.fileName(from));
        associated.push_back(intake.associated(from));
    }
    intake.FileNames = std::move(names);
    intake.Associated = std::move(associated);
}
