#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "qt/resources.h"

// Whatever sans-serif stands in for the templates' fonts, every item lies where its
// dialog units put it, inside its window, and every text fits its item: nothing is clipped.
TEST(DialogTemplates, ItemsInsideTheirWindowAndTextsUnclipped)
{
    for (const DialogTemplate* t : {&kAboutTemplate, &kMainTemplate, &kDetailTemplate}) {
        QDialog dialog;
        BuildFromTemplate(dialog, *t);
        DialogUnits units(dialog.font());
        EXPECT_EQ(dialog.size(), QSize(units.X(t->cx), units.Y(t->cy))) << t->id;
        for (size_t i = 0; i < t->count; ++i) {
            const TemplateItem& item = t->items[i];
            auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(item.name));
            ASSERT_NE(widget, nullptr) << item.name;
            EXPECT_EQ(widget->geometry(), units.Rect(item.x, item.y, item.cx, item.cy)) << item.name;
            EXPECT_TRUE(dialog.rect().contains(widget->geometry())) << item.name;
            int needed = widget->fontMetrics().horizontalAdvance(QString::fromLatin1(item.text));
            if (auto* button = qobject_cast<QPushButton*>(widget))
                needed += 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
            EXPECT_LE(needed, widget->width()) << item.name;
            EXPECT_LE(widget->fontMetrics().height(), widget->height()) << item.name;
        }
    }
    // The About box's second line, for a larger table than any seen.
    QDialog about;
    BuildFromTemplate(about, kAboutTemplate);
    auto* second = about.findChild<QLabel*>(QStringLiteral("secondLine"));
    EXPECT_LE(second->fontMetrics().horizontalAdvance(QStringLiteral("SMBIOS 3.10, 999 structures")), second->width());
}
