#pragma once
// Resources as Qt sees them: dialog templates turned into widgets, and the icons.
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>

#include "res/dialog_templates.h"

class QDialog;

// Dialog units of a font, converted as the dialog manager does: horizontal units are
// a quarter of the font's average character width, vertical ones an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const { return (units * m_baseX + 2) / 4; }
    int Y(int units) const { return (units * m_baseY + 4) / 8; }
    QRect Rect(int x, int y, int cx, int cy) const { return QRect(X(x), Y(y), X(cx), Y(cy)); }
    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

private:
    int m_baseX;
    int m_baseY;
};

// The template's font, or the closest sans-serif when it is missing.
QFont TemplateFont(const DialogTemplate& dialogTemplate);
enum class Sizing { Fixed, Resizable };
// Gives the dialog the template's font, caption and size, and creates its items as
// widgets named after them, in tab order. A resizable dialog starts at the template's
// size, which is also its minimum; its lists grow with it, and the other items keep
// their place relative to the bottom edge (and to the left, the middle or the right,
// whichever they sit nearest).
void BuildFromTemplate(QDialog& dialog, const DialogTemplate& dialogTemplate, Sizing sizing = Sizing::Fixed);

// Icon resource id drawn at size, keeping its proportions; transparent around it.
QPixmap IconImage(int id, QSize size);
// Icon resource id at the usual icon sizes.
QIcon IconResource(int id);
