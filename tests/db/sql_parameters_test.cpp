// Named parameters in command texts and the columns they meet.
#include <gtest/gtest.h>

#include "platform/db/SqlParameters.h"

namespace {

struct ParamCase {
    const char* Name;
    const char* Sql;
    const char* Text;
    std::vector<TSqlParameterInfo> Params;
};

class SqlParametersTest : public ::testing::TestWithParam<ParamCase> {};

TEST_P(SqlParametersTest, FindsNamesAndColumns) {
    const ParamCase& c = GetParam();
    TParsedSql parsed = ParseSqlParameters(c.Sql);
    EXPECT_EQ(parsed.Text, c.Text);
    ASSERT_EQ(parsed.Parameters.size(), c.Params.size());
    for (size_t i = 0; i < c.Params.size(); ++i) {
        EXPECT_EQ(parsed.Parameters[i].Name, c.Params[i].Name);
        EXPECT_EQ(parsed.Parameters[i].Columns, c.Params[i].Columns) << c.Params[i].Name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clinic, SqlParametersTest,
    ::testing::Values(
        ParamCase{"receipt_counter",
                  "select max(流水号) from (Select 流水号 From tb_sf where 收费日期=:date1 Union "
                  "Select 流水号 From tb_zfsf where 收费日期=:date2) ",
                  "select max(流水号) from (Select 流水号 From tb_sf where 收费日期=?1 Union "
                  "Select 流水号 From tb_zfsf where 收费日期=?2) ",
                  {{"date1", {"收费日期"}}, {"date2", {"收费日期"}}}},
        ParamCase{"between",
                  "select * from tb_sf where 收费日期 between :Date1 and :Date2 and 统计标致<>'0'",
                  "select * from tb_sf where 收费日期 between ?1 and ?2 and 统计标致<>'0'",
                  {{"Date1", {"收费日期"}}, {"Date2", {"收费日期"}}}},
        ParamCase{"insert_values_by_position",
                  "Insert Into tb_zfsf (流水号,票据号,收费日期, 收费时间) Values (:流水号,:票据号, "
                  ":收费日期, :收费时间)",
                  "Insert Into tb_zfsf (流水号,票据号,收费日期, 收费时间) Values (?1,?2, ?3, ?4)",
                  {{"流水号", {"流水号"}}, {"票据号", {"票据号"}}, {"收费日期", {"收费日期"}},
                   {"收费时间", {"收费时间"}}}},
        ParamCase{"insert_select_list",
                  "insert into tb_sf (流水号, 项目名称, 收费日期) select :lsh, 项目名称, :sfrq from tb_temp "
                  "where id = :id",
                  "insert into tb_sf (流水号, 项目名称, 收费日期) select ?1, 项目名称, ?2 from tb_temp "
                  "where id = ?3",
                  {{"lsh", {"流水号"}}, {"sfrq", {"收费日期"}}, {"id", {"id"}}}},
        ParamCase{"insert_several_rows",
                  "insert into t (a, d) values (:a1, :d1), (round(:x, 2), :d2)",
                  "insert into t (a, d) values (?1, ?2), (round(?3, 2), ?4)",
                  {{"a1", {"a"}}, {"d1", {"d"}}, {"x", {}}, {"d2", {"d"}}}},
        ParamCase{"update_set",
                  "update tb_yp set 失效日期=:sxrq,药品产地=:cd  where ID=:id",
                  "update tb_yp set 失效日期=?1,药品产地=?2  where ID=?3",
                  {{"sxrq", {"失效日期"}}, {"cd", {"药品产地"}}, {"id", {"ID"}}}},
        ParamCase{"qualified_and_reversed",
                  "select * from tb_sf a where :d <= a.收费日期 and a.[票据号] = :n",
                  "select * from tb_sf a where ?1 <= a.收费日期 and a.[票据号] = ?2",
                  {{"d", {"收费日期"}}, {"n", {"票据号"}}}},
        ParamCase{"quotes_comments_and_brackets_hide_colons",
                  "select ':no', [a:b], \"c:d\" from t -- :comment\nwhere x = :p /* :q */ and t = '12:30'",
                  "select ':no', [a:b], \"c:d\" from t -- :comment\nwhere x = ?1 /* :q */ and t = '12:30'",
                  {{"p", {"x"}}}},
        ParamCase{"repeated_name_is_one_parameter",
                  "select * from t where a = :D or b = :d",
                  "select * from t where a = ?1 or b = ?1",
                  {{"D", {"a", "b"}}}},
        ParamCase{"like_meets_no_column",
                  "Select * From tb_yp Where 拼音码 like :code and 项目种类='药品项目'",
                  "Select * From tb_yp Where 拼音码 like ?1 and 项目种类='药品项目'",
                  {{"code", {}}}},
        ParamCase{"function_argument_meets_no_column",
                  "select * from t where :v = max(d)",
                  "select * from t where ?1 = max(d)",
                  {{"v", {}}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SqlParameters, SchemaStatements) {
    EXPECT_TRUE(IsSchemaStatement("  CREATE TABLE x (a)"));
    EXPECT_TRUE(IsSchemaStatement("drop index i"));
    EXPECT_FALSE(IsSchemaStatement("select 'create'"));
    EXPECT_FALSE(IsSchemaStatement("update t set created = 1"));
}

}  // namespace
