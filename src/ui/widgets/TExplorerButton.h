#pragma once

// TExplorerButton: a flat push button for button bars. At rest it has no
// border and shows a grey-shaded copy of its glyph; under the pointer it is
// raised and shows the glyph in colour; pressed it is sunken with the glyph one
// pixel right and down. Buttons of the same parent with the same GroupIndex
// (not 0) form a group in which at most one is Down. The button never takes
// keyboard focus; its access key ("&" in the caption) clicks it.
// Given a default action, as a QToolButton is, the button stands for that
// command: it shows the action's icon, tool tip, enabled and checked states,
// follows their changes and triggers the action when clicked.

#include "ui/widgets/ExplorerButtonPaint.h"

#include <QFlags>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <QMenu>

class QAction;

enum class TButtonOption {
    boMonoDisplay = 0x1,  // shaded glyph while the pointer is elsewhere
    boIconOnly = 0x2,  // no caption drawn; the caption serves as hint
    boPopupMark = 0x4,  // a small down-arrow beside the glyph with a drop-down menu
    boShowBevel = 0x8,  // the one-pixel bevel when raised or sunken
};
Q_DECLARE_FLAGS(TButtonOptions, TButtonOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TButtonOptions)

enum class TBevelStyle { Lowered, Raised };

class TExplorerButton : public QWidget {
    Q_OBJECT
public:
    explicit TExplorerButton(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QImage Bitmap() const { return m_bitmap; }
    void setBitmap(const QImage& bitmap);
    QImage NoFocusBitmap() const { return m_noFocusBitmap; }
    void setNoFocusBitmap(const QImage& bitmap);
    QImage DisabledBitmap() const { return m_disabledBitmap; }
    void setDisabledBitmap(const QImage& bitmap);
    ShadingType Shading() const { return m_shadingType; }
    void setShadingType(ShadingType type);
    QImage shadedCopy() const { return m_shaded; }

    TButtonOptions Options() const { return m_options; }
    void setOptions(TButtonOptions options);
    QString Hint() const { return m_hint; }
    void setHint(const QString& hint);
    bool ShowHint() const { return m_showHint; }
    void setShowHint(bool show);

    bool Down() const { return m_down; }
    void setDown(bool down);
    int GroupIndex() const { return m_groupIndex; }
    void setGroupIndex(int index);
    bool AllowAllUp() const { return m_allowAllUp; }
    void setAllowAllUp(bool allow);

    TButtonAlignment Alignment() const { return m_alignment; }
    void setAlignment(TButtonAlignment alignment);
    TButtonLayout Layout() const { return m_layout; }
    void setLayout(TButtonLayout layout);
    TBevelStyle BevelStyle() const { return m_bevelStyle; }
    void setBevelStyle(TBevelStyle style);
    bool ShowDownPattern() const { return m_showDownPattern; }
    void setShowDownPattern(bool show);
    QColor UnselectedFontColor() const;
    void setUnselectedFontColor(const QColor& color);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    QMenu* DropDownMenu() const { return m_dropDownMenu; }
    void setDropDownMenu(QMenu* menu);

    // The command the button stands for, or null. Its icon becomes the
    // glyph (drawn at ActionGlyphSize), its tool tip the hint; the button is
    // enabled as the action is and, when the action is checkable, Down while
    // it is checked. A click (OnClick) triggers it.
    QAction* DefaultAction() const { return m_defaultAction; }
    void setDefaultAction(QAction* action);
    static constexpr QSize ActionGlyphSize{16, 16};

    // Clicks the button as its access key does: only while enabled and shown.
    void click();

    bool MouseInside() const { return m_mouseInside; }
    bool Pressed() const { return m_pressed; }

    // Where the parts go at the current size, caption and glyph.
    ExplorerButtonGeometry paintGeometry() const;
    QSize sizeHint() const override;

signals:
    void OnClick();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QList<TExplorerButton*> groupMates() const;
    void press();
    void release(bool pointerInside);
    void remakeShadedCopy();
    void followDefaultAction();
    void showChecked(bool checked);
    void updateAccessKey();
    void updateToolTip();
    int textFlags() const;
    QSize captionSize() const;
    bool captionShown() const;
    void drawBevel(QPainter& p, bool raised) const;
    void drawCaption(QPainter& p, const QRect& rect, const QColor& color) const;
    void drawPopupMark(QPainter& p, QPoint anchor, const QColor& color) const;

    QString m_caption;
    QImage m_bitmap;
    QImage m_bitmapDrawn;  // with its transparent colour applied
    QImage m_noFocusBitmap;
    QImage m_disabledBitmap;
    QImage m_shaded;
    ShadingType m_shadingType = ShadingType::stMedium;
    TButtonOptions m_options = TButtonOption::boMonoDisplay | TButtonOption::boPopupMark | TButtonOption::boShowBevel;
    QString m_hint;
    bool m_showHint = false;
    bool m_down = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    TButtonAlignment m_alignment = TButtonAlignment::Center;
    TButtonLayout m_layout = TButtonLayout::GlyphTop;
    TBevelStyle m_bevelStyle = TBevelStyle::Raised;
    bool m_showDownPattern = true;
    QColor m_unselectedFontColor;  // invalid: window text
    bool m_wordWrap = false;
    QPointer<QMenu> m_dropDownMenu;
    bool m_mouseInside = false;
    bool m_pressed = false;
    int m_shortcutId = 0;
    QPointer<QAction> m_defaultAction;
    QMetaObject::Connection m_triggersAction;
    qint64 m_actionIconKey = 0;  // the icon the glyph was drawn from
};
