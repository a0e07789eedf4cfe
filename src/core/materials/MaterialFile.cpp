#include "core/materials/MaterialFile.h"

#include "core/materials/MaterialKeys.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <array>
#include <system_error>
#include <unordered_set>

#include <sys/stat.h>

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

namespace {

// The byte strings a code may name its file by: its text, and its
// Windows-1252 bytes where they differ, since a code is text read from a
// file (UTF-8 after reading) while a name on disk is whatever bytes its
// writer used.
std::vector<std::string> spellings(std::string_view code)
{
    std::vector<std::string> names{std::string(code)};
    if (auto legacy = utf8ToWindows1252(code); legacy && *legacy != code)
        names.push_back(std::move(*legacy));
    return names;
}

std::string lowerFileName(const std::string& spelling)
{
    return asciiLower(spelling + std::string(MaterialExtension));
}

}  // namespace

// The exact name, then the name in lower case, for each spelling in turn.
std::optional<fs::path> MaterialFiles::lookUpByName(const std::vector<std::string>& names) const
{
    for (const std::string& name : names) {
        const std::string exact = name + std::string(MaterialExtension);
        if (isRegularFile(folder_ / exact))
            return folder_ / exact;
        const std::string lower = asciiLower(exact);
        if (lower != exact && isRegularFile(folder_ / lower))
            return folder_ / lower;
    }
    return std::nullopt;
}

std::optional<fs::path> MaterialFiles::lookUp(std::string_view code) const
{
    if (!codeNamesAFile(code))
        return std::nullopt;
    const std::vector<std::string> names = spellings(code);
    if (auto byName = lookUpByName(names))
        return byName;
    return findInListing(names);
}

void MaterialFiles::findAll(const std::vector<std::string>& codes) const
{
    std::unordered_set<std::string> wanted;  // lower-case file names the listing must answer
    std::vector<std::string> waiting;  // the codes that need it
    for (const std::string& code : codes) {
        if (found_.contains(code))
            continue;
        if (!codeNamesAFile(code)) {
            found_[code] = std::nullopt;
            continue;
        }
        const std::vector<std::string> names = spellings(code);
        if (auto byName = lookUpByName(names)) {
            found_[code] = std::move(byName);
        } else if (listing_) {
            found_[code] = findInListing(names);
        } else {
            for (const std::string& name : names)
                wanted.insert(lowerFileName(name));
            waiting.push_back(code);
        }
    }
    if (waiting.empty())
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
        if (!wanted.contains(key))
            continue;
        auto [entry, added] = best.try_emplace(key, fileName);
        if (!added && fileName < entry->second)
            entry->second = fileName;
    }
    for (const std::string& code : waiting) {
        std::optional<fs::path>& file = found_[code];
        for (const std::string& name : spellings(code)) {
            const auto match = best.find(lowerFileName(name));
            if (match != best.end() && isRegularFile(folder_ / match->second)) {
                file = folder_ / match->second;
                break;
            }
        }
    }
}

std::optional<fs::path> MaterialFiles::findInListing(const std::vector<std::string>& names) const
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
    for (const std::string& name : names) {
        const auto found = listing_->find(lowerFileName(name));
        if (found != listing_->end() && isRegularFile(folder_ / found->second))
            return folder_ / found->second;
    }
    return std::nullopt;
}

const Material* MaterialFiles::material(std::string_view code) const
{
    const auto file = find(code);
    if (!file)
        return nullptr;
    auto [entry, added] = byName_.try_emplace(*file, nullptr);
    if (added)
        entry->second = &readOnce(*file);
    return *entry->second ? &**entry->second : nullptr;
}

// A folder may reach one file under several names (aliases as links); the
// file is read once for all of them.
const std::optional<Material>& MaterialFiles::readOnce(const fs::path& file) const
{
    static const std::optional<Material> missing;
    struct stat st { };
    if (::stat(file.c_str(), &st) != 0)
        return missing;
    auto [entry, added] = byFile_.try_emplace({st.st_dev, st.st_ino});
    if (added)
        entry->second = loadMaterial(file);
    return entry->second;
}

const IniSectionNames& materialSections()
{
    static const IniSectionNames sections{MaterialSection};
    return sections;
}

IniFile readMaterialIni(const fs::path& file)
{
    return IniFile::read(file, MaxMaterialFileBytes, materialSections());
}

std::optional<Material> loadMaterial(const fs::path& file)
{
    const IniFileRead read = IniFile::load(file, MaxMaterialFileBytes, materialSections());
    if (read.status != IniReadStatus::Read)
        return std::nullopt;
    return materialOf(read.contents);
}

Material materialOf(const IniFile& ini)
{
    Material material;
    material.Name = ini.readString(MaterialSection, "Name", "");
    if (material.Name.empty())
        material.Name = DefaultMaterialName;
    for (const MaterialPropertyKey& k : MaterialReadOrder)
        material.props.*k.field = numberFromText(ini.readString(MaterialSection, k.key, ""));
    // An optional key that is empty or no number has no value.
    for (const OptionalMaterialKey& k : OptionalMaterialKeys)
        if (const std::optional<std::string> text = ini.value(MaterialSection, k.key))
            material.props.*k.field = parseNumberText(*text);
    return material;
}

Material readMaterial(const fs::path& file)
{
    return loadMaterial(file).value_or(Material{});
}

void MaterialLoad(FormulaSheet& sheet, int rowNumber, const MaterialFiles& files)
{
    SheetRow& row = sheet.row(rowNumber);
    if (const Material* material = files.material(row.cells[FormulaSheet::index(Column::Material)])) {
        row.cells[FormulaSheet::index(Column::Description)] = fCase(material->Name);
        row.props = material->props;
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
