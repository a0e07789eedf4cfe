#pragma once

// Recent-files list: remembers the last files (full paths, or bare names as
// earlier versions stored them), shows them by file name as numbered entries
// in a menu just above a given action, reports a chosen entry and keeps the
// list in the user's settings between runs.

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QSettings;

// A menu entry of the list; Number is the entry's 1-based position, 0 for the
// separator the list puts above its entries.
class TMRUMenuItem : public QAction {
    Q_OBJECT
public:
    TMRUMenuItem(int number, const QString& text, QObject* parent);
    int Number() const { return m_number; }

private:
    int m_number;
};

// Rules of the list that need no menu.
namespace mru {

// "&" + number + " " + the entry's file name (the part after its last "/");
// an "&" inside it is doubled so that the menu shows it instead of taking it
// as a second access key.
QString entryCaption(int number, const QString& entry);

// Whether two entries name the same file: bare names regardless of letter
// case; paths exactly, since letter case tells files apart here.
bool sameEntry(const QString& a, const QString& b);

// The list after adding name: an entry naming the same file (sameEntry)
// moves to the top with its stored spelling; a new name goes on top and the
// list is cut to maximum entries. An empty name changes nothing.
QStringList withAdded(QStringList list, const QString& name, int maximum);

// The first maximum entries.
QStringList trimmed(QStringList list, int maximum);

// Where a key path and subkey live in the settings: the first part of the path
// is the organisation, the rest of the path and the subkey form the group.
// "\Vantrel" + "MRU" gives organisation "Vantrel", group "MRU". Empty when
// either is empty.
struct SettingsLocation {
    QString organisation;
    QString group;
    bool isValid() const { return !organisation.isEmpty() && !group.isEmpty(); }
};
SettingsLocation settingsLocation(const QString& autoSaveName, const QString& autoSaveKey);

// Index n of a key named "F" + n, or -1 for any other key.
int entryKeyIndex(const QString& key);

// The most entries a list keeps from the settings: the largest Maximum. A
// settings file may hold any number; one menu entry each would stall the start.
constexpr int MaxStoredEntries = 255;

// The values of the keys F0, F1, ... of group, in index order (F10 after F9),
// at most limit of them; other keys and empty values are skipped.
QStringList readEntries(QSettings& settings, const QString& group, int limit = MaxStoredEntries);

// Replaces everything in group by the keys F0, F1, ... holding list.
void writeEntries(QSettings& settings, const QString& group, const QStringList& list);

// The list needs a few kilobytes of the settings; a larger file is read at
// every start only to be mostly thrown away (a million entries of another
// group cost seconds), so it is not read at all.
constexpr qint64 MaxSettingsFileBytes = qint64{1024} * 1024;

// The user's settings file of an organisation, where the native settings keep it.
QString userSettingsFile(const QString& organisation);

// Why file is not to be opened as settings, as a message naming it; empty
// when it may be (a missing file may). Only a regular file is opened: a pipe
// would block the start for good, a device would never end.
QString settingsFileProblem(const QString& file);

}  // namespace mru

class TMRUFileList : public QObject {
    Q_OBJECT
public:
    explicit TMRUFileList(QObject* parent = nullptr);
    // Saves the list when AutoSave is on and the list was read from the
    // settings by Load, so that a list never read cannot wipe a stored one.
    ~TMRUFileList() override;

    int Maximum() const { return m_maximum; }
    // Lowering drops the entries beyond the new limit; raising only stores it.
    void setMaximum(int value);

    bool RemoveOnClick() const { return m_removeOnClick; }
    void setRemoveOnClick(bool value) { m_removeOnClick = value; }

    bool UseSubmenu() const { return m_useSubmenu; }
    void setUseSubmenu(bool value);
    QString SubmenuName() const { return m_submenuName; }
    void setSubmenuName(const QString& value);

    // The entries go into menu just above the action before (with their own
    // separator), or at the end of menu when before is null or not in menu.
    void setFileMenu(QMenu* menu, QAction* before = nullptr);
    QMenu* FileMenu() const { return m_menu; }
    QAction* FileMenuAnchor() const { return m_anchor; }

    bool AutoSave() const { return m_autoSave; }
    void setAutoSave(bool value) { m_autoSave = value; }
    QString AutoSaveName() const { return m_autoSaveName; }
    void setAutoSaveName(const QString& value) { m_autoSaveName = value; }
    QString AutoSaveKey() const { return m_autoSaveKey; }
    void setAutoSaveKey(const QString& value) { m_autoSaveKey = value; }

    // Most recent first.
    QStringList Items() const { return m_items; }
    void AddItem(const QString& fileName);
    void RemoveItem(int index);
    void Clear();

    // Reads the stored list when AutoSave is on; the owner calls it once the
    // component is configured.
    void SetUp();
    // Replace the list by the stored one, or store it. False when AutoSaveName
    // or AutoSaveKey is empty.
    bool Load();
    bool Save() const;

    // Why the stored list was not read by the last Load (the settings file is
    // no regular file or too large); empty when it was. Such a file is left
    // as it is: the list is then not saved either.
    QString SettingsProblem() const { return m_settingsProblem; }

    // The settings object for an organisation; a test may point it elsewhere.
    // By default the user's settings file (userSettingsFile), when
    // settingsFileProblem finds none; else none (null).
    using SettingsFactory = std::function<std::unique_ptr<QSettings>(const QString& organisation)>;
    void setSettingsFactory(SettingsFactory factory);

signals:
    // The user chose an entry; with RemoveOnClick it is already off the list.
    void OnMRUItemClick(TMRUFileList* sender, const QString& fileName);

private:
    void setItems(QStringList items);
    void rebuildMenu();
    void removeMenuItems();
    void itemClick(int number);
    std::unique_ptr<QSettings> openSettings(const mru::SettingsLocation& where) const;

    QStringList m_items;
    int m_maximum = 5;
    bool m_removeOnClick = true;
    bool m_useSubmenu = false;
    QString m_submenuName = QStringLiteral("Reopen");
    bool m_autoSave = true;
    QString m_autoSaveName = QStringLiteral("\\Software\\My Application");
    QString m_autoSaveKey = QStringLiteral("MRU Items");
    bool m_loaded = false;
    SettingsFactory m_settingsFactory;
    mutable QString m_settingsProblem;

    QPointer<QMenu> m_menu;
    QPointer<QAction> m_anchor;
    // What the last rebuild put into the menus. The items are children of this
    // object; the submenu is owned here and reused, because a rebuild can run
    // while the submenu is still delivering the click that caused it.
    QList<QPointer<QAction>> m_menuItems;
    std::unique_ptr<QMenu> m_submenu;
};
