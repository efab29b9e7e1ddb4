// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/AccessibleObjects.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHeaderView>
#include <QString>
#include <QTableWidget>
#include <QWidget>
#include <map>

#include "framework/ScrollView.h"

namespace {

class CAccessibleScrollView : public QAccessibleWidget {
public:
    explicit CAccessibleScrollView(CScrollView* pView)
        : QAccessibleWidget(pView, QAccessible::Canvas) {}

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

// A table read as its column headings and its cells, row by row, without
// row headings: Qt's own table object would add an unnamed corner and a
// heading for every row, even hidden ones.
class CAccessibleTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CAccessibleTable(QTableWidget* pTable)
        : QAccessibleWidget(pTable, QAccessible::Table) {}
    ~CAccessibleTable() override {
        for (const auto& [nIndex, id] : m_children) QAccessible::deleteAccessibleInterface(id);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QTableWidget* Table() const { return static_cast<QTableWidget*>(widget()); }

    // Children: the column headings, then the cells row by row.
    int childCount() const override { return (rowCount() + 1) * columnCount(); }
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override {
        for (const auto& [nIndex, id] : m_children) {
            if (QAccessible::accessibleInterface(id) == pChild) return nIndex;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* pChild = child(i);
            if (pChild != nullptr && pChild->rect().contains(x, y)) return pChild;
        }
        return nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int nRow, int nColumn) const override {
        if (nRow < 0 || nRow >= rowCount() || nColumn < 0 || nColumn >= columnCount())
            return nullptr;
        return child((nRow + 1) * columnCount() + nColumn);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int nColumn) const override {
        const QTableWidgetItem* pItem = Table()->horizontalHeaderItem(nColumn);
        return pItem != nullptr ? pItem->text() : QString();
    }
    int columnCount() const override { return Table()->columnCount(); }
    QString rowDescription(int) const override { return {}; }
    int rowCount() const override { return Table()->rowCount(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::map<int, QAccessible::Id> m_children;
};

// A column heading (row -1) or a cell of a CAccessibleTable.
class CAccessibleTableCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CAccessibleTableCell(const CAccessibleTable& table, int nRow, int nColumn)
        : m_table(table), m_nRow(nRow), m_nColumn(nColumn) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface && m_nRow >= 0)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isValid() const override {
        return m_table.isValid() && m_nRow < m_table.rowCount() &&
               m_nColumn < m_table.columnCount();
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return const_cast<CAccessibleTable*>(&m_table);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return {};
        const QTableWidgetItem* pItem = m_nRow < 0
                                            ? m_table.Table()->horizontalHeaderItem(m_nColumn)
                                            : m_table.Table()->item(m_nRow, m_nColumn);
        return pItem != nullptr ? pItem->text() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QTableWidget* pTable = m_table.Table();
        if (m_nRow < 0) {
            QHeaderView* pHeader = pTable->horizontalHeader();
            const QRect rc(pHeader->sectionViewportPosition(m_nColumn), 0,
                           pHeader->sectionSize(m_nColumn), pHeader->height());
            return rc.translated(pHeader->viewport()->mapToGlobal(QPoint(0, 0)));
        }
        const QRect rc = pTable->visualRect(pTable->model()->index(m_nRow, m_nColumn));
        return rc.translated(pTable->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    QAccessible::Role role() const override {
        return m_nRow < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State st;
        st.invisible = !m_table.Table()->isVisible();
        return st;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        return {m_table.child(m_nColumn)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_nColumn; }
    int rowIndex() const override { return m_nRow; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    const CAccessibleTable& m_table;
    int m_nRow;
    int m_nColumn;
};

QAccessibleInterface* CAccessibleTable::child(int nIndex) const {
    if (nIndex < 0 || nIndex >= childCount()) return nullptr;
    if (auto it = m_children.find(nIndex); it != m_children.end()) {
        return QAccessible::accessibleInterface(it->second);
    }
    const int nColumns = columnCount();
    auto* pCell = new CAccessibleTableCell(*this, nIndex / nColumns - 1, nIndex % nColumns);
    m_children[nIndex] = QAccessible::registerAccessibleInterface(pCell);
    return pCell;
}

QAccessibleInterface* MakeAccessible(const QString& strClass, QObject* pObject) {
    auto* pWidget = qobject_cast<QWidget*>(pObject);
    if (pWidget == nullptr) return nullptr;
    if (auto* pView = dynamic_cast<CScrollView*>(pWidget)) {
        return new CAccessibleScrollView(pView);
    }
    // Asked for while the table is being made (its model's events), before
    // its owner can hide the row headings: every QTableWidget is read so.
    if (auto* pTable = qobject_cast<QTableWidget*>(pWidget)) return new CAccessibleTable(pTable);
    if (strClass == QLatin1String("QToolBarSeparator")) {
        return new QAccessibleWidget(pWidget, QAccessible::Separator);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleObjects() {
    static bool bInstalled = false;
    if (bInstalled) return;
    bInstalled = true;
    QAccessible::installFactory(MakeAccessible);
}

QString TextWithoutMnemonic(const QString& strText) {
    QString strOut;
    for (qsizetype i = 0; i < strText.size(); ++i) {
        if (strText[i] == QLatin1Char('&') && i + 1 < strText.size()) ++i;
        strOut += strText[i];
    }
    return strOut;
}
