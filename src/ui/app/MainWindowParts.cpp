#include "ui/app/MainWindowParts.h"

#include "core/calc/MissingMaterials.h"
#include "core/formulas/FormulaFile.h"
#include "ui/app/FolderSettings.h"
#include "ui/app/TfrmAbout.h"
#include "ui/widgets/FormulaGridLayout.h"
#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TMRUFileList.h"
#include "ui/widgets/TSuperGrid.h"
#include "ui/widgets/TTipDialog.h"
#include "ui/widgets/TTipWindow.h"
#include "ui/widgets/TipTexts.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>

QFrame* sunkenLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Panel3"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(2);
    return line;
}

TSuperGrid* createFormulaGrid(QWidget* parent)
{
    auto* grid = new TSuperGrid(parent);
    grid->setObjectName(QStringLiteral("Grid1"));
    grid->setAccessibleName(QStringLiteral("Formula"));
    grid->setProperty("HelpContext", 100);
    applyFormulaGridLayout(*grid);
    return grid;
}

void configureStatusBar(QStatusBar& bar)
{
    bar.setObjectName(QStringLiteral("StatusBar"));
    bar.setFixedHeight(19);
    bar.setSizeGripEnabled(false);
    bar.setProperty("HelpContext", 110);
}

void showMissingMaterials(QStatusBar& bar, const tintora::FormulaSheet& sheet)
{
    auto* notice = bar.findChild<QLabel*>(QStringLiteral("MissingMaterials"));
    if (!notice) {
        notice = new QLabel(&bar);
        notice->setObjectName(QStringLiteral("MissingMaterials"));
        bar.addPermanentWidget(notice);
    }
    const std::string text = tintora::missingMaterialsNotice(tintora::rowsWithMissingMaterial(sheet).size());
    notice->setText(QString::fromStdString(text));
    notice->setVisible(!text.empty());
}

TMRUFileList* createRecentFilesList(QWidget* parent, QMenu* fileMenu, QAction* after)
{
    auto* list = new TMRUFileList(parent);
    list->setMaximum(5);
    // The document drops an entry only when its file fails to open.
    list->setRemoveOnClick(false);
    list->setUseSubmenu(false);
    list->setSubmenuName(QStringLiteral("Reopen"));
    list->setAutoSave(true);
    list->setAutoSaveName(QStringLiteral("\\Vantrel"));
    list->setAutoSaveKey(QStringLiteral("MRU"));
    list->setFileMenu(fileMenu, after);
    list->SetUp();
    return list;
}

QString recentFileLocation(const QString& entry, const QString& formulaFolder)
{
    return fromLocalPath(tintora::recentFilePath(localFileName(entry), localFileName(formulaFolder)));
}

void rememberRecentFile(TMRUFileList& list, const QString& path, const QString& formulaFolder)
{
    const QString file = QDir::cleanPath(path);
    const QStringList entries = list.Items();
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        const QString named = recentFileLocation(entries[i], formulaFolder);
        if (entries[i] != path && QDir::cleanPath(named) == file)
            list.RemoveItem(static_cast<int>(i));
    }
    list.AddItem(path);
}

void anchorRecentFiles(TMRUFileList& list, const QString& formulaFolder)
{
    const QStringList entries = list.Items();
    QStringList anchored;
    for (const QString& entry : entries)
        anchored << recentFileLocation(entry, formulaFolder);
    if (anchored == entries)
        return;
    list.Clear();
    // Added from the last up, so that each keeps its place.
    for (qsizetype i = anchored.size() - 1; i >= 0; --i)
        list.AddItem(anchored[i]);
}

void forgetRecentFile(TMRUFileList& list, const QString& path, const QString& formulaFolder)
{
    const QString file = QDir::cleanPath(path);
    const QStringList entries = list.Items();
    for (qsizetype i = entries.size() - 1; i >= 0; --i)
        if (QDir::cleanPath(recentFileLocation(entries[i], formulaFolder)) == file)
            list.RemoveItem(static_cast<int>(i));
}

TTipDialog* createTipDialog(QWidget* parent, TfrmAbout* splash)
{
    auto* tips = new TTipDialog(parent);
    tips->setTipDialogCaption(QStringLiteral("Tip of the Day"));
    tips->setButtonNextCaption(QStringLiteral("&Next"));
    tips->setButtonCloseCaption(QStringLiteral("&Close"));
    tips->setColor(Qt::white);
    tips->setQuestionCaption(QStringLiteral("Did you know this?"));
    tips->setOnAtStartCaption(QStringLiteral("Show tips next time?"));
    tips->setTips(tipOfTheDayTexts());
    // The splash stays on top of every window; the tip window shown while it is
    // still up must be above it, or the splash would cover it.
    QObject::connect(tips, &TTipDialog::OnExecute, tips, [splash](TTipDialog* dialog) {
        TTipWindow* window = dialog->TipWindow();
        if (splash && splash->isVisible())
            window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        // A window of its own (no parent to inherit a topic from): F1 opens the tips' topic.
        window->setProperty("HelpContext", QStringLiteral("tips"));
        // Shown from the menu too, the box shows the answer kept, not "yes".
        window->setOnAtStart(tipsAtStart());
    });
    QObject::connect(
        tips, &TTipDialog::OnExecuted, tips, [](TTipDialog*, bool showNextTime) { keepTipsAtStart(showNextTime); });
    return tips;
}

namespace {

// Beside the recent files ("MRU"), in the settings of the organisation.
const QString TipsAtStartKey = QStringLiteral("Tips/ShowAtStart");

}  // namespace

bool tipsAtStart()
{
    const std::unique_ptr<QSettings> settings = openProgramSettings();
    return !settings || settings->value(TipsAtStartKey, true).toBool();
}

void keepTipsAtStart(bool showNextTime)
{
    if (const std::unique_ptr<QSettings> settings = openProgramSettings())
        settings->setValue(TipsAtStartKey, showNextTime);
}

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}
