#pragma once
// The detail window (template 103): one structure decoded into its report list by
// CDetailDlg, which drives the list through the Qt list adapter.
#include <QDialog>
#include <cstdint>

#include "decode/detail_dlg.h"
#include "qt/controls.h"

class QTreeView;

class CDetailWindow : public QDialog {
    Q_OBJECT
public:
    // structure must be the reader's current structure.
    CDetailWindow(const uint8_t* structure, CTableReader* reader, QWidget* parent = nullptr);

    // Puts the selected rows on the clipboard as tab-separated text.
    void CopySelectedRows();
    // Makes row the selected and current one, scrolled into view (Find's match); a row
    // the list lacks selects nothing.
    void SelectRow(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeView* m_view;
    QtListControl m_list;
    CDetailDlg m_logic;
};
