#pragma once
// The list window FLISTVIEW: shows a code table, one row per record, and returns the record
// number of the chosen row (-1 when the user leaves without choosing). Each time it is shown
// it rebuilds its rows and writes them to TABELLA.TXT in the temporary folder.

#include <QDialog>
#include <vector>

#include "tables/row_file.h"
#include "tables/table_context.h"
#include "tables/table_listing.h"

class QPushButton;
class QTableWidget;

namespace braxol::tables {

class TFLISTVIEW : public QDialog {
    Q_OBJECT
public:
    explicit TFLISTVIEW(TableContext context, QWidget* parent = nullptr);

    // The table shown at the next opening (the context's table name).
    void setContext(TableContext context) { context_ = std::move(context); }
    const TableContext& context() const { return context_; }

    // The record number of the chosen row; -1 when none was chosen.
    int chosen() const { return chosen_; }
    // What the last opening listed, in file order.
    const TableListing& listing() const { return listing_; }

    void setVisible(bool visible) override;

public slots:
    void reject() override;

private:
    void rebuild();
    void fill();
    void sortBy(int section);
    void choose();
    void print();

    TableContext context_;
    QTableWidget* list_;
    QPushButton* ok_;
    QPushButton* print_;
    QPushButton* leave_;
    TableListing listing_;
    std::vector<int> shown_;     // the listing's columns with a width, in order
    std::vector<ListRow> rows_;  // the rows as shown
    int chosen_ = -1;
};

// Opens the list window on the context's table and returns the chosen record number, or -1.
int ChooseFromTable(QWidget* parent, const TableContext& context);

}  // namespace braxol::tables
