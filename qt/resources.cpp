#include "qt/resources.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QIconEngine>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

QWidget* CreateItem(QDialog& dialog, const TemplateItem& item, const DialogUnits& units)
{
    const QString text = QString::fromLatin1(item.text ? item.text : "");
    QRect rect = units.Rect(item.x, item.y, item.cx, item.cy);
    switch (item.kind) {
    case TemplateItemKind::PushButton:
    case TemplateItemKind::DefPushButton: {
        auto* button = new QPushButton(text, &dialog);
        button->setDefault(item.kind == TemplateItemKind::DefPushButton);
        return button;
    }
    case TemplateItemKind::Text: {
        auto* label = new QLabel(text, &dialog);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case TemplateItemKind::Icon: {
        auto* label = new QLabel(&dialog);
        int side = std::min(rect.width(), rect.height());
        label->setPixmap(IconImage(item.icon, QSize(side, side)));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case TemplateItemKind::TreeView: {
        auto* tree = new QTreeWidget(&dialog);
        tree->setHeaderHidden(true);
        tree->setColumnCount(1);
        tree->setRootIsDecorated(true);
        return tree;
    }
    case TemplateItemKind::ListView:
        return new QTreeView(&dialog);
    }
    return nullptr;
}

// Keeps a resizable dialog's items where the template put them, relative to the edges.
class TemplateLayout : public QObject {
public:
    TemplateLayout(QDialog& dialog, const DialogTemplate& dialogTemplate)
        : QObject(&dialog), m_base(dialog.size())
    {
        for (size_t i = 0; i < dialogTemplate.count; ++i) {
            const TemplateItem& item = dialogTemplate.items[i];
            auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(item.name));
            Placement placement;
            if (item.kind == TemplateItemKind::TreeView || item.kind == TemplateItemKind::ListView)
                placement = Placement::Grow;
            else if (std::abs(2 * item.x + item.cx - dialogTemplate.cx) <= kMiddleSlack)
                placement = Placement::Middle;
            else
                placement = 2 * item.x + item.cx > dialogTemplate.cx ? Placement::Right : Placement::Left;
            m_items.push_back({widget, widget->geometry(), placement});
        }
        dialog.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            Place(static_cast<QWidget*>(watched)->size());
        return false;
    }

private:
    enum class Placement { Grow, Left, Middle, Right };
    static constexpr int kMiddleSlack = 8; // dialog units off the middle that still count as centred

    void Place(QSize size)
    {
        int dx = std::max(0, size.width() - m_base.width());
        int dy = std::max(0, size.height() - m_base.height());
        for (const Item& item : m_items) {
            switch (item.placement) {
            case Placement::Grow:
                item.widget->setGeometry(item.rect.adjusted(0, 0, dx, dy));
                break;
            case Placement::Left:
                item.widget->setGeometry(item.rect.translated(0, dy));
                break;
            case Placement::Middle:
                item.widget->setGeometry(item.rect.translated(dx / 2, dy));
                break;
            case Placement::Right:
                item.widget->setGeometry(item.rect.translated(dx, dy));
                break;
            }
        }
    }

    struct Item {
        QWidget* widget;
        QRect rect;
        Placement placement;
    };
    QSize m_base;
    std::vector<Item> m_items;
};

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, as the dialog manager measures it.
    int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (letters / 26 + 1) / 2;
    m_baseY = metrics.height();
}

QFont TemplateFont(const DialogTemplate& dialogTemplate)
{
    QFont font;
    font.setFamilies({QString::fromLatin1(dialogTemplate.font), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(dialogTemplate.pointSize);
    return font;
}

void BuildFromTemplate(QDialog& dialog, const DialogTemplate& dialogTemplate, Sizing sizing)
{
    QFont font = TemplateFont(dialogTemplate);
    DialogUnits units(font);
    dialog.setObjectName(QString::fromLatin1(dialogTemplate.name));
    dialog.setFont(font);
    dialog.setWindowTitle(QString::fromLatin1(dialogTemplate.caption));
    // Caption, system menu and a frame; the lists' windows may also be resized.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    QSize size(units.X(dialogTemplate.cx), units.Y(dialogTemplate.cy));
    if (sizing == Sizing::Resizable) {
        dialog.setWindowFlags(flags | Qt::WindowMaximizeButtonHint);
        dialog.setMinimumSize(size);
        dialog.resize(size);
    } else {
        dialog.setWindowFlags(flags);
        dialog.setFixedSize(size);
    }
    for (size_t i = 0; i < dialogTemplate.count; ++i) {
        const TemplateItem& item = dialogTemplate.items[i];
        QWidget* widget = CreateItem(dialog, item, units);
        widget->setObjectName(QString::fromLatin1(item.name));
        widget->setGeometry(units.Rect(item.x, item.y, item.cx, item.cy));
    }
    if (sizing == Sizing::Resizable)
        new TemplateLayout(dialog, dialogTemplate);
}

QPixmap IconImage(int id, QSize size)
{
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(id));
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QPixmap image(size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

namespace {

// An icon drawn from its SVG at the size asked for, when asked: a window's icon is
// wanted at a size or two, if at all, and each drawing of the SVG costs the start.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(int id) : m_id(id) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap image = IconImage(m_id, size);
        if (mode == QIcon::Normal || mode == QIcon::Active)
            return image;
        QStyleOption option;
        return QApplication::style()->generatedIconPixmap(mode, image, &option);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }
    QIconEngine* clone() const override { return new SvgIconEngine(m_id); }

private:
    int m_id;
};

} // namespace

QIcon IconResource(int id)
{
    return QIcon(new SvgIconEngine(id));
}
