#pragma once

// Column definitions of TSuperGrid: per grid column the header title, the
// alignments, colours and fonts, how overlong text is cut, and whether the
// column holds check boxes.

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

enum class TAlignment { Left = 0, Right = 1, Center = 2 };
enum class TVerticalLayout { Top = 0, Center = 1, Bottom = 2 };
enum class TOverflow { Clip = 0, Ellipsis = 1, WordWrap = 2 };
enum class TBevel { None = 0, Lowered = 1, Raised = 2 };
enum class TControlKind { Text = 0, CheckBox = 1 };
enum class TCheckBoxStyle { Standard = 0, CheckMark = 1, Plain = 2 };

// An invalid QColor stands for the system colour named in the comment; the grid
// resolves it from its palette when painting, so a theme change is followed.
struct TColumn {
    QStringList Title;
    TAlignment TitleAlignment = TAlignment::Left;
    TAlignment Alignment = TAlignment::Left;
    QColor TitleColor;  // invalid: button face
    QColor Color;  // invalid: window (base) colour
    QFont TitleFont;  // the grid's own font unless set
    QColor TitleFontColor;  // invalid: window text
    bool TitleFontSet = false;
    QFont Font;
    QColor FontColor;  // invalid: window text
    bool FontSet = false;
    TOverflow Overflow = TOverflow::Clip;
    TBevel TitleBevelInner = TBevel::None;
    TBevel TitleBevelOuter = TBevel::None;
    int TitleBorderWidth = 0;
    int TitleBevelWidth = 1;
    TVerticalLayout TitleLayout = TVerticalLayout::Center;
    TVerticalLayout Layout = TVerticalLayout::Top;
    TControlKind ControlKind = TControlKind::Text;
    TCheckBoxStyle CheckBoxStyle = TCheckBoxStyle::Standard;
    bool CheckedDefault = false;

    void setTitleFont(const QFont& font)
    {
        TitleFont = font;
        TitleFontSet = true;
    }
    void setFont(const QFont& font)
    {
        Font = font;
        FontSet = true;
    }
    bool operator==(const TColumn&) const = default;
};

// The ordered list of definitions; definition i applies to grid column i.
// Every change notifies the owner (the grid repaints); copying copies the
// definitions and options but never the owner's notification.
class TColumns {
public:
    TColumns() = default;
    TColumns(const TColumns& other);
    TColumns& operator=(const TColumns& other);

    int count() const { return static_cast<int>(m_items.size()); }
    const TColumn& item(int index) const { return m_items.at(index); }
    const TColumn& operator[](int index) const { return m_items.at(index); }

    void add(const TColumn& column);
    void insert(int index, const TColumn& column);
    void remove(int index);
    void move(int from, int to);
    void clear();
    void setItem(int index, const TColumn& column);
    void setTitle(int index, const QStringList& title);
    void setTitleFont(int index, const QFont& font);
    void setFont(int index, const QFont& font);

    QString PropertyVersion() const { return m_propertyVersion; }
    bool UseOddRowColor() const { return m_useOddRowColor; }
    QColor OddRowColor() const { return m_oddRowColor; }
    bool UseEvenRowColor() const { return m_useEvenRowColor; }
    QColor EvenRowColor() const { return m_evenRowColor; }
    void setUseOddRowColor(bool value);
    void setOddRowColor(const QColor& value);
    void setUseEvenRowColor(bool value);
    void setEvenRowColor(const QColor& value);

    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    void changed() const;

    QList<TColumn> m_items;
    QString m_propertyVersion = QStringLiteral("1.3");
    bool m_useOddRowColor = false;
    QColor m_oddRowColor;  // invalid: window colour
    bool m_useEvenRowColor = false;
    QColor m_evenRowColor;
    std::function<void()> m_onChange;
};
