// Named parameters in command texts: ":name" outside quotes, brackets and comments, the
// name made of ASCII letters, digits, "_" and any non-ASCII character (Chinese names).
// Names are matched ignoring ASCII case; a name used twice is one parameter.
//
// The scan also notes, for each parameter, the columns it is compared with or assigned to
// ("收费日期 = :d", "收费日期 between :d1 and :d2", "set 失效日期=:x", "insert into t (c)
// values (:p)", "insert into t (c) select :p ..."), so the layer can convert text written in
// the program's date formats for date columns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TSqlParameterInfo {
    std::string Name;                  // as first written
    std::vector<std::string> Columns;  // column names it meets, without table qualifiers
};

struct TParsedSql {
    std::string Text;                  // the command with "?N" in place of each ":name"
    std::vector<TSqlParameterInfo> Parameters;   // ?1 is Parameters[0], and so on
};

TParsedSql ParseSqlParameters(std::string_view sql);

// True when the text's first word is one of the words that change the schema
// (CREATE, DROP, ALTER).
bool IsSchemaStatement(std::string_view sql);
