#include "qt/resources.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTreeView>
#include <QTreeWidget>

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

void BuildFromTemplate(QDialog& dialog, const DialogTemplate& dialogTemplate)
{
    QFont font = TemplateFont(dialogTemplate);
    DialogUnits units(font);
    dialog.setObjectName(QString::fromLatin1(dialogTemplate.name));
    dialog.setFont(font);
    dialog.setWindowTitle(QString::fromLatin1(dialogTemplate.caption));
    // Caption, system menu and modal frame: closed from the frame, never resized.
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFixedSize(units.X(dialogTemplate.cx), units.Y(dialogTemplate.cy));
    for (size_t i = 0; i < dialogTemplate.count; ++i) {
        const TemplateItem& item = dialogTemplate.items[i];
        QWidget* widget = CreateItem(dialog, item, units);
        widget->setObjectName(QString::fromLatin1(item.name));
        widget->setGeometry(units.Rect(item.x, item.y, item.cx, item.cy));
    }
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

QIcon IconResource(int id)
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64})
        icon.addPixmap(IconImage(id, QSize(side, side)));
    return icon;
}
