#pragma once
// Qt adapters of the control interfaces. They only move texts, images and colours
// into widgets; table text is 8-bit and shown as Latin-1.
#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QHash>
#include <QIcon>
#include <QPair>
#include <QVector>
#include <cstdint>
#include <string>

#include "ui/list_control.h"
#include "ui/message_box.h"
#include "ui/tree_control.h"

class QAbstractItemView;
class QModelIndex;
class QStandardItemModel;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// A COLORREF (0x00BBGGRR) as a QColor.
QColor ColorFromRef(uint32_t color);

// The cell's text when the view shows it cut off (too narrow a column, or scrolled
// past the edge); empty when it is seen whole.
QString CutOffText(const QAbstractItemView* view, const QModelIndex& index);
// Lets the view show a cut-off cell's text whole in a tooltip.
void ShowCutOffTextsAsTips(QAbstractItemView* view);

class QtTreeControl : public ITreeControl {
public:
    // Item roles that keep what the tree was told, for the windows and the tests.
    static constexpr int kDataRole = 0x0100;          // Qt::UserRole: the item value
    static constexpr int kImageRole = 0x0101;         // normal image index
    static constexpr int kSelectedImageRole = 0x0102; // selected image index
    static constexpr int kWarningRole = 0x0103;       // true once SetItemWarning marked it

    explicit QtTreeControl(QTreeWidget* tree);
    ~QtTreeControl() override;

    // The image list: image n is images[n], all of imageSize.
    void SetImageList(const QVector<QPixmap>& images, QSize imageSize);
    void SetBkColor(uint32_t color);

    TreeItem InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent) override;
    void SetItemData(TreeItem item, uint32_t data) override;
    uint32_t GetItemData(TreeItem item) const override;
    void DeleteAllItems() override;
    void Expand(TreeItem item) override;
    TreeItem GetSelectedItem() const override;
    bool ItemHasChildren(TreeItem item) const override;
    // The item's images get the style's warning sign in their lower right corner.
    void SetItemWarning(TreeItem item, const std::string& text) override;

    QTreeWidgetItem* ItemOf(TreeItem item) const;

private:
    QTreeWidget* m_tree;
    QIcon IconOf(int image, int selectedImage);
    // Top-level items are built apart from the widget and join it when it needs them
    // (to expand or select), each with its whole subtree at once: an item in the widget
    // tells its model of every child and every change, thousands of times for a large table.
    void Attach() const;
    QTreeWidgetItem* Find(TreeItem item) const; // without attaching

    mutable QList<QTreeWidgetItem*> m_apart;

    QVector<QPixmap> m_images;
    QVector<QTreeWidgetItem*> m_items; // item n is m_items[n - 1]
    // The icons made so far, by image pair: a tree holds thousands of items, and
    // shares a few icons among them.
    QHash<QPair<int, int>, QIcon> m_icons;
};

// A report-style list: a header and rows of cells, on a tree view without branches.
class QtListControl : public IListControl {
public:
    explicit QtListControl(QTreeView* view);

    int InsertColumn(int index, const std::string& heading, int width) override;
    bool DeleteColumn(int index) override;
    int GetColumnCount() const override;
    int InsertItem(int index, const std::string& text) override;
    bool SetItemText(int item, int subItem, const std::string& text) override;
    void SetBkColor(uint32_t color) override;
    void SetTextBkColor(uint32_t color) override;
    int GetWindowWidth() const override;

    // The selected rows, top to bottom, as RowsText writes them.
    QString SelectedRowsText() const;

private:
    void PaintCell(int row, int column);

    QTreeView* m_view;
    QStandardItemModel* m_model;
    QColor m_textBk;
};

class QtMessageBox : public IMessageBox {
public:
    explicit QtMessageBox(QWidget* owner) : m_owner(owner) {}
    void Show(const std::string& text, const std::string& caption) override;
    void ShowDetailed(const std::string& text, const std::string& caption, const std::string& details) override;

private:
    QWidget* m_owner;
};
