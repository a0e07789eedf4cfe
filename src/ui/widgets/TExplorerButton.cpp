#include "ui/widgets/TExplorerButton.h"

#include "ui/widgets/WidgetAccessibility.h"

#include <QAction>
#include <QCursor>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace {
// One pattern for all buttons, made when first needed.
const QPixmap& sharedCheckerboard(const QPalette& palette)
{
    static QPixmap pattern
        = QPixmap::fromImage(checkerboardPattern(palette.color(QPalette::Button), palette.color(QPalette::Light)));
    return pattern;
}
}  // namespace

TExplorerButton::TExplorerButton(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, false);
    widgetaccessibility::install();
}

// ---- properties -------------------------------------------------------------

void TExplorerButton::setCaption(const QString& caption)
{
    m_caption = caption;
    if (m_options & TButtonOption::boIconOnly)
        setHint(stripAccessKeyMarks(caption));
    updateAccessKey();
    updateGeometry();
    update();
}

void TExplorerButton::setOptions(TButtonOptions options)
{
    m_options = options;
    const QString plain = stripAccessKeyMarks(m_caption);
    if ((options & TButtonOption::boIconOnly) && m_hint.isEmpty()) {
        m_hint = plain;
        m_showHint = true;
    } else if (!(options & TButtonOption::boIconOnly) && m_hint == plain) {
        m_hint.clear();
        m_showHint = false;
    }
    updateToolTip();
    updateGeometry();
    update();
}

void TExplorerButton::setHint(const QString& hint)
{
    m_hint = hint;
    updateToolTip();
}

void TExplorerButton::setShowHint(bool show)
{
    m_showHint = show;
    updateToolTip();
}

void TExplorerButton::updateToolTip()
{
    setToolTip(m_showHint ? m_hint : QString());
}

void TExplorerButton::setBitmap(const QImage& bitmap)
{
    m_bitmap = bitmap;
    m_bitmapDrawn = transparentGlyph(bitmap);
    remakeShadedCopy();
    updateGeometry();
    update();
}

void TExplorerButton::setNoFocusBitmap(const QImage& bitmap)
{
    m_noFocusBitmap = transparentGlyph(bitmap);
    remakeShadedCopy();
    update();
}

void TExplorerButton::setDisabledBitmap(const QImage& bitmap)
{
    m_disabledBitmap = transparentGlyph(bitmap);
    update();
}

void TExplorerButton::setShadingType(ShadingType type)
{
    m_shadingType = type;
    remakeShadedCopy();
    update();
}

void TExplorerButton::remakeShadedCopy()
{
    if (m_bitmap.isNull() || !m_noFocusBitmap.isNull())
        return;
    m_shaded = transparentGlyph(
        shadedGlyph(m_bitmap, m_shadingType, palette().color(QPalette::Light), palette().color(QPalette::Dark)));
}

QList<TExplorerButton*> TExplorerButton::groupMates() const
{
    QList<TExplorerButton*> mates;
    if (m_groupIndex == 0 || !parentWidget())
        return mates;
    const auto siblings = parentWidget()->findChildren<TExplorerButton*>(Qt::FindDirectChildrenOnly);
    for (TExplorerButton* b : siblings)
        if (b != this && b->m_groupIndex == m_groupIndex)
            mates << b;
    return mates;
}

void TExplorerButton::setDown(bool down)
{
    if (m_groupIndex == 0 || down == m_down)
        return;
    m_down = down;
    update();
    if (down) {
        for (TExplorerButton* mate : groupMates()) {
            if (mate->m_down) {
                mate->m_down = false;
                mate->update();
            }
        }
    }
}

void TExplorerButton::setGroupIndex(int index)
{
    m_groupIndex = index;
    if (index == 0 && m_down) {
        m_down = false;
        update();
    }
}

void TExplorerButton::setAllowAllUp(bool allow)
{
    m_allowAllUp = allow;
    for (TExplorerButton* mate : groupMates())
        mate->m_allowAllUp = allow;
}

void TExplorerButton::setAlignment(TButtonAlignment alignment)
{
    m_alignment = alignment;
    update();
}

void TExplorerButton::setLayout(TButtonLayout layout)
{
    m_layout = layout;
    updateGeometry();
    update();
}

void TExplorerButton::setBevelStyle(TBevelStyle style)
{
    m_bevelStyle = style;
    update();
}

void TExplorerButton::setShowDownPattern(bool show)
{
    m_showDownPattern = show;
    update();
}

QColor TExplorerButton::UnselectedFontColor() const
{
    return m_unselectedFontColor.isValid() ? m_unselectedFontColor : palette().color(QPalette::WindowText);
}

void TExplorerButton::setUnselectedFontColor(const QColor& color)
{
    m_unselectedFontColor = color;
    update();
}

void TExplorerButton::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    updateGeometry();
    update();
}

void TExplorerButton::setDropDownMenu(QMenu* menu)
{
    m_dropDownMenu = menu;
    update();
}

void TExplorerButton::setDefaultAction(QAction* action)
{
    if (action == m_defaultAction)
        return;
    if (m_defaultAction)
        disconnect(m_defaultAction, nullptr, this, nullptr);
    disconnect(m_triggersAction);
    m_defaultAction = action;
    m_actionIconKey = 0;
    if (!action)
        return;
    connect(action, &QAction::changed, this, &TExplorerButton::followDefaultAction);
    m_triggersAction = connect(this, &TExplorerButton::OnClick, action, &QAction::trigger);
    followDefaultAction();
}

void TExplorerButton::followDefaultAction()
{
    const QAction* action = m_defaultAction;
    if (!action)
        return;
    // The action says "changed" for every property: the glyph and its shaded
    // copy are drawn again only for a new icon.
    const QIcon icon = action->icon();
    if (icon.cacheKey() != m_actionIconKey) {
        m_actionIconKey = icon.cacheKey();
        setBitmap(icon.isNull() ? QImage() : icon.pixmap(ActionGlyphSize, devicePixelRatioF()).toImage());
    }
    if (action->toolTip() != m_hint)
        setHint(action->toolTip());
    setEnabled(action->isEnabled());
    if (action->isCheckable())
        showChecked(action->isChecked());
}

void TExplorerButton::showChecked(bool checked)
{
    if (checked == m_down)
        return;
    if (m_groupIndex != 0) {
        setDown(checked);
    } else {
        m_down = checked;
        update();
    }
}

void TExplorerButton::updateAccessKey()
{
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
    if (!accessKeyOf(m_caption).isNull())
        m_shortcutId = grabShortcut(QKeySequence::mnemonic(m_caption));
}

// ---- input ------------------------------------------------------------------

bool TExplorerButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() == m_shortcutId)
            click();
        return true;
    }
    return QWidget::event(event);
}

void TExplorerButton::click()
{
    if (!isEnabled() || !isVisible())
        return;
    m_mouseInside = true;
    m_pressed = false;
    update();
    press();
    if (m_pressed)
        release(true);
    m_mouseInside = rect().contains(mapFromGlobal(QCursor::pos())) && underMouse();
    update();
}

void TExplorerButton::enterEvent(QEnterEvent*)
{
    m_mouseInside = true;
    if (!m_down && isEnabled())
        update();
}

void TExplorerButton::leaveEvent(QEvent*)
{
    m_mouseInside = false;
    if (!m_down && isEnabled())
        update();
}

void TExplorerButton::press()
{
    m_pressed = true;
    m_mouseInside = true;
    repaint();
    if (m_dropDownMenu) {
        m_dropDownMenu->exec(mapToGlobal(QPoint(0, height())));
        m_mouseInside = rect().contains(mapFromGlobal(QCursor::pos()));
        m_pressed = false;
        update();
    }
}

void TExplorerButton::release(bool pointerInside)
{
    m_pressed = false;
    m_mouseInside = pointerInside;
    if (m_mouseInside && m_groupIndex != 0) {
        if (!m_down)
            setDown(true);
        else if (m_allowAllUp) {
            m_down = false;
        }
    }
    update();
    if (pointerInside && !m_dropDownMenu)
        emit OnClick();
}

void TExplorerButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled() && isVisible())
        press();
}

void TExplorerButton::mouseMoveEvent(QMouseEvent* event)
{
    // While the button holds the mouse, dragging off and back on changes its look.
    if (!m_pressed)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_mouseInside) {
        m_mouseInside = inside;
        update();
    }
}

void TExplorerButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled() && isVisible() && m_pressed)
        release(rect().contains(event->position().toPoint()));
}

void TExplorerButton::contextMenuEvent(QContextMenuEvent* event)
{
    // The parent shows its menu; the button must not stay pressed behind it.
    m_pressed = false;
    m_mouseInside = rect().contains(event->pos());
    update();
    event->ignore();
}

void TExplorerButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (m_groupIndex == 0)
            m_down = false;
        m_pressed = false;
        m_mouseInside = false;
        update();
    } else if (event->type() == QEvent::PaletteChange) {
        remakeShadedCopy();
    }
    QWidget::changeEvent(event);
}

// ---- painting ---------------------------------------------------------------

bool TExplorerButton::captionShown() const
{
    return !(m_options & TButtonOption::boIconOnly) && !m_caption.isEmpty();
}

int TExplorerButton::textFlags() const
{
    int flags = Qt::TextShowMnemonic | Qt::AlignTop;
    switch (m_alignment) {
    case TButtonAlignment::Left:
        flags |= Qt::AlignLeft;
        break;
    case TButtonAlignment::Right:
        flags |= Qt::AlignRight;
        break;
    case TButtonAlignment::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    flags |= m_wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    return flags;
}

QSize TExplorerButton::captionSize() const
{
    if (!captionShown())
        return {};
    const QString text = m_wordWrap ? m_caption + u' ' : m_caption;
    return fontMetrics().boundingRect(QRect(0, 0, std::max(width() - 4, 1), 10000), textFlags(), text).size();
}

ExplorerButtonGeometry TExplorerButton::paintGeometry() const
{
    ExplorerButtonLayoutInput in;
    in.button = size();
    in.text = captionSize();
    in.glyph = logicalGlyphSize(m_bitmap);
    in.popupMark = (m_options & TButtonOption::boPopupMark) && m_dropDownMenu;
    in.layout = m_layout;
    in.alignment = m_alignment;
    in.wordWrap = m_wordWrap;
    return explorerButtonLayout(in);
}

QSize TExplorerButton::sizeHint() const
{
    QSize text;
    if (captionShown())
        text = fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), textFlags() & ~Qt::TextWordWrap, m_caption).size();
    const QSize glyph = logicalGlyphSize(m_bitmap);
    const int popup = (m_options & TButtonOption::boPopupMark) && m_dropDownMenu ? 10 : 0;
    const int sp = text.isEmpty() ? 0 : 2;
    if (m_layout == TButtonLayout::GlyphLeft || m_layout == TButtonLayout::GlyphRight)
        return {glyph.width() + popup + sp + text.width() + 10, std::max(glyph.height(), text.height()) + 8};
    return {std::max(glyph.width() + popup, text.width()) + 10, glyph.height() + sp + text.height() + 8};
}

void TExplorerButton::drawBevel(QPainter& p, bool raised) const
{
    if (!(m_options & TButtonOption::boShowBevel))
        return;
    if (m_bevelStyle == TBevelStyle::Lowered)
        raised = !raised;
    const QColor topLeft = palette().color(raised ? QPalette::Light : QPalette::Dark);
    const QColor bottomRight = palette().color(raised ? QPalette::Dark : QPalette::Light);
    const int w = width();
    const int h = height();
    p.fillRect(0, 0, w, 1, topLeft);
    p.fillRect(0, 0, 1, h, topLeft);
    p.fillRect(0, h - 1, w, 1, bottomRight);
    p.fillRect(w - 1, 0, 1, h, bottomRight);
}

void TExplorerButton::drawCaption(QPainter& p, const QRect& rect, const QColor& color) const
{
    if (!captionShown())
        return;
    p.setPen(color);
    p.drawText(rect, textFlags() | Qt::TextDontClip, m_caption);
}

void TExplorerButton::drawPopupMark(QPainter& p, QPoint anchor, const QColor& color) const
{
    if (!(m_options & TButtonOption::boPopupMark) || !m_dropDownMenu)
        return;
    for (const QPoint& pixel : popupMarkPixels(anchor))
        p.fillRect(pixel.x(), pixel.y(), 1, 1, color);
}

void TExplorerButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    if (m_down && m_showDownPattern)
        p.fillRect(rect(), QBrush(sharedCheckerboard(palette())));

    const ExplorerButtonGeometry g = paintGeometry();
    QRect textRect = g.text;
    const QColor fontColor = palette().color(QPalette::ButtonText);

    if (isEnabled()) {
        if ((m_pressed && m_mouseInside) || m_down) {
            drawBevel(p, false);
            if (m_bevelStyle == TBevelStyle::Raised)
                textRect.translate(1, 1);
            drawCaption(p, textRect, fontColor);
            if (!m_bitmapDrawn.isNull())
                p.drawImage(g.glyph + QPoint(1, 1), m_bitmapDrawn);
            drawPopupMark(p, g.markSunken, fontColor);
        } else {
            QColor color = fontColor;
            if (m_mouseInside)
                drawBevel(p, true);
            else
                color = UnselectedFontColor();
            if (m_bevelStyle == TBevelStyle::Lowered)
                textRect.translate(1, 1);
            drawCaption(p, textRect, color);
            const bool mono = !m_mouseInside && (m_options & TButtonOption::boMonoDisplay);
            const QImage& glyph = !mono ? m_bitmapDrawn : (!m_noFocusBitmap.isNull() ? m_noFocusBitmap : m_shaded);
            if (!glyph.isNull())
                p.drawImage(g.glyph, glyph);
            drawPopupMark(p, g.markRaised, color);
        }
        return;
    }

    if (m_down)
        drawBevel(p, false);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    if (!m_disabledBitmap.isNull()) {
        p.drawImage(g.glyph, m_disabledBitmap);
    } else if (!m_bitmap.isNull()) {
        p.drawImage(g.glyph + QPoint(1, 1), etchedPixelsIn(m_bitmap, light));
        p.drawImage(g.glyph, etchedPixelsIn(m_bitmap, dark));
    }
    drawCaption(p, textRect.translated(1, 1), light);
    drawCaption(p, textRect, dark);
}
