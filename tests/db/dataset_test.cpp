// Datasets over SQLite: navigation, field types and conversions, parameters, editing,
// Locate, bookmarks, events, data links, paged tables, transactions and connections.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "platform/classes/Classes.h"
#include "tests/db/DbFixture.h"

namespace {

const char* const kSchema = R"(
CREATE TABLE t (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    名称 TEXT(10) COLLATE NOCASE,
    数量 INT,
    价格 DOUBLE,
    日期 DATE,
    备注 TEXT
);
INSERT INTO t (名称, 数量, 价格, 日期) VALUES
    ('Alpha', 1, 1.5, '2024-03-07'), ('beta', 2, 2.25, '2024-03-08'), ('Gamma', 3, NULL, NULL);
CREATE TABLE rights (用户名 TEXT(10) COLLATE NOCASE, 功能号 INT);
INSERT INTO rights VALUES ('tulvo', 11), ('tulvo', 11), ('tulvo', 12);
CREATE TABLE users (id INTEGER PRIMARY KEY AUTOINCREMENT, user TEXT(10), pass TEXT(32));
INSERT INTO users (user, pass) VALUES ('tulvo', 'abc'), ('Tulvo', 'ABC'), ('other', 'abc');
)";

class DataSetTest : public DbFixture {
protected:
    void SetUp() override { CreateDatabase(kSchema); }
    int64_t Count(const std::string& where) { return Scalar("select count(*) from t " + where).AsInt64(); }
};

// --- Navigation ------------------------------------------------------------------------------

struct NavStep {
    const char* Name;
    std::function<void(TDataSet&)> Op;
    int RecNo;
    bool Bof, Eof;
};

TEST_F(DataSetTest, NavigationSetsBofAndEofAsTheClassLibraryDoes) {
    auto q = Query("select * from t order by id");
    q->Open();
    const std::vector<NavStep> steps = {
        {"open", [](TDataSet&) {}, 1, true, false},
        {"next", [](TDataSet& d) { d.Next(); }, 2, false, false},
        {"next", [](TDataSet& d) { d.Next(); }, 3, false, false},
        {"next at last", [](TDataSet& d) { d.Next(); }, 3, false, true},
        {"prior", [](TDataSet& d) { d.Prior(); }, 2, false, false},
        {"prior", [](TDataSet& d) { d.Prior(); }, 1, false, false},
        {"prior at first", [](TDataSet& d) { d.Prior(); }, 1, true, false},
        {"last", [](TDataSet& d) { d.Last(); }, 3, false, true},
        {"first", [](TDataSet& d) { d.First(); }, 1, true, false},
        {"move past the end", [](TDataSet& d) { EXPECT_EQ(d.MoveBy(5), 2); }, 3, false, true},
        {"move back", [](TDataSet& d) { EXPECT_EQ(d.MoveBy(-1), -1); }, 2, false, false},
        {"recno", [](TDataSet& d) { d.SetRecNo(1); }, 1, false, false},
    };
    for (const NavStep& s : steps) {
        s.Op(*q);
        EXPECT_EQ(q->RecNo(), s.RecNo) << s.Name;
        EXPECT_EQ(q->Bof(), s.Bof) << s.Name;
        EXPECT_EQ(q->Eof(), s.Eof) << s.Name;
    }
    EXPECT_EQ(q->RecordCount(), 3);

    auto empty = Query("select * from t where 0");
    empty->Open();
    EXPECT_TRUE(empty->IsEmpty());
    EXPECT_TRUE(empty->Bof());
    EXPECT_TRUE(empty->Eof());
    EXPECT_EQ(empty->RecNo(), 0);
    empty->Next();
    EXPECT_TRUE(empty->Eof());
    EXPECT_THROW(empty->Delete(), EDatabaseError);
}

// --- Field types -----------------------------------------------------------------------------

struct TypeCase {
    const char* Name;
    const char* Sql;
    std::vector<TFieldType> Types;
};

class FieldTypeTest : public DataSetTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(FieldTypeTest, FollowsTheDocumentedRule) {
    auto q = Query(GetParam().Sql);
    q->Open();
    ASSERT_EQ(q->FieldCount(), static_cast<int>(GetParam().Types.size()));
    for (int i = 0; i < q->FieldCount(); ++i)
        EXPECT_EQ(q->Fields()[i]->DataType(), GetParam().Types[static_cast<size_t>(i)])
            << q->Fields()[i]->FieldName();
}

INSTANTIATE_TEST_SUITE_P(
    Rule, FieldTypeTest,
    ::testing::Values(
        TypeCase{"declared_columns", "select id, 名称, 数量, 价格, 日期 from t",
                 {ftAutoInc, ftWideString, ftInteger, ftFloat, ftDateTime}},
        TypeCase{"aggregates_over_no_rows", "select max(数量), sum(价格) from t where 0", {ftFloat, ftFloat}},
        TypeCase{"integer_expression_is_float", "select count(*), max(数量) from t", {ftFloat, ftFloat}},
        TypeCase{"rounded_sum", "select round(sum(价格),2) as s from t", {ftFloat}},
        TypeCase{"union_literal_then_column", "select 0 as q from t union all select 价格 from t", {ftFloat}},
        TypeCase{"union_text_total_row",
                 "select 名称 as n from t union all select '合计' as n", {ftWideString}},
        TypeCase{"int_column_meeting_reals", "select q from (select 数量 as q from t union all select 1.5)",
                 {ftFloat}},
        TypeCase{"text_expression", "select 名称 || '!' from t", {ftWideString}},
        TypeCase{"derived_table_keeps_declared_types",
                 "select a.日期, a.名称 from (select 日期, 名称 from t) as a", {ftDateTime, ftWideString}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DataSetTest, FieldValuesConvertAndNullReadsAsZeroOrEmpty) {
    auto q = Query("select * from t order by id");
    q->Open();
    TField* price = q->FieldByName("价格");
    TField* date = q->FieldByName("日期");
    EXPECT_EQ(price->AsString(), "1.5");
    EXPECT_EQ(price->AsInteger(), 2);             // halves to even
    EXPECT_EQ(date->AsString(), "2024-3-7");      // the short date format
    EXPECT_EQ(date->Value().Kind(), varDate);
    EXPECT_EQ(date->AsDateTime(), EncodeDate(2024, 3, 7));
    EXPECT_EQ(q->FieldByName("名称")->Size(), 10);
    EXPECT_EQ(q->FieldByName("名称")->DisplayWidth(), 10);
    EXPECT_EQ(q->FieldByName("备注")->Size(), 255);
    q->Next();
    EXPECT_EQ(price->AsInteger(), 2);             // 2.25
    q->Last();
    EXPECT_TRUE(price->IsNull());
    EXPECT_TRUE(price->Value().IsNull());
    EXPECT_EQ(price->AsString(), "");
    EXPECT_EQ(price->AsFloat(), 0);
    EXPECT_EQ(price->AsInteger(), 0);
    EXPECT_EQ(date->AsDateTime(), 0);
    EXPECT_FALSE(date->AsBoolean());

    auto sum = Query("select sum(价格) as total from t where 0");
    sum->Open();
    EXPECT_EQ(sum->Fields()[0]->AsFloat(), 0);
    EXPECT_EQ(sum->Fields()[0]->AsString(), "");
}

TEST_F(DataSetTest, FieldByNameIgnoresAsciiCase) {
    auto q = Query("select u.id, pass, t.名称 from users u, t where 0");
    q->Open();
    EXPECT_EQ(q->FieldByName("ID"), q->FieldByName("id"));
    EXPECT_EQ(q->FieldByName("PASS")->FieldName(), "pass");
    EXPECT_NE(q->FindField("名称"), nullptr);
    q->SetName("ADOQuery1");
    try {
        q->FieldByName("项目ID");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "ADOQuery1: Field '项目ID' not found");
    }
}

// --- Parameters ------------------------------------------------------------------------------

struct DateParamCase {
    const char* Name;
    Variant Value;
};

class DateParameterTest : public DataSetTest, public ::testing::WithParamInterface<DateParamCase> {
protected:
    void SetUp() override {
        DataSetTest::SetUp();
        SetClock([] { return EncodeDate(2024, 6, 15); });
    }
    void TearDown() override { SetClock(nullptr); }
};

TEST_P(DateParameterTest, MatchesTheDateColumn) {
    auto q = Query("select 名称 from t where 日期 = :d");
    q->Parameters()->ParamByName("d")->SetValue(GetParam().Value);
    q->Open();
    ASSERT_EQ(q->RecordCount(), 1);
    EXPECT_EQ(q->Fields()[0]->AsString(), "Alpha");
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DateParameterTest,
    ::testing::Values(DateParamCase{"query_window_format", Variant("24-3-7")},
                      DateParamCase{"short_date_format", Variant("2024-3-7")},
                      DateParamCase{"iso_text", Variant("2024-03-07")},
                      DateParamCase{"date_value", Variant::FromDate(EncodeDate(2024, 3, 7))},
                      DateParamCase{"day_number", Variant(EncodeDate(2024, 3, 7))}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DataSetTest, DateParametersInRangesAndBadDateText) {
    auto q = Query("select * from t where 日期 between :Date1 and :Date2");
    q->Parameters()->ParamByName("Date1")->SetValue(Variant("24-3-7"));
    q->Parameters()->ParamByName("Date2")->SetValue(Variant("24-3-8"));
    q->Open();
    EXPECT_EQ(q->RecordCount(), 2);
    q->Close();
    q->Parameters()->ParamByName("Date2")->SetValue(Variant("24-13-8"));
    try {
        q->Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("'24-13-8' 不是有效的日期 (参数 Date2)"), std::string::npos)
            << e.Message();
    }
    EXPECT_FALSE(q->Active());
}

// Only date columns convert: the same text in a text column stays as typed.
TEST_F(DataSetTest, DateLikeTextInTextColumnsStaysText) {
    auto ins = Query("insert into t (名称, 备注, 日期) values (:n, :b, :d)");
    ins->Parameters()->ParamByName("n")->SetValue(Variant("24-3-7"));
    ins->Parameters()->ParamByName("b")->SetValue(Variant("2024-3-7"));
    ins->Parameters()->ParamByName("d")->SetValue(Variant("2024-3-9"));
    EXPECT_EQ(ins->ExecSQL(), 1);
    EXPECT_EQ(Scalar("select 名称 || '|' || 备注 || '|' || 日期 from t where id = 4").AsString(),
              "24-3-7|2024-3-7|2024-03-09");
}

TEST_F(DataSetTest, QuotesInValuesAreText) {
    auto ins = Query("insert into t (名称) values (:n)");
    ins->Parameters()->ParamByName("n")->SetValue(Variant("O'Brien"));
    ins->ExecSQL();
    auto find = Query("select * from t where 名称 like :p");
    find->Parameters()->ParamByName("p")->SetValue(Variant("o'b%"));
    find->Open();
    ASSERT_EQ(find->RecordCount(), 1);
    EXPECT_EQ(find->FieldByName("名称")->AsString(), "O'Brien");
}

TEST_F(DataSetTest, ParametersKeepValuesWhenTheTextChangesAndFailClearly) {
    auto q = Query("select * from t where 数量 >= :n");
    q->Parameters()->ParamByName("N")->SetValue(Variant(2));
    q->SQL()->Add("order by id");
    EXPECT_EQ(q->Parameters()->Count(), 1);
    q->Open();
    EXPECT_EQ(q->RecordCount(), 2);
    EXPECT_THROW(q->Parameters()->ParamByName("m"), EDatabaseError);

    auto bad = Query("select * from nosuch");
    try {
        bad->Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "no such table: nosuch");
    }
    EXPECT_THROW(Query("delete from t")->Open(), EDatabaseError);   // returns no rows
    EXPECT_EQ(Count(""), 3);                                         // and ran nothing
}

// --- Editing ---------------------------------------------------------------------------------

TEST_F(DataSetTest, AppendEditAndPostWriteTheTable) {
    auto q = Query("select * from t order by id");
    q->Open();
    q->Append();
    EXPECT_EQ(q->State(), dsInsert);
    q->FieldByName("名称")->SetAsString("Delta");
    q->FieldByName("数量")->SetAsString("4");
    q->FieldByName("日期")->SetAsString("24-3-9");
    q->Post();
    EXPECT_EQ(q->State(), dsBrowse);
    EXPECT_EQ(q->FieldByName("id")->AsInteger(), 4);   // the number the database assigned
    EXPECT_EQ(q->RecNo(), 4);
    EXPECT_EQ(Scalar("select 日期 || '' from t where 名称 = 'Delta'").AsString(), "2024-03-09");

    ASSERT_TRUE(q->Locate("名称", Variant("beta"), {}));
    q->Edit();
    q->FieldByName("价格")->SetAsFloat(9.5);
    q->Post();
    EXPECT_EQ(Scalar("select 价格 from t where id = 2").AsDouble(), 9.5);

    // Text that is no number is refused by the field and nothing is written.
    q->Edit();
    EXPECT_THROW(q->FieldByName("价格")->SetAsString("9.5x"), EConvertError);
    EXPECT_THROW(q->FieldByName("日期")->SetAsString("yesterday"), EConvertError);
    q->FieldByName("价格")->SetAsString("");   // empty clears
    EXPECT_TRUE(q->FieldByName("价格")->IsNull());
    q->Cancel();
    EXPECT_EQ(q->FieldByName("价格")->AsFloat(), 9.5);
    EXPECT_EQ(Scalar("select 价格 from t where id = 2").AsDouble(), 9.5);
}

TEST_F(DataSetTest, DeleteOfAKeylessRowRemovesExactlyOne) {
    auto q = Query("select * from rights where 用户名 = :u and 功能号 = :n");
    q->Parameters()->ParamByName("u")->SetValue(Variant("TULVO"));   // text compares ignoring case
    q->Parameters()->ParamByName("n")->SetValue(Variant(11));
    q->Open();
    ASSERT_EQ(q->RecordCount(), 2);
    q->Delete();
    EXPECT_EQ(q->RecordCount(), 1);
    EXPECT_EQ(Scalar("select count(*) from rights where 功能号 = 11").AsInt64(), 1);
    EXPECT_EQ(Scalar("select count(*) from rights where 功能号 = 12").AsInt64(), 1);

    auto join = Query("select a.名称, b.功能号 from t a, rights b");
    join->Open();
    EXPECT_FALSE(join->CanModify());
    EXPECT_THROW(join->Delete(), EDatabaseError);
}

TEST_F(DataSetTest, DeletingUntilEofStopsAfterTheLastRecord) {
    auto q = Query("select * from t order by id");
    q->Open();
    q->Next();
    int deleted = 0;
    while (!q->Eof()) {
        q->Delete();
        ++deleted;
    }
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(Count(""), 1);
    EXPECT_EQ(q->FieldByName("名称")->AsString(), "Alpha");
}

TEST_F(DataSetTest, BeforePostCanStopThePostAndCancelDiscards) {
    auto q = Query("select * from t");
    q->Open();
    bool refuse = true;
    int posted = 0;
    q->BeforePost = [&](TDataSet*) {
        if (refuse) throw EAbort("");
    };
    q->AfterPost = [&](TDataSet*) { ++posted; };
    q->Append();
    q->FieldByName("名称")->SetAsString("Refused");
    EXPECT_THROW(q->Post(), EAbort);
    EXPECT_EQ(q->State(), dsInsert);
    EXPECT_EQ(Count(""), 3);
    refuse = false;
    q->Post();
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(Count(""), 4);
    q->Insert();
    q->FieldByName("名称")->SetAsString("Dropped");
    q->Cancel();
    EXPECT_EQ(Count(""), 4);
    EXPECT_EQ(q->RecordCount(), 4);
}

// --- Locate and bookmarks --------------------------------------------------------------------

struct LocateCase {
    const char* Name;
    const char* Keys;
    Variant Values;
    TLocateOptions Options;
    int ExpectedId;   // 0: not found
};

class LocateTest : public DataSetTest, public ::testing::WithParamInterface<LocateCase> {};

TEST_P(LocateTest, FindsTheFirstMatch) {
    auto q = Query("select * from users order by id");
    q->Open();
    q->Last();
    const LocateCase& c = GetParam();
    bool found = q->Locate(c.Keys, c.Values, c.Options);
    EXPECT_EQ(found, c.ExpectedId != 0);
    EXPECT_EQ(q->FieldByName("id")->AsInteger(), c.ExpectedId ? c.ExpectedId : 3);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, LocateTest,
    ::testing::Values(
        LocateCase{"two_fields_exact", "user;pass", VarArrayOf({Variant("tulvo"), Variant("abc")}), {}, 1},
        LocateCase{"exact_is_case_sensitive", "user;pass", VarArrayOf({Variant("TULVO"), Variant("abc")}), {}, 0},
        LocateCase{"second_by_case", "user;pass", VarArrayOf({Variant("Tulvo"), Variant("ABC")}), {}, 2},
        LocateCase{"case_insensitive", "user", Variant("TULVO"), {loCaseInsensitive}, 1},
        LocateCase{"partial_key", "user", Variant("Tu"), {loPartialKey}, 2},
        LocateCase{"integer_key", "id", Variant(2), {}, 2},
        LocateCase{"text_key_for_integer", "id", Variant("1"), {}, 1},
        LocateCase{"not_found_keeps_position", "user", Variant("nobody"), {}, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DataSetTest, BookmarksFollowTheirRecord) {
    auto q = Query("select * from t order by id");
    q->Open();
    q->Next();
    TBookmark beta = q->GetBookmark();
    q->Next();
    TBookmark gamma = q->GetBookmark();
    EXPECT_LT(q->CompareBookmarks(beta, gamma), 0);
    EXPECT_GT(q->CompareBookmarks(gamma, beta), 0);
    q->First();
    q->Delete();   // the records move up; the bookmarks still find theirs
    q->GotoBookmark(beta);
    EXPECT_EQ(q->FieldByName("名称")->AsString(), "beta");
    q->Delete();
    EXPECT_FALSE(q->BookmarkValid(beta));
    EXPECT_THROW(q->GotoBookmark(beta), EDatabaseError);
    q->GotoBookmark(gamma);
    EXPECT_EQ(q->FieldByName("名称")->AsString(), "Gamma");
    q->FreeBookmark(gamma);
    EXPECT_FALSE(gamma);
}

// --- Events and data links -------------------------------------------------------------------

TEST_F(DataSetTest, EventsReplaceAndChain) {
    auto q = Query("select * from t");
    std::vector<std::string> log;
    q->AfterOpen = [&](TDataSet*) { log.push_back("form"); };
    // A report dataset hooks the event and calls the one it replaced.
    TDataSetNotifyEvent saved = q->AfterOpen;
    q->AfterOpen = [&, saved](TDataSet* ds) {
        log.push_back("report");
        saved(ds);
    };
    int scrolls = 0, deletes = 0;
    q->AfterScroll = [&](TDataSet*) { ++scrolls; };
    q->AfterDelete = [&](TDataSet*) { ++deletes; };
    q->Open();
    EXPECT_EQ(log, (std::vector<std::string>{"report", "form"}));
    EXPECT_EQ(scrolls, 1);
    q->Next();
    q->Delete();
    EXPECT_EQ(scrolls, 3);
    EXPECT_EQ(deletes, 1);
    q->Close();
    q->AfterOpen = saved;   // put back
    log.clear();
    q->Open();
    EXPECT_EQ(log, (std::vector<std::string>{"form"}));
}

class RecordingLink : public TDataLink {
public:
    std::vector<std::string> Log;
    void ActiveChanged() override { Log.push_back("active"); }
    void DataSetChanged() override { Log.push_back("changed"); }
    void DataSetScrolled(int Distance) override { Log.push_back("scroll:" + std::to_string(Distance)); }
    void RecordChanged(TField* Field) override { Log.push_back("record:" + (Field ? Field->FieldName() : "")); }
    void LayoutChanged() override { Log.push_back("layout"); }
    void EditingChanged() override { Log.push_back("editing"); }
};

TEST_F(DataSetTest, DataLinksFollowTheDatasetAndWaitWhileControlsAreDisabled) {
    auto q = Query("select * from t order by id");
    TDataSource source(nullptr);
    source.SetDataSet(q.get());
    RecordingLink link;
    link.SetDataSource(&source);
    link.Log.clear();
    q->Open();
    EXPECT_EQ(link.Log, (std::vector<std::string>{"layout", "active"}));
    EXPECT_TRUE(link.Active());
    link.Log.clear();
    q->MoveBy(2);
    q->Edit();
    q->FieldByName("名称")->SetAsString("x");
    q->Post();
    EXPECT_EQ(link.Log, (std::vector<std::string>{"scroll:2", "editing", "record:名称", "editing", "changed"}));

    link.Log.clear();
    q->DisableControls();
    {
        TDisableControls guard(*q);
        q->First();
        q->Next();
    }
    EXPECT_TRUE(q->ControlsDisabled());
    EXPECT_TRUE(link.Log.empty());
    q->EnableControls();
    EXPECT_FALSE(q->ControlsDisabled());
    EXPECT_EQ(link.Log, (std::vector<std::string>{"changed"}));

    link.Log.clear();
    source.SetEnabled(false);
    q->Next();
    EXPECT_EQ(link.Log, (std::vector<std::string>{"active"}));
    EXPECT_FALSE(link.Active());
    q.reset();   // the source forgets a dataset that goes
    EXPECT_EQ(source.DataSet(), nullptr);
}

// A grid paints other records without moving the current one.
TEST_F(DataSetTest, RecordsReadByPositionWithoutScrolling) {
    auto q = Query("select 名称, 价格, 日期 from t order by id");
    int scrolls = 0;
    q->AfterScroll = [&](TDataSet*) { ++scrolls; };
    q->Open();
    scrolls = 0;
    TField* name = q->Fields()[0];
    EXPECT_EQ(q->DisplayTextAt(2, name), "beta");
    EXPECT_EQ(q->DisplayTextAt(1, q->Fields()[2]), "2024-3-7");
    EXPECT_EQ(q->ValueAt(2, q->Fields()[1]).AsDouble(), 2.25);
    EXPECT_TRUE(q->ValueAt(3, q->Fields()[1]).IsNull());
    EXPECT_EQ(q->DisplayTextAt(4, name), "");
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_EQ(scrolls, 0);
}

// Integers of every size come back as stored, read as values and as the texts of
// their columns, before and after the record is edited.
TEST_F(DataSetTest, IntegersOfEverySizeReadBackAsStored) {
    const int64_t values[] = {0, 1, -1, 63, -64, 64, -65, 127, 128, 8191, -8193, 2147483647, -2147483648LL,
                              2147483648LL, 4611686018427387903LL, -4611686018427387905LL, INT64_MAX, INT64_MIN};
    Exec("create table ints (k INTEGER PRIMARY KEY, v BIGINT, w INT, s TEXT)");
    int k = 0;
    for (int64_t v : values)
        Exec("insert into ints values (" + std::to_string(++k) + ", " + std::to_string(v) + ", " +
             std::to_string(v % 1000) + ", 'after')");
    auto q = Query("select * from ints order by k");
    q->Open();
    for (int pass = 0; pass < 2; ++pass) {
        q->First();
        for (int64_t v : values) {
            SCOPED_TRACE(std::to_string(v) + (pass ? " after the edit" : ""));
            ASSERT_FALSE(q->Eof());
            EXPECT_EQ(q->FieldByName("v")->Value().AsInt64(), v);
            EXPECT_EQ(q->FieldByName("v")->AsString(), std::to_string(v));
            EXPECT_EQ(q->FieldByName("w")->AsInteger(), pass ? -(v % 1000) : v % 1000);
            EXPECT_EQ(q->FieldByName("s")->AsString(), "after");
            if (pass == 0) {
                q->Edit();
                q->FieldByName("w")->SetAsInteger(static_cast<int>(-(v % 1000)));
                q->Post();
            }
            q->Next();
        }
    }
}

// A post the database refuses (another connection holds the write lock; the row read back
// after the write fails) stores nothing and leaves nothing pending: the dataset is back in
// browse state on the record it was on, a navigation posts nothing behind the caller's
// back, and the post tried again writes once.
TEST_F(DataSetTest, ARefusedPostLeavesNothingPendingAndTheRetryWritesOnce) {
    struct TCase {
        const char* Name;
        bool Table;
        bool Inserting;
        bool ReadBackFails;   // the write goes through, the row's reading back is refused
    };
    const TCase cases[] = {{"table insert", true, true, false},   {"table edit", true, false, false},
                           {"query insert", false, true, false},  {"query edit", false, false, false},
                           {"insert, read back", true, true, true}, {"edit, read back", false, false, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Exec("delete from t where id > 3");
        Exec("update t set 数量 = id");
        std::unique_ptr<TCustomADODataSet> ds;
        if (c.Table) {
            auto table = std::make_unique<TADOTable>(nullptr);
            table->SetConnection(Connection.get());
            table->SetTableName("t");
            ds = std::move(table);
        } else {
            ds = Query("select * from t order by id");
        }
        ds->Open();
        ds->Next();   // on beta
        int afterPost = 0;
        ds->AfterPost = [&](TDataSet*) { ++afterPost; };
        auto change = [&] {
            if (c.Inserting) {
                ds->Append();
                ds->FieldByName("名称")->SetAsString("Delta");
            } else {
                ds->Edit();
            }
            ds->FieldByName("数量")->SetAsInteger(40);
        };
        TADOConnection other(nullptr);
        other.SetConnectionString("Provider=SQLite;Data Source=" + FileName);
        other.Open();
        Connection->SetBusyTimeout(30);
        if (c.ReadBackFails) {
            // The other connection takes the lock right after the write, before the read.
            Connection->OnStatement = [&](const std::string& sql) {
                if (sql.rfind("SELECT", 0) == 0) throw EDatabaseError("database is locked");
            };
        } else {
            other.Database().ExecScript("BEGIN IMMEDIATE; INSERT INTO rights VALUES ('x', 1)");
        }
        change();
        EXPECT_THROW(ds->Post(), EDatabaseError);
        Connection->OnStatement = nullptr;
        EXPECT_EQ(ds->State(), dsBrowse);
        EXPECT_EQ(ds->FieldByName("名称")->AsString(), "beta");
        EXPECT_EQ(ds->FieldByName("数量")->AsInteger(), 2);
        EXPECT_EQ(ds->RecordCount(), 3);
        EXPECT_EQ(afterPost, 0);
        EXPECT_FALSE(Connection->InTransaction());
        if (!c.ReadBackFails) other.Database().ExecScript("ROLLBACK");
        EXPECT_EQ(Count(""), 3);
        EXPECT_EQ(Count("where 数量 = 40"), 0);
        // Moving on writes nothing; the second try writes once.
        ds->First();
        ds->Next();
        EXPECT_EQ(Count(""), 3);
        change();
        ds->Post();
        EXPECT_EQ(afterPost, 1);
        EXPECT_EQ(Count(""), c.Inserting ? 4 : 3);
        EXPECT_EQ(Count("where 数量 = 40"), 1);
        EXPECT_EQ(ds->RecordCount(), c.Inserting ? 4 : 3);
        Connection->SetBusyTimeout(5000);
    }
}

// --- Tables ----------------------------------------------------------------------------------

TEST_F(DataSetTest, AppendingToALargeTableReadsOnlyItsFirstPage) {
    Exec("insert into t (名称, 数量) with recursive n(i) as (select 1 union all select i + 1 from n "
         "where i < 5000) select 'row' || i, i from n");
    int pages = 0;
    Connection->OnStatement = [&](const std::string& sql) {
        if (sql.rfind("SELECT rowid, *", 0) == 0) ++pages;
    };
    TADOTable table(nullptr);
    table.SetConnection(Connection.get());
    table.SetTableName("t");
    table.Open();
    EXPECT_EQ(pages, 1);
    for (const char* name : {"new1", "new2"}) {
        table.Append();
        table.FieldByName("名称")->SetAsString(name);
        table.Post();
    }
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(table.RecordCount(), 5005);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(Count(""), 5005);

    // Browsing reads the rest; every row comes once, the appended ones last.
    Connection->OnStatement = nullptr;
    int seen = 0;
    std::string last, beforeLast;
    std::set<int> ids;
    for (table.First(); !table.Eof(); table.Next()) {
        ++seen;
        ids.insert(table.FieldByName("id")->AsInteger());
        beforeLast = last;
        last = table.FieldByName("名称")->AsString();
    }
    EXPECT_EQ(seen, 5005);
    EXPECT_EQ(ids.size(), 5005u);
    EXPECT_EQ(beforeLast, "new1");
    EXPECT_EQ(last, "new2");
}

TEST_F(DataSetTest, TableEditsAndDeletesByRowid) {
    TADOTable table(nullptr);
    table.SetConnection(Connection.get());
    table.SetTableName("rights");
    table.Open();
    table.Next();   // the second of the two equal rows
    table.Edit();
    table.FieldByName("功能号")->SetAsInteger(13);
    table.Post();
    EXPECT_EQ(Scalar("select group_concat(功能号) from (select 功能号 from rights order by rowid)").AsString(),
              "11,13,12");
    table.First();
    table.Delete();
    EXPECT_EQ(Scalar("select group_concat(功能号) from (select 功能号 from rights order by rowid)").AsString(),
              "13,12");
    EXPECT_EQ(table.FieldByName("功能号")->AsInteger(), 13);
}

// --- Transactions ----------------------------------------------------------------------------

TEST_F(DataSetTest, RollbackLeavesNothingBehind) {
    Connection->BeginTrans();
    Exec("insert into t (名称) values ('x')");
    Exec("update t set 数量 = 数量 - 1");
    EXPECT_TRUE(Connection->InTransaction());
    Connection->RollbackTrans();
    EXPECT_FALSE(Connection->InTransaction());
    EXPECT_EQ(Count(""), 3);
    EXPECT_EQ(Scalar("select sum(数量) from t").AsInt64(), 6);

    // Nested levels are savepoints: the inner rollback keeps the outer work.
    EXPECT_EQ(Connection->BeginTrans(), 1);
    Exec("insert into t (名称) values ('outer')");
    EXPECT_EQ(Connection->BeginTrans(), 2);
    Exec("insert into t (名称) values ('inner')");
    Connection->RollbackTrans();
    Connection->CommitTrans();
    EXPECT_EQ(Count("where 名称 in ('outer', 'inner')"), 1);
    EXPECT_THROW(Connection->CommitTrans(), EDatabaseError);
}

// A save of several statements fails at every possible statement in turn; each failed
// attempt, rolled back, leaves the database exactly as it was.
TEST_F(DataSetTest, AFailureAtAnyStatementRollsTheWholeSaveBack) {
    auto state = [&] {
        return Scalar("select count(*) || ':' || total(数量) || ':' || group_concat(名称) from t").AsString();
    };
    const std::string before = state();
    auto save = [&] {
        Connection->BeginTrans();
        try {
            TADOTable table(nullptr);
            table.SetConnection(Connection.get());
            table.SetTableName("t");
            table.Open();
            for (int i = 0; i < 2; ++i) {
                table.Append();
                table.FieldByName("名称")->SetAsString("line" + std::to_string(i));
                table.FieldByName("数量")->SetAsInteger(5);
                table.Post();
            }
            Exec("update t set 数量 = 数量 - 1 where id <= 3");
            Connection->CommitTrans();
        } catch (...) {
            Connection->RollbackTrans();
            throw;
        }
    };
    int failures = 0;
    for (int failAt = 1;; ++failAt) {
        int n = 0;
        Connection->OnStatement = [&](const std::string& sql) {
            if (++n == failAt && sql != "ROLLBACK") throw EDatabaseError("injected");
        };
        try {
            save();
            break;
        } catch (const EDatabaseError&) {
            ++failures;
            Connection->OnStatement = nullptr;
            EXPECT_EQ(state(), before) << "failure at statement " << failAt;
            EXPECT_FALSE(Connection->InTransaction());
        }
    }
    Connection->OnStatement = nullptr;
    EXPECT_GE(failures, 6);
    EXPECT_EQ(Count(""), 5);
}

// --- Connections -----------------------------------------------------------------------------

struct ConnectCase {
    const char* Name;
    std::string ConnectionString;   // "{db}" is the test database, "{junk}" a file of text
    const char* Error;              // nullptr: connects
};

class ConnectTest : public DataSetTest, public ::testing::WithParamInterface<ConnectCase> {};

TEST_P(ConnectTest, ChecksProviderAndFile) {
    std::string junk = Dir.File("junk.mdb");
    std::ofstream(junk) << "Standard Jet DB, but not really";
    std::string cs = GetParam().ConnectionString;
    for (auto [key, value] : {std::pair<std::string, std::string>{"{db}", FileName}, {"{junk}", junk}})
        if (auto pos = cs.find(key); pos != std::string::npos) cs.replace(pos, key.size(), value);
    TADOConnection c(nullptr);
    c.SetConnectionString(cs);
    if (!GetParam().Error) {
        c.Open();
        EXPECT_TRUE(c.Connected());
        return;
    }
    try {
        c.Open();
        FAIL() << "connected";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find(GetParam().Error), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(c.Connected());
}

INSTANTIATE_TEST_SUITE_P(
    Strings, ConnectTest,
    ::testing::Values(
        ConnectCase{"jet_provider", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source={db};Mode=Share Deny None", nullptr},
        ConnectCase{"sqlite_provider", "Provider=SQLite;Data Source=\"{db}\"", nullptr},
        ConnectCase{"unknown_provider", "Provider=SQLOLEDB;Data Source={db}", "Provider cannot be found"},
        ConnectCase{"missing_file", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/nonexistent/x.mdb",
                    "Could not find file '/nonexistent/x.mdb'."},
        ConnectCase{"not_a_database", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source={junk}", "file is not a database"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DataSetTest, ReadOnlyModeRefusesWrites) {
    TADOConnection c(nullptr);
    c.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName + ";Mode=Read");
    TADOQuery q(nullptr);
    q.SetConnection(&c);
    q.SQL()->SetText("delete from t");
    EXPECT_THROW(q.ExecSQL(), EDatabaseError);
    EXPECT_EQ(Count(""), 3);
}

// Another program holds the database: a statement waits its connection's time for the
// lock, telling OnBusyWait how long it has waited so far, then fails as locked; a wait of
// 0 fails at once; when the lock goes during the wait the statement goes on.
TEST_F(DataSetTest, AStatementWaitsForALockHeldElsewhereAndSaysSo) {
    TADOConnection other(nullptr);
    other.SetConnectionString("Provider=SQLite;Data Source=" + FileName);
    other.Open();
    other.Database().ExecScript("BEGIN EXCLUSIVE");
    struct TCase {
        int Timeout;
        bool ReleaseDuringWait;
        bool Fails;
    };
    for (const TCase& c : {TCase{0, false, true}, TCase{120, false, true}, TCase{5000, true, false}}) {
        SCOPED_TRACE(c.Timeout);
        std::vector<int> waited;
        Connection->SetBusyTimeout(c.Timeout);
        EXPECT_EQ(Connection->BusyTimeout(), c.Timeout);
        Connection->OnBusyWait = [&](int Ms) {
            waited.push_back(Ms);
            if (c.ReleaseDuringWait && waited.size() == 3) other.Database().ExecScript("ROLLBACK");
        };
        if (c.Fails) {
            try {
                Count("");
                ADD_FAILURE() << "no error under the lock";
            } catch (const EDatabaseError& e) {
                EXPECT_EQ(e.Message(), "database is locked");
            }
        } else {
            EXPECT_EQ(Count(""), 3);
        }
        if (c.Timeout == 0) {
            EXPECT_TRUE(waited.empty());
        } else {
            ASSERT_GE(waited.size(), 3u);
            EXPECT_EQ(waited.front(), 0);
            EXPECT_TRUE(std::is_sorted(waited.begin(), waited.end()));
            EXPECT_LT(waited.back(), c.Timeout);
        }
    }
    // A connection opened afterwards keeps the wait it was given.
    Connection->Close();
    Connection->SetBusyTimeout(77);
    Connection->Open();
    EXPECT_EQ(Connection->BusyTimeout(), 77);
}

// The connection knows whether it can write: read-only mode, or a file it may only read.
TEST_F(DataSetTest, ReadOnlyTellsAConnectionThatCannotWrite) {
    EXPECT_FALSE(Connection->ReadOnly());
    TADOConnection c(nullptr);
    c.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName + ";Mode=Read");
    c.Open();
    EXPECT_TRUE(c.ReadOnly());
}

// A data module's form resource: the connection connects once the resource is read, the
// query opens with its persistent fields and streamed parameter.
TEST_F(DataSetTest, FormResourceConnectsAndOpensWhenLoaded) {
    RegisterDBClasses();
    std::string text =
        "object DM: TDataModule\n"
        "  object ADOQuery1: TADOQuery\n"
        "    Connection = ADOConnection1\n"
        "    SQL.Strings = (\n"
        "      'select id, 名称 from t where 数量 >= :n'\n"
        "      'order by id')\n"
        "    Parameters = <\n"
        "      item\n"
        "        Name = 'n'\n"
        "        DataType = ftInteger\n"
        "        Value = 2\n"
        "      end>\n"
        "    Active = True\n"
        "    object ADOQuery1id: TAutoIncField\n"
        "      FieldName = 'id'\n"
        "    end\n"
        "    object ADOQuery1Name: TWideStringField\n"
        "      DisplayLabel = '名称标签'\n"
        "      FieldName = '名称'\n"
        "      Size = 10\n"
        "    end\n"
        "  end\n"
        "  object ADOConnection1: TADOConnection\n"
        "    Connected = True\n"
        "    ConnectionString = 'Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName + "'\n"
        "    LoginPrompt = False\n"
        "  end\n"
        "end\n";
    TDataModule dm(nullptr);
    ReadComponentFromText(text, &dm);
    auto* conn = static_cast<TADOConnection*>(dm.FindComponent("ADOConnection1"));
    auto* query = static_cast<TADOQuery*>(dm.FindComponent("ADOQuery1"));
    ASSERT_TRUE(conn && query);
    EXPECT_TRUE(conn->Connected());
    ASSERT_TRUE(query->Active());
    EXPECT_EQ(query->RecordCount(), 2);
    EXPECT_EQ(query->FieldCount(), 2);
    EXPECT_EQ(query->Fields()[0], dm.FindComponent("ADOQuery1id"));
    EXPECT_EQ(query->FieldByName("名称")->DisplayLabel(), "名称标签");
    EXPECT_EQ(query->FieldByName("名称")->AsString(), "beta");
    // Written back, the fields stream inside their dataset.
    std::string written = WriteComponentToText(&dm);
    EXPECT_NE(written.find("object ADOQuery1id: TAutoIncField"), std::string::npos) << written;
}

}  // namespace

namespace {

// Backup and restore copy the whole database while it is open.
TEST_F(DataSetTest, BackupAndRestoreCopyTheWholeDatabase) {
    std::string backup = Dir.File("03071530bf.mdb");
    Connection->BackupTo(backup);
    Exec("delete from t where id > 1");
    {
        TSqliteDatabase copy;
        copy.Open(backup, TSqliteDatabase::omReadOnly);
        EXPECT_EQ(copy.QueryValue("select count(*) from t").AsInt64(), 3);
    }
    std::string junk = Dir.File("junk.mdb");
    std::ofstream(junk) << "not a database";
    EXPECT_THROW(Connection->RestoreFrom(junk), EDatabaseError);
    EXPECT_EQ(Count(""), 1);
    Connection->RestoreFrom(backup);
    EXPECT_EQ(Count(""), 3);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()),
                            std::filesystem::directory_iterator()), 3);   // no temporary left
}

}  // namespace
