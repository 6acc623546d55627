#include "xp/DefaultStyle.h"

#include "xp/CUiResource.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTableView>

namespace XP {

namespace {

// The terminal's look on top of Fusion: flat edit boxes with a thin border,
// flat table headers, slim scroll bars without arrows. Drawn by a style
// rather than an application style sheet: a sheet makes Qt work out rules for
// every widget on every polish and paint, which costs a third of the
// terminal's start for a panel of several hundred widgets.
class CThemeStyle : public QProxyStyle
{
public:
    explicit CThemeStyle(CUiResource *res)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
        auto c = [res](const char *key) { return *res->getColor(QString::fromLatin1(key)); };
        m_tableGround = c("clr_table_background");
        m_text = c("clr_text_default");
        m_border = c("clr_edit_border");
        m_editGround = c("clr_edit_background");
        m_focus = c("clr_clickable_simple_text");
        m_disabled = c("clr_disable_color");
        m_panel = c("clr_panel_background");
        m_headerGround = c("clr_button_background");
    }

    void polish(QWidget *widget) override
    {
        QProxyStyle::polish(widget);
        // A read-only box shows its text like a disabled one.
        auto *edit = qobject_cast<QLineEdit *>(widget);
        if (edit && edit->isReadOnly()) {
            QPalette pal = edit->palette();
            pal.setColor(QPalette::Text, m_disabled);
            edit->setPalette(pal);
        }
    }
    using QProxyStyle::polish;

    // A tool bar's overflow button: a double chevron in the text colour. The
    // base style reads its picture from an image file, and the first image
    // read loads every image format plugin, which a tool bar built at start
    // would pay for before the first frame.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        const bool across = icon == SP_ToolBarHorizontalExtensionButton;
        if (!across && icon != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        QPixmap chevrons(kExtensionIcon, kExtensionIcon);
        chevrons.fill(Qt::transparent);
        QPainter p(&chevrons);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(m_text, 1.5));
        if (!across) {
            p.rotate(90);
            p.translate(0, -kExtensionIcon);
        }
        for (const qreal x : { 4.0, 9.0 })
            p.drawPolyline(QPolygonF({ { x, 4.0 }, { x + 3.5, 8.0 }, { x, 12.0 } }));
        p.end();
        return QIcon(chevrons);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        switch (metric) {
        case PM_ScrollBarExtent:
            return kScrollBarExtent;
        case PM_ScrollBarSliderMin:
            return 20;
        case PM_DefaultFrameWidth:
            if (qobject_cast<const QLineEdit *>(widget) || isSearchList(widget))
                return 1;
            break;
        default:
            break;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Table_GridLineColor)
            return int(m_border.rgba());
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        switch (element) {
        case PE_PanelLineEdit:
            if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
                // A box without a frame lets the ground under it show.
                if (frame->lineWidth > 0) {
                    const bool usable
                        = (option->state & State_Enabled) && !(option->state & State_ReadOnly);
                    drawBox(painter, option->rect, usable ? m_editGround : m_panel,
                            (option->state & State_HasFocus) ? m_focus : m_border);
                }
            }
            return;
        case PE_FrameLineEdit:
            return;
        case PE_PanelTipLabel:
            painter->fillRect(option->rect, m_tableGround);
            painter->setPen(m_border);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            return;
        default:
            break;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        switch (element) {
        case CE_HeaderSection:
            painter->fillRect(option->rect, m_headerGround);
            painter->setPen(m_border);
            painter->drawLine(option->rect.topRight(), option->rect.bottomRight());
            return;
        case CE_ShapedFrame:
            if (isSearchList(widget)) {
                painter->setPen(m_focus);
                painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
                return;
            }
            break;
        default:
            break;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override
    {
        if (control == CC_ScrollBar) {
            painter->fillRect(option->rect, m_tableGround);
            const QRect handle = subControlRect(control, option, SC_ScrollBarSlider, widget);
            if (handle.isValid()) {
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing);
                painter->setPen(Qt::NoPen);
                painter->setBrush(m_border);
                painter->drawRoundedRect(QRectF(handle).adjusted(1, 1, -1, -1), 4, 4);
                painter->restore();
            }
            return;
        }
        if (control == CC_ComboBox) {
            const bool usable = option->state & State_Enabled;
            drawBox(painter, option->rect, usable ? m_editGround : m_panel,
                    (option->state & State_HasFocus) ? m_focus : m_border);
            QStyleOption arrow(*option);
            arrow.rect
                = subControlRect(control, option, SC_ComboBoxArrow, widget).adjusted(3, 6, -5, -6);
            arrow.palette.setColor(QPalette::ButtonText, usable ? m_text : m_disabled);
            proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget) const override
    {
        if (control == CC_ScrollBar) {
            if (const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option))
                return scrollBarPart(*bar, sub);
        }
        if (control == CC_ComboBox) {
            const QRect r = option->rect;
            switch (sub) {
            case SC_ComboBoxArrow:
                return QRect(r.right() - kComboArrowWidth, r.top(), kComboArrowWidth, r.height());
            case SC_ComboBoxEditField:
                return r.adjusted(5, 1, -(kComboArrowWidth + 1), -1);
            default:
                break;
            }
        }
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }

    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override
    {
        if (element == SE_LineEditContents) {
            const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
            const int border = frame ? frame->lineWidth : 0;
            return option->rect.adjusted(border + 3, border, -(border + 3), -border);
        }
        return QProxyStyle::subElementRect(element, option, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override
    {
        if (type == CT_HeaderSection) {
            if (const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option)) {
                const QSize text = header->fontMetrics.size(0, header->text);
                return QSize(text.width() + 9, text.height() + 8);
            }
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

private:
    static constexpr int kScrollBarExtent = 10;
    static constexpr int kExtensionIcon = 16;
    static constexpr int kComboArrowWidth = 16;

    static bool isSearchList(const QWidget *widget)
    {
        return widget && widget->objectName() == QLatin1String("xp_autokeyboardlist");
    }

    // A one-pixel border whose corner pixels are left out, so that the box
    // reads as slightly rounded. Filled, not stroked: a panel draws some two
    // hundred of these, and stroking (rounded, antialiased or not) costs many
    // times more than filling a few rectangles.
    static void drawBox(QPainter *painter, const QRect &rect, const QColor &ground,
                        const QColor &edge)
    {
        if (rect.width() < 3 || rect.height() < 3)
            return;
        const int x = rect.x(), y = rect.y(), w = rect.width(), h = rect.height();
        painter->fillRect(QRect(x + 1, y + 1, w - 2, h - 2), ground);
        painter->fillRect(QRect(x + 1, y, w - 2, 1), edge);
        painter->fillRect(QRect(x + 1, y + h - 1, w - 2, 1), edge);
        painter->fillRect(QRect(x, y + 1, 1, h - 2), edge);
        painter->fillRect(QRect(x + w - 1, y + 1, 1, h - 2), edge);
    }

    // The bar has no arrow buttons: the groove is the whole bar and the
    // handle moves along all of it.
    static QRect scrollBarPart(const QStyleOptionSlider &bar, SubControl sub)
    {
        const QRect r = bar.rect;
        const bool across = bar.orientation == Qt::Horizontal;
        const int length = across ? r.width() : r.height();
        const int range = bar.maximum - bar.minimum;
        int handle = length;
        if (range > 0) {
            handle = int(qint64(length) * bar.pageStep / (qint64(range) + bar.pageStep));
            handle = qBound(qMin(20, length), handle, length);
        }
        const int start = sliderPositionFromValue(bar.minimum, bar.maximum, bar.sliderPosition,
                                                  length - handle, bar.upsideDown);
        auto part = [&](int from, int size) {
            return across ? QRect(r.left() + from, r.top(), size, r.height())
                          : QRect(r.left(), r.top() + from, r.width(), size);
        };
        switch (sub) {
        case SC_ScrollBarGroove:
            return r;
        case SC_ScrollBarSlider:
            return part(start, handle);
        case SC_ScrollBarSubPage:
            return part(0, start);
        case SC_ScrollBarAddPage:
            return part(start + handle, length - start - handle);
        default:
            return QRect();
        }
    }

    QColor m_tableGround;
    QColor m_text;
    QColor m_border;
    QColor m_editGround;
    QColor m_focus;
    QColor m_disabled;
    QColor m_panel;
    QColor m_headerGround;
};

QPalette palette(CUiResource *res)
{
    auto c = [res](const char *key) { return *res->getColor(QString::fromLatin1(key)); };
    QPalette pal;
    pal.setColor(QPalette::Window, c("clr_panel_background"));
    pal.setColor(QPalette::WindowText, c("clr_text_default"));
    pal.setColor(QPalette::Base, c("clr_edit_background"));
    pal.setColor(QPalette::AlternateBase, c("clr_table_background2"));
    pal.setColor(QPalette::Text, c("clr_text_default"));
    pal.setColor(QPalette::Button, c("clr_button_background"));
    pal.setColor(QPalette::ButtonText, c("clr_text_default"));
    pal.setColor(QPalette::Highlight, c("clr_selection_background"));
    pal.setColor(QPalette::HighlightedText, c("clr_text_on_button"));
    pal.setColor(QPalette::ToolTipBase, c("clr_table_background"));
    pal.setColor(QPalette::ToolTipText, c("clr_text_default"));
    pal.setColor(QPalette::PlaceholderText, c("clr_disable_color"));
    pal.setColor(QPalette::Link, c("clr_clickable_simple_text"));
    for (QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        pal.setColor(QPalette::Disabled, role, c("clr_disable_color"));
    return pal;
}

} // namespace

void applyDefaultStyle(QApplication *app)
{
    if (!app)
        return;
    CUiResource *res = uiResource();
    QApplication::setStyle(new CThemeStyle(res));
    const QPalette pal = palette(res);
    QApplication::setPalette(pal);
    QPalette table = pal;
    table.setColor(QPalette::Base, *res->getColor(QStringLiteral("clr_table_background")));
    QApplication::setPalette(table, "QTableView");
    // The font goes through the application: widgets that take a font of
    // their own from the theme keep it.
    QApplication::setFont(*res->getFont(QStringLiteral("fnt_default_normal_fix")));
    app->setStyleSheet(QString());
}

} // namespace XP
