#pragma once
// The grid-editing state the main window keeps beside the sheet for the
// whole run: the one-row clipboard, the text a cell had on arrival, the cell
// of the previous click and whether a mouse button is held over the grid.
// The window owns one GridEditState next to its FormulaSheet and passes it to
// the typing rules (GridTyping.h) and the row commands (RowCommands.h).
#include <string>

namespace tintora {

// The row held by Cut and Copy; it lives only inside the running window.
struct ClipboardRow {
    bool Marked = false;  // the mark of the row that was cut or copied
    std::string Material;  // its code as the Material cell showed it
    std::string Weight;  // its Weight cell as shown, blanks of the "%8.3f" form included

    // Paste and Add do nothing while there is no code.
    bool empty() const { return Material.empty(); }
    bool operator==(const ClipboardRow&) const = default;
};

struct GridEditState {
    ClipboardRow RowClipboard;
    // What the current cell held when it was last clicked or selected; Escape puts it back.
    std::string SavedCellText;
    // The cell of the previous click or cell change; 0, 0 before the first one.
    int PreviousCol = 0;
    int PreviousRow = 0;
    // Set by the window from mouse press to release over the grid; no small
    // button is shown meanwhile (see dropButtonFor).
    bool GridMouseDown = false;
};

}  // namespace tintora
