#include "core/materials/MaterialBrowsing.h"

#include "core/materials/MaterialFile.h"
#include "core/text/IniFile.h"
#include "core/text/NumberText.h"
#include "core/text/TextEncoding.h"

#include <algorithm>
#include <system_error>

namespace tintora {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view ListPatternExtension = ".rm";

bool matchesPattern(std::string_view name)
{
    return name.size() >= ListPatternExtension.size()
        && equalsIgnoringAsciiCase(name.substr(name.size() - ListPatternExtension.size()), ListPatternExtension);
}

}  // namespace

std::vector<ListedFile> listMaterialFolder(const fs::path& folder)
{
    struct Entry {
        std::string key;  // the caption in lower case, the sort key
        ListedFile file;
    };
    std::vector<Entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().native();
        if (!matchesPattern(name))
            continue;
        std::error_code typeError;
        const bool isFolder = it->is_directory(typeError);
        std::string caption = decodeFileText(name);
        std::string key = asciiLower(caption);
        entries.push_back({std::move(key), {std::move(name), std::move(caption), isFolder}});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.key != b.key)
            return a.key < b.key;
        if (a.file.caption != b.file.caption)
            return a.file.caption < b.file.caption;
        return a.file.name < b.file.name;
    });
    std::vector<ListedFile> items;
    items.reserve(entries.size());
    for (Entry& e : entries)
        items.push_back(std::move(e.file));
    return items;
}

std::vector<ListedFile> listMaterialFiles(const fs::path& folder)
{
    std::vector<ListedFile> items = listMaterialFolder(folder);
    std::erase_if(items, [](const ListedFile& item) { return item.folder || item.name.starts_with('.'); });
    return items;
}

std::optional<std::size_t> findListItem(const std::vector<ListedFile>& items, std::string_view caption)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (equalsIgnoringAsciiCase(items[i].caption, caption))
            return i;
    return std::nullopt;
}

std::optional<std::size_t> startItem(const std::vector<ListedFile>& items, std::string_view code)
{
    if (code.empty())
        return std::nullopt;
    return findListItem(items, std::string(code) + std::string(ListPatternExtension));
}

std::optional<std::size_t> itemForFileBox(
    const std::vector<ListedFile>& items, std::string_view text, std::optional<std::size_t> chosen)
{
    if (chosen && *chosen < items.size() && equalsIgnoringAsciiCase(items[*chosen].caption, text))
        return chosen;
    return findListItem(items, text);
}

MaterialView readMaterialView(const fs::path& folder, std::string_view fileName)
{
    if (!MaterialFiles::codeNamesAFile(fileName))
        return {};
    const fs::path file = folder / fs::path(std::string(fileName));
    const IniFile ini = readMaterialIni(file);
    MaterialView view;
    // materialOf turns a missing name into "No Name"; the editor shows it empty.
    view.name = asciiLower(ini.readString(MaterialSection, "Name", ""));
    view.props = materialOf(ini).props;
    return view;
}

ScreenPoint materialEditorPosition(ScreenPoint mainTopLeft, int dialogWidth, int dialogHeight, const ScreenArea& screen)
{
    return keepOnScreen({mainTopLeft.x + 60, mainTopLeft.y + 50}, dialogWidth, dialogHeight, screen);
}

bool reloadsAfterMaterialEditor(bool autoReload, const fs::path& formulaPath)
{
    if (!autoReload || formulaPath.empty())
        return false;
    std::error_code ec;
    return fs::is_regular_file(formulaPath, ec);
}

}  // namespace tintora
