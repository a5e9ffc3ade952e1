// A field's value of the current record: read straight from the record for the kinds
// stored as the field expects and kept while the record stays the same. Every value must
// equal the general conversion of the stored value (FromStorage of StorageValue), whatever
// the field's type, the stored kind, and whatever happened to the dataset in between.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/Format.h"
#include "tests/db/DbFixture.h"

namespace {

// The same kind and the same value (texts byte for byte, floats bit for bit).
::testing::AssertionResult SameValue(const Variant& a, const Variant& b) {
    auto describe = [](const Variant& v) {
        return VarTypeAsText(v.Type()) + " " + (v.IsNull() || v.IsEmpty() ? std::string() : v.AsString());
    };
    bool same = a.Kind() == b.Kind();
    if (same) {
        if (a.IsString()) same = a.StrValue() == b.StrValue();
        else if (a.Kind() == varDouble || a.Kind() == varDate) {
            const double x = a.DoubleValue(), y = b.DoubleValue();
            same = std::memcmp(&x, &y, sizeof x) == 0;
        } else if (a.IsBoolean()) same = a.BoolValue() == b.BoolValue();
        else if (a.IsInteger()) same = a.IntValue() == b.IntValue();
    }
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << describe(a) << " vs " << describe(b);
}

// Every field's value, read twice, against the general conversion of what is stored.
void ExpectValuesAsStored(const TDataSet& DataSet, const std::string& Where) {
    for (int i = 0; i < DataSet.FieldCount(); ++i) {
        const TField* f = DataSet.Fields()[i];
        const Variant expected = f->FromStorage(f->StorageValue());
        EXPECT_TRUE(SameValue(f->Value(), expected)) << Where << ", field " << f->FieldName();
        EXPECT_TRUE(SameValue(f->Value(), expected)) << Where << ", field " << f->FieldName() << " again";
    }
}

class FieldValueTest : public DbFixture {};

// Every stored kind (as SQLite keeps it in a column without a type) under every field type.
TEST_F(FieldValueTest, EveryFieldTypeOverEveryStoredKind) {
    CreateDatabase(R"(
        CREATE TABLE vals (k INTEGER, v);
        INSERT INTO vals VALUES (1, NULL), (2, 7), (3, -3), (4, 5000000000), (5, 0), (6, 2.5),
            (7, 3.0), (8, -0.125), (9, 'abc'), (10, '12'), (11, ' 3.5 '), (12, '2024-03-07'),
            (13, '2024-03-07 08:30:00'), (14, ''), (15, '中文'), (16, 'True'), (17, x'00ff41'),
            (18, 'abc'), (19, 'abcdefghijklmnopqrstuvwxyz'), (20, 'abcdefghijklmnopqrstuvwxyz'), (21, 7);
    )");
    const TFieldType types[] = {ftString,  ftWideString, ftFixedChar, ftMemo,   ftBlob,     ftGraphic,
                                ftSmallint, ftInteger,   ftWord,      ftAutoInc, ftLargeint, ftFloat,
                                ftCurrency, ftBCD,       ftDate,      ftTime,    ftDateTime, ftBoolean};
    for (TFieldType type : types) {
        auto q = Query("select v from vals order by k");
        std::unique_ptr<TField> field(static_cast<TField*>(FieldClassOf(type)->CreateInstance(nullptr)));
        field->SetFieldName("v");
        field->SetDataSet(q.get());
        q->Open();
        const std::string name = field->ClassName() + " " + std::to_string(static_cast<int>(type));
        for (int row = 1; !q->Eof(); q->Next(), ++row)
            ExpectValuesAsStored(*q, "type " + name + ", row " + std::to_string(row));
        // Backwards too: each record's value is read again after another one's.
        for (q->Last(); !q->Bof(); q->Prior()) ExpectValuesAsStored(*q, "type " + name + " backwards");
    }
}

// The default fields of declared and expression columns, and the edit buffer's values.
TEST_F(FieldValueTest, DefaultFieldsAndTheEditBuffer) {
    CreateDatabase(R"(
        CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT(10), n INT, big BIGINT,
                        price DOUBLE, money CURRENCY, day DATE, flag BOOLEAN, note MEMO, pic BLOB);
        INSERT INTO t (name, n, big, price, money, day, flag, note, pic) VALUES
            ('a', 1, 5000000000, 1.5, 2.25, '2024-03-07', 1, 'x', x'01'),
            ('a', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
            ('b', 2, -1, 3.0, 0, '2024-03-08 10:00:00', 0, '', x'');
    )");
    auto q = Query("select t.*, n * 2 as twice, name || '!' as shout, max(price, 1) as m from t order by id");
    q->Open();
    for (int row = 1; !q->Eof(); q->Next(), ++row) ExpectValuesAsStored(*q, "row " + std::to_string(row));
    q->First();
    q->Edit();
    q->FieldByName("name")->SetAsString("changed");
    q->FieldByName("n")->SetAsString("");
    ExpectValuesAsStored(*q, "editing");
    EXPECT_EQ(q->FieldByName("name")->Value().StrValue(), "changed");
    q->Cancel();
    ExpectValuesAsStored(*q, "cancelled");
    EXPECT_EQ(q->FieldByName("name")->Value().StrValue(), "a");
}

// Columns declared with decimals are exact amounts: read as Currency rounded to their
// decimals (a double's noise gone), stored as the double nearest to the rounded amount.
TEST_F(FieldValueTest, ColumnsWithDecimalsHoldExactAmounts) {
    CreateDatabase(R"(
        CREATE TABLE m (id INTEGER PRIMARY KEY, fen DOUBLE(18,2), li DECIMAL(18,3), plain DOUBLE);
        INSERT INTO m VALUES (1, 0.799999999999997, 0.37499999999999, 0.799999999999997),
                             (2, 7, '2.5', 7), (3, NULL, NULL, NULL);
    )");
    auto q = Query("select fen, li, plain, fen + 0 as sum from m order by id");
    q->Open();
    TField* fen = q->FieldByName("fen");
    TField* li = q->FieldByName("li");
    EXPECT_EQ(fen->DataType(), ftBCD);
    EXPECT_EQ(fen->Size(), 2);
    EXPECT_EQ(li->DataType(), ftBCD);
    EXPECT_EQ(li->Size(), 3);
    EXPECT_EQ(q->FieldByName("plain")->DataType(), ftFloat);
    EXPECT_EQ(q->FieldByName("sum")->DataType(), ftFloat);
    EXPECT_EQ(fen->Value().Kind(), varCurrency);
    EXPECT_EQ(fen->AsString(), "0.8");
    EXPECT_EQ(fen->AsCurrency(), StrToCurr("0.8"));
    EXPECT_EQ(li->AsString(), "0.375");
    EXPECT_EQ(q->FieldByName("plain")->AsString(), "0.799999999999997");
    EXPECT_EQ(q->FieldByName("plain")->AsCurrency(), StrToCurr("0.8"));
    q->Next();
    EXPECT_EQ(fen->AsString(), "7");
    EXPECT_EQ(li->AsCurrency(), StrToCurr("2.5"));
    q->Next();
    EXPECT_TRUE(fen->Value().IsNull());
    EXPECT_EQ(fen->AsCurrency(), Currency());

    // What is given is rounded to the column's decimals, halves away from zero.
    struct TWrite {
        Variant Given;
        const char* Fen;
    };
    const TWrite writes[] = {{Variant("0.805"), "0.81"},   {Variant(50 - 49.2), "0.8"},
                             {Variant(-1.005), "-1.01"},   {Variant::FromCurrency(12345), "1.23"},
                             {Variant(3), "3"},            {Variant(""), ""}};
    auto t = Query("select id, fen from m where id = 1");
    t->Open();
    for (const TWrite& w : writes) {
        t->Edit();
        t->FieldByName("fen")->SetValue(w.Given);
        t->Post();
        const Variant stored = Scalar("select fen from m where id = 1");
        EXPECT_EQ(stored.IsNull() ? std::string() : FloatToStr(stored.AsDouble()), w.Fen) << w.Given.AsString();
        EXPECT_EQ(t->FieldByName("fen")->AsString(), w.Fen);
    }
    t->Edit();
    EXPECT_THROW(t->FieldByName("fen")->SetAsString("1.2.3"), EConvertError);
    t->Cancel();
}

// What happens to a dataset between two reads of a field: each step, with every field read
// before it, must leave every field reading what is now stored.
struct TStep {
    const char* Name;
    std::function<void(TDataSet& DataSet)> Run;
};

TEST_F(FieldValueTest, FollowsTheCurrentRecordAndEveryChange) {
    CreateDatabase(R"(
        CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT(10), n INT, price DOUBLE);
        INSERT INTO t (name, n, price) VALUES ('a', 1, 1.5), ('a', 1, 1.5), ('b', 2, NULL), ('c', 3, 4.25);
    )");
    auto q = Query("select * from t order by id");
    TBookmark mark;
    const std::vector<TStep> steps = {
        {"open", [](TDataSet& d) { d.Open(); }},
        {"next to an equal record", [](TDataSet& d) { d.Next(); }},
        {"next", [](TDataSet& d) { d.Next(); }},
        {"bookmark", [&](TDataSet& d) { mark = d.GetBookmark(); }},
        {"prior", [](TDataSet& d) { d.Prior(); }},
        {"last", [](TDataSet& d) { d.Last(); }},
        {"first", [](TDataSet& d) { d.First(); }},
        {"move by", [](TDataSet& d) { d.MoveBy(3); }},
        {"record number", [](TDataSet& d) { d.SetRecNo(2); }},
        {"locate", [](TDataSet& d) { d.Locate("name", Variant("c"), {}); }},
        {"back to the bookmark", [&](TDataSet& d) { d.GotoBookmark(mark); }},
        {"edit and post the same record",
         [](TDataSet& d) {
             d.Edit();
             d.FieldByName("name")->SetAsString("edited");
             d.FieldByName("n")->SetAsInteger(9);
             d.FieldByName("price")->SetAsFloat(0.5);
             d.Post();
         }},
        {"edit and cancel",
         [](TDataSet& d) {
             d.Edit();
             d.FieldByName("name")->SetAsString("dropped");
             d.Cancel();
         }},
        {"insert and post",
         [](TDataSet& d) {
             d.Insert();
             d.FieldByName("name")->SetAsString("new");
             d.Post();
         }},
        {"delete", [](TDataSet& d) { d.Delete(); }},
        {"delete the last", [](TDataSet& d) {
             d.Last();
             d.Delete();
         }},
        {"changed behind the dataset, then reopened",
         [this](TDataSet& d) {
             Exec("update t set name = 'z' || name, n = n + 10");
             d.Close();
             d.Open();
         }},
        {"closed", [](TDataSet& d) { d.Close(); }},
    };
    for (const TStep& step : steps) {
        for (int i = 0; i < q->FieldCount(); ++i) q->Fields()[i]->Value();
        step.Run(*q);
        ExpectValuesAsStored(*q, step.Name);
    }
    q->Open();
    ExpectValuesAsStored(*q, "open again");
    EXPECT_EQ(q->FieldByName("name")->Value().StrValue(), "za");
}

// A persistent field that moves to another dataset reads that dataset's records, though
// both number their records alike.
TEST_F(FieldValueTest, APersistentFieldMovedToAnotherDataset) {
    CreateDatabase(R"(
        CREATE TABLE t (name TEXT(10));
        INSERT INTO t VALUES ('a'), ('b');
    )");
    auto first = Query("select name from t order by name");
    auto second = Query("select name from t order by name desc");
    TWideStringField field(nullptr);
    field.SetFieldName("name");
    field.SetDataSet(first.get());
    first->Open();
    EXPECT_EQ(field.Value().StrValue(), "a");
    first->Close();
    field.SetDataSet(second.get());
    second->Open();
    EXPECT_EQ(field.Value().StrValue(), "b");
    ExpectValuesAsStored(*second, "moved");
}

// A table read in pages: records read later go before the ones appended meanwhile, and the
// current record keeps its value while its place in the buffer moves.
TEST_F(FieldValueTest, PagedTableWithAppendedRecords) {
    CreateDatabase(R"(
        CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT(10));
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 250)
        INSERT INTO t (name) SELECT 'row' || i FROM n;
    )");
    TADOTable table(nullptr);
    table.SetConnection(Connection.get());
    table.SetTableName("t");
    table.Open();
    table.Append();
    table.FieldByName("name")->SetAsString("appended");
    table.Post();
    ExpectValuesAsStored(table, "appended");
    std::vector<std::string> names;
    for (table.First(); !table.Eof(); table.Next()) {
        ExpectValuesAsStored(table, "browsing");
        names.push_back(table.FieldByName("name")->Value().StrValue());
    }
    ASSERT_EQ(names.size(), 251u);
    EXPECT_EQ(names.back(), "appended");
    EXPECT_EQ(names[99], "row100");
    EXPECT_EQ(names[100], "row101");
}

// One call per column gives what the single questions give.
TEST_F(FieldValueTest, AColumnReadInOneCallAsByTheSingleCalls) {
    TSqliteDatabase db;
    db.Open(":memory:", TSqliteDatabase::omReadWriteCreate);
    TSqliteStatement s = db.Prepare(
        "select NULL, 7, -5000000000, 2.5, 'text', '', '中文', x'00ff', x'', 1e300, 3.0 || ''");
    ASSERT_TRUE(s.Step());
    for (int i = 0; i < s.ColumnCount(); ++i) {
        const TSqliteStatement::TColumn c = s.Column(i);
        const std::string where = "column " + std::to_string(i);
        EXPECT_EQ(c.Storage, s.ColumnStorage(i)) << where;
        switch (c.Storage) {
            case TSqlStorage::Integer: EXPECT_EQ(c.Int, s.ColumnInt64(i)) << where; break;
            case TSqlStorage::Real: EXPECT_EQ(c.Real, s.ColumnDouble(i)) << where; break;
            case TSqlStorage::Text: EXPECT_EQ(c.Bytes, s.ColumnText(i)) << where; break;
            case TSqlStorage::Blob: EXPECT_EQ(c.Bytes, s.ColumnBlob(i)) << where; break;
            case TSqlStorage::Null: EXPECT_TRUE(c.Bytes.empty()) << where; break;
        }
        EXPECT_TRUE(SameValue(s.ColumnValue(i), c.Storage == TSqlStorage::Null      ? Variant::Null()
                                                : c.Storage == TSqlStorage::Integer ? Variant::FromInt(c.Int)
                                                : c.Storage == TSqlStorage::Real    ? Variant(c.Real)
                                                                                    : Variant(c.Bytes)))
            << where;
    }
}

// Records of every size, many more than one block of the record store holds, keep their
// values through navigation, posts that replace some of them and deletes; the table and
// the buffer read the same afterwards.
TEST_F(FieldValueTest, RecordsOfEverySizeInTheStore) {
    CreateDatabase(R"(
        CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, n INT, v TEXT);
        WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 600)
        INSERT INTO t (n, v) SELECT i, substr(hex(randomblob(40000)), 1,
            CASE i % 7 WHEN 0 THEN 0 WHEN 1 THEN 1 WHEN 2 THEN 15 WHEN 3 THEN 100
                       WHEN 4 THEN 16383 WHEN 5 THEN 16385 ELSE 70000 END) FROM k;
    )");
    auto q = Query("select * from t order by id");
    q->Open();
    auto stored = [&](int id) { return Scalar("select v from t where id = " + std::to_string(id)); };
    auto expectAsTheTable = [&](const std::string& Where) {
        int rows = 0;
        for (q->First(); !q->Eof(); q->Next(), ++rows) {
            const int id = q->FieldByName("id")->AsInteger();
            ASSERT_TRUE(SameValue(q->FieldByName("v")->Value(), stored(id))) << Where << ", id " << id;
            ExpectValuesAsStored(*q, Where);
        }
        EXPECT_EQ(rows, Scalar("select count(*) from t").AsInteger()) << Where;
    };
    expectAsTheTable("opened");
    // Replace a short record by a long one and a long one by a short one, insert one, delete two.
    ASSERT_TRUE(q->Locate("n", Variant(7), {}));
    q->Edit();
    q->FieldByName("v")->SetAsString(std::string(50000, 'a'));
    q->Post();
    ASSERT_TRUE(q->Locate("n", Variant(6), {}));
    q->Edit();
    q->FieldByName("v")->SetAsString("b");
    q->Post();
    q->Append();
    q->FieldByName("n")->SetAsInteger(0);
    q->FieldByName("v")->SetAsString(std::string(20000, 'c'));
    q->Post();
    ASSERT_TRUE(q->Locate("n", Variant(100), {}));
    q->Delete();
    ASSERT_TRUE(q->Locate("n", Variant(101), {}));
    q->Delete();
    expectAsTheTable("changed");
}

}  // namespace
