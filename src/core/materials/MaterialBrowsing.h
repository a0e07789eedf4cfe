#pragma once
// The rules of the material editor, a viewer of the material folder: which
// names its file list holds, which item a code or a typed file name stands
// for, what its boxes show for a file, where it opens, and whether the
// formula is read again after it closes. The dialog only maps events onto
// these.
#include "core/sheet/FormulaSheet.h"
#include "core/sheet/ScreenPlacement.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

// One name of the file list.
struct ListedFile {
    std::string name;  // as on disk (bytes), extension included
    std::string caption;  // what the list shows: the name as UTF-8, else read as Windows-1252
    bool folder = false;  // a folder whose name matches the pattern
    bool operator==(const ListedFile&) const = default;
};

// Every name in folder that matches "*.rm" (extension compared without regard
// to ASCII case), files and folders alike, hidden ones included, sorted by
// caption without regard to ASCII case (ties in byte order). A missing or
// unreadable folder gives an empty list.
std::vector<ListedFile> listMaterialFolder(const std::filesystem::path& folder);

// The drop-down list under a Material cell: the names and order above, files
// only, and no hidden names (beginning with a point), as a plain file list
// box shows them.
std::vector<ListedFile> listMaterialFiles(const std::filesystem::path& folder);

// The first item whose caption equals caption without regard to ASCII case.
std::optional<std::size_t> findListItem(const std::vector<ListedFile>& items, std::string_view caption);

// The item an opening starts on: the one for code + ".rm"; none for an empty code.
std::optional<std::size_t> startItem(const std::vector<ListedFile>& items, std::string_view code);

// The item the file name box stands for. The box forces lower case, so on a
// case-sensitive disk tio2.rm and TIO2.rm give the same text: the item last
// chosen in the list wins while the text still names it, else the first match.
std::optional<std::size_t> itemForFileBox(
    const std::vector<ListedFile>& items, std::string_view text, std::optional<std::size_t> chosen);

// What the editor shows for a file: its Name in lower case (empty when
// missing) and the eight numbers (0 when missing, empty or malformed).
struct MaterialView {
    std::string name;
    RowMaterialProps props;
    bool operator==(const MaterialView&) const = default;
};

// Reads folder/fileName. A name that would leave the folder reads as a missing file.
MaterialView readMaterialView(const std::filesystem::path& folder, std::string_view fileName);

// The editor opens 60 pixels right of and 50 below the main window's top-left
// corner, moved back onto the screen where it would pass an edge.
ScreenPoint materialEditorPosition(
    ScreenPoint mainTopLeft, int dialogWidth, int dialogHeight, const ScreenArea& screen);

// Whether the formula is read again from its file after the editor closed:
// only with Auto Reload checked, and only when there is a formula file to
// read. An untitled sheet, or one whose file has gone, would otherwise be
// emptied, losing the rows the user composed.
bool reloadsAfterMaterialEditor(bool autoReload, const std::filesystem::path& formulaPath);

}  // namespace tintora
