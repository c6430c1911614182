#pragma once
// What the code-table tests share: a work folder with the program's table structures,
// scripted seams, and quick ways to fill and read a table file.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <string>
#include <vector>

#include "store/dates.h"
#include "store/record_file.h"
#include "store/records.h"
#include "store/table_structures.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"
#include "tables/table_context.h"

namespace braxol::test {

inline TTABELLA TableRecord(std::int32_t number, const std::string& table, const std::string& key,
                            const std::string& text1 = "") {
    TTABELLA r = BlankTabella();
    r.number = number;
    r.text[0].set(key);
    r.text[1].set(text1);
    r.text[10].set(table);
    PadTabella(r);
    return r;
}

inline TTABELLA ExciseRecord(std::int32_t number, double date, double rate,
                             const std::string& chapter = "1402") {
    TTABELLA r = TableRecord(number, "ACCISE", chapter);
    r.num[0] = date;
    r.num[1] = rate;
    return r;
}

class TableWindowTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;

    void SetUp() override { CreateMissingStructures(work.folders().datiGen); }

    tables::TableContext Context(const QString& table, bool singleEntry = false) const {
        tables::TableContext c;
        c.folders = work.folders();
        c.tableName = table;
        c.singleEntry = singleEntry;
        c.maxWidth = 1000;
        c.maxHeight = 700;
        return c;
    }

    void Write(const std::string& table, const std::vector<TTABELLA>& records) const {
        WriteRecords<TTABELLA>(TableFile(work.folders().datiGen, table), records);
    }

    // The records of the table, trimmed, in file order.
    std::vector<TTABELLA> Read(const std::string& table) const {
        auto records = ReadRecords<TTABELLA>(TableFile(work.folders().datiGen, table), false);
        for (TTABELLA& r : records) TrimTabella(r);
        return records;
    }

    static std::vector<std::string> Keys(const std::vector<TTABELLA>& records) {
        std::vector<std::string> keys;
        for (const TTABELLA& r : records) keys.push_back(r.text[0].str());
        return keys;
    }
    static std::vector<std::int32_t> Numbers(const std::vector<TTABELLA>& records) {
        std::vector<std::int32_t> numbers;
        for (const TTABELLA& r : records) numbers.push_back(r.number);
        return numbers;
    }

    static void Retype(QWidget* window, const QString& name, const QString& text) {
        test::Retype(window, name, text);
    }
};

}  // namespace braxol::test
