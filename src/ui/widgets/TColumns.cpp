#include "ui/widgets/TColumns.h"

TColumns::TColumns(const TColumns& other)
    : m_items(other.m_items)
    , m_propertyVersion(other.m_propertyVersion)
    , m_useOddRowColor(other.m_useOddRowColor)
    , m_oddRowColor(other.m_oddRowColor)
    , m_useEvenRowColor(other.m_useEvenRowColor)
    , m_evenRowColor(other.m_evenRowColor)
{
}

TColumns& TColumns::operator=(const TColumns& other)
{
    if (this != &other) {
        m_items = other.m_items;
        m_propertyVersion = other.m_propertyVersion;
        m_useOddRowColor = other.m_useOddRowColor;
        m_oddRowColor = other.m_oddRowColor;
        m_useEvenRowColor = other.m_useEvenRowColor;
        m_evenRowColor = other.m_evenRowColor;
        changed();
    }
    return *this;
}

void TColumns::changed() const
{
    if (m_onChange)
        m_onChange();
}

void TColumns::add(const TColumn& column)
{
    m_items.append(column);
    changed();
}

void TColumns::insert(int index, const TColumn& column)
{
    m_items.insert(index, column);
    changed();
}

void TColumns::remove(int index)
{
    m_items.removeAt(index);
    changed();
}

void TColumns::move(int from, int to)
{
    // A move beyond the list first fills it with default definitions, so the
    // definition keeps following its column.
    while (m_items.size() <= std::max(from, to))
        m_items.append(TColumn{});
    m_items.move(from, to);
    changed();
}

void TColumns::clear()
{
    m_items.clear();
    changed();
}

void TColumns::setItem(int index, const TColumn& column)
{
    m_items[index] = column;
    changed();
}

void TColumns::setTitle(int index, const QStringList& title)
{
    m_items[index].Title = title;
    changed();
}

void TColumns::setTitleFont(int index, const QFont& font)
{
    m_items[index].setTitleFont(font);
    changed();
}

void TColumns::setFont(int index, const QFont& font)
{
    m_items[index].setFont(font);
    changed();
}

void TColumns::setUseOddRowColor(bool value)
{
    if (value != m_useOddRowColor) {
        m_useOddRowColor = value;
        changed();
    }
}

void TColumns::setOddRowColor(const QColor& value)
{
    if (value != m_oddRowColor) {
        m_oddRowColor = value;
        changed();
    }
}

void TColumns::setUseEvenRowColor(bool value)
{
    if (value != m_useEvenRowColor) {
        m_useEvenRowColor = value;
        changed();
    }
}

void TColumns::setEvenRowColor(const QColor& value)
{
    if (value != m_evenRowColor) {
        m_evenRowColor = value;
        changed();
    }
}
