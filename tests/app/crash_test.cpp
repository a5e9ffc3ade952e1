// Crash consistency of the charge save and the void: a worker process saves and voids
// receipts on a copy of a clinic database and is killed with SIGKILL at random moments.
// After every kill the database must be sound, every receipt whole in exactly one of the
// charge and void tables, every receipt number used once, the drug stock exactly the
// starting stock less the charged lines, and every operation the worker reported done
// still there.
//
// The worker reports each committed operation through a pipe; the test kills it after a
// random number of reports (and a random number of yields) and then reads what it reported
// until it died, so nothing depends on time:
// the checks hold at whatever moment the kill lands. ROVE_CRASH_KILLS sets the number of
// kills (20 by default), ROVE_CRASH_SEED the random seed (printed on failure).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/database/ClinicDatabase.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/Currency.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "rove-crash-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        FPath = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(FPath, ec);
    }
    std::string operator/(const std::string& Name) const { return FPath + "/" + Name; }

private:
    std::string FPath;
};

unsigned long EnvNumber(const char* Name, unsigned long Default) {
    const char* text = std::getenv(Name);
    return text && *text ? std::strtoul(text, nullptr, 10) : Default;
}

// The rows of a statement, each as its columns' values.
std::vector<std::vector<Variant>> Rows(TSqliteDatabase& Db, const std::string& Sql) {
    TSqliteStatement statement = Db.Prepare(Sql);
    std::vector<std::vector<Variant>> rows;
    while (statement.Step()) {
        std::vector<Variant> row;
        for (int i = 0; i < statement.ColumnCount(); ++i) row.push_back(statement.ColumnValue(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

long long Number(TSqliteDatabase& Db, const std::string& Sql) {
    return Db.QueryValue(Sql).AsInt64();
}

// Four drugs with ample stock and two examinations.
void FillItems(const std::string& File) {
    TSqliteDatabase db;
    db.Open(File, TSqliteDatabase::omReadWrite);
    db.ExecScript(
        "insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,销价金额,库存下限) values"
        " ('药品项目','西药费','阿莫西林','AMXL','10片','盒',8,12.5,100000,800000,1250000,2),"
        " ('药品项目','中成药费','板蓝根','BLG','10袋','盒',3,5,100000,300000,500000,5),"
        " ('药品项目','西药费','维生素C','WSSC','100片','瓶',0.5,0.8,100000,50000,80000,1),"
        " ('检查项目','检查费','血常规','XCG','次','次',null,15,null,null,null,null),"
        " ('药品项目','中药费','甘草','GC','克','克',1.25,3,100000,125000,300000,0),"
        " ('检查项目','治疗费','换药','HY','次','次',null,7.5,null,null,null,null);");
}

// A running worker with the read end of its report pipe.
class Worker {
public:
    Worker(const std::string& File, unsigned Seed) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        const std::string seed = std::to_string(Seed);
        char* args[] = {const_cast<char*>(ROVE_CRASH_WORKER), const_cast<char*>(File.c_str()),
                        const_cast<char*>(seed.c_str()), nullptr};
        const int rc = posix_spawn(&FPid, ROVE_CRASH_WORKER, &actions, nullptr, args, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        FReports = fds[0];
        if (rc != 0) throw std::runtime_error("posix_spawn failed");
    }
    ~Worker() {
        if (FPid > 0) Kill();
        close(FReports);
    }
    // Waits for the next report: 'c' or 'v', or 0 when the worker ended on its own.
    char Next() {
        char done = 0;
        for (;;) {
            const ssize_t n = read(FReports, &done, 1);
            if (n == 1) return done;
            if (n == 0 || errno != EINTR) return 0;
        }
    }
    // Kills the worker and returns how it ended (a wait status).
    int Kill() {
        kill(FPid, SIGKILL);
        int status = 0;
        while (waitpid(FPid, &status, 0) < 0 && errno == EINTR) {}
        FPid = -1;
        return status;
    }

private:
    pid_t FPid = -1;
    int FReports = -1;
};

TEST(CrashConsistency, KilledSavesAndVoidsLeaveEveryReceiptWholeAndTheStockExact) {
    const unsigned long kills = EnvNumber("ROVE_CRASH_KILLS", 20);
    const unsigned seed = static_cast<unsigned>(EnvNumber("ROVE_CRASH_SEED", std::random_device{}()));
    SCOPED_TRACE("ROVE_CRASH_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);

    TempDir dir;
    const std::string original = dir / "original.mdb";
    const std::string file = dir / ClinicDatabaseFileName;
    CreateClinicDatabase(original);
    FillItems(original);
    fs::copy_file(original, file);
    std::map<long long, double> initialStock;
    {
        TSqliteDatabase db;
        db.Open(file, TSqliteDatabase::omReadOnly);
        for (auto& row : Rows(db, "select ID,库存数量 from tb_yp where 项目种类='药品项目'"))
            initialStock[row[0].AsInt64()] = row[1].AsDouble();
    }
    ASSERT_EQ(initialStock.size(), 4u);

    long long charged = 0, voided = 0;   // operations the workers reported committed
    for (unsigned long round = 1; round <= kills; ++round) {
        SCOPED_TRACE("kill " + std::to_string(round));
        {
            Worker worker(file, static_cast<unsigned>(random()));
            const int reports = static_cast<int>(random() % 41);   // 0 kills it while it starts
            for (int i = 0; i < reports; ++i) {
                const char done = worker.Next();
                ASSERT_NE(done, 0) << "the worker ended before it was killed (its reason is above)";
                (done == 'c' ? charged : voided) += 1;
            }
            for (unsigned i = random() % 2000; i > 0; --i) sched_yield();
            const int status = worker.Kill();
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
                << "the worker ended on its own with status " << status;
            // What it reported before it died but was not read yet.
            for (char done; (done = worker.Next()) != 0;) (done == 'c' ? charged : voided) += 1;
        }

        TSqliteDatabase db;
        db.Open(file, TSqliteDatabase::omReadWrite);   // rolls back what the kill cut short
        ASSERT_EQ(db.QueryValue("PRAGMA integrity_check").AsString(), "ok");

        // Each receipt in either table: one head line, which is its first line, one day
        // and counter, the head's due equal to the sum of the lines, and received less
        // change equal to due less reduction.
        for (const char* table : {"tb_sf", "tb_zfsf"}) {
            SCOPED_TRACE(table);
            const auto receipts = Rows(db, std::string(
                "select 票据号, sum(统计标致='1'), min(id) = max(case when 统计标致='1' then id end),"
                " count(distinct 流水号), count(distinct 收费日期), sum(单项累计),"
                " max(case when 统计标致='1' then 应收金额 end),"
                " max(case when 统计标致='1' then 实收金额 - 应找金额 + 减免金额 end)"
                " from ") + table + " group by 票据号");
            for (const auto& r : receipts) {
                SCOPED_TRACE("receipt " + r[0].AsString());
                EXPECT_EQ(r[1].AsInt64(), 1);
                EXPECT_EQ(r[2].AsInt64(), 1);
                EXPECT_EQ(r[3].AsInt64(), 1);
                EXPECT_EQ(r[4].AsInt64(), 1);
                // The due is the lines' sum to the fen (a half fen rounds away), compared
                // as exact amounts: the doubles' difference of 40.63 and 40.625 exceeds 0.005.
                const Currency lines = Currency::FromDouble(r[5].AsDouble());
                const Currency due = Currency::FromDouble(r[6].AsDouble());
                const Currency halfFen = Currency::FromScaled(50);
                EXPECT_LE(due - lines, halfFen) << due.ToString() << " against " << lines.ToString();
                EXPECT_GE(due - lines, -halfFen) << due.ToString() << " against " << lines.ToString();
                EXPECT_EQ(Currency::FromDouble(r[7].AsDouble()), due) << r[7].AsString();
            }
        }
        EXPECT_EQ(Number(db, "select count(*) from tb_sf where 票据号 in (select 票据号 from tb_zfsf)"), 0);
        EXPECT_EQ(Number(db, "select count(*) from (select 收费日期, 流水号 from"
                             " (select distinct 票据号, 收费日期, 流水号 from tb_sf"
                             "  union select distinct 票据号, 收费日期, 流水号 from tb_zfsf)"
                             " group by 收费日期, 流水号 having count(*) > 1)"), 0);

        // The stock and its values follow the charged lines exactly.
        for (auto& row : Rows(db, "select ID, 库存数量, 进价金额, 销价金额, 进价, 单价,"
                                  " (select coalesce(sum(数量), 0) from tb_sf where 项目ID = tb_yp.ID)"
                                  " from tb_yp where 项目种类='药品项目'")) {
            SCOPED_TRACE("item " + row[0].AsString());
            const double stock = row[1].AsDouble();
            EXPECT_NEAR(stock, initialStock[row[0].AsInt64()] - row[6].AsDouble(), 0.005);
            EXPECT_NEAR(row[2].AsDouble(), row[4].AsDouble() * stock, 0.006);
            EXPECT_NEAR(row[3].AsDouble(), row[5].AsDouble() * stock, 0.006);
        }

        // Nothing reported done is lost; only the operation a kill cut off between its commit
        // and its report can be there unreported, one per kill.
        const long long receipts = Number(db, "select count(distinct 票据号) from"
                                              " (select 票据号 from tb_sf union all select 票据号 from tb_zfsf)");
        const long long voids = Number(db, "select count(distinct 票据号) from tb_zfsf");
        EXPECT_GE(receipts, charged);
        EXPECT_LE(receipts, charged + static_cast<long long>(round));
        EXPECT_GE(voids, voided);
        EXPECT_LE(voids, voided + static_cast<long long>(round));
        if (HasFailure()) return;
    }
    EXPECT_GT(charged, 0);
}

}  // namespace
