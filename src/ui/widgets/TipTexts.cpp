#include "ui/widgets/TipTexts.h"

QStringList tipOfTheDayTexts()
{
    return {
        QStringLiteral("If you are a FIRST TIME USER, you can click the \"Next\" button to get some helpful hints to "
                       "get you started. "),
        QStringLiteral("You can get these tips at anytime by selecting \"Tip of the Day...\" from the Help menu."),
        QStringLiteral("You can add new Materials at any time by clicking the right most button on the Button Bar."),
        QStringLiteral("You can add a Material to any Formula by simply clicking the little down arrow that appears in "
                       "cells under the column \"Material\"."),
        QStringLiteral("The little check boxes in the first column are for selecting what Materials you will be using "
                       "to Recalculate with."),
        QStringLiteral("There is a button called \"Mark All\" which will select all your Materials if you want to "
                       "resize your whole formula."),
        QStringLiteral("There is a pop-up calculator in the weight and volume columns that is available anytime there "
                       "is a material in that row."),
        QStringLiteral("There are 36 rows in the Table, if you use the Scroll Bar on the right most side of the Table "
                       "you can move up or down the rows."),
        QStringLiteral("You can add a note to any blank row in your Formula by simply double clicking on that row "
                       "under the column marked \"Description\"."),
        QStringLiteral(
            "You can save special information about your Formula by selecting Properties from the File Menu, Try it. "),
        QStringLiteral("You can protect a Formula from being changed by selecting \"Standards Protection\" in the "
                       "Formula Properties Dialog."),
        QStringLiteral("You can insert or delete a row by selecting the Insert Row Button or the Delete Row Button "
                       "from the Button Bar."),
        QStringLiteral("You can choose to view your Formula's percents in weight or volume by selecting \"Flip "
                       "Percents\" from the Table Menu. "),
        QStringLiteral("That double clicking in the box labeled \"Weight\" or any other properties box will start a "
                       "recalculation."),
        QStringLiteral("By selecting \"Folders\" from the Options menu you can change where your Formulas and your "
                       "Materials are stored."),
        QStringLiteral("If you press the \"Excel Out\" button from the Button Bar your complete formula will be copied "
                       "to the clipboard for pasting into Excel."),
        QStringLiteral("There are three printouts available, a Laboratory printout, a Batch Ticket printout and a "
                       "Materials printout."),
        QStringLiteral("You can drag and drop files from the Windows explorer onto the table to open them."),
        QStringLiteral("That the table can be stretched out by clicking and holding the bottom right corner of the "
                       "program with the mouse and dragging down."),
        QStringLiteral("That by pressing F1 at anytime puts you into the help screen."),
    };
}
