#include "materials/MaterialFile.h"

#include "materials/MaterialKeys.h"
#include "text/IniFile.h"
#include "text/NumberText.h"

#include <array>
#include <system_error>

namespace tintora {

namespace fs = std::filesystem;

namespace {

bool isRegularFile(const fs::path& p)
{
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

}  // namespace

MaterialFiles::MaterialFiles(fs::path folder)
    : folder_(std::move(folder))
{
}

bool MaterialFiles::codeNamesAFile(std::string_view code)
{
    return !code.empty() && code != "." && code != ".." && code.find('/') == std::string_view::npos
        && code.find('\0') == std::string_view::npos;
}

std::optional<fs::path> MaterialFiles::find(std::string_view code) const
{
    if (const auto known = found_.find(code); known != found_.end())
        return known->second;
    return found_[std::string(code)] = lookUp(code);
}

// The exact name, then the name in lower case; lowerName receives the latter.
std::optional<fs::path> MaterialFiles::lookUpByName(std::string_view code, std::string& lowerName) const
{
    const std::string exact = std::string(code) + std::string(MaterialExtension);
    if (isRegularFile(folder_ / exact))
        return folder_ / exact;
    lowerName = asciiLower(exact);
    if (lowerName != exact && isRegularFile(folder_ / lowerName))
        return folder_ / lowerName;
    return std::nullopt;
}

std::optional<fs::path> MaterialFiles::lookUp(std::string_view code) const
{
    if (!codeNamesAFile(code))
        return std::nullopt;
    std::string lower;
    if (auto byName = lookUpByName(code, lower))
        return byName;
    return findInListing(lower);
}

void MaterialFiles::findAll(const std::vector<std::string>& codes) const
{
    // lower-case file name -> the codes that need the folder listing for it
    std::unordered_map<std::string, std::vector<std::string>> pending;
    for (const std::string& code : codes) {
        if (found_.contains(code))
            continue;
        std::string lower;
        if (!codeNamesAFile(code))
            found_[code] = std::nullopt;
        else if (auto byName = lookUpByName(code, lower))
            found_[code] = std::move(byName);
        else if (listing_)
            found_[code] = findInListing(lower);
        else
            pending[lower].push_back(code);
    }
    if (pending.empty())
        return;
    // One pass over the folder, keeping only the names asked for.
    std::unordered_map<std::string, std::string> best;
    std::error_code ec;
    std::string key;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string& name = it->path().native();
        const std::string_view fileName = std::string_view(name).substr(name.find_last_of('/') + 1);
        key.assign(fileName);
        for (char& c : key)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (!pending.contains(key))
            continue;
        auto [entry, added] = best.try_emplace(key, fileName);
        if (!added && fileName < entry->second)
            entry->second = fileName;
    }
    for (const auto& [lower, waiting] : pending) {
        const auto match = best.find(lower);
        std::optional<fs::path> file;
        if (match != best.end() && isRegularFile(folder_ / match->second))
            file = folder_ / match->second;
        for (const std::string& code : waiting)
            found_[code] = file;
    }
}

std::optional<fs::path> MaterialFiles::findInListing(const std::string& lowerName) const
{
    if (!listing_) {
        listing_.emplace();
        std::error_code ec;
        for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            std::string key = asciiLower(name);
            if (!key.ends_with(MaterialExtension))
                continue;  // only material files can match a code
            const auto [entry, added] = listing_->try_emplace(std::move(key), name);
            if (!added && name < entry->second)
                entry->second = std::move(name);
        }
    }
    const auto found = listing_->find(lowerName);
    if (found == listing_->end() || !isRegularFile(folder_ / found->second))
        return std::nullopt;
    return folder_ / found->second;
}

Material readMaterial(const fs::path& file)
{
    const IniFile ini = IniFile::read(file);
    Material material;
    material.Name = ini.readString(MaterialSection, "Name", "");
    if (material.Name.empty())
        material.Name = DefaultMaterialName;
    for (const MaterialPropertyKey& k : MaterialReadOrder)
        material.props.*k.field = numberFromText(ini.readString(MaterialSection, k.key, ""));
    return material;
}

void MaterialLoad(FormulaSheet& sheet, int n, const MaterialFiles& files)
{
    SheetRow& row = sheet.row(n);
    const auto file = files.find(row.cells[FormulaSheet::index(Column::Material)]);
    if (file) {
        const Material material = readMaterial(*file);
        row.cells[FormulaSheet::index(Column::Description)] = fCase(material.Name);
        row.props = material.props;
        row.RowKind = true;
        return;
    }
    if (row.RowKind) {
        for (int c = 1; c < ColumnCount; ++c)
            row.cells[c].clear();
        row.props = {};
        row.RowKind = false;
    }
}

}  // namespace tintora
