#include "app/database/DatabaseTexts.h"

#include "platform/rtl/StrUtils.h"

namespace {

struct TFailure {
    const char* Technical;   // a part of the database's text (ASCII case ignored)
    const char* Text;
};

constexpr const char* kLocked = "数据库正被其他程序使用，请稍后再试。";
constexpr const char* kCannotWrite =
    "数据库文件不能写入，数据未能保存。请让管理员给数据库文件 Rove.mdb 及其所在文件夹写入权限，"
    "然后重新启动本程序。";

// The first entry whose part the text holds wins.
constexpr TFailure kFailures[] = {
    {"database is locked", kLocked},
    {"database table is locked", kLocked},
    {"database schema is locked", kLocked},
    {"attempt to write a readonly database", kCannotWrite},
    {"unable to open database file", kCannotWrite},
    {"database or disk is full", "磁盘已满，数据未能保存。请清理磁盘空间后再试。"},
    {"LIKE or GLOB pattern too complex", "查询内容太长，请缩短后再查询。"},
    {"disk I/O error", "读写数据库文件出错，请检查磁盘后再试。"},
    {"database disk image is malformed", "数据库文件已损坏，请从备份恢复数据。"},
    {"file is not a database", "数据库文件已损坏，请从备份恢复数据。"},
};

}  // namespace

const char* const kReadOnlyDatabaseText =
    "数据库文件 Rove.mdb 只能读取，不能写入：收费、作废、入库等操作都无法保存。请让管理员给本程序的"
    "使用者写入该文件及其所在文件夹的权限，然后重新启动本程序。";

const char* const kDatabaseWaitText = "数据库正被其他程序使用，正在等待……";

std::optional<std::string> ClinicDatabaseText(std::string_view Technical) {
    for (const TFailure& f : kFailures)
        if (ContainsText(Technical, f.Technical)) return std::string(f.Text);
    return std::nullopt;
}

std::string ClinicReason(std::string_view Technical) {
    return ClinicDatabaseText(Technical).value_or(std::string(Technical));
}
