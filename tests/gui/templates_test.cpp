#include <gtest/gtest.h>

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "tests/gui/gui_helpers.h"
#include "ui/qt_resources.h"

namespace {

// The width a text needs in a widget, with the style's margins for a button.
int NeededWidth(QWidget* widget, const QString& text)
{
    int width = widget->fontMetrics().horizontalAdvance(text);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        width += 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    return width;
}

} // namespace

// Whatever sans-serif stands in for the templates' fonts, every item lies inside its
// window and every text fits its item: nothing is clipped.
TEST(DialogTemplates, ItemsInsideTheirWindowAndTextsUnclipped)
{
    for (const DialogTemplate* t : {&kAboutTemplate, &kMainTemplate, &kDetailTemplate}) {
        QDialog dialog;
        BuildFromTemplate(dialog, *t);
        DialogUnits units(dialog.font());
        EXPECT_EQ(dialog.size(), QSize(units.X(t->cx), units.Y(t->cy))) << t->id;
        EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(t->caption)) << t->id;
        for (size_t i = 0; i < t->count; ++i) {
            const TemplateItem& item = t->items[i];
            auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(item.name));
            ASSERT_NE(widget, nullptr) << item.name;
            EXPECT_EQ(widget->geometry(), units.Rect(item.x, item.y, item.cx, item.cy)) << item.name;
            EXPECT_TRUE(dialog.rect().contains(widget->geometry())) << item.name;
            if (item.kind != TemplateItemKind::TreeView && item.kind != TemplateItemKind::ListView &&
                item.kind != TemplateItemKind::Icon) {
                QString text = QString::fromLatin1(item.text);
                EXPECT_LE(NeededWidth(widget, text), widget->width()) << item.name;
                EXPECT_LE(widget->fontMetrics().height(), widget->height()) << item.name;
            }
        }
    }
    // The About box's second line, for a larger table than any seen.
    QDialog about;
    BuildFromTemplate(about, kAboutTemplate);
    auto* second = about.findChild<QLabel*>(QStringLiteral("secondLine"));
    EXPECT_LE(second->fontMetrics().horizontalAdvance(QStringLiteral("SMBIOS 3.10, 999 structures")), second->width());
}
