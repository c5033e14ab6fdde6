#include "qt/controls.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "ui/rows_text.h"

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

class CutOffTipDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        // An item's own tooltip (the root's warning) comes after its cut-off text.
        QString text = CutOffText(view, index);
        QString own = index.data(Qt::ToolTipRole).toString();
        if (!own.isEmpty())
            text = text.isEmpty() ? own : text + QLatin1Char('\n') + own;
        if (text.isEmpty()) {
            QToolTip::hideText();
            return true;
        }
        // Escaped, so that a table string that looks like markup shows as it is.
        QToolTip::showText(event->globalPos(),
                           QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped()),
                           view->viewport(), option.rect);
        return true;
    }
};

} // namespace

QString CutOffText(const QAbstractItemView* view, const QModelIndex& index)
{
    if (!index.isValid())
        return {};
    QString text = index.data(Qt::DisplayRole).toString();
    QRect shown = view->visualRect(index).intersected(view->viewport()->rect());
    return !text.isEmpty() && view->sizeHintForIndex(index).width() > shown.width() ? text : QString();
}

void ShowCutOffTextsAsTips(QAbstractItemView* view)
{
    view->setItemDelegate(new CutOffTipDelegate(view));
}

QColor ColorFromRef(uint32_t color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void QtTreeControl::SetImageList(const QVector<QPixmap>& images, QSize imageSize)
{
    m_images = images;
    m_icons.clear();
    m_tree->setIconSize(imageSize);
}

void QtTreeControl::SetBkColor(uint32_t color)
{
    QPalette palette = m_tree->palette();
    palette.setColor(QPalette::Base, ColorFromRef(color));
    m_tree->setPalette(palette);
}

QtTreeControl::QtTreeControl(QTreeWidget* tree) : m_tree(tree)
{
    m_tree->setUniformRowHeights(true); // every row is an icon and a line: one height to measure
}

QtTreeControl::~QtTreeControl()
{
    qDeleteAll(m_apart);
}

void QtTreeControl::Attach() const
{
    if (m_apart.isEmpty())
        return;
    m_tree->addTopLevelItems(m_apart);
    m_apart.clear();
}

TreeItem QtTreeControl::InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent)
{
    // Filled before it joins its parent, and a new top-level item waits apart from the
    // widget, so that the model hears of a whole subtree once.
    auto* item = new QTreeWidgetItem;
    item->setText(0, Latin1(text));
    item->setData(0, kImageRole, image);
    item->setData(0, kSelectedImageRole, selectedImage);
    item->setIcon(0, IconOf(image, selectedImage));
    if (QTreeWidgetItem* parentItem = Find(parent))
        parentItem->addChild(item);
    else
        m_apart.push_back(item);
    m_items.push_back(item);
    return static_cast<TreeItem>(m_items.size());
}

QIcon QtTreeControl::IconOf(int image, int selectedImage)
{
    auto known = m_icons.constFind({image, selectedImage});
    if (known != m_icons.constEnd())
        return *known;
    // The selected image shows while the item is selected, as in an image-list tree.
    QIcon icon;
    if (image >= 0 && image < m_images.size())
        icon.addPixmap(m_images[image], QIcon::Normal);
    if (selectedImage >= 0 && selectedImage < m_images.size())
        icon.addPixmap(m_images[selectedImage], QIcon::Selected);
    m_icons.insert({image, selectedImage}, icon);
    return icon;
}

void QtTreeControl::SetItemData(TreeItem item, uint32_t data)
{
    if (QTreeWidgetItem* i = Find(item))
        i->setData(0, kDataRole, data);
}

uint32_t QtTreeControl::GetItemData(TreeItem item) const
{
    QTreeWidgetItem* i = ItemOf(item);
    return i ? i->data(0, kDataRole).toUInt() : 0;
}

void QtTreeControl::DeleteAllItems()
{
    qDeleteAll(m_apart);
    m_apart.clear();
    m_tree->clear();
    m_items.clear();
}

void QtTreeControl::Expand(TreeItem item)
{
    Attach();
    if (QTreeWidgetItem* i = ItemOf(item))
        i->setExpanded(true);
}

TreeItem QtTreeControl::GetSelectedItem() const
{
    Attach();
    QTreeWidgetItem* current = m_tree->currentItem();
    if (current == nullptr || !current->isSelected())
        return kTreeRoot;
    auto at = std::find(m_items.begin(), m_items.end(), current);
    return at == m_items.end() ? kTreeRoot : static_cast<TreeItem>(at - m_items.begin() + 1);
}

bool QtTreeControl::ItemHasChildren(TreeItem item) const
{
    QTreeWidgetItem* i = ItemOf(item);
    return i && i->childCount() > 0;
}

void QtTreeControl::SetItemWarning(TreeItem item, const std::string& text)
{
    QTreeWidgetItem* i = ItemOf(item);
    if (i == nullptr)
        return;
    QIcon sign = m_tree->style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, m_tree);
    QSize iconSize = m_tree->iconSize();
    int side = std::min(iconSize.width(), iconSize.height()) * 3 / 4;
    auto marked = [&](int image) {
        QPixmap pixmap = image >= 0 && image < m_images.size() ? m_images[image] : QPixmap(iconSize);
        if (image < 0 || image >= m_images.size())
            pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.drawPixmap(pixmap.width() - side, pixmap.height() - side, sign.pixmap(side, side));
        return pixmap;
    };
    QIcon icon;
    icon.addPixmap(marked(i->data(0, kImageRole).toInt()), QIcon::Normal);
    icon.addPixmap(marked(i->data(0, kSelectedImageRole).toInt()), QIcon::Selected);
    i->setIcon(0, icon);
    i->setToolTip(0, Latin1(text));
    i->setData(0, kWarningRole, true);
}

QTreeWidgetItem* QtTreeControl::ItemOf(TreeItem item) const
{
    Attach(); // whoever asks may look for the item in the widget
    return Find(item);
}

QTreeWidgetItem* QtTreeControl::Find(TreeItem item) const
{
    return item >= 1 && item <= static_cast<TreeItem>(m_items.size()) ? m_items[static_cast<int>(item - 1)] : nullptr;
}

QtListControl::QtListControl(QTreeView* view) : m_view(view), m_model(new QStandardItemModel(view))
{
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    m_view->setUniformRowHeights(true);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A double-click on a column divider fits the column to its contents (QTreeView's own
    // answer to the header's handle double-click).
    m_view->header()->setSectionResizeMode(QHeaderView::Interactive);
    ShowCutOffTextsAsTips(m_view);
}

int QtListControl::InsertColumn(int index, const std::string& heading, int width)
{
    index = std::clamp(index, 0, m_model->columnCount());
    m_model->insertColumn(index);
    m_model->setHorizontalHeaderItem(index, new QStandardItem(Latin1(heading)));
    m_view->header()->resizeSection(index, width);
    for (int row = 0; row < m_model->rowCount(); ++row)
        PaintCell(row, index);
    return index;
}

bool QtListControl::DeleteColumn(int index)
{
    return index >= 0 && index < m_model->columnCount() && m_model->removeColumn(index);
}

int QtListControl::GetColumnCount() const
{
    return m_model->columnCount();
}

int QtListControl::InsertItem(int index, const std::string& text)
{
    index = std::clamp(index, 0, m_model->rowCount());
    m_model->insertRow(index);
    m_model->setItem(index, 0, new QStandardItem(Latin1(text)));
    for (int column = 0; column < m_model->columnCount(); ++column)
        PaintCell(index, column);
    return index;
}

bool QtListControl::SetItemText(int item, int subItem, const std::string& text)
{
    if (item < 0 || item >= m_model->rowCount() || subItem < 0 || subItem >= m_model->columnCount())
        return false;
    m_model->setItem(item, subItem, new QStandardItem(Latin1(text)));
    PaintCell(item, subItem);
    return true;
}

void QtListControl::SetBkColor(uint32_t color)
{
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Base, ColorFromRef(color));
    m_view->setPalette(palette);
}

void QtListControl::SetTextBkColor(uint32_t color)
{
    m_textBk = ColorFromRef(color);
    for (int row = 0; row < m_model->rowCount(); ++row)
        for (int column = 0; column < m_model->columnCount(); ++column)
            PaintCell(row, column);
}

int QtListControl::GetWindowWidth() const
{
    return m_view->width();
}

QString QtListControl::SelectedRowsText() const
{
    QModelIndexList selected = m_view->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    // The cells came in as Latin-1 and go back out the same way, unchanged.
    std::vector<std::vector<std::string>> rows;
    for (const QModelIndex& index : selected) {
        rows.emplace_back();
        for (int column = 0; column < m_model->columnCount(); ++column)
            rows.back().push_back(m_model->index(index.row(), column).data().toString().toLatin1().toStdString());
    }
    return Latin1(RowsText(rows));
}

void QtListControl::PaintCell(int row, int column)
{
    if (!m_textBk.isValid())
        return;
    QStandardItem* cell = m_model->item(row, column);
    if (cell == nullptr) {
        cell = new QStandardItem;
        m_model->setItem(row, column, cell);
    }
    cell->setBackground(m_textBk);
}

void QtMessageBox::Show(const std::string& text, const std::string& caption)
{
    ShowDetailed(text, caption, {});
}

void QtMessageBox::ShowDetailed(const std::string& text, const std::string& caption, const std::string& details)
{
    // Reasons name files, whose names are UTF-8 on this system; the box's own texts are ASCII.
    QMessageBox box(QMessageBox::Warning, Latin1(caption),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, m_owner);
    box.setObjectName(QStringLiteral("messageBox"));
    if (!details.empty())
        box.setDetailedText(QString::fromUtf8(details.data(), static_cast<qsizetype>(details.size())));
    box.exec();
}
