// A scratch database file in a temporary directory and a connection to it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/db/ADODB.h"

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "rove-db-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        FPath = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};

// A database made from the given script, and a connection with the program's provider.
class DbFixture : public ::testing::Test {
protected:
    void CreateDatabase(const std::string& script) {
        FileName = Dir.File("test.mdb");
        TSqliteDatabase db;
        db.Open(FileName, TSqliteDatabase::omReadWriteCreate);
        db.ExecScript(script);
        db.Close();
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName +
                                        ";Jet OLEDB:Database Password=x");
        Connection->SetLoginPrompt(false);
        Connection->Open();
    }
    std::unique_ptr<TADOQuery> Query(const std::string& sql) {
        auto q = std::make_unique<TADOQuery>(nullptr);
        q->SetConnection(Connection.get());
        q->SQL()->SetText(sql);
        return q;
    }
    // The first column of the first row of a statement.
    Variant Scalar(const std::string& sql) {
        auto q = Query(sql);
        q->Open();
        return q->IsEmpty() ? Variant::Null() : q->Fields()[0]->Value();
    }
    void Exec(const std::string& sql) { Query(sql)->ExecSQL(); }

    TempDir Dir;
    std::string FileName;
    std::unique_ptr<TADOConnection> Connection;
};
