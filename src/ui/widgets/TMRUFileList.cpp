#include "ui/widgets/TMRUFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <utility>

TMRUMenuItem::TMRUMenuItem(int number, const QString& text, QObject* parent)
    : QAction(text, parent)
    , m_number(number)
{
}

namespace mru {

QString entryCaption(int number, const QString& entry)
{
    QString shown = entry.mid(entry.lastIndexOf(QLatin1Char('/')) + 1);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QLatin1Char('&') + QString::number(number) + QLatin1Char(' ') + shown;
}

bool sameEntry(const QString& a, const QString& b)
{
    const bool paths = a.contains(QLatin1Char('/')) || b.contains(QLatin1Char('/'));
    return a.compare(b, paths ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

QStringList withAdded(QStringList list, const QString& name, int maximum)
{
    if (name.isEmpty())
        return list;
    const auto found
        = std::find_if(list.begin(), list.end(), [&name](const QString& entry) { return sameEntry(entry, name); });
    if (found != list.end()) {
        list.move(int(found - list.begin()), 0);
        return list;
    }
    list.prepend(name);
    return trimmed(std::move(list), maximum);
}

QStringList trimmed(QStringList list, int maximum)
{
    if (list.size() > maximum)
        list.resize(std::max(maximum, 0));
    return list;
}

static QStringList pathParts(const QString& path)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    return path.split(separators, Qt::SkipEmptyParts);
}

SettingsLocation settingsLocation(const QString& autoSaveName, const QString& autoSaveKey)
{
    const QStringList nameParts = pathParts(autoSaveName);
    const QStringList keyParts = pathParts(autoSaveKey);
    if (nameParts.isEmpty() || keyParts.isEmpty())
        return {};
    return {nameParts.first(), (nameParts.mid(1) + keyParts).join(QLatin1Char('/'))};
}

int entryKeyIndex(const QString& key)
{
    if (key.size() < 2 || key.size() > 10 || key.front().toUpper() != QLatin1Char('F'))
        return -1;
    const QStringView digits = QStringView(key).mid(1);
    if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return -1;
    bool ok = false;
    const int index = digits.toInt(&ok);
    return ok ? index : -1;
}

QStringList readEntries(QSettings& settings, const QString& group, int limit)
{
    std::vector<std::pair<int, QString>> keys;
    settings.beginGroup(group);
    for (const QString& key : settings.childKeys()) {
        const int index = entryKeyIndex(key);
        if (index >= 0)
            keys.emplace_back(index, key);
    }
    std::sort(keys.begin(), keys.end());

    QStringList entries;
    for (const auto& [index, key] : keys) {
        if (entries.size() >= limit)
            break;
        const QString value = settings.value(key).toString();
        if (!value.isEmpty())
            entries.append(value);
    }
    settings.endGroup();
    return entries;
}

void writeEntries(QSettings& settings, const QString& group, const QStringList& list)
{
    settings.beginGroup(group);
    settings.remove(QString());
    for (int i = 0; i < list.size(); ++i)
        settings.setValue(QLatin1Char('F') + QString::number(i), list.at(i));
    settings.endGroup();
}

QString userSettingsFile(const QString& organisation)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.config");
    return folder + QLatin1Char('/') + organisation + QStringLiteral(".conf");
}

QString settingsFileProblem(const QString& file)
{
    // Asked of the name, never of an opened file: opening a pipe blocks.
    const QFileInfo info(file);
    if (!info.exists())
        return {};
    const QString named = QStringLiteral("The settings file \"%1\"").arg(file);
    const QString ignored = QStringLiteral("; it is ignored, and the recent files are neither read nor kept.");
    if (!info.isFile())
        return named + QStringLiteral(" is not a regular file") + ignored;
    if (info.size() > MaxSettingsFileBytes)
        return named + QStringLiteral(" is larger than 1 MiB") + ignored;
    return {};
}

}  // namespace mru

TMRUFileList::TMRUFileList(QObject* parent)
    : QObject(parent)
{
}

TMRUFileList::~TMRUFileList()
{
    if (m_autoSave && m_loaded)
        Save();
    removeMenuItems();
}

void TMRUFileList::setMaximum(int value)
{
    value = std::clamp(value, 0, 255);
    const bool lowered = value < m_maximum;
    m_maximum = value;
    if (lowered)
        setItems(mru::trimmed(m_items, m_maximum));
}

void TMRUFileList::setUseSubmenu(bool value)
{
    if (m_useSubmenu == value)
        return;
    m_useSubmenu = value;
    rebuildMenu();
}

void TMRUFileList::setSubmenuName(const QString& value)
{
    m_submenuName = value;
    if (m_submenu)
        m_submenu->setTitle(value);
}

void TMRUFileList::setFileMenu(QMenu* menu, QAction* before)
{
    removeMenuItems();
    m_menu = menu;
    m_anchor = before;
    rebuildMenu();
}

void TMRUFileList::AddItem(const QString& fileName)
{
    setItems(mru::withAdded(m_items, fileName, m_maximum));
}

void TMRUFileList::RemoveItem(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    QStringList items = m_items;
    items.removeAt(index);
    setItems(std::move(items));
}

void TMRUFileList::Clear()
{
    setItems({});
}

void TMRUFileList::SetUp()
{
    if (m_autoSave)
        Load();
}

bool TMRUFileList::Load()
{
    const mru::SettingsLocation where = mru::settingsLocation(m_autoSaveName, m_autoSaveKey);
    if (!where.isValid())
        return false;
    const std::unique_ptr<QSettings> settings = openSettings(where);
    if (!settings)
        return true;
    // Up to MaxStoredEntries, not Maximum: a hand-edited longer list is shown
    // until the next addition.
    setItems(mru::readEntries(*settings, where.group));
    m_loaded = true;
    return true;
}

bool TMRUFileList::Save() const
{
    const mru::SettingsLocation where = mru::settingsLocation(m_autoSaveName, m_autoSaveKey);
    if (!where.isValid())
        return false;
    const std::unique_ptr<QSettings> settings = openSettings(where);
    if (!settings)
        return false;
    mru::writeEntries(*settings, where.group, m_items);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

void TMRUFileList::setSettingsFactory(SettingsFactory factory)
{
    m_settingsFactory = std::move(factory);
}

std::unique_ptr<QSettings> TMRUFileList::openSettings(const mru::SettingsLocation& where) const
{
    if (m_settingsFactory)
        return m_settingsFactory(where.organisation);
    // The same file as the native settings of the organisation, named so that
    // it is checked before QSettings opens it (which it does when made).
    const QString file = mru::userSettingsFile(where.organisation);
    m_settingsProblem = mru::settingsFileProblem(file);
    if (!m_settingsProblem.isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

void TMRUFileList::setItems(QStringList items)
{
    m_items = std::move(items);
    rebuildMenu();
}

void TMRUFileList::rebuildMenu()
{
    removeMenuItems();
    if (!m_menu || m_items.isEmpty())
        return;

    QAction* const before = m_anchor;
    auto* separator = new TMRUMenuItem(0, QString(), this);
    separator->setSeparator(true);
    m_menu->insertAction(before, separator);
    m_menuItems.append(separator);

    QMenu* target = m_menu;
    QAction* entriesBefore = before;
    if (m_useSubmenu) {
        if (!m_submenu)
            m_submenu = std::make_unique<QMenu>();
        m_submenu->setTitle(m_submenuName);
        m_menu->insertMenu(before, m_submenu.get());
        m_menuItems.append(m_submenu->menuAction());
        target = m_submenu.get();
        entriesBefore = nullptr;
    }

    for (int i = 0; i < m_items.size(); ++i) {
        auto* item = new TMRUMenuItem(i + 1, mru::entryCaption(i + 1, m_items.at(i)), this);
        connect(item, &QAction::triggered, this, [this, item] { itemClick(item->Number()); });
        target->insertAction(entriesBefore, item);
        m_menuItems.append(item);
    }
}

void TMRUFileList::removeMenuItems()
{
    for (const QPointer<QAction>& action : std::exchange(m_menuItems, {})) {
        if (!action)
            continue;
        if (m_menu)
            m_menu->removeAction(action);
        if (m_submenu)
            m_submenu->removeAction(action);
        // Deleted later: the rebuild may run inside the chosen item's own signal.
        if (qobject_cast<TMRUMenuItem*>(action))
            action->deleteLater();
    }
}

void TMRUFileList::itemClick(int number)
{
    const int index = number - 1;
    if (index < 0 || index >= m_items.size())
        return;
    const QString fileName = m_items.at(index);
    if (m_removeOnClick)
        RemoveItem(index);
    emit OnMRUItemClick(this, fileName);
}
