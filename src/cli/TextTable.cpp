#include "TextTable.h"

#include <algorithm>
#include <cstddef>

namespace tintora::report {

namespace {

// Characters, not bytes: descriptions carry accents.
std::size_t displayWidth(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string line(const std::vector<std::string>& cells, const std::vector<TextColumn>& columns,
    const std::vector<std::size_t>& widths)
{
    std::string out;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::string& cell = c < cells.size() ? cells[c] : std::string();
        const std::string padding(widths[c] - displayWidth(cell), ' ');
        if (c > 0)
            out += "  ";
        out += columns[c].align == Align::Left ? cell + padding : padding + cell;
    }
    out.erase(out.find_last_not_of(' ') + 1);
    return out + "\n";
}

}  // namespace

TextTable::TextTable(std::vector<TextColumn> columns)
    : columns_(std::move(columns))
{
}

void TextTable::add(std::vector<std::string> cells)
{
    rows_.push_back(std::move(cells));
}

std::string TextTable::render() const
{
    std::vector<std::size_t> widths;
    std::vector<std::string> titles;
    for (const TextColumn& column : columns_) {
        widths.push_back(displayWidth(column.title));
        titles.push_back(column.title);
    }
    for (const auto& row : rows_)
        for (std::size_t c = 0; c < std::min(row.size(), widths.size()); ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    std::string out = line(titles, columns_, widths);
    for (const auto& row : rows_)
        out += line(row, columns_, widths);
    return out;
}

}  // namespace tintora::report
