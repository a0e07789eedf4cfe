#include "core/print/MaterialsPrintout.h"

#include "core/materials/MaterialBrowsing.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <array>

namespace tintora {

namespace {

using enum TextStyle;

constexpr int HeadingLines = 8;
constexpr int NameColumn = 13;
constexpr std::size_t NameWidth = 22;
constexpr int FieldWidth = 10;
constexpr std::size_t FolderWidth = 60;
// The first line's four numbers end where the second line's last four end.
constexpr std::array<int, 4> FirstLineFields{36, 46, 56, 66};
constexpr std::array<int, 6> SecondLineFields{16, 26, 36, 46, 56, 66};

std::string headingLine(const std::vector<std::pair<int, std::string_view>>& leftTexts,
    const std::vector<std::string_view>& fieldTexts, const int* fields)
{
    std::string line(PrintoutColumns, ' ');
    for (const auto& [column, text] : leftTexts)
        line.replace(static_cast<std::size_t>(column), text.size(), text);
    for (std::size_t i = 0; i < fieldTexts.size(); ++i)
        line.replace(static_cast<std::size_t>(fields[i] + FieldWidth) - fieldTexts[i].size(), fieldTexts[i].size(),
            fieldTexts[i]);
    return line;
}

// A long folder keeps its end, which names it.
std::string shownFolder(const std::string& folder)
{
    const std::size_t length = utf8Length(folder);
    if (length <= FolderWidth)
        return folder;
    return "..." + folder.substr(utf8Prefix(folder, length - (FolderWidth - 3)).size());
}

PrintPage materialsHeading(const MaterialsHeading& heading, std::size_t count, int pageNumber)
{
    return {
        {0, 22, BoldUnderline, "M A T E R I A L S  P R I N T O U T"},
        {2, 0, Bold, "FOLDER: "},
        {2, 8, Regular, shownFolder(heading.folderText)},
        {2, 71, Bold, pageNumberText(pageNumber)},
        {3, 0, Bold, "DATE:"},
        {3, 7, Regular, heading.dateText},
        {3, 50, Bold, "MATERIALS:"},
        {3, 61, Regular, formatFixed(static_cast<double>(count), 0)},
        {5, 0, Bold,
            headingLine({{0, "CODE"}, {NameColumn, "NAME"}}, {"SPEC", "LB/GAL", "COST/LB", "COST/GAL"},
                FirstLineFields.data())},
        {6, 0, Bold,
            headingLine({}, {"Vol_Wt", "Pig_Wt", "Voc_Wt", "Vol_Vol", "Pig_Vol", "Voc_Vol"}, SecondLineFields.data())},
        {7, 0, Regular, std::string(PrintoutColumns, '-')},
    };
}

DrawText field(int column, double value)
{
    return {0, column, Regular, formatField(value, 3, FieldWidth, FieldWidth)};
}

PrintBlock entryBlock(const MaterialListEntry& entry)
{
    // The code is drawn last, so that a long code stays whole.
    if (!entry.material)
        return {{{{0, NameColumn, Regular, "(cannot be read)"}, {0, 0, Regular, entry.code}}}};
    const Material& m = *entry.material;
    const RowMaterialProps& p = m.props;
    PrintLine first{{0, NameColumn, Regular, shortenedText(m.Name, NameWidth)}, field(FirstLineFields[0], p.Spec),
        field(FirstLineFields[1], poundsPerGallon(m)), field(FirstLineFields[2], p.Cost),
        field(FirstLineFields[3], costPerGallon(m)), {0, 0, Regular, entry.code}};
    PrintLine second;
    const std::array<double, 6> fractions{p.Vol_Wt, p.Pig_Wt, p.Voc_Wt, p.Vol_Vol, p.Pig_Vol, p.Voc_Vol};
    for (std::size_t i = 0; i < fractions.size(); ++i)
        second.push_back(field(SecondLineFields[i], fractions[i]));
    return {{std::move(first), std::move(second)}};
}

std::string withoutExtension(const std::string& caption)
{
    return caption.size() >= 3 ? caption.substr(0, caption.size() - 3) : caption;
}

}  // namespace

std::vector<MaterialListEntry> readMaterialList(const std::filesystem::path& folder)
{
    std::vector<MaterialListEntry> entries;
    for (const ListedFile& file : listMaterialFolder(folder)) {
        MaterialListEntry entry{withoutExtension(file.caption), std::nullopt};
        if (!file.folder)
            entry.material = loadMaterial(folder / file.name);
        entries.push_back(std::move(entry));
    }
    return entries;
}

double poundsPerGallon(const Material& material)
{
    return material.props.Spec * WaterPoundsPerGallon;
}

double costPerGallon(const Material& material)
{
    return material.props.Cost * poundsPerGallon(material);
}

std::vector<PrintPage> MaterialsPrintPages(
    const std::vector<MaterialListEntry>& entries, const MaterialsHeading& heading, int linesPerPage)
{
    std::vector<PrintBlock> blocks;
    blocks.reserve(entries.size());
    for (const MaterialListEntry& entry : entries)
        blocks.push_back(entryBlock(entry));
    const PageHeading pageHeading = [&](int page) { return materialsHeading(heading, entries.size(), page); };
    return paginate(pageHeading, HeadingLines, blocks, linesPerPage);
}

}  // namespace tintora
