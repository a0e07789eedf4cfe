#include "ui/widgets/TMRUFileList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Menu texts, "-" for a separator.
QStringList menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QSettings vantrelSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel"));
}

}  // namespace

class TMRUFileListTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void addingAName_data();
    void addingAName();
    void entryCaption_data();
    void entryCaption();
    void entryKeyIndex_data();
    void entryKeyIndex();
    void settingsLocation_data();
    void settingsLocation();
    void readsKeysInIndexOrderAndSkipsOthers();
    void writtenEntriesReadBackUnchanged();

    void entriesGoAboveTheAnchorAfterTheirOwnSeparator();
    void emptyListShowsNoSeparator();
    void sixthFileDropsTheOldest();
    void choosingAnEntry_data();
    void choosingAnEntry();
    void submenuHoldsTheEntries();
    void loweringMaximumTrimsRaisingKeeps();
    void missingAnchorPutsEntriesAtTheEnd();
    void survivesTheMenuBeingDestroyedFirst();

    void handWrittenLongListIsShownThenTrimmed();
    void savedAtDestruction_data();
    void savedAtDestruction();
    void settingsFactoryRedirectsTheStore();
    void aMillionStoredEntriesAreCutToTheLargestMaximum();
    void anUnusableSettingsFileIsLeftUnread_data();
    void anUnusableSettingsFileIsLeftUnread();
    void cleanupTestCase();

private:
    void configureForVantrel(TMRUFileList& list) const;
    std::unique_ptr<QMenu> fileMenu();
    QAction* m_n1 = nullptr;
};

void TMRUFileListTest::init()
{
    QSettings settings = vantrelSettings();
    settings.remove(QString());
    settings.sync();
}

void TMRUFileListTest::cleanupTestCase()
{
    QFile::remove(vantrelSettings().fileName());
}

std::unique_ptr<QMenu> TMRUFileListTest::fileMenu()
{
    auto menu = std::make_unique<QMenu>(QStringLiteral("&File"));
    menu->addAction(QStringLiteral("&Open..."));
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Delete"));
    m_n1 = menu->addSeparator();
    menu->addAction(QStringLiteral("E&xit"));
    return menu;
}

void TMRUFileListTest::configureForVantrel(TMRUFileList& list) const
{
    list.setAutoSaveName(QStringLiteral("\\Vantrel"));
    list.setAutoSaveKey(QStringLiteral("MRU"));
}

void TMRUFileListTest::addingAName_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("new name on top") << QStringList{"a.tfx", "b.tfx"} << "c.tfx" << 5
                                     << QStringList{"c.tfx", "a.tfx", "b.tfx"};
    QTest::newRow("sixth drops oldest") << QStringList{"e", "d", "c", "b", "a"} << "f" << 5
                                        << QStringList{"f", "e", "d", "c", "b"};
    QTest::newRow("other case moves stored spelling") << QStringList{"a.tfx", "Primer.tfx", "b.tfx"} << "PRIMER.TFX"
                                                      << 5 << QStringList{"Primer.tfx", "a.tfx", "b.tfx"};
    QTest::newRow("accented other case") << QStringList{"x", "Ölfarbe.tfx"} << "ölfarbe.tfx" << 5
                                         << QStringList{"Ölfarbe.tfx", "x"};
    QTest::newRow("already on top") << QStringList{"a", "b"} << "a" << 5 << QStringList{"a", "b"};
    QTest::newRow("move keeps a long list")
        << QStringList{"1", "2", "3", "4", "5", "6", "7"} << "7" << 5 << QStringList{"7", "1", "2", "3", "4", "5", "6"};
    QTest::newRow("new name trims a long list")
        << QStringList{"1", "2", "3", "4", "5", "6", "7"} << "8" << 5 << QStringList{"8", "1", "2", "3", "4"};
    QTest::newRow("path in other case is another file") << QStringList{"/lab/Primer.tfx"} << "/lab/primer.tfx" << 5
                                                        << QStringList{"/lab/primer.tfx", "/lab/Primer.tfx"};
    QTest::newRow("same path moves up") << QStringList{"/a/x.tfx", "/lab/p.tfx"} << "/lab/p.tfx" << 5
                                        << QStringList{"/lab/p.tfx", "/a/x.tfx"};
    QTest::newRow("path is no bare name")
        << QStringList{"p.tfx"} << "/lab/p.tfx" << 5 << QStringList{"/lab/p.tfx", "p.tfx"};
    QTest::newRow("empty name ignored") << QStringList{"a"} << "" << 5 << QStringList{"a"};
    QTest::newRow("maximum zero keeps nothing") << QStringList{} << "a" << 0 << QStringList{};
}

void TMRUFileListTest::addingAName()
{
    QFETCH(QStringList, list);
    QFETCH(QString, name);
    QFETCH(int, maximum);
    QFETCH(QStringList, expected);
    QCOMPARE(mru::withAdded(list, name, maximum), expected);
}

void TMRUFileListTest::entryCaption_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << 1 << "primer.tfx"
                           << "&1 primer.tfx";
    QTest::newRow("two digits") << 10 << "x.tfx"
                                << "&10 x.tfx";
    QTest::newRow("ampersand shown") << 2 << "R&D.tfx"
                                     << "&2 R&&D.tfx";
    QTest::newRow("path shown by its name") << 3 << "/home/lab/R&D/primer.tfx"
                                            << "&3 primer.tfx";
}

void TMRUFileListTest::entryCaption()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(mru::entryCaption(number, text), expected);
}

void TMRUFileListTest::entryKeyIndex_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("F0") << "F0" << 0;
    QTest::newRow("F10") << "F10" << 10;
    QTest::newRow("lower case") << "f3" << 3;
    QTest::newRow("no digits") << "F" << -1;
    QTest::newRow("letters") << "Fx" << -1;
    QTest::newRow("sign") << "F+1" << -1;
    QTest::newRow("minus") << "F-1" << -1;
    QTest::newRow("blank") << "F 1" << -1;
    QTest::newRow("other letter") << "G1" << -1;
    QTest::newRow("too large") << "F99999999999" << -1;
}

void TMRUFileListTest::entryKeyIndex()
{
    QFETCH(QString, key);
    QFETCH(int, expected);
    QCOMPARE(mru::entryKeyIndex(key), expected);
}

void TMRUFileListTest::settingsLocation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("organisation");
    QTest::addColumn<QString>("group");
    QTest::newRow("main window") << "\\Vantrel"
                                 << "MRU"
                                 << "Vantrel"
                                 << "MRU";
    QTest::newRow("defaults") << "\\Software\\My Application"
                              << "MRU Items"
                              << "Software"
                              << "My Application/MRU Items";
    QTest::newRow("no leading backslash") << "Vantrel"
                                          << "MRU"
                                          << "Vantrel"
                                          << "MRU";
    QTest::newRow("empty name") << ""
                                << "MRU"
                                << ""
                                << "";
    QTest::newRow("root only") << "\\"
                               << "MRU"
                               << ""
                               << "";
    QTest::newRow("empty key") << "\\Vantrel"
                               << ""
                               << ""
                               << "";
}

void TMRUFileListTest::settingsLocation()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QFETCH(QString, organisation);
    QFETCH(QString, group);
    const mru::SettingsLocation where = mru::settingsLocation(name, key);
    QCOMPARE(where.isValid(), !organisation.isEmpty());
    if (where.isValid()) {
        QCOMPARE(where.organisation, organisation);
        QCOMPARE(where.group, group);
    }
}

void TMRUFileListTest::readsKeysInIndexOrderAndSkipsOthers()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("mru.ini")), QSettings::IniFormat);
    // Written out of order so that neither creation nor alphabetical order is index order.
    for (const int i : {11, 2, 10, 0, 9, 1, 3, 4, 5, 6, 7, 8})
        settings.setValue(QStringLiteral("MRU/F%1").arg(i), QStringLiteral("file%1.tfx").arg(i));
    settings.setValue(QStringLiteral("MRU/Other"), QStringLiteral("ignored.tfx"));
    settings.setValue(QStringLiteral("MRU/F12"), QString());
    settings.setValue(QStringLiteral("Elsewhere/F0"), QStringLiteral("ignored.tfx"));

    QStringList expected;
    for (int i = 0; i <= 11; ++i)
        expected.append(QStringLiteral("file%1.tfx").arg(i));
    QCOMPARE(mru::readEntries(settings, QStringLiteral("MRU")), expected);
}

void TMRUFileListTest::writtenEntriesReadBackUnchanged()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mru.ini"));
    const QStringList names{"a, b.tfx", "50% off.tfx", "back\\slash.tfx", "x=y.tfx", "Grün; blau.tfx", " blank .tfx"};
    {
        QSettings settings(path, QSettings::IniFormat);
        mru::writeEntries(settings, QStringLiteral("MRU"), QStringList{"1", "2", "3", "4", "5", "6", "7", "8"});
        mru::writeEntries(settings, QStringLiteral("MRU"), names);
    }
    QSettings settings(path, QSettings::IniFormat);
    QCOMPARE(mru::readEntries(settings, QStringLiteral("MRU")), names);
    settings.beginGroup(QStringLiteral("MRU"));
    QCOMPARE(settings.childKeys().size(), names.size());
}

void TMRUFileListTest::entriesGoAboveTheAnchorAfterTheirOwnSeparator()
{
    const auto menu = fileMenu();
    TMRUFileList list;
    list.setFileMenu(menu.get(), m_n1);
    list.AddItem(QStringLiteral("primer.tfx"));
    list.AddItem(QStringLiteral("enamel.tfx"));

    QCOMPARE(menuTexts(menu.get()),
        (QStringList{"&Open...", "-", "&Delete", "-", "&1 enamel.tfx", "&2 primer.tfx", "-", "E&xit"}));
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.at(6), m_n1);
    const auto* separator = qobject_cast<TMRUMenuItem*>(actions.at(3));
    QVERIFY(separator);
    QCOMPARE(separator->Number(), 0);
    for (int i = 4; i <= 5; ++i) {
        const auto* item = qobject_cast<TMRUMenuItem*>(actions.at(i));
        QVERIFY(item);
        QCOMPARE(item->Number(), i - 3);
    }
}

void TMRUFileListTest::emptyListShowsNoSeparator()
{
    const auto menu = fileMenu();
    const QStringList plain = menuTexts(menu.get());
    TMRUFileList list;
    list.setFileMenu(menu.get(), m_n1);
    QCOMPARE(menuTexts(menu.get()), plain);

    list.AddItem(QStringLiteral("a.tfx"));
    list.RemoveItem(0);
    QCOMPARE(menuTexts(menu.get()), plain);
}

void TMRUFileListTest::sixthFileDropsTheOldest()
{
    const auto menu = fileMenu();
    TMRUFileList list;
    list.setFileMenu(menu.get(), m_n1);
    for (const char* name : {"1.tfx", "2.tfx", "3.tfx", "4.tfx", "5.tfx", "6.tfx"})
        list.AddItem(QString::fromLatin1(name));

    QCOMPARE(list.Items(), (QStringList{"6.tfx", "5.tfx", "4.tfx", "3.tfx", "2.tfx"}));
    QCOMPARE(menuTexts(menu.get()).mid(3, 7),
        (QStringList{"-", "&1 6.tfx", "&2 5.tfx", "&3 4.tfx", "&4 3.tfx", "&5 2.tfx", "-"}));
}

void TMRUFileListTest::choosingAnEntry_data()
{
    QTest::addColumn<bool>("removeOnClick");
    QTest::addColumn<bool>("byAccessKey");
    QTest::addColumn<bool>("handlerAddsItBack");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QStringList>("after");

    // The list holds c, b, a (newest first).
    QTest::newRow("click removes") << true << false << false << 2 << "b.tfx" << QStringList{"c.tfx", "a.tfx"};
    QTest::newRow("access key") << true << true << false << 3 << "a.tfx" << QStringList{"c.tfx", "b.tfx"};
    // What the main window does when the chosen file exists.
    QTest::newRow("handler adds back") << true << false << true << 3 << "a.tfx"
                                       << QStringList{"a.tfx", "c.tfx", "b.tfx"};
    QTest::newRow("kept without RemoveOnClick")
        << false << false << false << 3 << "a.tfx" << QStringList{"c.tfx", "b.tfx", "a.tfx"};
}

void TMRUFileListTest::choosingAnEntry()
{
    QFETCH(bool, removeOnClick);
    QFETCH(bool, byAccessKey);
    QFETCH(bool, handlerAddsItBack);
    QFETCH(int, entry);
    QFETCH(QString, reported);
    QFETCH(QStringList, after);

    const auto menu = fileMenu();
    TMRUFileList list;
    list.setRemoveOnClick(removeOnClick);
    list.setFileMenu(menu.get(), m_n1);
    for (const char* name : {"a.tfx", "b.tfx", "c.tfx"})
        list.AddItem(QString::fromLatin1(name));
    QSignalSpy chosen(&list, &TMRUFileList::OnMRUItemClick);
    if (handlerAddsItBack) {
        connect(&list, &TMRUFileList::OnMRUItemClick, &list,
            [](TMRUFileList* sender, const QString& fileName) { sender->AddItem(fileName); });
    }

    menu->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
    if (byAccessKey)
        QTest::keyClick(menu.get(), Qt::Key(Qt::Key_0 + entry));
    else
        QTest::mouseClick(menu.get(), Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(3 + entry)).center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.at(0).at(0).value<TMRUFileList*>(), &list);
    QCOMPARE(chosen.at(0).at(1).toString(), reported);
    QCOMPARE(list.Items(), after);
    QStringList entries;
    for (int i = 0; i < after.size(); ++i)
        entries << QStringLiteral("&%1 %2").arg(i + 1).arg(after.at(i));
    QCOMPARE(menuTexts(menu.get()).mid(4, after.size() + 1), entries << QStringLiteral("-"));
}

void TMRUFileListTest::submenuHoldsTheEntries()
{
    const auto menu = fileMenu();
    TMRUFileList list;
    list.setFileMenu(menu.get(), m_n1);
    list.AddItem(QStringLiteral("a.tfx"));
    list.AddItem(QStringLiteral("b.tfx"));
    list.setSubmenuName(QStringLiteral("Recent"));
    list.setUseSubmenu(true);

    QCOMPARE(menuTexts(menu.get()), (QStringList{"&Open...", "-", "&Delete", "-", "Recent", "-", "E&xit"}));
    const QMenu* submenu = menu->actions().at(4)->menu();
    QVERIFY(submenu);
    QCOMPARE(menuTexts(submenu), (QStringList{"&1 b.tfx", "&2 a.tfx"}));
    QSignalSpy chosen(&list, &TMRUFileList::OnMRUItemClick);
    submenu->actions().at(1)->trigger();
    QCOMPARE(chosen.at(0).at(1).toString(), QStringLiteral("a.tfx"));
    QCOMPARE(menuTexts(submenu), (QStringList{"&1 b.tfx"}));

    list.setUseSubmenu(false);
    QCOMPARE(menuTexts(menu.get()), (QStringList{"&Open...", "-", "&Delete", "-", "&1 b.tfx", "-", "E&xit"}));
}

void TMRUFileListTest::loweringMaximumTrimsRaisingKeeps()
{
    const auto menu = fileMenu();
    TMRUFileList list;
    list.setFileMenu(menu.get(), m_n1);
    for (const char* name : {"1", "2", "3", "4", "5"})
        list.AddItem(QString::fromLatin1(name));

    list.setMaximum(2);
    QCOMPARE(list.Items(), (QStringList{"5", "4"}));
    QCOMPARE(menuTexts(menu.get()).mid(3, 4), (QStringList{"-", "&1 5", "&2 4", "-"}));

    list.setMaximum(4);
    QCOMPARE(list.Items(), (QStringList{"5", "4"}));
    list.AddItem(QStringLiteral("6"));
    list.AddItem(QStringLiteral("7"));
    list.AddItem(QStringLiteral("8"));
    QCOMPARE(list.Items(), (QStringList{"8", "7", "6", "5"}));
}

void TMRUFileListTest::missingAnchorPutsEntriesAtTheEnd()
{
    QMenu menu;
    menu.addAction(QStringLiteral("&Open..."));
    TMRUFileList list;
    list.setFileMenu(&menu);
    list.AddItem(QStringLiteral("a.tfx"));
    QCOMPARE(menuTexts(&menu), (QStringList{"&Open...", "-", "&1 a.tfx"}));
}

void TMRUFileListTest::survivesTheMenuBeingDestroyedFirst()
{
    auto menu = fileMenu();
    auto list = std::make_unique<TMRUFileList>();
    list->setFileMenu(menu.get(), m_n1);
    list->AddItem(QStringLiteral("a.tfx"));
    menu.reset();

    list->AddItem(QStringLiteral("b.tfx"));
    QCOMPARE(list->Items(), (QStringList{"b.tfx", "a.tfx"}));
    list.reset();
}

void TMRUFileListTest::handWrittenLongListIsShownThenTrimmed()
{
    {
        QSettings settings = vantrelSettings();
        for (int i = 0; i <= 6; ++i)
            settings.setValue(QStringLiteral("MRU/F%1").arg(i), QStringLiteral("f%1.tfx").arg(i));
    }
    const auto menu = fileMenu();
    {
        TMRUFileList list;
        configureForVantrel(list);
        list.setFileMenu(menu.get(), m_n1);
        list.SetUp();
        QCOMPARE(list.Items().size(), 7);
        QCOMPARE(menuTexts(menu.get()).at(10), QStringLiteral("&7 f6.tfx"));

        list.AddItem(QStringLiteral("new.tfx"));
        QCOMPARE(list.Items(), (QStringList{"new.tfx", "f0.tfx", "f1.tfx", "f2.tfx", "f3.tfx"}));
    }
    QSettings settings = vantrelSettings();
    settings.beginGroup(QStringLiteral("MRU"));
    QCOMPARE(settings.childKeys().size(), 5);
    QCOMPARE(settings.value(QStringLiteral("F0")).toString(), QStringLiteral("new.tfx"));
    QCOMPARE(settings.value(QStringLiteral("F4")).toString(), QStringLiteral("f3.tfx"));
}

void TMRUFileListTest::savedAtDestruction_data()
{
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("setUp");
    QTest::addColumn<QStringList>("loaded");
    QTest::addColumn<QStringList>("storedAfter");

    QTest::newRow("read and written back")
        << true << true << QStringList{"stored.tfx"} << QStringList{"Next, with comma.tfx", "stored.tfx"};
    // A list that was never read must not wipe the stored one.
    QTest::newRow("never read") << true << false << QStringList{} << QStringList{"stored.tfx"};
    QTest::newRow("AutoSave off") << false << true << QStringList{} << QStringList{"stored.tfx"};
}

void TMRUFileListTest::savedAtDestruction()
{
    QFETCH(bool, autoSave);
    QFETCH(bool, setUp);
    QFETCH(QStringList, loaded);
    QFETCH(QStringList, storedAfter);
    vantrelSettings().setValue(QStringLiteral("MRU/F0"), QStringLiteral("stored.tfx"));
    {
        TMRUFileList list;
        configureForVantrel(list);
        list.setAutoSave(autoSave);
        if (setUp)
            list.SetUp();
        QCOMPARE(list.Items(), loaded);
        list.AddItem(QStringLiteral("Next, with comma.tfx"));
    }
    QSettings settings = vantrelSettings();
    QCOMPARE(mru::readEntries(settings, QStringLiteral("MRU")), storedAfter);
}

void TMRUFileListTest::settingsFactoryRedirectsTheStore()
{
    QTemporaryDir dir;
    QStringList organisations;
    const auto factory = [&](const QString& organisation) {
        organisations << organisation;
        return std::make_unique<QSettings>(dir.filePath(organisation + QStringLiteral(".ini")), QSettings::IniFormat);
    };
    QSettings(dir.filePath(QStringLiteral("Vantrel.ini")), QSettings::IniFormat)
        .setValue(QStringLiteral("MRU/F0"), QStringLiteral("elsewhere.tfx"));
    {
        TMRUFileList list;
        configureForVantrel(list);
        list.setSettingsFactory(factory);
        list.SetUp();
        QCOMPARE(list.Items(), QStringList{"elsewhere.tfx"});
        list.AddItem(QStringLiteral("new.tfx"));
    }
    QCOMPARE(organisations, (QStringList{"Vantrel", "Vantrel"}));
    QSettings redirected(dir.filePath(QStringLiteral("Vantrel.ini")), QSettings::IniFormat);
    QCOMPARE(mru::readEntries(redirected, QStringLiteral("MRU")), (QStringList{"new.tfx", "elsewhere.tfx"}));
    QVERIFY(!vantrelSettings().contains(QStringLiteral("MRU/F0")));
}

void TMRUFileListTest::aMillionStoredEntriesAreCutToTheLargestMaximum()
{
    // Before, each stored entry became a menu action: 10^6 of them never started.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vantrel.ini"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray text = "[MRU]\nF0=\n";  // an empty value is skipped and does not count
        for (int i = 1; i < 1000000; ++i)
            text += "F" + QByteArray::number(i) + "=f" + QByteArray::number(i) + ".tfx\n";
        file.write(text);
    }
    const auto menu = fileMenu();
    const int actionsBefore = int(menu->actions().size());
    TMRUFileList list;
    configureForVantrel(list);
    list.setAutoSave(false);
    list.setSettingsFactory([&](const QString&) { return std::make_unique<QSettings>(path, QSettings::IniFormat); });
    list.setFileMenu(menu.get(), m_n1);
    QVERIFY(list.Load());
    QCOMPARE(list.Items().size(), mru::MaxStoredEntries);
    QCOMPARE(list.Items().front(), QStringLiteral("f1.tfx"));
    QCOMPARE(list.Items().back(), QStringLiteral("f255.tfx"));
    QCOMPARE(int(menu->actions().size()), actionsBefore + 1 + mru::MaxStoredEntries);
}

void TMRUFileListTest::anUnusableSettingsFileIsLeftUnread_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("folder") << "folder";
    // A recent-files group, then a million entries of another group.
    QTest::newRow("larger than 1 MiB") << "large";
}

void TMRUFileListTest::anUnusableSettingsFileIsLeftUnread()
{
    QFETCH(QString, kind);
    const QString file = mru::userSettingsFile(QStringLiteral("Vantrel"));
    QCOMPARE(file, vantrelSettings().fileName());
    QFile::remove(file);
    // Whatever happens, the next test's settings must open again.
    const auto removeAfter = qScopeGuard([&] { QFile::remove(file) || QDir(file).removeRecursively(); });
    QByteArray large = "[MRU]\nF0=stored.tfx\n[Other]\n";
    if (kind == "pipe") {
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(file));
    } else {
        for (int i = 0; i < 1000000; ++i)
            large += "k" + QByteArray::number(i) + "=1\n";
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(large) == large.size());
    }
    // A reader blocked on the pipe is let go after a while, so that a failure
    // ends the test instead of hanging it.
    std::atomic<bool> loaded = false;
    std::thread release([&] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!loaded) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (kind != "pipe" || std::chrono::steady_clock::now() < until)
                continue;
            const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });
    QString problem;
    {
        TMRUFileList list;
        configureForVantrel(list);
        QElapsedTimer timer;
        timer.start();
        list.SetUp();
        const qint64 elapsed = timer.elapsed();
        loaded = true;
        release.join();
        QVERIFY2(elapsed < 2000, "the settings file was opened");
        QVERIFY(list.Items().isEmpty());
        problem = list.SettingsProblem();
        list.AddItem(QStringLiteral("new.tfx"));
    }
    QVERIFY2(problem.contains(QStringLiteral("\"%1\"").arg(file)), qPrintable(problem));
    // Left as it was, not replaced by a saved list.
    const QFileInfo after(file);
    if (kind == "pipe")
        QVERIFY(after.exists() && !after.isFile() && !after.isDir());
    if (kind == "folder")
        QVERIFY(after.isDir());
    if (kind == "large") {
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QVERIFY(in.readAll() == large);
    }
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("TintoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("TMRUFileListTest"));
    // These tests rewrite the "Vantrel" settings; never let them reach the user's own.
    const QString testConfig = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!testConfig.contains(QLatin1String(".qttest")) || !vantrelSettings().fileName().startsWith(testConfig))
        qFatal("settings are not redirected to the test location");
    TMRUFileListTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TMRUFileListTest.moc"
