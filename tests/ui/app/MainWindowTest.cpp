// The main window driven as a user would, offscreen, with the message boxes
// and the open dialog answered by the test.
#include "MainWindowFixture.h"
#include "core/formulas/FormulaFile.h"
#include "ui/app/ButtonBar.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/ProgramStart.h"
#include "ui/app/PropertiesPanel.h"
#include "ui/app/QtPrompter.h"
#include "ui/app/TfrmAbout.h"
#include "ui/app/TfrmMain.h"
#include "ui/app/TintoraApplication.h"
#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TExplorerButton.h"
#include "ui/widgets/TFnpNumericEdit.h"
#include "ui/widgets/TMRUFileList.h"
#include "ui/widgets/TSuperGrid.h"
#include "ui/widgets/TTipDialog.h"
#include "ui/widgets/TTipWindow.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <bit>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include <sys/stat.h>

using tintora::PropertyBox;
using tintora::testing::ScriptedSounds;
using tintora::testing::ShownMessage;
using tintora::testing::whenModalOpens;

namespace {

const QString DataFolder = QStringLiteral(TINTORA_TEST_DATA);

void forgetRecentFiles()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel")).remove(QStringLiteral("MRU"));
}

// Notes, from when it is made, whether a widget that `counts` has been painted.
class PaintsSeen : public QObject {
public:
    explicit PaintsSeen(std::function<bool(const QWidget&)> counts)
        : counts_(std::move(counts))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~PaintsSeen() override { QCoreApplication::instance()->removeEventFilter(this); }
    PaintsSeen(const PaintsSeen&) = delete;
    PaintsSeen& operator=(const PaintsSeen&) = delete;

    bool seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && counts_(*static_cast<QWidget*>(watched)))
            seen = true;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(const QWidget&)> counts_;
};

}  // namespace

class MainWindowTest : public QObject, tintora::testing::MainWindowFixture {
    Q_OBJECT

    QTemporaryDir elsewhere;

    std::unique_ptr<TfrmMain> makeWindow(TfrmAbout* splash = nullptr)
    {
        MainWindowServices services = scriptedServices();
        services.splash = splash;
        return newWindow(std::move(services));
    }

    QString cell(int col, int row) const { return window->Grid1()->Cells(col, row); }
    QString boxText(PropertyBox b) const { return window->properties()->box(b)->text(); }
    void open(const QString& path)
    {
        chooser.answers.push_back(path);
        window->menus().Open1->trigger();
    }
    QMenu* fileMenu() const { return window->findChild<QMenu*>(QStringLiteral("File1Menu")); }
    // Chooses the recent-files entry with this caption from the File menu.
    void chooseRecentFile(const QString& caption)
    {
        for (QAction* a : fileMenu()->actions())
            if (a->text() == caption) {
                a->trigger();
                return;
            }
        QFAIL(qPrintable(QStringLiteral("no entry ") + caption));
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }

private slots:
    void initTestCase()
    {
        copyMaterialsAndFormulas();
        tintora::testing::copyFiles(DataFolder + QStringLiteral("/formulas"), elsewhere.path());
        QFile::copy(
            DataFolder + QStringLiteral("/formulas/small.tfx"), elsewhere.path() + QStringLiteral("/only-here.tfx"));
    }

    void init()
    {
        forgetRecentFiles();
        resetScripts();
        window = makeWindow();
    }

    void cleanup() { window.reset(); }

    // The grid's model keeps the item-model rules through loads and row commands.
    void sheetModelKeepsTheModelRules()
    {
        QAbstractItemModelTester tester(
            window->Grid1()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        open(formulas() + QStringLiteral("/small.tfx"));
        window->Grid1()->setCurrentCell(1, 3);
        for (QAction* command :
            {window->menus().FlipPercents1, window->menus().RMInsert1, window->menus().RMDelete1, window->menus().New1})
            command->trigger();
        QVERIFY(!QTest::currentTestFailed());
    }

    void startsUntitledAndEmpty()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Tintora 2.31 - [][*]"));
        QCOMPARE(static_cast<TintoraApplication*>(QCoreApplication::instance())->applicationTitle(),
            QStringLiteral("Tintora 2.31 - []"));
        QVERIFY(window->FormulaPath().isEmpty());
        QCOMPARE(window->FormulaFolder(), formulas());
        QCOMPARE(window->MaterialFolder(), formulas());
        QVERIFY(!window->sheet().SheetModified);
        for (int row = 1; row <= tintora::SheetRowCount; ++row) {
            QCOMPARE(cell(0, row), QString::number(row));
            for (int col = 1; col < tintora::ColumnCount; ++col)
                QVERIFY(cell(col, row).isEmpty());
        }
        QCOMPARE(boxText(PropertyBox::WeightBox), QLocale().toString(0.0, 'f', 3));
        QCOMPARE(window->Grid1()->Col(), 1);
        QCOMPARE(window->Grid1()->Row(), 1);
    }

    void startsWithTheFixedSettings()
    {
        QCOMPARE(window->menus().About1->text(), QStringLiteral("&About Korvel..."));
        QVERIFY(window->menus().AutoReload1->isChecked());
        QVERIFY(!window->menus().FlipPercents1->isChecked());
        QVERIFY(window->tipDialog()->OnAtStart());
        QCOMPARE(window->height(), 486);
        QCOMPARE(window->width(), window->sizeRules().MinFormWidth);
        QCOMPARE(window->menus().Expand1->isChecked(), window->sizeRules().expandedAt(486));
        QVERIFY(!window->properties()->WtPanel()->isHidden());
        QVERIFY(window->properties()->VolPanel()->isHidden());
    }

    void startUpMovesTheSplashProgress()
    {
        TfrmAbout splash;
        QSignalSpy progress(splash.AboutBar(), &QProgressBar::valueChanged);
        window = makeWindow(&splash);
        QList<int> values;
        for (const auto& call : progress)
            values << call.at(0).toInt();
        QCOMPARE(values, (QList<int>{25, 50, 75, 100}));
    }

    // The tip comes when the main window has appeared, drawn, with the
    // splash still up.
    void programStartShowsTipsBeforeTheSplashIsHidden()
    {
        bool splashVisibleWithTips = false;
        bool tipsShown = false;
        PaintsSeen mainPainted([](const QWidget& w) { return qobject_cast<const TfrmMain*>(w.window()) != nullptr; });
        bool mainPaintedBeforeTips = false;
        const auto watch = whenModalOpens([&](QWidget& modal) {
            auto* tips = qobject_cast<TTipWindow*>(&modal);
            QVERIFY(tips);
            tipsShown = true;
            mainPaintedBeforeTips = mainPainted.seen;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<TfrmAbout*>(w) && w->isVisible())
                    splashVisibleWithTips = true;
            tips->close();
        });
        const auto program = startProgram(programFiles());
        QVERIFY(tipsShown);
        QVERIFY(splashVisibleWithTips);
        QVERIFY(mainPaintedBeforeTips);
        QVERIFY(!program->frmAbout->isVisible());
        QVERIFY(program->frmMain->isVisible());
        QVERIFY(program->frmAbout->AboutBar()->value() == 100);
    }

    // A window started by New Instance appears where its starter asked, a
    // cascade step from the starter's; the request is used once.
    void startsWhereNewInstanceAsks_data()
    {
        QTest::addColumn<QByteArray>("asked");
        QTest::addColumn<bool>("moved");
        QTest::newRow("asked") << QByteArray("130,240") << true;
        QTest::newRow("not a place") << QByteArray("130;240") << false;
    }
    void startsWhereNewInstanceAsks()
    {
        QFETCH(QByteArray, asked);
        QFETCH(bool, moved);
        QWidget started;
        started.move(10, 20);
        qputenv(PlaceAtVariable, asked);
        placeAsAsked(started);
        QCOMPARE(started.pos(), moved ? QPoint(130, 240) : QPoint(10, 20));
        QVERIFY(!qEnvironmentVariableIsSet(PlaceAtVariable));
    }

    // A formula named on the command line opens as Open opens it, after the
    // start with its tip of the day; a file that is no formula gets Open's message.
    void programStartOpensTheFormulaNamed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("opens");
        QTest::newRow("formula") << QStringLiteral("small.tfx") << true;
        QTest::newRow("material") << QStringLiteral("water.rm") << false;
        QTest::newRow("missing") << QStringLiteral("absent.tfx") << false;
    }
    void programStartOpensTheFormulaNamed()
    {
        QFETCH(QString, file);
        QFETCH(bool, opens);
        const QString path = formulas() + QLatin1Char('/') + file;
        forgetRecentFiles();
        QStringList modalsInOrder;
        std::function<void()> closeModals = [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                modalsInOrder << (box ? box->text() : QStringLiteral("tips"));
                modal->close();
            }
            if (modalsInOrder.size() < (opens ? 1 : 2))
                QTimer::singleShot(10, this, closeModals);
        };
        QTimer::singleShot(0, this, closeModals);
        const auto program = startProgram(programFiles(), path);
        const tintora::FormulaFileRead read = tintora::readFormulaFile(localPath(path));
        QStringList expected{QStringLiteral("tips")};
        if (!opens)
            expected << QString::fromStdString(tintora::formulaFileProblem(read.state, path.toStdString()));
        QCOMPARE(modalsInOrder, expected);
        QCOMPARE(program->frmMain->FormulaPath(), opens ? path : QString());
        QCOMPARE(program->frmMain->MRUList()->Items(), opens ? QStringList{path} : QStringList{});
    }

    // A settings file that is no regular file or too large is neither read
    // nor written by any part of the start, the tip window's choice included:
    // the start ends, and the file stays what it was.
    void startWithASettingsFileThatCannotServe_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"pipe", "link to a pipe", "folder", "huge"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void startWithASettingsFileThatCannotServe()
    {
        QFETCH(QString, kind);
        const QString file = mru::userSettingsFile(QStringLiteral("Vantrel"));
        const auto clear = [&] {
            QFile::remove(file);
            QDir(file).removeRecursively();
            QFile::remove(file + QStringLiteral(".pipe"));
        };
        clear();
        const auto cleanUp = qScopeGuard(clear);
        QDir().mkpath(QFileInfo(file).path());
        if (kind == QLatin1String("pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
        } else if (kind == QLatin1String("link to a pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(file + QStringLiteral(".pipe")).constData(), 0644), 0);
            QVERIFY(QFile::link(file + QStringLiteral(".pipe"), file));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(file));
        } else {
            QFile huge(file);
            QVERIFY(huge.open(QIODevice::WriteOnly));
            huge.write("[Tips]\nShowAtStart=false\n");
            QVERIFY(huge.resize(2 << 20));
        }
        const QFileInfo before(file);
        // Every box of the start (the tip window, the notice of the file) is closed as it comes.
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        closer.start(10);
        const auto program = startProgram(programFiles());
        QVERIFY(program->frmMain->isVisible());
        program->frmMain->close();
        const QFileInfo after(file);
        QCOMPARE(after.isFile(), before.isFile());
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.lastModified(), before.lastModified());
    }

    // Every entry of the menus struct exists once; the shortcuts users rely on
    // are in place and unambiguous; the entries not built yet stay disabled;
    // no menu offers one access key twice.
    void menusHoldTheirEntries()
    {
        const MainMenus& menus = window->menus();
        using Entries = std::array<const void*, sizeof(MainMenus) / sizeof(void*)>;
        static_assert(sizeof(MainMenus) % sizeof(void*) == 0, "the menus struct holds pointers only");
        const Entries entries = std::bit_cast<Entries>(menus);
        QVERIFY(std::ranges::none_of(entries, [](const void* e) { return e == nullptr; }));
        QCOMPARE(std::set<const void*>(entries.begin(), entries.end()).size(), entries.size());

        using Entry = QAction* MainMenus::*;
        const std::pair<Entry, QKeySequence> shortcuts[] = {
            {&MainMenus::New1, Qt::CTRL | Qt::Key_N},
            {&MainMenus::Open1, Qt::CTRL | Qt::Key_O},
            {&MainMenus::Save1, Qt::CTRL | Qt::Key_S},
            {&MainMenus::mCut, Qt::CTRL | Qt::Key_X},
            {&MainMenus::mCopy, Qt::CTRL | Qt::Key_C},
            {&MainMenus::mPaste, Qt::CTRL | Qt::Key_V},
            {&MainMenus::Add2, Qt::CTRL | Qt::Key_A},
            {&MainMenus::Find1, Qt::CTRL | Qt::Key_F},
            {&MainMenus::Contents1, Qt::Key_F1},
        };
        for (const auto& [entry, shortcut] : shortcuts) {
            const QAction* action = menus.*entry;
            QVERIFY2(action->shortcut() == shortcut && action->isEnabled(), qPrintable(action->objectName()));
        }
        for (Entry entry : {&MainMenus::Network1})
            QVERIFY2(!(menus.*entry)->isEnabled(), qPrintable((menus.*entry)->objectName()));
        for (Entry entry :
            {&MainMenus::Delete1, &MainMenus::CreateMaterial1, &MainMenus::UpdateMade1, &MainMenus::NewInstance1})
            QVERIFY2((menus.*entry)->isEnabled(), qPrintable((menus.*entry)->objectName()));

        QSet<QKeySequence> shortcutsSeen;
        const std::function<void(const QList<QAction*>&)> checkEntries = [&](const QList<QAction*>& actions) {
            QSet<QChar> accessKeys;
            for (const QAction* a : actions) {
                if (a->isSeparator())
                    continue;
                QVERIFY2(!a->text().isEmpty(), qPrintable(a->objectName()));
                const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
                if (amp >= 0) {
                    const QChar key = a->text().at(amp + 1).toLower();
                    QVERIFY2(!accessKeys.contains(key), qPrintable(a->text()));
                    accessKeys.insert(key);
                }
                if (!a->shortcut().isEmpty()) {
                    QVERIFY2(!shortcutsSeen.contains(a->shortcut()), qPrintable(a->text()));
                    shortcutsSeen.insert(a->shortcut());
                }
                if (a->menu())
                    checkEntries(a->menu()->actions());
            }
        };
        checkEntries(window->menuBar()->actions());
        checkEntries(menus.PopupMenu->actions());
    }

    void buttonsCarryTheirHints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("New") << "NewButton"
                             << "New" << true;
        QTest::newRow("Save") << "SaveButton"
                              << "Save" << true;
        QTest::newRow("Excel") << "CopyOutButton"
                               << "Excel Out" << true;
        QTest::newRow("Properties") << "btnProperties"
                                    << "Formula Properties" << true;
        QTest::newRow("Percent") << "ExplorerButton2"
                                 << "Percent Recalc" << true;
        QTest::newRow("Cost") << "CostButton"
                              << "Cost Recalc" << true;
        QTest::newRow("Solids") << "Solidsbutton"
                                << "Solids Recalc" << true;
        QTest::newRow("Flip") << "WtVolButton"
                              << "Flip Percents" << true;
        QTest::newRow("Materials") << "MaterialsButton"
                                   << "Edit Materials" << true;
    }
    void buttonsCarryTheirHints()
    {
        QFETCH(QString, name);
        const auto* b = window->findChild<TExplorerButton*>(name);
        QVERIFY(b);
        QTEST(b->Hint(), "hint");
        QTEST(b->isEnabled(), "enabled");
        QCOMPARE(b->height(), 22);
        QCOMPARE(b->width(), name == QLatin1String("MaterialsButton") ? 38 : 24);
    }

    // Each button stands for a command's action and follows its enabled
    // state; the context menu's entries follow the Edit menu's commands. One
    // click on a button or on a context-menu entry runs its command once.
    void buttonsAndPopupEntriesRunTheirCommandOnce()
    {
        const auto buttons = window->findChildren<TExplorerButton*>();
        QVERIFY(buttons.size() >= 20);
        for (TExplorerButton* b : buttons) {
            QAction* command = b->DefaultAction();
            QVERIFY2(command, qPrintable(b->objectName()));
            const bool enabled = command->isEnabled();
            QCOMPARE(b->isEnabled(), enabled);
            command->setEnabled(!enabled);
            QVERIFY2(b->isEnabled() == !enabled, qPrintable(b->objectName()));
            command->setEnabled(enabled);
        }
        const MainMenus& menus = window->menus();
        menus.mCut->setEnabled(false);
        QVERIFY(!menus.PopupCut->isEnabled());
        menus.mCut->setEnabled(true);
        QVERIFY(menus.PopupCut->isEnabled());

        open(formulas() + QStringLiteral("/small.tfx"));
        const QStringList materials{cell(1, 2), cell(1, 3)};
        window->Grid1()->setCurrentCell(1, 2);
        emit window->buttons().InsertButton->OnClick();
        QVERIFY(cell(1, 2).isEmpty());
        QCOMPARE(cell(1, 3), materials[0]);
        QCOMPARE(cell(1, 4), materials[1]);
        QSignalSpy cuts(menus.mCut, &QAction::triggered);
        window->Grid1()->setCurrentCell(1, 3);
        menus.PopupCut->trigger();
        QCOMPARE(cuts.count(), 1);
        QVERIFY(cell(1, 3).isEmpty());
        QCOMPARE(cell(1, 4), materials[1]);
    }

    // Assistive technology sees the grid as a table of the formula's rows and
    // columns, with their headers, each cell's text and the current cell; the
    // flat buttons as buttons named by their hints, pressed as a click is; the
    // property boxes named by their labels.
    void reachableByAssistiveTechnology()
    {
        open(formulas() + QStringLiteral("/small.tfx"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->Grid1()->setCurrentCell(3, 2);
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(window->Grid1());
        QVERIFY(grid && grid->tableInterface());
        QCOMPARE(grid->role(), QAccessible::Table);
        QAccessibleTableInterface* table = grid->tableInterface();
        QCOMPARE(table->rowCount(), tintora::SheetRowCount);
        QCOMPARE(table->columnCount(), tintora::ColumnCount - 1);
        QCOMPARE(table->columnDescription(0), QStringLiteral("Material"));
        QCOMPARE(table->columnDescription(4), QStringLiteral("W%"));
        QAccessibleInterface* water = table->cellAt(1, 0);
        QCOMPARE(water->text(QAccessible::Name), QStringLiteral("Water"));
        QCOMPARE(water->role(), QAccessible::Cell);
        QCOMPARE(grid->child(grid->indexOfChild(water)), water);
        QCOMPARE(water->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
            QStringLiteral("Material"));
        QCOMPARE(water->tableCellInterface()->rowHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("2"));
        QAccessibleInterface* weight = table->cellAt(1, 2);
        QCOMPARE(weight->text(QAccessible::Name), cell(3, 2));
        QCOMPARE(table->selectedCells(), QList<QAccessibleInterface*>{weight});
        QVERIFY(weight->state().selected && !water->state().selected);
        QVERIFY(!table->cellAt(-1, 0) && !table->cellAt(tintora::SheetRowCount, 0));

        QAccessibleInterface* save = QAccessible::queryAccessibleInterface(window->buttons().SaveButton);
        QCOMPARE(save->role(), QAccessible::Button);
        QCOMPARE(save->text(QAccessible::Name), QStringLiteral("Save"));
        QVERIFY(!QAccessible::queryAccessibleInterface(window->buttons().CopyOutButton)->state().disabled);
        QAccessibleInterface* flip = QAccessible::queryAccessibleInterface(window->buttons().WtVolButton);
        QVERIFY(flip->state().checkable && !flip->state().checked);
        flip->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(window->menus().FlipPercents1->isChecked());
        QVERIFY(flip->state().checked);

        QAccessibleInterface* box
            = QAccessible::queryAccessibleInterface(window->properties()->box(PropertyBox::PBBox));
        QCOMPARE(box->text(QAccessible::Name), QStringLiteral("P/B Ratio"));
        QCOMPARE(QAccessible::queryAccessibleInterface(window->properties()->NameBox())->text(QAccessible::Name),
            QStringLiteral("Name"));

        // The read-only boxes are values, not editable texts, and no two share a name.
        QSet<QString> names;
        for (int b = 0; b < tintora::PropertyBoxCount; ++b) {
            QAccessibleInterface* shown
                = QAccessible::queryAccessibleInterface(window->properties()->box(static_cast<PropertyBox>(b)));
            QVERIFY(!shown->state().editable && shown->state().readOnly && !shown->editableTextInterface());
            QCOMPARE(shown->text(QAccessible::Value), window->properties()->box(static_cast<PropertyBox>(b))->text());
            names.insert(shown->text(QAccessible::Name));
        }
        QCOMPARE(names.size(), tintora::PropertyBoxCount);
        QVERIFY(!grid->text(QAccessible::Name).isEmpty());
        QVERIFY(!QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(QStringLiteral("Drop1")))
                     ->text(QAccessible::Name)
                     .isEmpty());

        // A material row's mark is toggled through the interface and by Space
        // on its Description cell; a note's mark box is no check box to a reader.
        QAccessibleInterface* mark = water->tableCellInterface()->rowHeaderCells().value(0);
        QVERIFY(mark->state().checkable && !mark->state().checked);
        mark->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(window->sheet().row(2).marked && mark->state().checked);
        window->Grid1()->setFocus();
        window->Grid1()->setCurrentCell(2, 2);
        QTest::keyClick(window->Grid1(), Qt::Key_Space);
        QVERIFY(!window->sheet().row(2).marked);
        QCOMPARE(window->menus().Undo1->text(), QStringLiteral("&Undo Mark"));
        QAccessibleInterface* note = table->cellAt(0, 0)->tableCellInterface()->rowHeaderCells().value(0);
        QVERIFY(!note->state().checkable && note->actionInterface()->actionNames().isEmpty());
    }

    void openLoadsTheFormulaAndNamesItInTheCaption()
    {
        open(formulas() + QStringLiteral("/small.tfx"));
        QCOMPARE(chooser.foldersAndFilters, (QStringList{formulas(), QStringLiteral("Tintora Files (*.tfx)")}));
        QCOMPARE(window->windowTitle(), QStringLiteral("Tintora 2.31 - [small.tfx][*]"));
        QCOMPARE(window->properties()->NameBox()->text(), QStringLiteral("Small white latex"));
        QCOMPARE(cell(2, 1), QStringLiteral("Premix under slow agitation"));
        QCOMPARE(cell(1, 2), QStringLiteral("Water"));
        QCOMPARE(cell(3, 3), QStringLiteral(" 200.000"));
        QCOMPARE(cell(2, 7), QStringLiteral("Material not found"));
        QCOMPARE(boxText(PropertyBox::WeightBox), QStringLiteral("625.000"));
        QCOMPARE(window->properties()->box(PropertyBox::DensityBox)->Value(), std::optional(11.477));
        QVERIFY(window->FormulaProtected());
        QVERIFY(!window->sheet().SheetModified);
        QCOMPARE(window->MRUList()->Items(), QStringList{formulas() + QStringLiteral("/small.tfx")});
        QVERIFY(prompter->shown.empty());
    }

    void openCancelledChangesNothing()
    {
        open(formulas() + QStringLiteral("/small.tfx"));
        window->sheet().row(2).marked = true;
        open(QString());
        QCOMPARE(window->windowTitle(), QStringLiteral("Tintora 2.31 - [small.tfx][*]"));
        QCOMPARE(window->FormulaPath(), formulas() + QStringLiteral("/small.tfx"));
        QVERIFY(window->sheet().row(2).marked);
        QCOMPARE(window->MRUList()->Items(), QStringList{formulas() + QStringLiteral("/small.tfx")});
    }

    // Open, or Reload after the file was replaced, of a file that is no
    // formula: an error naming it, and the sheet, path, caption and list as they were.
    void aFileThatIsNoFormulaIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("byReload");
        QByteArray picture("\x89PNG\r\n\x1a\n", 8);
        for (int i = 0; i < 1024; ++i)
            picture.append(static_cast<char>(i * 37));
        QTest::newRow("empty, Open") << QByteArray() << false;
        QTest::newRow("picture, Open") << picture << false;
        QTest::newRow("no [Formula], Open") << QByteArray("[Properties]\nProtect=0\n") << false;
        QTest::newRow("empty, Reload") << QByteArray() << true;
        QTest::newRow("picture, Reload") << picture << true;
    }
    void aFileThatIsNoFormulaIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, byReload);
        const QString good = elsewhere.path() + QStringLiteral("/trial.tfx");
        const QString bad = elsewhere.path() + QStringLiteral("/bad.tfx");
        QFile::remove(good);
        QVERIFY(QFile::copy(formulas() + QStringLiteral("/small.tfx"), good));
        writeFile(bad, bytes);
        open(good);
        window->sheet().row(2).marked = true;
        const QString caption = window->windowTitle();

        if (byReload) {
            writeFile(good, bytes);
            window->menus().Reload1->trigger();
        } else {
            open(bad);
        }

        const QString named = byReload ? good : bad;
        QCOMPARE(prompter->shown.size(), std::size_t{1});
        QCOMPARE(prompter->shown[0].kind, ShownMessage::Kind::Error);
        QVERIFY2(QString::fromStdString(prompter->shown[0].text).contains(named), prompter->shown[0].text.c_str());
        QCOMPARE(sounds.played, std::vector<std::string>{"SystemHand"});
        QCOMPARE(window->FormulaPath(), good);
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(cell(1, 2), QStringLiteral("Water"));
        QCOMPARE(window->properties()->NameBox()->text(), QStringLiteral("Small white latex"));
        QVERIFY(window->sheet().row(2).marked);
        QVERIFY(window->FormulaProtected());
        QCOMPARE(window->MRUList()->Items(), QStringList{good});
    }

    void anEntryFromAnotherFolderReopensThatFile()
    {
        const QString path = elsewhere.path() + QStringLiteral("/only-here.tfx");
        open(path);
        open(formulas() + QStringLiteral("/cp1252.tfx"));
        QCOMPARE(window->MRUList()->Items(), (QStringList{formulas() + QStringLiteral("/cp1252.tfx"), path}));
        chooseRecentFile(QStringLiteral("&2 only-here.tfx"));
        QCOMPARE(window->FormulaPath(), path);
        QCOMPARE(window->windowTitle(), QStringLiteral("Tintora 2.31 - [only-here.tfx][*]"));
        QCOMPARE(cell(1, 2), QStringLiteral("Water"));
        QCOMPARE(window->MRUList()->Items(), (QStringList{path, formulas() + QStringLiteral("/cp1252.tfx")}));
        QVERIFY(prompter->shown.empty());
    }

    // Cancel on "Save changes?" leaves the recent files as they were.
    void cancelledReopenKeepsTheList()
    {
        open(formulas() + QStringLiteral("/small.tfx"));
        open(formulas() + QStringLiteral("/cp1252.tfx"));
        const QStringList before = window->MRUList()->Items();
        window->menus().Percent1->trigger();
        prompter->threeWayAnswers.push_back(tintora::Prompter::Answer::Cancel);
        chooseRecentFile(QStringLiteral("&2 small.tfx"));
        QCOMPARE(window->MRUList()->Items(), before);
        QCOMPARE(window->FormulaPath(), formulas() + QStringLiteral("/cp1252.tfx"));
    }

    void bareNamesOfEarlierRunsLieInTheFormulasFolder()
    {
        window.reset();
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel"));
        settings.setValue(QStringLiteral("MRU/F0"), QStringLiteral("small.tfx"));
        settings.setValue(QStringLiteral("MRU/F1"), QStringLiteral("cp1252.tfx"));
        settings.sync();
        window = makeWindow();

        chooseRecentFile(QStringLiteral("&1 small.tfx"));
        QCOMPARE(window->FormulaPath(), formulas() + QStringLiteral("/small.tfx"));
        QCOMPARE(cell(1, 2), QStringLiteral("Water"));
        QCOMPARE(window->MRUList()->Items(), (QStringList{formulas() + QStringLiteral("/small.tfx"), "cp1252.tfx"}));
        // Opening the file a bare name stands for replaces that entry.
        open(formulas() + QStringLiteral("/cp1252.tfx"));
        QCOMPARE(window->MRUList()->Items(),
            (QStringList{formulas() + QStringLiteral("/cp1252.tfx"), formulas() + QStringLiteral("/small.tfx")}));
        QVERIFY(prompter->shown.empty());
    }

    void aGoneEntryIsReportedAndDropped()
    {
        const QString gone = elsewhere.path() + QStringLiteral("/gone.tfx");
        QVERIFY(QFile::copy(formulas() + QStringLiteral("/small.tfx"), gone));
        open(gone);
        open(formulas() + QStringLiteral("/cp1252.tfx"));
        const QString name = window->properties()->NameBox()->text();
        QVERIFY(QFile::remove(gone));

        chooseRecentFile(QStringLiteral("&2 gone.tfx"));
        QCOMPARE(prompter->shown.size(), std::size_t{1});
        QCOMPARE(prompter->shown[0].kind, ShownMessage::Kind::Error);
        QVERIFY(QString::fromStdString(prompter->shown[0].text).contains(gone));
        QCOMPARE(window->FormulaPath(), formulas() + QStringLiteral("/cp1252.tfx"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Tintora 2.31 - [cp1252.tfx][*]"));
        QCOMPARE(window->properties()->NameBox()->text(), name);
        QCOMPARE(window->MRUList()->Items(), QStringList{formulas() + QStringLiteral("/cp1252.tfx")});
        for (QAction* a : fileMenu()->actions())
            QVERIFY(!a->text().contains(QStringLiteral("gone.tfx")));
    }

    void recentFilesSurviveTheWindow()
    {
        open(formulas() + QStringLiteral("/small.tfx"));
        open(formulas() + QStringLiteral("/cp1252.tfx"));
        window.reset();
        window = makeWindow();
        const QStringList expected{
            formulas() + QStringLiteral("/cp1252.tfx"), formulas() + QStringLiteral("/small.tfx")};
        QCOMPARE(window->MRUList()->Items(), expected);
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel"));
        QCOMPARE(settings.value(QStringLiteral("MRU/F0")).toString(), expected[0]);
    }

    void newAfterAProtectedFormulaKeepsTheFlag()
    {
        open(formulas() + QStringLiteral("/small.tfx"));
        QVERIFY(window->FormulaProtected());
        window->buttons().NewButton->OnClick();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tintora 2.31 - [][*]"));
        QVERIFY(window->FormulaPath().isEmpty());
        QVERIFY(cell(1, 2).isEmpty());
        QVERIFY(window->properties()->NameBox()->text().isEmpty());
        QCOMPARE(boxText(PropertyBox::WeightBox), QLocale().toString(0.0, 'f', 3));
        QVERIFY(window->FormulaProtected());
        QVERIFY(!window->sheet().SheetModified);
    }

    void reloadDiscardsEdits()
    {
        open(formulas() + QStringLiteral("/small.tfx"));
        window->sheet().setCell(tintora::Column::Weight, 2, "999");
        QTest::keyClicks(window->properties()->NameBox(), QStringLiteral(" (trial)"));
        QVERIFY(window->sheet().SheetModified);
        window->menus().Reload1->trigger();
        QCOMPARE(cell(3, 2), QStringLiteral(" 100.000"));
        QCOMPARE(window->properties()->NameBox()->text(), QStringLiteral("Small white latex"));
        QVERIFY(!window->sheet().SheetModified);
    }

    void reloadOfAnUntitledSheetKeepsMarksAndEmptiesTheName()
    {
        window->sheet().row(3).marked = true;
        QTest::keyClicks(window->properties()->NameBox(), QStringLiteral("Trial"));
        window->menus().Reload1->trigger();
        QVERIFY(window->sheet().row(3).marked);
        QVERIFY(window->Grid1()->Checked(0, 3));
        QVERIFY(window->properties()->NameBox()->text().isEmpty());
    }

    void typingAName()
    {
        window->sheet().SheetModified = false;
        QTest::keyClicks(window->properties()->NameBox(), QStringLiteral("Primer B"));
        QCOMPARE(window->sheet().name(), std::string("Primer B"));
        QVERIFY(window->sheet().SheetModified);
    }

    void flippingPercentsSwitchesTitlePanelsAndButton()
    {
        open(formulas() + QStringLiteral("/small.tfx"));
        const QString byWeight = cell(5, 2);
        window->buttons().WtVolButton->OnClick();
        QVERIFY(window->menus().FlipPercents1->isChecked());
        QVERIFY(window->buttons().WtVolButton->Down());
        QCOMPARE(window->Grid1()->Columns()[5].Title, QStringList{QStringLiteral("V%")});
        QVERIFY(window->properties()->WtPanel()->isHidden());
        QVERIFY(!window->properties()->VolPanel()->isHidden());
        QCOMPARE(cell(5, 2), QStringLiteral("  22.036"));  // 12 of 54.457 gallons
        QVERIFY(window->sheet().SheetModified);

        window->menus().FlipPercents1->trigger();
        QVERIFY(!window->buttons().WtVolButton->Down());
        QCOMPARE(window->Grid1()->Columns()[5].Title, QStringList{QStringLiteral("W%")});
        QVERIFY(!window->properties()->WtPanel()->isHidden());
        QCOMPARE(cell(5, 2), byWeight);
    }

    void heightKeepsToWholeRows()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const WindowSizeRules& rules = window->sizeRules();
        window->resize(window->width(), rules.MinFormHeight + 40);
        QTRY_COMPARE(window->height(), rules.MinFormHeight + 36);
        QVERIFY(!window->menus().Expand1->isChecked());
        window->resize(window->width(), rules.maxHeight() - 1);
        QTRY_COMPARE(window->height(), rules.maxHeight() - 18);
        QVERIFY(!window->menus().Expand1->isChecked());
        window->resize(window->width(), rules.maxHeight());
        QTRY_COMPARE(window->height(), rules.maxHeight());
        QVERIFY(window->menus().Expand1->isChecked());
    }

    void expandFormTwiceReturnsToCollapsed()
    {
        const WindowSizeRules& rules = window->sizeRules();
        window->menus().Expand1->trigger();
        QCOMPARE(window->height(), rules.maxHeight());
        QVERIFY(window->menus().Expand1->isChecked());
        window->menus().Expand1->trigger();
        QCOMPARE(window->height(), rules.MinFormHeight);
        QVERIFY(!window->menus().Expand1->isChecked());
    }

    void helpOpensAtTheTopic()
    {
        QFile::copy(DataFolder + QStringLiteral("/../../help/Korvel.html"),
            programFolder.path() + QStringLiteral("/Korvel.html"));
        window = makeWindow();
        window->menus().FirstTimeUser1->trigger();
        QVERIFY(window->help()->isVisible());
        QVERIFY(window->help()->browser()->toPlainText().contains(QStringLiteral("First Time User")));
        window->menus().Contents1->trigger();
        QVERIFY(prompter->shown.empty());
        QFile::remove(programFolder.path() + QStringLiteral("/Korvel.html"));
    }

    void missingHelpFileIsReported()
    {
        window->menus().Contents1->trigger();
        QCOMPARE(prompter->shown.size(), std::size_t(1));
        QCOMPARE(prompter->shown[0].kind, ShownMessage::Kind::Error);
        QVERIFY(QString::fromStdString(prompter->shown[0].text).contains(QStringLiteral("Korvel.html")));
        QVERIFY(!window->help()->isVisible());
    }

    void aboutPlaysItsSoundAndShowsOk()
    {
        TfrmAbout about;
        MainWindowServices services = scriptedServices();
        services.about = &about;
        window = newWindow(std::move(services));
        bool okShown = false;
        QTimer::singleShot(0, this, [&] {
            okShown = about.OkButton1()->isVisible() && !about.AboutBar()->isVisible();
            QTest::mouseClick(about.OkButton1(), Qt::LeftButton);
        });
        sounds.played.clear();
        window->menus().About1->trigger();
        QVERIFY(okShown);
        QCOMPARE(sounds.played, (std::vector<std::string>{"SystemStart"}));
        // The version is the project's (CMakeLists.txt), as the build says it.
        QStringList texts;
        for (const QLabel* label : about.findChildren<QLabel*>())
            texts << label->text();
        QVERIFY2(texts.contains(QStringLiteral("Version ") + QStringLiteral(TINTORA_PROJECT_VERSION)),
            qPrintable(texts.join(u'|')));
    }

    void tipsFromTheMenuShowEvenWhenSwitchedOff()
    {
        window->tipDialog()->setOnAtStart(false);
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            shown = window->tipDialog()->TipWindow() != nullptr;
            window->tipDialog()->TipWindow()->close();
        });
        window->menus().Tips->trigger();
        QVERIFY(shown);
        QVERIFY(!window->tipDialog()->OnAtStart());
    }

    // A note, description or code longer than its cell shows whole in the
    // cell's tooltip; a cell that shows all of its text has none.
    void cutTextShowsWholeInATooltip_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tip");
        const QString note
            = QStringLiteral("Add the thickener slowly, under high shear, and let it swell for ten minutes");
        QTest::newRow("long note") << 2 << 1 << note;
        QTest::newRow("short note") << 2 << 2 << QString();
        QTest::newRow("long code") << 1 << 3 << QStringLiteral("averyveryverylongcodeindeed");
        QTest::newRow("description that fits") << 2 << 4 << QString();
        QTest::newRow("weight") << 3 << 4 << QString();
        QTest::newRow("empty row") << 2 << 5 << QString();
    }
    void cutTextShowsWholeInATooltip()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QString, tip);
        const QString path = elsewhere.path() + QStringLiteral("/long.tfx");
        writeFile(path,
            "[Formula]\nName=Long\nrType1=0\nMaterial1=Add the thickener slowly, under high shear, and let it "
            "swell for ten minutes\nrType2=0\nMaterial2=Stir.\nMaterial3=averyveryverylongcodeindeed\n"
            "Weight3=1\nMaterial4=water\nWeight4=100\n");
        window->show();
        open(path);
        QWidget* viewport = window->Grid1()->viewport();
        const QPoint at = window->Grid1()->CellRect(col, row).center();
        QTRY_VERIFY(!QToolTip::isVisible());  // the previous case's tip has faded
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &help);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
        QToolTip::hideText();
    }

    // The answer to "Show tips next time?" holds for the next start, whether
    // the tips were shown at the start or from the menu.
    void tipsAnswerHoldsForTheNextStart()
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel"));
        settings.remove(QStringLiteral("Tips"));
        const auto forget = qScopeGuard([] {
            QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel"))
                .remove(QStringLiteral("Tips"));
        });
        // Runs the tips at the start of a new window, or from its menu, answering `show`;
        // returns whether they were shown and the box's state when they appeared.
        const auto runTips = [&](bool fromMenu, bool show) {
            std::optional<bool> boxAtFirst;
            QTimer::singleShot(0, this, [&] {
                if (TTipWindow* tip = window->tipDialog()->TipWindow()) {
                    boxAtFirst = tip->chkOnOff()->isChecked();
                    if (tip->chkOnOff()->isChecked() != show)
                        tip->chkOnOff()->click();
                    tip->btnClose()->click();
                }
            });
            if (fromMenu) {
                window->menus().Tips->trigger();
            } else {
                window = makeWindow();
                window->show();
                window->FormActivate();
            }
            QCoreApplication::processEvents();  // the check runs here when no tip was shown
            return boxAtFirst;
        };
        QCOMPARE(runTips(false, false), std::optional(true));
        QCOMPARE(runTips(false, true), std::nullopt);  // not shown at this start
        QCOMPARE(runTips(true, true), std::optional(false));  // the menu shows them, with the answer kept
        QCOMPARE(runTips(false, true), std::optional(true));
        settings.sync();
        QVERIFY(settings.value(QStringLiteral("Tips/ShowAtStart")).toBool());
    }

    void closingAsksNothingAndCloses()
    {
        window->show();
        QVERIFY(window->close());
        QVERIFY(prompter->shown.empty());
    }

    void errorEscapingAHandlerIsReported()
    {
        QString title;
        QString text;
        auto* app = static_cast<TintoraApplication*>(QCoreApplication::instance());
        app->setErrorReport([&](const QString& t, const QString& m) {
            title = t;
            text = m;
        });
        const auto restoreReport = qScopeGuard([app] { app->setErrorReport({}); });
        struct Throwing : QObject {
            bool event(QEvent*) override { throw std::runtime_error("'x' is not a valid date"); }
        } target;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&target, &event);
        QCOMPARE(text, QStringLiteral("'x' is not a valid date."));
        QCOMPARE(title, QStringLiteral("Tintora 2.31 - []"));

        // The same report, asked for through the real Prompter, plays no sound.
        text.clear();
        title.clear();
        tintora::testing::ScriptedSounds silent;
        QtPrompter(silent, window.get()).reportError("'y' is not a valid date.");
        QCOMPARE(text, QStringLiteral("'y' is not a valid date."));
        QCOMPARE(title, QStringLiteral("Tintora 2.31 - []"));
        QVERIFY(silent.played.empty());
    }
};

int main(int argc, char** argv)
{
    return tintora::testing::runWindowTest<MainWindowTest>(argc, argv);
}

#include "MainWindowTest.moc"
